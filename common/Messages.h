// The one message display and the small questions built on the question box.
//
// DispMessage shows a text once, as one of five kinds, after giving it
// exactly one final full stop; it copies the shown text into the trace file.
// A kind-2 prompt (OK/Cancel) leaves its answer in PromptAnswerOk.
//
// The box itself is behind a presenter, as the question box and the
// progress window are. Until a window presenter is installed every box goes
// to the host without an owner window; the headless host hands it to the
// test responder as a "messagebox" with its caption, text and button flags.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/types.h"

enum MessageKind {
  MSG_ERROR = 0,        // "Error", OK, exclamation icon
  MSG_INFORMATION = 1,  // "Information", OK, information icon
  MSG_PROMPT = 2,       // "Prompt", OK and Cancel; sets PromptAnswerOk
  MSG_FATAL = 3,        // "Fatal Error", OK, stop icon, with the errno text
  MSG_WARNING = 4,      // "Warning", OK, exclamation icon
};

// 1 when the last kind-2 display was answered OK, else 0.
extern int PromptAnswerOk;

void DispMessage(const char* text, int kind);

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // Shows the box modally; returns the button pressed (IDOK, IDCANCEL).
  // `type` holds the MB_ button and icon flags.
  virtual int Show(const char* text, const char* caption, UINT type) = 0;
};

// Installs the window presenter of the message boxes; null goes back to the
// headless host. The presenter is not owned.
void SetMessagePresenter(MessagePresenter* presenter);

// "Do you really want to delete:  "name"?" with Yes and No, No the default;
// true only for Yes.
bool ConfirmDelete(const char* name);
// AskQuestion(text, 2, 1): Yes, No and Cancel, Yes the default; the answer bit.
int AskSaveChanges(const char* text);
// "Do you wish to cancel the %s process?" with Yes and No, Yes the default.
int AskCancelProcess(const char* processName);

// Small boxes of the date edit: exclamation / information icon and OK.
void ShowWarningBox(const CString& text, const CString& caption);
void ShowInfoBox(const CString& text, const CString& caption);
// "%s required" under the caption "Error".
void ShowRequiredError(const CString& fieldName);
