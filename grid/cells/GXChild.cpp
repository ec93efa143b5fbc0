// Cell children and buttons.
#include "grid/cells/GXChild.h"
#include "grid/cells/GXKeyRouting.h"

#include <algorithm>

#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXComboBoxWnd.h"
#include "grid/cells/GXControl.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXUserAttribute.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

BOOL CGXChild::IsCaptured() { return m_pComposite != nullptr && m_pComposite->GetCapturedChild() == this; }

void CGXChild::Draw(CDC* dc, BOOL active, const CGXStyle&) { DrawChild(dc, active); }
void CGXChild::DrawChild(CDC*, BOOL) {}

void CGXChild::Refresh() {
  CWnd* wnd = m_pComposite != nullptr ? m_pComposite->GetGridWnd() : nullptr;
  if (wnd != nullptr && wnd->GetSafeHwnd() != nullptr) wnd->InvalidateRect(&m_rect, TRUE);
}

BOOL CGXChild::MouseMove(UINT, CPoint) { return FALSE; }
BOOL CGXChild::LButtonDown(UINT, CPoint) { return FALSE; }
BOOL CGXChild::LButtonUp(UINT, CPoint) { return FALSE; }
BOOL CGXChild::LButtonDblClk(UINT, CPoint) { return FALSE; }
BOOL CGXChild::MButtonDown(UINT, CPoint) { return FALSE; }
BOOL CGXChild::MButtonUp(UINT, CPoint) { return FALSE; }
BOOL CGXChild::MButtonDblClk(UINT, CPoint) { return FALSE; }
BOOL CGXChild::RButtonDown(UINT, CPoint) { return FALSE; }
BOOL CGXChild::RButtonUp(UINT, CPoint) { return FALSE; }
BOOL CGXChild::RButtonDblClk(UINT, CPoint) { return FALSE; }
BOOL CGXChild::MouseMoveOver(ROWCOL, ROWCOL, UINT, CPoint) { return FALSE; }

BOOL CGXChild::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  return GXRouteKeyMessage(*this, message, key, repeat, flags, m_bDbcsLeadPending, m_cDbcsLead);
}

BOOL CGXChild::KeyDown(UINT, UINT, UINT) { return FALSE; }
BOOL CGXChild::KeyUp(UINT, UINT, UINT) { return FALSE; }
BOOL CGXChild::HandleChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXChild::InsertText(LPCTSTR) { return FALSE; }
BOOL CGXChild::DeadChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXChild::SysKeyDown(UINT, UINT, UINT) { return FALSE; }
BOOL CGXChild::SysKeyUp(UINT, UINT, UINT) { return FALSE; }
BOOL CGXChild::SysChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXChild::SysDeadChar(UINT, UINT, UINT) { return FALSE; }
void CGXChild::OnWinIniChange(LPCTSTR) {}
void CGXChild::OnSysColorChange() {}
void CGXChild::OnCancelMode() {}

// ---------------------------------------------------------------- buttons

void CGXButton::DrawFace(CDC* dc, BOOL active, COLORREF face, BOOL greyText) {
  const BOOL focus = active && IsCaptured();
  GXFillSolidRect(dc, m_rect, face);
  CRect edge = m_rect;
  GXDrawEdge(dc, edge, m_bPressed ? EDGE_SUNKEN : EDGE_RAISED, FALSE);
  CRect text(m_rect.left + 1, m_rect.top + 1, m_rect.right - 2, m_rect.bottom - 2);
  if (m_bPressed) text.OffsetRect(1, 1);
  const COLORREF old = greyText ? dc->SetTextColor(::GetSysColor(COLOR_GRAYTEXT)) : dc->GetTextColor();
  GXGetDrawingAndFormatting()->DrawButtonText(dc, text, focus, m_sText, DT_WORDBREAK);
  dc->SetTextColor(old);
}

void CGXButton::Draw(CDC* dc, BOOL active, const CGXStyle& style) {
  if (!style.HasUserAttribute(GX_IDS_UA_PUSHBTN_FACE)) {
    DrawChild(dc, active);
    return;
  }
  const COLORREF face = static_cast<COLORREF>(style.GetUserAttribute(GX_IDS_UA_PUSHBTN_FACE).GetLongValue());
  DrawFace(dc, active, face, style.GetIncludeEnabled() && !style.GetEnabled());
}

void CGXButton::DrawChild(CDC* dc, BOOL active) { DrawFace(dc, active, ::GetSysColor(COLOR_BTNFACE), FALSE); }

BOOL CGXButton::LButtonDown(UINT, CPoint) {
  m_bPressed = m_bMouseDown = TRUE;
  if (m_bCanPress) Refresh();
  if (m_pComposite != nullptr && m_pComposite->IsActive()) {
    if (CWnd* wnd = m_pComposite->GetGridWnd()) wnd->UpdateWindow();
  }
  return TRUE;
}

BOOL CGXButton::MouseMove(UINT, CPoint point) {
  if (m_bMouseDown) {
    const BOOL inside = m_rect.PtInRect(point);
    if (inside != m_bPressed) {
      m_bPressed = inside;
      Refresh();
    }
  }
  return TRUE;
}

BOOL CGXButton::LButtonUp(UINT, CPoint point) {
  const BOOL click = m_bPressed && m_rect.PtInRect(point);
  m_bPressed = m_bMouseDown = FALSE;
  Refresh();
  if (click && m_pComposite != nullptr) m_pComposite->OnClickedButton(this);
  return TRUE;
}

BOOL CGXButton::KeyDown(UINT key, UINT, UINT) {
  if (key != VK_SPACE) return FALSE;
  m_bPressed = TRUE;
  Refresh();
  return TRUE;
}

BOOL CGXButton::KeyUp(UINT key, UINT, UINT) {
  if (key != VK_SPACE || !m_bPressed) return FALSE;
  m_bPressed = FALSE;
  Refresh();
  if (m_pComposite != nullptr) m_pComposite->OnClickedButton(this);
  return TRUE;
}

void CGXButton::OnCancelMode() {
  if (!m_bPressed && !m_bMouseDown) return;
  m_bPressed = m_bMouseDown = FALSE;
  Refresh();
}

// ------------------------------------------------------ drop-down buttons

namespace {

// A raised (or sunken) face with the library's arrow centred in it.
void DrawArrowButton(CDC* dc, const CRect& rect, BOOL pressed, BOOL dimmed) {
  GXFillSolidRect(dc, rect, ::GetSysColor(COLOR_BTNFACE));
  CRect edge = rect;
  GXDrawEdge(dc, edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, FALSE);
  CRect r = rect;
  r.top += 2;
  r.bottom -= 2;
  CGXSysColorCache& cache = GXGetSysColorCache();
  HBITMAP handle = dimmed ? cache.GetDimmedDropArrowBitmap() : cache.GetDropArrowBitmap();
  if (handle == nullptr) return;
  CBitmap* bitmap = CBitmap::FromHandle(handle);
  BITMAP info{};
  bitmap->GetBitmap(&info);
  int x = r.left + std::max(0, (r.Width() - info.bmWidth) / 2);
  int y = r.top + std::max(0, (r.Height() - info.bmHeight) / 2);
  if (pressed) ++x, ++y;
  const int w = std::min<int>(info.bmWidth, r.right - 1 - x), h = std::min<int>(info.bmHeight, r.bottom - 1 - y);
  if (w <= 0 || h <= 0) return;
  CDC memory;
  if (!memory.CreateCompatibleDC(dc)) return;
  CBitmap* old = memory.SelectObject(bitmap);
  const COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0)), oldBack = dc->SetBkColor(::GetSysColor(COLOR_BTNFACE));
  dc->BitBlt(x, y, w, h, &memory, 0, 0, SRCCOPY);
  dc->SetTextColor(oldText);
  dc->SetBkColor(oldBack);
  memory.SelectObject(old);
}

}  // namespace

void CGXComboBoxWndButton::Draw(CDC* dc, BOOL active, const CGXStyle& style) {
  auto* combo = dynamic_cast<CGXComboBoxWnd*>(m_pComposite);
  const BOOL showInactive = combo != nullptr && combo->ShowsButtonWhenInactive();
  BOOL pressed = FALSE;
  if (active) {
    if (m_pComposite != nullptr && m_pComposite->IsActive()) return;  // the combo's own window shows it
    pressed = IsCaptured() && m_bPressed;
  } else if (!showInactive) {
    return;
  }
  DrawArrowButton(dc, m_rect, pressed, style.GetIncludeEnabled() && !style.GetEnabled());
}

void CGXComboBoxWndButton::DrawChild(CDC* dc, BOOL active) { Draw(dc, active, CGXStyle()); }

void CGXComboBoxButton::DrawChild(CDC* dc, BOOL active) {
  auto* combo = dynamic_cast<CGXComboBox*>(m_pComposite);
  const BOOL showInactive = combo == nullptr || combo->ShowsButtonWhenInactive();
  BOOL pressed = FALSE;
  if (active) {
    pressed = IsCaptured() && m_bPressed;
  } else if (!showInactive) {
    return;
  }
  DrawArrowButton(dc, m_rect, pressed, FALSE);
}

void CGXHotSpotButton::DrawChild(CDC* dc, BOOL active) {
  if (!active) return;
  GXFillSolidRect(dc, m_rect, ::GetSysColor(COLOR_BTNFACE));
  CRect edge = m_rect;
  GXDrawEdge(dc, edge, m_bPressed ? EDGE_SUNKEN : EDGE_RAISED, FALSE);
  if (m_rect.Height() < 12) return;
  const int x = m_rect.left + (m_bPressed ? 1 : 0), y = m_rect.top + (m_bPressed ? 1 : 0);
  const COLORREF black = RGB(0, 0, 0);
  GXFillRect(dc, x + 3, y + 3, 6, 2, black);
  GXFillRect(dc, x + 6, y + 4, 3, 3, black);
  for (int i = 0; i < 4; ++i) GXFillRect(dc, x + 4 + i, y + 7 + i, 7 - 2 * i, 1, black);
}

// ----------------------------------------------------------- arrow buttons

BOOL CGXArrowButton::LButtonDown(UINT flags, CPoint point) {
  CGXButton::LButtonDown(flags, point);
  m_dwLastTick = ::GetTickCount();
  m_dwDelay = 500;
  if (m_pComposite != nullptr) m_pComposite->OnClickedButton(this);
  return TRUE;
}

BOOL CGXArrowButton::MouseMove(UINT flags, CPoint point) {
  CGXButton::MouseMove(flags, point);
  if (!m_bPressed || !m_rect.PtInRect(point)) return TRUE;
  const DWORD now = ::GetTickCount();
  if (now - m_dwLastTick < m_dwDelay) return TRUE;
  if (m_dwDelay > 150) m_dwDelay = 150;
  else if (m_dwDelay > 50) m_dwDelay -= 5;
  m_dwLastTick = now;
  if (m_pComposite != nullptr) m_pComposite->OnClickedButton(this);
  return TRUE;
}

BOOL CGXArrowButton::LButtonUp(UINT, CPoint) {
  m_bPressed = m_bMouseDown = FALSE;
  Refresh();
  return TRUE;
}

namespace {

// One half of a spin button: face, edge and a black arrow of rows.
void DrawSpinHalf(CDC* dc, const CRect& rect, BOOL pressed, bool up) {
  GXFillSolidRect(dc, rect, ::GetSysColor(COLOR_BTNFACE));
  CRect edge = rect;
  GXDrawEdge(dc, edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, FALSE);
  const int h = rect.Height();
  if (h < 5) return;
  const bool small = h <= 7;
  const int width = small ? 5 : 7;
  int top = rect.top + (small ? (up ? (h - 3) / 2 : (h - 2) / 2) : (up ? (h - 5) / 2 : (h - 4) / 2));
  int x = rect.left + (rect.Width() - width) / 2;
  if (pressed) ++x, ++top;
  static const int kUp[4][2] = {{3, 1}, {2, 3}, {1, 5}, {0, 7}};
  static const int kDown[4][2] = {{0, 7}, {1, 5}, {2, 3}, {3, 1}};
  const int rows = h > 7 ? 4 : 3;
  for (int i = 0; i < rows; ++i) {
    const int* row = up ? kUp[i] : kDown[i];
    if (top + i >= rect.bottom) break;
    GXFillRect(dc, x + row[0], top + i, row[1], 1, RGB(0, 0, 0));
  }
}

}  // namespace

void CGXUpArrowButton::DrawChild(CDC* dc, BOOL active) {
  if (active) DrawSpinHalf(dc, m_rect, m_bPressed, true);
}
void CGXDownArrowButton::DrawChild(CDC* dc, BOOL active) {
  if (active) DrawSpinHalf(dc, m_rect, m_bPressed, false);
}

void GXFitButtonToText(CRect& button, const CRect& cell, const CGXStyle* style, int textHeight, int margin) {
  const int cellHeight = cell.Height();
  const int h = style == nullptr ? cellHeight : std::min(textHeight + 2, cellHeight - 2 * margin);
  if (style != nullptr && style->GetIncludeVerticalAlignment()) {
    if (style->GetVerticalAlignment() == DT_VCENTER) button.top += (cellHeight - h) / 2 - margin;
    else if (style->GetVerticalAlignment() == DT_BOTTOM) button.top = cell.bottom - 2 * margin - h;
  }
  button.bottom = button.top + 2 * margin + h - 1;
}
