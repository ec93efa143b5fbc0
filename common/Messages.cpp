#include "common/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "common/Question.h"
#include "common/Trace.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Window.h"

int PromptAnswerOk = 0;

namespace {

struct KindInfo {
  const char* caption;
  UINT type;
};

const KindInfo kKinds[5] = {
    {"Error", MB_OK | MB_ICONEXCLAMATION},
    {"Information", MB_OK | MB_ICONINFORMATION},
    {"Prompt", MB_OKCANCEL | MB_ICONINFORMATION},
    {"Fatal Error", MB_OK | MB_ICONSTOP},
    {"Warning", MB_OK | MB_ICONEXCLAMATION},
};

MessagePresenter* messagePresenter = nullptr;

// Without a window presenter the box goes to the host without an owner
// window: the headless host hands it to the test responder.
int ShowBox(const char* text, const char* caption, UINT type) {
  return messagePresenter ? messagePresenter->Show(text, caption, type) : MessageBox(nullptr, text, caption, type);
}

}  // namespace

void SetMessagePresenter(MessagePresenter* presenter) { messagePresenter = presenter; }

void DispMessage(const char* text, int kind) {
  const int savedErrno = errno;  // kind 3 reports the error of the caller's failure
  CTraceScope scope("DispMessage");
  if (kind < 0 || kind > 4) kind = 0;

  std::string shown;
  const char* finalText = "An error occurred but could not be reported";
  try {
    shown = text ? text : "";
    while (!shown.empty() && (shown.back() == '.' || shown.back() == '\n' || shown.back() == '\r'))
      shown.pop_back();
    shown += '.';
    if (kind == MSG_FATAL) {
      std::string err = std::strerror(savedErrno);
      if (!err.empty() && err.back() == '\n') err.pop_back();
      shown += "\n\n\"" + err + "\"";
    } else if (kind == MSG_PROMPT) {
      shown += "\n\nSelect OK when ready.";
    }
    finalText = shown.c_str();
  } catch (const std::bad_alloc&) {
    // No room for the working copy: the fixed text, under the kind's box.
  }

  TheTraceLog().Write("%s", finalText);
  int answer = ShowBox(finalText, kKinds[kind].caption, kKinds[kind].type);
  if (kind == MSG_PROMPT) PromptAnswerOk = (answer == IDOK) ? 1 : 0;
}

bool ConfirmDelete(const char* name) {
  char text[256];
  std::snprintf(text, sizeof text, "Do you really want to delete:  \"%s\"", name ? name : "");
  return AskQuestion(text, ANSWER_NO, 0) == ANSWER_YES;
}

int AskSaveChanges(const char* text) { return AskQuestion(text, ANSWER_YES, ANSWER_CANCEL); }

int AskCancelProcess(const char* processName) {
  char text[256];
  std::snprintf(text, sizeof text, "Do you wish to cancel the %s process", processName ? processName : "");
  return AskQuestion(text, ANSWER_YES, 0);
}

void ShowWarningBox(const CString& text, const CString& caption) {
  MessageBeep(MB_ICONEXCLAMATION);
  ShowBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
}

void ShowInfoBox(const CString& text, const CString& caption) {
  MessageBeep(0);
  ShowBox(text, caption, MB_OK | MB_ICONINFORMATION);
}

void ShowRequiredError(const CString& fieldName) {
  CString text;
  text.Format("%s required", static_cast<LPCTSTR>(fieldName));
  ShowWarningBox(text, "Error");
}
