// The check-list combo cell.
#include "grid/cells/GXCheckListComboBox.h"

#include <cstdlib>

#include "grid/cells/GXComboBox.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "platform/host/Keys.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"

const GXControlClass CGXCheckListComboBox::CGXCheckListComboBoxRecord = {"CGXCheckListComboBox",
                                                                         &CGXComboBox::CGXComboBoxRecord};

namespace {
// The bits of the items that have one.
constexpr int kBits = 32;

DWORD MaskOf(const CString& value) { return static_cast<DWORD>(std::strtoll(value, nullptr, 10)); }
}  // namespace

LRESULT CGXCheckListComboLBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND owner = m_pOwnerCombo != nullptr ? m_pOwnerCombo->GetSafeHwnd() : nullptr;
  switch (message) {
    case WM_KEYDOWN: m_bKeyDown = TRUE; break;
    case WM_SYSKEYDOWN: m_bKeyDown = TRUE; break;
    case WM_SYSKEYUP:
      if (wParam == VK_DOWN && m_bKeyDown && owner != nullptr) {
        ::SendMessage(owner, WM_GXCOMBO_SELECT, 0, 0);
        return 0;
      }
      break;
    case WM_KEYUP: {
      const LRESULT result = CCheckListBox::WindowProc(message, wParam, lParam);
      if (!m_bKeyDown || owner == nullptr) return result;
      m_bKeyDown = FALSE;
      // Closing destroys this list: nothing of it is touched afterwards.
      switch (wParam) {
        case VK_TAB:
          ::PostMessage(owner, WM_KEYDOWN, VK_TAB, 0);
          ::PostMessage(owner, WM_KEYUP, VK_TAB, 0);
          ::SendMessage(owner, WM_GXCOMBO_SELECT, 0, 0);
          break;
        // Escape keeps the changed checks, as Enter does.
        case VK_RETURN: case VK_ESCAPE: ::SendMessage(owner, WM_GXCOMBO_SELECT, 0, 0); break;
        default: break;
      }
      return result;
    }
    case WM_ERASEBKGND:
      if (GXEraseDroppedList(this, reinterpret_cast<HDC>(wParam))) return TRUE;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = CCheckListBox::WindowProc(message, wParam, lParam);
      if (owner != nullptr) ::PostMessage(owner, WM_GXCOMBO_SELECT, 0, 0);
      return result;
    }
    default: break;
  }
  return CCheckListBox::WindowProc(message, wParam, lParam);
}

BOOL CGXCheckListComboBox::FilterTypedChar(UINT, UINT, UINT) {
  m_strPending.Empty();
  return FALSE;
}

DWORD CGXCheckListComboBox::CalcEditStyle(CRect& rect, int lineHeight) {
  return CGXComboBox::CalcEditStyle(rect, lineHeight) | ES_READONLY;
}

CListBox* CGXCheckListComboBox::CreateListBox(CWnd* dropDown, UINT id) {
  CRect client;
  dropDown->GetClientRect(&client);
  client.InflateRect(-1, 0);
  auto* list = new CGXCheckListComboLBox(this);
  const DWORD style = (m_dwListBoxStyle != 0 ? m_dwListBoxStyle : WS_VSCROLL | LBS_NOTIFY) | WS_VISIBLE | WS_BORDER |
                      LBS_HASSTRINGS;
  list->Create(style | WS_CHILD, client, dropDown, id);
  return list;
}

void CGXCheckListComboBox::FillListBox(CListBox* box) {
  auto* list = static_cast<CCheckListBox*>(box);
  CGXStyle* style = m_pGrid->CreateScratchStyle();
  m_pGrid->ComposeStyleRowCol(m_nRow, m_nCol, *style);
  m_nItemCount = 0;
  if (style->GetIncludeChoiceList()) {
    CString choices = style->GetChoiceList(), line;
    GXExtractLine(choices, line);  // the caption
    while (!choices.IsEmpty()) {
      GXExtractLine(choices, line);
      list->AddString(line);
      ++m_nItemCount;
    }
  }
  const DWORD mask = style->GetIncludeValue() ? MaskOf(style->GetValue()) : 0;
  for (int i = 0; i < m_nItemCount; ++i) {
    if (i >= kBits) {
      list->SetCheck(i, 0);
      list->Enable(i, FALSE);
      continue;
    }
    const DWORD bit = DWORD{1} << i;
    list->SetCheck(i, (mask & bit) == bit ? 1 : 0);
  }
  m_pGrid->RecycleScratchStyle(style);
}

DWORD CGXCheckListComboBox::CheckedMask(CCheckListBox* list, int count) {
  DWORD mask = 0;
  for (int i = 0; i < count && i < kBits; ++i)
    if (list->GetCheck(i) == 1) mask |= DWORD{1} << i;
  return mask;
}

void CGXCheckListComboBox::TakeListSelection(CListBox* box) {
  CGXStyle* style = m_pGrid->CreateScratchStyle();
  m_pGrid->ComposeStyleRowCol(m_nRow, m_nCol, *style);
  const DWORD old = style->GetIncludeValue() ? MaskOf(style->GetValue()) : 0;
  m_pGrid->RecycleScratchStyle(style);
  const DWORD now = CheckedMask(static_cast<CCheckListBox*>(box), m_nItemCount);
  if (now == old) return;
  SetModify(TRUE);
  CString value;
  if (now != 0) value.Format("%lu", static_cast<unsigned long>(now));
  m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), value, 0, 2);
}

void CGXCheckListComboBox::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                                const CGXStyle* baseStyle) {
  // The cell never shows its edit window: always the caption as text.
  const BOOL active = IsInitializedFor(row, col) && IsActive() && !m_pGrid->IsPrinting();
  if (active) Hide();
  CGXStatic::Draw(dc, rect, row, col, style, baseStyle);
  if (active) DrawFrame(dc, rect);
}

BOOL CGXCheckListComboBox::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR, const CGXStyle& style) {
  text.Empty();
  if (style.GetIncludeChoiceList()) {
    CString choices = style.GetChoiceList();
    GXExtractLine(choices, text);
  }
  return TRUE;
}

BOOL CGXCheckListComboBox::LButtonUp(UINT flags, CPoint point, UINT hit) {
  return CGXControl::LButtonUp(flags, point, hit);
}

BOOL CGXCheckListComboBox::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  if (message != WM_SYSKEYDOWN) return FALSE;
  return CGXControl::ProcessKeys(message, key, repeat, flags);
}

void CGXCheckListComboBox::OnListDone() {
  m_pGrid->m_bControlMovesWindows = TRUE;
  m_pGrid->m_bDropDownCell = FALSE;
  if (m_pDropDownWnd == nullptr) {
    m_pGrid->m_bControlMovesWindows = FALSE;
    return;
  }
  GXSetInDropDown(TRUE);
  CGXControl::GetStyle();
  CListBox* list = m_pDropDownWnd->GetListBox();
  if (!CGXControl::IsReadOnly() && list != nullptr) TakeListSelection(list);
  DestroyDropDownWnd(m_pDropDownWnd);
  GXSetInDropDown(FALSE);
  OnModifyCell();
  CWnd* grid = GetGridWnd();
  if (grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) SetFocus();
  m_pGrid->m_bControlMovesWindows = FALSE;
  // The mask is stored already: nothing is left to store on leaving.
  SetModify(FALSE);
  SetActive(FALSE);
  Refresh();
}

LRESULT CGXCheckListComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GXCOMBO_SELECT:
    case WM_GXCOMBO_CLOSE: OnListDone(); return 0;
    case WM_GXCOMBO_SELCHANGE: return 0;
    case WM_GXCOMBO_LISTKILLFOCUS: {
      const HWND focus = ::GetFocus();
      CWnd* grid = GetGridWnd();
      const HWND gridWnd = grid != nullptr ? grid->GetSafeHwnd() : nullptr;
      if (focus != gridWnd && (gridWnd == nullptr || focus == nullptr || !::IsChild(gridWnd, focus))) OnListDone();
      return 0;
    }
    case WM_SETFOCUS: {
      const LRESULT result = CGXComboBox::WindowProc(message, wParam, lParam);
      if (!IsDroppedDown())
        if (CWnd* grid = GetGridWnd()) {
          m_pGrid->m_bControlMovesWindows = TRUE;
          grid->SetFocus();
          m_pGrid->m_bControlMovesWindows = FALSE;
        }
      return result;
    }
    default: break;
  }
  return CGXComboBox::WindowProc(message, wParam, lParam);
}
