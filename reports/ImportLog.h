// The member import's change log: one 80-byte record per change, appended
// to "IMPORT.TMP" in the temporary folder while the import runs, and read
// by the Import Summary report before the import deletes the file.
#pragma once

#include <cstdint>
#include <cstdio>

inline constexpr int kImportLogRecordSize = 80;

// Kinds and actions of a record.
enum ImportLogKind { IMPORT_SCOUT = 0, IMPORT_ADULT = 1, IMPORT_SUBUNIT = 2 };
enum ImportLogAction { IMPORT_ADDED = 0, IMPORT_MODIFIED = 1, IMPORT_DELETED = 2 };

struct ImportLogRecord {
  std::int16_t kind = 0;
  std::int16_t action = 0;
  char name[30] = {};  // "Last, First" or the subunit's name
  char text[41] = {};  // empty for additions and subunits
};

// Little-endian 16-bit kind and action, name at 4, text at 34, five
// reserved zero bytes at 75.
void EncodeImportLogRecord(const ImportLogRecord& r, unsigned char (&bytes)[kImportLogRecordSize]);
// Texts are cut at their field's end even when the bytes hold no zero.
void DecodeImportLogRecord(const unsigned char (&bytes)[kImportLogRecordSize], ImportLogRecord& r);

// The open log of the running import (none outside one) and the records
// written to it.
extern std::FILE* ImportLogFile;
extern int ImportLogCount;

// Appends one record (text cut to 40 characters; null for none). Without a
// log nothing is written or counted; a failed write is shown once and ends
// the logging of this import.
void LogImportChange(int kind, int action, const char* name, const char* text);
