// The FAQ files and their browser: the header's layout, the category tree
// with "General" grouping, damaged files, the answer text and the browser's
// Select.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "app/FaqDlg.h"
#include "app/FaqList.h"
#include "app/TipDlg.h"
#include "platform/base/Resources.h"
#include "common/CommonTestUtil.h"
#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "res/resource.h"

namespace {

std::vector<std::string> shownAnswers;
int RecordAnswer(const FaqEntry& entry) {
  shownAnswers.push_back(entry.question);
  return 1;
}

class FaqTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    SetUnitType(0);
    shownAnswers.clear();
    SetFaqAnswerViewer(RecordAnswer);
  }
  void TearDown() override {
    EXPECT_TRUE(automation::PendingExpectations().empty());
    SetFaqAnswerViewer(nullptr);
    automation::ClearResponder();
    automation::ResetWindows();
  }
  // A question file; `length` overrides the answer length in the header.
  void WriteFaq(const std::string& file, const std::string& path, const std::string& question,
                const std::string& answer, int length = -1000) {
    FaqEntry e;
    e.answerLength = length == -1000 ? static_cast<int>(answer.size()) : length;
    std::snprintf(e.number, sizeof e.number, "%d", ++number % 1000);
    std::snprintf(e.path, sizeof e.path, "%s", path.c_str());
    std::snprintf(e.question, sizeof e.question, "%s", question.c_str());
    std::snprintf(e.answerFile, sizeof e.answerFile, "%s", file.c_str());
    unsigned char header[kFaqHeaderSize];
    EncodeFaqHeader(e, header);
    WriteBytes(dir / file, std::string(reinterpret_cast<char*>(header), sizeof header) + answer);
  }
  static std::string Tree(CTreeCtrl& tree, HTREEITEM parent) {
    std::string out;
    for (HTREEITEM i = tree.GetChildItem(parent); i; i = tree.GetNextSiblingItem(i)) {
      if (!out.empty()) out += " ";
      out += static_cast<const char*>(tree.GetItemText(i));
      if (tree.ItemHasChildren(i)) out += "(" + Tree(tree, i) + ")";
    }
    return out;
  }

  TempFolder dir;
  int number = 0;
};

TEST_F(FaqTest, HeaderFieldsSitAtTheirOffsets) {
  FaqEntry e;
  e.answerLength = 0x01020304;
  std::strcpy(e.number, "12");
  std::strcpy(e.path, "Setup/Q");
  std::strcpy(e.question, "Why?");
  std::strcpy(e.answerFile, "A.FAQ");
  unsigned char b[kFaqHeaderSize];
  EncodeFaqHeader(e, b);
  EXPECT_EQ(b[4], 0x04);
  EXPECT_EQ(b[7], 0x01);
  EXPECT_STREQ(reinterpret_cast<char*>(b + 16), "12");
  EXPECT_STREQ(reinterpret_cast<char*>(b + 24), "Setup/Q");
  EXPECT_STREQ(reinterpret_cast<char*>(b + 182), "Why?");
  EXPECT_STREQ(reinterpret_cast<char*>(b + 439), "A.FAQ");
  // A text that fills its field is cut at the field's end.
  std::memset(b + 24, 'x', 158);
  FaqEntry back;
  DecodeFaqHeader(b, back);
  EXPECT_EQ(back.answerLength, 0x01020304);
  EXPECT_EQ(std::strlen(back.path), 157u);
  EXPECT_STREQ(back.question, "Why?");
}

TEST_F(FaqTest, TreeGroupsQuestionsBesideSubcategoriesUnderGeneralAndSkipsDamagedFiles) {
  WriteFaq("A.FAQ", "Setup/Printers/Q1", "Which printer?", "Any.\n");
  WriteFaq("B.faq", "Setup/Q2", "How to set up?", "Run it.\n");
  WriteFaq("C.FAQ", "Backup/Q3", "How to back up?", "Daily.\n");
  WriteFaq("D.FAQ", "&Unit", "Who is the &unit?", "You.\n");
  WriteFaq("E.FAQ", "Setup/Q2", "Same path again", "Twice.\n");
  WriteFaq("F.FAQ", "Broken/Q", "Negative", "x\n", -5);
  WriteFaq("G.FAQ", "Broken/Q", "Too long", "x\n", 500);
  WriteBytes(dir / "H.FAQ", "short");
  WriteBytes(dir / "notes.txt", "not a question");
  for (const char* name : {"F.FAQ", "G.FAQ", "H.FAQ"})
    automation::ExpectMessageBox("Error", std::string("The question file ") + name + " is damaged and was skipped",
                                 IDOK);
  FaqList* list = ReadFaqFiles(dir.path().c_str());
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count, 5);
  EXPECT_STREQ(list->entries[0].path, "Backup/Q3");
  EXPECT_STREQ(list->entries[1].path, "Setup/General/Q2");
  EXPECT_STREQ(list->entries[3].path, "Setup/Printers/Q1");
  EXPECT_STREQ(list->entries[4].path, "Troop");  // upper case before lower case
  EXPECT_STREQ(list->entries[4].question, "Who is the troop?");

  std::string tree;
  automation::OnDialog(
      "Frequently Asked Questions",
      [&](HWND h) {
        auto* dlg = dynamic_cast<CFaqDlg*>(CWnd::FromHandlePermanent(h));
        ASSERT_NE(dlg, nullptr);
        tree = Tree(dlg->m_tree, TVI_ROOT);
        // A category toggles; a question shows its answer.
        HTREEITEM backup = dlg->m_tree.GetRootItem();
        dlg->m_tree.SelectItem(backup);
        Press(h, IDC_FAQ_SELECT);
        EXPECT_TRUE(dlg->m_tree.GetItemState(backup, TVIS_EXPANDED) & TVIS_EXPANDED);
        dlg->m_tree.SelectItem(dlg->m_tree.GetChildItem(backup));
        Press(h, IDC_FAQ_SELECT);
        dlg->m_tree.SelectItem(dlg->m_tree.GetNextSiblingItem(backup));
        dlg->m_tree.SelectItem(dlg->m_tree.GetChildItem(dlg->m_tree.GetSelectedItem()));
        dlg->m_tree.SelectItem(dlg->m_tree.GetChildItem(dlg->m_tree.GetSelectedItem()));
        Press(h, IDC_FAQ_SELECT);
      },
      IDCANCEL);
  {
    CFaqDlg dlg;
    dlg.m_pList = list;
    dlg.DoModal();
  }
  EXPECT_EQ(tree, "Backup(Q3) Setup(General(Q2) Printers(Q1)) Troop");
  EXPECT_EQ(shownAnswers, (std::vector<std::string>{"How to back up?", "How to set up?"}));
  FreeFaqList(list);
}

TEST_F(FaqTest, NoUsableFileIsReported) {
  automation::ExpectMessageBox("Error", "No FAQs were found", IDOK);
  EXPECT_EQ(ReadFaqFiles(dir.path().c_str()), nullptr);
  WriteFaq("F.FAQ", "Broken/Q", "Negative", "x\n", -1);
  automation::ExpectMessageBox("Error", "damaged", IDOK);
  automation::ExpectMessageBox("Error", "No FAQs were found", IDOK);
  EXPECT_EQ(ReadFaqFiles(dir.path().c_str()), nullptr);
}

TEST_F(FaqTest, AnswerKeepsItsLastLineAndExpandsMacros) {
  WriteFaq("A.FAQ", "Q", "Q?", "Each &unit\nkeeps books");
  FaqList* list = ReadFaqFiles(dir.path().c_str());
  ASSERT_NE(list, nullptr);
  CString answer, error;
  ASSERT_EQ(ReadFaqAnswer(dir.path().c_str(), list->entries[0], &answer, &error), 1);
  EXPECT_STREQ(answer, "Each troop\nkeeps books");
  std::remove((dir / "A.FAQ").c_str());
  EXPECT_EQ(ReadFaqAnswer(dir.path().c_str(), list->entries[0], &answer, &error), 0);
  EXPECT_NE(std::string(static_cast<const char*>(error)).find("FAQ input file"), std::string::npos);
  FreeFaqList(list);
}

}  // namespace

// The question files and the tips file that ship with the program read
// without a message.
TEST(ShippedHelp, FaqFilesAndTipsRead) {
  SetUnitType(0);
  FaqList* list = ReadFaqFiles(ResourcePath("FAQ").c_str());
  ASSERT_NE(list, nullptr);
  EXPECT_GE(list->count, 5);
  for (int i = 0; i < list->count; ++i) {
    CString answer, error;
    EXPECT_EQ(ReadFaqAnswer(ResourcePath("FAQ").c_str(), list->entries[i], &answer, &error), 1) << error;
    EXPECT_EQ(std::string(list->entries[i].question).find('&'), std::string::npos) << list->entries[i].question;
  }
  FreeFaqList(list);
  TempFolder dir;
  std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
  const std::string tip = static_cast<const char*>(CTipDlg(ResourcePath("varntips.qdx").c_str()).GetTipText());
  EXPECT_EQ(tip.rfind("Back up the troop's books", 0), 0u) << tip;
}

TEST_F(FaqTest, BrowserRemembersItsSizeAndSnapsBackToItsTemplate) {
  WriteFaq("A.FAQ", "Setup/Q1", "Q1?", "A.\n");
  FaqList* list = ReadFaqFiles(dir.path().c_str());
  ASSERT_NE(list, nullptr);
  const auto sizeOf = [](HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  SIZE templ{}, reopened{}, snapped{};
  int selectMoved = 0;
  const auto run = [&](std::function<void(HWND)> act) {
    automation::OnDialog("Frequently Asked Questions", std::move(act), IDCANCEL);
    CFaqDlg dlg;
    dlg.m_pList = list;
    dlg.DoModal();
  };
  run([&](HWND h) {
    templ = sizeOf(h);
    RECT before{}, after{};
    GetWindowRect(GetDlgItem(h, IDC_FAQ_SELECT), &before);
    SetWindowPos(h, nullptr, 0, 0, templ.cx + 100, templ.cy + 50, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    GetWindowRect(GetDlgItem(h, IDC_FAQ_SELECT), &after);
    selectMoved = after.left - before.left;
  });
  run([&](HWND h) {
    reopened = sizeOf(h);
    SetWindowPos(h, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    snapped = sizeOf(h);
  });
  EXPECT_EQ(selectMoved, 100);
  EXPECT_EQ(reopened.cx, templ.cx + 100);
  EXPECT_EQ(reopened.cy, templ.cy + 50);
  EXPECT_EQ(snapped.cx, templ.cx);
  EXPECT_EQ(snapped.cy, templ.cy);
  FreeFaqList(list);
}
