// The readers of files and texts, each as one function over arbitrary
// bytes. The coverage-guided fuzzers call them with generated inputs; the
// normal test run calls them with every input kept in corpus/<name>/ (the
// inputs that once exposed a fault, and seeds).
//
// A target returns normally for any input: a fault shows as a sanitizer
// report or an abort (a broken round trip calls FuzzCheck).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

using Target = void (*)(const std::uint8_t* data, std::size_t size);

void ConfigFile(const std::uint8_t* data, std::size_t size);
void SettingsFile(const std::uint8_t* data, std::size_t size);
void UnitFile(const std::uint8_t* data, std::size_t size);
void FiscalYear(const std::uint8_t* data, std::size_t size);
void Archive(const std::uint8_t* data, std::size_t size);
void DialogsAndMenus(const std::uint8_t* data, std::size_t size);
void DatesAndMoney(const std::uint8_t* data, std::size_t size);
void HelpFiles(const std::uint8_t* data, std::size_t size);
void BackupSet(const std::uint8_t* data, std::size_t size);
void FormulaText(const std::uint8_t* data, std::size_t size);
void FormulaArchive(const std::uint8_t* data, std::size_t size);
void DamagedRollover(const std::uint8_t* data, std::size_t size);
void OldFiles(const std::uint8_t* data, std::size_t size);
void ReportFile(const std::uint8_t* data, std::size_t size);

struct NamedTarget {
  const char* name;  // also the corpus folder's name
  Target run;
};
inline constexpr NamedTarget kTargets[] = {
    {"config", ConfigFile},  {"settings", SettingsFile}, {"unit", UnitFile},
    {"year", FiscalYear},    {"archive", Archive},       {"resources", DialogsAndMenus},
    {"texts", DatesAndMoney}, {"help", HelpFiles},
    {"backupset", BackupSet}, {"rollover", DamagedRollover}, {"oldfiles", OldFiles},
    {"formula", FormulaText}, {"formulasheet", FormulaArchive},
    {"report", ReportFile},
};

// At the start of every input: every message box and dialog is answered
// (OK, Yes, Yes To All) so that readers run their whole way.
void PrepareRun();
// A private folder for the target's files, removed at exit.
const std::string& WorkFolder();
// Aborts with the text when a property of the reader does not hold.
void FuzzCheck(bool holds, const char* what);
void WriteWhole(const std::string& path, const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
