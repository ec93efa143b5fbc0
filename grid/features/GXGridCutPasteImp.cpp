#include "grid/features/GXGridCutPasteImp.h"

#include <algorithm>
#include <cstring>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXFeatureTexts.h"
#include "grid/features/GXGridTextDataExchangeImp.h"
#include "platform/base/CArchive.h"
#include "platform/base/CFile.h"
#include "platform/base/Exceptions.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Clipboard.h"

namespace {

HWND GridWindow(CGXGridCore* grid) { return grid->m_pGridWnd != nullptr ? grid->m_pGridWnd->m_hWnd : nullptr; }

// Another window holds the clipboard open.
bool ClipboardBusy(CGXGridCore* grid) {
  const HWND opener = ::GetOpenClipboardWindow();
  return opener != nullptr && opener != GridWindow(grid);
}

// Empties the clipboard for the grid; FALSE when that failed.
BOOL EmptyForGrid(CGXGridCore* grid) {
  if (!::OpenClipboard(GridWindow(grid))) return FALSE;
  const BOOL emptied = ::EmptyClipboard();
  ::CloseClipboard();
  return emptied && !ClipboardBusy(grid);
}

// Puts a block on the clipboard under a format; the clipboard takes it.
BOOL PutOnClipboard(CGXGridCore* grid, UINT format, HGLOBAL block) {
  if (block == nullptr) return FALSE;
  if (!::OpenClipboard(GridWindow(grid))) {
    ::GlobalFree(block);
    return FALSE;
  }
  const BOOL set = ::SetClipboardData(format, block) != nullptr;
  ::CloseClipboard();
  return set;
}

CGXControl* CurrentControl(CGXGridCore* grid) {
  ROWCOL row = 0, col = 0;
  return grid->GetCurrentCell(row, col) ? grid->GetCurrentCellControl() : nullptr;
}

}  // namespace

BOOL CGXGridCutPasteImp::PrepareRanges(CGXGridCore* grid, CGXRangeList& ranges) {
  ranges.DeleteAll();
  if (!grid->GetSelectedRanges(ranges, TRUE) || ranges.IsEmpty()) return FALSE;
  for (POSITION pos = ranges.GetHeadPosition(); pos != nullptr;) {
    ranges.GetNext(pos)->ExpandToCells(GXFirstClipboardRow(grid), GXFirstClipboardCol(grid), grid->GetRowCount(),
                                       grid->GetColCount());
  }
  return TRUE;
}

// ------------------------------------------------------------------ copy

BOOL CGXGridCutPasteImp::CanCopy(CGXGridCore* grid) {
  if (ClipboardBusy(grid)) return FALSE;
  CGXGridParam* param = grid->GetParam();
  if (param != nullptr && !param->m_SelRects.IsEmpty()) return TRUE;
  CGXControl* control = CurrentControl(grid);
  return control != nullptr && control->CanCopy();
}

BOOL CGXGridCutPasteImp::Copy(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || !EmptyForGrid(grid)) return FALSE;
  // A copy in between forgets a pending cut.
  if (param->m_bCutPending) {
    param->m_bCutPending = FALSE;
    grid->Redraw(2, TRUE);
  }
  CGXControl* control = CurrentControl(grid);
  if (control != nullptr && (param->m_SelRects.IsEmpty() || control->IsActive()) && control->Copy()) return TRUE;
  CGXLongOperation scope;
  CGXRangeList ranges;
  if (!PrepareRanges(grid, ranges)) return FALSE;
  return CopyRangeList(grid, ranges, FALSE);
}

BOOL CGXGridCutPasteImp::CopyRangeList(CGXGridCore* grid, CGXRangeList& ranges, BOOL textOnly) {
  CGXLongOperation scope;
  BOOL result = FALSE;
  if (grid->m_nClipboardFlags & GX_CB_TEXT) result |= CopyTextToClipboard(grid, ranges);
  if (!textOnly && (grid->m_nClipboardFlags & GX_CB_STYLES))
    result |= CopyStylesToClipboard(grid, ranges, (grid->m_nClipboardFlags & GX_CB_COMPOSED) != 0);
  return result;
}

BOOL CGXGridCutPasteImp::CopyTextToClipboard(CGXGridCore* grid, CGXRangeList& ranges) {
  CString text;
  if (!grid->CopyTextToBuffer(text, ranges)) return FALSE;
  CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT);
  file.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()) + 1);
  return PutOnClipboard(grid, CF_TEXT, file.Detach());
}

BOOL CGXGridCutPasteImp::CopyStylesToClipboard(CGXGridCore* grid, CGXRangeList& ranges, UINT flags) {
  // Without the style archive the styles would arrive empty.
  if (GXGetAppData()->m_pStyleSerializeImp == nullptr) return FALSE;
  const DWORD oldFlags = grid->m_nClipboardFlags;
  grid->m_nClipboardFlags = flags ? (grid->m_nClipboardFlags | GX_CB_COMPOSED) : (grid->m_nClipboardFlags & ~GX_CB_COMPOSED);
  CSharedFile file;
  BOOL copied = FALSE;
  try {
    CArchive ar(&file, CArchive::store);
    copied = grid->CopyStylesToArchive(ar, ranges);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    copied = FALSE;
  }
  grid->m_nClipboardFlags = oldFlags;
  HGLOBAL block = file.Detach();
  // An unfinished block never reaches the clipboard: a paste would fail
  // half-way through it.
  if (!copied) {
    if (block != nullptr) ::GlobalFree(block);
    return FALSE;
  }
  return PutOnClipboard(grid, GXGetAppData()->m_uiStylesClipboardFormat, block);
}

// ------------------------------------------------------------------- cut

BOOL CGXGridCutPasteImp::CanCut(CGXGridCore* grid) {
  if (ClipboardBusy(grid) || grid->IsReadOnly()) return FALSE;
  CGXGridParam* param = grid->GetParam();
  if (param != nullptr && !param->m_SelRects.IsEmpty()) return TRUE;
  CGXControl* control = CurrentControl(grid);
  return control != nullptr && control->CanCut();
}

BOOL CGXGridCutPasteImp::Cut(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  EmptyForGrid(grid);
  CGXControl* control = CurrentControl(grid);
  if (control != nullptr && (param->m_SelRects.IsEmpty() || control->IsActive()) && control->Cut()) return TRUE;
  CGXRangeList ranges;
  if (!PrepareRanges(grid, ranges)) return FALSE;
  return CutRangeList(grid, ranges, (grid->m_nClipboardFlags & GX_CB_STYLES) != 0);
}

BOOL CGXGridCutPasteImp::CutRangeList(CGXGridCore* grid, CGXRangeList& ranges, BOOL clearStyles) {
  grid->BeginTrans(GXFeatureText(20150));
  if (CopyRangeList(grid, ranges, FALSE) && grid->ClearCells(ranges, clearStyles)) {
    grid->CommitTrans();
    return TRUE;
  }
  grid->Rollback();
  return FALSE;
}

// ----------------------------------------------------------------- paste

BOOL CGXGridCutPasteImp::CanPaste(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || (grid->IsReadOnly() && param->m_bReadOnlyGuard)) return FALSE;
  CGXControl* control = CurrentControl(grid);
  if (control != nullptr && control->CanPaste()) return TRUE;
  return IsPasteFormatAvailable(grid);
}

BOOL CGXGridCutPasteImp::IsPasteFormatAvailable(CGXGridCore*) {
  return ::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_OEMTEXT) ||
         ::IsClipboardFormatAvailable(GXGetAppData()->m_uiStylesClipboardFormat);
}

BOOL CGXGridCutPasteImp::Paste(CGXGridCore* grid) {
  if (!CanPaste(grid)) return FALSE;
  CGXRangeList ranges;
  if (!grid->GetSelectedRanges(ranges, TRUE) || ranges.IsEmpty()) return FALSE;
  CGXControl* control = CurrentControl(grid);
  if (control != nullptr && control->CanPaste() && control->Paste()) return TRUE;
  if (ranges.GetCount() > 1) {
    AfxMessageBox(GXFeatureText(20153), MB_OK);
    return FALSE;
  }
  CGXRange target = *ranges.GetHead();
  target.ExpandToCells(GXFirstClipboardRow(grid), GXFirstClipboardCol(grid), grid->GetRowCount(),
                       grid->GetColCount());
  if (!::OpenClipboard(GridWindow(grid))) return FALSE;
  BOOL result = FALSE;
  try {
    result = PasteClipboardText(grid, target);
  } catch (...) {
    ::CloseClipboard();
    throw;
  }
  ::CloseClipboard();
  return result;
}

BOOL CGXGridCutPasteImp::PasteClipboardText(CGXGridCore* grid, const CGXRange& range) {
  CGXRange at = range;
  at.top = std::max(at.top, GXFirstClipboardRow(grid));
  at.left = std::max(at.left, GXFirstClipboardCol(grid));
  const UINT stylesFormat = GXGetAppData()->m_uiStylesClipboardFormat;
  if ((grid->m_nClipboardFlags & GX_CB_STYLES) && ::IsClipboardFormatAvailable(stylesFormat)) {
    HGLOBAL block = ::GetClipboardData(stylesFormat);
    if (block == nullptr) return FALSE;
    CSharedFile file;
    file.SetHandle(block, FALSE);
    BOOL result = FALSE;
    try {
      CArchive ar(&file, CArchive::load);
      result = grid->PasteStylesFromArchive(ar, at);
      ar.Close();
    } catch (CException* e) {
      e->Delete();
      result = FALSE;
    }
    file.Detach();  // the block stays the clipboard's
    return result;
  }
  if (!(grid->m_nClipboardFlags & GX_CB_TEXT)) return FALSE;
  HGLOBAL block = ::GetClipboardData(CF_TEXT);
  if (block == nullptr) block = ::GetClipboardData(CF_OEMTEXT);
  if (block == nullptr) return FALSE;
  const auto* text = static_cast<LPCTSTR>(::GlobalLock(block));
  if (text == nullptr) return FALSE;
  const std::size_t size = ::GlobalSize(block);
  BOOL result = FALSE;
  if (auto* exchange = dynamic_cast<CGXGridTextDataExchangeImp*>(grid->m_pTextDataExchangeImp)) {
    result = exchange->PasteText(grid, text, size, at);
  } else {
    // The buffer is bounded by its block, not by a terminator it may lack.
    const CString bounded(text, static_cast<int>(strnlen(text, size)));
    result = grid->PasteTextFromBuffer(bounded, at);
  }
  ::GlobalUnlock(block);
  return result;
}

BOOL CGXGridCutPasteImp::PasteDirectCopy(CGXGridCore*, const CGXRange&) {
  // No grid of this system copies or moves cells directly.
  return TRUE;
}

BOOL CGXGridCutPasteImp::CutPasteOp13(CGXGridCore*) {
  return AfxMessageBox(GXFeatureText(20175), MB_OKCANCEL) == IDOK;
}

// ----------------------------------------------------------------- clear

BOOL CGXGridClearCellsImp::CanClear(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || grid->IsReadOnly()) return FALSE;
  if (!param->m_SelRects.IsEmpty()) return TRUE;
  ROWCOL row = 0, col = 0;
  return grid->GetCurrentCell(row, col);
}

BOOL CGXGridClearCellsImp::Clear(CGXGridCore* grid, BOOL clearStyles) {
  CGXRangeList ranges;
  if (!grid->GetSelectedRanges(ranges, TRUE) || ranges.IsEmpty()) return FALSE;
  return ClearCells(grid, ranges, clearStyles);
}

BOOL CGXGridClearCellsImp::ClearCells(CGXGridCore* grid, CGXRangeList& ranges, BOOL clearStyles) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  grid->BeginTrans(GXFeatureText(20180));
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20180));
  if (CGXLongOperationImp* longOp = GXGetAppData()->m_pLongOperationImp) longOp->rollbackPossible = TRUE;
  // Whole rows, columns and the table start below the headers.
  CGXRangeList cells;
  for (POSITION pos = ranges.GetHeadPosition(); pos != nullptr;) {
    CGXRange range = *ranges.GetNext(pos);
    range.ExpandToCells(grid->GetHeaderRows() + 1, grid->GetHeaderCols() + 1, grid->GetRowCount(),
                        grid->GetColCount());
    cells.AddTail(new CGXRange(range));
  }
  CDWordArray rowStarts, rowEnds, colStarts, colEnds;
  cells.GetRowIntervals(grid->GetRowCount(), rowStarts, rowEnds, FALSE);
  cells.GetColIntervals(grid->GetColCount(), colStarts, colEnds, FALSE);
  bool stopped = false, aborted = false;
  for (int rb = 0; rb < rowStarts.GetSize() && !stopped; ++rb) {
    for (int cb = 0; cb < colStarts.GetSize() && !stopped; ++cb) {
      const CGXRange block(rowStarts[rb], colStarts[cb], rowEnds[rb], colEnds[cb]);
      if (clearStyles) {
        // FALSE here also means there was nothing to remove.
        grid->ApplyStyleToRange(block, nullptr, CGXGridCore::kRemoveStyle, 0, nullptr, 2, 0);
        continue;
      }
      for (ROWCOL row = block.top; !stopped; ++row) {
        for (ROWCOL col = block.left; !stopped; ++col) {
          CGXStyle* style = grid->CreateScratchStyle();
          grid->ComposeStyleRowCol(row, col, *style);
          CString text;
          CGXControl* control = grid->GetRegisteredControl(style->GetControl());
          const BOOL hasText = control != nullptr ? control->GetControlText(text, row, col, nullptr, *style) &&
                                                        !text.IsEmpty()
                                                  : !style->GetValue().IsEmpty();
          // Cells that show no text record no command.
          if (hasText) {
            const BOOL stored = control != nullptr ? control->SetControlText(row, col, "", 1, style)
                                                   : grid->SetValueRange(CGXRange(row, col), "", 0, 1);
            if (!stored) stopped = true;
          }
          grid->RecycleScratchStyle(style);
          if (scope.CheckElapsed()) {
            BOOL abort = FALSE;
            scope.PollAbort(abort);
            if (abort) stopped = aborted = true;
          }
          if (col == block.right) break;
        }
        if (row == block.bottom) break;
      }
    }
  }
  if (stopped) {
    CGXLongOperationImp* longOp = GXGetAppData()->m_pLongOperationImp;
    if (aborted && longOp != nullptr && longOp->rollbackRequested) {
      grid->Rollback();
    } else {
      grid->CommitTrans();
    }
    return FALSE;
  }
  grid->CommitTrans();
  grid->RecalcAndRedraw(TRUE, nullptr, TRUE);
  return TRUE;
}
