#include "grid/features/GXGridStyleDataExchangeImp.h"

#include <memory>

#include "grid/core/GXGridCore.h"
#include "grid/core/GXIndexMaps.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXClipboardOptions.h"
#include "grid/features/GXFeatureTexts.h"
#include "platform/base/Exceptions.h"
#include "platform/dialogs/MessageBox.h"

namespace {

// Points the archive's document at the grid's styles map for the styles'
// base-style names, and back afterwards.
class StylesMapOnArchive {
 public:
  StylesMapOnArchive(CArchive& ar, CGXGridCore* grid) : ar_(ar), old_(ar.m_pDocument) {
    if (grid->GetParam() != nullptr)
      ar.m_pDocument = reinterpret_cast<CDocument*>(static_cast<CObject*>(grid->GetParam()->GetStylesMap()));
  }
  ~StylesMapOnArchive() { ar_.m_pDocument = old_; }
  StylesMapOnArchive(const StylesMapOnArchive&) = delete;
  StylesMapOnArchive& operator=(const StylesMapOnArchive&) = delete;

 private:
  CArchive& ar_;
  CDocument* old_;
};

void DeleteArray(CObArray* array) {
  if (array == nullptr) return;
  GXDeletePtrArrayObjects(*array);
  delete array;
}

}  // namespace

BOOL CGXGridStyleDataExchangeImp::GetCopyStyleRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXStyle& style) {
  if (grid->m_nClipboardFlags & GX_CB_COMPOSED) {
    grid->ComposeStyleRowCol(row, col, style);
    return TRUE;
  }
  return grid->FetchCellStyle(row, col, style, 2, (grid->m_nClipboardFlags & GX_CB_STYLETYPE) ? grid->m_nCopyStyleType : 0);
}

BOOL CGXGridStyleDataExchangeImp::CopyStylesToArchive(CGXGridCore* grid, CArchive& ar, const CGXRangeList& ranges) {
  GXBands bands;
  if (!GXSplitBands(grid, ranges, bands)) return FALSE;
  StylesMapOnArchive map(ar, grid);
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20148));
  const ROWCOL rows = bands.Rows(), cols = bands.Cols();
  ar << static_cast<DWORD>(rows) << static_cast<DWORD>(cols);
  const unsigned long long cells = static_cast<unsigned long long>(rows) * cols;
  if (cells > 0x3FFFFFFEull || rows > 32767 || cols > 32767) {
    AfxMessageBox(GXFeatureText(20149));
    return FALSE;
  }
  std::unique_ptr<CObArray, void (*)(CObArray*)> array(new CObArray, DeleteArray);
  BOOL aborted = FALSE;
  try {
    array->SetSize(static_cast<int>(cells));
    DWORD index = 0;
    for (int rb = 0; rb < bands.rowStarts.GetSize() && !aborted; ++rb) {
      for (ROWCOL row = bands.rowStarts[rb]; !aborted; ++row) {
        for (int cb = 0; cb < bands.colStarts.GetSize() && !aborted; ++cb) {
          for (ROWCOL col = bands.colStarts[cb]; !aborted; ++col) {
            CGXStyle* style = grid->CreateScratchStyle();
            if (GetCopyStyleRowCol(grid, row, col, *style)) {
              array->SetAt(static_cast<int>(index), style);
            } else {
              grid->RecycleScratchStyle(style);
            }
            ++index;
            if (scope.CheckElapsed()) {
              scope.SetProgress(index, static_cast<DWORD>(cells));
              scope.PollAbort(aborted);
            }
            if (col == bands.colEnds[cb]) break;
          }
        }
        if (row == bands.rowEnds[rb]) break;
      }
    }
    BOOL lastAbort = FALSE;
    scope.PollAbort(lastAbort);
    aborted = aborted || lastAbort;
    if (!aborted) ar.WriteObject(array.get());
  } catch (CMemoryException* e) {
    e->Delete();
    AfxMessageBox(GXFeatureText(20149));
    aborted = TRUE;
  }
  grid->m_nCopiedRows = rows;
  grid->m_nCopiedCols = cols;
  return !aborted;
}

BOOL CGXGridStyleDataExchangeImp::PasteStylesFromArchive(CGXGridCore* grid, CArchive& ar, const CGXRange& at) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  StylesMapOnArchive map(ar, grid);
  DWORD rows = 0, cols = 0;
  try {
    ar >> rows >> cols;
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  if (rows == 0 || cols == 0 || static_cast<unsigned long long>(rows) * cols > 0x3FFFFFFEull) return FALSE;
  CGXRange target(at.top, at.left, at.top + rows - 1, at.left + cols - 1);
  if ((grid->m_nClipboardFlags & GX_CB_ASKSIZE) && (target.bottom != at.bottom || target.right != at.right) &&
      !grid->CutPasteOp13())
    return FALSE;

  grid->BeginTrans(GXFeatureText(20154));
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20152));
  if (CGXLongOperationImp* longOp = GXGetAppData()->m_pLongOperationImp) longOp->rollbackPossible = TRUE;
  grid->TransferCurrentCell(TRUE, 2, TRUE);

  BOOL ok = FALSE;
  CObArray* array = nullptr;
  try {
    array = dynamic_cast<CObArray*>(ar.ReadObject(RUNTIME_CLASS(CObArray)));
    ok = array != nullptr && static_cast<unsigned long long>(array->GetSize()) == static_cast<unsigned long long>(rows) * cols;
  } catch (CException* e) {
    // A damaged block: nothing of it is pasted.
    e->Delete();
    ok = FALSE;
  }
  if (ok) {
    for (int i = 0; i < array->GetSize(); ++i) {
      if (array->GetAt(i) != nullptr && dynamic_cast<CGXStyle*>(array->GetAt(i)) == nullptr) ok = FALSE;
    }
  }
  std::unique_ptr<CObArray, void (*)(CObArray*)> owned(array, DeleteArray);
  std::unique_ptr<CObArray> narrowed;
  CObArray* source = array;
  if (ok && target.bottom > grid->GetRowCount()) {
    if (!(grid->m_nClipboardFlags & GX_CB_NOADDROWS)) grid->SetRowCount(target.bottom, 2);
    if (target.bottom > grid->GetRowCount()) target.bottom = grid->GetRowCount();
  }
  if (ok && target.right > grid->GetColCount()) {
    if (!(grid->m_nClipboardFlags & GX_CB_NOADDCOLS)) grid->SetColCount(target.right, 2);
    if (target.right > grid->GetColCount()) {
      // Keep, row by row, only the columns up to the last one.
      const ROWCOL keep = grid->GetColCount() >= target.left ? grid->GetColCount() - target.left + 1 : 0;
      narrowed = std::make_unique<CObArray>();
      for (DWORD r = 0; r < rows; ++r)
        for (ROWCOL c = 0; c < keep; ++c) narrowed->Add(array->GetAt(static_cast<int>(r * cols + c)));
      target.right = grid->GetColCount();
      source = narrowed.get();
    }
  }
  if (ok && target.top <= grid->GetRowCount() && target.left <= grid->GetColCount() && target.top <= target.bottom &&
      target.left <= target.right) {
    ok = grid->ApplyStyleToRange(target, nullptr, 2, grid->m_nCopyStyleType, source, 2, CGXGridCore::kRecordUndo);
  } else {
    ok = FALSE;
  }
  CGXLongOperationImp* longOp = GXGetAppData()->m_pLongOperationImp;
  if (!ok || (longOp != nullptr && longOp->rollbackRequested)) {
    grid->Rollback();
    return FALSE;
  }
  grid->CommitTrans();
  return TRUE;
}
