// Check-box cells.
#include "grid/cells/GXCheckBox.h"

#include <algorithm>
#include <cstdlib>

#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "grid/core/GXStylesMap.h"
#include "platform/window/Messages.h"

const GXControlClass CGXCheckBox::CGXCheckBoxRecord = {"CGXCheckBox", &CGXControl::CGXControlRecord};
const GXControlClass CGXCheckBoxEx::CGXCheckBoxExRecord = {"CGXCheckBoxEx", &CGXCheckBox::CGXCheckBoxRecord};

CGXCheckBox::CGXCheckBox(CGXGridCore* grid, BOOL draw3d, UINT screenBitmap, UINT printBitmap)
    : CGXControl(grid), m_bDraw3d(draw3d) {
  m_nScreenBitmapId = screenBitmap != 0 ? screenBitmap : !draw3d ? 20026 : GXGetAppData()->m_bBelowVersion4 ? 20025 : 20024;
  m_nPrintBitmapId = printBitmap != 0 ? printBitmap : 20026;
}

CGXCheckBox::~CGXCheckBox() = default;

void CGXCheckBox::AddUserAttributes(CGXStylesMap* map) {
  map->AddUserAttribute(GX_IDS_UA_CHECKBOX_CHECKED);
  map->AddUserAttribute(GX_IDS_UA_CHECKBOX_UNCHECKED);
}

CString CGXCheckBox::CheckedValue(const CGXStyle& style) {
  return style.HasUserAttribute(GX_IDS_UA_CHECKBOX_CHECKED) ? style.GetUserAttribute(GX_IDS_UA_CHECKBOX_CHECKED).GetValue()
                                                            : CString("1");
}

CString CGXCheckBox::UncheckedValue(const CGXStyle& style) {
  return style.HasUserAttribute(GX_IDS_UA_CHECKBOX_UNCHECKED)
             ? style.GetUserAttribute(GX_IDS_UA_CHECKBOX_UNCHECKED).GetValue()
             : CString("0");
}

CString CGXCheckBox::ToggledValue(const CString& value, const CGXStyle& style) {
  const CString checked = CheckedValue(style), unchecked = UncheckedValue(style);
  if (value == checked) return unchecked;
  if (style.GetIncludeTriState() && style.GetTriState() && value == unchecked) return CString();
  return checked;
}

BOOL CGXCheckBox::LoadBitmaps() {
  m_screenBitmap.DeleteObject();
  m_printBitmap.DeleteObject();
  const BOOL screen = GXLoadResourceBitmap(m_screenBitmap, m_nScreenBitmapId);
  const BOOL print = GXLoadResourceBitmap(m_printBitmap, m_nPrintBitmapId);
  return screen && print;
}

COLORREF CGXCheckBox::MapColor(COLORREF color, BOOL forPrint) {
  switch (color) {
    case RGB(0, 0, 0): return forPrint ? RGB(0, 0, 0) : ::GetSysColor(COLOR_WINDOWTEXT);
    case RGB(255, 0, 0): return forPrint ? RGB(255, 255, 255) : ::GetSysColor(COLOR_WINDOW);
    case RGB(0, 255, 0): return ::GetSysColor(COLOR_WINDOWFRAME);
    case RGB(192, 192, 192): return ::GetSysColor(COLOR_BTNFACE);
    default: return color;
  }
}

UINT CGXCheckBox::GetState(ROWCOL row, ROWCOL col, const CGXStyle& style) {
  UINT state = 0;
  if (IsInitializedFor(row, col) && IsCurrentCell()) state |= kBound;
  if ((style.GetIncludeEnabled() && !style.GetEnabled()) || (m_bPressed && (state & kBound) != 0)) state |= kDimmed;
  const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
  if (value == CheckedValue(style)) state |= kChecked;
  else if (value == UncheckedValue(style) || !(style.GetIncludeTriState() && style.GetTriState())) state |= kUnchecked;
  return state;
}

void CGXCheckBox::CalcBoxRect(CRect& out, CDC* dc, const CRect& rect, LPCTSTR label, UINT align) {
  const int s = m_nCheckBoxSize;
  const BOOL hasLabel = label != nullptr && *label != '\0';
  int width = s, e = s;
  if (hasLabel) {
    TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    width = s * 3 / 2 + dc->GetTextExtent(label).cx;
    e = std::min<int>(tm.tmHeight + tm.tmInternalLeading, s);
  }
  const int d = rect.Height() - e;
  const int m = d <= 3 ? std::max(d, 0) : 3;
  int x = rect.left + 3;
  if ((align & DT_CENTER) != 0) x = rect.left + std::max<int>((rect.Width() - width) / 2, 0);
  else if ((align & DT_RIGHT) != 0) x = rect.left + std::max<int>(rect.Width() - width, 0);
  int y = rect.top + m;
  if ((align & DT_VCENTER) != 0) y = rect.top + std::abs(d) / 2;
  else if ((align & DT_BOTTOM) != 0) y = rect.top + std::max(d, 0);
  out = CRect(x, y, std::min<int>(rect.right, x + s), std::min<int>(rect.bottom, y + s));
}

void CGXCheckBox::DrawCheckBox(CDC* dc, const CRect& rect, UINT state, UINT align, LPCTSTR label) {
  CRect box;
  CalcBoxRect(box, dc, rect, label, align);
  const int image = (state & (kChecked | kUnchecked)) == 0 ? 4 : static_cast<int>(state & kDimmed) + ((state & kChecked) ? 1 : 0);
  if (m_screenBitmap.GetSafeHandle() == nullptr) LoadBitmaps();
  CBitmap& bitmap = dc->IsPrinting() ? m_printBitmap : m_screenBitmap;
  if (bitmap.GetSafeHandle() != nullptr && box.Width() > 0 && box.Height() > 0) {
    CDC memory;
    if (memory.CreateCompatibleDC(dc)) {
      CBitmap* old = memory.SelectObject(&bitmap);
      dc->StretchBlt(box.left, box.top, box.Width(), box.Height(), &memory, image * 13, 0, box.Width(), box.Height(),
                     SRCCOPY);
      memory.SelectObject(old);
    }
  }
  const int s = m_nCheckBoxSize;
  if (label != nullptr && *label != '\0' && box.left + s * 3 / 2 < rect.right) {
    const UINT format = DT_NOPREFIX | (align & DT_WORDBREAK ? DT_WORDBREAK : DT_SINGLELINE) |
                        (align & (DT_VCENTER | DT_BOTTOM));
    CRect text(box.left + s * 3 / 2, rect.top, rect.right, rect.bottom);
    GXGetDrawingAndFormatting()->DrawMultiLineText(dc, label, -1, text.left, text.top, text.right, text.bottom,
                                                   format, &text);
  }
}

void CGXCheckBox::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                       const CGXStyle* baseStyle) {
  const UINT state = GetState(row, col, style);
  UINT align = 0;
  if (style.GetIncludeHorizontalAlignment()) align |= style.GetHorizontalAlignment();
  if (style.GetIncludeVerticalAlignment()) align |= style.GetVerticalAlignment();
  if (style.GetIncludeWrapText() && style.GetWrapText()) align |= DT_WORDBREAK;
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  DrawBackground(dc, rect, style, FALSE);
  dc->SetBkMode(TRANSPARENT);
  dc->SetBkColor(style.GetIncludeInterior() ? style.GetInterior().GetColor() : RGB(255, 255, 255));
  dc->SetTextColor(style.GetIncludeTextColor() ? style.GetTextColor() : RGB(0, 0, 0));
  const CRect inner = GetCellRect(row, col, &rect, &style);
  DrawCheckBox(dc, inner, state, align, style.GetIncludeChoiceList() ? static_cast<LPCTSTR>(style.GetChoiceList()) : "");
  if (old != nullptr) dc->SelectObject(old);
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

CSize CGXCheckBox::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL, BOOL) {
  const int half = ::GetSystemMetrics(SM_CXFRAME) / 2;
  const int inset = half >= 4 ? half : 3;
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  int width = tm.tmMaxCharWidth + 2 * inset, height = tm.tmHeight + tm.tmExternalLeading + 1;
  if (style.GetIncludeChoiceList() && !style.GetChoiceList().IsEmpty()) {
    CString rest = style.GetChoiceList(), line;
    width = height = 0;
    while (!rest.IsEmpty()) {
      GXExtractLine(rest, line);
      const CSize extent = dc->GetTextExtent(line);
      width = std::max<int>(width, extent.cx + 2 * inset);
      height += extent.cy;
    }
  }
  if (old != nullptr) dc->SelectObject(old);
  const int s = m_nCheckBoxSize;
  return CalcSize(s + width + 6, std::max(s + 4, height), style);
}

BOOL CGXCheckBox::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  if (style->GetIncludeTriState() && style->GetTriState() && text.CompareNoCase(CheckedValue(*style)) != 0 &&
      text.CompareNoCase(UncheckedValue(*style)) != 0)
    text.Empty();
  return TRUE;
}

void CGXCheckBox::ComputeBoxForCell() {
  const CGXStyle& style = ShownStyle();
  CWnd* wnd = GetGridWnd();
  if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr) return;
  CClientDC dc(wnd);
  CFont* old = m_pGrid->SelectStyleFont(&dc, style, nullptr);
  const CRect cell = m_pGrid->CalcCellRect(m_nRow, m_nCol);
  UINT align = 0;
  if (style.GetIncludeHorizontalAlignment()) align |= style.GetHorizontalAlignment();
  if (style.GetIncludeVerticalAlignment()) align |= style.GetVerticalAlignment();
  CalcBoxRect(m_rectBox, &dc, GetCellRect(m_nRow, m_nCol, &cell, &style), style.GetChoiceList(), align);
  if (old != nullptr) dc.SelectObject(old);
}

BOOL CGXCheckBox::LButtonDown(UINT flags, CPoint point, UINT hit) {
  if (IsReadOnly() || GetStyle().GetReadOnly()) return CGXControl::LButtonDown(flags, point, hit);
  ComputeBoxForCell();
  if (m_rectBox.PtInRect(point)) {
    m_bPressed = TRUE;
    Refresh();
  }
  return CGXControl::LButtonDown(flags, point, hit);
}

BOOL CGXCheckBox::MouseMove(UINT flags, CPoint point, UINT hit) {
  const BOOL pressed = (hit & 0x40) != 0 && m_rectBox.PtInRect(point);
  if (pressed != m_bPressed && !m_rectBox.IsRectEmpty()) {
    m_bPressed = pressed;
    Refresh();
  }
  return CGXControl::MouseMove(flags, point, hit);
}

BOOL CGXCheckBox::LButtonUp(UINT flags, CPoint point, UINT hit) {
  const BOOL wasPressed = m_bPressed;
  m_bPressed = FALSE;
  if (wasPressed) Refresh();
  const BOOL base = CGXControl::LButtonUp(flags, point, hit);
  if (base) return TRUE;
  if ((hit & 0x40) != 0 && m_rectBox.PtInRect(point)) OnClickedButton(nullptr);
  return TRUE;
}

BOOL CGXCheckBox::LButtonDblClk(UINT flags, CPoint point) {
  m_bPressed = FALSE;
  if (CGXControl::LButtonDblClk(flags, point)) return TRUE;
  if (m_rectBox.PtInRect(point)) OnClickedButton(nullptr);
  return TRUE;
}

BOOL CGXCheckBox::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  if (CGXControl::ProcessKeys(message, key, repeat, flags)) return TRUE;
  if (message == WM_CHAR && key == ' ') {
    OnClickedButton(nullptr);
    return TRUE;
  }
  return FALSE;
}

void CGXCheckBox::OnCancelMode() {
  if (m_bPressed) {
    m_bPressed = FALSE;
    Refresh();
  }
  CGXControl::OnCancelMode();
}

void CGXCheckBox::OnClickedButton(CGXChild* child) {
  if (!m_bInit || !OnStartEditing() || IsReadOnly() || GetStyle().GetReadOnly()) return;
  // The value as stored now: a store since binding leaves the kept style behind.
  FreeStyle(TRUE);
  const CGXStyle& style = GetStyle();
  const CString next = ToggledValue(style.GetIncludeValue() ? style.GetValue() : CString(), style);
  m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), next, 0, 2);
  CGXControl::OnClickedButton(child);
}

// ------------------------------------------------------ the Ex variant

void CGXCheckBoxEx::SetActive(BOOL on) {
  if (on && !m_bActive) {
    FreeStyle(FALSE);
    GetStyle();
  }
  m_bActive = on;
}

void CGXCheckBoxEx::Init(ROWCOL row, ROWCOL col) {
  CGXCheckBox::Init(row, col);
  GetStyle();
  m_bModified = FALSE;
}

BOOL CGXCheckBoxEx::Store() {
  if (m_pStyle == nullptr || !m_bModified) return TRUE;
  const CString value = m_pStyle->GetValue();
  SetActive(FALSE);
  m_bModified = FALSE;
  return m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), value, 0, 1);
}

void CGXCheckBoxEx::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                         const CGXStyle* baseStyle) {
  if (IsInitializedFor(row, col) && m_bActive && m_pStyle != nullptr) {
    CGXStyle shown(style);
    shown.SetValue(m_pStyle->GetValue());
    CGXCheckBox::Draw(dc, rect, row, col, shown, baseStyle);
    return;
  }
  CGXCheckBox::Draw(dc, rect, row, col, style, baseStyle);
}

BOOL CGXCheckBoxEx::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  if (message == WM_KEYDOWN && key == VK_DELETE && m_bActive) {
    GetStyle().SetValue("");
    m_pGrid->RedrawRowCol(m_nRow, m_nCol, m_nRow, m_nCol, 2, TRUE);
    m_bModified = TRUE;
    OnModifyCell();
    return TRUE;
  }
  return CGXCheckBox::ProcessKeys(message, key, repeat, flags);
}

void CGXCheckBoxEx::OnClickedButton(CGXChild* child) {
  if (!m_bInit || IsReadOnly() || GetStyle().GetReadOnly()) return;
  if (!m_bActive) {
    if (!OnStartEditing()) return;
    SetActive(TRUE);
  }
  CGXStyle& style = GetStyle();
  style.SetValue(ToggledValue(style.GetIncludeValue() ? style.GetValue() : CString(), style));
  m_pGrid->RedrawRowCol(m_nRow, m_nCol, m_nRow, m_nCol, 2, TRUE);
  m_bModified = TRUE;
  OnModifyCell();
  CGXControl::OnClickedButton(child);
}
