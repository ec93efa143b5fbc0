// A report whose columns do not fit across its page asks first.
#include <gtest/gtest.h>

#include <cstring>

#include "common/DlgUtil.h"
#include "common/Question.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"

TEST(ReportPageWidth, ATooNarrowPageAsksAndFailuresLetThePrintGoOn) {
  automation::ResetWindows();
  PrintSetupRecord screen;  // no printer: the screen's context
  screen.resolutionX = 96;
  LOGFONT font{};
  font.lfHeight = -13;
  std::strcpy(font.lfFaceName, "courier");

  // 132 columns of a character about 8 pixels wide need some 11 inches.
  EXPECT_TRUE(CheckReportPageWidth(&screen, &font, 132, 20.0f, 0.5f, 0.5f));
  automation::ExpectMessageBox("", "The report's page is too narrow.", ANSWER_YES);
  EXPECT_TRUE(CheckReportPageWidth(&screen, &font, 132, 8.5f, 0.5f, 0.5f));
  automation::ExpectMessageBox("", "Do you wish to continue?", ANSWER_NO);
  EXPECT_FALSE(CheckReportPageWidth(&screen, &font, 132, 8.5f, 0.5f, 0.5f));

  // An unfilled record takes the device's own resolution instead of
  // dividing by zero.
  PrintSetupRecord unfilled;
  EXPECT_TRUE(CheckReportPageWidth(&unfilled, &font, 10, 8.5f, 0.5f, 0.5f));

  automation::ExpectMessageBox("", "Clipping font creation failed", IDOK);
  EXPECT_TRUE(CheckReportPageWidth(&screen, nullptr, 132, 8.5f, 0.5f, 0.5f));
  EXPECT_TRUE(automation::PendingExpectations().empty());
  automation::ClearResponder();
}
