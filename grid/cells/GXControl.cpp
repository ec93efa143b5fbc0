// The cell control's default behaviour: binding to a cell, values,
// validation, choice lists, key and mouse dispatch to children, clipboard.
#include "grid/cells/GXControl.h"
#include "grid/cells/GXKeyRouting.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXStylesMap.h"
#include "platform/base/Kernel.h"
#include "platform/gfx/GdiObject.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"

const GXControlClass CGXControl::CGXControlRecord = {"CGXControl", nullptr};

CGXControl::CGXControl(CGXGridCore* grid) : m_pGrid(grid) {}

CGXControl::~CGXControl() {
  delete m_pStyle;
  if (m_pChildList != nullptr) {
    for (int i = 0; i < m_pChildList->GetSize(); ++i) delete static_cast<CGXChild*>(m_pChildList->GetAt(i));
    delete m_pChildList;
  }
  delete m_pCellTip;
}

BOOL CGXControl::IsKindOfControl(const GXControlClass* record) {
  for (const GXControlClass* r = GetControlClass(); r != nullptr; r = r->base) {
    if (r == record || (record != nullptr && std::strcmp(r->name, record->name) == 0)) return TRUE;
  }
  return FALSE;
}

BOOL CGXControl::IsWndKindOf(CRuntimeClass* runtimeClass) {
  CWnd* wnd = GetWnd();
  return wnd != nullptr && wnd->IsKindOf(runtimeClass);
}

CGXStyle& CGXControl::GetStyle() {
  if (m_pStyle == nullptr) {
    auto composed = std::make_unique<CGXStyle>();
    m_pGrid->ComposeStyleRowCol(m_nRow, m_nCol, *composed);
    m_pStyle = composed.release();
  }
  return *m_pStyle;
}

void CGXControl::FreeStyle(BOOL alsoCurrent) {
  delete m_pStyle;
  m_pStyle = nullptr;
  if (alsoCurrent) m_pGrid->EmptyCurrentCellStyle();
}

BOOL CGXControl::IsCurrentCell() const {
  ROWCOL row = 0, col = 0;
  return m_bInit && m_pGrid->GetCurrentCell(row, col) && row == m_nRow && col == m_nCol;
}

BOOL CGXControl::ReadOnlyByGuard(const CGXStyle& style) {
  CGXGridParam* param = m_pGrid->GetParam();
  if (param == nullptr || !param->m_bReadOnlyGuard) return FALSE;
  return m_pGrid->IsReadOnly() || style.GetReadOnly();
}

void CGXControl::ForwardKillFocus(CWnd* newFocus) {
  CWnd* gridWnd = GetGridWnd();
  if (gridWnd == nullptr || m_pGrid->m_bControlMovesWindows) return;
  const HWND next = newFocus != nullptr ? newFocus->GetSafeHwnd() : nullptr;
  if (next == gridWnd->GetSafeHwnd()) return;
  gridWnd->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(next));
}

void CGXControl::SetActive(BOOL) {}
void CGXControl::SetModify(BOOL) {}

void CGXControl::Init(ROWCOL row, ROWCOL col) {
  m_nRow = row;
  m_nCol = col;
  m_bInit = TRUE;
  SetActive(FALSE);
  SetModify(FALSE);
  FreeStyle(FALSE);
  SetCapturedChild(nullptr);
  OnInitChildren(row, col, GetCellRect(row, col));
  // Binding is how the grid learns that its current cell reached a new
  // place, whichever way it got there.
  m_pGrid->CheckMovedCurrentCell(row, col);
  CGXGridParam* param = m_pGrid->GetParam();
  if (param != nullptr && (param->m_wActivateCell & 4) != 0 && OnStartEditing()) SetActive(TRUE);
}

void CGXControl::Reset() {
  if (GetModify() || IsActive()) m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
  Hide();
  SetModify(FALSE);
  SetActive(FALSE);
  FreeStyle(TRUE);
  m_bInit = FALSE;
}

BOOL CGXControl::OnValidate() {
  if (IsActive() && GetModify()) {
    CString text;
    GetValue(text);
    if (!text.IsEmpty()) {
      CGXStyle composed;
      m_pGrid->ComposeStyleRowCol(m_nRow, m_nCol, composed);
      const CString minText = composed.HasUserAttribute(GX_IDS_UA_VALID_MIN)
                                  ? composed.GetUserAttribute(GX_IDS_UA_VALID_MIN).GetValue()
                                  : CString();
      const CString maxText = composed.HasUserAttribute(GX_IDS_UA_VALID_MAX)
                                  ? composed.GetUserAttribute(GX_IDS_UA_VALID_MAX).GetValue()
                                  : CString();
      // A text that does not start with a number counts as 0.
      const double value = std::atof(text);
      if ((!minText.IsEmpty() && !(value >= std::atof(minText))) ||
          (!maxText.IsEmpty() && value > std::atof(maxText))) {
        m_pGrid->SetWarningText(composed.HasUserAttribute(GX_IDS_UA_VALID_MSG)
                                    ? composed.GetUserAttribute(GX_IDS_UA_VALID_MSG).GetValue()
                                    : CString());
        return FALSE;
      }
    }
    if (!ValidateString(text)) return FALSE;
  }
  return m_pGrid->OnValidateCell(m_nRow, m_nCol);
}

BOOL CGXControl::OnStartEditing() {
  if (!m_bInit || !m_pGrid->OnStartEditing(m_nRow, m_nCol)) return FALSE;
  Refresh();
  return TRUE;
}

BOOL CGXControl::OnModifyCell() { return GetModify() ? m_pGrid->OnModifiedCell(m_nRow, m_nCol) : FALSE; }

BOOL CGXControl::OnCancelEditing() {
  if (!m_pGrid->OnCancelEditing(m_nRow, m_nCol)) return FALSE;
  m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
  return TRUE;
}

BOOL CGXControl::OnCanceledEditing() {
  m_pGrid->OnCanceledEditing(m_nRow, m_nCol);
  return m_pGrid->EvalFloatCells(CGXRange(m_nRow, m_nCol), 1, 0, 0);
}

BOOL CGXControl::OnEndEditing() { return m_pGrid->OnEndEditing(m_nRow, m_nCol); }
BOOL CGXControl::NotifyLeftCell(ROWCOL newRow, ROWCOL newCol) {
  return m_pGrid->OnLeftCell(m_nRow, m_nCol, newRow, newCol);
}
BOOL CGXControl::OnDeleteCell() { return m_pGrid->OnDeleteCell(m_nRow, m_nCol); }

CRect CGXControl::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle*) {
  if (cellRect != nullptr) return *cellRect;
  // Without a given rectangle the cell's place in the grid window, so that
  // the children of a bound cell are where the mouse finds them.
  if (m_pGrid->m_pGridWnd == nullptr || m_pGrid->m_pGridWnd->GetSafeHwnd() == nullptr ||
      row == static_cast<ROWCOL>(-1) || col == static_cast<ROWCOL>(-1))
    return CRect(0, 0, 0, 0);
  return m_pGrid->CalcCellRect(row, col);
}

// A cell needs room for its borders, grid lines and 3-D frame besides its
// contents.
CSize CGXControl::CalcSize(int width, int height, const CGXStyle& style) {
  CSize size;
  return m_pGrid->AddCellFrameSize(size, width, height, &style);
}
CSize CGXControl::CalcContentSize(CDC*, ROWCOL, ROWCOL, const CGXStyle&, BOOL, BOOL) { return CSize(0, 0); }
BOOL CGXControl::CanFloatCell(ROWCOL, ROWCOL, const CGXStyle&, BOOL) { return FALSE; }
BOOL CGXControl::CanMergeCell(ROWCOL, ROWCOL, const CGXStyle& style, int) { return !style.GetValue().IsEmpty(); }

void CGXControl::DrawFrame(CDC* dc, const CRect& cellRect) {
  CGXGridParam* param = m_pGrid->GetParam();
  if (param == nullptr || param->m_bCurrentCellSelected || (param->m_wActivateCell == 4 && GetWnd() != nullptr))
    return;
  if (param->m_wCurrentCellFrame == 2) {
    CWnd* gridWnd = GetGridWnd();
    const HWND focus = ::GetFocus();
    const HWND grid = gridWnd != nullptr ? gridWnd->GetSafeHwnd() : nullptr;
    if (grid == nullptr || focus == nullptr || (focus != grid && !::IsChild(grid, focus))) return;
  } else if (param->m_wCurrentCellFrame != 0) {
    return;
  }
  CGXProperties* properties = param->GetProperties();
  const CString kind = properties != nullptr ? properties->GetUserProperty(51005).GetValue() : CString();
  const CRect& r = cellRect;
  if (kind == GXGetString(20059)) return;
  if (kind == GXGetString(51008) || kind == GXGetString(51009)) {
    const int w = kind == GXGetString(51009) ? 2 : 1;
    const COLORREF black = RGB(0, 0, 0);
    GXFillRect(dc, r.left, r.top, r.Width(), w, black);
    GXFillRect(dc, r.left, r.bottom - w, r.Width(), w, black);
    GXFillRect(dc, r.left, r.top, w, r.Height(), black);
    GXFillRect(dc, r.right - w, r.top, w, r.Height(), black);
    return;
  }
  const int w = kind == GXGetString(51007) ? 2 : 1;
  GXInvertRect(dc, CRect(r.left, r.top, r.left + w, r.bottom), nullptr);
  GXInvertRect(dc, CRect(r.right - w, r.top, r.right, r.bottom), nullptr);
  GXInvertRect(dc, CRect(r.left + w, r.top, r.right - w, r.top + w), nullptr);
  GXInvertRect(dc, CRect(r.left + w, r.bottom - w, r.right - w, r.bottom), nullptr);
}

void CGXControl::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style, const CGXStyle*) {
  const CRect cellRect = GetCellRect(row, col, &rect, &style);
  OnInitChildren(row, col, cellRect);
  const BOOL active = IsCurrentCell() && m_pGrid->m_pGridWnd != nullptr &&
                      ::GetFocus() == m_pGrid->m_pGridWnd->GetSafeHwnd();
  for (int i = 0; i < GetChildCount(); ++i) GetChild(i)->Draw(dc, active, style);
}

void CGXControl::GetValue(CString& text) {
  text.Empty();
  if (!m_bInit) return;
  CGXStyle& style = GetStyle();
  if (style.GetIncludeValue()) {
    text = style.GetValue();
    return;
  }
  GetControlText(text, m_nRow, m_nCol, nullptr, style);
}

void CGXControl::SetValue(LPCTSTR text) {
  if (m_bInit) SetControlText(m_nRow, m_nCol, CString(text), 2, &GetStyle());
}

BOOL CGXControl::GetCurrentText(CString& text) {
  if (!m_bInit || !GetStyle().GetIncludeValue()) return FALSE;
  text = GetStyle().GetValue();
  return TRUE;
}

void CGXControl::SetCurrentText(const CString& text) {
  if (!m_bInit) return;
  GetStyle().SetValue(text);
  m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
  m_pGrid->EvalFloatCells(CGXRange(m_nRow, m_nCol), 1, 0, 0);
}

BOOL CGXControl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR value, const CGXStyle& style) {
  if (value == nullptr && !style.GetIncludeValue()) return FALSE;
  const CString source = value != nullptr ? CString(value) : style.GetValue();
  if (style.GetIncludeFormat() && style.GetFormat() != 0) {
    GXGetDrawingAndFormatting()->FormatValue(text, style, source, style.GetValueType(), style.GetFormat(),
                                             style.GetPlaces());
  } else {
    text = source;
  }
  return TRUE;
}

BOOL CGXControl::SetControlText(ROWCOL row, ROWCOL col, const CString& text, UINT flags, const CGXStyle* style) {
  CGXStyle* scratch = nullptr;
  if (style == nullptr) {
    scratch = m_pGrid->CreateScratchStyle();
    m_pGrid->ComposeStyleRowCol(row, col, *scratch);
    style = scratch;
  }
  m_pGrid->m_pStyleBeingStored = style;
  CString value = text;
  BOOL result = FALSE;
  if (ConvertControlTextToValue(value, row, col, style) && !ReadOnlyByGuard(*style)) {
    LimitConvertedValue(value, *style);
    result = m_pGrid->SetValueRangeFromString(CGXRange(row, col), value, 0, flags);
  }
  if (scratch != nullptr) m_pGrid->RecycleScratchStyle(scratch);
  m_pGrid->m_pStyleBeingStored = nullptr;
  return result;
}

BOOL CGXControl::ConvertControlTextToValue(CString&, ROWCOL, ROWCOL, const CGXStyle*) { return TRUE; }

void CGXControl::LimitConvertedValue(CString& value, const CGXStyle& style) {
  // A maximum length of 0 sets no limit.
  if (style.GetIncludeMaxLength() && style.GetMaxLength() > 0 && style.GetMaxLength() < value.GetLength())
    value = value.Left(style.GetMaxLength());
}

const CGXStyle* CGXControl::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                             const CGXStyle* currentStyle) {
  if (currentStyle != nullptr && ReadOnlyByGuard(*currentStyle)) return nullptr;
  if (currentStyle == nullptr && ReadOnlyByGuard(CGXStyle())) return nullptr;
  if (!m_pGrid->StoreStyleRowCol(row, col, style, mode, storeKind)) return nullptr;
  ROWCOL curRow = 0, curCol = 0;
  if (m_pGrid->GetCurrentCell(curRow, curCol) && curRow == row && curCol == col) {
    if (IsInitializedFor(row, col) && mode != CGXGridCore::kRemoveStyle) {
      FreeStyle(TRUE);
      GetStyle();
      const BOOL modified = GetModify();
      if (style != nullptr && style->GetIncludeValue()) SetCurrentText(style->GetValue());
      Refresh();
      SetModify(mode == 2 ? FALSE : modified);
    } else {
      Init(row, col);
    }
  }
  // Non-null means stored: a removal (no style) succeeded as well.
  if (style != nullptr) return style;
  return currentStyle != nullptr ? currentStyle : &m_pGrid->GetStandardStyle();
}

int CGXControl::GetCurrentStyleValue(ROWCOL row, ROWCOL col, CGXStyle& target) {
  CString text;
  if (IsInitializedFor(row, col) && IsCurrentCell() && GetCurrentText(text)) target.SetValue(text);
  return 0;
}

// Walks the lines of a choice list ("\r\n" or "\n" between them).
template <class Visit>
static void ForEachChoice(LPCTSTR choices, Visit visit) {
  const char* p = choices;
  for (int index = 0; *p != '\0'; ++index) {
    const char* end = p;
    while (*end != '\0' && *end != '\n' && *end != '\r') ++end;
    if (!visit(index, CString(p, static_cast<int>(end - p)))) return;
    if (*end == '\r') ++end;
    if (*end == '\n') ++end;
    p = end;
  }
}

BOOL CGXControl::GetChoiceListItem(CString& text, LPCTSTR choices, int index) {
  text.Empty();
  if (choices == nullptr || index < 0) return FALSE;
  BOOL found = FALSE;
  ForEachChoice(choices, [&](int i, const CString& line) {
    if (i != index) return true;
    text = line;
    found = TRUE;
    return false;
  });
  return found;
}

int CGXControl::FindStringInChoiceList(CString& text, LPCTSTR find, LPCTSTR choices, BOOL exact) {
  text.Empty();
  const CString wanted(find != nullptr ? find : "");
  if (wanted.IsEmpty() || choices == nullptr) return -1;
  int exactIndex = -1, prefixIndex = -1;
  CString prefixLine;
  ForEachChoice(choices, [&](int i, const CString& line) {
    if (line.CompareNoCase(wanted) == 0) {
      exactIndex = i;
      text = line;
      return false;
    }
    if (prefixIndex < 0 && line.GetLength() >= wanted.GetLength() &&
        line.Left(wanted.GetLength()).CompareNoCase(wanted) == 0) {
      prefixIndex = i;
      prefixLine = line;
    }
    return true;
  });
  if (exactIndex >= 0) return exactIndex;
  if (exact || prefixIndex < 0) return -1;
  text = prefixLine;
  return prefixIndex;
}

void CGXControl::Refresh() {
  if (!m_bInit) return;
  if (GetModify() || IsActive()) m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
  Hide();
  if (m_pGrid->m_pGridWnd != nullptr && m_pGrid->m_pGridWnd->GetSafeHwnd() != nullptr)
    m_pGrid->m_pGridWnd->Invalidate(TRUE);
}

CRect CGXControl::PrepareChildren() {
  const CRect cell = GetCellRect(m_nRow, m_nCol);
  OnInitChildren(m_nRow, m_nCol, cell);
  return cell;
}

BOOL CGXControl::MouseMove(UINT flags, CPoint point, UINT) {
  PrepareChildren();
  return m_pChildFocus != nullptr ? m_pChildFocus->MouseMove(flags, point) : FALSE;
}

BOOL CGXControl::MouseMoveOver(ROWCOL row, ROWCOL col, UINT flags, CPoint point) {
  PrepareChildren();
  BOOL handled = FALSE;
  for (int i = 0; i < GetChildCount() && !handled; ++i) {
    if (GetChild(i)->GetRect().PtInRect(point)) handled = GetChild(i)->MouseMoveOver(row, col, flags, point);
  }
  return m_pGrid->OnMouseOverCell(row, col, flags, point) || handled;
}

// Button-down: the first child under the point takes the press and the
// following moves and release.
BOOL CGXControl::LButtonDown(UINT flags, CPoint point, UINT) {
  PrepareChildren();
  for (int i = 0; i < GetChildCount(); ++i) {
    if (GetChild(i)->GetRect().PtInRect(point)) {
      m_pChildFocus = GetChild(i);
      return m_pChildFocus->LButtonDown(flags, point);
    }
  }
  return FALSE;
}
BOOL CGXControl::MButtonDown(UINT flags, CPoint point, UINT hit) { return LButtonDown(flags, point, hit); }
BOOL CGXControl::RButtonDown(UINT flags, CPoint point, UINT hit) { return LButtonDown(flags, point, hit); }

BOOL CGXControl::LButtonUp(UINT flags, CPoint point, UINT) {
  const CRect cell = PrepareChildren();
  BOOL result = m_pChildFocus != nullptr ? m_pChildFocus->LButtonUp(flags, point) : FALSE;
  if (cell.PtInRect(point)) result = m_pGrid->OnLeftClickedCell(m_nRow, m_nCol, flags, point) || result;
  return result;
}
BOOL CGXControl::MButtonUp(UINT flags, CPoint point, UINT) {
  const CRect cell = PrepareChildren();
  BOOL result = m_pChildFocus != nullptr ? m_pChildFocus->LButtonUp(flags, point) : FALSE;
  if (cell.PtInRect(point)) result = m_pGrid->OnMiddleClickedCell(m_nRow, m_nCol, flags, point) || result;
  return result;
}
BOOL CGXControl::RButtonUp(UINT flags, CPoint point, UINT) {
  const CRect cell = PrepareChildren();
  BOOL result = m_pChildFocus != nullptr ? m_pChildFocus->LButtonUp(flags, point) : FALSE;
  if (cell.PtInRect(point)) result = m_pGrid->OnRightClickedCell(m_nRow, m_nCol, flags, point) || result;
  return result;
}

// Double clicks: each child under the point in turn until one takes it;
// the grid hears of the double click either way.
static BOOL ChildrenDblClk(CGXControl& control, UINT flags, CPoint point) {
  for (int i = 0; i < control.GetChildCount(); ++i) {
    CGXChild* child = control.GetChild(i);
    if (!child->GetRect().PtInRect(point)) continue;
    control.SetCapturedChild(child);
    if (child->LButtonDblClk(flags, point)) return TRUE;
  }
  return FALSE;
}
BOOL CGXControl::LButtonDblClk(UINT flags, CPoint point) {
  PrepareChildren();
  const BOOL handled = ChildrenDblClk(*this, flags, point);
  return m_pGrid->OnLeftDblClkCell(m_nRow, m_nCol, flags, point) || handled;
}
BOOL CGXControl::MButtonDblClk(UINT flags, CPoint point) {
  PrepareChildren();
  const BOOL handled = ChildrenDblClk(*this, flags, point);
  return m_pGrid->OnMiddleDblClkCell(m_nRow, m_nCol, flags, point) || handled;
}
BOOL CGXControl::RButtonDblClk(UINT flags, CPoint point) {
  PrepareChildren();
  const BOOL handled = ChildrenDblClk(*this, flags, point);
  return m_pGrid->OnRightDblClkCell(m_nRow, m_nCol, flags, point) || handled;
}

BOOL CGXControl::OnMouseActivate(CWnd*, UINT, UINT, int&) { return FALSE; }

BOOL CGXControl::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  if (m_pChildFocus != nullptr && m_pChildFocus->ProcessKeys(message, key, repeat, flags)) return TRUE;
  return GXRouteKeyMessage(*this, message, key, repeat, flags, m_bDbcsLeadPending, m_cDbcsLead);
}

BOOL CGXControl::KeyDown(UINT, UINT, UINT) { return FALSE; }
BOOL CGXControl::KeyUp(UINT, UINT, UINT) { return FALSE; }
BOOL CGXControl::HandleChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXControl::InsertText(LPCTSTR) { return FALSE; }
BOOL CGXControl::DeadChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXControl::SysKeyDown(UINT, UINT, UINT) { return FALSE; }
BOOL CGXControl::SysKeyUp(UINT, UINT, UINT) { return FALSE; }
BOOL CGXControl::SysChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXControl::SysDeadChar(UINT, UINT, UINT) { return FALSE; }

BOOL CGXControl::Copy() {
  if (!IsActive()) return IsCurrentCell() ? m_pGrid->CopyRange(CGXRange(m_nRow, m_nCol)) : FALSE;
  CString text;
  GetSelectedText(text);
  if (text.IsEmpty()) return FALSE;
  const int size = text.GetLength() + 1;
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
  if (mem == nullptr) return FALSE;
  char* data = static_cast<char*>(::GlobalLock(mem));
  std::memcpy(data, static_cast<LPCTSTR>(text), static_cast<size_t>(size));
  ::GlobalUnlock(mem);
  CWnd* wnd = GetGridWnd();
  if (!::OpenClipboard(wnd != nullptr ? wnd->GetSafeHwnd() : nullptr)) {
    ::GlobalFree(mem);
    return FALSE;
  }
  ::EmptyClipboard();
  const BOOL set = ::SetClipboardData(CF_TEXT, mem) != nullptr;
  ::CloseClipboard();
  if (!set) ::GlobalFree(mem);
  return set;
}

// Whether the cell may take text from the clipboard: the grid's own styles
// with a selection are the grid's to paste, and only an active, writable
// cell takes text.
BOOL CGXControl::MayPasteText() {
  CGXGridParam* param = m_pGrid->GetParam();
  const UINT stylesFormat = GXGetAppData()->m_uiStylesClipboardFormat;
  if (stylesFormat != 0 && ::IsClipboardFormatAvailable(stylesFormat) && param != nullptr &&
      param->m_SelRects.GetCount() > 0)
    return FALSE;
  return m_bInit && IsActive() && !GetStyle().GetReadOnly();
}

BOOL CGXControl::CanPaste() {
  if (!MayPasteText()) return FALSE;
  return ::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_OEMTEXT);
}

BOOL CGXControl::Paste() {
  if (!MayPasteText()) return FALSE;
  CWnd* wnd = GetGridWnd();
  const BOOL opened = ::GetOpenClipboardWindow() == nullptr &&
                      ::OpenClipboard(wnd != nullptr ? wnd->GetSafeHwnd() : nullptr);
  HANDLE data = ::GetClipboardData(CF_TEXT);
  if (data == nullptr) data = ::GetClipboardData(CF_OEMTEXT);
  if (data != nullptr) {
    const char* bytes = static_cast<const char*>(::GlobalLock(data));
    const SIZE_T size = ::GlobalSize(data);
    // The clipboard's text need not end within its block.
    const CString text(bytes, static_cast<int>(strnlen(bytes, size)));
    ::GlobalUnlock(data);
    if (ValidateInsertion(text)) ReplaceSel(text);
  }
  if (opened) ::CloseClipboard();
  return data != nullptr;
}

BOOL CGXControl::Cut() {
  if (IsActive()) {
    Copy();
    ReplaceSel("");
    return TRUE;
  }
  if (IsCurrentCell()) return m_pGrid->CutRange(CGXRange(m_nRow, m_nCol));
  return FALSE;
}

BOOL CGXControl::CanCut() { return m_bInit && !GetStyle().GetReadOnly(); }

void CGXControl::GetSortKey(ROWCOL, ROWCOL, void*, const CGXStyle& style, CString& key) { key = style.GetValue(); }

BOOL CGXControl::FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) {
  if (m_pGrid->m_pFindReplaceImp == nullptr) return FALSE;
  return m_pGrid->m_pFindReplaceImp->FindTextInControl(this, request, row, col, fromCurrent, select);
}

void CGXControl::ReplaceSel(LPCTSTR text) {
  if (IsCurrentCell()) SetControlText(m_nRow, m_nCol, CString(text), 2, &GetStyle());
}

BOOL CGXControl::ReplaceAll(void* request, ROWCOL row, ROWCOL col) {
  if (m_pGrid->m_pFindReplaceImp == nullptr) return FALSE;
  return m_pGrid->m_pFindReplaceImp->ReplaceAllInControl(this, request, row, col);
}

int CGXControl::GetSelectedText(CString& text) {
  GetValue(text);
  return 0;
}

void CGXControl::OnClickedButton(CGXChild*) { m_pGrid->OnCellButtonClicked(m_nRow, m_nCol); }
BOOL CGXControl::OnCommand(WPARAM, LPARAM) { return FALSE; }
void CGXControl::OnGridScroll(MSG*) {
  CGXRange block;
  CGXGridParam* param = m_pGrid->GetParam();
  if (!IsActive() || param == nullptr || m_pGrid->GetCoveredCellsRowCol(m_nRow, m_nCol, block) == nullptr) return;
  // A block cut by the frozen boundary would scroll apart from its editor.
  const ROWCOL frozenRows = param->m_nFrozenRows, frozenCols = param->m_nFrozenCols;
  const BOOL cut = (block.left <= frozenCols && frozenCols < block.right) ||
                   (block.top <= frozenRows && frozenRows < block.bottom);
  if (!cut) return;
  if (GetModify()) Store();
  SetActive(FALSE);
  Refresh();
}
BOOL CGXControl::OnCtlColor(CDC*, CWnd*, UINT) { return FALSE; }

void CGXControl::OnWinIniChange(LPCTSTR section) {
  for (int i = 0; i < GetChildCount(); ++i) GetChild(i)->OnWinIniChange(section);
}
void CGXControl::OnSysColorChange() {
  for (int i = 0; i < GetChildCount(); ++i) GetChild(i)->OnSysColorChange();
}
void CGXControl::OnCancelMode() {
  for (int i = 0; i < GetChildCount(); ++i) GetChild(i)->OnCancelMode();
}

BOOL CGXControl::IsReadOnly() {
  if (!m_bInit) return FALSE;
  return ReadOnlyByGuard(GetStyle());
}

UINT CGXControl::NeedsCellTip(ROWCOL row, ROWCOL col, const CGXStyle& style) {
  return m_pCellTip != nullptr ? m_pCellTip->NeedsCellTip(row, col, style) : 0;
}
int CGXControl::GetCellTipKind(ROWCOL row, ROWCOL col, const CGXStyle& style) {
  return m_pCellTip != nullptr ? m_pCellTip->GetCellTipKind(row, col, style) : 0x7FFFFFFF;
}
void CGXControl::InitCellTipWnd(ROWCOL row, ROWCOL col, const CGXStyle& style, CWnd* tipWnd) {
  if (m_pCellTip != nullptr) m_pCellTip->InitCellTipWnd(row, col, style, tipWnd);
}

void CGXControl::AddChild(CGXChild* child) {
  if (m_pChildList == nullptr) {
    m_pChildList = new CPtrArray;
    m_pChildList->SetSize(0, 10);
  }
  m_pChildList->Add(child);
}

void CGXControl::RemoveChild(CGXChild* child) {
  if (m_pChildList == nullptr) return;
  for (int i = 0; i < m_pChildList->GetSize(); ++i) {
    if (m_pChildList->GetAt(i) == child) {
      m_pChildList->RemoveAt(i);
      if (m_pChildFocus == child) m_pChildFocus = nullptr;
      return;
    }
  }
}

CGXChild* CGXControl::GetChild(int index) { return static_cast<CGXChild*>(m_pChildList->GetAt(index)); }
int CGXControl::GetChildCount() { return m_pChildList != nullptr ? m_pChildList->GetSize() : 0; }
void CGXControl::OnInitChildren(ROWCOL, ROWCOL, const CRect&) {}

void CGXControl::DrawBackground(CDC* dc, const CRect& rect, const CGXStyle& style, BOOL erase) {
  CGXGridParam* param = m_pGrid->GetParam();
  const BOOL ownPass = param != nullptr && !param->m_bNoBackgroundPass && m_pGrid->m_bCellBackgroundToFill;
  if (erase || ownPass) {
    const CGXStyleInterior& interior = style.GetInterior();
    // Printed in black and white, a colour is white and a pattern black on white.
    const BOOL blackWhite = m_pGrid->PrintsBlackWhite();
    if (interior.brushStyle == BS_SOLID || !style.GetIncludeInterior()) {
      GXFillSolidRect(dc, rect,
                      style.GetIncludeInterior() && !blackWhite ? interior.GetColor() : RGB(255, 255, 255));
    } else {
      // A pattern draws its set bits in the fill colour over the back colour.
      const LOGBRUSH lb = interior.GetLogBrushCopy();
      CBrush brush;
      if (brush.CreateBrushIndirect(&lb)) {
        const COLORREF oldText = dc->SetTextColor(blackWhite ? RGB(0, 0, 0) : interior.GetColor());
        const COLORREF oldBack = dc->SetBkColor(blackWhite ? RGB(255, 255, 255) : interior.GetBackColor());
        dc->FillRect(&rect, &brush);
        dc->SetTextColor(oldText);
        dc->SetBkColor(oldBack);
      }
    }
  }
  Draw3dFrame(dc, rect, style);
}

void CGXControl::Draw3dFrame(CDC* dc, const CRect& rect, const CGXStyle& style) {
  const UINT kind = style.GetIncludeDraw3dFrame() ? style.GetDraw3dFrame() : 0;
  if ((kind != 1 && kind != 2) || m_pGrid->PrintsBlackWhite()) return;
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = RGB(0, 0, 0);
  const COLORREF topLeft = kind == 1 ? light : dark, bottomRight = kind == 1 ? dark : light;
  const CRect r(rect.left - 1, rect.top - 1, rect.right, rect.bottom);
  GXFillRect(dc, r.left, r.top, r.Width(), 1, topLeft);
  GXFillRect(dc, r.left, r.top, 1, r.Height(), topLeft);
  GXFillRect(dc, r.left, r.bottom - 1, r.Width(), 1, bottomRight);
  GXFillRect(dc, r.right - 1, r.top, 1, r.Height(), bottomRight);
}

BOOL CGXControl::ValidateString(const CString&) { return TRUE; }
BOOL CGXControl::ValidateInsertion(const CString&) { return TRUE; }
void CGXControl::OnInvalidKeyPressed(UINT) {}

BOOL CGXControl::MarkEditHeader(ROWCOL row, ROWCOL col, const CGXStyle&) {
  (void)row;
  (void)col;
  return FALSE;
}

void CGXControl::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle message;
  message.SetWrapText(TRUE).SetAutoSize(TRUE);
  map->AddUserAttribute(GX_IDS_UA_VALID_MSG, &message);
  CGXStyle bound;
  bound.SetControl(52519).SetWrapText(FALSE);
  map->AddUserAttribute(GX_IDS_UA_VALID_MAX, &bound);
  map->AddUserAttribute(GX_IDS_UA_VALID_MIN, &bound);
  CGXStyle rtl;
  rtl.SetControl(52523).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
  map->AddUserAttribute(GX_IDS_UA_RTLREADING, &rtl);
}

CFont* CGXControl::GetGridGdiObject(CDC* dc, const CGXStyle& style, const CGXStyle* standard) {
  return m_pGrid->SelectStyleFont(dc, style, standard);
}

void CGXControl::AddExcludeRect(const CRect& rect) { m_pGrid->m_ExcludedRects.push_back(rect); }

CRect CGXControl::PaintWindowInViewOnly(CWnd* window, CDC* dc, const CRect& place, ROWCOL row, ROWCOL col) {
  const bool underFrozen = (row > m_pGrid->GetFrozenRows() && row < m_pGrid->GetTopRow()) ||
                           (col > m_pGrid->GetFrozenCols() && col < m_pGrid->GetLeftCol());
  CRect clip;
  CRect visible = place;
  if (underFrozen && dc->GetClipBox(&clip) != NULLREGION && visible.IntersectRect(&place, &clip)) {
    CRect part = visible;
    if (CWnd* grid = GetGridWnd()) grid->MapWindowPoints(window, &part);
    window->ValidateRect(nullptr);
    window->InvalidateRect(&part, FALSE);
    // The caret could blink over the frozen cells.
    if (!m_bCaretHiddenInView) m_bCaretHiddenInView = ::HideCaret(window->GetSafeHwnd());
  } else if (m_bCaretHiddenInView) {
    ::ShowCaret(window->GetSafeHwnd());
    m_bCaretHiddenInView = FALSE;
  }
  return visible;
}
