// Linked into every test program: a message box or modal dialog that the
// test did not answer fails the running test with its caption and text, and
// the responder is reset between tests.
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
};

const bool registered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new ResponderListener);
  return true;
}();

}  // namespace
