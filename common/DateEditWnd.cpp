// The window half of the date edit: attachment, keys, focus loss, the
// right-button menu and the dialog data exchange.
#include <cctype>
#include <cstring>

#include "common/CalendarDlg.h"
#include "common/DateEdit.h"
#include "common/StrUtil.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/framework/View.h"
#include "platform/menus/Menu.h"

IMPLEMENT_DYNAMIC(CDateEditEx, CDate8)

namespace {

enum { kCmdCopyDate = 1, kCmdPasteDate, kCmdCalendar };

bool IsLetter(UINT ch) { return ch < 256 && std::isalpha(static_cast<int>(ch)); }

}  // namespace

void CDate8::SubclassEdit(UINT id, CWnd* parent, const CString& letters, int century19) {
  if (id == 0 || parent == nullptr) return;
  if (!parent->IsKindOf(RUNTIME_CLASS(CFormView)) && !parent->IsKindOf(RUNTIME_CLASS(CDialog))) return;
  if (!SubclassDlgItem(id, parent)) return;
  m_bSubclassed = true;
  std::snprintf(m_szAllowed, sizeof m_szAllowed, "%s", static_cast<LPCTSTR>(letters));
  m_bCentury19 = century19 & 0xFF;
  LimitText(8);
}

void CDate8::ShowShortForm() {
  m_strText = FormatFields(false, 0);
  SetWindowText(m_strText);
}

void CDate8::OnKillFocus(CWnd* newWnd) {
  if (m_bSubclassed) {
    GetWindowText(m_strText);
    const CString shown = FormatText(m_strText);
    if (shown != m_strText) {
      m_strText = shown;
      SetWindowText(m_strText);
    }
  }
  CEdit::OnKillFocus(newWnd);
}

// A letter acts only on a wholly selected field (an empty one counts), and
// only a result of a full eight characters replaces the text.
void CDate8::TypeLetter(char letter) {
  GetWindowText(m_strText);
  int start = 0, end = 0;
  GetSel(start, end);
  if (end - start != m_strText.GetLength()) return;
  const CString result = FormatText(CString(letter));
  if (result.GetLength() == 8 && result != m_strText) {
    m_strText = result;
    SetWindowText(m_strText);
    SetSel(8, 8);
  }
}

void CDate8::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!m_bSubclassed) {
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  if (IsLetter(nChar)) {
    TypeLetter(static_cast<char>(nChar));
    return;
  }
  if (nChar == '+' || nChar == '=') {
    AddMonthsDays(0, 1);
    ShowShortForm();
  } else if (nChar == '-' || nChar == '_') {
    SubtractMonthsDays(0, 1);
    ShowShortForm();
  }
  CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CDateEditEx::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!m_bSubclassed) {
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  if (IsLetter(nChar)) {
    TypeLetter(static_cast<char>(nChar));
  } else if (nChar == '+' || nChar == '=' || nChar == '-' || nChar == '_') {
    if (nChar == '+' || nChar == '=')
      AddMonthsDays(0, 1);
    else
      SubtractMonthsDays(0, 1);
    std::snprintf(LastDateText, sizeof LastDateText, "%s", m_szDate);
    ShowShortForm();
  } else {
    CDate8::OnChar(nChar, nRepCnt, nFlags);
  }
}

void CDateEditEx::OnRButtonDown(UINT, CPoint point) {
  if (!m_bSubclassed) return;
  CMenu menu;
  if (!menu.CreatePopupMenu()) return;
  menu.AppendMenu(MF_STRING, kCmdCopyDate, "Copy Date");
  menu.AppendMenu(MF_STRING, kCmdPasteDate, "Paste Date");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, kCmdCalendar, "Calendar");
  ClientToScreen(&point);
  const UINT chosen = static_cast<UINT>(
      menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, this));
  switch (chosen) {
    case kCmdCopyDate: OnCopyDate(); break;
    case kCmdPasteDate: OnPasteDate(); break;
    case kCmdCalendar: OnCalendar(); break;
    default: break;
  }
}

void CDate8::OnCopyDate() {
  SetFocus();
  SetSel(0, -1);
  if (m_szDate[0] != '\0') std::snprintf(LastDateText, sizeof LastDateText, "%s", m_szDate);
}

void CDate8::OnPasteDate() {
  SetFocus();
  if (LastDateText[0] == '\0') return;
  const CString shortForm = Format(CString(LastDateText), false, 0);
  m_strText = FormatText(shortForm);
  SetWindowText(m_strText);
}

void CDate8::OnCalendar() {
  CString kept;
  GetWindowText(kept);
  RECT r{};
  GetWindowRect(&r);
  CCalendarDlg dlg(r.left, r.bottom, r.top, this);
  dlg.m_strDate = kept;
  if (dlg.DoModal() != IDOK) {
    SetWindowText(kept);
    return;
  }
  if (dlg.m_strDate.IsEmpty()) return;
  std::snprintf(LastDateText, sizeof LastDateText, "%s", static_cast<LPCTSTR>(dlg.m_strDate));
  OnPasteDate();
}

CString CDateEditEx::GetLastDate() {
  static CString last;
  last = LastDateText;
  return last;
}

void CDate8::SaveValue(CString& value) {
  if (!m_bSubclassed) return;
  GetWindowText(m_strText);
  m_strText = TrimCharSets(m_strText, " ", " ");
  value = ToStored(m_strText);
  if (value.IsEmpty() && !m_strText.IsEmpty()) value = m_strText;
}

void CDate8::LoadValue(const CString& value) {
  if (!m_bSubclassed) return;
  m_strText = Format(value, false, 0);
  if (m_strText.IsEmpty() && !value.IsEmpty()) m_strText = value;
  SetWindowText(m_strText);
}

void DDX_Date(CDataExchange* pDX, CDate8& control, CString& value) {
  if (control.GetSafeHwnd() == nullptr) return;
  if (pDX->m_bSaveAndValidate)
    control.SaveValue(value);
  else
    control.LoadValue(value);
}
