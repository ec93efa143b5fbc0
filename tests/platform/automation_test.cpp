#include <gtest/gtest.h>

#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"

TEST(Responder, RulesAnswerInOrderAndOneShotRulesAreUsedOnce) {
  automation::ExpectMessageBox("Error", "disk", IDRETRY);
  automation::AlwaysAnswer("", "", IDOK);
  EXPECT_EQ(MessageBox(nullptr, "The disk is full", "Error", MB_RETRYCANCEL), IDRETRY);
  EXPECT_EQ(MessageBox(nullptr, "The disk is full", "Error", MB_RETRYCANCEL), IDOK);
  ASSERT_EQ(automation::ModalLog().size(), 2u);
  EXPECT_EQ(automation::ModalLog()[0].caption, "Error");
  EXPECT_TRUE(automation::PendingExpectations().empty());
}
