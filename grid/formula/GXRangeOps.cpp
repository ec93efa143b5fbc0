#include "grid/formula/GXRangeOps.h"

#include <algorithm>

#include "grid/formula/GXRecalc.h"

namespace {

bool IsRefItem(const GX_ITEM& item) { return item.kind == GX_ITEM_CELL || item.kind == GX_ITEM_RANGE; }

// A reference that would leave the sheet becomes the error literal.
void MakeErrorLiteral(GX_ITEM& item) {
  uint8_t paren = item.flags & kGXItemParen;
  item = GX_ITEM{};
  item.kind = GX_ITEM_OPERATOR;
  item.op = GX_OP_ERROR;
  item.flags = paren;
}

bool WhollyInside(const GX_REF& ref, const GX_REF& area) {
  return area.Contains(ref.Row1(), ref.Col1()) && area.Contains(ref.Row2(), ref.Col2());
}

int ClampRow(long long r) { return static_cast<int>(std::clamp<long long>(r, 1, kGXMaxRow)); }
int ClampCol(long long c) { return static_cast<int>(std::clamp<long long>(c, 0, kGXMaxCol)); }

// Sets both corners of a reference from wide values; false when it left the sheet.
bool SetCorners(GX_REF& ref, long long r1, long long c1, long long r2, long long c2) {
  if (r1 < 1 || r1 > kGXMaxRow || r2 < 1 || r2 > kGXMaxRow || c1 < 0 || c1 > kGXMaxCol || c2 < 0 || c2 > kGXMaxCol)
    return false;
  ref.SetRow1(static_cast<int>(r1));
  ref.SetCol1(static_cast<int>(c1));
  ref.SetRow2(static_cast<int>(r2));
  ref.SetCol2(static_cast<int>(c2));
  return GXRefNormalize(ref) != 0;
}

// "A number followed by a cell" formulas announce that cell as changed when
// they are cleared or overwritten.
void AnnounceNumberCell(int sheet, const GX_CELL* cell) {
  if (!cell->code || cell->code->ItemCount() < 2) return;
  const GX_ITEM& a = cell->code->items[0];
  const GX_ITEM& b = cell->code->items[1];
  if (a.kind == GX_ITEM_NUMBER && b.kind == GX_ITEM_CELL && a.flags == 0 && b.flags == 0) GXAddChangedRange(sheet, b.ref);
}

void SaveOrFree(int sheet, GX_CELL* cell) {
  if (GXSheetGet(sheet)->undoRecording)
    GXSaveForUndo(sheet, cell);
  else
    GXCellFree(cell);
}

// Links a cell at its (already set) position, removing whatever is there.
void LinkReplacing(int sheet, GX_CELL* cell) {
  if (cell->row < 1 || cell->row > kGXMaxRow || cell->col < 0 || cell->col > kGXMaxCol) {
    GXCellFree(cell);
    return;
  }
  GXCellRemove(sheet, GXCellFind(sheet, cell->row, cell->col));
  GXCellLink(sheet, cell);
}

// The linked cells of the selected pools inside a range, collected first so
// that the caller may unlink them.
std::vector<GX_CELL*> CellsIn(int sheet, const GX_REF& range, int selection) {
  std::vector<GX_CELL*> out;
  GX_CELL_ITER it;
  GXCellIterInitRef(sheet, range, it, selection);
  while (GX_CELL* c = GXCellIterNext(it)) out.push_back(c);
  return out;
}

std::vector<GX_CELL*> LinkedCells(GX_CELL_POOL& pool) {
  std::vector<GX_CELL*> out;
  GX_POOL_ITER it;
  GXPoolIterInit(pool, it);
  while (GX_CELL* c = GXPoolIterNext(it))
    if (c->IsLinked()) out.push_back(c);
  return out;
}

long long Area(const GX_REF& r) {
  return static_cast<long long>(r.Row2() - r.Row1() + 1) * (r.Col2() - r.Col1() + 1);
}

}  // namespace

GX_REF GXDestRange(const GX_REF& ref, int row, int col) {
  GX_REF out;
  long long r2 = static_cast<long long>(row) + (ref.Row2() - ref.Row1());
  long long c2 = static_cast<long long>(col) + (ref.Col2() - ref.Col1());
  GXRefMake(out, row, col, static_cast<int>(std::min<long long>(r2, kGXMaxRow)),
            static_cast<int>(std::min<long long>(c2, kGXMaxCol)), 0);
  return out;
}

int GXClearRange(int sheet, const GX_REF& ref) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return 0;
  GX_REF range = ref;
  if (!GXSheetClipToUsed(sheet, range)) return 0;
  s->modified = 1;
  GXDeferScope defer(sheet);
  std::vector<GX_CELL*> gone;
  for (GX_CELL* cell : CellsIn(sheet, range, kGXPoolValues | kGXPoolFormulas)) {
    AnnounceNumberCell(sheet, cell);
    GXCellUnlink(sheet, cell);
    if (s->placeholderOption) GXCellAddPlaceholder(sheet, cell->row, cell->col)->flags |= kGXChanged;
    gone.push_back(cell);
  }
  for (GX_CELL* cell : gone) SaveOrFree(sheet, cell);
  GXAddChangedRange(sheet, range);
  return 1;
}

int GXMoveCells(int sheet, const GX_REF& source, int destRow, int destCol) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return 0;
  GX_REF S = source;
  S.Set(GX_REF::kOneCell, false);
  if (!GXRefNormalize(S)) return 0;
  const long long dr = static_cast<long long>(destRow) - S.Row1();
  const long long dc = static_cast<long long>(destCol) - S.Col1();
  const GX_REF D = GXDestRange(S, destRow, destCol);

  // Names follow the corners that lie in the moved block.
  for (GX_NAME* n = s->names; n; n = n->next) {
    GX_REF& r = n->ref;
    int r1 = r.Row1(), c1 = r.Col1(), r2 = r.Row2(), c2 = r.Col2();
    bool first = S.Contains(r1, c1), last = S.Contains(r2, c2);
    if (!first && !last) continue;
    if (first) {
      r1 = ClampRow(r1 + dr);
      c1 = ClampCol(c1 + dc);
    }
    if (last) {
      r2 = ClampRow(r2 + dr);
      c2 = ClampCol(c2 + dc);
    }
    r.SetRow1(r1);
    r.SetCol1(c1);
    r.SetRow2(r2);
    r.SetCol2(c2);
    GXRefNormalize(r);
  }

  GXDeferScope defer(sheet);
  s->modified = 1;
  std::vector<GX_CELL*> moving, overwritten;
  auto collect = [&](GX_CELL* cell) {
    if (!cell->IsLinked()) return;
    if (S.Contains(cell->row, cell->col)) {
      GXCellUnlink(sheet, cell);
      cell->flags |= kGXChanged;
      moving.push_back(cell);
      if (s->placeholderOption && !D.Contains(cell->row, cell->col)) GXCellAddPlaceholder(sheet, cell->row, cell->col);
    } else if (D.Contains(cell->row, cell->col)) {
      GXCellUnlink(sheet, cell);
      cell->flags |= kGXChanged;
      overwritten.push_back(cell);
    }
  };

  // Value cells: scan the pool or probe the two blocks, whichever is cheaper.
  std::vector<GX_CELL*> values;
  if (s->values.count < 2 * Area(S)) {
    values = LinkedCells(s->values);
  } else {
    values = CellsIn(sheet, S, kGXPoolValues);
    for (GX_CELL* c : CellsIn(sheet, D, kGXPoolValues))
      if (!S.Contains(c->row, c->col)) values.push_back(c);
  }
  for (GX_CELL* c : values) collect(c);

  for (GX_CELL* cell : LinkedCells(s->formulas)) {
    bool inS = S.Contains(cell->row, cell->col);
    bool inD = D.Contains(cell->row, cell->col);
    if (inD && !inS) {
      AnnounceNumberCell(sheet, cell);
      collect(cell);  // overwritten, saved as it was
      continue;
    }
    GX_CELL* before = s->undoRecording ? GXCellClone(cell) : nullptr;
    bool dependsOnOverwritten = false;
    for (GX_ITEM& item : cell->code->items) {
      if (!IsRefItem(item)) continue;
      if (WhollyInside(item.ref, S)) {
        if (!SetCorners(item.ref, item.ref.Row1() + dr, item.ref.Col1() + dc, item.ref.Row2() + dr, item.ref.Col2() + dc))
          MakeErrorLiteral(item);
        cell->flags |= kGXNeedsRecalc;
      } else if (D.Contains(item.ref.Row1(), item.ref.Col1()) || D.Contains(item.ref.Row2(), item.ref.Col2())) {
        cell->flags |= kGXNeedsRecalc;
        dependsOnOverwritten = true;
      }
    }
    if (before) {
      if (dependsOnOverwritten)
        GXSaveForUndo(sheet, before);
      else
        GXCellFree(before);
    }
    collect(cell);
  }

  for (GX_CELL* c : overwritten) SaveOrFree(sheet, c);
  for (GX_CELL* c : moving) {
    long long r = c->row + dr, col = c->col + dc;
    if (r < 1 || r > kGXMaxRow || col < 0 || col > kGXMaxCol) {
      GXCellFree(c);
      continue;
    }
    c->row = static_cast<int>(r);
    c->col = static_cast<int>(col);
    LinkReplacing(sheet, c);
  }
  return 1;
}

int GXCopyCells(int sheet, const GX_REF& source, int destRow, int destCol, int noRecalc) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return 0;
  GX_REF S = source;
  S.Set(GX_REF::kOneCell, false);
  if (!GXRefNormalize(S)) return 0;
  const long long dr = static_cast<long long>(destRow) - S.Row1();
  const long long dc = static_cast<long long>(destCol) - S.Col1();
  const GX_REF D = GXDestRange(S, destRow, destCol);
  if (!GXSheetClipToUsed(sheet, S)) return 1;
  s->modified = 1;
  GXDeferScope defer(sheet);
  std::vector<GX_CELL*> copies;
  for (GX_CELL* cell : CellsIn(sheet, S, kGXPoolAll)) {
    GX_CELL* copy = GXCellClone(cell);
    copy->row = static_cast<int>(std::clamp<long long>(cell->row + dr, -1, kGXMaxRow + 1LL));
    copy->col = static_cast<int>(std::clamp<long long>(cell->col + dc, -1, kGXMaxCol + 1LL));
    if (copy->code) {
      for (GX_ITEM& item : copy->code->items) {
        if (!IsRefItem(item)) continue;
        const GX_REF& r = item.ref;
        long long r1 = r.Row1() + (r.Has(GX_REF::kAbsRow1) ? 0 : dr);
        long long c1 = r.Col1() + (r.Has(GX_REF::kAbsCol1) ? 0 : dc);
        long long r2 = r.Row2() + (r.Has(GX_REF::kAbsRow2) ? 0 : dr);
        long long c2 = r.Col2() + (r.Has(GX_REF::kAbsCol2) ? 0 : dc);
        if (!SetCorners(item.ref, r1, c1, r2, c2)) MakeErrorLiteral(item);
      }
    }
    copies.push_back(copy);
  }
  std::vector<GX_CELL*> gone = CellsIn(sheet, D, kGXPoolAll);
  for (GX_CELL* c : gone) GXCellUnlink(sheet, c);
  for (GX_CELL* c : gone) SaveOrFree(sheet, c);
  for (GX_CELL* c : copies) LinkReplacing(sheet, c);
  if (!noRecalc) {
    GXAddChangedRange(sheet, S);
    GXAddChangedRange(sheet, D);
    GXRecalc(sheet);
  }
  return 1;
}

namespace {

struct PlaceholderOff {
  explicit PlaceholderOff(GX_SHEET* s) : s_(s), saved_(s->placeholderOption) { s->placeholderOption = 0; }
  ~PlaceholderOff() { s_->placeholderOption = saved_; }
  GX_SHEET* s_;
  int saved_;
};

}  // namespace

int GXInsertRows(int sheet, int row, int count) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || row < 1 || row > kGXMaxRow || count <= 0) return 0;
  PlaceholderOff off(s);
  GX_REF block;
  GXRefMake(block, row, 0, kGXMaxRow, kGXMaxCol, 0);
  long long dest = static_cast<long long>(row) + count;
  if (dest > kGXMaxRow) return GXClearRange(sheet, block), 1;
  return GXMoveCells(sheet, block, static_cast<int>(dest), 0);
}

int GXInsertCols(int sheet, int col, int count) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || col < 0 || col > kGXMaxCol || count <= 0) return 0;
  PlaceholderOff off(s);
  GX_REF block;
  GXRefMake(block, 1, col, kGXMaxRow, kGXMaxCol, 0);
  long long dest = static_cast<long long>(col) + count;
  if (dest > kGXMaxCol) return GXClearRange(sheet, block), 1;
  return GXMoveCells(sheet, block, 1, static_cast<int>(dest));
}

int GXRemoveRows(int sheet, int row, int count) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || row < 1 || row > kGXMaxRow || count <= 0) return 0;
  PlaceholderOff off(s);
  int recording = s->undoRecording;
  long long last = std::min<long long>(static_cast<long long>(row) + count - 1, kGXMaxRow);
  GX_REF cleared;
  GXRefMake(cleared, row, 0, static_cast<int>(last), kGXMaxCol, 0);
  s->undoRecording = 0;
  GXClearRange(sheet, cleared);
  if (last < kGXMaxRow) {
    s->undoRecording = 1;
    GX_REF block;
    GXRefMake(block, static_cast<int>(last + 1), 0, kGXMaxRow, kGXMaxCol, 0);
    GXMoveCells(sheet, block, row, 0);
  }
  s->undoRecording = recording;
  return 1;
}

int GXRemoveCols(int sheet, int col, int count) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || col < 0 || col > kGXMaxCol || count <= 0) return 0;
  PlaceholderOff off(s);
  long long last = std::min<long long>(static_cast<long long>(col) + count - 1, kGXMaxCol);
  GX_REF cleared;
  GXRefMake(cleared, 1, col, kGXMaxRow, static_cast<int>(last), 0);
  GXClearRange(sheet, cleared);
  if (last < kGXMaxCol) {
    GX_REF block;
    GXRefMake(block, 1, static_cast<int>(last + 1), kGXMaxRow, kGXMaxCol, 0);
    GXMoveCells(sheet, block, 1, col);
  }
  return 1;
}

int GXMoveRowsCols(int sheet, bool rows, int first, int last, int dest) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || first > last) return 0;
  const int size = last - first + 1;
  const int lo = std::min(first, dest);
  const int hi = std::max(last, last + (dest - first));
  auto mapIndex = [&](int p) {
    if (p >= first && p <= last) return dest + (p - first);
    return dest < first ? p + size : p - size;
  };
  // The move of a reference along the moved direction, decided by its first corner.
  auto refShift = [&](int a) {
    if (a >= first && a <= last) return dest - first;
    if (dest < first && a >= dest && a < first) return size;
    if (dest > last && a > last && a < dest + size) return -size;
    return 0;
  };
  auto inBand = [&](int p) { return p >= lo && p <= hi; };
  auto remap = [&](GX_REF& r) {
    int a = rows ? r.Row1() : r.Col1();
    int shift = refShift(a);
    if (!shift) return true;
    if (rows) return SetCorners(r, r.Row1() + shift, r.Col1(), static_cast<long long>(r.Row2()) + shift, r.Col2());
    return SetCorners(r, r.Row1(), static_cast<long long>(r.Col1()) + shift, r.Row2(), static_cast<long long>(r.Col2()) + shift);
  };
  for (GX_NAME* n = s->names; n; n = n->next)
    if (inBand(rows ? n->ref.Row1() : n->ref.Col1())) remap(n->ref);

  GX_REF used;
  if (!GXSheetGetUsedRange(sheet, used)) return 1;
  if ((rows ? used.Row2() : used.Col2()) < lo || (rows ? used.Row1() : used.Col1()) > hi) return 1;
  s->modified = 1;
  GXDeferScope defer(sheet);
  std::vector<GX_CELL*> moved;
  auto position = [&](const GX_CELL* c) { return rows ? c->row : c->col; };
  for (GX_CELL* c : LinkedCells(s->values)) {
    if (!inBand(position(c))) continue;
    GXCellUnlink(sheet, c);
    moved.push_back(c);
  }
  for (GX_CELL* c : LinkedCells(s->formulas)) {
    for (GX_ITEM& item : c->code->items) {
      if (!IsRefItem(item)) continue;
      int a = rows ? item.ref.Row1() : item.ref.Col1();
      int b = rows ? item.ref.Row2() : item.ref.Col2();
      if ((inBand(a) || inBand(b)) && !remap(item.ref)) MakeErrorLiteral(item);
    }
    if (inBand(position(c))) {
      GXCellUnlink(sheet, c);
      moved.push_back(c);
    }
  }
  for (GX_CELL* c : moved) {
    if (rows)
      c->row = mapIndex(c->row);
    else
      c->col = mapIndex(c->col);
    LinkReplacing(sheet, c);
  }
  return 1;
}

void GXPermute(int sheet, bool rows, int top, int bottom, bool limited, int from, int to, const std::vector<int>& order) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || top > bottom) return;
  int n = bottom - top + 1;
  std::vector<int> newOffset(n);
  for (int i = 0; i < n; ++i) newOffset[i] = i;
  for (int i = 0; i < n && i < static_cast<int>(order.size()); ++i)
    if (order[i] >= 0 && order[i] < n) newOffset[order[i]] = i;
  auto along = [&](const GX_CELL* c) { return rows ? c->row : c->col; };
  auto across = [&](const GX_CELL* c) { return rows ? c->col : c->row; };
  auto inArea = [&](const GX_CELL* c) {
    int p = along(c), q = across(c);
    return p >= top && p <= bottom && (!limited || (q >= from && q <= to));
  };
  auto newIndex = [&](int p) { return top + newOffset[p - top]; };
  GXDeferScope defer(sheet);
  s->modified = 1;
  std::vector<GX_CELL*> moved;
  for (GX_CELL* c : LinkedCells(s->values)) {
    if (!inArea(c)) continue;
    GXCellUnlink(sheet, c);
    moved.push_back(c);
  }
  for (GX_CELL* c : LinkedCells(s->formulas)) {
    bool changed = false;
    for (GX_ITEM& item : c->code->items) {
      if (!IsRefItem(item)) continue;
      int a = rows ? item.ref.Row1() : item.ref.Col1();
      int b = rows ? item.ref.Row2() : item.ref.Col2();
      if (a != b || a < top || a > bottom) continue;
      if (limited) {
        int qa = rows ? item.ref.Col1() : item.ref.Row1();
        int qb = rows ? item.ref.Col2() : item.ref.Row2();
        if (qa < from || qb > to) continue;
      }
      int p = newIndex(a);
      if (rows) {
        item.ref.SetRow1(p);
        item.ref.SetRow2(p);
      } else {
        item.ref.SetCol1(p);
        item.ref.SetCol2(p);
      }
      changed = true;
    }
    if (changed) c->flags |= kGXNeedsRecalc;
    if (inArea(c)) {
      GXCellUnlink(sheet, c);
      moved.push_back(c);
    }
  }
  for (GX_CELL* c : moved) {
    if (rows)
      c->row = newIndex(c->row);
    else
      c->col = newIndex(c->col);
    LinkReplacing(sheet, c);
  }
}
