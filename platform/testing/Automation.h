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

#include "platform/base/Geometry.h"
#include "platform/base/types.h"
#include "platform/host/Host.h"

namespace automation {

// A box as the host asks about it: kind, caption, text and MB_ type.
using ModalInfo = platform::ModalQuestion;

// Answer the next box whose caption and text contain the given parts.
void ExpectMessageBox(const std::string& captionPart, const std::string& textPart, int answer);
// Answer every such box, until ClearResponder.
void AlwaysAnswer(const std::string& captionPart, const std::string& textPart, int answer);
// A handler consulted after the rules; returns 0 when it does not answer.
void SetResponder(std::function<int(const ModalInfo&)> handler);
// Called for a box that nothing answered; its result is the box's answer.
void SetUnansweredHandler(std::function<int(const ModalInfo&)> handler);

// Rules left unused (boxes expected and dialogs of OnDialog not yet shown),
// the log of boxes shown, and a reset of the box rules and the log.
std::vector<std::string> PendingExpectations();
// Drops the OnDialog rules left unused.
void ClearDialogRules();
const std::vector<ModalInfo>& ModalLog();
void ClearResponder();

// The answer to a box by the rules, the responder and the unanswered
// handler, as the headless host asks it.
int Respond(const ModalInfo& info);
// For modeless windows that show something without waiting for an answer
// (the progress dialog): logged and matched like a box, but nothing
// answering is no failure; the result is then 0.
int Observe(const ModalInfo& info);

// ---- Modal loops -----------------------------------------------------------
// A modal loop (RunModalLoop: dialogs, and any window run modally) that runs
// out of messages in the headless host looks for a rule by its window's
// caption: the rule's callback runs inside the loop (it may type, click,
// pump and advance the clock), then the loop ends with the rule's code
// unless the callback ended it. Without a rule the loop asks Respond with
// kind "dialog" (text: the window's "DialogTemplate" property or class
// name); its answer is the loop's result.
void OnDialog(const std::string& captionPart, std::function<void(HWND)> callback, int endCode);

// Makes the automation the headless host's responder and keeper of the
// invalidation log. Every rule and reset above does it; a test that
// installs a new headless host calls it again.
void AttachToHost();

// ---- Input (through the host, as real input arrives) -----------------------
void KeyDown(UINT vk);
void KeyUp(UINT vk);
// A key pressed and released, with modifiers held around it.
void PressKey(UINT vk, bool shift = false, bool ctrl = false, bool alt = false);
// Windows-1252 text: keys where the US layout has them (the character
// travels with the key), character events for the rest.
void TypeText(const std::string& text);
void TypeChar(unsigned char ch);
// Mouse actions at a point of a window's client area.
void MouseMove(HWND hwnd, POINT client);
void MouseDown(HWND hwnd, POINT client, int button = 0);  // 0 left, 1 right, 2 middle
void MouseUp(HWND hwnd, POINT client, int button = 0);
void Click(HWND hwnd, POINT client, int button = 0);
void DoubleClick(HWND hwnd, POINT client);
void Wheel(HWND hwnd, POINT client, int delta);

// ---- Running -----------------------------------------------------------------
// Dispatches every waiting message (input, posted, paint, due timers)
// through the application's PreTranslateMessage chain; the count handled.
// A posted WM_QUIT stops the pump and stays posted.
int PumpUntilIdle();
// Lets the virtual clock run: timers fire in deadline order, the queue is
// pumped after each, and the caret blinks.
void AdvanceClock(DWORD ms);
DWORD Now();

// ---- Finding and looking -----------------------------------------------------
HWND FindByCaption(const std::string& caption, HWND under = nullptr);  // exact text
HWND FindByClass(const std::string& className, HWND under = nullptr);  // without case
HWND FindById(HWND parent, int id);                                     // any depth
// The window's pixels (frame included) as they are on its surface.
bool RenderToPng(HWND hwnd, const std::string& path);
COLORREF PixelAt(HWND hwnd, int clientX, int clientY);

struct InvalidationRecord {
  HWND hwnd;
  bool painted;  // false: invalidated; true: painted (the area BeginPaint handed out)
  RECT rect;     // client coordinates
};
// Log entries for one window (all windows for null), oldest first.
std::vector<InvalidationRecord> InvalidationLog(HWND hwnd = nullptr);
void ClearInvalidationLog();
std::vector<UINT> Beeps();  // MessageBeep types, oldest first
// The host's window of a top-level window (0 for a child).
std::uintptr_t NativeOf(HWND hwnd);
HCURSOR CurrentCursor();

// Destroys every window and empties the queue, timers, input state and logs:
// a clean desk between tests.
void ResetWindows();

}  // namespace automation
