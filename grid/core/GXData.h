// What a grid holds: the counts of rows and columns, the base style of each
// row and column, and the style of every cell that has one. Sparse: a row
// without cell styles costs one null pointer.
#pragma once

#include "grid/core/GXRange.h"
#include "grid/core/GXStyle.h"
#include "platform/Afx.h"
#include "platform/base/Collections.h"

// An array of owned styles (null where none).
class CGXStylePtrArray : public CPtrArray {
  DECLARE_SERIAL(CGXStylePtrArray)

 public:
  CGXStylePtrArray() = default;
  CGXStylePtrArray(const CGXStylePtrArray&) = delete;
  CGXStylePtrArray& operator=(const CGXStylePtrArray&) = delete;
  ~CGXStylePtrArray() override { DeleteAll(); }
  void Serialize(CArchive& ar) override;

  CGXStyle* StyleAt(int index) const {
    return index >= 0 && index < GetSize() ? static_cast<CGXStyle*>(GetAt(index)) : nullptr;
  }
  void DeleteAll();
  void CopyFrom(const CGXStylePtrArray& other);
};

// An array of owned row arrays (null for rows without cell styles).
class CGXStylePtrArrayPtrArray : public CPtrArray {
  DECLARE_DYNAMIC(CGXStylePtrArrayPtrArray)

 public:
  CGXStylePtrArrayPtrArray() = default;
  CGXStylePtrArrayPtrArray(const CGXStylePtrArrayPtrArray&) = delete;
  CGXStylePtrArrayPtrArray& operator=(const CGXStylePtrArrayPtrArray&) = delete;
  ~CGXStylePtrArrayPtrArray() override { DeleteAll(); }
  void Serialize(CArchive& ar) override;

  CGXStylePtrArray* RowAt(int index) const {
    return index >= 0 && index < GetSize() ? static_cast<CGXStylePtrArray*>(GetAt(index)) : nullptr;
  }
  void DeleteAll();
};

// Moves the block from..to of a pointer array so that it starts at dest.
void GXMovePtrArrayBlock(CPtrArray& array, DWORD from, DWORD to, DWORD dest);

class CGXData : public CObject {
  DECLARE_SERIAL(CGXData)

 public:
  CGXData() = default;
  CGXData(const CGXData&) = delete;
  ~CGXData() override;

  void Serialize(CArchive& ar) override;
  virtual void DeleteContents();
  virtual CGXData& operator=(const CGXData& other);
  virtual void InitParam(CObject* param);
  virtual ROWCOL GetRowCount() const { return rowCount_; }
  virtual ROWCOL GetColCount() const { return colCount_; }
  virtual BOOL StoreRowCount(ROWCOL n);
  virtual BOOL StoreColCount(ROWCOL n);
  virtual BOOL StoreInsertRows(ROWCOL row, ROWCOL count);
  virtual BOOL StoreInsertCols(ROWCOL col, ROWCOL count);
  virtual BOOL StoreRemoveRows(ROWCOL from, ROWCOL to);
  virtual BOOL StoreRemoveCols(ROWCOL from, ROWCOL to);
  virtual BOOL StoreMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest);
  virtual BOOL StoreMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest);
  virtual BOOL StoreCopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol);
  // `undo` is the move's undo information: null for a new move, the info of
  // the move being undone or redone otherwise; with `record` the data object
  // fills it (creating it when null) so that the move can be undone.
  virtual BOOL StoreMoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject*& undo, BOOL record,
                              int commandMode);
  // Kind -1: a row's (row != 0) or column's base style; 0 and 1: a cell's
  // style, 1 also recognising numbers in the value.
  virtual BOOL StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int kind);
  virtual BOOL GetStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int kind) const;
  // Reorders the rows (columns) of a range for a sort: entry i of the order
  // is the offset the row at offset i comes from.
  virtual BOOL StoreMoveDataRows(const CGXRange& range, const CDWordArray& order);
  virtual BOOL StoreMoveDataCols(const CGXRange& range, const CDWordArray& order);
  // Formula hooks; the plain data object has no formulas.
  virtual BOOL GetRecalcValue(ROWCOL row, ROWCOL col);
  // The mark the plain data object's recalculation test leaves: a data
  // object that leaves it has no formulas to recalculate.
  void ClearPendingValueMark() {
    scratch1_.SetValue("");
    scratch1_.SetIncludeValue(FALSE);
  }
  BOOL HasPendingValueMark() const { return scratch1_.GetIncludeValue(); }
  virtual void SetUpdateFlag(ROWCOL row, ROWCOL col, BOOL flag) {
    (void)row, (void)col, (void)flag;
  }
  virtual void AddRecalcRange(const CGXRange& range) { (void)range; }
  virtual void Recalc(BOOL force) { (void)force; }
  virtual void ResetError() {}
  virtual BOOL GetError(CString& text) {
    (void)text;
    return FALSE;
  }
  virtual CObject* GetAdvancedUndoInfo() { return nullptr; }
  virtual BOOL UndoAdvanced(CObject* info, BOOL flag1, BOOL flag2) {
    (void)info, (void)flag1, (void)flag2;
    return FALSE;
  }
  virtual BOOL EnableUndoInfo(BOOL enable) {
    (void)enable;
    return FALSE;
  }
  virtual BOOL SetRangeName(LPCTSTR name, const CGXRange& range, CObject* undo) {
    (void)name, (void)range, (void)undo;
    return FALSE;
  }
  virtual BOOL GetRangeName(LPCTSTR name, CGXRange& range) {
    (void)name, (void)range;
    return FALSE;
  }
  virtual BOOL DeleteRangeName(LPCTSTR name, CObject*& undo, BOOL record) {
    (void)name, (void)undo, (void)record;
    return FALSE;
  }

  const CGXStylePtrArray& RowStyles() const { return rowStyles_; }
  const CGXStylePtrArray& ColStyles() const { return colStyles_; }
  const CGXStylePtrArrayPtrArray& Cells() const { return cells_; }
  // For the features that reorder and move stored styles in place.
  CGXStylePtrArray& RowStylesRef() { return rowStyles_; }
  CGXStylePtrArray& ColStylesRef() { return colStyles_; }
  CGXStylePtrArrayPtrArray& CellsRef() { return cells_; }

 protected:
  friend class CGXGridDocSerializeImpl;
  ROWCOL rowCount_ = 0;
  ROWCOL colCount_ = 0;
  CGXStylePtrArray rowStyles_;
  CGXStylePtrArray colStyles_;
  CGXStylePtrArrayPtrArray cells_;
  CGXStyle scratch1_;
  CGXStyle scratch2_;
};
