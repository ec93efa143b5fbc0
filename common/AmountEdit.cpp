#include "common/AmountEdit.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/dialogs/DataExchange.h"
#include "platform/host/Keys.h"

double LastAmount = 0;

namespace {

AmountCalculatorOpener calculatorOpener = nullptr;

// The number at the start of a text, read in the C locale whatever the
// desktop's: amounts and the calculator's results always use '.'.
double ToNumber(const CString& text) {
  static locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  const char* s = static_cast<LPCTSTR>(text);
  if (cLocale == static_cast<locale_t>(nullptr)) return std::strtod(s, nullptr);
  const double v = strtod_l(s, nullptr, cLocale);
  return std::isfinite(v) ? v : 0;
}

// printf of one double under a pattern built at run time, in the C locale.
CString PrintNumber(const char* pattern, double value) {
  CString out;
  out.Format(pattern, value);
  return out;
}

}  // namespace

void SetAmountCalculatorOpener(AmountCalculatorOpener opener) { calculatorOpener = opener; }
AmountCalculatorOpener GetAmountCalculatorOpener() { return calculatorOpener; }

BEGIN_MESSAGE_MAP(CAmountEdit, CEdit)
  ON_MESSAGE(WM_CALCULATOR_RESULT, OnCalculatorResult)
  ON_MESSAGE(kTakeFocusBack, OnTakeFocusBack)
END_MESSAGE_MAP()

void CAmountEdit::SetFormat(int mode, const char* minimum, const char* maximum, int decimals) {
  m_nMode = mode;
  if (minimum) m_dMin = ToNumber(minimum);
  if (maximum) m_dMax = ToNumber(maximum);
  m_nDecimals = decimals;
}

CString CAmountEdit::ParseText(const CString& text) const {
  if (m_nMode != kDollars) return text;
  CString t = text;
  t.Remove('$');
  if (t.Find('(') >= 0) {
    t.Replace('(', '-');
    t.Remove(')');
  }
  t.Remove(' ');
  return t;
}

void CAmountEdit::GetText(CString& out) const {
  CString window;
  GetWindowText(window);
  out = ParseText(window);
}

bool CAmountEdit::HasFocus() const { return m_hWnd != nullptr && ::GetFocus() == m_hWnd; }

void CAmountEdit::FormatValue() { FormatValueAs(HasFocus()); }

void CAmountEdit::FormatValueAs(bool focused) {
  if (m_dValue < m_dMin)
    m_dValue = m_dMin;
  else if (m_dValue > m_dMax)
    m_dValue = m_dMax;
  // Decimals beyond what a double can show are no use and would make the
  // pattern itself overflow nothing but the screen.
  const int decimals = m_nDecimals < 0 ? 0 : (m_nDecimals > 15 ? 15 : m_nDecimals);
  char pattern[32];
  if (m_nMode == kWhole) {
    // Truncation toward zero, kept in range of a long.
    const double t = std::trunc(m_dValue);
    const long whole = t >= 9.2e18 ? 0 : (t <= -9.2e18 ? 0 : static_cast<long>(t));
    m_strText.Format("%ld", whole);
  } else if (m_nMode == kDollars && !focused) {
    const bool negative = m_dValue < 0;
    std::snprintf(pattern, sizeof pattern, "%s$ %%.%df%s", negative ? "(" : "", decimals, negative ? ")" : "");
    m_strText = PrintNumber(pattern, std::fabs(m_dValue));
  } else {
    std::snprintf(pattern, sizeof pattern, "%%.%df", decimals);
    m_strText = PrintNumber(pattern, m_dValue);
  }
}

void CAmountEdit::ShowText(bool takeFocus) {
  SetWindowText(m_strText);
  if (takeFocus && !HasFocus()) SetFocus();
}

void CAmountEdit::LoadValue(const CString& value) {
  m_dValue = ToNumber(ParseText(value));
  FormatValue();
  if (value.IsEmpty()) m_strText.Empty();
  ShowText(false);
}

void CAmountEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar >= 32 && nChar <= 127) {
    if (std::strchr("0123456789.-", static_cast<int>(nChar)) != nullptr) {
      MarkChanged();
      m_bTyped = 1;
      CEdit::OnChar(nChar, nRepCnt, nFlags);
      return;
    }
    if (nChar == 'l' || nChar == 'L') {
      int start = 0, end = 0;
      GetSel(start, end);
      if (end - start == GetWindowTextLength()) {
        m_dValue = LastAmount;
        FormatValue();
        m_strText = ParseText(m_strText);
        ShowText(false);
        MarkChanged();
      }
    }
    return;
  }
  if (nChar == 8) MarkChanged();
  CEdit::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CAmountEdit::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_DELETE) MarkChanged();
  return CEdit::PreTranslateMessage(msg);
}

void CAmountEdit::OnSetFocus(CWnd* oldWnd) {
  GetText(m_strText);
  if (!m_strText.IsEmpty()) ShowText(false);
  CEdit::OnSetFocus(oldWnd);
  SetSel(0, -1);
}

void CAmountEdit::OnKillFocus(CWnd* newWnd) {
  CString t;
  GetText(t);
  if (!t.IsEmpty()) {
    m_dValue = ToNumber(t);
    if (m_bTyped) LastAmount = m_dValue;
    // The unfocused form, whichever window the platform reports as focused
    // while the focus is being handed on.
    FormatValueAs(false);
    ShowText(false);
  }
  CEdit::OnKillFocus(newWnd);
  m_bTyped = 0;
}

void CAmountEdit::OnRButtonDown(UINT, CPoint) { OpenCalculator(); }

void CAmountEdit::OpenCalculator() {
  SetFocus();
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
  if (calculatorOpener == nullptr) return;
  RECT r{};
  GetWindowRect(&r);
  CString shown;
  GetWindowText(shown);
  calculatorOpener(this, r, ToNumber(shown));
}

LRESULT CAmountEdit::OnCalculatorResult(WPARAM, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  m_dValue = ToNumber(CString(text ? text : ""));
  LastAmount = m_dValue;
  FormatValue();
  ShowText(false);
  MarkChanged();
  // The focus comes back once the calculator has closed; gaining it shows
  // the bare number.
  PostMessage(kTakeFocusBack, 0, 0);
  return 1;
}

LRESULT CAmountEdit::OnTakeFocusBack(WPARAM, LPARAM) {
  if (HasFocus())
    OnSetFocus(nullptr);
  else
    SetFocus();
  return 0;
}

void DDX_Amount(CDataExchange* pDX, CAmountEdit& control, CString& value) {
  if (control.GetSafeHwnd() == nullptr) return;
  if (pDX->m_bSaveAndValidate)
    control.SaveValue(value);
  else
    control.LoadValue(value);
}
