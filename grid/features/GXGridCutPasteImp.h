// The grid's Edit commands Copy, Cut and Paste: what the clipboard receives
// (tab-separated text for the desktop, whole styles within the program) and
// where a paste takes its data from.
#pragma once

#include "grid/core/GXGridFeatures.h"
#include "grid/features/GXClipboardOptions.h"

class CGXGridCutPasteImp : public CGXAbstractGridCutPasteImp {
 public:
  BOOL CanCopy(CGXGridCore* grid) override;
  BOOL Copy(CGXGridCore* grid) override;
  // `textOnly` leaves the styles off the clipboard.
  BOOL CopyRangeList(CGXGridCore* grid, CGXRangeList& ranges, BOOL textOnly) override;
  BOOL CopyTextToClipboard(CGXGridCore* grid, CGXRangeList& ranges) override;
  // `flags` nonzero: the composed styles rather than the stored ones.
  BOOL CopyStylesToClipboard(CGXGridCore* grid, CGXRangeList& ranges, UINT flags) override;
  BOOL CanCut(CGXGridCore* grid) override;
  BOOL Cut(CGXGridCore* grid) override;
  // Copies and clears the ranges as one transaction (`clearStyles`: whole
  // styles, else values only).
  BOOL CutRangeList(CGXGridCore* grid, CGXRangeList& ranges, BOOL clearStyles) override;
  BOOL CanPaste(CGXGridCore* grid) override;
  BOOL IsPasteFormatAvailable(CGXGridCore* grid) override;
  BOOL Paste(CGXGridCore* grid) override;
  BOOL PasteDirectCopy(CGXGridCore* grid, const CGXRange& at) override;
  // The paste from an open clipboard into a range.
  BOOL PasteClipboardText(CGXGridCore* grid, const CGXRange& at) override;
  // Asks whether a block of another size may be pasted.
  BOOL CutPasteOp13(CGXGridCore* grid) override;

 private:
  // The selection (or the current cell) as cell ranges; FALSE when none.
  BOOL PrepareRanges(CGXGridCore* grid, CGXRangeList& ranges);
};

class CGXGridClearCellsImp : public CGXAbstractGridClearCellsImp {
 public:
  BOOL CanClear(CGXGridCore* grid) override;
  // `clearStyles`: every attribute, else the values only.
  BOOL Clear(CGXGridCore* grid, BOOL clearStyles) override;
  BOOL ClearCells(CGXGridCore* grid, CGXRangeList& ranges, BOOL clearStyles) override;
};
