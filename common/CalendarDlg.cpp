#include "common/CalendarDlg.h"

#include <cstdio>

#include "common/DateEdit.h"
#include "platform/window/CommCtrlDefs.h"
#include "res/resource.h"

CCalendarDlg::CCalendarDlg(int x, int y, int yAbove, CWnd* parent)
    : CDialog(IDD_CALENDAR, parent), m_x(x), m_y(y), m_yAbove(yAbove) {}

BEGIN_MESSAGE_MAP(CCalendarDlg, CDialog)
  ON_NOTIFY(MCN_SELECT, IDC_CALENDAR, OnSelect)
END_MESSAGE_MAP()

// The calendar and the dialog grow or shrink together to the calendar's own
// minimum size plus its border on both sides.
void CCalendarDlg::FitToCalendar() {
  CWnd* cal = GetDlgItem(IDC_CALENDAR);
  if (cal == nullptr) return;
  RECT need{};
  cal->SendMessage(MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
  RECT win{};
  cal->GetWindowRect(&win);
  POINT client{0, 0};
  cal->ClientToScreen(&client);
  const int border = client.x - win.left;
  const int dx = (need.right - need.left) + 2 * border - (win.right - win.left);
  const int dy = (need.bottom - need.top) + 2 * border - (win.bottom - win.top);
  cal->SetWindowPos(nullptr, 0, 0, win.right - win.left + dx, win.bottom - win.top + dy,
                    SWP_NOMOVE | SWP_NOZORDER);
  RECT dlg{};
  GetWindowRect(&dlg);
  SetWindowPos(nullptr, 0, 0, dlg.right - dlg.left + dx, dlg.bottom - dlg.top + dy, SWP_NOMOVE | SWP_NOZORDER);
  cal->SendMessage(MCM_SETCOLOR, MCSC_TITLEBK, RGB(0, 128, 128));
}

void CCalendarDlg::Place() {
  if (m_x == -1 && m_y == -1 && m_yAbove == -1) return;
  RECT dlg{};
  GetWindowRect(&dlg);
  const int w = dlg.right - dlg.left;
  const int h = dlg.bottom - dlg.top;
  int x = m_x;
  int y = m_y;
  if (x + w > GetSystemMetrics(SM_CXFULLSCREEN)) x = GetSystemMetrics(SM_CXFULLSCREEN) - w;
  if (y + h > GetSystemMetrics(SM_CYFULLSCREEN)) y = m_yAbove - h;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

BOOL CCalendarDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FitToCalendar();
  if (!m_strDate.IsEmpty()) {
    DateParser.Parse(m_strDate);
    SYSTEMTIME sel{};
    auto* cal = GetDlgItem(IDC_CALENDAR);
    if (cal != nullptr && DateParser.GetText()[0] != '\0') {
      cal->SendMessage(MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&sel));
      sel.wYear = static_cast<WORD>(DateParser.GetYear(true));
      sel.wMonth = static_cast<WORD>(DateParser.GetMonth());
      sel.wDay = static_cast<WORD>(DateParser.GetDay());
      cal->SendMessage(MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&sel));
    }
    m_strDate.Empty();
  }
  Place();
  return TRUE;
}

void CCalendarDlg::OnSelect(NMHDR*, LRESULT* result) {
  if (result) *result = 0;
  OnOK();
}

void CCalendarDlg::OnOK() {
  SYSTEMTIME sel{};
  if (CWnd* cal = GetDlgItem(IDC_CALENDAR)) cal->SendMessage(MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&sel));
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", sel.wYear, sel.wMonth, sel.wDay);
  m_strDate = text;
  EndDialog(IDOK);
}
