#include "reports/RptDlg.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/Dates.h"
#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform/controls/CtlScrollBar.h"
#include "res/resource.h"
#include "reports/RptParams.h"

CRptDlg::CRptDlg(UINT templateId, RptContext* context) : CDialog(templateId, nullptr), m_pContext(context) {
  m_helpContext = DialogHelpContext(templateId);
}

void CRptDlg::Enable(int id, bool on) { ::EnableWindow(Item(id), on ? TRUE : FALSE); }

bool CRptDlg::IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != 0; }

HWND CRptDlg::Item(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }

CString CRptDlg::Text(int id) const {
  CString text;
  GetDlgItemText(id, text);
  return text;
}

void CRptDlg::Warn(const char* text) { DispMessage(text, MSG_WARNING); }

bool CRptDlg::ReadDatePair(CDate8& from, CDate8& to, CString& first, CString& second) {
  from.SaveValue(first);
  if (!from.Validate("First Date")) return false;
  to.SaveValue(second);
  if (!to.Validate("Second Date")) return false;
  char message[300] = "";
  if (!ValidateDatePair(first, second, Item(from.GetDlgCtrlID()), Item(to.GetDlgCtrlID()), message)) {
    Warn(message);
    return false;
  }
  return true;
}

void CRptDlg::SetItemFormat(int id, const char* format, const char* word) {
  char text[128];
  std::snprintf(text, sizeof text, format, word ? word : "");
  SetDlgItemText(id, text);
}

BOOL CRptDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, m_helpContext)) return TRUE;
  const int id = LOWORD(wParam);
  if (id != IDOK && id != IDCANCEL && OnControl(id, HIWORD(wParam))) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CRptDlg::SetupSizing(std::initializer_list<int> growIds, bool fixedWidth, int width, int height) {
  RECT w;
  GetWindowRect(&w);
  minWidth_ = prevWidth_ = w.right - w.left;
  minHeight_ = prevHeight_ = w.bottom - w.top;
  m_nWidth = minWidth_;
  m_nHeight = minHeight_;
  fixedWidth_ = fixedWidth;
  pieces_.clear();
  int growBottom = 0;
  for (int id : growIds) {
    HWND h = Item(id);
    if (!h) continue;
    RECT r;
    ::GetWindowRect(h, &r);
    ScreenToClient(&r);
    growBottom = std::max(growBottom, static_cast<int>(r.bottom));
    pieces_.push_back({h, 0});
  }
  // Everything that starts below the lists follows the bottom edge.
  for (HWND h = ::GetWindow(GetSafeHwnd(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (std::any_of(pieces_.begin(), pieces_.end(), [h](const Piece& p) { return p.hwnd == h; })) continue;
    RECT r;
    ::GetWindowRect(h, &r);
    ScreenToClient(&r);
    if (r.top < growBottom) continue;
    const int id = ::GetDlgCtrlID(h);
    const LONG style = ::GetWindowLong(h, GWL_STYLE);
    char cls[16] = "";
    ::GetClassName(h, cls, sizeof cls);
    int kind = 1;
    if (id == IDOK || id == IDCANCEL || id == IDC_SHELL_HELP) kind = 3;
    else if (std::string(cls) == "Button" && (style & 0xF) == BS_GROUPBOX) kind = 2;
    pieces_.push_back({h, kind});
  }
  sizing_ = true;
  if (width != 0) SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CRptDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  // The size message of the window's creation comes before the set-up.
  if (!sizing_ || resizing_) return;
  RECT w;
  GetWindowRect(&w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  const int newWidth = fixedWidth_ ? minWidth_ : std::max(width, minWidth_);
  const int newHeight = std::max(height, minHeight_);
  const int dx = newWidth - prevWidth_, dy = newHeight - prevHeight_;
  for (const Piece& p : pieces_) {
    CWnd* control = CWnd::FromHandle(p.hwnd);
    switch (p.kind) {
      case 0: MoveControlBy(control, dx, dy, FALSE); break;
      case 1: MoveControlBy(control, 0, dy, TRUE); break;
      case 2:
        MoveControlBy(control, 0, dy, TRUE);
        MoveControlBy(control, dx, 0, FALSE);
        break;
      default: MoveControlBy(control, dx / 2, dy, TRUE); break;
    }
  }
  prevWidth_ = m_nWidth = newWidth;
  prevHeight_ = m_nHeight = newHeight;
  if (newWidth != width || newHeight != height) {
    resizing_ = true;
    SetWindowPos(nullptr, 0, 0, newWidth, newHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    resizing_ = false;
  }
  Invalidate();
}

void CRptMonthDlg::InitMonth(const CString& month) {
  SendDlgItemMessage(IDC_RPT_MONTH, EM_LIMITTEXT, 3, 0);
  SetDlgItemText(IDC_RPT_MONTH, month);
  SendDlgItemMessage(IDC_RPT_MONTH_SPIN, SBM_SETRANGE, 0, 11);
  const int index = RptMonthIndex(month);
  SendDlgItemMessage(IDC_RPT_MONTH_SPIN, SBM_SETPOS, static_cast<WPARAM>(index < 0 ? 0 : index), TRUE);
}

void CRptMonthDlg::NormaliseMonth() {
  std::string text = static_cast<const char*>(Text(IDC_RPT_MONTH));
  if (RptMonthIndex(text.c_str()) < 0 && !text.empty() && text.size() <= 2 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const int number = std::atoi(text.c_str());
    if (number >= 1 && number <= 12) text = MonthAbbrs[number - 1];
  }
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char>(i == 0 ? std::toupper(static_cast<unsigned char>(text[i]))
                                       : std::tolower(static_cast<unsigned char>(text[i])));
  SetDlgItemText(IDC_RPT_MONTH, text.c_str());
  const int index = RptMonthIndex(text.c_str());
  SendDlgItemMessage(IDC_RPT_MONTH_SPIN, SBM_SETPOS, static_cast<WPARAM>(index < 0 ? 0 : index), TRUE);
}

int CRptMonthDlg::ValidateMonth() {
  char text[16];
  std::snprintf(text, sizeof text, "%s", static_cast<const char*>(Text(IDC_RPT_MONTH)));
  char message[300] = "";
  if (!ValidateDlgField("Accounting Month", text, 1, FIELD_DATE, DF_MON, nullptr, nullptr, Item(IDC_RPT_MONTH),
                        message)) {
    Warn(message);
    return -1;
  }
  const int index = RptMonthIndex(text);
  if (index < 0) {
    Warn("Accounting Month:  Invalid date");
    ::SetFocus(Item(IDC_RPT_MONTH));
  }
  return index;
}

void CRptMonthDlg::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (bar == nullptr || bar->GetSafeHwnd() != Item(IDC_RPT_MONTH_SPIN)) {
    CRptDlg::OnVScroll(code, pos, bar);
    return;
  }
  const int old = static_cast<int>(SendDlgItemMessage(IDC_RPT_MONTH_SPIN, SBM_GETPOS, 0, 0));
  int index = old;
  switch (code) {
    case SB_LINEUP: ++index; break;
    case SB_LINEDOWN: --index; break;
    case SB_TOP: index = 11; break;
    case SB_BOTTOM: index = 0; break;
    default: return;
  }
  index = (index + 12) % 12;
  if (index == old && code != SB_TOP && code != SB_BOTTOM) return;
  SetDlgItemText(IDC_RPT_MONTH, MonthAbbrs[index]);
  SendDlgItemMessage(IDC_RPT_MONTH_SPIN, SBM_SETPOS, static_cast<WPARAM>(index), TRUE);
}

bool CRptMonthDlg::OnControl(int id, int code) {
  if (id == IDC_RPT_MONTH && code == EN_KILLFOCUS) {
    NormaliseMonth();
    return true;
  }
  return false;
}
