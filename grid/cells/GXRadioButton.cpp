// Radio-button cells.
#include "grid/cells/GXRadioButton.h"

#include <algorithm>
#include <cstdlib>

#include "grid/core/GXDrawing.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "grid/core/GXStylesMap.h"
#include "platform/window/Messages.h"

const GXControlClass CGXRadioButton::CGXRadioButtonRecord = {"CGXRadioButton", &CGXControl::CGXControlRecord};
const GXControlClass CGXRadioButtonEx::CGXRadioButtonExRecord = {"CGXRadioButtonEx",
                                                                 &CGXRadioButton::CGXRadioButtonRecord};

std::vector<CString> CGXRadioButton::Lines(const CGXStyle& style) {
  std::vector<CString> lines;
  CString rest = style.GetIncludeChoiceList() ? style.GetChoiceList() : CString(), line;
  while (!rest.IsEmpty()) {
    GXExtractLine(rest, line);
    if (!line.IsEmpty()) lines.push_back(line);
  }
  return lines;
}

int CGXRadioButton::LineHeight(CDC* dc) {
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  return std::max<int>(12, tm.tmHeight + tm.tmExternalLeading);
}

std::vector<CGXRadioButton::Item> CGXRadioButton::Layout(CDC* dc, const CRect& rect, const CGXStyle& style) {
  std::vector<Item> items;
  const int h = LineHeight(dc);
  int top = rect.top;
  for (const CString& line : Lines(style)) {
    const CSize extent = dc->GetTextExtent(line);
    items.push_back({CRect(rect.left, top, rect.left + 18, top + h),
                     CRect(rect.left + 18, top, rect.left + 18 + extent.cx, top + h)});
    top += h;
  }
  return items;
}

void CGXRadioButton::DrawButton(CDC* dc, int x, int top, BOOL on) {
  if (m_bDraw3d) {
    CBitmap bitmap;
    if (GXLoadResourceBitmap(bitmap, 20019)) {
      CDC memory;
      if (memory.CreateCompatibleDC(dc)) {
        CBitmap* old = memory.SelectObject(&bitmap);
        dc->BitBlt(x + 2, top, 14, 13, &memory, on ? 14 : 0, 13, SRCCOPY);
        memory.SelectObject(old);
        return;
      }
    }
  }
  CBrush white(RGB(255, 255, 255)), black(RGB(0, 0, 0));
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&white);
  dc->Ellipse(x + 3, top, x + 15, top + 12);
  if (on) {
    dc->SelectObject(&black);
    dc->Ellipse(x + 5, top + 2, x + 13, top + 10);
  }
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

void CGXRadioButton::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                          const CGXStyle* baseStyle) {
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  const BOOL bw = dc->IsPrinting();
  dc->SetBkColor(bw ? RGB(255, 255, 255) : style.GetIncludeInterior() ? style.GetInterior().GetColor() : RGB(255, 255, 255));
  dc->SetTextColor(bw || !style.GetIncludeTextColor() ? RGB(0, 0, 0) : style.GetTextColor());
  DrawBackground(dc, rect, style, FALSE);
  dc->SetBkMode(TRANSPARENT);
  const int value = style.GetIncludeValue() && !style.GetValue().IsEmpty() ? std::atoi(style.GetValue()) : -1;
  const std::vector<CString> lines = Lines(style);
  const std::vector<Item> items = Layout(dc, rect, style);
  const int h = LineHeight(dc);
  dc->SaveDC();
  dc->IntersectClipRect(&rect);
  for (size_t i = 0; i < items.size(); ++i) {
    DrawButton(dc, items[i].button.left, items[i].button.top + (h - 12) / 2, static_cast<int>(i) == value);
    CRect text = items[i].text;
    text.right = std::max(text.right, rect.right);
    dc->DrawText(lines[i], -1, &text, DT_SINGLELINE | DT_NOPREFIX);
  }
  dc->RestoreDC(-1);
  m_nCount = static_cast<int>(items.size());
  if (old != nullptr) dc->SelectObject(old);
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

CSize CGXRadioButton::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL, BOOL) {
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  int width = 0, height = 0;
  for (const CString& line : Lines(style)) {
    const CSize extent = dc->GetTextExtent(line);
    width = std::max<int>(width, extent.cx);
    height += extent.cy;
  }
  if (old != nullptr) dc->SelectObject(old);
  return CalcSize(width + 22, height + 4, style);
}

int CGXRadioButton::HitItem(CPoint point, const CGXStyle& style) {
  CWnd* wnd = GetGridWnd();
  if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr) return -1;
  CClientDC dc(wnd);
  CFont* old = m_pGrid->SelectStyleFont(&dc, style, nullptr);
  const std::vector<Item> items = Layout(&dc, m_pGrid->CalcCellRect(m_nRow, m_nCol), style);
  if (old != nullptr) dc.SelectObject(old);
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].button.PtInRect(point) || items[i].text.PtInRect(point)) return static_cast<int>(i);
  return -1;
}

BOOL CGXRadioButton::LButtonUp(UINT flags, CPoint point, UINT hit) {
  if ((hit & 0x40) != 0 && m_bInit && !IsReadOnly()) {
    FreeStyle(TRUE);
    const CGXStyle& style = GetStyle();
    const int index = HitItem(point, style);
    const int value = style.GetIncludeValue() && !style.GetValue().IsEmpty() ? std::atoi(style.GetValue()) : -1;
    if (index >= 0 && index != value && OnStartEditing()) {
      CString text;
      text.Format("%d", index);
      m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), text, 0, 2);
    }
    if (index >= 0) OnClickedButton(nullptr);
  }
  return CGXControl::LButtonUp(flags, point, hit);
}

BOOL CGXRadioButton::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  if (CGXControl::ProcessKeys(message, key, repeat, flags)) return TRUE;
  if (message != WM_CHAR || key != ' ' || !m_bInit || IsReadOnly()) return FALSE;
  FreeStyle(TRUE);
  const CGXStyle& style = GetStyle();
  const int count = static_cast<int>(Lines(style).size());
  int next = style.GetIncludeValue() && !style.GetValue().IsEmpty() ? std::atoi(style.GetValue()) + 1 : 0;
  if (next >= count) next = 0;
  CString text;
  text.Format("%d", next);
  m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), text, 0, 2);
  return TRUE;
}

// ------------------------------------------------------ the Ex variant

void CGXRadioButtonEx::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle align;
  align.SetControl(52532).SetChoiceList("Vertical\nHorizontal");
  map->AddUserAttribute(GX_IDS_UA_RADIO_ALIGN, &align);
  CGXStyle side;
  side.SetControl(52532).SetChoiceList("Left\nRight");
  map->AddUserAttribute(GX_IDS_UA_RADIO_TEXTALIGN, &side);
}

void CGXRadioButtonEx::SetActive(BOOL on) {
  if (on && !m_bActive) {
    FreeStyle(FALSE);
    GetStyle();
  }
  m_bActive = on;
}

void CGXRadioButtonEx::Init(ROWCOL row, ROWCOL col) {
  CGXRadioButton::Init(row, col);
  GetStyle();
  m_bModified = FALSE;
}

BOOL CGXRadioButtonEx::Store() {
  if (m_pStyle == nullptr || !m_bModified) return TRUE;
  const CString value = m_pStyle->GetValue();
  SetActive(FALSE);
  m_bModified = FALSE;
  return m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), value, 0, 1);
}

std::vector<CGXRadioButton::Item> CGXRadioButtonEx::Layout(CDC* dc, const CRect& rect, const CGXStyle& style) {
  std::vector<Item> items;
  const BOOL horizontal = style.HasUserAttribute(GX_IDS_UA_RADIO_ALIGN) &&
                          CString(style.GetUserAttribute(GX_IDS_UA_RADIO_ALIGN).GetValue()) == "1";
  const BOOL buttonFirst = style.HasUserAttribute(GX_IDS_UA_RADIO_TEXTALIGN) &&
                           CString(style.GetUserAttribute(GX_IDS_UA_RADIO_TEXTALIGN).GetValue()) == "1";
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  const int w = std::max<int>(12, tm.tmMaxCharWidth);
  const int h = LineHeight(dc);
  int x = rect.left, y = rect.top;
  for (const CString& line : Lines(style)) {
    const int width = dc->GetTextExtent(line).cx;
    Item item;
    if (buttonFirst || !horizontal) {
      // Down the cell the hit test is always button first.
      if (buttonFirst || horizontal) {
        item.button = CRect(x, y, x + 18, y + h);
        item.text = CRect(x + 18, y, x + 18 + width, y + h);
      } else {
        item.text = CRect(x + 3, y, x + 3 + width, y + h);
        item.button = CRect(item.text.right, y, item.text.right + 18, y + h);
      }
    } else {
      item.text = CRect(x + 3, y, x + 3 + width, y + h);
      item.button = CRect(item.text.right, y, item.text.right + 18, y + h);
    }
    items.push_back(item);
    if (horizontal) x = buttonFirst ? item.text.right + 2 : item.text.right + 18 + w;
    else y += h;
  }
  return items;
}

void CGXRadioButtonEx::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                            const CGXStyle* baseStyle) {
  if (IsInitializedFor(row, col) && m_bActive && m_pStyle != nullptr) {
    CGXStyle shown(style);
    shown.SetValue(m_pStyle->GetValue());
    CGXRadioButton::Draw(dc, rect, row, col, shown, baseStyle);
    return;
  }
  CGXRadioButton::Draw(dc, rect, row, col, style, baseStyle);
}

CSize CGXRadioButtonEx::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL, BOOL mode2) {
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  const int w = std::max<int>(12, tm.tmMaxCharWidth);
  const int h = LineHeight(dc);
  const CString side = style.HasUserAttribute(GX_IDS_UA_RADIO_TEXTALIGN)
                           ? CString(style.GetUserAttribute(GX_IDS_UA_RADIO_TEXTALIGN).GetValue())
                           : CString();
  const int g = side == "1" ? 2 : w + 3;
  const BOOL horizontal = style.HasUserAttribute(GX_IDS_UA_RADIO_ALIGN) &&
                          CString(style.GetUserAttribute(GX_IDS_UA_RADIO_ALIGN).GetValue()) == "1";
  int width = 0, height = 0;
  const std::vector<CString> lines = Lines(style);
  for (const CString& line : lines) {
    const int item = dc->GetTextExtent(line).cx + g + 18;
    width = horizontal ? width + item : std::max(width, item);
  }
  height = horizontal || !mode2 ? h : h * static_cast<int>(lines.size());
  if (side == "0") width -= w + 4;
  if (old != nullptr) dc->SelectObject(old);
  return CalcSize(width + 4, height + 4, style);
}

void CGXRadioButtonEx::SetChosen(int index) {
  CString text;
  if (index >= 0) text.Format("%d", index);
  GetStyle().SetValue(text);
  m_pGrid->RedrawRowCol(m_nRow, m_nCol, m_nRow, m_nCol, 2, TRUE);
  m_bModified = TRUE;
  OnModifyCell();
}

BOOL CGXRadioButtonEx::LButtonUp(UINT flags, CPoint point, UINT hit) {
  if ((hit & 0x40) != 0 && m_bInit && !IsReadOnly()) {
    const int index = HitItem(point, GetStyle());
    if (index >= 0) {
      if (!m_bActive && OnStartEditing()) SetActive(TRUE);
      const CGXStyle& style = GetStyle();
      const int value = style.GetIncludeValue() && !style.GetValue().IsEmpty() ? std::atoi(style.GetValue()) : -1;
      if (m_bActive && index != value) SetChosen(index);
      OnClickedButton(nullptr);
    }
  }
  return CGXControl::LButtonUp(flags, point, hit);
}

BOOL CGXRadioButtonEx::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  if (message == WM_KEYDOWN && key == VK_DELETE && m_bActive) {
    SetChosen(-1);
    return TRUE;
  }
  if (CGXControl::ProcessKeys(message, key, repeat, flags)) return TRUE;
  if (message != WM_CHAR || key != ' ' || !m_bInit || IsReadOnly()) return FALSE;
  if (!m_bActive && OnStartEditing()) SetActive(TRUE);
  const CGXStyle& style = GetStyle();
  const int count = static_cast<int>(Lines(style).size());
  int next = style.GetIncludeValue() && !style.GetValue().IsEmpty() ? std::atoi(style.GetValue()) + 1 : 0;
  if (next >= count) next = 0;
  SetChosen(next);
  return TRUE;
}
