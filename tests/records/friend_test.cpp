// Friends on the fixture year (Eve Adams and Dana Miller): the list and
// its caption, the phone rows with their kinds, the year captions of the
// contributions, the checks with their messages, the total, the name in
// another case, the full table, and the hidden Log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordsTestUtil.h"
#include "common/TempFolder.h"
#include "common/Question.h"
#include "records/FriendDlg.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"

namespace {

class FriendTest : public RecordDialogTest {
 protected:
  void SetUp() override {
    RecordDialogTest::SetUp();
    std::snprintf(TempFolder, sizeof TempFolder, "%s", fy.home().c_str());
  }
  int RunInfo(const char* last, std::function<void(HWND)> script) {
    int pos = -1;
    if (last) {
      EXPECT_EQ(FindFriend(1, last, "", &pos), 1);
    }
    return RunRecordDlg<CFriendDlg>("Friend-of-Scouting Information", &pos, last == nullptr, std::move(script));
  }
  static FriendRecord Friend(const char* last, const char* first) {
    int pos = -1;
    EXPECT_EQ(FindFriend(0, last, first, &pos), 1) << last;
    FriendRecord r;
    if (pos >= 0) {
      EXPECT_EQ(ReadRecord(FriendFile, r, FriendTable.byName[static_cast<size_t>(pos)]), 1);
    }
    return r;
  }
  fixture::FiscalYear fy;
};

TEST_F(FriendTest, ANewFriendOffersTheDefaultsAndSavesTrimmedFieldsAndTheTotal) {
  std::vector<std::string> kinds, years;
  std::string city;
  RunInfo(nullptr, [&](HWND h) {
    for (int i = 0; i < 4; ++i) kinds.push_back(FieldText(h, IDC_FOS_PHONE_TYPE0 + i));
    for (int i = 0; i < 4; ++i) years.push_back(FieldText(h, IDC_FOS_YEAR0 + i));
    city = FieldText(h, IDC_FOS_CITY);
    SetField(h, IDC_FOS_LAST, " Baker ");
    SetField(h, IDC_FOS_FIRST, "\tCy");
    SetField(h, IDC_FOS_PHONE1, "555-0100");
    SetField(h, IDC_FOS_AMOUNT1, "10.00");
    SetField(h, IDC_FOS_AMOUNT3, "25.50");
    Press(h, IDOK);
  });
  EXPECT_EQ(kinds[0].rfind("Home", 0), 0u) << kinds[0];
  EXPECT_EQ(kinds[1].rfind("Other", 0), 0u) << kinds[1];
  EXPECT_EQ(years, (std::vector<std::string>{"200&5:", "200&6:", "200&7:", "200&8:"}));
  EXPECT_EQ(city, "Springfield");
  const FriendRecord r = Friend("Baker", "Cy");
  EXPECT_STREQ(r.phones[1].number, "555-0100");
  EXPECT_EQ(r.yearAmounts[1], 1000);
  EXPECT_EQ(r.total, 3550);
}

TEST_F(FriendTest, ChecksInOrderWithTheirMessages) {
  const struct {
    const char* last;
    const char* first;
    int amountRow;
    const char* amount;
    const char* message;
    int focus;
  } cases[] = {
      {"", "Cy", -1, "", "Name (Last,First):  A value must be supplied", IDC_FOS_LAST},
      {"Baker", " ", -1, "", "Name (Last,First):  A value must be supplied", IDC_FOS_FIRST},
      {"MILLER", "dana", -1, "", "Name (Last,First):  A friend already exists with this name", IDC_FOS_LAST},
      {"Baker", "Cy", 2, "-5.00", "2007 Contribution:  May not be less than zero", IDC_FOS_AMOUNT2},
      {"Baker", "Cy", 0, "10000.00", "2005 Contribution:  Exceeds capacity ($9999.99)", IDC_FOS_AMOUNT0},
  };
  for (const auto& c : cases) {
    int focus = 0;
    RunInfo(nullptr, [&](HWND h) {
      SetField(h, IDC_FOS_LAST, c.last);
      SetField(h, IDC_FOS_FIRST, c.first);
      if (c.amountRow >= 0) SetField(h, IDC_FOS_AMOUNT0 + c.amountRow, c.amount);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(h, IDOK);
      focus = GetDlgCtrlID(GetFocus());
      automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(focus, c.focus) << c.message;
  }
  // A friend's own name in another case counts as unchanged.
  EXPECT_EQ(RunInfo("Miller", [](HWND h) {
              SetField(h, IDC_FOS_LAST, "MILLER");
              Press(h, IDOK);
            }),
            IDOK);
  EXPECT_STREQ(Friend("Miller", "Dana").lastName, "MILLER");
}

TEST_F(FriendTest, ManagementListsByNameAndAFullTableClosesTheLastAdd) {
  std::vector<std::string> rows;
  std::string caption, captionAfter;
  bool addEnabled = true;
  const int savedFree = FriendTable.freeCount;
  Drive("Friend Management", [&](HWND h) {
    caption = Caption(h);
    HWND list = GetDlgItem(h, IDC_REC_LIST);
    for (int i = 0; i < SendMessage(list, LB_GETCOUNT, 0, 0); ++i) {
      char text[64] = "";
      SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      rows.emplace_back(text);
    }
    // One free slot left: the Apply that fills it closes the dialog.
    FriendTable.freeCount = 1;
    automation::OnDialog("Friend-of-Scouting Information", [](HWND info) {
      SetField(info, IDC_FOS_LAST, "Baker");
      SetField(info, IDC_FOS_FIRST, "Cy");
      automation::ExpectMessageBox("Information", "maximum number of friends", IDOK);
      Press(info, IDC_REC_APPLY);
    }, IDABORT);
    Press(h, IDC_REC_ADD);
    captionAfter = Caption(h);
    addEnabled = Enabled(h, IDC_REC_ADD);
    automation::ExpectMessageBox("Question", "Adams", ANSWER_YES);
    SendMessage(list, LB_SETCURSEL, 0, 0);
    Press(h, IDC_REC_DELETE);
    Press(h, IDCANCEL);
  }, [] {
    CFriendListDlg dlg;
    dlg.DoModal();
  });
  FriendTable.freeCount = savedFree;
  EXPECT_EQ(caption, "Friend Management (2 friends)");
  EXPECT_EQ(rows, (std::vector<std::string>{"Adams\tEve", "Miller\tDana"}));
  EXPECT_EQ(captionAfter, "Friend Management (3 friends)");
  EXPECT_FALSE(addEnabled);
}

TEST_F(FriendTest, TheHiddenLogListsEveryRow) {
  std::string text;
  Drive("Friend Management", [&](HWND h) {
    automation::OnDialog("Friends", [&](HWND viewer) { text = FieldText(viewer, IDC_TEXTVIEW_TEXT); }, IDCANCEL);
    Press(h, IDC_REC_LOG);
    Press(h, IDCANCEL);
  }, [] {
    CFriendListDlg dlg;
    dlg.DoModal();
  });
  EXPECT_EQ(text.rfind("Row Contrib FName----- LName---------- D Year1-- ", 0), 0u);
  EXPECT_NE(text.find("\r\n  0    7500 Dana        Miller          0 "), std::string::npos);
}

}  // namespace
