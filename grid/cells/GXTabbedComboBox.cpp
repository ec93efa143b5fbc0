// The tabbed combo cell, its list and title header.
#include "grid/cells/GXTabbedComboBox.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "grid/core/GXAppData.h"
#include "grid/core/GXDIB.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXStylesMap.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/framework/WindowDc.h"
#include "platform/window/Window.h"

const GXControlClass CGXTabbedComboBox::CGXTabbedComboBoxRecord = {"CGXTabbedComboBox",
                                                                   &CGXComboBox::CGXComboBoxRecord};

namespace {

constexpr int kMaxColumns = 10;

CString Field(LPCTSTR line, int field) {
  char value[128];
  GXGetTabField(line, field, value, sizeof value);
  return value;
}

CString AttrText(const CGXStyle& style, WORD id) {
  return style.HasUserAttribute(id) ? style.GetUserAttribute(id).GetValue() : CString();
}

int AttrInt(const CGXStyle& style, WORD id, int fallback) {
  return style.HasUserAttribute(id) ? std::atoi(style.GetUserAttribute(id).GetValue()) : fallback;
}

BOOL BeginsNoCase(const CString& text, const CString& prefix) {
  return text.GetLength() >= prefix.GetLength() && text.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

// Walks a line's fields: the shown one first (skipped when all columns show
// the line's own fields after it), one field only when not all show.
template <class Visit>
void ForEachShownField(const CString& item, BOOL showAll, int textCol, Visit visit) {
  CString rest = item;
  if (showAll && textCol > 0) {
    const int tab = rest.Find('\t');
    rest = tab >= 0 ? rest.Mid(tab + 1) : CString();
  }
  for (int i = 0; i < kMaxColumns; ++i) {
    const int tab = rest.Find('\t');
    const CString field = tab >= 0 ? rest.Left(tab) : rest;
    const bool last = tab < 0 || !showAll;
    visit(i, field, last);
    if (last) return;
    rest = rest.Mid(tab + 1);
  }
}

}  // namespace

void GXFreeChoiceListMaps(CGXGridParam* param, int id) {
  if (param == nullptr || id == 0 || id < -1) return;
  auto freeIn = [](CObArray& maps, int from, int to) {
    for (int i = from; i <= to && i < maps.GetSize(); ++i) {
      delete maps.GetAt(i);
      maps.SetAt(i, nullptr);
    }
  };
  if (id == -1) {
    freeIn(param->m_ChoiceKeyMaps, 0, static_cast<int>(param->m_ChoiceKeyMaps.GetSize()) - 1);
    freeIn(param->m_ChoiceTextMaps, 0, static_cast<int>(param->m_ChoiceTextMaps.GetSize()) - 1);
    param->m_ChoiceKeyMaps.RemoveAll();
    param->m_ChoiceTextMaps.RemoveAll();
  } else {
    freeIn(param->m_ChoiceKeyMaps, id, id);
    freeIn(param->m_ChoiceTextMaps, id, id);
  }
  ++param->m_nChoiceListChanges;
}

CSize GXTabbedFieldBitmapSize(const CString& field) {
  if (field.IsEmpty()) return CSize(0, 0);
  HGLOBAL bitmap = GXGetDIBPool()->GetBitmap(field);
  CGXDIB dib;
  if (bitmap == nullptr || !dib.Attach(bitmap)) return CSize(0, 0);
  const CSize size(dib.GetWidth(), dib.GetHeight());
  dib.Detach();  // the pool keeps it
  return size;
}

int GXTabbedLineHeight(int textHeight, const CString& item, BOOL showAll, int textCol) {
  int height = textHeight;
  ForEachShownField(item, showAll, textCol, [&](int, const CString& field, bool) {
    height = std::max<int>(height, GXTabbedFieldBitmapSize(field).cy);
  });
  return height;
}

CSize GXTabbedShownFieldExtent(CDC* dc, const CGXStyle& style) {
  CSize extent(0, 0);
  if (!style.GetIncludeChoiceList()) return extent;
  const int textCol = AttrInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
  CString rest = style.GetChoiceList(), line;
  if (AttrInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0) GXExtractLine(rest, line);
  while (!rest.IsEmpty()) {
    GXExtractLine(rest, line);
    const CString field = Field(line, textCol);
    const CSize picture = GXTabbedFieldBitmapSize(field);
    extent.cx = std::max<LONG>(extent.cx, picture.cx > 0 ? picture.cx : dc->GetTextExtent(field).cx);
    extent.cy = std::max<LONG>(extent.cy, picture.cy);
  }
  return extent;
}

void GXDrawTabbedLine(CDC* dc, const CRect& rect, const CString& item, BOOL showAll, int textCol,
                      const std::vector<int>& tabStops, int tabCount, COLORREF back, COLORREF text,
                      COLORREF separator) {
  GXFillSolidRect(dc, rect, back);
  tabCount = std::min<int>(tabCount, static_cast<int>(tabStops.size()));
  if (showAll)
    for (int i = 0; i < tabCount; ++i) GXFillRect(dc, rect.left + tabStops[i] - 2, rect.top, 1, rect.Height(), separator);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldText = dc->SetTextColor(text);
  ForEachShownField(item, showAll, textCol, [&](int i, const CString& field, bool last) {
    const int left = rect.left + (i == 0 || i > tabCount ? 0 : tabStops[i - 1]);
    const int right = (last || i >= tabCount) ? rect.right : rect.left + tabStops[i];
    if (right - left <= 0) return;
    CRect r(left + 1, rect.top, right - 2, rect.bottom);
    if (HGLOBAL picture = field.IsEmpty() ? nullptr : GXGetDIBPool()->GetBitmap(field))
      GXDrawDIB(dc, picture, r, 0, GX_DIB_VCENTER, nullptr);
    else
      dc->DrawText(field, -1, &r, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  });
  dc->SetTextColor(oldText);
  dc->SetBkMode(oldMode);
}

void GXLayoutTabbedChoices(CDC* dc, const CString& choices, BOOL titles, int textCol, BOOL showAll,
                           const CString& widthsText, GXTabbedColumns& out) {
  int widths[kMaxColumns];
  std::fill(std::begin(widths), std::end(widths), -1);
  out = GXTabbedColumns();
  out.tabStops.assign(kMaxColumns, 0);
  CString rest = choices, line;
  BOOL first = TRUE;
  while (!rest.IsEmpty()) {
    GXExtractLine(rest, line);
    int tabs = 0;
    for (int k = 0; k < line.GetLength(); ++k) tabs += line[k] == '\t';
    for (int i = 0; i < kMaxColumns && i <= tabs; ++i) {
      const CString field = Field(line, i);
      const CSize picture = GXTabbedFieldBitmapSize(field);
      widths[i] = std::max<int>(widths[i], picture.cx > 0 ? picture.cx : dc->GetTextExtent(field).cx);
    }
    const CString item = textCol > 0 ? Field(line, textCol) + "\t" + line : line;
    if (first && titles) out.titles = item;
    else out.items.push_back(item);
    first = FALSE;
  }
  // Widths to tab stops: given widths first, the rest measured.
  const char* given = widthsText;
  int columns = 0, sum = 0;
  for (int i = 0; i < kMaxColumns && widths[i] != -1; ++i, ++columns) {
    if (given != nullptr && std::isdigit(static_cast<unsigned char>(*given))) {
      widths[i] = std::atoi(given);
      while (std::isdigit(static_cast<unsigned char>(*given))) ++given;
      while (*given != '\0' && !std::isdigit(static_cast<unsigned char>(*given))) ++given;
    } else {
      given = nullptr;
      widths[i] = (showAll || i == textCol) ? widths[i] + 4 : 0;
    }
    sum += widths[i];
    out.tabStops[i] = sum;
  }
  out.totalWidth = sum + ::GetSystemMetrics(SM_CXVSCROLL);
  out.tabCount = std::max(0, columns - 1);
}

// ------------------------------------------------------------ the header

BOOL CGXTabbedLBoxHeader::CreateHeaderWnd() {
  const DWORD exStyle = GXGetAppData()->m_b16BitBased ? 0 : WS_EX_TOOLWINDOW;
  return CreateEx(exStyle, GXGetPopupWndClassName(), nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr);
}

LRESULT CGXTabbedLBoxHeader::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
  CPaintDC paint(this);
  CDC* dc = &paint;
  CRect client;
  GetClientRect(&client);
  GXFillSolidRect(dc, client, ::GetSysColor(COLOR_BTNFACE));
  dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  dc->SetBkMode(TRANSPARENT);
  HGDIOBJ old = m_hFont != nullptr ? ::SelectObject(dc->GetSafeHdc(), m_hFont) : nullptr;
  int left = client.left;
  ForEachShownField(m_sTitles, m_bDisplayAllCols, m_nDisplayCol, [&](int i, const CString& title, bool last) {
    const int right = (!last && i < m_nTabCount && m_pTabStops != nullptr) ? m_pTabStops[i] - 1 : client.right;
    CRect r(left, client.top, right, client.bottom);
    CRect edge = r;
    GXDrawEdge(dc, edge, BDR_RAISEDINNER, FALSE);
    if (HGLOBAL picture = title.IsEmpty() ? nullptr : GXGetDIBPool()->GetBitmap(title)) {
      CRect inset = r;
      inset.DeflateRect(1, 1);
      GXDrawDIB(dc, picture, inset, 0, 0, nullptr);
    } else {
      dc->DrawText(title, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    left = right + 1;
  });
  if (old != nullptr) ::SelectObject(dc->GetSafeHdc(), old);
  return 0;
}

// -------------------------------------------------------------- the list

void CGXTabbedComboLBox::MeasureItem(LPMEASUREITEMSTRUCT item) {
  const int text = m_pTabbedCombo != nullptr ? m_pTabbedCombo->m_nLineHeight : 13;
  CString line;
  if (m_pTabbedCombo != nullptr && item->itemID != static_cast<UINT>(-1)) GetText(static_cast<int>(item->itemID), line);
  item->itemHeight = static_cast<UINT>(
      m_pTabbedCombo != nullptr
          ? GXTabbedLineHeight(text, line, m_pTabbedCombo->m_bDisplayAllCols, m_pTabbedCombo->m_nDisplayCol)
          : text);
}

void CGXTabbedComboLBox::DrawItem(LPDRAWITEMSTRUCT item) {
  if (item->itemID == static_cast<UINT>(-1) || m_pTabbedCombo == nullptr) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  const CRect rect(item->rcItem);
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    CString line;
    GetText(static_cast<int>(item->itemID), line);
    GXDrawTabbedLine(dc, rect, line, m_pTabbedCombo->m_bDisplayAllCols, m_pTabbedCombo->m_nDisplayCol,
                     m_pTabbedCombo->m_TabStops, m_pTabbedCombo->m_nTabCount,
                     selected ? ::GetSysColor(COLOR_HIGHLIGHT) : m_pTabbedCombo->m_rgbCellBackColor,
                     selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : m_pTabbedCombo->m_rgbCellTextColor,
                     m_pTabbedCombo->m_rgbGridLine);
  }
  if ((item->itemAction & ODA_FOCUS) != 0) dc->DrawFocusRect(&rect);
}

// -------------------------------------------------------------- the cell

CGXTabbedComboBox::CGXTabbedComboBox(CGXGridCore* grid, UINT editId, UINT listBoxId)
    : CGXComboBox(grid, editId, listBoxId, GXCOMBO_NOTEXTFIT) {
  m_bSizeToContent = FALSE;
  m_pHeader = new CGXTabbedLBoxHeader;
}

CGXTabbedComboBox::~CGXTabbedComboBox() {
  if (m_pHeader->GetSafeHwnd() != nullptr) m_pHeader->DestroyWindow();
  delete m_pHeader;
  if (m_pKeptDropDown != nullptr) {
    GXSetInDropDown(TRUE);
    delete m_pKeptDropDown;  // deletes the list with it
    GXSetInDropDown(FALSE);
  }
  m_pDropDownWnd = nullptr;
}

void CGXTabbedComboBox::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle check;
  check.SetControl(52523).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_KEYCOL);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_SHOWALLCOLS, &check);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_TITLES, &check);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_SORT);
  map->AddUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID);
}

int CGXTabbedComboBox::ChoiceListId(const CGXStyle& style) { return AttrInt(style, GX_IDS_UA_TABLIST_UNIQUEID, 0); }

void CGXTabbedComboBox::Init(ROWCOL row, ROWCOL col) {
  CGXComboBox::Init(row, col);
  const CGXStyle& style = CGXControl::GetStyle();
  m_nKeyCol = AttrInt(style, GX_IDS_UA_TABLIST_KEYCOL, 0);
  m_nDisplayCol = AttrInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
  m_bDisplayAllCols = AttrInt(style, GX_IDS_UA_TABLIST_SHOWALLCOLS, 1) != 0;
  m_bDispTitleRow = AttrInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0;
  m_nSortCol = AttrInt(style, GX_IDS_UA_TABLIST_SORT, -1);
  m_sColWidths = AttrText(style, GX_IDS_UA_TABLIST_COLWIDTHS);
  m_bFilledSinceInit = FALSE;
  // Activating composes the style afresh: nothing of the old one is used after.
  const BOOL readOnly = m_pGrid->IsReadOnly() || style.GetReadOnly();
  const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
  SetCurrentText(value);
  SetModify(FALSE);
  CGXGridParam* param = m_pGrid->GetParam();
  if (param != nullptr && (param->m_wActivateCell & 4) != 0 && !IsActive() && OnStartEditing()) SetActive(TRUE);
  if (m_hWnd != nullptr) SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly));
}

CMapStringToString* CGXTabbedComboBox::GetKeyMap(int id, const CGXStyle& style) {
  CGXGridParam* param = m_pGrid->GetParam();
  if (param == nullptr || id < 1) return nullptr;
  if (param->m_ChoiceKeyMaps.GetSize() <= id) param->m_ChoiceKeyMaps.SetSize(id + 1);
  if (param->m_ChoiceTextMaps.GetSize() <= id) param->m_ChoiceTextMaps.SetSize(id + 1);
  if (param->m_ChoiceKeyMaps.GetAt(id) == nullptr) {
    auto* keys = new CMapStringToString(10);
    auto* texts = new CMapStringToString(10);
    keys->InitHashTable(257);
    const int keyCol = AttrInt(style, GX_IDS_UA_TABLIST_KEYCOL, 0);
    const int textCol = AttrInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
    CString rest = style.GetChoiceList(), line;
    if (AttrInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0) GXExtractLine(rest, line);
    while (!rest.IsEmpty()) {
      GXExtractLine(rest, line);
      keys->SetAt(Field(line, keyCol), line);
      texts->SetAt(Field(line, textCol), line);
    }
    delete param->m_ChoiceTextMaps.GetAt(id);
    param->m_ChoiceKeyMaps.SetAt(id, keys);
    param->m_ChoiceTextMaps.SetAt(id, texts);
  }
  return static_cast<CMapStringToString*>(param->m_ChoiceKeyMaps.GetAt(id));
}

CMapStringToString* CGXTabbedComboBox::GetTextMap(int id, const CGXStyle& style) {
  if (GetKeyMap(id, style) == nullptr) return nullptr;
  return static_cast<CMapStringToString*>(m_pGrid->GetParam()->m_ChoiceTextMaps.GetAt(id));
}

BOOL CGXTabbedComboBox::TextToKey(CString& text, const CGXStyle& style) {
  if (text.IsEmpty()) return TRUE;
  const int keyCol = AttrInt(style, GX_IDS_UA_TABLIST_KEYCOL, 0);
  const int textCol = AttrInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
  CString line;
  if (const int id = ChoiceListId(style); id >= 1) {
    CMapStringToString* texts = GetTextMap(id, style);
    if (texts == nullptr || !texts->Lookup(text, line)) return FALSE;
  } else {
    const BOOL titles = AttrInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0;
    if (!style.GetIncludeChoiceList() || GXFindChoice(text, textCol, style.GetChoiceList(), titles, line, TRUE) < 0)
      return FALSE;
  }
  text = Field(line, keyCol);
  return TRUE;
}

BOOL CGXTabbedComboBox::KeyToText(CString& text, const CGXStyle& style) {
  const int keyCol = AttrInt(style, GX_IDS_UA_TABLIST_KEYCOL, 0);
  const int textCol = AttrInt(style, GX_IDS_UA_TABLIST_TEXTCOL, 0);
  CString line;
  if (const int id = ChoiceListId(style); id >= 1) {
    CMapStringToString* keys = GetKeyMap(id, style);
    if (keys == nullptr || !keys->Lookup(text, line)) return FALSE;
  } else {
    const BOOL titles = AttrInt(style, GX_IDS_UA_TABLIST_TITLES, 0) != 0;
    if (!style.GetIncludeChoiceList() || GXFindChoice(text, keyCol, style.GetChoiceList(), titles, line, TRUE) < 0)
      return FALSE;
  }
  text = Field(line, textCol);
  return TRUE;
}

BOOL CGXTabbedComboBox::GetCurrentText(CString& text) {
  if (!m_bInit || m_hWnd == nullptr) return FALSE;
  GetWindowText(text);
  return TextToKey(text, CGXControl::GetStyle());
}

void CGXTabbedComboBox::SetCurrentText(const CString& value) {
  if (m_hWnd == nullptr || !m_bInit) return;
  const CGXStyle& style = CGXControl::GetStyle();
  CString text = value;
  int index = -1;
  BOOL found = FALSE;
  if (ChoiceListId(style) >= 1) {
    found = !text.IsEmpty() && KeyToText(text, style);
  } else if (!text.IsEmpty() && style.GetIncludeChoiceList()) {
    CString choices = style.GetChoiceList();
    if (m_bFilledSinceInit && m_nSortCol >= 0) GXSortChoiceList(choices, m_nSortCol, m_bDispTitleRow);
    CString line;
    index = GXFindChoice(text, m_nKeyCol, choices, m_bDispTitleRow, line, TRUE);
    found = index >= 0;
    if (found) text = Field(line, m_nDisplayCol);
  }
  if (!found) {
    SetWindowText("");
    return;
  }
  SetWindowText(text);
  SendMessage(EM_SETSEL, 0, -1);
  SendMessage(EM_SCROLLCARET);
  if (m_bFilledSinceInit && m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr) {
    if (index < 0) index = m_pList->FindStringExact(-1, text);
    m_pList->SetCurSel(index);
  }
}

BOOL CGXTabbedComboBox::GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) {
  CString key = value != nullptr ? CString(value) : style.GetIncludeValue() ? style.GetValue() : CString();
  if (!KeyToText(key, style)) return FALSE;
  return CGXEditControl::GetControlText(text, row, col, key, style);
}

BOOL CGXTabbedComboBox::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  if (text.IsEmpty()) return TRUE;
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  return TextToKey(text, *style);
}

BOOL CGXTabbedComboBox::OnValidate() {
  CString text;
  if (IsActive() && GetModify() && !GetCurrentText(text)) return FALSE;
  return CGXComboBox::OnValidate();
}

const CGXStyle* CGXTabbedComboBox::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode,
                                                    int storeKind, const CGXStyle* currentStyle) {
  const CGXStyle* result = CGXComboBox::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  if (result == nullptr || style == nullptr || (mode != 0 && mode != 1) || !m_pGrid->IsCurrentCell(row, col))
    return result;
  static constexpr WORD kTabbed[] = {GX_IDS_UA_TABLIST_UNIQUEID, GX_IDS_UA_TABLIST_KEYCOL, GX_IDS_UA_TABLIST_TEXTCOL,
                                     GX_IDS_UA_TABLIST_SHOWALLCOLS, GX_IDS_UA_TABLIST_TITLES,
                                     GX_IDS_UA_TABLIST_COLWIDTHS, GX_IDS_UA_TABLIST_SORT};
  BOOL tabbed = style->GetIncludeChoiceList();
  for (WORD id : kTabbed) tabbed = tabbed || style->HasUserAttribute(id);
  if (tabbed) {
    const int id = style->HasUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID) ? ChoiceListId(*style)
                                                                        : ChoiceListId(CGXControl::GetStyle());
    GXFreeChoiceListMaps(m_pGrid->GetParam(), id);
    Reset();
  } else if ((style->GetIncludeValue() && !GetModify()) || style->GetIncludeControl()) {
    Reset();
  }
  return result;
}

BOOL CGXTabbedComboBox::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  const BOOL handled = CGXComboBox::ProcessKeys(message, key, repeat, flags);
  if (message == WM_CHAR && key >= 32 && !IsReadOnly()) AutoComplete();
  return handled;
}

BOOL CGXTabbedComboBox::ValidateString(const CString& text) {
  if (text.IsEmpty() || !m_bFillWithChoiceList || !m_bInit) return TRUE;
  const CGXStyle& style = CGXControl::GetStyle();
  const int id = ChoiceListId(style);
  if (id < 1) {
    CString line;
    return style.GetIncludeChoiceList() &&
           GXFindChoice(text, m_nDisplayCol, style.GetChoiceList(), m_bDispTitleRow, line, FALSE) >= 0;
  }
  CMapStringToString* texts = GetTextMap(id, style);
  CMapStringToString* keys = GetKeyMap(id, style);
  CString line;
  if (texts == nullptr || keys == nullptr) return FALSE;
  if (texts->Lookup(text, line)) return TRUE;
  for (POSITION pos = keys->GetStartPosition(); pos != nullptr;) {
    CString key, value;
    keys->GetNextAssoc(pos, key, value);
    if (BeginsNoCase(Field(value, m_nDisplayCol), text)) {
      texts->SetAt(text, value);
      return TRUE;
    }
  }
  return FALSE;
}

void CGXTabbedComboBox::AutoComplete() {
  if (!m_bAutoComplete || !m_bFillWithChoiceList || !IsActive() || IsReadOnly() || m_hWnd == nullptr) return;
  const CGXStyle& style = CGXControl::GetStyle();
  CString typed;
  GetWindowText(typed);
  if (typed.IsEmpty()) return;
  CString line;
  BOOL found = FALSE;
  if (const int id = ChoiceListId(style); id >= 1) {
    CMapStringToString* texts = GetTextMap(id, style);
    found = texts != nullptr && texts->Lookup(typed, line);
  } else if (style.GetIncludeChoiceList()) {
    found = GXFindChoice(typed, m_nDisplayCol, style.GetChoiceList(), m_bDispTitleRow, line, TRUE) >= 0 ||
            GXFindChoice(typed, m_nDisplayCol, style.GetChoiceList(), m_bDispTitleRow, line, FALSE) >= 0;
  }
  if (!found) return;
  const CString completed = Field(line, m_nDisplayCol);
  const int length = typed.GetLength();
  SetValue(completed);
  SendMessage(EM_SETSEL, static_cast<WPARAM>(length), -1);
  SendMessage(EM_SCROLLCARET);
}

CSize CGXTabbedComboBox::CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1,
                                         BOOL mode2) {
  if (mode1) return CGXComboBox::CalcContentSize(dc, row, col, style, mode1, mode2);
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  const LONG width = GXTabbedShownFieldExtent(dc, style).cx;
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  if (old != nullptr) dc->SelectObject(old);
  return CalcSize(width, tm.tmHeight + tm.tmExternalLeading + 1, style);
}

void CGXTabbedComboBox::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                             const CGXStyle* baseStyle) {
  if (IsInitializedFor(row, col) && !m_pGrid->IsPrinting()) {
    m_rgbCellBackColor = style.GetIncludeInterior() ? style.GetInterior().GetColor() : RGB(255, 255, 255);
    m_rgbCellTextColor = style.GetIncludeTextColor() ? style.GetTextColor() : RGB(0, 0, 0);
    if (IsActive()) {
      CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
      TEXTMETRIC tm{};
      dc->GetTextMetrics(&tm);
      m_nLineHeight = tm.tmHeight;
      if (old != nullptr) dc->SelectObject(old);
    }
  }
  CGXComboBox::Draw(dc, rect, row, col, style, baseStyle);
}

// ------------------------------------------------------------ the list

CWnd* CGXTabbedComboBox::CreateDropDownWnd(CWnd* parent, const CRect& rect) {
  if (m_pKeptDropDown == nullptr) m_pKeptDropDown = static_cast<CGXGridCombo*>(CGXComboBox::CreateDropDownWnd(parent, rect));
  m_pDropDownWnd = m_pKeptDropDown;
  return m_pKeptDropDown;
}

CListBox* CGXTabbedComboBox::CreateListBox(CWnd* dropDown, UINT id) {
  if (m_pList != nullptr) return m_pList;
  m_dwListBoxStyle = (m_dwListBoxStyle != 0 ? m_dwListBoxStyle : WS_VSCROLL | LBS_NOTIFY) | LBS_OWNERDRAWVARIABLE |
                     LBS_HASSTRINGS;
  m_pList = new CGXTabbedComboLBox(this, this);
  m_pList->CreateEx(0, WC_LISTBOX, "", m_dwListBoxStyle | WS_VISIBLE | WS_BORDER | WS_CHILD, CRect(0, 0, 1, 1),
                    dropDown, id);
  return m_pList;
}

BOOL CGXTabbedComboBox::IsDroppedDown() {
  return m_pKeptDropDown != nullptr && m_pDropDownWnd != nullptr && m_pKeptDropDown->IsWindowVisible();
}

void CGXTabbedComboBox::ShowDropDown(BOOL show) {
  if (!show) {
    CGXComboBox::ShowDropDown(FALSE);
    return;
  }
  if (IsDroppedDown() || !m_bInit) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  m_pGrid->m_bDropDownCell = TRUE;
  m_pGrid->m_bBusy = TRUE;
  CGXStyle* style = m_pGrid->CreateScratchStyle();
  m_pGrid->ComposeStyleRowCol(m_nRow, m_nCol, *style);
  const CRect cellRect = m_pGrid->CalcCellRect(m_nRow, m_nCol);
  CRect desktop = GXDesktopRect();
  CWnd* dropDown = CreateDropDownWnd(GetGridWnd(), CRect(0, 0, 1, 1));
  CListBox* list = CreateListBox(dropDown, m_nListBoxID);
  m_pKeptDropDown->SetListBox(list);
  delete m_pListFont;
  m_pListFont = new CFont;
  const LOGFONT lf = style->GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
  m_pListFont->CreateFontIndirect(&lf);
  list->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pListFont->GetSafeHandle()), TRUE);
  CRect rect = PlaceDropDown(*style, cellRect, m_nLineHeight, desktop);
  m_pGrid->RecycleScratchStyle(style);
  if (m_bDispTitleRow) {
    if (m_pHeader->GetSafeHwnd() == nullptr) m_pHeader->CreateHeaderWnd();
    m_pHeader->m_bDisplayAllCols = m_bDisplayAllCols;
    m_pHeader->m_nDisplayCol = m_nDisplayCol;
    m_pHeader->m_nTabCount = m_nTabCount;
    m_pHeader->m_pTabStops = m_TabStops.data();
    m_pHeader->m_hFont = static_cast<HFONT>(m_pListFont->GetSafeHandle());
    const int h = GXTabbedLineHeight(m_nLineHeight, m_pHeader->m_sTitles, m_bDisplayAllCols, m_nDisplayCol) + 4;
    CRect cellScreen = cellRect;
    if (CWnd* wnd = GetGridWnd()) wnd->ClientToScreen(&cellScreen);
    if (rect.bottom + h > desktop.bottom && rect.top >= cellScreen.bottom)
      rect.OffsetRect(0, -(rect.Height() + cellScreen.Height()));
    CRect header(rect.left, rect.top, rect.right, rect.top + h);
    if (rect.top >= cellScreen.bottom) {
      rect.OffsetRect(0, h);
    } else {
      header.OffsetRect(0, -h);
    }
    ::SetWindowPos(m_pHeader->GetSafeHwnd(), HWND_TOPMOST, header.left - 1, header.top, header.Width() + 1, h,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    m_pHeader->UpdateWindow();
  }
  GXSetInDropDown(TRUE);
  rect.IntersectRect(&rect, &desktop);
  ::SetWindowPos(dropDown->GetSafeHwnd(), HWND_TOPMOST, rect.left - 1, rect.top, rect.Width() + 1, rect.Height(),
                 SWP_SHOWWINDOW);
  list->SetWindowPos(nullptr, 0, 0, rect.Width() + 1, rect.Height(), SWP_NOZORDER);
  list->SetFocus();
  if (list->GetCurSel() < 0) list->SetCurSel(0);
  list->UpdateWindow();
  GXSetInDropDown(FALSE);
  m_pGrid->m_bControlMovesWindows = FALSE;
  m_pGrid->m_bBusy = FALSE;
}

void CGXTabbedComboBox::GetDropDownRect(CRect& out, const CRect& cellRect) {
  CRect cell = cellRect;
  cell.right = std::max<LONG>(cell.right, cell.left + m_nTotalWidth);
  CGXComboBox::GetDropDownRect(out, cell);
}

void CGXTabbedComboBox::DestroyDropDownWnd(CWnd*) {
  if (m_pKeptDropDown != nullptr && m_pKeptDropDown->GetSafeHwnd() != nullptr) m_pKeptDropDown->ShowWindow(SW_HIDE);
  if (m_pHeader->GetSafeHwnd() != nullptr && m_pHeader->IsWindowVisible()) m_pHeader->ShowWindow(SW_HIDE);
  if (m_pList != nullptr) m_pList->m_bKeyDown = m_pList->m_bLButtonDown = FALSE;
  m_pDropDownWnd = nullptr;
}

void CGXTabbedComboBox::TakeListSelection(CListBox* list) {
  const int index = list->GetCurSel();
  if (index < 0) return;
  CString item;
  list->GetText(index, item);
  SetActive(TRUE);
  SetWindowText(Field(item, 0));
  SendMessage(EM_SETSEL, 0, -1);
  SetModify(TRUE);
  if (m_bDispChoice) Refresh();
}

void CGXTabbedComboBox::FillListBox(CListBox* list) {
  CGXStyle& style = CGXControl::GetStyle();
  const int id = ChoiceListId(style);
  CGXGridParam* param = m_pGrid->GetParam();
  const int version = param != nullptr ? param->m_nChoiceListChanges : 0;
  const BOOL due = id < 1 || id != m_nLastChoiceListId || m_nLastChoiceListVersion < version;
  if (due) m_nLastChoiceListVersion = version;
  if (due && !m_bFilledSinceInit && m_bFillWithChoiceList) {
    list->ResetContent();
    m_TabStops.assign(kMaxColumns, 0);
    m_nTotalWidth = 0;
    m_nTabCount = 0;
    m_pHeader->m_sTitles.Empty();
    CString choices = style.GetChoiceList();
    if (!choices.IsEmpty()) {
      if (m_nSortCol >= 0) {
        GXSortChoiceList(choices, m_nSortCol, m_bDispTitleRow);
        style.SetChoiceList(choices);
        style.SetUserAttribute(GX_IDS_UA_TABLIST_SORT, "-1");
        m_nSortCol = -1;
      }
      CClientDC dc(GetGridWnd());
      CFont* old = m_pGrid->SelectStyleFont(&dc, style, nullptr);
      GXTabbedColumns columns;
      GXLayoutTabbedChoices(&dc, choices, m_bDispTitleRow, m_nDisplayCol, m_bDisplayAllCols, m_sColWidths, columns);
      if (old != nullptr) dc.SelectObject(old);
      for (const CString& item : columns.items) list->AddString(item);
      m_pHeader->m_sTitles = columns.titles;
      m_TabStops = columns.tabStops;
      m_nTabCount = columns.tabCount;
      m_nTotalWidth = columns.totalWidth;
    }
  }
  CString text;
  if (m_hWnd != nullptr) GetWindowText(text);
  const int exact = list->FindStringExact(-1, text);
  if (exact >= 0) list->SetCurSel(exact);
  else if (!text.IsEmpty()) list->SelectString(-1, text);
  m_bFilledSinceInit = TRUE;
  m_nLastChoiceListId = id;
}

LRESULT CGXTabbedComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam >= 32 && !IsReadOnly() && IsActive()) {
    CGXComboBox::ReplaceSel("");
    const LRESULT result = CGXComboBox::WindowProc(message, wParam, lParam);
    AutoComplete();
    return result;
  }
  return CGXComboBox::WindowProc(message, wParam, lParam);
}
