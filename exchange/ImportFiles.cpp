#include "exchange/ImportFiles.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "common/Address.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/StrUtil.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/Records.h"

namespace {

void ShowError(ErrorTextIndex index, const char* item, int kind = MSG_FATAL) {
  char text[128];
  FormatErrorText(text, index, item);
  DispMessage(text, kind);
}

// The older records' layouts: where each field starts, and how many of its
// characters count (0: up to its terminator).
struct OlderField {
  int at;
  int keep;
};
struct OlderScoutLayout {
  int size;
  OlderField last, first, address1, address2, altAddress1, altAddress2, phone, joined, fatherLast, fatherFirst;
};
constexpr OlderScoutLayout kTroopScout{1370, {0, 0},   {16, 0},  {28, 0},  {55, 0},  {82, 0},
                                       {109, 0},     {136, 0}, {307, 6}, {325, 15}, {341, 11}};
constexpr OlderScoutLayout kPackScout{1024, {0, 0},   {16, 0},  {28, 0},  {55, 0},  {82, 0},
                                      {109, 0},     {136, 0}, {217, 6}, {262, 15}, {278, 11}};
struct OlderAdultLayout {
  int size;
  OlderField last, first, spouse, address1, address2, homePhone, workPhone, workExt, joined;
};
constexpr OlderAdultLayout kTroopAdult{1504,    {0, 0},   {16, 11}, {33, 0},  {45, 0},
                                       {72, 0}, {99, 0},  {120, 0}, {133, 0}, {145, 6}};
// The older pack set keeps no spouse.
constexpr OlderAdultLayout kPackAdult{1388,    {0, 0},   {16, 11}, {-1, 0},  {33, 0},
                                      {60, 0}, {96, 0},  {109, 0}, {122, 0}, {134, 6}};

// A text of the record, up to its terminator (never past the record's
// end) or `keep` characters, cut to the field that takes it.
template <size_t N>
void Take(const std::vector<unsigned char>& record, OlderField f, char (&out)[N]) {
  std::memset(out, 0, N);
  if (f.at < 0 || static_cast<size_t>(f.at) >= record.size()) return;
  size_t limit = record.size() - static_cast<size_t>(f.at);
  if (f.keep > 0) limit = std::min(limit, static_cast<size_t>(f.keep));
  limit = std::min(limit, N - 1);
  for (size_t i = 0; i < limit && record[static_cast<size_t>(f.at) + i] != 0; ++i)
    out[i] = static_cast<char>(record[static_cast<size_t>(f.at) + i]);
}

template <size_t N>
void Set(char (&out)[N], const char* text) {
  std::memset(out, 0, N);
  std::memcpy(out, text, strnlen(text, N - 1));
}

// YYMMDD into the stored date; an empty field is today.
void JoinDate(const std::vector<unsigned char>& record, OlderField f, char (&out)[9]) {
  char shortDate[7];
  Take(record, f, shortDate);
  if (shortDate[0] == '\0')
    Set(out, TodayDate);
  else
    FormatDate(shortDate, DF_YYMMDD, DF_YYYYMMDD, out, sizeof out);
}

// City, state and zip out of the last address line that holds anything.
void SplitAddress(MemberRow* row) {
  char* line = row->address2[0] ? row->address2 : row->address1;
  SplitCityStateZip(line, row->city, row->state, row->zip);
}

// Imported members bring no money and no history: those belong to the
// books kept here.
void ClearBooks(MemberRow* row) {
  row->status = 0;
  row->openingBalance = row->currentBalance = row->transCount = 0;
}

int ReadOlder(std::FILE* file, int size, int record, const char* item, std::vector<unsigned char>& bytes) {
  bytes.assign(static_cast<size_t>(size), 0);
  const int r = RecIO(file, bytes.data(), size, 0, record);
  if (r == 0) ShowError(ERR_READ, item);
  return r;
}

bool IsCurrentSet(const std::string& tag) { return tag == kImportCommon || tag == kImportKva; }

}  // namespace

ImportSubunitTable::ImportSubunitTable() { std::fill(std::begin(assignments), std::end(assignments), -1); }

int DetectImportVersion(bool troop, const char* folder, ImportFileSet* set) {
  const std::string base = folder ? folder : "";
  set->scouts = JoinPath(base, troop ? "szovk.dat" : "czovk.dat");
  set->adults = JoinPath(base, troop ? "lzovk.dat" : "azovk.dat");
  set->unit.clear();
  set->assignments.clear();
  const std::string version = JoinPath(base, troop ? "lindaq.dat" : "mervot.dat");
  std::FILE* in = std::fopen(version.c_str(), "r");
  if (in == nullptr) {
    ShowError(ERR_OPEN, "import version");
    return 1;
  }
  char tag[16] = "";
  const bool read = std::fgets(tag, sizeof tag, in) != nullptr;
  std::fclose(in);
  if (!read) {
    ShowError(ERR_READ, "import version");
    return 1;
  }
  // The line end goes first, so that blanks before it are trimmed too.
  tag[std::strcspn(tag, "\r\n")] = '\0';
  TrimString(tag, 3);
  if (FileExists(set->scouts.c_str()) && FileExists(set->adults.c_str())) {
    set->tag = std::strcmp(tag, kImportKva) == 0 ? kImportKva : kImportCommon;
    return 0;
  }
  if (troop && std::strcmp(tag, kImportZrd) == 0) {
    *set = {kImportZrd, JoinPath(base, "fenmor.dat"), JoinPath(base, "wirrel.dat"), JoinPath(base, "talvik.dat"),
            JoinPath(base, "quesno.dat")};
    return 0;
  }
  if (!troop && std::strcmp(tag, kImportXk) == 0) {
    *set = {kImportXk, JoinPath(base, "dopsen.dat"), JoinPath(base, "yarmes.dat"), JoinPath(base, "gravin.dat"),
            JoinPath(base, "holtup.dat")};
    return 0;
  }
  ShowError(ERR_INCOMPATIBLE, "import version", MSG_ERROR);
  return 1;
}

int ImportSubunits(bool troop, const ImportFileSet& set, ImportSubunitTable* table) {
  *table = ImportSubunitTable();
  if (IsCurrentSet(set.tag)) return 0;
  std::FILE* unit = std::fopen(set.unit.c_str(), "rb");
  if (unit == nullptr) {
    ShowError(ERR_OPEN, "import subunits");
    return 1;
  }
  const size_t unitSize = troop ? 948 : 990;
  std::vector<unsigned char> bytes(unitSize);
  const bool unitRead = std::fread(bytes.data(), 1, unitSize, unit) == unitSize;
  std::fclose(unit);
  if (!unitRead) {
    ShowError(ERR_READ, "import subunits");
    return 1;
  }
  const int count = troop ? 17 : kImportSubunitNames, first = troop ? 461 : 54;
  for (int n = 0; n < count; ++n) {
    char name[15] = {};
    Take(bytes, {first + 14 * n, 14}, name);
    if (name[0] == '\0') continue;
    if (troop)
      Set(table->names[n], name);
    else
      Set(table->names[n], ("Den " + std::to_string(n) + " - " + name).c_str());
  }
  std::FILE* assigned = std::fopen(set.assignments.c_str(), "rb");
  if (assigned == nullptr) {
    ShowError(ERR_OPEN, "import s2s");
    return 1;
  }
  const size_t assignedSize = troop ? 10000 : 12200, at = troop ? 9200 : 11800;
  bytes.assign(assignedSize, 0);
  const bool assignedRead = std::fread(bytes.data(), 1, assignedSize, assigned) == assignedSize;
  std::fclose(assigned);
  if (!assignedRead) {
    ShowError(ERR_READ, "import subunits");
    return 1;
  }
  for (int n = 0; n < kImportAssignments; ++n)
    table->assignments[n] = GetI16(bytes.data() + at + 2 * static_cast<size_t>(n));
  return 0;
}

int ReadImportScout(bool troop, const std::string& tag, std::FILE* file, int record, const ImportSubunitTable& table,
                    MemberRow* row) {
  std::memset(row, 0, sizeof *row);
  if (IsCurrentSet(tag)) {
    const int r = ReadMemberRecord(file, row, 0, 0, record);
    if (r == 0) ShowError(ERR_READ, "import scout");
    if (r != 1) return r;
    if (row->lastName[0] == '\0') return 0;
    row->type = 0;
    ClearBooks(row);
    if (tag == kImportKva) SplitAddress(row);
    return 1;
  }
  const OlderScoutLayout& l = troop ? kTroopScout : kPackScout;
  std::vector<unsigned char> bytes;
  const int r = ReadOlder(file, l.size, record, "import scout", bytes);
  if (r != 1) return r;
  if (bytes[0] == 0) return 0;
  Take(bytes, l.last, row->lastName);
  Take(bytes, l.first, row->firstName);
  const bool alternate = bytes[static_cast<size_t>(l.altAddress1.at)] != 0;
  Take(bytes, alternate ? l.altAddress1 : l.address1, row->address1);
  Take(bytes, alternate ? l.altAddress2 : l.address2, row->address2);
  Take(bytes, l.phone, row->homePhone);
  JoinDate(bytes, l.joined, row->dateJoined);
  Take(bytes, l.fatherLast, row->fatherLast);
  Take(bytes, l.fatherFirst, row->fatherFirst);
  // A record beyond the assignments, or an entry naming no slot, leaves
  // the scout without a subunit.
  const int subunit = record >= 0 && record < kImportAssignments ? table.assignments[record] : -1;
  if (subunit >= 0 && subunit < kImportSubunitNames) Set(row->subunit, table.names[subunit]);
  row->type = 0;
  ClearBooks(row);
  SplitAddress(row);
  return 1;
}

int ReadImportAdult(bool troop, const std::string& tag, std::FILE* file, int record, MemberRow* row) {
  std::memset(row, 0, sizeof *row);
  if (IsCurrentSet(tag)) {
    const int r = ReadMemberRecord(file, row, 1, 0, record);
    if (r == 0) ShowError(ERR_READ, "import adult");
    if (r != 1) return r;
    if (row->lastName[0] == '\0') return 0;
    row->type = 1;
    ClearBooks(row);
    if (tag == kImportKva) SplitAddress(row);
    return 1;
  }
  const OlderAdultLayout& l = troop ? kTroopAdult : kPackAdult;
  std::vector<unsigned char> bytes;
  const int r = ReadOlder(file, l.size, record, "import adult", bytes);
  if (r != 1) return r;
  if (bytes[0] == 0) return 0;
  Take(bytes, l.last, row->lastName);
  Take(bytes, l.first, row->firstName);
  Take(bytes, l.spouse, row->spouse);
  Take(bytes, l.address1, row->address1);
  Take(bytes, l.address2, row->address2);
  Take(bytes, l.homePhone, row->homePhone);
  Take(bytes, l.workPhone, row->workPhone);
  Take(bytes, l.workExt, row->workExt);
  JoinDate(bytes, l.joined, row->dateJoined);
  Set(row->subunit, "Adults");
  row->type = 1;
  ClearBooks(row);
  SplitAddress(row);
  return 1;
}
