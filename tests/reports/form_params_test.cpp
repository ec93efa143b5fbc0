// The comparison, friends, worksheet, payment collection and savings card
// dialogs on the fixture year, and the worksheets file: its slots, blank
// records, exact titles and the dialog's Save, Delete and silent save.
#include <sys/stat.h>

#include <cstring>
#include <fstream>

#include "RptDialogTest.h"
#include "common/Dates.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "reports/FormParams.h"
#include "reports/Worksheet.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"

namespace {

class FormParamsTest : public RptDialogTest {
 protected:
  void SetUp() override {
    RptDialogTest::SetUp();
    std::snprintf(WorksheetFileName, MAX_PATH, "%s/worksht4.dat", fy.home().c_str());
  }
  static void AddAccount(int number, const char* name) {
    AccountRecord a;
    a.number = number;
    std::snprintf(a.name, sizeof a.name, "%s", name);
    a.classRow = GetAcctClassRow(number);
    ASSERT_EQ(AddAcct(&a, nullptr, 0, nullptr, nullptr), 1) << number;
  }
  static WorksheetRecord Sheet(const std::string& title, const std::string& first = "") {
    WorksheetRecord r;
    r.SetTitle(title);
    r.SetHeading(0, first);
    return r;
  }
  // The titles of the file's records, blank ones as "".
  static std::vector<std::string> FileTitles() {
    std::vector<std::string> out;
    std::FILE* f = std::fopen(WorksheetFileName, "rb");
    WorksheetRecord r;
    while (f && std::fread(r.bytes, 128, 1, f) == 1) out.push_back(r.Title());
    if (f) std::fclose(f);
    return out;
  }
  static void WriteFile(const std::vector<WorksheetRecord>& records, const std::string& tail = "") {
    std::FILE* f = std::fopen(WorksheetFileName, "wb");
    for (const WorksheetRecord& r : records) std::fwrite(r.bytes, 128, 1, f);
    std::fwrite(tail.data(), 1, tail.size(), f);
    std::fclose(f);
  }
};

const std::string kAnna = " Smith, Anna", kCarl = "*Brown, Carl";

TEST_F(FormParamsTest, ComparisonsColumnLimitsAndWidth) {
  for (int n = 501; n <= 507; ++n) AddAccount(n, ("Income " + std::to_string(n)).c_str());
  for (int n = 701; n <= 703; ++n) AddAccount(n, ("Reserve " + std::to_string(n)).c_str());
  auto entries = [](std::initializer_list<int> numbers) {
    std::vector<std::string> out;
    for (int n : numbers) {
      int pos = -1;
      FindAcctIndex(n, &pos);
      out.push_back(std::to_string(n) + "/" + AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].name);
    }
    return out;
  };
  struct Case {
    std::vector<std::string> accounts;
    const char* refusal;  // null: accepted
    int width;
  } cases[] = {
      {entries({501, 502, 503, 504, 505, 701, 702, 703}), "No more than 7 accounts", 0},  // 6 + 4
      {entries({501, 502, 503, 504, 505, 506, 507, 710}), nullptr, kRptLandscapeWidth},  // 8 + 1
      {entries({501, 502, 503, 504, 505, 506, 507, 520, 710}), "No more than 8 accounts", 0},  // 9 + 1
      {entries({520, 620}), nullptr, kRptPortraitWidth},
      {entries({520, 620, 710}), nullptr, kRptLandscapeWidth},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.accounts.size());
    const int result = Run(11, "Income/Expense Comparisons Report", [&](HWND h) {
      Select(h, IDC_RPT_MEMBERS, {kAnna, kCarl});
      Select(h, IDC_RPT_STMT_ACCTS, c.accounts);
      if (c.refusal) {
        automation::ExpectMessageBox("Warning", std::string("Accounts:  ") + c.refusal + " may be selected", IDOK);
        Press(h, IDOK);
        Press(h, IDCANCEL);
      } else {
        Press(h, IDOK);
      }
    }, GetRpt11Params);
    EXPECT_EQ(result, c.refusal ? 0 : 1);
    if (!c.refusal) {
      EXPECT_EQ(ctx_.lineWidth, c.width);
      EXPECT_EQ(AcctCount, static_cast<int>(c.accounts.size()));
      EXPECT_EQ(RptOptionD, 1 | 2);  // a scout and an adult
      EXPECT_EQ(ScoutListCount, 2);
    }
  }
}

TEST_F(FormParamsTest, ComparisonsChecksAndPagePerGrouping) {
  EXPECT_EQ(Run(11, "Income/Expense Comparisons Report", [&](HWND h) {
    EXPECT_EQ(FieldText(h, IDC_RPT_GROUP_BY), std::string("&Group Members by ") + SubunitNoun + ":");
    EXPECT_FALSE(Enabled(h, IDC_RPT_PAGE));
    automation::ExpectMessageBox("Warning", "Members:  No members were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_MEMBERS, {kAnna});
    automation::ExpectMessageBox("Warning", "Accounts:  No accounts were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_STMT_ACCTS, {"520/Fundraising"});
    Check(h, IDC_RPT_GROUP_BY, true);
    Check(h, IDC_RPT_PAGE, true);
    // The page box still counts once grouping is cleared.
    Check(h, IDC_RPT_GROUP_BY, false);
    EXPECT_FALSE(Enabled(h, IDC_RPT_PAGE));
    Press(h, IDOK);
  }, GetRpt11Params), 1);
  EXPECT_EQ(RptOrder, 'N');
  EXPECT_EQ(RptOptionG, 1);
  EXPECT_EQ(RptOptionD, 1);
  EXPECT_EQ(Key("RPT11", 'E', "N"), "Y");
  EXPECT_EQ(Key("RPT11", 'E', "Y"), "");
}

TEST_F(FormParamsTest, FriendsOrderAndSpacing) {
  PutKey("RPT12", 'A', "Q");
  PutKey("RPT12", 'C', "2");
  EXPECT_EQ(Run(12, "Friends-Of-Scouting Report", [&](HWND h) {
    EXPECT_FALSE(Checked(h, IDC_RPT_BY_NAME));
    EXPECT_FALSE(Checked(h, IDC_RPT_BY_NUMBER));
    EXPECT_TRUE(Checked(h, IDC_RPT_DOUBLE));
    Check(h, IDC_RPT_REMARKS, true);
    Press(h, IDOK);
  }, GetRpt12Params), 1);
  EXPECT_EQ(RptOrder, 'D');
  EXPECT_EQ(RptOptionC, 2);
  EXPECT_EQ(RptOptionH, 1);
  EXPECT_EQ(Key("RPT12", 'A'), "D");
  EXPECT_EQ(Key("RPT12", 'B'), "Y");
}

TEST_F(FormParamsTest, WorksheetFileSlots) {
  // The slot of a new title: the last blank record, else the end.
  WriteFile({Sheet("Camp"), WorksheetRecord{}, Sheet("Dues"), WorksheetRecord{}, Sheet("Hike")});
  std::FILE* f = std::fopen(WorksheetFileName, "rb+");
  ASSERT_NE(f, nullptr);
  struct Case {
    const char* title;
    bool found;
    int slot;
  } cases[] = {{"Dues", true, 2}, {"New", false, 3}, {"dues", false, 3}, {"", true, 1}};
  for (const Case& c : cases) {
    bool found = false;
    int slot = -1;
    WorksheetRecord rec;
    CString error;
    ASSERT_TRUE(FindWorksheet(f, c.title, &found, &slot, &rec, &error)) << c.title;
    EXPECT_EQ(found, c.found) << c.title;
    EXPECT_EQ(slot, c.slot) << c.title;
    if (found) {
      EXPECT_EQ(rec.Title(), c.title);
    }
  }
  std::fclose(f);

  // No blank record: the end; a partial record at the end is not one.
  WriteFile({Sheet("Camp")}, std::string(50, 'x'));
  f = std::fopen(WorksheetFileName, "rb+");
  bool found = true;
  int slot = -1;
  CString error;
  ASSERT_TRUE(FindWorksheet(f, "Other", &found, &slot, nullptr, &error));
  EXPECT_FALSE(found);
  EXPECT_EQ(slot, 1);
  std::fclose(f);

  // Fields at their limits keep their terminators.
  WorksheetRecord full;
  full.SetTitle(std::string(40, 'T'));
  for (int i = 0; i < 10; ++i) full.SetHeading(i, "HEADING" + std::to_string(i) + "XYZ");
  EXPECT_EQ(full.Title(), std::string(31, 'T'));
  EXPECT_EQ(full.bytes[31], 0);
  EXPECT_EQ(full.Heading(9), "HEADING9");
  EXPECT_EQ(full.bytes[32 + 9 * 9 + 8], 0);
  EXPECT_EQ(full.bytes[127], 0);

  std::vector<std::string> titles;
  WriteFile({Sheet("Camp"), WorksheetRecord{}, Sheet("Dues")});
  ASSERT_TRUE(ReadWorksheetTitles(WorksheetFileName, &titles, &error));
  EXPECT_EQ(titles, (std::vector<std::string>{"Camp", "Dues"}));
}

TEST_F(FormParamsTest, WorksheetDialogSavesLoadsAndDeletes) {
  WriteFile({Sheet("Camp", "Paid"), WorksheetRecord{}, Sheet("Dues", "Jan"), WorksheetRecord{}});
  PutKey("RPT13", 'A', "dues");  // remembered in another case: the entry is found
  EXPECT_EQ(Run(13, "General Purpose Worksheet", [&](HWND h) {
    EXPECT_EQ(FieldText(h, IDC_WKS_TITLE), "Dues");
    EXPECT_EQ(FieldText(h, IDC_WKS_HEAD1), "Jan");
    EXPECT_TRUE(Enabled(h, IDC_WKS_DELETE));
    // A new title goes to the last blank record.
    SetField(h, IDC_WKS_TITLE, "Swim Test");
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_WKS_TITLE, CBN_EDITCHANGE), 0);
    EXPECT_FALSE(Enabled(h, IDC_WKS_DELETE));
    SetField(h, IDC_WKS_HEAD1, "Lap 1");
    SetField(h, IDC_WKS_HEAD6, "Wide");
    automation::ExpectMessageBox("Information", "Worksheet has been saved", IDOK);
    Press(h, IDC_WKS_SAVE);
    EXPECT_EQ(FileTitles(), (std::vector<std::string>{"Camp", "", "Dues", "Swim Test"}));
    EXPECT_TRUE(Enabled(h, IDC_WKS_DELETE));
    // A title differing only in case enables Delete, but the file's lookup
    // is exact: nothing is deleted.
    SetField(h, IDC_WKS_TITLE, "camp");
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_WKS_TITLE, CBN_EDITCHANGE), 0);
    EXPECT_TRUE(Enabled(h, IDC_WKS_DELETE));
    Press(h, IDC_WKS_DELETE);
    EXPECT_EQ(FileTitles().front(), "Camp");
    // Deleting writes 128 zero bytes and empties the boxes.
    SetField(h, IDC_WKS_TITLE, "Camp");
    automation::ExpectMessageBox("Question", "Do you really want to delete:  \"Camp\"", ANSWER_YES);
    Press(h, IDC_WKS_DELETE);
    EXPECT_EQ(FieldText(h, IDC_WKS_TITLE), "");
    EXPECT_EQ(FileTitles(), (std::vector<std::string>{"", "", "Dues", "Swim Test"}));
    // Back to the saved worksheet; OK saves it silently in place.
    SetField(h, IDC_WKS_TITLE, "Swim Test");
    FocusThrough(h, IDC_WKS_TITLE, IDC_RPT_SCOUTS);
    EXPECT_EQ(FieldText(h, IDC_WKS_HEAD1), "Lap 1");
    EXPECT_EQ(FieldText(h, IDC_WKS_HEAD6), "Wide");
    Press(h, IDOK);
  }, GetRpt13Params), 1);
  std::ifstream in(WorksheetFileName, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 4u * 128);
  EXPECT_EQ(bytes.substr(0, 128), std::string(128, '\0'));
  EXPECT_EQ(FileTitles(), (std::vector<std::string>{"", "", "Dues", "Swim Test"}));
  EXPECT_STREQ(RptUserTitle, "Swim Test");
  EXPECT_STREQ(RptColumnHeads[0], "Lap 1");
  EXPECT_EQ(ctx_.lineWidth, kRptLandscapeWidth);
  EXPECT_EQ(Key("RPT13", 'A'), "Swim Test");
}

TEST_F(FormParamsTest, WorksheetGroupsAndAnEmptyTitle) {
  EXPECT_EQ(Run(13, "General Purpose Worksheet", [&](HWND h) {
    EXPECT_FALSE(Enabled(h, IDC_WKS_SAVE));
    Check(h, IDC_RPT_GROUP_BY, true);
    Check(h, IDC_RPT_SCOUTS, false);
    automation::ExpectMessageBox("Warning", "At least one Group must be included", IDOK);
    Press(h, IDOK);
    // Subunit records alone: grouping is greyed and does not count.
    Check(h, IDC_RPT_SUBUNITS, true);
    EXPECT_FALSE(Enabled(h, IDC_RPT_GROUP_BY));
    SetField(h, IDC_WKS_HEAD2, "Notes");
    Press(h, IDOK);
  }, GetRpt13Params), 1);
  EXPECT_EQ(RptOrder, 'N');
  EXPECT_EQ(RptOptionD, 4);
  EXPECT_EQ(ctx_.lineWidth, kRptPortraitWidth);
  // The empty-titled worksheet is on file but never listed.
  EXPECT_EQ(FileTitles(), (std::vector<std::string>{""}));
  std::vector<std::string> titles;
  CString error;
  ASSERT_TRUE(ReadWorksheetTitles(WorksheetFileName, &titles, &error));
  EXPECT_TRUE(titles.empty());
}

TEST_F(FormParamsTest, AWorksheetFileThatCannotBeOpenedTurnsTheOperationsOff) {
  std::snprintf(WorksheetFileName, MAX_PATH, "%s/missing/worksht4.dat", fy.home().c_str());
  automation::ExpectMessageBox("Fatal Error", "Failed open", IDOK);
  EXPECT_EQ(Run(13, "General Purpose Worksheet", [&](HWND h) {
    SetField(h, IDC_WKS_TITLE, "Camp");
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_WKS_TITLE, CBN_EDITCHANGE), 0);
    EXPECT_FALSE(Enabled(h, IDC_WKS_SAVE));
    EXPECT_FALSE(Enabled(h, IDC_WKS_DELETE));
    Press(h, IDOK);  // no silent save, no further message
  }, GetRpt13Params), 1);
  EXPECT_STREQ(RptUserTitle, "Camp");
}

TEST_F(FormParamsTest, PaymentCollectionAndSavingsCards) {
  EXPECT_EQ(Run(22, "Payment Collection Form", [&](HWND h) {
    EXPECT_EQ(Entries(h, IDC_RPT_SCHED_LIST), (std::vector<std::string>{"599/Dues"}));
    EXPECT_TRUE(Checked(h, IDC_RPT_GROUP_BY));  // grouped by default
    automation::ExpectMessageBox("Warning", "Accounts:  No accounts were selected", IDOK);
    Press(h, IDOK);
    Press(h, IDC_RPT_ACCOUNTS);  // all
    SetField(h, IDC_RPT_ASOF, "01/15/09");
    automation::ExpectMessageBox("Warning", "Collection Date", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_RPT_ASOF, "03/15/08");
    Press(h, IDOK);
  }, GetRpt22Params), 1);
  EXPECT_STREQ(RptSecondDate, "20080315");
  EXPECT_EQ(RptOptionD, 7);
  EXPECT_EQ(RptOrder, 'Y');
  EXPECT_EQ(ctx_.lineWidth, kRptPortraitWidth);
  EXPECT_EQ(fixture::FiscalYear::Account(599).selected, 1);

  // Report 33 opens with the stored accounts; a style out of range checks
  // neither radio.
  PutKey("RPT33", 'B', "7");
  ctx_.lineWidth = 99;
  EXPECT_EQ(Run(33, "Personal Savings Cards", [&](HWND h) {
    EXPECT_EQ(FieldText(h, IDC_RPT_UNIT_CARDS), std::string("&Generate ") + UnitNoun + " Cards");
    EXPECT_EQ(Selected(h, IDC_RPT_STMT_ACCTS), (std::vector<std::string>{"599/Dues"}));
    EXPECT_FALSE(Checked(h, IDC_RPT_DATED));
    EXPECT_FALSE(Checked(h, IDC_RPT_CLASSIC));
    automation::ExpectMessageBox("Warning", "Members:  No members were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_MEMBERS, {kAnna});
    Click(h, IDC_RPT_CLASSIC);
    Press(h, IDOK);
  }, [this](RptContext* c) { return GetRpt33Params(c); }), 1);
  EXPECT_EQ(RptOptionG, 1);
  EXPECT_EQ(RptOrder, 'N');
  EXPECT_EQ(ctx_.lineWidth, kRptPortraitWidth);  // Run resets it; the dialog leaves it
  EXPECT_EQ(Key("RPT33", 'B'), "1");
}

}  // namespace
