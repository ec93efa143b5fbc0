// The report-mode list view in a dialog: columns (a hidden one of width
// zero), items with data, selection by mouse and keys with the
// notifications the parent hears, scrolling by pages, refills, and sizing a
// column from the header.
#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/commctrl/ListView.h"

namespace {

const char* kListDialog = R"(
dialog 7401
  caption "List"
  rect 0 0 220 120
  control SysListView32 301 "" 7 7 200 100 LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP
  control SysListView32 302 "" 7 7 200 100 LVS_REPORT | LVS_SINGLESEL | NOT WS_VISIBLE
end
)";

// The dialog logs the list's notifications: code, item, and for state
// changes the new state.
class ListDialog : public CDialog {
 public:
  ListDialog() : CDialog(7401) {}
  std::vector<std::string> log;
  bool refuseChange = false;
  bool keepColumnsClosed = false;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    auto* lv = reinterpret_cast<NMLISTVIEW*>(lParam);
    switch (nm->code) {
      case LVN_ITEMCHANGING:
        *pResult = refuseChange;
        return TRUE;
      case LVN_ITEMCHANGED:
        log.push_back("changed " + std::to_string(lv->iItem) + " " + std::to_string(lv->uNewState));
        return TRUE;
      case NM_CLICK:
      case NM_DBLCLK:
        log.push_back(std::string(nm->code == NM_CLICK ? "click " : "dblclk ") +
                      std::to_string(reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem));
        return TRUE;
      case LVN_COLUMNCLICK:
        log.push_back("column " + std::to_string(lv->iSubItem));
        return TRUE;
      case HDN_BEGINTRACK: {
        auto* h = reinterpret_cast<NMHEADER*>(lParam);
        *pResult = keepColumnsClosed && h->pitem && h->pitem->cxy == 0;
        return TRUE;
      }
      default: return CDialog::OnNotify(wParam, lParam, pResult);
    }
  }
};

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kListDialog, "list", &error)) << error;
    ASSERT_TRUE(dlg.Create(7401));
    dlg.ShowWindow(SW_SHOW);
    list.SubclassDlgItem(301, &dlg);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, "Date", LVCFMT_LEFT, 60);
    list.InsertColumn(1, "Key", LVCFMT_LEFT, 0);  // hidden: data for the program
    list.InsertColumn(2, "Amount", LVCFMT_RIGHT, 70);
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    list.UnsubclassWindow();
    dlg.DestroyWindow();
    automation::ResetWindows();
  }
  void fill(int n) {
    for (int i = 0; i < n; ++i) {
      char date[16], key[16];
      std::snprintf(date, sizeof date, "01/%d", i % 28 + 1);
      std::snprintf(key, sizeof key, "K%d", i);
      int at = list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, date, 0, 0, 0, 1000 + i);
      list.SetItemText(at, 1, key);
      list.SetItemText(at, 2, (std::to_string(i * 5) + ".00").c_str());
    }
    automation::PumpUntilIdle();
  }
  POINT rowPoint(int item, int col = 0) {
    RECT r;
    list.GetItemRect(item, &r, LVIR_BOUNDS);
    int x = r.left + 4;
    for (int c = 0; c < col; ++c) x += list.GetColumnWidth(c);
    return POINT{x, (r.top + r.bottom) / 2};
  }
  void click(int item, int col = 0, bool shift = false, bool ctrl = false) {
    if (shift) automation::KeyDown(VK_SHIFT);
    if (ctrl) automation::KeyDown(VK_CONTROL);
    automation::PumpUntilIdle();
    automation::Click(list.m_hWnd, rowPoint(item, col));
    automation::PumpUntilIdle();
    if (shift) automation::KeyUp(VK_SHIFT);
    if (ctrl) automation::KeyUp(VK_CONTROL);
    automation::PumpUntilIdle();
  }
  std::vector<int> selected() {
    std::vector<int> out;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos) out.push_back(list.GetNextSelectedItem(pos));
    return out;
  }
  void key(UINT vk, bool shift = false, bool ctrl = false) {
    automation::PressKey(vk, shift, ctrl);
    automation::PumpUntilIdle();
  }

  ListDialog dlg;
  CListCtrl list;
};

TEST_F(ListViewTest, ItemsKeepTextsAndDataAndTheHiddenColumnTakesNoRoom) {
  fill(3);
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(list.GetItemText(1, 1), CString("K1"));
  EXPECT_EQ(list.GetItemText(2, 2), CString("10.00"));
  EXPECT_EQ(list.GetItemData(2), 1002u);
  EXPECT_EQ(list.GetColumnWidth(1), 0);
  LVHITTESTINFO hit;
  hit.pt = rowPoint(0, 2);
  EXPECT_EQ(list.SubItemHitTest(&hit), 0);
  EXPECT_EQ(hit.iSubItem, 2);  // the point right after "Date" is in "Amount"
  LVFINDINFO find;
  find.flags = LVFI_PARAM;
  find.lParam = 1001;
  EXPECT_EQ(list.FindItem(&find), 1);
  find.flags = LVFI_STRING | LVFI_PARTIAL;
  find.psz = "01/3";
  EXPECT_EQ(list.FindItem(&find), 2);
}

TEST_F(ListViewTest, ClicksSelectAndTheParentHearsOfIt) {
  fill(5);
  click(2, 2);  // full-row selection: any column selects
  EXPECT_EQ(selected(), std::vector<int>{2});
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);
  EXPECT_EQ((std::vector<std::string>{"changed 2 2", "changed 2 3", "click 2"}), dlg.log);
  dlg.log.clear();
  automation::DoubleClick(list.m_hWnd, rowPoint(3));
  automation::PumpUntilIdle();
  EXPECT_EQ(dlg.log.back(), "click 3");
  EXPECT_NE(std::find(dlg.log.begin(), dlg.log.end(), "dblclk 3"), dlg.log.end());
  // Below the last item: the selection goes.
  RECT c;
  list.GetClientRect(&c);
  automation::Click(list.m_hWnd, POINT{10, c.bottom - 3});
  automation::PumpUntilIdle();
  EXPECT_TRUE(selected().empty());
}

TEST_F(ListViewTest, ModifierClicksByKindOfList) {
  struct Case {
    const char* what;
    bool single;
    std::vector<int> expect;
  };
  const Case cases[] = {
      {"multiple: click 1, ctrl 3, shift 5 from 3", false, {3, 4, 5}},
      {"single: every click is the only selection", true, {5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list.DeleteAllItems();
    list.ModifyStyle(c.single ? 0 : LVS_SINGLESEL, c.single ? LVS_SINGLESEL : 0);
    fill(8);
    click(1);
    click(3, 0, false, true);
    if (!c.single) {
      EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
    }
    click(5, 0, true, false);
    EXPECT_EQ(selected(), c.expect);
  }
}

TEST_F(ListViewTest, TheParentCanRefuseAChange) {
  fill(3);
  click(0);
  dlg.refuseChange = true;
  click(2);
  EXPECT_EQ(selected(), std::vector<int>{0});
  EXPECT_FALSE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
}

TEST_F(ListViewTest, KeysMoveTheSelectionAndScrollByPages) {
  fill(50);
  int per = list.GetCountPerPage();
  ASSERT_GT(per, 2);
  ASSERT_LT(per, 50);
  list.SetFocus();
  key(VK_DOWN);
  EXPECT_EQ(selected(), std::vector<int>{0});
  key(VK_NEXT);
  EXPECT_EQ(selected(), std::vector<int>{per - 1});
  EXPECT_EQ(list.GetTopIndex(), 0);
  key(VK_NEXT);
  EXPECT_EQ(selected(), std::vector<int>{2 * per - 1});
  EXPECT_EQ(list.GetTopIndex(), per);
  key(VK_END);
  EXPECT_EQ(list.GetTopIndex(), 50 - per);
  key(VK_UP, true);
  EXPECT_EQ(selected(), (std::vector<int>{48, 49}));
  key(VK_HOME);
  EXPECT_EQ(list.GetTopIndex(), 0);
  EXPECT_TRUE(list.EnsureVisible(30, FALSE));
  EXPECT_EQ(list.GetTopIndex(), 30 - per + 1);
  list.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(list.GetTopIndex(), 31);
}

// A refill (delete all, insert again) keeps the selection when the caller
// selects the same data again; the view starts at the top.
TEST_F(ListViewTest, ARefillStartsOverAndFindsTheSelectionByData) {
  fill(40);
  list.SetItemState(25, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list.EnsureVisible(25, FALSE);
  LPARAM chosen = static_cast<LPARAM>(list.GetItemData(list.GetNextItem(-1, LVNI_SELECTED)));
  list.DeleteAllItems();
  EXPECT_EQ(list.GetTopIndex(), 0);
  EXPECT_EQ(list.GetSelectedCount(), 0u);
  fill(40);
  LVFINDINFO find;
  find.flags = LVFI_PARAM;
  find.lParam = chosen;
  int again = list.FindItem(&find);
  list.SetItemState(again, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list.EnsureVisible(again, FALSE);
  EXPECT_EQ(selected(), std::vector<int>{25});
  EXPECT_LE(list.GetTopIndex(), 25);
  EXPECT_GT(list.GetTopIndex() + list.GetCountPerPage(), 25);
}

TEST_F(ListViewTest, DraggingAHeaderDividerSizesTheColumnAndHiddenOnesCanBeKeptClosed) {
  fill(2);
  CHeaderCtrl* header = list.GetHeaderCtrl();
  ASSERT_TRUE(header);
  EXPECT_EQ(header->GetItemCount(), 3);
  RECT date;
  header->GetItemRect(0, &date);
  dlg.keepColumnsClosed = true;
  // The divider after "Date" is also the hidden column's: the first one wins.
  automation::MouseDown(header->m_hWnd, POINT{date.right, 5});
  automation::MouseMove(header->m_hWnd, POINT{date.right + 20, 5});
  automation::MouseUp(header->m_hWnd, POINT{date.right + 20, 5});
  automation::PumpUntilIdle();
  EXPECT_EQ(list.GetColumnWidth(0), 80);
  EXPECT_EQ(list.GetColumnWidth(1), 0);
  LVHITTESTINFO hit;
  hit.pt = rowPoint(0, 2);
  list.SubItemHitTest(&hit);
  EXPECT_EQ(hit.iSubItem, 2);
  // A click on a column's button is a column click for the list's parent.
  RECT amount;
  header->GetItemRect(2, &amount);
  automation::Click(header->m_hWnd, POINT{(amount.left + amount.right) / 2, 5});
  automation::PumpUntilIdle();
  EXPECT_EQ(dlg.log.back(), "column 2");
}

}  // namespace
