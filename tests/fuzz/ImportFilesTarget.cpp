// The member import's readers of the sibling program's files: the version
// file, the older sets' unit and assignment files, and the scout and adult
// records of every set, each over any bytes.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "exchange/ImportFiles.h"
#include "fuzz/FuzzTargets.h"
#include "store/MemberStore.h"

namespace fuzz {
namespace {

// Every text of a row ends within its field.
void CheckTexts(const MemberRow& row) {
  const auto ends = [](const char* text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; };
  FuzzCheck(ends(row.lastName, sizeof row.lastName) && ends(row.firstName, sizeof row.firstName) &&
                ends(row.subunit, sizeof row.subunit) && ends(row.address1, sizeof row.address1) &&
                ends(row.address2, sizeof row.address2) && ends(row.city, sizeof row.city) &&
                ends(row.state, sizeof row.state) && ends(row.zip, sizeof row.zip) &&
                ends(row.dateJoined, sizeof row.dateJoined) && ends(row.fatherLast, sizeof row.fatherLast) &&
                ends(row.fatherFirst, sizeof row.fatherFirst) && ends(row.spouse, sizeof row.spouse),
            "an imported text ends within its field");
}

}  // namespace

// The first byte chooses the unit's kind and which current files exist;
// the rest is the version file.
void ImportVersionFile(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  const std::string folder = WorkFolder() + "/version";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const bool troop = size == 0 || (data[0] & 1) == 0;
  if (size > 0 && (data[0] & 2)) {
    WriteWhole(folder + (troop ? "/szovk.dat" : "/czovk.dat"), nullptr, 0);
    WriteWhole(folder + (troop ? "/lzovk.dat" : "/azovk.dat"), nullptr, 0);
  }
  WriteWhole(folder + (troop ? "/lindaq.dat" : "/mervot.dat"), size ? data + 1 : data, size ? size - 1 : 0);
  ImportFileSet set;
  if (DetectImportVersion(troop, folder.c_str(), &set) == 0)
    FuzzCheck(set.tag == kImportCommon || set.tag == kImportKva || set.tag == kImportZrd || set.tag == kImportXk,
              "a recognised set has one of the four tags");
}

// The first byte chooses troop or pack; the rest is cut in two: the unit
// file and the assignment file.
void ImportSubunitFiles(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  const bool troop = size == 0 || (data[0] & 1) == 0;
  const std::uint8_t* rest = size ? data + 1 : data;
  const std::size_t left = size ? size - 1 : 0, half = left / 2;
  const ImportFileSet set{troop ? kImportZrd : kImportXk, "", "", WorkFolder() + "/unit.dat",
                          WorkFolder() + "/assign.dat"};
  WriteWhole(set.unit, rest, half);
  WriteWhole(set.assignments, rest + half, left - half);
  ImportSubunitTable table;
  if (ImportSubunits(troop, set, &table) != 0) return;
  for (const auto& name : table.names) FuzzCheck(std::memchr(name, '\0', sizeof name) != nullptr, "a name ends");
}

// The first byte chooses the set and the unit's kind; the rest is read as
// the scouts file and as the adults file, with a few subunit names.
void ImportMemberRecords(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  static const char* const kTags[] = {kImportCommon, kImportKva, kImportZrd, kImportXk};
  const int choice = size ? data[0] : 0;
  const std::string tag = kTags[choice & 3];
  const bool troop = (choice & 4) == 0;
  const std::string path = WorkFolder() + "/members.dat";
  WriteWhole(path, size ? data + 1 : data, size ? size - 1 : 0);
  ImportSubunitTable table;
  std::snprintf(table.names[0], sizeof table.names[0], "Eagles");
  for (int n = 0; n < kImportAssignments; ++n) table.assignments[n] = (n * 7) % 40 - 10;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return;
  MemberRow row;
  for (int n = 0; n < 400 && ReadImportScout(troop, tag, f, n, table, &row) >= 0; ++n) CheckTexts(row);
  for (int n = 0; n < 400 && ReadImportAdult(troop, tag, f, n, &row) >= 0; ++n) CheckTexts(row);
  std::fclose(f);
}

}  // namespace fuzz
