#include "common/ProgressDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/window/CtlDefs.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/framework/WindowDc.h"
#include "res/resource.h"

CProgressWindow::CProgressWindow() : CDialog(IDD_PROGRESS) {}

bool CProgressWindow::Open() {
  if (m_hWnd && ::IsWindow(m_hWnd)) return true;
  // Without a parent: the dialog manager makes the active main window the
  // owner.
  if (!Create(IDD_PROGRESS, nullptr)) return false;
  ShowWindow(SW_SHOW);
  UpdateWindow();
  return true;
}

BOOL CProgressWindow::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* help = GetDlgItem(IDC_PROGRESS_HELP)) help->ShowWindow(SW_HIDE);
  CenterWindow();
  m_percent = -1;
  m_fill = 0;
  // The frame control only gives the bar its place: the window paints the
  // bar and its sunken border itself, so that a repaint shows the last step.
  if (CWnd* frame = GetDlgItem(IDC_PROGRESS_BAR)) {
    frame->GetWindowRect(&m_bar);
    ScreenToClient(&m_bar);
    frame->ShowWindow(SW_HIDE);
  }
  m_barWidth = m_bar.right - m_bar.left;
  m_barColor = GetSysColor(COLOR_ACTIVECAPTION);
  TEXTMETRIC tm{};
  {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(GetFont());
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
  }
  m_textAt = POINT{m_bar.left + m_barWidth / 2, m_bar.top + ((m_bar.bottom - m_bar.top) - tm.tmHeight) / 2};
  return TRUE;
}

void CProgressWindow::SetCaption(const char* caption) {
  if (!m_hWnd || !caption) return;
  SetDlgItemText(IDC_PROGRESS_CAPTION, caption);
  if (CWnd* line = GetDlgItem(IDC_PROGRESS_CAPTION)) line->UpdateWindow();
}

void CProgressWindow::ShowStep(int percent, int position, int total) {
  if (!m_hWnd || total <= 0) return;
  m_percent = std::clamp(percent, 0, 100);
  m_fill = static_cast<int>(static_cast<long long>(std::clamp(position, 0, total)) * m_barWidth / total);
  RECT area = m_bar;
  InflateRect(&area, 2, 2);
  InvalidateRect(&area, FALSE);
  UpdateWindow();
}

int CProgressWindow::Close() {
  if (!m_hWnd || !::IsWindow(m_hWnd)) return 0;
  return DestroyWindow() ? 1 : 0;
}

void CProgressWindow::PostNcDestroy() {
  m_percent = -1;
  m_fill = 0;
}

void CProgressWindow::OnPaint() {
  CPaintDC dc(this);
  PaintBar(&dc);
}

void CProgressWindow::PaintBar(CDC* dc) {
  if (IsRectEmpty(&m_bar)) return;
  // A two-step sunken border round the bar.
  RECT edge = m_bar;
  InflateRect(&edge, 1, 1);
  dc->Draw3dRect(&edge, RGB(0, 0, 0), GetSysColor(COLOR_3DLIGHT));
  InflateRect(&edge, 1, 1);
  dc->Draw3dRect(&edge, GetSysColor(COLOR_BTNSHADOW), RGB(255, 255, 255));

  RECT filled{m_bar.left, m_bar.top, m_bar.left + m_fill, m_bar.bottom};
  RECT rest{m_bar.left + m_fill, m_bar.top, m_bar.right, m_bar.bottom};
  char text[16] = "";
  if (m_percent >= 0) std::snprintf(text, sizeof text, "%d%%", m_percent);
  const UINT count = static_cast<UINT>(std::strlen(text));
  CFont* oldFont = dc->SelectObject(GetFont());
  UINT oldAlign = dc->SetTextAlign(TA_CENTER | TA_TOP);
  // The same text at the same point in both parts, each clipped to its
  // part: the text changes colour where the fill ends.
  dc->SetBkColor(m_barColor);
  dc->SetTextColor(m_light);
  dc->ExtTextOut(m_textAt.x, m_textAt.y, ETO_OPAQUE | ETO_CLIPPED, &filled, text, count, nullptr);
  dc->SetBkColor(m_light);
  dc->SetTextColor(m_barColor);
  dc->ExtTextOut(m_textAt.x, m_textAt.y, ETO_OPAQUE | ETO_CLIPPED, &rest, text, count, nullptr);
  dc->SetTextAlign(oldAlign);
  dc->SelectObject(oldFont);
}
