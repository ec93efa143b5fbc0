// The question box with all five buttons matches its golden picture to the
// pixel (shipped fonts, classic colours). KESTROVA_UPDATE_GOLDEN=1 rewrites
// the picture instead; look at it before keeping it.
#include <gtest/gtest.h>

#include "common/DialogPresenters.h"
#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "support/GoldenImage.h"

namespace {

TEST(QuestionGolden, TheBoxWithAllFiveButtonsMatchesItsGoldenPicture) {
  automation::ResetWindows();
  UseDialogPresenters(true);
  bool rendered = false;
  automation::OnDialog(
      "Question",
      [&](HWND h) {
        automation::PumpUntilIdle();
        rendered = true;
        EXPECT_TRUE(golden::Matches("common/question_all_buttons.png",
                                    [&](const std::string& path) { return automation::RenderToPng(h, path); }));
      },
      ANSWER_CANCEL);
  EXPECT_EQ(AskQuestion("The record of account 101 \"Camp Fund\" is damaged.\nRepair it now", ANSWER_YES,
                        ANSWER_YESTOALL | ANSWER_NOTOALL | ANSWER_CANCEL),
            ANSWER_CANCEL);
  EXPECT_TRUE(rendered);
  UseDialogPresenters(false);
  automation::ResetWindows();
}

}  // namespace
