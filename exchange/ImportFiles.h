// The member import's side of the sibling membership program's files: the
// file set found in its data folder (recognised by the version file), the
// subunit names and assignments of the older sets, and the readers that
// turn one foreign scout or adult record into a member row.
#pragma once

#include <cstdio>
#include <string>

struct MemberRow;

inline constexpr int kImportSubunitNames = 25;
inline constexpr int kImportAssignments = 200;

// Set tags: the current 512-byte files, the current files of the
// generation that kept city, state and zip in the address, and the older
// troop and pack sets.
inline constexpr const char* kImportCommon = "COMMON";
inline constexpr const char* kImportKva = "KVA 1.0";
inline constexpr const char* kImportZrd = "ZRD 4.0";
inline constexpr const char* kImportXk = "XK 2.0";

struct ImportFileSet {
  std::string tag;
  std::string scouts, adults;
  std::string unit, assignments;  // the older sets only
};

// The older sets' subunit names and, per scout record, the number of its
// subunit in the names (-1 none).
struct ImportSubunitTable {
  char names[kImportSubunitNames][30] = {};
  int assignments[kImportAssignments] = {};
  ImportSubunitTable();
};

// Each returns 0 on success; otherwise it has shown the failure.
int DetectImportVersion(bool troop, const char* folder, ImportFileSet* set);
int ImportSubunits(bool troop, const ImportFileSet& set, ImportSubunitTable* table);

// -1 at the end of the file, 0 for a skipped record or a failed read (the
// failure shown), 1 when `row` holds a member to merge.
int ReadImportScout(bool troop, const std::string& tag, std::FILE* file, int record, const ImportSubunitTable& table,
                    MemberRow* row);
int ReadImportAdult(bool troop, const std::string& tag, std::FILE* file, int record, MemberRow* row);
