// The tabbed windows combo cell.
#include "grid/cells/GXTabbedComboBoxWnd.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXStylesMap.h"
#include "platform/framework/WindowDc.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

const GXControlClass CGXTabbedComboBoxWnd::CGXTabbedComboBoxWndRecord = {"CGXTabbedComboBoxWnd",
                                                                         &CGXComboBoxWnd::CGXComboBoxWndRecord};

namespace {

// A field of a tab-separated row, whatever its length.
CString Field(const CString& line, int field) {
  int start = 0;
  for (int i = 0; i < field; ++i) {
    const int tab = line.Find('\t', start);
    if (tab < 0) return CString();
    start = tab + 1;
  }
  const int end = line.Find('\t', start);
  return end < 0 ? line.Mid(start) : line.Mid(start, end - start);
}

int AttrInt(const CGXStyle& style, WORD id, int fallback) {
  if (!style.HasUserAttribute(id)) return fallback;
  const CString text = style.GetUserAttribute(id).GetValue();
  return text.IsEmpty() ? fallback : std::atoi(text);
}

BOOL BeginsNoCase(const CString& text, const CString& prefix) {
  return text.GetLength() >= prefix.GetLength() && text.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

// The style's rows without the titles row.
std::vector<CString> Rows(const CGXStyle& style) {
  std::vector<CString> rows;
  if (!style.GetIncludeChoiceList()) return rows;
  CString rest = style.GetChoiceList(), line;
  if (AttrInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0) GXExtractLine(rest, line);
  while (!rest.IsEmpty()) {
    GXExtractLine(rest, line);
    rows.push_back(line);
  }
  return rows;
}

}  // namespace

LRESULT CGXTabbedCBEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  auto* combo = static_cast<CGXTabbedComboBoxWnd*>(m_pCombo);
  switch (message) {
    case WM_SETTEXT: {
      // Only the first field of a row shows in the selection field.
      const CString text(reinterpret_cast<LPCTSTR>(lParam) != nullptr ? reinterpret_cast<LPCTSTR>(lParam) : "");
      const int tab = text.Left(255).Find('\t');
      if (tab < 0) break;
      const CString first = text.Left(tab);
      return CGXComboEditPart::WindowProc(message, wParam, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(first)));
    }
    case WM_CHAR: {
      if (combo == nullptr || combo->IsReadOnly()) return 0;
      CString before;
      GetWindowText(before);
      const DWORD selection = static_cast<DWORD>(SendMessage(EM_GETSEL));
      const LRESULT result = CGXComboEditPart::WindowProc(message, wParam, lParam);
      if (wParam < 32) return result;
      CString typed;
      GetWindowText(typed);
      const int found = static_cast<int>(
          combo->SendMessage(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(typed))));
      if (found < 0) {
        // No row continues the text: the character is refused.
        SetWindowText(before);
        SendMessage(EM_SETSEL, LOWORD(selection), HIWORD(selection));
        return result;
      }
      CString row;
      combo->GetLBText(found, row);
      const CString first = Field(row, 0);
      SetWindowText(first);
      SendMessage(EM_SETSEL, static_cast<WPARAM>(typed.GetLength()), first.GetLength());
      return result;
    }
    default: break;
  }
  return CGXComboEditPart::WindowProc(message, wParam, lParam);
}

CGXTabbedComboBoxWnd::CGXTabbedComboBoxWnd(CGXGridCore* grid) : CGXComboBoxWnd(grid) {
  m_bDropDownOnClick = FALSE;
  m_wndTabbedEdit.m_pCombo = this;
  m_pHeader = new CGXTabbedLBoxHeader;
}

CGXTabbedComboBoxWnd::~CGXTabbedComboBoxWnd() {
  if (m_wndTabbedEdit.GetSafeHwnd() != nullptr) m_wndTabbedEdit.UnsubclassWindow();
  if (m_pHeader->GetSafeHwnd() != nullptr) m_pHeader->DestroyWindow();
  delete m_pHeader;
}

BOOL CGXTabbedComboBoxWnd::CreateComboWindow(DWORD style, UINT id) {
  // Owner-drawn, so that the dropped list can show the rows in columns.
  const DWORD tabbed =
      WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_HASSTRINGS | CBS_OWNERDRAWVARIABLE | CBS_DROPDOWN;
  if (!CGXComboBoxWnd::CreateComboWindow(style | tabbed, id)) return FALSE;
  // The tabbed edit takes the place of the plain one.
  if (HWND edit = m_wndEdit.GetSafeHwnd(); edit != nullptr) {
    m_wndEdit.UnsubclassWindow();
    m_wndTabbedEdit.SubclassWindow(edit);
  }
  m_bNotOwnerDrawn = TRUE;  // find and replace stay available
  return TRUE;
}

void CGXTabbedComboBoxWnd::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle check;
  check.SetControl(52523).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_KEYCOL);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_SHOWALLCOLS, &check);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_TITLES, &check);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_SORT);
}

void CGXTabbedComboBoxWnd::FillComboBox() {
  const CGXStyle& style = CGXControl::GetStyle();
  ResetContent();
  m_TabStops.clear();
  m_nTabCount = 0;
  m_nTotalWidth = 0;
  m_pHeader->m_sTitles.Empty();
  CString choices = style.GetChoiceList();
  if (m_nSortCol >= 0) GXSortChoiceList(choices, m_nSortCol, m_bDispTitleRow);
  CWnd* gridWnd = GetGridWnd();
  if (gridWnd == nullptr || gridWnd->GetSafeHwnd() == nullptr) return;
  CClientDC dc(gridWnd);
  CFont* old = m_pGrid->SelectStyleFont(&dc, style, nullptr);
  GXTabbedColumns columns;
  GXLayoutTabbedChoices(&dc, choices, m_bDispTitleRow, m_nDisplayCol, m_bDisplayAllCols, m_sColWidths, columns);
  if (old != nullptr) dc.SelectObject(old);
  for (const CString& item : columns.items) AddString(item);
  m_pHeader->m_sTitles = columns.titles;
  m_TabStops = columns.tabStops;
  m_nTabCount = columns.tabCount;
  m_nTotalWidth = columns.totalWidth;
}

void CGXTabbedComboBoxWnd::Init(ROWCOL row, ROWCOL col) {
  // The base fills the combo with whole rows; the columns come first.
  CGXControl::Init(row, col);
  const CGXStyle& style = CGXControl::GetStyle();
  m_nKeyCol = AttrInt(style, GX_IDS_UA_TABLIST_KEYCOL, 0);
  m_nDisplayCol = AttrInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
  m_bDisplayAllCols = AttrInt(style, GX_IDS_UA_TABLIST_SHOWALLCOLS, 1) != 0;
  m_bDispTitleRow = AttrInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0;
  m_nSortCol = AttrInt(style, GX_IDS_UA_TABLIST_SORT, -1);
  m_sColWidths = style.HasUserAttribute(GX_IDS_UA_TABLIST_COLWIDTHS)
                     ? CString(style.GetUserAttribute(GX_IDS_UA_TABLIST_COLWIDTHS).GetValue())
                     : CString();
  const BOOL fill = m_bFillWithChoiceList;
  m_bFillWithChoiceList = FALSE;
  CGXComboBoxWnd::Init(row, col);
  m_bFillWithChoiceList = fill;
  // The base's binding fetched the style anew.
  const CGXStyle& bound = CGXControl::GetStyle();
  if (m_hWnd != nullptr && fill && bound.GetIncludeChoiceList() && !bound.GetChoiceList().IsEmpty()) FillComboBox();
  SetCurrentText(bound.GetIncludeValue() ? bound.GetValue() : CString());
  m_bModified = FALSE;
  m_bReadOnlyState = IsReadOnly();
}

void CGXTabbedComboBoxWnd::SetReadOnlyState(BOOL readOnly) {
  m_bReadOnlyState = readOnly;
  if (HWND edit = m_wndTabbedEdit.GetSafeHwnd(); edit != nullptr) {
    ::EnableWindow(edit, TRUE);
    ::SendMessage(edit, EM_SETREADONLY, readOnly, 0);
  }
}

BOOL CGXTabbedComboBoxWnd::OnValidate() {
  CString text;
  if (IsActive() && GetModify() && !GetCurrentText(text)) return FALSE;
  return CGXComboBoxWnd::OnValidate();
}

void CGXTabbedComboBoxWnd::GetValue(CString& text) {
  if (!IsActive() || m_hWnd == nullptr) {
    CGXControl::GetValue(text);
    return;
  }
  if (IsDropDownList()) {
    const int selected = GetCurSel();
    text.Empty();
    if (selected >= 0) {
      CString row;
      GetLBText(selected, row);
      text = Field(row, 0);
    }
    return;
  }
  GetWindowText(text);
}

int CGXTabbedComboBoxWnd::ShownItem() {
  CString shown;
  GetValue(shown);
  if (shown.IsEmpty()) return -1;
  // Rows may share a text or begin alike ("Cash", "Cash Box"): the item
  // chosen in the list wins, then a row showing exactly the text, and only
  // then the first row beginning with it.
  const int selected = GetCurSel();
  CString item;
  if (selected >= 0) {
    GetLBText(selected, item);
    if (Field(item, 0) == shown) return selected;
  }
  for (int i = 0; i < GetCount(); ++i) {
    GetLBText(i, item);
    if (Field(item, 0) == shown) return i;
  }
  return FindString(-1, shown);
}

BOOL CGXTabbedComboBoxWnd::GetCurrentText(CString& text) {
  if (!m_bInit || m_hWnd == nullptr) return FALSE;
  CString shown;
  GetValue(shown);
  text.Empty();
  if (shown.IsEmpty()) return TRUE;
  const int found = ShownItem();
  if (found < 0) return FALSE;
  CString item;
  GetLBText(found, item);
  // The key column is what the cell stores; an item with a text column
  // carries the shown text before the row's own fields.
  text = Field(item, m_nDisplayCol > 0 ? m_nKeyCol + 1 : m_nKeyCol);
  return TRUE;
}

void CGXTabbedComboBoxWnd::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  const int keyField = m_nDisplayCol > 0 ? m_nKeyCol + 1 : m_nKeyCol;
  int index = -1;
  for (int i = 0; i < GetCount() && !text.IsEmpty(); ++i) {
    CString item;
    GetLBText(i, item);
    if (Field(item, keyField) == text) {
      index = i;
      break;
    }
  }
  SetCurSel(index);
}

BOOL CGXTabbedComboBoxWnd::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR value, const CGXStyle& style) {
  text.Empty();
  const CString key = value != nullptr ? CString(value) : style.GetIncludeValue() ? style.GetValue() : CString();
  if (!style.GetIncludeChoiceList()) {
    text = key;
    return TRUE;
  }
  const int keyCol = AttrInt(style, GX_IDS_UA_TABLIST_KEYCOL, 0);
  const int textCol = AttrInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
  for (const CString& row : Rows(style))
    if (Field(row, keyCol) == key) {
      text = Field(row, textCol);
      return TRUE;
    }
  return key.IsEmpty();
}

BOOL CGXTabbedComboBoxWnd::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  if (text.IsEmpty()) return TRUE;
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  const int keyCol = AttrInt(*style, GX_IDS_UA_TABLIST_KEYCOL, 0);
  const int textCol = AttrInt(*style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
  for (const CString& line : Rows(*style))
    if (Field(line, textCol).CompareNoCase(text) == 0) {
      text = Field(line, keyCol);
      return TRUE;
    }
  return FALSE;
}

BOOL CGXTabbedComboBoxWnd::ValidateString(const CString& text) {
  if (text.IsEmpty() || !m_bFillWithChoiceList || !m_bInit) return TRUE;
  for (const CString& row : Rows(CGXControl::GetStyle()))
    if (BeginsNoCase(Field(row, m_nDisplayCol), text)) return TRUE;
  return FALSE;
}

CSize CGXTabbedComboBoxWnd::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL mode1, BOOL) {
  // The cell shows the text column only (or the picture it names): the
  // other columns need no room.
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  const CSize shown = GXTabbedShownFieldExtent(dc, style);
  CSize content(0, 0);
  if (mode1) content.cy = std::max<LONG>(tm.tmHeight + tm.tmExternalLeading + 1, shown.cy);
  else content.cx = shown.cx;
  if (old != nullptr) dc->SelectObject(old);
  return CalcSize(content.cx, content.cy, style);
}

const CGXStyle* CGXTabbedComboBoxWnd::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode,
                                                       int storeKind, const CGXStyle* currentStyle) {
  const CGXStyle* result = CGXComboBoxWnd::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  if (result == nullptr || style == nullptr || (mode != 0 && mode != 1) || !m_pGrid->IsCurrentCell(row, col))
    return result;
  // New rows or columns: the combo is filled and laid out afresh.
  BOOL reset = style->GetIncludeChoiceList() || style->GetIncludeControl() ||
               (style->GetIncludeValue() && !GetModify());
  for (WORD id : {GX_IDS_UA_TABLIST_KEYCOL, GX_IDS_UA_TABLIST_TEXTCOL, GX_IDS_UA_TABLIST_SHOWALLCOLS,
                  GX_IDS_UA_TABLIST_TITLES, GX_IDS_UA_TABLIST_COLWIDTHS, GX_IDS_UA_TABLIST_SORT})
    reset = reset || style->HasUserAttribute(id);
  if (reset) Reset();
  return result;
}

void CGXTabbedComboBoxWnd::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                                const CGXStyle* baseStyle) {
  const BOOL here = IsInitializedFor(row, col) && !m_pGrid->IsPrinting();
  const BOOL activeHere = here && IsActive() && IsCurrentCell() && m_hWnd != nullptr;
  if (here) {
    // The dropped list's rows take the cell's colours.
    const BOOL blackWhite = GXDrawsBlackWhite(m_pGrid);
    m_rgbCellBackColor =
        blackWhite || !style.GetIncludeInterior() ? RGB(255, 255, 255) : style.GetInterior().GetColor();
    m_rgbCellTextColor = blackWhite || !style.GetIncludeTextColor() ? RGB(0, 0, 0) : style.GetTextColor();
    CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
    TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    m_nLineHeight = tm.tmHeight;
    if (old != nullptr) dc->SelectObject(old);
  }
  if (activeHere && IsWindowVisible() && GetDroppedState()) {
    // The combo is in place with its list open: placing it again would hide
    // it and close the list (the cell's button opens the list while the
    // grid still repaints the click).
    CRect placed;
    GetWindowRect(&placed);
    if (CWnd* grid = GetGridWnd()) grid->ScreenToClient(&placed);
    m_pGrid->m_ExcludedRects.push_back(placed);
    return;
  }
  if (!activeHere) {
    CGXComboBoxWnd::Draw(dc, rect, row, col, style, baseStyle);
    return;
  }
  if (m_bSkipNextActiveDraw) {
    // The button's click is about to drop the list; drawing now would move
    // the combo from under the posted click.
    m_bSkipNextActiveDraw = FALSE;
    return;
  }
  DrawActive(dc, rect, row, col, style, baseStyle);
}

void CGXTabbedComboBoxWnd::DrawActive(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                                      const CGXStyle* baseStyle) {
  const DWORD sel = m_wndEdit.GetSafeHwnd() != nullptr ? GetEditSel() : 0;
  if (m_pButton != nullptr) m_pButton->SetRect(CRect(0, 0, 0, 0));
  delete m_pFont;
  m_pFont = new CFont;
  LOGFONT lf = style.GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
  lf.lfOrientation = 0;
  m_pFont->CreateFontIndirect(&lf);
  m_rgbBackColor = m_rgbCellBackColor;
  CRect r = CGXControl::GetCellRect(row, col, &rect, &style);
  // The grid's lines belong to the neighbours, not to the window.
  if (m_pGrid->GetParam() != nullptr && m_pGrid->GetParam()->GetProperties() != nullptr) {
    if (m_pGrid->GetParam()->GetProperties()->GetDisplayVertLines()) r.right -= 1;
    if (m_pGrid->GetParam()->GetProperties()->GetDisplayHorzLines()) r.bottom -= 1;
  }
  CFont* old = dc->SelectObject(m_pFont);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  dc->SelectObject(old);
  const int h = PlaceSelectionField(r, style, tm.tmHeight);
  m_pGrid->m_ExcludedRects.push_back(r);
  CRect place = r;
  place.bottom += DroppedListHeight(GetCount(), tm.tmHeight);
  place = CalcWindowRect(place);
  // Moving the combo hides and shows it, which would close an open list
  // and flicker on every repaint of the grid: only a new place moves it.
  CRect now;
  GetDroppedControlRect(&now);
  if (CWnd* grid = GetGridWnd()) grid->ScreenToClient(&now);
  if (IsWindowVisible() && now.EqualRect(&place)) {
    CGXControl::Draw(dc, rect, row, col, style, baseStyle);
    return;
  }
  Hide();
  DrawBackground(dc, rect, style, TRUE);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), FALSE);
  // The field's height first: the combo keeps as its list's height what the
  // new place leaves below the field as tall as it is when moved.
  SetItemHeight(-1, static_cast<UINT>(std::max(1, h)));
  MoveWindow(place, FALSE);
  SetActive(TRUE);
  ShowWindow(SW_SHOW);
  UpdateWindow();
  if (CWnd* grid = GetGridWnd(); grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) {
    m_pGrid->m_bControlMovesWindows = TRUE;
    SetFocus();
    m_pGrid->m_bControlMovesWindows = FALSE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  if (style.GetIncludeMaxLength() && style.GetMaxLength() > 0) LimitText(style.GetMaxLength());
  SetReadOnlyState(m_bReadOnlyState);
  if (m_wndEdit.GetSafeHwnd() != nullptr) SetEditSel(LOWORD(sel), HIWORD(sel));
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

int CGXTabbedComboBoxWnd::DroppedListHeight(int count, int textHeight) {
  int height = std::min(count, 8) * (textHeight + 2) + 3;
  // Rows grown to their pictures make room for them, so that eight rows
  // still show without scrolling.
  for (int i = 0; i < std::min(count, 8) && m_hWnd != nullptr; ++i)
    height += std::max(0, static_cast<int>(GetItemHeight(i)) - textHeight);
  return height;
}

void CGXTabbedComboBoxWnd::DrawItem(LPDRAWITEMSTRUCT item) {
  if (item->itemID == static_cast<UINT>(-1)) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  const CRect rect(item->rcItem);
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    CString text;
    GetLBText(static_cast<int>(item->itemID), text);
    // The selection field shows the text column only.
    const BOOL columns = m_bDisplayAllCols && (item->itemState & ODS_COMBOBOXEDIT) == 0;
    GXDrawTabbedLine(dc, rect, text, columns, m_nDisplayCol, m_TabStops, m_nTabCount,
                     selected ? ::GetSysColor(COLOR_HIGHLIGHT) : m_rgbCellBackColor,
                     selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : m_rgbCellTextColor, m_rgbGridLine);
  }
  if ((item->itemAction & ODA_FOCUS) != 0 || (item->itemState & ODS_FOCUS) != 0) dc->DrawFocusRect(&rect);
}

void CGXTabbedComboBoxWnd::MeasureItem(LPMEASUREITEMSTRUCT item) {
  // Rows naming pictures grow to them; the selection field (no item) takes
  // the titles' pictures.
  CString text;
  if (item->itemID != static_cast<UINT>(-1)) GetLBText(static_cast<int>(item->itemID), text);
  if (text.IsEmpty()) text = m_pHeader->m_sTitles;
  item->itemHeight = static_cast<UINT>(
      GXTabbedLineHeight(static_cast<int>(item->itemHeight), text, m_bDisplayAllCols, m_nDisplayCol));
}

void CGXTabbedComboBoxWnd::PlaceDroppedList(CWnd* list) {
  // Moving the list repaints it, which asks for its colours again.
  static bool placing = false;
  if (placing || list == nullptr || list->GetSafeHwnd() == nullptr) return;
  placing = true;
  CRect rect, combo;
  list->GetWindowRect(&rect);
  GetWindowRect(&combo);
  const CRect desktop = GXDesktopRect();
  rect.right = rect.left + std::max<LONG>(m_nTotalWidth, combo.Width());
  if (rect.right > desktop.right) rect.OffsetRect(desktop.right - rect.right, 0);
  if (m_bDispTitleRow) {
    if (m_pHeader->GetSafeHwnd() == nullptr) m_pHeader->CreateHeaderWnd();
    if (m_pHeader->GetSafeHwnd() != nullptr) {
      // The header goes between the cell and the list.
      const BOOL below = rect.top >= combo.bottom;
      CRect header;
      if (!m_pHeader->IsWindowVisible()) {
        m_pHeader->m_bDisplayAllCols = m_bDisplayAllCols;
        m_pHeader->m_nDisplayCol = m_nDisplayCol;
        m_pHeader->m_nTabCount = m_nTabCount;
        m_pHeader->m_pTabStops = m_TabStops.data();
        m_pHeader->m_hFont = m_pFont != nullptr ? static_cast<HFONT>(m_pFont->GetSafeHandle()) : nullptr;
        const int h =
            GXTabbedLineHeight(std::max(m_nLineHeight, 1), m_pHeader->m_sTitles, m_bDisplayAllCols, m_nDisplayCol) + 4;
        header.SetRect(rect.left, below ? rect.top : rect.top - h, rect.right, below ? rect.top + h : rect.top);
        ::SetWindowPos(m_pHeader->GetSafeHwnd(), HWND_TOPMOST, header.left, header.top, header.Width(),
                       header.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
      }
      // Placed from the header, not shifted again: the list may be asked
      // for its colours many times, and may have been put back meanwhile.
      m_pHeader->GetWindowRect(&header);
      if (below) rect.OffsetRect(0, header.bottom - rect.top);
    }
  }
  rect.IntersectRect(&rect, &desktop);
  CRect now;
  list->GetWindowRect(&now);
  if (!rect.EqualRect(&m_rcLastList) || !rect.EqualRect(&now)) {
    m_rcLastList = rect;
    list->MoveWindow(&rect, TRUE);
    if (m_pHeader->GetSafeHwnd() != nullptr) m_pHeader->UpdateWindow();
  }
  placing = false;
}

BOOL CGXTabbedComboBoxWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (IsActive() && reinterpret_cast<HWND>(lParam) == m_hWnd) {
    if (HIWORD(wParam) == CBN_CLOSEUP && m_pHeader->GetSafeHwnd() != nullptr) m_pHeader->ShowWindow(SW_HIDE);
    if (HIWORD(wParam) == CBN_CLOSEUP || HIWORD(wParam) == CBN_DROPDOWN) m_rcLastList.SetRectEmpty();
  }
  return CGXComboBoxWnd::OnCommand(wParam, lParam);
}

void CGXTabbedComboBoxWnd::Hide() {
  if (m_pHeader->GetSafeHwnd() != nullptr && m_pHeader->IsWindowVisible()) m_pHeader->ShowWindow(SW_HIDE);
  CGXComboBoxWnd::Hide();
}

void CGXTabbedComboBoxWnd::OnClickedButton(CGXChild* child) {
  // A drop-down combo does not drop on a click into its text, but the
  // button always opens the list; while active the combo's own arrow
  // covers the button.
  if (!(IsActive() && !m_bDropDownOnClick)) {
    const CRect button = ButtonPlace();
    if (StartAndActivate() && !m_bDropDownOnClick && !GetDroppedState()) ClickComboButton(button);
  }
  CGXStatic::OnClickedButton(child);
}

BOOL CGXTabbedComboBoxWnd::LButtonUp(UINT flags, CPoint point, UINT hit) {
  const CRect button = ButtonPlace();
  const BOOL result = CGXStatic::LButtonUp(flags, point, hit);
  // A click on the button was the button's own.
  if ((hit & 2) != 0) return result;
  if (m_bDropDownOnClick && StartAndActivate() && !GetDroppedState()) ClickComboButton(button);
  return TRUE;
}

CRect CGXTabbedComboBoxWnd::ButtonPlace() {
  // Laid out afresh for the bound cell: the one button serves every cell
  // and may still lie where another was drawn. Its rectangle is left as it
  // was, since the active combo's arrow replaces it.
  if (m_pButton == nullptr || !m_bInit) return CRect();
  const CRect kept = m_pButton->GetRect();
  OnInitChildren(m_nRow, m_nCol, GetCellRect(m_nRow, m_nCol));
  const CRect place = m_pButton->GetRect();
  m_pButton->SetRect(kept);
  return place;
}

void CGXTabbedComboBoxWnd::ClickComboButton(const CRect& button) {
  // A combo already in place is left alone by the repaint of the click; one
  // still to be placed must be drawn before the click can reach it. The
  // flag never outlives this repaint, so a later one is not lost.
  m_bSkipNextActiveDraw = IsWindowVisible();
  if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  m_bSkipNextActiveDraw = FALSE;
  if (button.IsRectEmpty()) {
    PostMessage(CB_SHOWDROPDOWN, TRUE);
    return;
  }
  // The combo lies over the cell, its arrow where the cell's button was: a
  // click there reaches the combo as the user's own would, through its
  // message queue, after whatever the activation posted.
  const CRect cell = m_pGrid->CalcCellRect(m_nRow, m_nCol);
  const CPoint at(button.left - cell.left + 5, button.top - cell.top + 5);
  PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

LRESULT CGXTabbedComboBoxWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const BOOL headerShown = m_pHeader->GetSafeHwnd() != nullptr && m_pHeader->IsWindowVisible();
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam == 0 && headerShown) m_pHeader->ShowWindow(SW_HIDE);
      break;
    case WM_CTLCOLORLISTBOX: {
      // The dropped list asks for its colours as it paints, after the
      // combo placed it: the moment to widen it and hang the header on.
      const HWND list = reinterpret_cast<HWND>(lParam);
      char name[32] = "";
      if (IsActive() && list != nullptr && ::GetClassName(list, name, sizeof name) > 0 &&
          CString(name).CompareNoCase(WC_COMBOLBOX) == 0)
        PlaceDroppedList(CWnd::FromHandle(list));
      break;
    }
    case WM_CTLCOLOREDIT:
      if (IsActive() && headerShown && !GetDroppedState()) m_pHeader->ShowWindow(SW_HIDE);
      break;
    default: break;
  }
  return CGXComboBoxWnd::WindowProc(message, wParam, lParam);
}
