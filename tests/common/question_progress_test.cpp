#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Question.h"
#include "platform/testing/Automation.h"

TEST(QuestionBox, ButtonsDefaultAndEscape) {
  struct Case {
    int defaultAnswer;
    int extra;
    int mask;
    int visible;
    bool escapeCancels;
  } cases[] = {
      {ANSWER_NO, 0, ANSWER_YES | ANSWER_NO, 2, false},
      {ANSWER_YES, ANSWER_CANCEL, ANSWER_YES | ANSWER_NO | ANSWER_CANCEL, 3, true},
      {ANSWER_YES, ANSWER_YESTOALL | ANSWER_NOTOALL | ANSWER_CANCEL, 31, 5, true},
  };
  for (const Case& c : cases) {
    QuestionLayout layout = MakeQuestionLayout("Repair account 101", c.defaultAnswer, c.extra);
    EXPECT_EQ(layout.text, "Repair account 101?");
    EXPECT_EQ(layout.mask, c.mask);
    EXPECT_EQ(layout.visibleCount, c.visible);
    EXPECT_EQ(layout.escapeCancels, c.escapeCancels);
    EXPECT_EQ(ResolveQuestionPress(layout, ANSWER_CANCEL), c.escapeCancels ? ANSWER_CANCEL : 0);
    EXPECT_EQ(ResolveQuestionPress(layout, ANSWER_YESTOALL), (c.extra & ANSWER_YESTOALL) ? ANSWER_YESTOALL : 0);
  }
  // The row's order and the buttons' texts.
  std::vector<std::string> row;
  for (const QuestionButton& b : QuestionButtons) row.push_back(b.caption);
  EXPECT_EQ(row, (std::vector<std::string>{"&Yes", "Y&es To All", "&No", "N&o To All", "Cancel"}));
}

TEST(QuestionBox, AnswersWithTheBitThroughTheResponder) {
  automation::ExpectMessageBox("Question", "Delete it?", ANSWER_NOTOALL);
  EXPECT_EQ(AskQuestion("Delete it", ANSWER_NO, ANSWER_YESTOALL | ANSWER_NOTOALL), ANSWER_NOTOALL);
  EXPECT_EQ(automation::ModalLog().back().kind, "dialog");
  // Escape on a box without Cancel does nothing; the box ends on its default.
  automation::ExpectMessageBox("Question", "", ANSWER_CANCEL);
  EXPECT_EQ(AskQuestion("Keep it", ANSWER_NO, 0), ANSWER_NO);
}

namespace {
class RecordingProgress : public ProgressPresenter {
 public:
  bool Create() override {
    log.push_back("create");
    return createOk;
  }
  void SetCaption(const char* caption) override { log.push_back(std::string("caption ") + caption); }
  void DrawBar(int percent, int, int) override { log.push_back("bar " + std::to_string(percent)); }
  int Destroy() override {
    log.push_back("destroy");
    return 1;
  }
  std::vector<std::string> log;
  bool createOk = true;
};
}  // namespace

TEST(Progress, OpensAdvancesOnceperPercentageAndCloses) {
  RecordingProgress window;
  SetProgressPresenter(&window);
  EXPECT_EQ(ReportProgress("Copying", 0, 4), 0);
  EXPECT_EQ(ReportProgress(nullptr, 1, 4), 1);
  EXPECT_EQ(ReportProgress(nullptr, 2, 4), 2);
  EXPECT_EQ(ReportProgress(nullptr, 2, 4), 2);  // no new percentage: nothing drawn
  EXPECT_EQ(ReportProgress("Checking", 5, 4), 5);  // above the total: caption only
  EXPECT_EQ(ReportProgress(nullptr, 4, 4), 1);
  EXPECT_FALSE(TheProgressDlg().IsOpen());
  SetProgressPresenter(nullptr);
  EXPECT_EQ(window.log, (std::vector<std::string>{"create", "caption Processing...", "caption Copying", "bar 0",
                                                  "bar 25", "bar 50", "caption Checking", "destroy"}));
}

TEST(Progress, WithoutAWindowTheWorkGoesOn) {
  RecordingProgress window;
  window.createOk = false;
  SetProgressPresenter(&window);
  EXPECT_EQ(ReportProgress("Copying", 0, 2), 0);
  EXPECT_EQ(ReportProgress("Copying", 1, 2), 1);
  ReportProgress(nullptr, 2, 2);
  SetProgressPresenter(nullptr);
  EXPECT_EQ(window.log, (std::vector<std::string>{"create"}));
}

TEST(Progress, HeadlessStepsGoToTheResponder) {
  automation::AlwaysAnswer("Progress", "", 1);
  ReportProgress("Backing up", 0, 2);
  ReportProgress(nullptr, 1, 2);
  ReportProgress(nullptr, 2, 2);
  ASSERT_EQ(automation::ModalLog().size(), 2u);
  EXPECT_EQ(automation::ModalLog()[0].text, "Backing up\n0%");
  EXPECT_EQ(automation::ModalLog()[1].text, "Backing up\n50%");
  EXPECT_EQ(IsCancelRequested(), 0);
}
