// The tabbed windows combo cell.
#include "grid/cells/GXTabbedComboBoxWnd.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "grid/cells/GXTabbedComboBox.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXStylesMap.h"
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
}

CGXTabbedComboBoxWnd::~CGXTabbedComboBoxWnd() {
  if (m_wndTabbedEdit.GetSafeHwnd() != nullptr) m_wndTabbedEdit.UnsubclassWindow();
}

BOOL CGXTabbedComboBoxWnd::CreateComboWindow(DWORD style, UINT id) {
  if (!CGXComboBoxWnd::CreateComboWindow(style | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_HASSTRINGS, id)) return FALSE;
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
  std::vector<CString> rows = Rows(style);
  if (m_nSortCol >= 0)
    std::stable_sort(rows.begin(), rows.end(), [&](const CString& a, const CString& b) {
      return Field(a, m_nSortCol).CompareNoCase(Field(b, m_nSortCol)) < 0;
    });
  for (const CString& row : rows) AddString(row);
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
  const BOOL fill = m_bFillWithChoiceList;
  m_bFillWithChoiceList = FALSE;
  CGXComboBoxWnd::Init(row, col);
  m_bFillWithChoiceList = fill;
  // The base's binding fetched the style anew.
  const CGXStyle& bound = CGXControl::GetStyle();
  if (m_hWnd != nullptr && fill && bound.GetIncludeChoiceList() && !bound.GetChoiceList().IsEmpty()) FillComboBox();
  SetCurrentText(bound.GetIncludeValue() ? bound.GetValue() : CString());
  m_bModified = FALSE;
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

BOOL CGXTabbedComboBoxWnd::GetCurrentText(CString& text) {
  if (!m_bInit || m_hWnd == nullptr) return FALSE;
  CString shown;
  GetValue(shown);
  text.Empty();
  if (shown.IsEmpty()) return TRUE;
  const int found = FindString(-1, shown);
  if (found < 0) return FALSE;
  CString row;
  GetLBText(found, row);
  // The key column is what the cell stores.
  text = Field(row, m_nKeyCol);
  return TRUE;
}

void CGXTabbedComboBoxWnd::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  int index = -1;
  for (int i = 0; i < GetCount() && !text.IsEmpty(); ++i) {
    CString row;
    GetLBText(i, row);
    if (Field(row, m_nKeyCol) == text) {
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
