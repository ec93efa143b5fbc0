#include "grid/features/GXGridSortImp.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "grid/cells/GXControl.h"
#include "grid/core/GXData.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXFeatureTexts.h"
#include "platform/base/CTime.h"
#include "platform/dialogs/MessageBox.h"

namespace {

// The characters a number's text may hold.
constexpr const char* kNumberChars = "0123456789,.-e ";

double DateValue(const CString& text) {
  COleDateTime date;
  if (!date.ParseDateTime(text)) return 0;
  return date.GetStatus() == COleDateTime::valid ? static_cast<double>(static_cast<DATE>(date)) : -1;
}

// Moves the elements top..top+n-1 of a pointer array into the order given;
// elements below top are never dropped, and a tail emptied by the move is
// cut off.
void Permute(CPtrArray& array, DWORD top, const CDWordArray& order) {
  const DWORD n = static_cast<DWORD>(order.GetSize());
  std::vector<void*> taken(n);
  for (DWORD i = 0; i < n; ++i) {
    const DWORD from = top + order[static_cast<int>(i)];
    taken[i] = from < static_cast<DWORD>(array.GetSize()) ? array.GetAt(static_cast<int>(from)) : nullptr;
  }
  if (static_cast<DWORD>(array.GetSize()) < top + n) array.SetSize(static_cast<int>(top + n));
  for (DWORD i = 0; i < n; ++i) array.SetAt(static_cast<int>(top + i), taken[i]);
  if (static_cast<DWORD>(array.GetSize()) == top + n) {
    int last = array.GetSize() - 1;
    while (last >= static_cast<int>(top) && array.GetAt(last) == nullptr) --last;
    if (last < static_cast<int>(top + n) - 1) array.SetSize(last + 1);
  }
}

}  // namespace

double GXSortNumber(const CString& text) {
  // The text as the locale writes numbers: thousands separators dropped,
  // blanks around it allowed. Grows with the text, whatever its length.
  std::string plain;
  plain.reserve(static_cast<std::size_t>(text.GetLength()));
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] != ',') plain.push_back(text[i]);
  const char* begin = plain.c_str();
  while (*begin == ' ') ++begin;
  if (*begin == '\0') return 0;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(begin, &end);
  while (end != nullptr && *end == ' ') ++end;
  if (end == begin || end == nullptr || *end != '\0' || errno == ERANGE) return 0;
  return value;
}

// ----------------------------------------------------------------- data

// A block of cells sorts only its own cells: the cells beside it in the
// same rows (columns) stay where they are, and so do the rows' own styles.
// Whole rows (columns) move as whole arrays.
BOOL CGXGridSortMoveDataImp::MoveDataRows(CGXData& data, const CGXRange& range, const CDWordArray& order) {
  CGXStylePtrArrayPtrArray& cells = data.CellsRef();
  if (range.IsCells()) {
    const DWORD n = static_cast<DWORD>(order.GetSize());
    for (ROWCOL col = range.left; col <= range.right; ++col) {
      std::vector<CGXStyle*> taken(n);
      for (DWORD i = 0; i < n; ++i) {
        CGXStylePtrArray* row = cells.RowAt(static_cast<int>(range.top + order[static_cast<int>(i)]));
        taken[i] = row != nullptr ? row->StyleAt(static_cast<int>(col)) : nullptr;
        if (taken[i] != nullptr) row->SetAt(static_cast<int>(col), nullptr);
      }
      for (DWORD i = 0; i < n; ++i) {
        if (taken[i] == nullptr) continue;
        CGXStylePtrArray* row = cells.RowAt(static_cast<int>(range.top + i));
        if (row == nullptr) {
          row = new CGXStylePtrArray;
          cells.SetAtGrow(static_cast<int>(range.top + i), row);
        }
        row->SetAtGrow(static_cast<int>(col), taken[i]);
      }
    }
    return TRUE;
  }
  Permute(cells, range.top, order);
  Permute(data.RowStylesRef(), range.top, order);
  return TRUE;
}

BOOL CGXGridSortMoveDataImp::MoveDataCols(CGXData& data, const CGXRange& range, const CDWordArray& order) {
  CGXStylePtrArrayPtrArray& cells = data.CellsRef();
  if (range.IsCells()) {
    for (ROWCOL r = range.top; r <= range.bottom; ++r) {
      CGXStylePtrArray* row = cells.RowAt(static_cast<int>(r));
      if (row == nullptr) continue;
      // Only the block's part of the row moves.
      const DWORD n = static_cast<DWORD>(order.GetSize());
      std::vector<void*> taken(n);
      for (DWORD i = 0; i < n; ++i) {
        const int from = static_cast<int>(range.left + order[static_cast<int>(i)]);
        taken[i] = from < row->GetSize() ? row->GetAt(from) : nullptr;
      }
      if (static_cast<DWORD>(row->GetSize()) < range.left + n) row->SetSize(static_cast<int>(range.left + n));
      for (DWORD i = 0; i < n; ++i) row->SetAt(static_cast<int>(range.left + i), taken[i]);
    }
    return TRUE;
  }
  for (int r = 0; r < cells.GetSize(); ++r)
    if (CGXStylePtrArray* row = cells.RowAt(r)) Permute(*row, range.left, order);
  Permute(data.ColStylesRef(), range.left, order);
  return TRUE;
}

// ----------------------------------------------------------------- grid

void CGXGridSortImp::SortKeyArray(CGXGridCore*, std::vector<CGXSortRecord>& records, const CGXSortInfoArray& keys) {
  auto compare = [&keys](const CGXSortRecord& a, const CGXSortRecord& b) {
    for (int k = 0; k < keys.GetSize(); ++k) {
      const CGXSortInfo& key = keys[k];
      const std::size_t i = static_cast<std::size_t>(k);
      int result = 0;
      if (key.sortType == CGXSortInfo::alphanumeric) {
        result = key.bCase ? a.texts[i].Collate(b.texts[i]) : a.texts[i].CollateNoCase(b.texts[i]);
      } else if (a.values[i] != b.values[i]) {
        result = a.values[i] < b.values[i] ? -1 : 1;
      }
      if (result != 0) return key.sortOrder != CGXSortInfo::ascending ? result > 0 : result < 0;
    }
    return a.index < b.index;
  };
  std::sort(records.begin(), records.end(), compare);
}

void CGXGridSortImp::GetSortKeys(CGXGridCore* grid, BOOL rows, ROWCOL at, const CGXSortInfoArray& keys,
                                 std::vector<CString>& texts) {
  texts.assign(static_cast<std::size_t>(keys.GetSize()), CString());
  for (int k = 0; k < keys.GetSize(); ++k) {
    const ROWCOL row = rows ? at : keys[k].nRC, col = rows ? keys[k].nRC : at;
    CGXStyle style;
    grid->ComposeStyleRowCol(row, col, style);
    CGXControl* control = grid->GetRegisteredControl(style.GetControl());
    grid->GetSortKey(control, row, col, const_cast<CGXSortInfoArray*>(&keys), style, texts[static_cast<std::size_t>(k)]);
  }
}

void CGXGridSortImp::GetSortKeyRow(CGXGridCore* grid, ROWCOL row, const CGXSortInfoArray& keys,
                                   std::vector<CString>& texts) {
  GetSortKeys(grid, TRUE, row, keys, texts);
}

void CGXGridSortImp::GetSortKeyCol(CGXGridCore* grid, ROWCOL col, const CGXSortInfoArray& keys,
                                   std::vector<CString>& texts) {
  GetSortKeys(grid, FALSE, col, keys, texts);
}

void CGXGridSortImp::SortRows(CGXGridCore* grid, CGXRange range, CGXSortInfoArray& keys, UINT flags) {
  Sort(grid, TRUE, range, keys, flags);
}

void CGXGridSortImp::SortCols(CGXGridCore* grid, CGXRange range, CGXSortInfoArray& keys, UINT flags) {
  Sort(grid, FALSE, range, keys, flags);
}

void CGXGridSortImp::Sort(CGXGridCore* grid, BOOL rows, CGXRange range, CGXSortInfoArray& keys, UINT flags) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || keys.GetSize() == 0) return;
  const ROWCOL count = rows ? grid->GetRowCount() : grid->GetColCount();
  if (count < 2) return;
  if (range.IsTable()) {
    if (rows) range.SetRows(param->m_nHeaderRows + 1, count);
    else range.SetCols(param->m_nHeaderCols + 1, count);
  }
  const ROWCOL first = rows ? range.top : range.left, last = std::min(rows ? range.bottom : range.right, count);
  if (first == 0 || last < first) return;

  grid->MoveCurrentCell(rows ? kMoveFirstRow : kMoveLeft, 1);
  grid->TransferCurrentCell(TRUE);

  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(rows ? 20181 : 20182));
  for (int k = 0; k < keys.GetSize(); ++k) keys[k].bMayBeNumber = keys[k].bMayBeDate = 1;

  const std::size_t keyCount = static_cast<std::size_t>(keys.GetSize());
  std::vector<CGXSortRecord> records;
  try {
    records.reserve(last - first + 1);
    for (ROWCOL at = first; at <= last; ++at) {
      CGXSortRecord record;
      record.index = at - first;
      GetSortKeys(grid, rows, at, keys, record.texts);
      for (std::size_t k = 0; k < keyCount; ++k) {
        CGXSortInfo& key = keys[static_cast<int>(k)];
        CString& text = record.texts[k];
        if (key.sortType != CGXSortInfo::autodetect || text.IsEmpty()) continue;
        if (key.bMayBeDate) {
          COleDateTime date;
          if (!date.ParseDateTime(text)) key.bMayBeDate = 0;
        }
        if (key.bMayBeNumber) {
          text.TrimLeft(' ');
          if (text.SpanIncluding(kNumberChars).GetLength() != text.GetLength() || text.Find('-', 1) >= 0)
            key.bMayBeNumber = 0;
        }
      }
      record.values.assign(keyCount, 0.0);
      records.push_back(std::move(record));
      if (scope.CheckElapsed()) {
        BOOL aborted = FALSE;
        scope.PollAbort(aborted);
        if (aborted) AfxThrowUserException();
      }
    }
  } catch (CUserException* e) {
    e->Delete();
    scope.SetStatusText("Canceled");
    return;
  } catch (const std::bad_alloc&) {
    AfxMessageBox("Not enough memory");
    return;
  } catch (CMemoryException* e) {
    e->Delete();
    AfxMessageBox("Not enough memory");
    return;
  }

  for (std::size_t k = 0; k < keyCount; ++k) {
    CGXSortInfo& key = keys[static_cast<int>(k)];
    if (key.sortType == CGXSortInfo::autodetect)
      key.sortType = key.bMayBeDate ? CGXSortInfo::date : key.bMayBeNumber ? CGXSortInfo::numeric
                                                                          : CGXSortInfo::alphanumeric;
    if (key.sortType == CGXSortInfo::alphanumeric) continue;
    for (CGXSortRecord& record : records) {
      CString& text = record.texts[k];
      record.values[k] = key.sortType == CGXSortInfo::date ? DateValue(text) : GXSortNumber(text);
      text.Empty();
    }
  }

  grid->SortKeyArray(records, keys);

  CDWordArray order;
  order.SetSize(static_cast<int>(records.size()));
  for (std::size_t i = 0; i < records.size(); ++i) order[static_cast<int>(i)] = records[i].index;

  if (rows) {
    param->m_nLastSortRow = static_cast<ROWCOL>(-1);
    param->m_nLastSortCol = keys[0].nRC;
  } else {
    param->m_nLastSortCol = static_cast<ROWCOL>(-1);
    param->m_nLastSortRow = keys[0].nRC;
  }
  param->m_bReverseNextSort = keys[0].sortOrder == CGXSortInfo::ascending;

  CGXRange sorted(range);
  if (rows) {
    sorted.top = first, sorted.bottom = last;
  } else {
    sorted.left = first, sorted.right = last;
  }
  if (rows) grid->MoveDataRows(sorted, order, flags, CGXGridCore::kRecordUndo);
  else grid->MoveDataCols(sorted, order, flags, CGXGridCore::kRecordUndo);
}

BOOL CGXGridSortImp::MoveDataRows(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order, UINT flags,
                                  int commandMode) {
  return MoveData(grid, TRUE, range, order, flags, commandMode);
}

BOOL CGXGridSortImp::MoveDataCols(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order, UINT flags,
                                  int commandMode) {
  return MoveData(grid, FALSE, range, order, flags, commandMode);
}

BOOL CGXGridSortImp::MoveData(CGXGridCore* grid, BOOL rows, const CGXRange& range, const CDWordArray& order,
                              UINT flags, int commandMode) {
  if (!(rows ? grid->StoreMoveDataRows(range, order) : grid->StoreMoveDataCols(range, order))) return FALSE;
  grid->FreeObjectCache();
  grid->SetSelection(nullptr);
  CGXRange table;
  table.SetTable();
  grid->DelayFloatCells(table);
  grid->DelayMergeCells(table);
  grid->RunDataRecalc(TRUE);
  if (rows) grid->UpdateMoveDataRows(range, flags, TRUE);
  else grid->UpdateMoveDataCols(range, flags, TRUE);
  CGXGridParam* param = grid->GetParam();
  if (grid->m_pCommandFactory != nullptr && param->m_bUndoEnabled && commandMode != CGXGridCore::kNoUndo) {
    auto* inverse = new CDWordArray;
    inverse->SetSize(order.GetSize());
    for (int i = 0; i < order.GetSize(); ++i) (*inverse)[static_cast<int>(order[i])] = static_cast<DWORD>(i);
    grid->AddCommand(grid->m_pCommandFactory->CreateMoveDataCommand(rows, range, inverse), commandMode);
  }
  grid->SetModifiedFlag(TRUE);
  return TRUE;
}

BOOL CGXGridSortImp::StoreMoveDataRows(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order) {
  CGXData* data = grid->GetParam() != nullptr ? grid->GetParam()->GetData() : nullptr;
  return data != nullptr && data->StoreMoveDataRows(range, order);
}

BOOL CGXGridSortImp::StoreMoveDataCols(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order) {
  CGXData* data = grid->GetParam() != nullptr ? grid->GetParam()->GetData() : nullptr;
  return data != nullptr && data->StoreMoveDataCols(range, order);
}

void CGXGridSortImp::UpdateMoveDataRows(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) {
  UpdateMoveData(grid, TRUE, range, flags, sendHint);
}

void CGXGridSortImp::UpdateMoveDataCols(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) {
  UpdateMoveData(grid, FALSE, range, flags, sendHint);
}

void CGXGridSortImp::UpdateMoveData(CGXGridCore* grid, BOOL rows, const CGXRange& range, UINT flags, BOOL sendHint) {
  // The current cell shows what now lies under it; every view replays this
  // step itself, so the discard is not broadcast on its own.
  grid->TransferCurrentCell(FALSE, 6, FALSE);
  if (!grid->GetParam()->m_bLockRedraw) grid->Redraw(flags, FALSE);
  if (auto* hints = grid->HintSender(sendHint)) {
    if (rows) hints->HintUpdateMoveDataRows(grid, range, flags); else hints->HintUpdateMoveDataCols(grid, range, flags);
  }
}

BOOL CGXGridSortImp::OnLButtonDblClkRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT, POINT) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  const bool rowHeader = row > 0 && col == 0 && param->m_bSortColsByRowHeader;
  const bool colHeader = row == 0 && col > 0 && param->m_bSortRowsByColHeader;
  if (!rowHeader && !colHeader) return FALSE;
  CGXSortInfoArray keys;
  CGXSortInfo key;
  key.nRC = rowHeader ? row : col;
  key.sortType = CGXSortInfo::autodetect;
  const ROWCOL last = rowHeader ? param->m_nLastSortRow : param->m_nLastSortCol;
  key.sortOrder = last == key.nRC && param->m_bReverseNextSort ? CGXSortInfo::descending : CGXSortInfo::ascending;
  keys.Add(key);
  CGXRange table;
  table.SetTable();
  if (rowHeader) {
    grid->SortCols(table, keys);
    grid->MoveCurrentCell(kMoveLeft, 1);
  } else {
    grid->SortRows(table, keys);
    grid->MoveCurrentCell(kMoveFirstRow, 1);
  }
  return TRUE;
}
