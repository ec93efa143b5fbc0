// The calculator as a short-lived pop-up under (or above) a field: it starts
// with the field's number and gives the result back to its owner as text in
// message 0x7E3, then closes.
#pragma once

#include "grid/controls/GXCalculator.h"

// Sent to the owner with the result text in lParam (valid during the call).
constexpr UINT WM_GX_CALCULATOR_RESULT = 0x7E3;

class CGXBPopupCalculator : public CGXBCalculator {
 public:
  // The equals key sends the result and closes the window.
  static constexpr DWORD kStyleSendOnEquals = 0x0010;

  CGXBPopupCalculator() { isPopup_ = TRUE; }

  BOOL CreatePopup(DWORD style, const RECT& fieldRect, CWnd* parent, void* param = nullptr) {
    return CreatePopupEx(0, style, fieldRect, parent, param);
  }
  BOOL CreatePopupEx(DWORD exStyle, DWORD style, const RECT& fieldRect, CWnd* parent, void* param = nullptr);

  // The window that receives the result. The platform's owner of a pop-up
  // is always a top-level window, while the result goes to the field itself.
  void SetOwner(CWnd* owner) {
    resultOwner_ = owner != nullptr ? owner->m_hWnd : nullptr;
    CWnd::SetOwner(owner);
  }

  int HandleCommand(int id) override;
  UINT GetClassStyle() override { return CS_SAVEBITS; }
  virtual void SendResult();

  BOOL m_bAutoDelete = FALSE;

 protected:
  void PostNcDestroy() override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;

 private:
  void EnterAndClose();
  // Sends the result; false when the pop-up was destroyed meanwhile (then
  // nothing of it may be touched any more).
  bool SendResultAndStay();

  HWND resultOwner_ = nullptr;
  // While the result is being sent the owner may take the focus: the
  // pop-up then closes once the send is over, not in the middle of it.
  BOOL sending_ = FALSE;
  bool* destroyedFlag_ = nullptr;
};
