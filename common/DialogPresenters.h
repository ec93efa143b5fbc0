// The question box, the progress window and the message boxes as real
// windows behind AskQuestion, ReportProgress and DispMessage.
//
// A program on a display calls InstallDialogPresenters() once at start; in
// the headless host the questions, progress steps and messages keep going
// to the test responder unless a test opts in with UseDialogPresenters(true)
// and drives the windows through the automation (caption "Question" or
// "Progress", or the message box's own).
#pragma once

class CProgressWindow;

// Installs the windows when the host is interactive; true when it did.
bool InstallDialogPresenters();
// Installs (true) or removes (false) the windows, whatever the host.
void UseDialogPresenters(bool use);
// The one progress window the presenter drives.
CProgressWindow& ProgressWindow();
