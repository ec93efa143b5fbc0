// The worksheets file: the saved layouts (a title and ten column headings)
// of the general purpose worksheet, 128-byte records with no header, shared
// by every fiscal year. A deleted worksheet leaves a blank record (all
// zeros) that the next new title takes; the file never shrinks.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/types.h"

// Path of "worksht%s.dat" in the program folder; set at start-up.
extern char WorksheetFileName[MAX_PATH];

inline constexpr int kWorksheetRecordSize = 128;
inline constexpr int kWorksheetTitleSize = 32;
inline constexpr int kWorksheetHeadingSize = 9;

struct WorksheetRecord {
  unsigned char bytes[kWorksheetRecordSize] = {};

  std::string Title() const;
  std::string Heading(int index) const;  // 0-9
  // Texts are cut to 31 and 8 characters; the rest of each field is zero.
  void SetTitle(const std::string& title);
  void SetHeading(int index, const std::string& heading);
};

// Looks for the record titled `title` (exact, case counts; an empty title
// finds the first blank record). `slot` gets where a worksheet of that
// title belongs: its record, else the last blank record, else the end of
// the file. A found record is copied to `record`. False with `error` set
// ("Failed read: worksheets") when the file cannot be read.
bool FindWorksheet(std::FILE* file, const std::string& title, bool* found, int* slot, WorksheetRecord* record,
                   CString* error);
// Writes `record` at `slot`; false with "Failed seek/write: worksheets".
bool WriteWorksheet(std::FILE* file, int slot, const WorksheetRecord& record, CString* error);
// The non-empty titles of the file in file order (none when it does not
// exist); false with "Failed open/read: <file>" in `error`.
bool ReadWorksheetTitles(const char* path, std::vector<std::string>* titles, CString* error);
