// Test automation: the responder that answers message boxes and modal
// dialogs in the headless host, so that no test ever waits for a person.
//
// A test states, before it acts, what each box should answer: rules are
// matched in the order given, each by a part of the caption and a part of
// the text (empty matches anything); a one-shot rule is used once, a
// standing rule for every match. Every box shown is logged. A box that no
// rule answers goes to the unanswered handler, which the test support
// installs to fail the running test with the box's caption and text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace automation {

struct ModalInfo {
  std::string kind;     // "messagebox" or "dialog"
  std::string caption;  // Windows-1252 text as the system holds it
  std::string text;     // box text; for dialogs the template's name or id
  UINT type = 0;        // MB_* flags of a message box
};

// Answer the next box whose caption and text contain the given parts.
void ExpectMessageBox(const std::string& captionPart, const std::string& textPart, int answer);
// Answer every such box, until ClearResponder.
void AlwaysAnswer(const std::string& captionPart, const std::string& textPart, int answer);
// A handler consulted after the rules; returns 0 when it does not answer.
void SetResponder(std::function<int(const ModalInfo&)> handler);
// Called for a box that nothing answered; its result is the box's answer.
void SetUnansweredHandler(std::function<int(const ModalInfo&)> handler);

// Rules left unused, the log of boxes shown, and a reset of both.
std::vector<std::string> PendingExpectations();
const std::vector<ModalInfo>& ModalLog();
void ClearResponder();

// Used by the message box and the dialog manager of the headless host.
int Respond(const ModalInfo& info);

}  // namespace automation
