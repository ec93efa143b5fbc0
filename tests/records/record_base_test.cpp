// The shared behaviour of the management and information dialogs on a small
// made-up entity (names in a table with deleted rows): caption counts,
// refill and selection, button states, the remembered and minimum size,
// Previous and Next with their wrap messages, Apply, Cancel's question.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/AppTestUtil.h"
#include "common/CommonTestUtil.h"
#include "common/DialogSizer.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/host/Keys.h"
#include "platform/window/Window.h"
#include "records/RecordInfoDlg.h"
#include "records/RecordListDlg.h"
#include "res/resource.h"

namespace {

constexpr int kNameId = 3990;

const char* const kTemplates = R"(
dialog 3901
  caption "Thing Management"
  rect 0 0 200 120
  style WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME
  control Static IDC_REC_TITLE "Thing Management" 6 4 120 14
  control Static IDC_REC_SEPARATOR "" 6 20 188 1 SS_ETCHEDHORZ
  control ListBox IDC_REC_LIST "" 6 24 130 90 LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP
  control Button IDC_REC_ADD "&Add..." 144 24 50 14 WS_TABSTOP
  control Button IDC_REC_EDIT "&Edit..." 144 40 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  control Button IDC_REC_DELETE "&Delete" 144 56 50 14 WS_TABSTOP
  control Button IDC_REC_LOG "&Log" 144 72 50 14 WS_TABSTOP
  control Button IDCANCEL "Close" 144 88 50 14 WS_TABSTOP
  control Button IDC_SHELL_HELP "&Help" 144 104 50 14 WS_TABSTOP
end
dialog 3902
  caption "Thing Information"
  rect 0 0 200 80
  control Static IDC_REC_TITLE "Thing Information" 6 4 120 14
  control Edit 3990 "" 6 24 120 12 WS_BORDER | WS_TABSTOP
  control Button IDOK "OK" 6 60 36 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  control Button IDCANCEL "Cancel" 44 60 36 14 WS_TABSTOP
  control Button IDC_REC_APPLY "&Apply" 82 60 36 14 WS_TABSTOP
  control Button IDC_REC_PREV "<< &Prev" 120 40 36 14 WS_TABSTOP
  control Button IDC_REC_NEXT "&Next  >>" 158 40 36 14 WS_TABSTOP
  control Button IDC_SHELL_HELP "&Help" 158 60 36 14 WS_TABSTOP
end
)";

// The made-up entity: a table of names with a capacity, "" for a deleted row.
struct Things {
  std::vector<std::string> rows;
  int capacity = 3;  // live records
  int Live() const {
    int n = 0;
    for (const auto& r : rows) n += !r.empty();
    return n;
  }
};
Things things;

class CThingDlg : public CRecordInfoDlg {
 public:
  CThingDlg() : CRecordInfoDlg(3902) {}
  int Validate() override {
    UpdateData(TRUE);
    if (m_name.IsEmpty()) {
      DispMessage("Name:  A value must be supplied", MSG_WARNING);
      return 0;
    }
    if (m_bNew) {
      things.rows.push_back(static_cast<const char*>(m_name));
      *m_pCurPos = static_cast<int>(things.rows.size()) - 1;
    } else {
      things.rows[static_cast<size_t>(*m_pCurPos)] = static_cast<const char*>(m_name);
    }
    return 1;
  }
  CString m_name;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kNameId, m_name); }
  int LoadFields() override {
    if (m_bNew) {
      m_name = "";
      return 1;
    }
    // A row named "!" cannot be read: the load fails part-way, as a damaged
    // record does, and leaves its garbage behind.
    if (things.rows[static_cast<size_t>(*m_pCurPos)] == "!") {
      m_name = "garbage";
      DispMessage("Failed read: thing", MSG_FATAL);
      return 0;
    }
    m_name = things.rows[static_cast<size_t>(*m_pCurPos)].c_str();
    return 1;
  }
  bool TableFull() const override { return things.Live() >= things.capacity; }
  int LiveCount() const override { return things.Live(); }
  int IndexSize() const override { return static_cast<int>(things.rows.size()); }
  bool IsLiveAt(int pos) const override { return !things.rows[static_cast<size_t>(pos)].empty(); }
  const char* WrapToLastText() const override { return "Going to last thing"; }
  const char* WrapToFirstText() const override { return "Starting at first thing"; }
  std::vector<int> IdentityControls() const override { return {}; }
};

class CThingListDlg : public CRecordListDlg {
 public:
  CThingListDlg() : CRecordListDlg(3901, "THINGK") {}

 protected:
  bool FillRows() override {
    for (size_t i = 0; i < things.rows.size(); ++i)
      if (!things.rows[i].empty()) AddRow(things.rows[i].c_str(), static_cast<int>(i));
    return true;
  }
  CString CaptionText() override {
    CString s;
    const int n = things.Live();
    s.Format("Thing Management (%d thing%s)", n, n == 1 ? "" : "s");
    return s;
  }
  bool CanAdd() override { return things.Live() < things.capacity; }
  const char* EntityWord() const override { return "thing"; }
  int LookupSelected() override { return SelectedData(); }
  bool OpenInfo(bool isNew) override {
    CThingDlg dlg;
    dlg.m_bNew = isNew;
    dlg.m_pCurPos = &m_nCurPos;
    if (!dlg.LoadRecord(1)) return false;
    dlg.DoModal();
    return true;
  }
  bool DeleteSelected() override {
    things.rows[static_cast<size_t>(SelectedData())].clear();
    return true;
  }
};

std::string Caption(HWND h) {
  char text[128] = "";
  GetWindowText(h, text, sizeof text);
  return text;
}

bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }

class RecordBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool added = AddDialogTemplates(kTemplates, "record_base_test", nullptr);
    ASSERT_TRUE(added);
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    things = Things{};
    things.rows = {"apple", "", "cherry"};
  }
  void TearDown() override {
    EXPECT_TRUE(automation::PendingExpectations().empty());
    automation::ResetWindows();
  }
  TempFolder dir;
};

TEST_F(RecordBaseTest, ManagementListCountsSelectsAndEnablesItsButtons) {
  struct Seen {
    std::string caption;
    int count;
    int selected;
    bool add, edit, del, logVisible;
  };
  std::vector<Seen> seen;
  auto look = [&](HWND h) {
    HWND list = GetDlgItem(h, IDC_REC_LIST);
    seen.push_back({Caption(h), static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0)),
                    static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)), Enabled(h, IDC_REC_ADD),
                    Enabled(h, IDC_REC_EDIT), Enabled(h, IDC_REC_DELETE),
                    IsWindowVisible(GetDlgItem(h, IDC_REC_LOG)) != 0});
  };
  automation::OnDialog("Thing Management", [&](HWND h) {
    look(h);
    // Add fills the last free slot: the new row is selected, Add disabled.
    automation::OnDialog("Thing Information", [](HWND info) {
      SetField(info, kNameId, "banana");
      Press(info, IDOK);
    }, IDABORT);
    Press(h, IDC_REC_ADD);
    look(h);
    // Deleting the current record leaves no row selected.
    Press(h, IDC_REC_DELETE);
    look(h);
  }, IDCANCEL);
  CThingListDlg dlg;
  dlg.DoModal();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].caption, "Thing Management (2 things)");
  EXPECT_EQ(seen[0].count, 2);
  EXPECT_EQ(seen[0].selected, 0);
  EXPECT_TRUE(seen[0].add && seen[0].edit && seen[0].del);
  EXPECT_FALSE(seen[0].logVisible);
  EXPECT_EQ(seen[1].caption, "Thing Management (3 things)");
  EXPECT_EQ(seen[1].selected, 2);
  EXPECT_FALSE(seen[1].add);
  EXPECT_EQ(seen[2].caption, "Thing Management (2 things)");
  EXPECT_EQ(seen[2].selected, -1);
  EXPECT_FALSE(seen[2].edit || seen[2].del);
  EXPECT_TRUE(seen[2].add);
}

TEST_F(RecordBaseTest, ManagementWindowKeepsItsMinimumAndRemembersItsSize) {
  int minW = 0, minH = 0;
  automation::OnDialog("Thing Management", [&](HWND h) {
    RECT r{}, list0{}, list1{}, add0{}, add1{};
    GetWindowRect(h, &r);
    minW = r.right - r.left;
    minH = r.bottom - r.top;
    GetWindowRect(GetDlgItem(h, IDC_REC_LIST), &list0);
    GetWindowRect(GetDlgItem(h, IDC_REC_ADD), &add0);
    SetWindowPos(h, nullptr, 0, 0, minW + 40, minH + 30, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    GetWindowRect(GetDlgItem(h, IDC_REC_LIST), &list1);
    GetWindowRect(GetDlgItem(h, IDC_REC_ADD), &add1);
    EXPECT_EQ(list1.right - list1.left, list0.right - list0.left + 40);
    EXPECT_EQ(list1.bottom - list1.top, list0.bottom - list0.top + 30);
    EXPECT_EQ(add1.left - add0.left, 40);
    EXPECT_EQ(add1.top - add0.top, 0);
    // Smaller than the first size snaps back to it.
    SetWindowPos(h, nullptr, 0, 0, minW - 50, minH - 50, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, minW);
    EXPECT_EQ(r.bottom - r.top, minH);
    SetWindowPos(h, nullptr, 0, 0, minW + 10, minH + 20, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
  }, IDCANCEL);
  {
    CThingListDlg dlg;
    dlg.DoModal();
  }
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "THINGK");
  EXPECT_EQ(ReadDialogSize(s, 'X'), minW + 10);
  EXPECT_EQ(ReadDialogSize(s, 'Y'), minH + 20);
  CloseSettingsSection(s);
  // Opened again at that size.
  automation::OnDialog("Thing Management", [&](HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, minW + 10);
    EXPECT_EQ(r.bottom - r.top, minH + 20);
  }, IDCANCEL);
  CThingListDlg again;
  again.DoModal();
}

TEST_F(RecordBaseTest, PrevAndNextSkipDeletedRowsAndWrapWithAMessage) {
  int pos = 0;
  std::vector<std::string> names;
  automation::OnDialog("Thing Information", [&](HWND h) {
    EXPECT_TRUE(Enabled(h, IDC_REC_PREV));
    names.push_back(FieldText(h, kNameId));
    Press(h, IDC_REC_NEXT);  // row 1 is deleted
    names.push_back(FieldText(h, kNameId));
    automation::ExpectMessageBox("Information", "Starting at first thing", IDOK);
    Press(h, IDC_REC_NEXT);
    names.push_back(FieldText(h, kNameId));
    automation::ExpectMessageBox("Information", "Going to last thing", IDOK);
    Press(h, IDC_REC_PREV);
    names.push_back(FieldText(h, kNameId));
    Press(h, IDCANCEL);
  }, IDABORT);
  CThingDlg dlg;
  dlg.m_pCurPos = &pos;
  ASSERT_EQ(dlg.LoadRecord(1), 1);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(names, (std::vector<std::string>{"apple", "cherry", "apple", "cherry"}));
  EXPECT_EQ(pos, 2);

  // With one live record both are disabled, and adding disables them too.
  things.rows = {"apple"};
  pos = 0;
  bool prev = true;
  automation::OnDialog("Thing Information", [&](HWND h) { prev = Enabled(h, IDC_REC_PREV); }, IDCANCEL);
  CThingDlg one;
  one.m_pCurPos = &pos;
  one.LoadRecord(1);
  one.DoModal();
  EXPECT_FALSE(prev);
}

TEST_F(RecordBaseTest, CancelAsksOnlyAfterAChangeAndItsAnswersDecide) {
  const struct {
    int answer;
    int result;  // IDABORT: still open
    const char* stored;
  } cases[] = {
      {ANSWER_YES, IDOK, "apricot"},
      {ANSWER_NO, IDCANCEL, "apple"},
      {ANSWER_CANCEL, IDABORT, "apple"},
  };
  for (const auto& c : cases) {
    things.rows = {"apple", "cherry"};
    int pos = 0;
    automation::OnDialog("Thing Information", [&](HWND h) {
      Press(h, IDCANCEL);  // unchanged: no question
    }, IDABORT);
    CThingDlg plain;
    plain.m_pCurPos = &pos;
    plain.LoadRecord(1);
    EXPECT_EQ(plain.DoModal(), IDCANCEL);

    automation::OnDialog("Thing Information", [&](HWND h) {
      SetField(h, kNameId, "apricot");
      automation::ExpectMessageBox("Question", "Do you wish to save your changes", c.answer);
      Press(h, IDCANCEL);
    }, IDABORT);
    CThingDlg dlg;
    dlg.m_pCurPos = &pos;
    dlg.LoadRecord(1);
    EXPECT_EQ(dlg.DoModal(), c.result) << c.answer;
    EXPECT_EQ(things.rows[0], c.stored) << c.answer;
  }
}

TEST_F(RecordBaseTest, ApplyWhileAddingClearsTheFormAndClosesWhenTheTableIsFull) {
  things.capacity = 4;
  int pos = -1;
  std::vector<std::string> afterApply;
  bool okEnabled = false;
  automation::OnDialog("Thing Information", [&](HWND h) {
    okEnabled = Enabled(h, IDOK);
    // Apply is the default button while adding: Enter saves.
    SetField(h, kNameId, "damson");
    SetFocus(GetDlgItem(h, kNameId));
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    afterApply.push_back(FieldText(h, kNameId));
    // An empty name is refused with one warning; nothing saved.
    automation::ExpectMessageBox("Warning", "Name:  A value must be supplied", IDOK);
    Press(h, IDC_REC_APPLY);
    SetField(h, kNameId, "elder");
    Press(h, IDC_REC_APPLY);  // fills the last slot: the dialog ends
  }, IDABORT);
  CThingDlg dlg;
  dlg.m_bNew = 1;
  dlg.m_pCurPos = &pos;
  ASSERT_EQ(dlg.LoadRecord(1), 1);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(okEnabled);
  EXPECT_EQ(afterApply, std::vector<std::string>{""});
  EXPECT_EQ(things.rows, (std::vector<std::string>{"apple", "", "cherry", "damson", "elder"}));
  EXPECT_EQ(pos, 4);
}

}  // namespace

TEST_F(RecordBaseTest, AFailedLoadOnPrevNextGoesBackAndSavesNothing) {
  things.rows = {"apple", "!", "cherry"};
  int pos = 0;
  bool okEnabled = true, applyEnabled = true, nextEnabled = false;
  std::string shown;
  automation::OnDialog("Thing Information", [&](HWND h) {
    SetField(h, kNameId, "apricot");
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    automation::ExpectMessageBox("Fatal Error", "Failed read: thing", IDOK);
    Press(h, IDC_REC_NEXT);
    okEnabled = Enabled(h, IDOK);
    applyEnabled = Enabled(h, IDC_REC_APPLY);
    nextEnabled = Enabled(h, IDC_REC_NEXT);
    shown = FieldText(h, kNameId);
    // Neither OK nor Enter saves what the failed load left behind.
    Press(h, IDOK);
    SetFocus(GetDlgItem(h, kNameId));
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    // Stepping the other way loads a readable record and saving works again.
    automation::ExpectMessageBox("Information", "Going to last thing", IDOK);
    Press(h, IDC_REC_PREV);
    SetField(h, kNameId, "cranberry");
    Press(h, IDOK);
  }, IDABORT);
  CThingDlg dlg;
  dlg.m_pCurPos = &pos;
  ASSERT_EQ(dlg.LoadRecord(1), 1);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(okEnabled);
  EXPECT_FALSE(applyEnabled);
  EXPECT_TRUE(nextEnabled);
  EXPECT_EQ(shown, "apricot");
  EXPECT_EQ(things.rows, (std::vector<std::string>{"apple", "!", "cranberry"}));
  EXPECT_EQ(pos, 2);
}
