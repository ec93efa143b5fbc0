// The question box and the progress window as real windows behind
// AskQuestion and ReportProgress.
//
// A program on a display calls InstallDialogPresenters() once at start; in
// the headless host the questions and progress steps keep going to the test
// responder unless a test opts in with UseDialogPresenters(true) and drives
// the windows through the automation (caption "Question" or "Progress").
#pragma once

class CProgressWindow;

// Installs the windows when the host is interactive; true when it did.
bool InstallDialogPresenters();
// Installs (true) or removes (false) the windows, whatever the host.
void UseDialogPresenters(bool use);
// The one progress window the presenter drives.
CProgressWindow& ProgressWindow();
