// Long operations: after a delay a wait cursor and a status text with a
// percentage (or a spinner) on the main frame's status bar; the window keeps
// repainting while user input is swallowed, and Esc or the Cancel key
// aborts, after a question. One object for the whole application.
#pragma once

#include <functional>

#include "grid/core/GXFeatures.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXLongOperationImpl : public CGXLongOperationImp {
 public:
  static constexpr int kLevels = 64;
  static constexpr DWORD kFirstDelay = 750, kUpdateInterval = 1500;

  CGXLongOperationImpl();

  void Start() override;
  void End() override;
  void ClearStatusText() override;
  void SetStatusText(LPCTSTR text) override;
  void SetProgress(DWORD done, DWORD total) override;
  BOOL PollAbort(BOOL& aborted) override;
  BOOL CheckElapsed() override;
  BOOL PumpMessages() override;

  // The text shown on the status bar at the last update (empty when none).
  const CString& GetLastShownText() const { return lastShown_; }
  int GetLevel() const { return level_; }
  BOOL IsWaitCursorShown() const { return waitCursor_; }
  BOOL IsAborted() const { return aborted_; }

  // Milliseconds since some start; replaceable for tests.
  std::function<DWORD()> m_clock;
  BOOL m_bCanAbort = TRUE;
  BOOL m_bAskBeforeAbort = TRUE;
  // The greatest depth whose texts are shown (-1: every depth).
  int m_nStatusDepthLimit = -1;

 private:
  // The text of the innermost level (levels past the tables keep none).
  CString CurrentText() const;
  BOOL Due() const;
  void Show(BOOL withAbortHint);
  void ProcessMessages();

  int level_ = 0;
  CString texts_[kLevels];
  DWORD started_[kLevels] = {};
  DWORD lastUpdate_[kLevels] = {};
  BOOL waitCursor_ = FALSE;
  BOOL abortKey_ = FALSE;
  BOOL aborted_ = FALSE;
  int spinner_ = 0;
  CString lastShown_;
};
