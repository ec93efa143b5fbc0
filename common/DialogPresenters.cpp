#include "common/DialogPresenters.h"

#include "common/Messages.h"
#include "common/ProgressDlg.h"
#include "common/Question.h"
#include "common/QuestionDlg.h"
#include "platform/host/Host.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Window.h"

namespace {

// Made once and kept to the end: the progress window may still be open when
// the program ends, and must not be destroyed after the window layer.
DialogQuestionPresenter& questionPresenter() {
  static auto* p = new DialogQuestionPresenter;
  return *p;
}

DialogProgressPresenter& progressPresenter() {
  static auto* p = new DialogProgressPresenter;
  return *p;
}

// The message boxes, owned by the active window.
class WindowMessagePresenter : public MessagePresenter {
 public:
  int Show(const char* text, const char* caption, UINT type) override {
    return MessageBox(GetActiveWindow(), text, caption, type);
  }
};

WindowMessagePresenter& messagePresenter() {
  static auto* p = new WindowMessagePresenter;
  return *p;
}

}  // namespace

bool InstallDialogPresenters() {
  if (!platform::GetHost().Interactive()) return false;
  UseDialogPresenters(true);
  return true;
}

void UseDialogPresenters(bool use) {
  if (!use && TheProgressDlg().IsOpen()) TheProgressDlg().Close();
  SetQuestionPresenter(use ? &questionPresenter() : nullptr);
  SetProgressPresenter(use ? &progressPresenter() : nullptr);
  SetMessagePresenter(use ? &messagePresenter() : nullptr);
}

CProgressWindow& ProgressWindow() { return progressPresenter().Window(); }
