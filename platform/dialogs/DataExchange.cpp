#include "platform/dialogs/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/window/CtlDefs.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/base/Exceptions.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/WindowImpl.h"

namespace {

HWND dialogOf(CDataExchange* pDX) { return pDX->m_pDlgWnd ? pDX->m_pDlgWnd->m_hWnd : nullptr; }

void setText(HWND h, const std::string& s) { SetWindowText(h, s.c_str()); }

std::string trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

[[noreturn]] void failWith(CDataExchange* pDX, const char* text) {
  AfxMessageBox(text, MB_ICONEXCLAMATION);
  pDX->Fail();
}

// Whole numbers: blanks around, an optional sign, digits. False for
// anything else or a value outside [lo, hi].
bool parseInteger(const std::string& text, long long lo, long long hi, long long* out) {
  std::string s = trimmed(text);
  if (s.empty()) return false;
  size_t i = 0;
  bool neg = false;
  if (s[0] == '-' || s[0] == '+') {
    neg = s[0] == '-';
    i = 1;
  }
  if (i == s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > 0xFFFFFFFFLL) return false;
  }
  if (neg) v = -v;
  if (v < lo || v > hi) return false;
  *out = v;
  return true;
}

template <typename T>
void exchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!h) return;
  if (!pDX->m_bSaveAndValidate) {
    char buf[32];
    if (lo < 0) std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
    else std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(value));
    setText(h, buf);
    return;
  }
  std::string text = wnd::WindowText(h);
  long long v;
  if (!parseInteger(text, lo, hi, &v)) {
    std::string s = trimmed(text);
    if (lo >= 0 && !s.empty() && s[0] == '-') failWith(pDX, "Please enter a positive integer.");
    if (hi <= 0xFFFF) {
      char msg[96];
      std::snprintf(msg, sizeof msg, "Please enter an integer between %lld and %lld.", lo, hi);
      failWith(pDX, msg);
    }
    failWith(pDX, "Please enter an integer.");
  }
  value = static_cast<T>(v);
}

template <typename T>
void exchangeFloat(CDataExchange* pDX, int nIDC, T& value, int digits) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!h) return;
  if (!pDX->m_bSaveAndValidate) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(value));
    setText(h, buf);
    return;
  }
  std::string s = trimmed(wnd::WindowText(h));
  char* end = nullptr;
  errno = 0;
  double v = s.empty() ? 0 : std::strtod(s.c_str(), &end);
  bool ok = !s.empty() && end && *end == 0 && errno != ERANGE && std::isfinite(v);
  if (ok && sizeof(T) == sizeof(float) && std::fabs(v) > FLT_MAX) ok = false;
  if (!ok) failWith(pDX, "Please enter a number.");
  value = static_cast<T>(v);
}

bool isCombo(HWND h) {
  char cls[32] = {};
  GetClassName(h, cls, sizeof cls);
  return std::string(cls) == WC_COMBOBOX;
}

std::string itemText(HWND h, UINT lenMsg, UINT textMsg, LRESULT index) {
  LRESULT n = SendMessage(h, lenMsg, static_cast<WPARAM>(index), 0);
  if (n < 0) return {};
  std::string s(static_cast<size_t>(n) + 1, '\0');
  SendMessage(h, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}

void rangeFail(CDataExchange* pDX, const char* format, const std::string& lo, const std::string& hi) {
  char msg[160];
  std::snprintf(msg, sizeof msg, format, lo.c_str(), hi.c_str());
  failWith(pDX, msg);
}

template <typename T>
void checkRange(CDataExchange* pDX, T value, T lo, T hi) {
  if (!pDX->m_bSaveAndValidate) return;
  if (value >= lo && value <= hi) return;
  rangeFail(pDX, "Please enter an integer between %s and %s.", std::to_string(lo), std::to_string(hi));
}

std::string numberText(double v, int digits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*g", digits, v);
  return buf;
}

}  // namespace

// ---- CDataExchange --------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND h = GetDlgItem(dialogOf(this), nIDC);
  m_hWndLastControl = h;
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  HWND dialog = dialogOf(this);
  if (m_bSaveAndValidate && m_hWndLastControl && IsWindow(m_hWndLastControl)) {
    if (dialog && dlg::IsDialog(dialog))
      SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
    else
      SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

// ---- Text -----------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) value = wnd::WindowText(h).c_str();
  else SetWindowText(h, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { exchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { exchangeInteger(pDX, nIDC, value, 0, UINT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
  // long is 32 bits in the stored data's world.
  exchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX);
}
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { exchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { exchangeInteger(pDX, nIDC, value, 0, 255); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { exchangeFloat(pDX, nIDC, value, DBL_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { exchangeFloat(pDX, nIDC, value, FLT_DIG); }

// ---- Buttons ----------------------------------------------------------------

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) value = static_cast<int>(SendMessage(h, BM_GETCHECK, 0, 0));
  else SendMessage(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND first = pDX->PrepareCtrl(nIDC);
  if (!first) return;
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  // The group: from the first button to the next control that starts a
  // group; only radio buttons count.
  for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c != first && (GetWindowLong(c, GWL_STYLE) & WS_GROUP)) break;
    if (!(SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (SendMessage(c, BM_GETCHECK, 0, 0) == BST_CHECKED && value < 0) value = index;
    } else {
      SendMessage(c, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

// ---- Combo boxes and list boxes -------------------------------------------

namespace {
void comboSave(HWND h, CString& value) {
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  if ((style & 0x3u) == CBS_DROPDOWNLIST) {
    LRESULT sel = SendMessage(h, CB_GETCURSEL, 0, 0);
    value = sel >= 0 ? itemText(h, CB_GETLBTEXTLEN, CB_GETLBTEXT, sel).c_str() : "";
  } else {
    value = wnd::WindowText(h).c_str();
  }
}

void comboLoad(HWND h, const CString& value, bool exact) {
  LRESULT found = CB_ERR;
  if (!value.IsEmpty()) {
    found = SendMessage(h, exact ? CB_FINDSTRINGEXACT : CB_FINDSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
  }
  SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  // An editable combo box shows the text even when no item carries it.
  if ((style & 0x3u) != CBS_DROPDOWNLIST && found == CB_ERR) SetWindowText(h, value);
}


void exchangeComboString(CDataExchange* pDX, int nIDC, CString& value, bool exact) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) comboSave(h, value);
  else comboLoad(h, value, exact);
}
}  // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { exchangeComboString(pDX, nIDC, value, false); }

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) { exchangeComboString(pDX, nIDC, value, true); }

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) index = static_cast<int>(SendMessage(h, CB_GETCURSEL, 0, 0));
  else SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {
void listLoad(HWND h, const CString& value, bool exact) {
  LRESULT found = LB_ERR;
  if (!value.IsEmpty())
    found = SendMessage(h, exact ? LB_FINDSTRINGEXACT : LB_FINDSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
  SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void listSave(HWND h, CString& value) {
  LRESULT sel = SendMessage(h, LB_GETCURSEL, 0, 0);
  value = sel >= 0 ? itemText(h, LB_GETTEXTLEN, LB_GETTEXT, sel).c_str() : "";
}

void exchangeListString(CDataExchange* pDX, int nIDC, CString& value, bool exact) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) listSave(h, value);
  else listLoad(h, value, exact);
}
}  // namespace

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { exchangeListString(pDX, nIDC, value, false); }

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { exchangeListString(pDX, nIDC, value, true); }

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) index = static_cast<int>(SendMessage(h, LB_GETCURSEL, 0, 0));
  else SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND h = pDX->PrepareCtrl(nIDC);
  if (h) rControl.SubclassWindow(h);
}

// ---- Validation -------------------------------------------------------------

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars) {
      char msg[96];
      std::snprintf(msg, sizeof msg, "Please enter no more than %d characters.", nChars);
      failWith(pDX, msg);
    }
    return;
  }
  HWND h = pDX->m_hWndLastControl;
  if (!h) return;
  SendMessage(h, isCombo(h) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  checkRange<long long>(pDX, value, minVal, maxVal);
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  checkRange<long long>(pDX, value, minVal, maxVal);
}
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  checkRange<long long>(pDX, value, minVal, maxVal);
}
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  checkRange<long long>(pDX, value, minVal, maxVal);
}
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
  checkRange<long long>(pDX, value, minVal, maxVal);
}
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  checkRange<long long>(pDX, value, minVal, maxVal);
}
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  rangeFail(pDX, "Please enter a number between %s and %s.", numberText(minVal, DBL_DIG), numberText(maxVal, DBL_DIG));
}
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  rangeFail(pDX, "Please enter a number between %s and %s.", numberText(minVal, FLT_DIG), numberText(maxVal, FLT_DIG));
}

BOOL RunDataExchange(CWnd* window, BOOL saveAndValidate, const std::function<void(CDataExchange*)>& exchange) {
  CDataExchange dx(window, saveAndValidate);
  try {
    exchange(&dx);
  } catch (CUserException* e) {
    // The field's problem has been shown and the focus is back on it.
    e->Delete();
    return FALSE;
  }
  return TRUE;
}
