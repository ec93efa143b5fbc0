// Linked into every test program: a message box or modal dialog that the
// test did not answer fails the running test with its caption and text, an
// expected box that never showed fails it too, and the responder is reset
// between tests.
#include <gtest/gtest.h>

#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"

namespace {

class ResponderListener : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    automation::ClearResponder();
    automation::SetUnansweredHandler([](const automation::ModalInfo& info) {
      ADD_FAILURE() << "unanswered " << info.kind << ": [" << info.caption << "] " << info.text;
      // A menu's answer is a command id: IDCANCEL could be one, 0 never is.
      return info.kind == "menu" ? 0 : IDCANCEL;
    });
  }
  // Listeners hear the end of a test in reverse order, so this failure is
  // recorded before the result is printed and counted.
  void OnTestEnd(const testing::TestInfo&) override {
    for (const std::string& rule : automation::PendingExpectations())
      ADD_FAILURE() << "expected box never shown: " << rule;
    automation::ClearResponder();
    automation::ClearDialogRules();
  }
};

const bool registered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new ResponderListener);
  return true;
}();

}  // namespace
