// The tree view in a dialog: items under items with data, expanding by the
// button, by double-click (unless the parent handles it) and by keys,
// selection by mouse and keys with TVN_SELCHANGED, and a collapse that
// hides the selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/commctrl/TreeView.h"

namespace {

const char* kTreeDialog = R"(
dialog 7501
  caption "Tree"
  rect 0 0 180 140
  control SysTreeView32 1592 "" 7 7 160 120 TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP
end
)";

class TreeDialog : public CDialog {
 public:
  TreeDialog() : CDialog(7501) {}
  std::vector<std::string> log;
  bool handleDblClk = false;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    auto* tvn = reinterpret_cast<NMTREEVIEW*>(lParam);
    switch (nm->code) {
      case TVN_SELCHANGED:
        log.push_back("sel " + std::to_string(tvn->itemOld.lParam) + ">" + std::to_string(tvn->itemNew.lParam));
        return TRUE;
      case TVN_ITEMEXPANDED:
        log.push_back((tvn->action == TVE_EXPAND ? "open " : "close ") + std::to_string(tvn->itemNew.lParam));
        return TRUE;
      case NM_DBLCLK:
        log.push_back("dblclk");
        *pResult = handleDblClk;
        return TRUE;
      default: return CDialog::OnNotify(wParam, lParam, pResult);
    }
  }
};

class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kTreeDialog, "tree", &error)) << error;
    ASSERT_TRUE(dlg.Create(7501));
    dlg.ShowWindow(SW_SHOW);
    tree.SubclassDlgItem(1592, &dlg);
    backup = add("Backup", 1, TVI_ROOT);
    add("Q3", 2, backup);
    setup = add("Setup", 3, TVI_ROOT);
    general = add("General", 4, setup);
    add("Q2", 5, general);
    printers = add("Printers", 6, setup);
    q1 = add("Q1", 7, printers);
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    tree.UnsubclassWindow();
    dlg.DestroyWindow();
    automation::ResetWindows();
  }
  HTREEITEM add(const char* text, LPARAM data, HTREEITEM parent) {
    return tree.InsertItem(TVIF_TEXT | TVIF_PARAM, text, 0, 0, 0, 0, data, parent, TVI_LAST);
  }
  POINT labelPoint(HTREEITEM item) {
    RECT r;
    EXPECT_TRUE(tree.GetItemRect(item, &r, TRUE));
    return POINT{r.left + 3, (r.top + r.bottom) / 2};
  }
  POINT buttonPoint(HTREEITEM item) {
    POINT p = labelPoint(item);
    return POINT{p.x - 3 - static_cast<int>(tree.GetIndent()) / 2, p.y};
  }
  void click(POINT p) {
    automation::Click(tree.m_hWnd, p);
    automation::PumpUntilIdle();
  }
  void key(UINT vk) {
    automation::PressKey(vk);
    automation::PumpUntilIdle();
  }
  std::vector<std::string> visible() {
    std::vector<std::string> out;
    for (HTREEITEM h = tree.GetFirstVisibleItem(); h; h = tree.GetNextVisibleItem(h))
      out.push_back(static_cast<const char*>(tree.GetItemText(h)));
    return out;
  }

  TreeDialog dlg;
  CTreeCtrl tree;
  HTREEITEM backup{}, setup{}, general{}, printers{}, q1{};
};

TEST_F(TreeViewTest, ItemsHangUnderTheirParentsInOrder) {
  EXPECT_EQ(tree.GetCount(), 7u);
  EXPECT_EQ(tree.GetRootItem(), backup);
  EXPECT_EQ(tree.GetNextSiblingItem(backup), setup);
  EXPECT_EQ(tree.GetChildItem(setup), general);
  EXPECT_EQ(tree.GetParentItem(q1), printers);
  EXPECT_EQ(tree.GetItemData(q1), 7u);
  EXPECT_TRUE(tree.ItemHasChildren(general));
  EXPECT_FALSE(tree.ItemHasChildren(q1));
  EXPECT_EQ(visible(), (std::vector<std::string>{"Backup", "Setup"}));
  EXPECT_FALSE(tree.GetItemRect(q1, nullptr, TRUE));
}

TEST_F(TreeViewTest, TheButtonOpensAndClosesAndALabelClickSelects) {
  click(buttonPoint(setup));
  EXPECT_EQ(visible(), (std::vector<std::string>{"Backup", "Setup", "General", "Printers"}));
  click(labelPoint(printers));
  EXPECT_EQ(tree.GetSelectedItem(), printers);
  click(buttonPoint(setup));
  EXPECT_EQ(visible(), (std::vector<std::string>{"Backup", "Setup"}));
  // The selection was hidden: it moved to the item that closed.
  EXPECT_EQ(tree.GetSelectedItem(), setup);
  EXPECT_EQ((std::vector<std::string>{"open 3", "sel 0>6", "sel 6>3", "close 3"}), dlg.log);
}

TEST_F(TreeViewTest, ADoubleClickTogglesUnlessTheParentHandlesIt) {
  automation::DoubleClick(tree.m_hWnd, labelPoint(backup));
  automation::PumpUntilIdle();
  EXPECT_TRUE(tree.GetItemState(backup, TVIS_EXPANDED));
  dlg.handleDblClk = true;
  automation::DoubleClick(tree.m_hWnd, labelPoint(backup));
  automation::PumpUntilIdle();
  EXPECT_TRUE(tree.GetItemState(backup, TVIS_EXPANDED));
}

TEST_F(TreeViewTest, KeysWalkTheVisibleItems) {
  tree.SetFocus();
  key(VK_DOWN);  // nothing selected: the first item
  EXPECT_EQ(tree.GetSelectedItem(), backup);
  key(VK_DOWN);
  EXPECT_EQ(tree.GetSelectedItem(), setup);
  key(VK_RIGHT);  // opens
  EXPECT_TRUE(tree.GetItemState(setup, TVIS_EXPANDED));
  key(VK_RIGHT);  // to the first child
  EXPECT_EQ(tree.GetSelectedItem(), general);
  key(VK_END);
  EXPECT_EQ(tree.GetSelectedItem(), printers);
  key(VK_LEFT);  // closed: to the parent
  EXPECT_EQ(tree.GetSelectedItem(), setup);
  key(VK_LEFT);  // open: closes
  EXPECT_FALSE(tree.GetItemState(setup, TVIS_EXPANDED));
  tree.SelectItem(q1);  // selecting a hidden item opens its branch
  EXPECT_EQ(visible(), (std::vector<std::string>{"Backup", "Setup", "General", "Printers", "Q1"}));
}

TEST_F(TreeViewTest, DeletingABranchTakesItsItemsAndTheSelection) {
  tree.SelectItem(q1);
  EXPECT_TRUE(tree.DeleteItem(setup));
  EXPECT_EQ(tree.GetCount(), 2u);
  EXPECT_EQ(tree.GetSelectedItem(), nullptr);
  EXPECT_EQ(tree.GetItemText(q1), CString(""));  // a handle of a deleted item is no item
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetCount(), 0u);
}

}  // namespace
