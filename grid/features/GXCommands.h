// The undo and redo commands: each records how to bring a grid back to the
// state it had before one change, and replays that by calling the same grid
// operation with the recorded values (which records the opposite command).
// Only the command factory makes them; the parameter object's lists own them.
#pragma once

#include <deque>
#include <memory>

#include "grid/core/GXCommand.h"
#include "grid/core/GXRange.h"
#include "grid/core/GXStyle.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXGridCore;
class CGXStylesMap;
class CGXProperties;

// What every command of the factory keeps: the current cell when it was
// filed, and a name for the Undo and Redo menu texts.
class CGXRecordedCommand : public CGXCommand {
 public:
  // The display name of the kind; " " when its text is missing.
  virtual CString GetName() const = 0;

  ROWCOL m_nRow = 0, m_nCol = 0;
  BOOL m_bHasCurrentCell = FALSE;
};

// Several commands replayed as one (a transaction), newest first.
class CGXBlockCmd : public CGXRecordedCommand {
 public:
  explicit CGXBlockCmd(LPCTSTR name);
  ~CGXBlockCmd() override;
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  void AddCommand(CGXCommand* command) override { commands_.push_front(command); }
  CString GetName() const override { return name_; }
  BOOL IsEmpty() const { return commands_.empty(); }
  std::size_t GetCount() const { return commands_.size(); }

 private:
  CString name_;
  std::deque<CGXCommand*> commands_;
};

// Row heights or column widths from..to.
class CGXSetSizesCmd : public CGXRecordedCommand {
 public:
  CGXSetSizesCmd(BOOL rows, ROWCOL from, ROWCOL to, int* sizes) : rows_(rows), from_(from), to_(to), sizes_(sizes) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  ROWCOL from_, to_;
  std::unique_ptr<int[]> sizes_;
};

// The hidden states of rows or columns from..to.
class CGXHideCmd : public CGXRecordedCommand {
 public:
  CGXHideCmd(BOOL rows, ROWCOL from, ROWCOL to, BOOL* states) : rows_(rows), from_(from), to_(to), states_(states) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  ROWCOL from_, to_;
  std::unique_ptr<BOOL[]> states_;
};

class CGXSetDefaultSizeCmd : public CGXRecordedCommand {
 public:
  CGXSetDefaultSizeCmd(BOOL rows, int size) : rows_(rows), size_(size) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  int size_;
};

// Undoes an insertion: removes the rows (columns) again.
class CGXRemoveRowsColsCmd : public CGXRecordedCommand {
 public:
  CGXRemoveRowsColsCmd(BOOL rows, ROWCOL from, ROWCOL to) : rows_(rows), from_(from), to_(to) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  ROWCOL from_, to_;
};

// Undoes a removal: the rows (columns) come back with their sizes, cell
// styles and own styles.
class CGXInsertRowsColsCmd : public CGXRecordedCommand {
 public:
  CGXInsertRowsColsCmd(BOOL rows, ROWCOL at, ROWCOL count, int* sizes, CObArray* cellStyles, CObArray* baseStyles,
                       ROWCOL crossCount)
      : rows_(rows), at_(at), count_(count), sizes_(sizes), cellStyles_(cellStyles), baseStyles_(baseStyles),
        cross_(crossCount) {}
  ~CGXInsertRowsColsCmd() override;
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  ROWCOL at_, count_;
  std::unique_ptr<int[]> sizes_;
  CObArray* cellStyles_;
  CObArray* baseStyles_;
  ROWCOL cross_;
};

class CGXSetCoveredCellsCmd : public CGXRecordedCommand {
 public:
  CGXSetCoveredCellsCmd(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right)
      : top_(top), left_(left), bottom_(bottom), right_(right) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  ROWCOL top_, left_, bottom_, right_;
};

// The previous styles of a range's cells (null: the cell had none).
class CGXSetStyleRangeCmd : public CGXRecordedCommand {
 public:
  CGXSetStyleRangeCmd(const CGXRange& range, int storeKind, CObArray* styles)
      : range_(range), storeKind_(storeKind), styles_(styles) {}
  ~CGXSetStyleRangeCmd() override;
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  CGXRange range_;
  int storeKind_;
  CObArray* styles_;
};

class CGXSetFrozenCmd : public CGXRecordedCommand {
 public:
  CGXSetFrozenCmd(BOOL rows, ROWCOL frozen, ROWCOL header) : rows_(rows), frozen_(frozen), header_(header) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  ROWCOL frozen_, header_;
};

class CGXChangeStylesMapCmd : public CGXRecordedCommand {
 public:
  explicit CGXChangeStylesMapCmd(const CGXStylesMap& map);
  ~CGXChangeStylesMapCmd() override;
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  std::unique_ptr<CGXStylesMap> map_;
};

class CGXChangePropertiesCmd : public CGXRecordedCommand {
 public:
  explicit CGXChangePropertiesCmd(const CGXProperties& properties);
  ~CGXChangePropertiesCmd() override;
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  std::unique_ptr<CGXProperties> properties_;
};

class CGXChangeBaseStyleCmd : public CGXRecordedCommand {
 public:
  CGXChangeBaseStyleCmd(WORD id, const CGXStyle& style, LPCTSTR name)
      : id_(id), style_(style.Clone()), name_(name != nullptr ? name : "") {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override { return name_; }

 private:
  WORD id_;
  std::unique_ptr<CGXStyle> style_;
  CString name_;
};
