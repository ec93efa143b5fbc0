// The amount edit: accepts digits, "." and "-", clamps to its limits and
// shows a whole number, a fixed-decimals number or a dollar amount
// (negatives in parentheses) while it does not have the focus; the bare
// number while it has it. L recalls the last amount entered anywhere; the
// right button opens the pop-up calculator over the field.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/controls/CtlEdit.h"

class CDataExchange;

// The message through which the pop-up calculator reports its result text
// (the second parameter, a const char*) to its owner.
constexpr UINT WM_CALCULATOR_RESULT = 0x7E3;

// The last amount typed into any amount edit or received from the calculator.
extern double LastAmount;

// Opens the pop-up calculator over `rect` (screen coordinates) with `owner`
// as its parent and notification window and `start` as its number; false when
// it cannot be created. The calculator is installed by the grid library;
// with none installed the right button opens nothing.
using AmountCalculatorOpener = bool (*)(CWnd* owner, const RECT& rect, double start);
void SetAmountCalculatorOpener(AmountCalculatorOpener opener);
AmountCalculatorOpener GetAmountCalculatorOpener();

class CAmountEdit : public CEdit {
 public:
  CAmountEdit() = default;
  ~CAmountEdit() override = default;

  enum { kWhole = 0, kDecimals = 1, kDollars = 2 };
  // Null limit texts leave that limit as it is.
  void SetFormat(int mode, const char* minimum, const char* maximum, int decimals);
  void SetChangeFlag(int* changed) { m_pbChanged = changed; }

  CString ParseText(const CString& text) const;
  void GetText(CString& out) const;
  void FormatValue();
  void ShowText(bool takeFocus);

  double GetValue() const { return m_dValue; }
  void SetValue(double value) { m_dValue = value; }
  const CString& GetFormatted() const { return m_strText; }

  // The dialog exchange's two directions.
  void SaveValue(CString& value) const { GetText(value); }
  void LoadValue(const CString& value);

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  LRESULT OnCalculatorResult(WPARAM wParam, LPARAM lParam);
  LRESULT OnTakeFocusBack(WPARAM wParam, LPARAM lParam);

 private:
  void MarkChanged() {
    if (m_pbChanged) *m_pbChanged = 1;
  }
  static constexpr UINT kTakeFocusBack = WM_USER + 0x3E4;
  bool HasFocus() const;
  void FormatValueAs(bool focused);
  void OpenCalculator();

  int* m_pbChanged = nullptr;
  int m_nMode = kWhole;
  double m_dMax = 0;
  double m_dMin = 0;
  double m_dValue = 0;
  CString m_strText;
  int m_nDecimals = 0;
  int m_bTyped = 0;

  DECLARE_MESSAGE_MAP()
};

void DDX_Amount(CDataExchange* pDX, CAmountEdit& control, CString& value);
