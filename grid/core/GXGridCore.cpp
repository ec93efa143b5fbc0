#include "grid/core/GXGridCore.h"

#include <algorithm>
#include <cstdlib>

#include "grid/cells/GXControl.h"
#include "grid/core/GXCommand.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXPluginComponent.h"
#include "grid/core/GXToolTipProxy.h"
#include "platform/gfx/GdiObject.h"
#include "platform/framework/CWinApp.h"
#include "platform/base/Exceptions.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Window.h"

CGXGridCore::CGXGridCore(CWnd* window, CDocument* document, BOOL further)
    : m_pGridWnd(window), m_pAppData(GXGetAppData()), m_pDocument(document), m_bFurther(further),
      m_bAttachedToDocument(document != nullptr) {
  EnableFactoryFeatures();
}

CGXGridCore::~CGXGridCore() {
  // The controls go first: a control may still reach the parameter object
  // (its styles map, its data) while it is torn down.
  DeleteRegisteredControls();
  FreeObjectCache();
  if (m_bOwnParam) delete m_pParam;
  m_pParam = nullptr;
  delete m_pStyleA;
  delete m_pStyleB;
  delete m_pCurrentCellStyle;
  delete m_pTooltipProxy;
  auto pending = std::move(autoDelete_);
  for (auto& del : pending) del();
  // The grid owns its plug-ins (the auto-scroll and mouse-wheel ones are on
  // no other list).
  auto plugins = std::move(m_Plugins);
  for (CGXPluginComponent* plugin : plugins) delete plugin;
  for (CGXStyle* s : recycled_) delete s;
  recycled_.clear();
  m_pAppData->UnregisterGrid(this);
}

void CGXGridCore::SetModifiedFlag(BOOL) {
  // Only a grid attached to a document has a modified flag to change; no
  // grid of this system is.
}

void CGXGridCore::SetParam(CGXGridParam* param, BOOL owned) {
  if (m_bOwnParam && m_pParam != param) delete m_pParam;
  m_pParam = param != nullptr ? param : new CGXGridParam;
  m_bOwnParam = param != nullptr ? owned : TRUE;
}

void CGXGridCore::Initialize() {
  WNDCLASS wc{};
  if (!::GetClassInfo(AfxGetInstanceHandle(), "GXWND", &wc)) AfxThrowNotSupportedException();
  for (CGXPluginComponent* plugin : m_Plugins) plugin->PlugIn(m_pGridWnd);
  if (m_pTooltipProxy != nullptr) m_pTooltipProxy->Create();
  if (m_pStyleA == nullptr) m_pStyleA = CreateScratchStyle();
  if (m_pStyleB == nullptr) m_pStyleB = CreateScratchStyle();
  if (m_pCurrentCellStyle == nullptr) m_pCurrentCellStyle = CreateScratchStyle();
  m_pStyleClass = m_pStyleA->GetRuntimeClass();

  if (m_pParam == nullptr) SetParam(nullptr, TRUE);
  // A grid built before the library was initialised (a member of an object
  // made early) found no factory then; without this it would lack resizing
  // to fit, printing, sorting and the rest for its whole life.
  EnableFactoryFeatures();
  m_pAppData->RegisterGrid(m_pParam, this);
  FreeObjectCache();
  if (m_pParam->GetProperties() == nullptr) m_pParam->SetProperties(new CGXProperties, TRUE);
  m_pAppData->RegisterGrid(m_pParam->GetProperties(), this);
  if (m_pParam->GetStylesMap() == nullptr) {
    auto* map = new CGXStylesMap(m_pStyleClass);
    map->CreateStandardStyles();
    m_pParam->SetStylesMap(map, TRUE);
  }
  m_pAppData->RegisterGrid(m_pParam->GetStylesMap(), this);
  RefreshBaseStyles();
  RegisterDefaultControl();
  if (m_pParam->GetData() == nullptr) {
    auto* data = new CGXData;
    m_pParam->SetData(data, TRUE);
    data->InitParam(m_pParam);
  }
  m_pAppData->RegisterGrid(m_pParam->GetData(), this);

  m_nZoom = m_pParam->GetProperties()->m_nZoom;
  MeasureStandardFont();
  m_bInitDone = TRUE;
  m_nTopRow = std::max(m_nTopRow, m_pParam->m_nFrozenRows + 1);
  m_nLeftCol = std::max(m_nLeftCol, m_pParam->m_nFrozenCols + 1);
  // The library's tab connector would learn the sheet name here; no window
  // of this system installs one.
  if (m_pParam->m_bSendCurrentCellHints && m_pParam->m_nSharedCurrentRow <= GetRowCount() &&
      m_pParam->m_nSharedCurrentCol <= GetColCount()) {
    StoreCurrentCell(TRUE, m_pParam->m_nSharedCurrentRow, m_pParam->m_nSharedCurrentCol);
    NotifyCellListeners();
  }
  m_rgFrame = CGXRange();
  if (!m_pParam->m_SelRects.IsEmpty()) m_rgFrame = *m_pParam->m_SelRects.GetTail();
  m_pCurrentCellControl = nullptr;
  RecalcCharSize();
  UpdateScrollbars(TRUE, FALSE);
}

// ------------------------------------------------------------ base styles

void CGXGridCore::RefreshBaseStyles() {
  m_pStandardStyle = m_pRowHeaderStyle = m_pColHeaderStyle = nullptr;
  CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
  if (map == nullptr) return;
  map->LookupStyle(map->m_wStyleStandard, m_pStandardStyle);
  map->LookupStyle(map->m_wStyleRowHeader, m_pRowHeaderStyle);
  map->LookupStyle(map->m_wStyleColHeader, m_pColHeaderStyle);
}

const CGXStyle& CGXGridCore::GetStandardStyle() {
  if (m_pStandardStyle != nullptr) return *m_pStandardStyle;
  CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
  if (map == nullptr || !map->LookupStyle(map->m_wStyleStandard, m_pStandardStyle) || m_pStandardStyle == nullptr)
    AfxThrowNotSupportedException();
  return *m_pStandardStyle;
}

const CGXStyle& CGXGridCore::GetBaseStyle(WORD id) {
  CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
  const CGXStyle* style = nullptr;
  if (map == nullptr || !map->LookupStyle(id, style) || style == nullptr) AfxThrowNotSupportedException();
  return *style;
}

// ---------------------------------------------------------- scratch styles

CGXStyle* CGXGridCore::CreateScratchStyle() {
  if (!recycled_.empty()) {
    CGXStyle* s = recycled_.back();
    recycled_.pop_back();
    return s;
  }
  CObject* object = m_pStyleClass->CreateObject();
  auto* style = dynamic_cast<CGXStyle*>(object);
  if (style == nullptr) {
    delete object;
    style = new CGXStyle;
  }
  return style;
}

void CGXGridCore::RecycleScratchStyle(CGXStyle* style) {
  if (style == nullptr) return;
  style->Free();
  if (recycled_.size() < 500) {
    recycled_.push_back(style);
  } else {
    delete style;
  }
}

// ---------------------------------------------------------------- counts

ROWCOL CGXGridCore::GetRowCount() {
  CGXData* data = m_pParam ? m_pParam->GetData() : nullptr;
  return data ? data->GetRowCount() : 0;
}

ROWCOL CGXGridCore::GetColCount() {
  CGXData* data = m_pParam ? m_pParam->GetData() : nullptr;
  return data ? data->GetColCount() : 0;
}

ROWCOL CGXGridCore::GetHeaderRows() { return m_pParam ? m_pParam->m_nHeaderRows : 0; }
ROWCOL CGXGridCore::GetHeaderCols() { return m_pParam ? m_pParam->m_nHeaderCols : 0; }

// ------------------------------------------------------------ current cell

BOOL CGXGridCore::GetCurrentCell(ROWCOL& row, ROWCOL& col) {
  row = m_nCurrentRow;
  col = m_nCurrentCol;
  if (m_bCurrentCell && (row > GetRowCount() || col > GetColCount())) {
    m_bCurrentCell = FALSE;
    m_pCurrentCellControl = nullptr;
  }
  return m_bCurrentCell;
}

void CGXGridCore::SetCurrentCellForStyles(ROWCOL row, ROWCOL col) {
  m_bCurrentCell = TRUE;
  m_nCurrentRow = row;
  m_nCurrentCol = col;
  ForgetCurrentCellStyle();
}

void CGXGridCore::ForgetCurrentCellStyle() {
  if (m_pCurrentCellStyle != nullptr) m_pCurrentCellStyle->Free();
}

// --------------------------------------------------------------- read-only

BOOL CGXGridCore::IsReadOnly() { return m_pParam != nullptr && m_pParam->m_bReadOnly; }

BOOL CGXGridCore::StoreReadOnly(BOOL readOnly) {
  if (m_pParam == nullptr) return FALSE;
  m_pParam->m_bReadOnly = readOnly;
  return TRUE;
}

BOOL CGXGridCore::SetReadOnly(BOOL readOnly) {
  const BOOL old = IsReadOnly();
  if (!StoreReadOnly(readOnly)) return FALSE;
  UpdateReadOnly(old, TRUE);
  return TRUE;
}

void CGXGridCore::UpdateReadOnly(BOOL oldState, BOOL sendHint) {
  // The current cell's control picks the state up when it is next set up;
  // other views of a document are told.
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateReadOnly(this, oldState);
}

void CGXGridCore::UpdateTabName(BOOL sendHint) {
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateTabName(this);
}

BOOL CGXGridCore::Guarded() { return m_pParam != nullptr && m_pParam->m_bReadOnlyGuard && IsReadOnly(); }

// ----------------------------------------------------------- composition

BOOL CGXGridCore::FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind) {
  CGXData* data = m_pParam ? m_pParam->GetData() : nullptr;
  return data != nullptr && data->GetStyleRowCol(row, col, style, mode, storeKind);
}

namespace {

CString ColumnLetters(ROWCOL col) {
  CString reversed;
  ROWCOL n = col;
  do {
    n -= 1;
    reversed += static_cast<char>('A' + n % 26);
    n /= 26;
  } while (n > 0);
  CString letters;
  for (int i = reversed.GetLength() - 1; i >= 0; --i) letters += reversed[i];
  return letters;
}

}  // namespace

void CGXGridCore::ComposeStyleRowCol(ROWCOL r, ROWCOL c, CGXStyle& s, BOOL withStandard) {
  FetchCellStyle(r, c, s, 2, kStoreCell);
  if (m_bValueOnly && s.GetIncludeValue()) return;
  const ROWCOL hr = GetHeaderRows(), hc = GetHeaderCols();
  if (c > hc) FetchCellStyle(r, 0, s, 1, kStoreBase);
  if (r > hr) {
    FetchCellStyle(0, c, s, 1, kStoreBase);
    if (c > hc) FetchCellStyle(0, 0, s, 1, kStoreBase);
  }
  CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
  if (map != nullptr) s.LoadBaseStyle(*map);
  if (r <= hr && m_pColHeaderStyle != nullptr) s.ChangeStyle(*m_pColHeaderStyle, 1);
  if (c <= hc && m_pRowHeaderStyle != nullptr) s.ChangeStyle(*m_pRowHeaderStyle, 1);
  if (!s.GetIncludeValue() && m_pParam != nullptr) {
    if (r == 0 && c > 0 && m_pParam->m_bNumberedColHeaders) {
      s.SetValue(ColumnLetters(c));
    } else if (c == 0 && r > 0 && m_pParam->m_bNumberedRowHeaders) {
      s.SetValueNumber(r);
    }
  }
  if (withStandard) s.ChangeStyle(GetStandardStyle(), 1);
  if (m_pParam != nullptr && m_pParam->m_bDeferredCut && m_pParam->m_bCutPending &&
      m_pParam->m_PendingRanges.FindRangeWithCell(r, c) != nullptr) {
    CGXStyleInterior grey;
    grey.SetPattern(17).SetColor(RGB(192, 192, 192));
    s.SetInterior(grey);
  }
  // The current cell's active editor shows the text as typed, in its own
  // colour.
  if (m_bCurrentCell && r == m_nCurrentRow && c == m_nCurrentCol && s.GetIncludeControl()) {
    CGXControl* control = FindRegisteredControl(s.GetControl());
    if (control != nullptr && control->IsActive()) return;
  }
  if (s.GetIncludeValue() && s.HasUserAttribute(52797) && std::atof(s.GetValue()) < 0)
    s.SetTextColor(static_cast<COLORREF>(s.GetUserAttribute(52797).GetLongValue()));
}

CString CGXGridCore::GetCellValue(ROWCOL row, ROWCOL col) {
  if (m_pStyleB == nullptr) m_pStyleB = CreateScratchStyle();
  // Emptied whole: an attribute left from the last cell (a base-style id,
  // say) would lend that cell's value to this one.
  m_pStyleB->Free();
  m_bValueOnly = TRUE;
  try {
    ComposeStyleRowCol(row, col, *m_pStyleB, TRUE);
  } catch (...) {
    m_bValueOnly = FALSE;
    throw;
  }
  m_bValueOnly = FALSE;
  return m_pStyleB->GetValue();
}

CString CGXGridCore::GetStoredCellValue(ROWCOL row, ROWCOL col) {
  if (m_pStyleA == nullptr) m_pStyleA = CreateScratchStyle();
  m_pStyleA->Free();
  FetchCellStyle(row, col, *m_pStyleA, 0, m_nDefaultStoreKind);
  return m_pStyleA->GetValue();
}

// ---------------------------------------------------------------- storing

BOOL CGXGridCore::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind) {
  BOOL result = FALSE;
  if (!Guarded()) {
    if (CGXData* data = m_pParam ? m_pParam->GetData() : nullptr) {
      result = data->StoreStyleRowCol(row, col, style, mode, storeKind);
      // A range store marks its whole range once.
      if (!m_bInRangeStore) MarkRangeRecalc(CGXRange(row, col));
    }
  }
  if (m_bCurrentCell && row == m_nCurrentRow && col == m_nCurrentCol) ForgetCurrentCellStyle();
  m_bKeepCurrentCellStyle = FALSE;
  return result;
}

// A cell style goes through the cell's control, so that an editor active on
// the current cell takes the new value; base styles are stored directly.
BOOL CGXGridCore::StoreCellThroughControl(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                          bool mayUseComposedInHand) {
  if (storeKind < 0) return StoreStyleRowCol(row, col, style, mode, storeKind);
  const CGXStyle* composed = mayUseComposedInHand ? m_pComposedInHand : nullptr;
  CGXStyle* scratch = nullptr;
  if (composed == nullptr) {
    scratch = CreateScratchStyle();
    ComposeStyleRowCol(row, col, *scratch, TRUE);
    composed = scratch;
  }
  const WORD id = style != nullptr && style->GetIncludeControl() ? style->GetControl() : composed->GetControl();
  CGXControl* control = GetRegisteredControl(id);
  BOOL stored = FALSE;
  try {
    stored = control != nullptr ? control->StoreStyleRowCol(row, col, style, mode, storeKind, composed) != nullptr
                                : StoreStyleRowCol(row, col, style, mode, storeKind);
  } catch (...) {
    if (scratch != nullptr) RecycleScratchStyle(scratch);
    throw;
  }
  if (scratch != nullptr) RecycleScratchStyle(scratch);
  return stored;
}

CGXControl* CGXGridCore::FindRegisteredControl(WORD id) const {
  auto it = controls_.find(id);
  return it != controls_.end() ? it->second : nullptr;
}

BOOL CGXGridCore::SetValueRange(const CGXRange& range, LPCTSTR text, int mode, UINT redrawFlags) {
  CGXStyle* scratch = CreateScratchStyle();
  scratch->SetValue(text);
  const BOOL result = ApplyStyleToRange(range, scratch, mode, 0, nullptr, redrawFlags, kRecordUndo);
  RecycleScratchStyle(scratch);
  return result;
}

BOOL CGXGridCore::SetValueRangeFromString(const CGXRange& range, LPCTSTR text, int mode, UINT redrawFlags) {
  CGXStyle* scratch = CreateScratchStyle();
  scratch->SetValue(text);
  const BOOL result = ApplyStyleToRange(range, scratch, mode, m_nDefaultStoreKind, nullptr, redrawFlags, kRecordUndo);
  RecycleScratchStyle(scratch);
  return result;
}

BOOL CGXGridCore::SetControlTextRowCol(ROWCOL row, ROWCOL col, const CString& text, UINT flags,
                                       const CGXStyle* style) {
  CGXStyle* composed = nullptr;
  if (style == nullptr) {
    composed = CreateScratchStyle();
    ComposeStyleRowCol(row, col, *composed, TRUE);
    style = composed;
  }
  CGXControl* control = GetRegisteredControl(style->GetControl());
  const BOOL result = control != nullptr && control->SetControlText(row, col, text, flags, style);
  if (composed != nullptr) RecycleScratchStyle(composed);
  return result;
}

BOOL CGXGridCore::AskTooLargeForUndo() { return AfxMessageBox(GXGetString(20082), MB_OKCANCEL) != IDCANCEL; }

CObArray* CGXGridCore::CollectRangeStyles(const CGXRange& range, int storeKind, CGXLongOperation* scope) {
  const DWORD width = range.right - range.left + 1, height = range.bottom - range.top + 1;
  const DWORD count = width * height;
  auto* styles = new CObArray;
  try {
    styles->SetSize(static_cast<int>(count));
    for (ROWCOL r = range.top; r <= range.bottom; ++r) {
      for (ROWCOL c = range.left; c <= range.right; ++c) {
        const DWORD index = (r - range.top) * width + (c - range.left);
        CGXStyle* s = CreateScratchStyle();
        if (FetchCellStyle(r, c, *s, 2, storeKind)) {
          styles->SetAt(static_cast<int>(index), s);
        } else {
          RecycleScratchStyle(s);
        }
        if (scope != nullptr && scope->CheckElapsed()) {
          scope->SetProgress(index, count);
          BOOL aborted = FALSE;
          scope->PollAbort(aborted);
          if (aborted) AfxThrowUserException();
        }
        if (c == range.right) break;  // the last column may be the largest number
      }
      if (r == range.bottom) break;
    }
  } catch (...) {
    GXDeletePtrArrayObjects(*styles);
    delete styles;
    throw;
  }
  return styles;
}

namespace {

void DeleteStyles(CObArray*& styles) {
  if (styles == nullptr) return;
  GXDeletePtrArrayObjects(*styles);
  delete styles;
  styles = nullptr;
}

}  // namespace

BOOL CGXGridCore::ApplyStyleToRange(const CGXRange& range, const CGXStyle* style, int mode, int storeKind,
                                    CObArray* styles, UINT redrawFlags, int commandMode) {
  // A read-only grid refuses before it asks anything or records a command.
  if (m_pParam == nullptr || Guarded()) return FALSE;
  int kind = storeKind;
  if (!range.IsCells() && kind == kStoreCell) kind = kStoreBase;
  const int undoKind = kind == kStoreCell ? m_nDefaultStoreKind : kind;
  const DWORD width = range.right - range.left + 1, height = range.bottom - range.top + 1;
  const DWORD count = width * height;

  CGXLongOperation scope;
  scope.SetStatusText(m_pAppData->m_texts[3]);
  CGXLongOperationImp* longOp = m_pAppData->m_pLongOperationImp;
  if (longOp != nullptr) longOp->rollbackPossible = commandMode == kRecordUndo;

  CObArray* undo = nullptr;
  if (m_pCommandFactory != nullptr && commandMode != kNoUndo && m_pParam->m_bUndoEnabled) {
    if (count >= 0x7FFFFFFFu || width > 0x7FFF || height > 0x7FFF) {
      if (!AskTooLargeForUndo()) return FALSE;
    } else {
      try {
        undo = CollectRangeStyles(range, undoKind, m_nMouseAction == 0 ? &scope : nullptr);
      } catch (CMemoryException* e) {
        e->Delete();
        if (!AskTooLargeForUndo()) return FALSE;
      } catch (CUserException* e) {
        e->Delete();
        return FALSE;
      }
    }
  }
  if (commandMode != kRecordUndo) {
    scope.SetStatusText(m_pAppData->m_texts[commandMode == kAsRedo ? 0 : 1]);
    if (longOp != nullptr) longOp->rollbackPossible = FALSE;
  } else if (longOp != nullptr) {
    longOp->rollbackPossible = undo != nullptr;
  }

  // Cached styles of the range are stale from here on; formulas that read
  // the range are recalculated.
  FreeObjectCache();
  if (!m_bInRangeStore) MarkRangeRecalc(range);
  // Flags and the data object's undo recording come back on every exit.
  const BOOL oldInRangeStore = m_bInRangeStore;
  m_bInRangeStore = TRUE;
  const BOOL oldDataUndo = EnableDataUndo(m_pParam->m_bUndoEnabled && commandMode != kNoUndo);
  struct Restore {
    CGXGridCore* grid;
    BOOL inRange, dataUndo;
    CObArray** undo;
    ~Restore() {
      grid->EnableDataUndo(dataUndo);
      grid->m_bInRangeStore = inRange;
      DeleteStyles(*undo);
    }
  } restore{this, oldInRangeStore, oldDataUndo, &undo};

  if (styles != nullptr && static_cast<DWORD>(styles->GetSize()) > count &&
      styles->GetAt(static_cast<int>(count)) != nullptr) {
    if (ApplyDataUndoInfo(styles->GetAt(static_cast<int>(count)), commandMode != kNoUndo, FALSE))
      RecalcAndRedraw(TRUE, nullptr, TRUE);
  }

  ROWCOL curRow = static_cast<ROWCOL>(-2), curCol = static_cast<ROWCOL>(-2);
  if (!GetCurrentCell(curRow, curCol)) curRow = curCol = static_cast<ROWCOL>(-2);

  BOOL changed = FALSE;
  bool aborted = false;
  CGXRange done;
  ROWCOL r = range.top, c = range.left;
  try {
    for (r = range.top;; ++r) {
      for (c = range.left;; ++c) {
        const DWORD index = (r - range.top) * width + (c - range.left);
        if (styles != nullptr) {
          if (index >= static_cast<DWORD>(styles->GetSize())) break;
          const auto* cellStyle = static_cast<const CGXStyle*>(styles->GetAt(static_cast<int>(index)));
          changed |= StoreCellThroughControl(r, c, cellStyle, cellStyle ? mode : kRemoveStyle, kind, false);
        } else {
          changed |= StoreCellThroughControl(r, c, style, mode, kind, true);
        }
        const bool touchesCurrent = kind >= 0 ? (r == curRow && c == curCol)
                                              : ((r == 0 && c == 0) || r == curRow || c == curCol);
        if (touchesCurrent) ForgetCurrentCellStyle();
        if (m_nMouseAction == 0 && scope.CheckElapsed()) {
          if (scope.IsInnermost() && longOp != nullptr)
            longOp->percentDone = static_cast<int>(std::min<unsigned long long>(100, index * 100ull / std::max<DWORD>(count, 1)));
          BOOL userAborted = FALSE;
          scope.PollAbort(userAborted);
          if (userAborted) {
            if (r == range.top) {
              done.SetCells(r, range.left, r, c);
            } else {
              done.SetCells(range.top, range.left, r, range.right);
            }
            AfxThrowUserException();
          }
        }
        if (c == range.right) break;
      }
      if (r == range.bottom) break;
    }
  } catch (CUserException* e) {
    e->Delete();
    aborted = true;
  }

  if (aborted) {
    if (undo != nullptr && longOp != nullptr && longOp->rollbackRequested) {
      if (CObject* info = GetDataUndoInfo()) {
        if (ApplyDataUndoInfo(info, FALSE, FALSE)) RecalcAndRedraw(TRUE, nullptr, TRUE);
        delete info;
      }
      ApplyStyleToRange(done, nullptr, 2, undoKind, undo, redrawFlags, kNoUndo);
    } else if (undo != nullptr) {
      UpdateStyleRange(range, style, mode, kind, redrawFlags, TRUE);
      if (CObject* info = GetDataUndoInfo()) undo->SetAtGrow(static_cast<int>(count), info);
      AddCommand(m_pCommandFactory->CreateSetStyleRangeCommand(range, undoKind, undo), commandMode);
      undo = nullptr;
    } else {
      UpdateStyleRange(done, style, mode, kind, redrawFlags, TRUE);
    }
    return FALSE;
  }

  if (changed) {
    EnableDataUndo(oldDataUndo);
    DelayFloatCells(range);
    DelayMergeCells(range);
    UpdateStyleRange(range, style, mode, kind, redrawFlags, TRUE);
    SetModifiedFlag(TRUE);
    if (undo != nullptr) {
      if (CObject* info = GetDataUndoInfo()) undo->SetAtGrow(static_cast<int>(count), info);
      AddCommand(m_pCommandFactory->CreateSetStyleRangeCommand(range, undoKind, undo), commandMode);
      undo = nullptr;  // the command owns the array now
    }
    if (commandMode == kAsUndo || commandMode == kAsRedo) ShowUndoneCell(range.top, range.left, TRUE);
  } else if (undo != nullptr) {
    DiscardDataUndoInfo();
  }
  return changed;
}

void CGXGridCore::UpdateStyleRange(const CGXRange& range, const CGXStyle* style, int mode, int storeKind,
                                   UINT redrawFlags, BOOL sendHint) {
  // Spanned cells need their feature; without it the range stands as it is.
  if (redrawFlags != 0) Redraw(redrawFlags, FALSE);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateStyleRange(this, range, style, mode, storeKind, redrawFlags);
}

void CGXGridCore::Redraw(UINT redrawFlags, BOOL sendHint) {
  // Another view may be shown while this one is hidden: tell it first.
  if (auto* hints = HintSender(sendHint)) hints->HintRedraw(this, redrawFlags);
  ResetLastVisible();
  if (redrawFlags == 0 || m_pParam == nullptr || m_pParam->m_bLockRedraw) return;
  if (m_nTopRow > GetRowCount()) SetTopRow(GetRowCount(), 0, FALSE);
  if (m_nLeftCol > GetColCount()) SetLeftCol(GetColCount(), 0, FALSE);
  FreeObjectCache();
  if (m_pGridWnd == nullptr || m_pGridWnd->m_hWnd == nullptr || !m_pGridWnd->IsWindowVisible()) return;
  CGXRange frozenPart(0, 0, GetBottomRow(), GetFrozenCols());
  TouchesSpannedCells(frozenPart, TRUE, FALSE, FALSE);
  m_pGridWnd->Invalidate(TRUE);
  UpdateScrollbars();
  if (redrawFlags & 2) m_pGridWnd->UpdateWindow();
}

BOOL CGXGridCore::RecalcAndRedraw(BOOL recalc, CString* errorText, BOOL) {
  CGXData* data = m_pParam ? m_pParam->GetData() : nullptr;
  if (data == nullptr || GetRowCount() == 0 || GetColCount() == 0) return FALSE;
  data->ClearPendingValueMark();
  IsCellRecalcPending(1, 1);
  if (data->HasPendingValueMark()) return FALSE;
  if (recalc) {
    ResetDataError();
    RunDataRecalc(FALSE);
  }
  const BOOL oldKeep = m_bKeepCurrentCellStyle;
  m_bKeepCurrentCellStyle = TRUE;
  if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr) m_pGridWnd->UpdateWindow();
  const BOOL oldPass = m_bRedrawAllPass;
  m_bRedrawAllPass = TRUE;
  Redraw(2, FALSE);
  m_bRedrawAllPass = oldPass;
  m_bKeepCurrentCellStyle = oldKeep;
  // No grid of this system belongs to a document: no hint goes out.
  BOOL result = TRUE;
  CString error;
  if (recalc && GetDataErrorText(error)) {
    if (errorText != nullptr) {
      *errorText = error;
    } else {
      AfxMessageBox(error, MB_OK);
    }
    ResetDataError();
    result = FALSE;
  }
  // The rows the redraw-all pass drew are up to date now.
  CGXRangeList& drawn = m_pParam->m_RecalcRanges;
  for (POSITION pos = drawn.GetHeadPosition(); pos != nullptr;) {
    const CGXRange* range = drawn.GetNext(pos);
    MarkCellRecalc(range->top, range->left, FALSE);
  }
  drawn.DeleteAll();
  return result;
}

BOOL CGXGridCore::SetLockRedraw(BOOL lock) {
  if (m_pParam == nullptr) return FALSE;
  const BOOL old = m_pParam->m_bLockRedraw;
  m_pParam->m_bLockRedraw = lock;
  return old;
}

CRect CGXGridCore::GetGridRect() {
  CRect r(0, 0, 0, 0);
  if (m_bPrinting)
    r = m_rectPrint;
  else if (m_bExplicitGridRect)
    r = m_rectGrid;
  else if (m_pGridWnd != nullptr && m_pGridWnd->m_hWnd != nullptr)
    m_pGridWnd->GetClientRect(&r);
  if (r.right < r.left || r.bottom < r.top) r.SetRectEmpty();
  return r;
}

// --------------------------------------------- styles map, properties, bases

namespace {

bool Records(CGXGridCore& grid, int commandMode) {
  return grid.m_pCommandFactory != nullptr && commandMode != CGXGridCore::kNoUndo &&
         grid.GetParam()->m_bUndoEnabled;
}

}  // namespace

BOOL CGXGridCore::ChangeStylesMap(const CGXStylesMap& map, UINT redrawFlags, int commandMode) {
  if (m_pParam == nullptr || Guarded() || m_pParam->GetStylesMap() == nullptr) return FALSE;
  if (Records(*this, commandMode))
    AddCommand(m_pCommandFactory->CreateChangeStylesMapCommand(*m_pParam->GetStylesMap()), commandMode);
  *m_pParam->GetStylesMap() = map;
  SetModifiedFlag(TRUE);
  DelayFloatCells(CGXRange().SetTable());
  UpdateStylesMap(redrawFlags, TRUE);
  return TRUE;
}

void CGXGridCore::UpdateStylesMap(UINT redrawFlags, BOOL sendHint) {
  RefreshBaseStyles();
  Redraw(redrawFlags, FALSE);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateStylesMap(this, redrawFlags);
}

BOOL CGXGridCore::ChangeProperties(const CGXProperties& properties, UINT redrawFlags, int commandMode) {
  if (m_pParam == nullptr || Guarded() || m_pParam->GetProperties() == nullptr) return FALSE;
  if (Records(*this, commandMode))
    AddCommand(m_pCommandFactory->CreateChangePropertiesCommand(*m_pParam->GetProperties()), commandMode);
  *m_pParam->GetProperties() = properties;
  SetModifiedFlag(TRUE);
  UpdateProperties(redrawFlags, TRUE);
  return TRUE;
}

void CGXGridCore::UpdateProperties(UINT redrawFlags, BOOL sendHint) {
  Redraw(redrawFlags, FALSE);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateProperties(this, redrawFlags);
}

BOOL CGXGridCore::ChangeBaseStyle(WORD id, const CGXStyle& style, int mode, UINT redrawFlags, int commandMode) {
  if (m_pParam == nullptr || Guarded()) return FALSE;
  CGXStylesMap* map = m_pParam->GetStylesMap();
  CGXStyle* base = nullptr;
  if (map == nullptr || !map->LookupStyle(id, base) || base == nullptr) return FALSE;
  if (m_bInitDone && Records(*this, commandMode)) {
    UINT resourceId = 0;
    LPCTSTR name = map->GetStyleEntry(id, resourceId);
    AddCommand(m_pCommandFactory->CreateChangeBaseStyleCommand(id, *base, name), commandMode);
  }
  base->ChangeStyle(style, mode);
  SetModifiedFlag(TRUE);
  DelayFloatCells(CGXRange().SetTable());
  UpdateBaseStyle(id, redrawFlags, TRUE);
  return TRUE;
}

void CGXGridCore::UpdateBaseStyle(WORD id, UINT redrawFlags, BOOL sendHint) {
  if (!m_bInitDone) return;
  RefreshBaseStyles();
  Redraw(redrawFlags, FALSE);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateBaseStyle(this, id, redrawFlags);
}

BOOL CGXGridCore::ChangeStandardStyle(const CGXStyle& style, int mode, UINT redrawFlags, int commandMode) {
  CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
  return map != nullptr && ChangeBaseStyle(map->m_wStyleStandard, style, mode, redrawFlags, commandMode);
}

BOOL CGXGridCore::ChangeColHeaderStyle(const CGXStyle& style, int mode, UINT redrawFlags, int commandMode) {
  CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
  return map != nullptr && ChangeBaseStyle(map->m_wStyleColHeader, style, mode, redrawFlags, commandMode);
}

void CGXGridCore::DrawGridLine(CDC* dc, int x, int y, int width, int height, int type, ROWCOL, UINT flags) {
  const CRect r(x, y, x + width, y + height);
  CGXProperties* props = m_pParam ? m_pParam->GetProperties() : nullptr;
  const BOOL blackWhite = PrintsBlackWhite();
  auto colour = [props, blackWhite](int index) {
    return props != nullptr && !blackWhite ? props->GetColor(index) : RGB(0, 0, 0);
  };
  // The first of the flags 8, 2, 1, 4 that is set decides.
  if ((flags & 8) || ((flags & 4) && !(flags & (2 | 1)))) {
    dc->InvertRect(&r);
    return;
  }
  if (flags & 2) {
    GXFillRect(dc, x, y, width, height, colour(0));
    CPen pen(PS_DOT, 1, colour(3));
    CPen* old = dc->SelectObject(&pen);
    const int oldMode = dc->SetBkMode(OPAQUE);
    dc->MoveTo(x, y);
    if (type == 1) {
      dc->LineTo(x, y + height);
    } else {
      dc->LineTo(x + width, y);
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(old);
    return;
  }
  GXFillRect(dc, x, y, width, height, colour((flags & 1) ? 2 : 0));
}

void CGXGridCore::OnCanceledEditing(ROWCOL, ROWCOL) {}
void CGXGridCore::OnMovedCurrentCell(ROWCOL, ROWCOL) {}
void CGXGridCore::OnCellButtonClicked(ROWCOL, ROWCOL) {}
void CGXGridCore::OnBeforeReach(ROWCOL, ROWCOL) {}
void CGXGridCore::OnPrepareDC(CDC*) {}
