#include "grid/features/GXLongOperationImp.h"

#include <algorithm>

#include "grid/core/GXAppData.h"
#include "grid/features/GXFeatureTexts.h"
#include "platform/base/Kernel.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/FrameDefs.h"
#include "platform/window/Window.h"

CGXLongOperationImpl::CGXLongOperationImpl() : m_clock([] { return static_cast<DWORD>(::GetTickCount()); }) {}

CString CGXLongOperationImpl::CurrentText() const {
  return level_ > 0 && level_ < kLevels ? texts_[level_] : CString();
}

void CGXLongOperationImpl::Start() {
  ++level_;
  if (level_ == 1) {
    percentDone = -1;
    m_nStatusDepthLimit = -1;
    waitCursor_ = FALSE;
    abortKey_ = FALSE;
    m_bCanAbort = TRUE;
    rollbackPossible = FALSE;
    texts_[1] = GXGetLongOperationTexts().processing;
  } else if (level_ < kLevels) {
    // More than 63 nested operations keep counting but store no texts.
    texts_[level_] = texts_[level_ - 1];
  }
  aborted_ = FALSE;
  rollbackRequested = FALSE;
  if (level_ < kLevels) started_[level_] = lastUpdate_[level_] = m_clock();
}

void CGXLongOperationImpl::End() {
  if (level_ <= 0) return;
  if (level_ < kLevels) texts_[level_].Empty();
  if (--level_ > 0) return;
  if (waitCursor_) {
    waitCursor_ = FALSE;
    if (CWinApp* app = AfxGetApp()) app->EndWaitCursor();
    const CString done = GXGetLongOperationTexts().done;
    lastShown_ = done;
    if (CWnd* frame = GXGetMainWnd(); frame != nullptr && frame->m_hWnd != nullptr)
      frame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(done)));
  }
}

void CGXLongOperationImpl::ClearStatusText() {
  if (level_ > 0 && level_ < kLevels) texts_[level_].Empty();
}

void CGXLongOperationImpl::SetStatusText(LPCTSTR text) {
  if (level_ <= 0 || level_ >= kLevels) return;
  if (m_nStatusDepthLimit >= 0 && level_ - 1 > m_nStatusDepthLimit) return;
  texts_[level_] = text != nullptr ? text : "";
}

void CGXLongOperationImpl::SetProgress(DWORD done, DWORD total) {
  if (total == 0) return;
  percentDone = static_cast<int>(std::min<unsigned long long>(100, static_cast<unsigned long long>(done) * 100 / total));
}

BOOL CGXLongOperationImpl::Due() const {
  if (level_ <= 0) return FALSE;
  const int at = std::min(level_, kLevels - 1);
  const DWORD now = m_clock();
  return waitCursor_ ? now - lastUpdate_[at] >= kUpdateInterval : now - started_[at] >= kFirstDelay;
}

BOOL CGXLongOperationImpl::CheckElapsed() { return Due(); }

void CGXLongOperationImpl::Show(BOOL withAbortHint) {
  if (m_nStatusDepthLimit >= 0 && level_ - 1 > m_nStatusDepthLimit) return;
  CString text = CurrentText();
  if (percentDone >= 0) {
    CString percent;
    percent.Format(" %3d%%. ", percentDone);
    text += percent;
  }
  if (withAbortHint && m_bCanAbort) {
    text += "   ";
    text += GXGetLongOperationTexts().pressEscape;
  }
  if (percentDone < 0) {
    static const char* const kSpinner[] = {"  -", "  \\", "  |", "  /"};
    text += kSpinner[spinner_];
    spinner_ = (spinner_ + 1) % 4;
  }
  lastShown_ = text;
  if (CWnd* frame = GXGetMainWnd(); frame != nullptr && frame->m_hWnd != nullptr)
    frame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}

void CGXLongOperationImpl::ProcessMessages() {
  if (!waitCursor_) {
    waitCursor_ = TRUE;
    if (CWinApp* app = AfxGetApp()) app->BeginWaitCursor();
  }
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_CANCEL)) abortKey_ = TRUE;
    const bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                       (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                       (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK) ||
                       msg.message == WM_COMMAND;
    if (input) {
      ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
      if (CWinApp* app = AfxGetApp()) app->RestoreWaitCursor();
      continue;
    }
    if (!AfxPumpMessage()) {
      ::PostQuitMessage(0);
      return;
    }
  }
  if (CWinApp* app = AfxGetApp()) {
    for (LONG count = 0; count < 100 && app->OnIdle(count); ++count) {
    }
  }
}

BOOL CGXLongOperationImpl::PollAbort(BOOL& aborted) {
  aborted = FALSE;
  if (!Due()) {
    aborted = aborted_;
    return FALSE;
  }
  Show(TRUE);
  ProcessMessages();
  if (m_bCanAbort && abortKey_ && !aborted_) {
    const CString question = GXGetLongOperationTexts().abortQuestion;
    if (m_bAskBeforeAbort && rollbackPossible) {
      const int answer = AfxMessageBox(question, MB_ABORTRETRYIGNORE);
      if (answer == IDABORT) {
        aborted_ = TRUE;
      } else if (answer == IDRETRY) {
        aborted_ = TRUE;
        rollbackRequested = TRUE;
      }
      abortKey_ = FALSE;
    } else if (m_bAskBeforeAbort) {
      if (AfxMessageBox(question, MB_YESNO) == IDYES) aborted_ = TRUE;
      abortKey_ = FALSE;
    } else {
      aborted_ = TRUE;
      rollbackRequested = rollbackPossible;
    }
  }
  aborted = aborted_;
  if (level_ > 0) lastUpdate_[std::min(level_, kLevels - 1)] = m_clock();
  return TRUE;
}

BOOL CGXLongOperationImpl::PumpMessages() {
  if (!Due()) return FALSE;
  Show(FALSE);
  ProcessMessages();
  if (level_ > 0) lastUpdate_[std::min(level_, kLevels - 1)] = m_clock();
  return TRUE;
}
