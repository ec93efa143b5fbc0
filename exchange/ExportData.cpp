#include "exchange/ExportData.h"


#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/PhoneTypes.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "reports/RegisterExport.h"
#include "reports/RptDriver.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"

namespace {

constexpr const char* kReadFailed = "Reading data for export";
constexpr const char* kWriteFailed = "Writing export data";

// Field names of the first row; the scouts' subunit column is named by the
// unit's own subunit word.
const char* const kScoutNames[] = {"LastName", "FirstName", nullptr,    "Address1",  "Address2", "City",
                                   "State",    "Zip",       "HomePhone", "CellPhone", "Email",    "JoinDate",
                                   "QuitDate", "DadFName",  "DadLName", "MomFName",  "MomLName", "OpenBal",
                                   "CurBal",   "TransCount", "Remarks"};
const char* const kAdultNames[] = {"LastName",  "FirstName", "Address1",  "Address2", "City",     "State",   "Zip",
                                   "Spouse",    "HomePhone", "WorkPhone", "WorkExt",  "CellPhone", "Fax",    "Email",
                                   "JoinDate",  "QuitDate",  "OpenBal",   "CurBal",   "TransCount", "Remarks"};
const char* const kFriendNames[] = {
    "LastName",   "FirstName", "Address1",  "Address2",   "City",      "State",     "Zip",
    "Remarks",    "PhoneType1", "PhoneNum1", "PhoneExt1", "PhoneType2", "PhoneNum2", "PhoneExt2",
    "PhoneType3", "PhoneNum3", "PhoneExt3", "PhoneType4", "PhoneNum4",  "PhoneExt4", "Year1",
    "Year1Amt",   "Year2",     "Year2Amt",  "Year3",      "Year3Amt",  "Year4",     "Year4Amt"};
const char* const kEquipNames[] = {"InvID",       "Description", "Quantity", "Condition", "PurchaseDate", "RemovalDate",
                                   "Price",       "OpenValue",   "ReplCost", "CurrValue", "YearAdded",    "Remarks"};
const char* const kAcctNames[] = {"AcctID",    "Name",      "OpenBal",   "CurrBal",   "TransCount", "AcctType",
                                  "JanBudget", "FebBudget", "MarBudget", "AprBudget", "MayBudget",  "JunBudget",
                                  "JulBudget", "AugBudget", "SepBudget", "OctBudget", "NovBudget",  "DecBudget"};

template <std::size_t N>
std::vector<std::string> Names(const char* const (&names)[N]) {
  std::vector<std::string> out;
  for (const char* n : names) out.emplace_back(n ? n : SubunitNoun);
  return out;
}

// One line, field by field; written at once.
class Line {
 public:
  Line(char delimiter, const char* qualifier) : delimiter_(delimiter), qualifier_(qualifier) {}
  Line& Text(const char* value) { return Put(value, true); }
  Line& Bare(const char* value) { return Put(value, false); }
  Line& Number(long value) { return Put(std::to_string(value).c_str(), false); }
  Line& Money(long cents) { return Put(FormatCents(cents), false); }
  Line& Date(const char* stored) {
    char out[32] = "";
    if (stored[0] != '\0') FormatDate(stored, DF_YYYYMMDD, DF_MM_DD_YY, out);
    return Put(out, false);
  }
  // The friends' line ends in a blank instead of a delimiter.
  void Write(std::FILE* f, bool trailingBlank = false) {
    if (trailingBlank) text_ += ' ';
    text_ += "\r\n";
    std::fwrite(text_.data(), 1, text_.size(), f);
  }

 private:
  Line& Put(const char* value, bool qualified) {
    if (!first_) text_ += delimiter_;
    first_ = false;
    text_ += ExportValue(value, qualified);
    return *this;
  }
  std::string ExportValue(const char* value, bool qualified) const;

  char delimiter_;
  const char* qualifier_;
  bool first_ = true;
  std::string text_;
};

// A qualified value doubles its qualifier; any other value that holds the
// delimiter or a line break goes between double quotes, so that a reader
// finds every field where the names row says.
std::string Quoted(const char* value, char quote) {
  std::string s(1, quote);
  for (const char* p = value; *p; ++p) {
    if (*p == quote) s += quote;
    s += *p;
  }
  s += quote;
  return s;
}

std::string Line::ExportValue(const char* value, bool qualified) const {
  if (qualified && qualifier_ && qualifier_[0]) return Quoted(value, qualifier_[0]);
  for (const char* p = value; *p; ++p)
    if (*p == delimiter_ || *p == '\r' || *p == '\n') return Quoted(value, '"');
  return value;
}

std::string ErrorText(ErrorTextIndex index, const char* item) {
  char text[320];
  FormatErrorText(text, index, item);
  return text;
}

void WriteMember(Line& line, const MemberRow& m) {
  line.Text(m.lastName).Text(m.firstName);
  if (m.type == 0) line.Text(m.subunit);
  line.Text(m.address1).Text(m.address2).Text(m.city).Text(m.state).Text(m.zip);
  if (m.type != 0) line.Text(m.spouse);
  line.Text(m.homePhone);
  if (m.type != 0) line.Text(m.workPhone).Text(m.workExt);
  line.Text(m.cellPhone);
  if (m.type != 0) line.Text(m.fax);
  line.Text(m.email).Date(m.dateJoined).Date(m.dateLeft);
  if (m.type == 0) line.Text(m.fatherFirst).Text(m.fatherLast).Text(m.motherFirst).Text(m.motherLast);
  line.Money(m.openingBalance).Money(m.currentBalance).Number(m.transCount).Text(m.remarks);
}

void WriteFriend(Line& line, const FriendRecord& r) {
  line.Text(r.lastName).Text(r.firstName).Text(r.address1).Text(r.address2).Text(r.city).Text(r.state).Text(r.zip);
  line.Text(r.remarks);
  for (const PhoneEntry& p : r.phones) {
    const bool known = p.type >= 10 && p.type <= 80;
    const CString type = known ? PhoneTypeList.GetNameByCode(p.type) : CString();
    line.Text(type).Text(p.number).Text(p.extension);
  }
  for (int i = 0; i < 4; ++i) line.Bare(r.yearLabels[i]).Money(r.yearAmounts[i]);
}

void WriteEquipment(Line& line, EquipmentRecord& r) {
  for (char& ch : r.remarks)
    if (ch == '\r' || ch == '\n') ch = ' ';
  const char condition[2] = {r.condition, '\0'};
  line.Text(r.inventoryId).Text(r.description).Number(r.quantity).Text(condition).Date(r.purchaseDate);
  line.Date(r.dateRemoved).Money(r.price).Money(r.openingValue).Money(r.replacementCost).Money(r.currentValue);
  line.Number(ExpandYear(r.fiscalYear)).Text(r.remarks);
}

struct DataSet {
  const char* progress;
  int rows;
};

DataSet SetOf(char letter) {
  switch (letter) {
    case 'S': return {"Exporting Scouts...", MemberTable.rowCount};
    case 'D': return {"Exporting Adults...", MemberTable.rowCount};
    case 'F': return {"Exporting Friends...", FriendTable.rowCount};
    case 'E': return {"Exporting Equipment...", EquipTable.rowCount};
    default: return {"Exporting Accounts...", AcctTable.rowCount};
  }
}

bool Passes(char letter, int row) {
  const std::size_t r = static_cast<std::size_t>(row);
  switch (letter) {
    case 'S': return MemberTable.keys[r].type == 0 && MemberTable.keys[r].status == 0;
    case 'D': return MemberTable.keys[r].type == 1 && MemberTable.keys[r].status == 0;
    case 'F': return FriendTable.keys[r].status == 0;
    case 'E': return EquipTable.keys[r].status == 0;
    default: return AcctTable.keys[r].status == 0;
  }
}

// Reads and writes one record's line; the error text on failure.
std::string ExportRow(std::FILE* f, char letter, int row, char delimiter, const char* qualifier) {
  Line line(delimiter, qualifier);
  switch (letter) {
    case 'S':
    case 'D': {
      MemberRow m{};
      if (ReadMemberRecord(MemberFile, &m, 4, 0, row) != 1) return kReadFailed;
      WriteMember(line, m);
      line.Write(f);
      break;
    }
    case 'F': {
      FriendRecord r;
      if (ReadRecord(FriendFile, r, row) != 1) return kReadFailed;
      WriteFriend(line, r);
      line.Write(f, true);
      break;
    }
    case 'E': {
      EquipmentRecord r;
      if (ReadRecord(EquipFile, r, row) != 1) return kReadFailed;
      WriteEquipment(line, r);
      line.Write(f);
      break;
    }
    default: {
      AccountRecord a;
      if (ReadRecord(AcctFile, a, row) != 1) return kReadFailed;
      BudgetRecord b;
      if (a.budgetRow != -1 && ReadRecord(BudgetFile, b, a.budgetRow) != 1) return kReadFailed;
      char type[16] = "";
      GetAcctClassName(a.number, type);
      line.Number(a.number).Text(a.name).Money(a.openingBalance).Money(a.currentBalance).Number(a.usageCount);
      line.Text(type);
      for (LONG amount : b.months) line.Money(a.budgetRow != -1 ? amount : 0);
      line.Write(f);
      break;
    }
  }
  return std::ferror(f) ? kWriteFailed : "";
}

std::vector<std::string> NamesOf(char letter) {
  switch (letter) {
    case 'S': return Names(kScoutNames);
    case 'D': return Names(kAdultNames);
    case 'F': return Names(kFriendNames);
    case 'E': return Names(kEquipNames);
    default: return Names(kAcctNames);
  }
}

}  // namespace

int ExportFormatReportId(char setLetter) {
  switch (setLetter) {
    case 'S': return 260;
    case 'D': return 261;
    case 'F': return 262;
    case 'E': return 263;
    case 'A': return 264;
    case 'R': return 265;
    default: return 0;
  }
}

std::string WriteExportFile(char letter, const std::vector<int>& accounts, char delimiter, const char* qualifier,
                            int namesRow, const char* path) {
  const char* q = qualifier ? qualifier : "";
  if (letter == 'R') {
    // The register export opens and writes the file itself.
    if (ExportRegister(path, accounts, 'D', 0, delimiter, q, namesRow, 0, FiscalStartDate, FiscalEndDate) == 0)
      return "No register records exported";
    return "";
  }
  std::string error;
  // The folder of the file, made with its parents when missing.
  const std::string file = path;
  const std::size_t slash = file.find_last_of('/');
  if (slash != std::string::npos && slash > 0) {
    const std::string folder = file.substr(0, slash);
    if (!IsDirectory(folder.c_str()) && !MakePath(folder.c_str())) error = "Could not make the export folder";
  }
  std::FILE* f = nullptr;
  if (error.empty()) {
    f = OpenPrivateFile(path, "wb");
    if (f == nullptr) error = ErrorText(ERR_OPEN, "export file");
  }
  if (f != nullptr) {
    const DataSet set = SetOf(letter);
    ReportProgress("", 0, 100);
    bool progressOpen = true;
    if (namesRow) {
      Line line(delimiter, q);
      for (const std::string& name : NamesOf(letter)) line.Text(name.c_str());
      line.Write(f);
      if (std::ferror(f)) error = kWriteFailed;
    }
    for (int row = 0; row < set.rows && error.empty(); ++row) {
      if (Passes(letter, row)) error = ExportRow(f, letter, row, delimiter, q);
      ReportProgress(set.progress, row + 1, set.rows);
      if (row + 1 == set.rows) progressOpen = false;
    }
    // An empty set or an early stop never reaches the total.
    if (progressOpen) ReportProgress(set.progress, 1, 1);
    if (std::fclose(f) != 0 && error.empty()) error = kWriteFailed;
  }
  return error;
}

void ExportData(char letter, const std::vector<int>& accounts, char delimiter, const char* qualifier, int namesRow,
                const char* path) {
  const std::string error = WriteExportFile(letter, accounts, delimiter, qualifier, namesRow, path);
  if (!error.empty()) {
    DispMessage(error.c_str(), MSG_FATAL);
    return;
  }
  if (AskQuestion("Export complete.\n\nDo you wish to generate a report", ANSWER_YES, 0) == ANSWER_YES)
    ReportDriver(ExportFormatReportId(letter), nullptr);
}
