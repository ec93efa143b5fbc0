// The one list of fuzz targets: name (the fuzzer fuzz_<name> and the corpus
// folder corpus/<name>/) and the target function. The normal test run,
// tests/fuzz/CMakeLists.txt and scripts/fuzz all read it, so a new target
// is its *Target.cpp file and one line here.
// No include guard: included once per use with FUZZ_TARGET defined.
FUZZ_TARGET(config, ConfigFile)
FUZZ_TARGET(settings, SettingsFile)
FUZZ_TARGET(unit, UnitFile)
FUZZ_TARGET(year, FiscalYear)
FUZZ_TARGET(archive, Archive)
FUZZ_TARGET(resources, DialogsAndMenus)
FUZZ_TARGET(texts, DatesAndMoney)
FUZZ_TARGET(help, HelpFiles)
FUZZ_TARGET(backupset, BackupSet)
FUZZ_TARGET(rollover, DamagedRollover)
FUZZ_TARGET(oldfiles, OldFiles)
FUZZ_TARGET(formula, FormulaText)
FUZZ_TARGET(formulasheet, FormulaArchive)
FUZZ_TARGET(report, ReportFile)
FUZZ_TARGET(registerexport, RegisterExportFile)
FUZZ_TARGET(worksheets, WorksheetFile)
FUZZ_TARGET(gridstyles, GridStyles)
FUZZ_TARGET(importlog, ImportSummaryLog)
FUZZ_TARGET(griddocument, GridDocument)
FUZZ_TARGET(importversion, ImportVersionFile)
FUZZ_TARGET(importsubunits, ImportSubunitFiles)
FUZZ_TARGET(importrecords, ImportMemberRecords)
FUZZ_TARGET(maskdata, MaskData)
