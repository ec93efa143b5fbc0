// Find and replace: the modeless dialog every grid shares, and searching the
// current cell's column from the current row down (or up), without wrapping
// and without moving to other columns. Controls decide how their own text
// is searched; those that do not come back here.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridFindReplaceImp : public CGXAbstractGridFindReplaceImp {
 public:
  void OnShowFindReplaceDialog(CGXGridCore* grid, BOOL findOnly) override;
  void OnFindNext(CGXGridCore* grid, LPCTSTR text, BOOL down, BOOL matchCase) override;
  BOOL FindTextInControl(CGXControl* control, void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent,
                         BOOL select) override;
  BOOL FindInCells(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT flags) override;
  BOOL FindNext(CGXGridCore* grid, UINT flags) override;
  void OnReplaceSel(CGXGridCore* grid, LPCTSTR find, BOOL down, BOOL matchCase, LPCTSTR replace) override;
  void OnReplaceAll(CGXGridCore* grid, LPCTSTR find, LPCTSTR replace, BOOL matchCase) override;
  LRESULT OnFindReplace(CGXGridCore* grid, WPARAM wParam, LPARAM lParam) override;
  BOOL ReplaceAllInControl(CGXControl* control, void* request, ROWCOL row, ROWCOL col) override;
};
