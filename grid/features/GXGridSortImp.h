// Sorting the rows of a range by key columns, or its columns by key rows,
// and sorting by a double click on a header. The sort is stable and one
// undoable step; the application-wide object reorders the stored styles.
#pragma once

#include "grid/core/GXFeatures.h"
#include "grid/core/GXGridFeatures.h"

class CGXGridSortImp : public CGXAbstractGridSortImp, public CGXAbstractGridSortClickImp {
 public:
  void SortKeyArray(CGXGridCore* grid, std::vector<CGXSortRecord>& records, const CGXSortInfoArray& keys) override;
  void SortRows(CGXGridCore* grid, CGXRange range, CGXSortInfoArray& keys, UINT flags) override;
  BOOL MoveDataRows(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order, UINT flags,
                    int commandMode) override;
  BOOL StoreMoveDataRows(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order) override;
  void UpdateMoveDataRows(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) override;
  void GetSortKeyRow(CGXGridCore* grid, ROWCOL row, const CGXSortInfoArray& keys,
                     std::vector<CString>& texts) override;
  void SortCols(CGXGridCore* grid, CGXRange range, CGXSortInfoArray& keys, UINT flags) override;
  BOOL MoveDataCols(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order, UINT flags,
                    int commandMode) override;
  BOOL StoreMoveDataCols(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order) override;
  void UpdateMoveDataCols(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) override;
  void GetSortKeyCol(CGXGridCore* grid, ROWCOL col, const CGXSortInfoArray& keys,
                     std::vector<CString>& texts) override;
  BOOL OnLButtonDblClkRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT keys, POINT point) override;

 private:
  void Sort(CGXGridCore* grid, BOOL rows, CGXRange range, CGXSortInfoArray& keys, UINT flags);
  BOOL MoveData(CGXGridCore* grid, BOOL rows, const CGXRange& range, const CDWordArray& order, UINT flags,
                int commandMode);
  void UpdateMoveData(CGXGridCore* grid, BOOL rows, const CGXRange& range, UINT flags, BOOL sendHint);
  void GetSortKeys(CGXGridCore* grid, BOOL rows, ROWCOL at, const CGXSortInfoArray& keys,
                   std::vector<CString>& texts);
};

class CGXGridSortMoveDataImp : public CGXAbstractGridSortMoveDataImp {
 public:
  BOOL MoveDataRows(CGXData& data, const CGXRange& range, const CDWordArray& order) override;
  BOOL MoveDataCols(CGXData& data, const CGXRange& range, const CDWordArray& order) override;
};

// The value a sort compares for a numeric key's text: an empty text, and a
// text the conversion rejects, count as 0.
double GXSortNumber(const CString& text);
