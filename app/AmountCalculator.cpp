#include "app/AmountCalculator.h"

#include "common/AmountEdit.h"
#include "grid/controls/GXPopupCalculator.h"

namespace {

bool OpenPopupCalculator(CWnd* owner, const RECT& rect, double start) {
  auto* calculator = new CGXBPopupCalculator;
  if (!calculator->CreatePopup(WS_POPUP | WS_VISIBLE | CGXBPopupCalculator::kStyleSendOnEquals, rect, owner)) {
    // Self-deletion is armed only for a window that exists, so a failed
    // creation is cleaned up here exactly once.
    delete calculator;
    return false;
  }
  calculator->m_bAutoDelete = TRUE;
  calculator->SetOwner(owner);
  calculator->SetValue(start);
  return true;
}

}  // namespace

void InstallAmountCalculator() { SetAmountCalculatorOpener(&OpenPopupCalculator); }
