// The scroll-bar, hot-spot and spin edit cells.
#include "grid/cells/GXEditVariants.h"

#include <algorithm>
#include <cstdlib>

#include "grid/core/GXStylesMap.h"
#include "platform/window/CtlDefs.h"

const GXControlClass CGXVScrollEdit::CGXVScrollEditRecord = {"CGXVScrollEdit", &CGXEditControl::CGXEditControlRecord};
const GXControlClass CGXHotSpotEdit::CGXHotSpotEditRecord = {"CGXHotSpotEdit", &CGXEditControl::CGXEditControlRecord};
const GXControlClass CGXSpinEdit::CGXSpinEditRecord = {"CGXSpinEdit", &CGXEditControl::CGXEditControlRecord};

namespace {
// The width the corner button and the arrows take from the text.
constexpr int kHotSpotWidth = 13;
constexpr int kSpinWidth = 14;

// The edit cell draws the children of its active editor only; an inactive
// cell shows its buttons too.
void DrawWithChildren(CGXEditControl* cell, CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col,
                      const CGXStyle& style, const CGXStyle* baseStyle) {
  const BOOL editing = cell->IsInitializedFor(row, col) && cell->IsActive();
  cell->CGXEditControl::Draw(dc, rect, row, col, style, baseStyle);
  if (!editing) cell->CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

void InvalidateChild(CGXControl* control, CGXChild* child) {
  CWnd* wnd = control->GetGridWnd();
  if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr || child == nullptr) return;
  const CRect r = child->GetRect();
  wnd->InvalidateRect(&r, FALSE);
}
}  // namespace

// ------------------------------------------------------------ scroll bar

DWORD CGXVScrollEdit::CalcEditStyle(CRect& rect, int lineHeight) {
  m_bVertScrollBar = TRUE;
  return CGXEditControl::CalcEditStyle(rect, lineHeight);
}

CRect CGXVScrollEdit::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXStatic::GetCellRect(row, col, cellRect, style);
  if (style != nullptr && m_bVertScrollBar) rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
  return rect;
}

// ---------------------------------------------------------------- hot spot

CGXHotSpotEdit::CGXHotSpotEdit(CGXGridCore* grid, UINT id) : CGXEditControl(grid, id) {
  m_pButton = new CGXHotSpotButton(this);
  AddChild(m_pButton);
}

void CGXHotSpotEdit::Init(ROWCOL row, ROWCOL col) {
  CGXEditControl::Init(row, col);
  InvalidateChild(this, m_pButton);
}

CRect CGXHotSpotEdit::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXStatic::GetCellRect(row, col, cellRect, style);
  rect.right -= kHotSpotWidth;
  return rect;
}

CSize CGXHotSpotEdit::CalcSize(int width, int height, const CGXStyle& style) {
  return CGXEditControl::CalcSize(width + kHotSpotWidth, height, style);
}

void CGXHotSpotEdit::OnInitChildren(ROWCOL row, ROWCOL col, const CRect& text) {
  const CRect cellRect = GXWholeCellRect(this, m_pGrid, row, col, text, kHotSpotWidth);
  CRect button(cellRect.right - 14, cellRect.top, cellRect.right - 1, cellRect.top + 13);
  button.IntersectRect(&button, &cellRect);
  if (button.Height() < cellRect.Height() - 1) button.OffsetRect(0, 1);
  m_pButton->SetRect(button);
}

void CGXHotSpotEdit::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                          const CGXStyle* baseStyle) {
  DrawWithChildren(this, dc, rect, row, col, style, baseStyle);
}

// -------------------------------------------------------------------- spin

void CGXSpinEdit::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                       const CGXStyle* baseStyle) {
  DrawWithChildren(this, dc, rect, row, col, style, baseStyle);
}

CGXSpinEdit::CGXSpinEdit(CGXGridCore* grid, UINT id) : CGXEditControl(grid, id) {
  m_pUpArrow = new CGXUpArrowButton(this);
  m_pDownArrow = new CGXDownArrowButton(this);
  AddChild(m_pUpArrow);
  AddChild(m_pDownArrow);
}

void CGXSpinEdit::Init(ROWCOL row, ROWCOL col) {
  CGXEditControl::Init(row, col);
  InvalidateChild(this, m_pUpArrow);
  InvalidateChild(this, m_pDownArrow);
  CGXControl::GetStyle();
}

CRect CGXSpinEdit::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXStatic::GetCellRect(row, col, cellRect, style);
  rect.right -= kSpinWidth;
  return rect;
}

CSize CGXSpinEdit::CalcSize(int width, int height, const CGXStyle& style) {
  return CGXEditControl::CalcSize(width + kSpinWidth, height, style);
}

void CGXSpinEdit::ReadSpinAttributes() {
  const CGXStyle& style = CGXControl::GetStyle();
  const auto text = [&](WORD id) {
    return style.HasUserAttribute(id) ? style.GetUserAttribute(id).GetValue() : CString();
  };
  const CString wrap = text(GX_IDS_UA_SPINBOUND_WRAP), low = text(GX_IDS_UA_SPINBOUND_MIN),
                high = text(GX_IDS_UA_SPINBOUND_MAX), start = text(GX_IDS_UA_SPINSTART);
  m_nWrap = static_cast<DWORD>(std::atol(wrap));
  m_bMin = !low.IsEmpty();
  m_nMin = std::atol(low);
  m_bMax = !high.IsEmpty();
  m_nMax = std::atol(high);
  m_bStartValue = !start.IsEmpty();
  m_nStartValue = std::atol(start);
}

BOOL CGXSpinEdit::LButtonDown(UINT flags, CPoint point, UINT hit) {
  // A changed style takes effect at the next click.
  if (m_bInit) ReadSpinAttributes();
  return CGXControl::LButtonDown(flags, point, hit);
}

BOOL CGXSpinEdit::LButtonUp(UINT flags, CPoint point, UINT hit) { return CGXEditControl::LButtonUp(flags, point, hit); }

void CGXSpinEdit::OnClickedButton(CGXChild* child) { Step(child); }

void CGXSpinEdit::Step(CGXChild* button) {
  const BOOL wasActive = IsActive();
  if (!wasActive) {
    if (!OnStartEditing()) return;
    SetActive(TRUE);
  }
  CString text;
  if (m_hWnd != nullptr) GetWindowText(text);
  CGXControl::GetStyle();
  if (!CGXControl::IsReadOnly() && m_hWnd != nullptr) {
    long long n = 0;
    bool clampToMin = m_bMin != FALSE;
    if (m_bStartValue && text.IsEmpty()) {
      n = m_nStartValue;
    } else {
      n = std::atol(text);
      if (button == m_pUpArrow) {
        if (m_bMax && n >= m_nMax) {
          if (m_nWrap != 0 && m_bMin) n = m_nMin;
          else if (m_nWrap != 0) clampToMin = false;
        } else {
          ++n;
        }
      } else if (button == m_pDownArrow) {
        if (m_bMin && n <= m_nMin) {
          if (m_nWrap != 0 && m_bMax) n = m_nMax;
        } else {
          --n;
        }
      }
    }
    if (clampToMin) n = std::max<long long>(n, m_nMin);
    if (m_bMax) n = std::min<long long>(n, m_nMax);
    // A step beyond the range of the stored number stays at its end.
    n = std::clamp<long long>(n, LONG_MIN, LONG_MAX);
    CString shown;
    shown.Format("%ld", static_cast<long>(n));
    SetWindowText(shown);
    SetModify(TRUE);
    OnModifyCell();
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
  }
  if (wasActive) UpdateEditStyle();
  else Refresh();
  CGXControl::OnClickedButton(button);
}

void CGXSpinEdit::OnInitChildren(ROWCOL row, ROWCOL col, const CRect& text) {
  const CRect cellRect = GXWholeCellRect(this, m_pGrid, row, col, text, kSpinWidth);
  CRect strip(cellRect.right - 15, cellRect.top + 1, cellRect.right - 1, cellRect.bottom - 1);
  strip.IntersectRect(&strip, &cellRect);
  const int half = strip.top + strip.Height() / 2;
  m_pUpArrow->SetRect(CRect(strip.left, strip.top, strip.right, half));
  m_pDownArrow->SetRect(CRect(strip.left, half, strip.right, strip.bottom));
}

void CGXSpinEdit::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle spin;
  spin.SetControl(52519).SetWrapText(FALSE);
  map->AddUserAttribute(GX_IDS_UA_SPINBOUND_MIN, &spin);
  map->AddUserAttribute(GX_IDS_UA_SPINBOUND_MAX, &spin);
  map->AddUserAttribute(GX_IDS_UA_SPINSTART, &spin);
  CGXStyle check;
  check.SetControl(52523).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
  map->AddUserAttribute(GX_IDS_UA_SPINBOUND_WRAP, &check);
}
