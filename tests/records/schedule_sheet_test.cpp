// The schedule sheet on the fixture year: its header and tab captions that
// count dates and participants, weekly and monthly generation with the
// overwrite question, duplicate and missing dates, participants' amounts,
// the one-schedule-per-account rule and the Initial Owed explanation.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "RecordsTestUtil.h"
#include "common/Question.h"
#include "platform/propsheet/PropSheetDefs.h"
#include "platform/window/CommCtrlDefs.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "records/MemberCommands.h"
#include "records/SchDlg.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "support/GoldenImage.h"

namespace {

// A control anywhere below `root` (the pages are children of the sheet).
HWND Find(HWND root, int id) {
  for (HWND c = GetWindow(root, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(c) == id) return c;
    if (HWND inner = Find(c, id)) return inner;
  }
  return nullptr;
}

void Set(HWND sheet, int id, const std::string& text) { SetWindowText(Find(sheet, id), text.c_str()); }
std::string Text(HWND sheet, int id) {
  char buf[128] = "";
  GetWindowText(Find(sheet, id), buf, sizeof buf);
  return buf;
}
void Click(HWND sheet, int id) {
  HWND c = Find(sheet, id);
  SendMessage(GetParent(c), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(c));
  automation::PumpUntilIdle();
}
void Tick(HWND sheet, int row) {
  SendMessage(Find(sheet, IDC_SCH_PART0 + row), BM_SETCHECK, BST_CHECKED, 0);
  Click(sheet, IDC_SCH_PART0 + row);
}
std::string Tab(HWND sheet, int index) {
  char buf[64] = "";
  TCITEM item{};
  item.mask = TCIF_TEXT;
  item.pszText = buf;
  item.cchTextMax = sizeof buf;
  SendMessage(GetDlgItem(sheet, AFX_IDC_TAB_CONTROL), TCM_GETITEM, static_cast<WPARAM>(index),
              reinterpret_cast<LPARAM>(&item));
  return buf;
}
int ActiveTab(HWND sheet) {
  return static_cast<int>(SendMessage(GetDlgItem(sheet, AFX_IDC_TAB_CONTROL), TCM_GETCURSEL, 0, 0));
}
void ChooseAccount(HWND sheet, const char* number) {
  SendMessage(Find(sheet, IDC_SCH_ACCOUNT), CB_SELECTSTRING, static_cast<WPARAM>(-1),
              reinterpret_cast<LPARAM>(number));
}

class ScheduleSheetTest : public RecordDialogTest {
 protected:
  void SetUp() override {
    RecordDialogTest::SetUp();
    ASSERT_EQ(OpenScheduleFiles(), 1);
  }
  void TearDown() override {
    RecordDialogTest::TearDown();
    CloseScheduleFiles();
  }
  // Runs the sheet for a new schedule (name empty) or the named one; the
  // sheet object stays for the test to look at.
  int Run(const char* name, std::function<void(HWND)> script) {
    pos = -1;
    if (name) {
      EXPECT_EQ(FindScheduleByName(0, name, &pos), 1);
    }
    sheet = std::make_unique<CSchDlg>();
    sheet->m_bNew = name == nullptr;
    sheet->m_pCurPos = &pos;
    int result = 0;
    Drive("Schedule Information", std::move(script), [&] { result = static_cast<int>(sheet->DoModal()); });
    return result;
  }
  // A new schedule with a name, an account and one date, on the Dates page.
  static void Header(HWND h, const char* name, const char* account) {
    Set(h, IDC_SCH_NAME, name);
    ChooseAccount(h, account);
  }
  fixture::FiscalYear fy;
  std::unique_ptr<CSchDlg> sheet;
  int pos = -1;
};

TEST_F(ScheduleSheetTest, AnExistingScheduleOpensOnItsDatesWithCountsInTheTabs) {
  std::string tabs[3], name, account;
  int active = -1, focus = 0;
  bool prev = true;
  Run("Monthly Dues", [&](HWND h) {
    for (int i = 0; i < 3; ++i) tabs[i] = Tab(h, i);
    active = ActiveTab(h);
    name = Text(h, IDC_SCH_NAME);
    account = Text(h, IDC_SCH_ACCOUNT);
    prev = IsWindowEnabled(Find(h, IDC_SCH_PREV)) != 0;
    focus = GetDlgCtrlID(GetFocus());
    automation::PumpUntilIdle();
    EXPECT_TRUE(golden::Matches("records/schedule_sheet.png", [&](const std::string& path) {
      return automation::RenderToPng(h, path);
    }));
    // Moving through the fields changes nothing.
    for (int id : {IDC_SCH_DATE0, IDC_SCH_AMOUNT0, IDC_SCH_DATE0 + 1, IDC_SCH_NAME}) {
      SetFocus(Find(h, id));
      automation::PumpUntilIdle();
    }
    EXPECT_FALSE(sheet->m_dates.m_bChanged);
    EXPECT_FALSE(sheet->m_bChanged);
    // Clearing a participant counts at once.
    Click(h, AFX_IDC_TAB_CONTROL);
    SendMessage(Find(h, IDC_SCH_PART0), BM_SETCHECK, BST_UNCHECKED, 0);
    Click(h, IDC_SCH_PART0);
    tabs[2] = Tab(h, 2);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(tabs[0], "Generate Dates");
  EXPECT_EQ(tabs[1], "Dates (3)");
  EXPECT_EQ(tabs[2], "Participants (1)");
  EXPECT_EQ(active, 1);
  EXPECT_EQ(name, "Monthly Dues");
  EXPECT_EQ(account, "599 (Dues)");
  EXPECT_FALSE(prev);  // one live schedule
  EXPECT_EQ(focus, IDC_SCH_NAME);
}

TEST_F(ScheduleSheetTest, GeneratesWeeklyAndMonthlyDatesAndAsksBeforeOverwriting) {
  std::string weeklyTab;
  int active = -1;
  Run(nullptr, [&](HWND h) {
    EXPECT_EQ(ActiveTab(h), 0);
    EXPECT_FALSE(IsWindowEnabled(Find(h, IDC_SCH_GENERATE)));
    Set(h, IDC_SCH_FIRST_DATE, "01/07/08");
    Set(h, IDC_SCH_SECOND_DATE, "01/28/08");
    Click(h, IDC_SCH_GENERATE);
    weeklyTab = Tab(h, 1);
    active = ActiveTab(h);
    EXPECT_EQ(Text(h, IDC_SCH_DATE0 + 3), "01/28/08");
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(weeklyTab, "Dates (4)");
  EXPECT_EQ(active, 1);
  const char* weekly[] = {"20080107", "20080114", "20080121", "20080128", ""};
  for (int i = 0; i < 5; ++i) EXPECT_STREQ(sheet->m_edited.dueDates[i], weekly[i]) << i;
  EXPECT_EQ(sheet->m_edited.frequency, 'W');

  Run(nullptr, [&](HWND h) {
    SendMessage(Find(h, IDC_SCH_MONTHLY), BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(Find(h, IDC_SCH_WEEKLY), BM_SETCHECK, BST_UNCHECKED, 0);
    Set(h, IDC_SCH_FIRST_DATE, "01/02/08");
    Set(h, IDC_SCH_SECOND_DATE, "04/30/08");
    Click(h, IDC_SCH_GENERATE);
    // Again, over dates: No keeps them, and the range typed stays.
    Click(h, AFX_IDC_TAB_CONTROL);
    sheet->SetActivePage(&sheet->m_gen);
    Set(h, IDC_SCH_SECOND_DATE, "02/28/08");
    automation::ExpectMessageBox("Question", "Do you really wish to overwrite the schedule's current dates",
                                 ANSWER_NO);
    Click(h, IDC_SCH_GENERATE);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  const char* monthly[] = {"20080102", "20080206", "20080305", "20080402", ""};
  for (int i = 0; i < 5; ++i) EXPECT_STREQ(sheet->m_edited.dueDates[i], monthly[i]) << i;
  EXPECT_EQ(sheet->m_edited.frequency, 'M');
  EXPECT_STREQ(sheet->m_edited.secondDate, "20080228");
}

TEST_F(ScheduleSheetTest, RefusesMissingAndDuplicatedDatesOnTheDatesPage) {
  const struct {
    const char* dates[2];
    const char* message;
    int focus;
  } cases[] = {
      {{"", ""}, "Dates:  You must identify dates for the schedule", 0},
      {{"02/01/08", "02/01/08"}, "Date:  The date 02/01/08 is duplicated", IDC_SCH_DATE0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    int active = -1, focus = 0;
    Run(nullptr, [&](HWND h) {
      Header(h, "Camp Fees", "520");
      sheet->SetActivePage(&sheet->m_part);
      sheet->SetActivePage(&sheet->m_dates);
      Set(h, IDC_SCH_DATE0, c.dates[0]);
      Set(h, IDC_SCH_DATE0 + 1, c.dates[1]);
      sheet->SetActivePage(&sheet->m_gen);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      SetFocus(Find(h, IDOK));
      Press(h, IDOK);
      active = ActiveTab(h);
      focus = GetDlgCtrlID(GetFocus());
      automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(active, 1);
    if (c.focus) {
      EXPECT_EQ(focus, c.focus);
    }
  }
}

TEST_F(ScheduleSheetTest, ParticipantsOwedAndPaidAndOneSchedulePerAccount) {
  const int schedules = ScheduleTable.liveCount;
  int warnings = 0;
  automation::OnDialog("One Moment", [&](HWND) { ++warnings; }, IDOK);
  const int result = Run(nullptr, [&](HWND h) {
    Header(h, "Camp Fees", "520");
    sheet->SetActivePage(&sheet->m_dates);
    Set(h, IDC_SCH_DATE0, "03/01/08");
    Set(h, IDC_SCH_AMOUNT0, "25");
    sheet->SetActivePage(&sheet->m_part);
    automation::ExpectMessageBox("Warning", "Participants:  You must identify participants in the schedule", IDOK);
    SetFocus(Find(h, IDOK));
    Press(h, IDOK);
    Tick(h, 0);
    EXPECT_EQ(Tab(h, 2), "Participants (1)");
    // The first real change of an Initial Owed explains the field, once.
    SetFocus(Find(h, IDC_SCH_OWED0));
    automation::PumpUntilIdle();
    SendMessage(Find(h, IDC_SCH_OWED0), EM_SETSEL, 0, -1);
    automation::TypeText("12.5");
    automation::PumpUntilIdle();
    automation::PumpUntilIdle();
    SetFocus(Find(h, IDC_SCH_PAID0));
    automation::PumpUntilIdle();
    SendMessage(Find(h, IDC_SCH_PAID0), EM_SETSEL, 0, -1);
    automation::TypeText("2");
    automation::PumpUntilIdle();
    SetFocus(Find(h, IDC_SCH_OWED0));
    automation::PumpUntilIdle();
    SendMessage(Find(h, IDC_SCH_OWED0), EM_SETSEL, 0, -1);
    automation::TypeText("13");
    automation::PumpUntilIdle();
    SetFocus(Find(h, IDOK));
    automation::PumpUntilIdle();
    Press(h, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(ScheduleTable.liveCount, schedules + 1);
  // Anna (the first holder) takes part with what was typed.
  bool found = false;
  for (int r = 0;; ++r) {
    ParticipantRecord p;
    if (ReadRecord(ParticipantFile, p, r) != 1) break;
    if (p.scheduleRow == ScheduleTable.byName[static_cast<size_t>(pos)] && p.memberRow == sheet->m_slots[0].memberRow) {
      found = true;
      EXPECT_EQ(p.initialOwed, 1300);
      EXPECT_EQ(p.initialPaid, 200);
    }
  }
  EXPECT_TRUE(found);

  // A second schedule on the dues account may not take in a member of the
  // first: the page shows the member and nothing is saved.
  const int live = ScheduleTable.liveCount;
  int focus = 0;
  Run(nullptr, [&](HWND h) {
    Header(h, "Extra Dues", "599");
    sheet->SetActivePage(&sheet->m_dates);
    Set(h, IDC_SCH_DATE0, "03/01/08");
    sheet->SetActivePage(&sheet->m_part);
    Tick(h, 1);
    sheet->SetActivePage(&sheet->m_gen);
    automation::ExpectMessageBox("Warning",
                                 "Participants:  Anna Smith may not be a participant.\nAnna already participates "
                                 "in a different 599 schedule",
                                 IDOK);
    SetFocus(Find(h, IDOK));
    Press(h, IDOK);
    focus = GetDlgCtrlID(GetFocus());
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(ScheduleTable.liveCount, live);
  EXPECT_EQ(focus, IDC_SCH_PART0 + 1);
}

TEST_F(ScheduleSheetTest, PassbookHolderTicksEveryActiveHolderThenClearsThem) {
  std::string first, second;
  Run(nullptr, [&](HWND h) {
    sheet->SetActivePage(&sheet->m_part);
    Click(h, IDC_SCH_HOLDERS);
    first = Tab(h, 2);
    Click(h, IDC_SCH_HOLDERS);
    second = Tab(h, 2);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(first, "Participants (4)");
  EXPECT_EQ(second, "Participants (0)");
  for (int i = 0; i < sheet->m_nHolders; ++i) EXPECT_EQ(sheet->m_slots[i].initialOwed, 0);
}

TEST_F(ScheduleSheetTest, EnterAddsAndClearsForTheNextAndPrevNextWrap) {
  std::string cleared;
  int active = -1;
  Run(nullptr, [&](HWND h) {
    Header(h, "Camp Fees", "520");
    sheet->SetActivePage(&sheet->m_dates);
    Set(h, IDC_SCH_DATE0, "03/01/08");
    sheet->SetActivePage(&sheet->m_part);
    Tick(h, 2);
    SetFocus(Find(h, IDC_SCH_NAME));
    automation::PumpUntilIdle();
    Press(h, IDOK);  // Enter outside OK: saved, and a blank schedule follows
    cleared = Text(h, IDC_SCH_NAME);
    active = ActiveTab(h);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(cleared, "");
  EXPECT_EQ(active, 1);
  EXPECT_EQ(ScheduleTable.liveCount, 2);

  std::string next, prev;
  Run("Monthly Dues", [&](HWND h) {
    automation::ExpectMessageBox("Information", "Starting at first schedule", IDOK);
    Press(h, IDC_SCH_NEXT);
    next = Text(h, IDC_SCH_NAME);
    automation::ExpectMessageBox("Information", "Going to last schedule", IDOK);
    Press(h, IDC_SCH_PREV);
    prev = Text(h, IDC_SCH_NAME);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(next, "Camp Fees");
  EXPECT_EQ(prev, "Monthly Dues");
}

TEST_F(ScheduleSheetTest, AltLCopiesTheFocusedAmountToEveryDate) {
  Run("Monthly Dues", [&](HWND h) {
    SetFocus(Find(h, IDC_SCH_AMOUNT0 + 1));
    automation::PumpUntilIdle();
    SendMessage(Find(h, IDC_SCH_AMOUNT0 + 1), EM_SETSEL, 0, -1);
    automation::TypeText("7");
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("Question", "Set all amounts to $7.00", ANSWER_YES);
    automation::PressKey('L', false, false, true);
    automation::PumpUntilIdle();
    SetFocus(Find(h, IDC_SCH_NAME));
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  for (int i = 0; i < 3; ++i) EXPECT_EQ(sheet->m_edited.amounts[i], 700) << i;
  EXPECT_EQ(sheet->m_edited.amounts[3], 0);
}

TEST_F(ScheduleSheetTest, EditSchedulesListsThemAndOpensTheSheetWithTheFilesOpen) {
  ClearCommands();
  InstallMemberDialogs();
  for (UINT id : {ID_EDIT_SCOUTS, ID_EDIT_ADULTS, ID_EDIT_SUBUNITS, ID_EDIT_SCHEDULES, ID_EDIT_EQUIPMENT})
    EXPECT_NE(FindCommand(id), nullptr) << id;
  CloseScheduleFiles();
  std::string list, sheetName;
  bool open = false;
  automation::OnDialog("Schedule Information", [&](HWND h) {
    sheetName = Text(h, IDC_SCH_NAME);
    open = ScheduleFile != nullptr && ParticipantFile != nullptr;
    Press(h, IDCANCEL);
  }, IDABORT);
  Drive("Schedule Management", [&](HWND h) {
    list = Caption(h);
    Press(h, IDC_REC_EDIT);
    Press(h, IDCANCEL);
  }, [] { FindCommand(ID_EDIT_SCHEDULES)(); });
  ClearCommands();
  EXPECT_EQ(list, "Schedule Management (1 schedule)");
  EXPECT_EQ(sheetName, "Monthly Dues");
  EXPECT_TRUE(open);
  EXPECT_EQ(ScheduleFile, nullptr);
  ASSERT_EQ(OpenScheduleFiles(), 1);
}

// A schedule whose participants cannot be read is never shown half read:
// saving it would free every participant the load missed.
TEST_F(ScheduleSheetTest, AFailedLoadShowsABlankScheduleThatCannotBeSaved) {
  // Reads of the participant file fail (it is open for appending only).
  FILE* participants = ParticipantFile;
  ParticipantFile = std::fopen(ParticipantPath, "ab");
  ASSERT_NE(ParticipantFile, nullptr);
  std::string name, tab;
  bool ok = true, apply = true;
  automation::ExpectMessageBox("Fatal Error", "Failed read: participant", IDOK);
  const int result = Run("Monthly Dues", [&](HWND h) {
    std::fclose(ParticipantFile);
    ParticipantFile = participants;
    name = Text(h, IDC_SCH_NAME);
    tab = Tab(h, 2);
    ok = IsWindowEnabled(GetDlgItem(h, IDOK)) != 0;
    apply = IsWindowEnabled(GetDlgItem(h, IDC_SCH_APPLY)) != 0;
    Click(h, IDOK);
    Click(h, IDC_SCH_APPLY);
    Click(h, IDCANCEL);
  });
  if (ParticipantFile != participants) {
    std::fclose(ParticipantFile);
    ParticipantFile = participants;
  }
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(name, "");
  EXPECT_EQ(tab, "Participants (0)");
  EXPECT_FALSE(ok);
  EXPECT_FALSE(apply);
  // Both scouts still take part.
  std::string again;
  Run("Monthly Dues", [&](HWND h) {
    again = Tab(h, 2);
    Click(h, IDCANCEL);
  });
  EXPECT_EQ(again, "Participants (2)");
}

}  // namespace
