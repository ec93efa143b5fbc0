#include "grid/formula/GXRecalc.h"

#include <string>
#include <vector>

#include "grid/formula/GXEvaluator.h"

namespace {

// The references of an item that the depth-first update follows.
bool ItemRef(const GX_ITEM& item, GX_REF& ref, bool& range) {
  switch (item.kind) {
    case GX_ITEM_CELL:
      ref = item.ref;
      range = false;
      return true;
    case GX_ITEM_RANGE:
      ref = item.ref;
      range = true;
      return true;
    case GX_ITEM_NAMED_CELL:
    case GX_ITEM_NAMED_RANGE:
      if (!item.name) return false;
      ref = item.name->ref;
      range = item.kind == GX_ITEM_NAMED_RANGE;
      return true;
    default:
      return false;
  }
}

// One cell being brought up to date: where its scan of items stands.
struct Frame {
  GX_CELL* cell;
  bool recompute;
  int item;  // next item to look at
  int skipFirst;
  int skipLast;
  std::vector<GX_CELL*> precedents;  // of the current item
  size_t next;                       // next precedent to look at
  GX_CELL* waiting;                  // precedent being updated below this frame
};

Frame MakeFrame(GX_CELL* cell) {
  Frame f{cell, (cell->flags & kGXNeedsRecalc) != 0, 0, 0, -1, {}, 0, nullptr};
  cell->flags |= kGXUpToDate | kGXComputing;
  if (cell->code && cell->code->constraintRoot >= 0)
    GXSubExpressionRange(*cell->code, cell->code->constraintRoot, f.skipFirst, f.skipLast);
  return f;
}

void Finish(int sheet, Frame& f) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (f.recompute) {
    GXCellEvaluate(sheet, f.cell);
    f.cell->flags &= ~kGXNeedsRecalc;
    f.cell->generation = s->generation;
  }
  f.cell->flags &= ~kGXComputing;
}

// After a precedent is up to date: the cycle and generation rules.
void AfterPrecedent(GX_SHEET* s, Frame& f, GX_CELL* p) {
  if (p->flags & kGXCircular) s->cycle = 1;
  if (f.cell->generation < p->generation) f.recompute = true;
}

// Collects the precedents of the frame's next dependency item; false when no
// items are left. A cell outside the hash table stops at its first reference.
bool NextItem(int sheet, Frame& f, bool& stop) {
  const GX_CODE& code = *f.cell->code;
  while (f.item < code.ItemCount()) {
    int i = f.item++;
    if (i >= f.skipFirst && i <= f.skipLast) continue;
    const GX_ITEM& item = code.items[i];
    if (item.flags & kGXItemNotDependency) continue;
    GX_REF ref;
    bool range = false;
    if (!ItemRef(item, ref, range)) continue;
    if (!f.cell->IsLinked()) {
      stop = true;
      return false;
    }
    f.precedents.clear();
    f.next = 0;
    if (!range) {
      GX_CELL* p = GXCellFind(sheet, ref.Row1(), ref.Col1());
      if (p && p->IsFormula()) f.precedents.push_back(p);
    } else {
      GX_CELL_ITER it;
      GXCellIterInitRef(sheet, ref, it, kGXPoolFormulas);
      while (GX_CELL* p = GXCellIterNext(it)) f.precedents.push_back(p);
    }
    return true;
  }
  return false;
}

}  // namespace

void GXAddChangedRange(int sheet, const GX_REF& ref) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return;
  for (const GX_REF& r : s->pending)
    if (GXRefEqual(r, ref)) return;
  s->pending.push_back(ref);
}

void GXClearChangedRanges(int sheet) {
  if (GX_SHEET* s = GXSheetGet(sheet)) s->pending.clear();
}

void GXCellUpdate(int sheet, GX_CELL* cell) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !cell || !cell->code || (cell->flags & kGXUpToDate)) return;
  // An explicit stack in place of recursion, visiting in the same order, so
  // that long reference chains cannot overflow the call stack.
  std::vector<Frame> stack;
  stack.push_back(MakeFrame(cell));
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.waiting) {
      GX_CELL* p = f.waiting;
      f.waiting = nullptr;
      AfterPrecedent(s, f, p);
    }
    bool descended = false;
    bool stop = false;
    for (;;) {
      while (f.next < f.precedents.size()) {
        GX_CELL* p = f.precedents[f.next++];
        if (p->flags & kGXComputing) f.cell->flags |= kGXCircular;
        if (!(p->flags & kGXUpToDate) && p->code) {
          f.waiting = p;
          stack.push_back(MakeFrame(p));
          descended = true;
          break;
        }
        AfterPrecedent(s, f, p);
      }
      if (descended) break;
      if (!NextItem(sheet, f, stop)) break;
    }
    if (descended) continue;
    if (stop) {
      f.cell->flags &= ~kGXComputing;
    } else {
      Finish(sheet, f);
    }
    stack.pop_back();
  }
}

bool GXCellAffected(int sheet, const GX_CELL* cell) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || s->pending.empty()) return true;
  for (const GX_REF& r : s->pending)
    if (r.Contains(cell->row, cell->col)) return true;
  if (!cell->code) return false;
  for (const GX_ITEM& item : cell->code->items) {
    GX_REF ref;
    bool range = false;
    if (!ItemRef(item, ref, range)) continue;
    for (const GX_REF& r : s->pending) {
      if (range ? GXRefIntersects(ref, r) : r.Contains(ref.Row1(), ref.Col1())) return true;
    }
  }
  return false;
}

int GXConstraintTest(int sheet, GX_CELL* cell) {
  if (!cell->code || cell->code->constraintRoot < 0) return 1;
  GX_OPERAND o = GXEvaluate(sheet, cell->row, cell->col, cell->code->items, cell->code->constraintRoot);
  GX_VALUE v = GXOperandToValue(sheet, o);
  bool violated = v.kind == GX_VALUE_NUMBER && v.number == 0;
  bool was = (cell->flags & kGXViolated) != 0;
  if (violated != was) cell->flags |= kGXChanged;
  if (violated)
    cell->flags |= kGXViolated;
  else
    cell->flags &= ~kGXViolated;
  return violated ? 0 : 1;
}

int GXCountViolations(int sheet, GX_CELL_POOL& pool) {
  GXDeferScope defer(sheet);
  int n = 0;
  GX_POOL_ITER it;
  GXPoolIterInit(pool, it);
  while (GX_CELL* c = GXPoolIterNext(it)) {
    if (!c->IsLinked() || c->ValueKind() == GX_VALUE_ERROR) continue;
    if (!GXConstraintTest(sheet, c)) ++n;
  }
  return n;
}

namespace {

int RecalcPass(int sheet) {
  GX_SHEET* s = GXSheetGet(sheet);
  bool work = false;
  GX_POOL_ITER it;
  GXPoolIterInit(s->formulas, it);
  while (GX_CELL* c = GXPoolIterNext(it)) {
    if (!c->IsLinked()) continue;
    c->flags &= ~(kGXUpToDate | kGXComputing | kGXCircular);
    if (GXCellAffected(sheet, c)) {
      c->flags |= kGXNeedsRecalc;
      work = true;
    }
  }
  {
    GXDeferScope defer(sheet);
    if (work) {
      ++s->generation;
      if (s->computeNow) {
        GXPoolIterInit(s->formulas, it);
        while (GX_CELL* c = GXPoolIterNext(it))
          if (c->IsLinked() && !(c->flags & kGXUpToDate)) GXCellUpdate(sheet, c);
      }
    }
  }
  if (!s->checkConstraints || !s->messageArmed) return 0;
  int n = GXCountViolations(sheet, s->values) + GXCountViolations(sheet, s->formulas);
  if (n == 1) {
    s->message = "There is 1 constraint violation!";
    s->messageArmed = 0;
  } else if (n > 1) {
    s->message = "There are " + std::to_string(n) + " constraint violations!";
    s->messageArmed = 0;
  }
  return n;
}

int Recalc(int sheet, bool forced) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return 0;
  if (s->manual && !forced) {
    s->pending.clear();
    return 0;
  }
  s->recalcFlags |= kGXRecalcRunning;
  s->cycle = 0;
  RecalcPass(sheet);
  if (s->cycle) {
    s->recalcFlags |= kGXRecalcIterating;
    for (int i = 0; i < s->iterations; ++i) {
      int violations = RecalcPass(sheet);
      if (s->checkConstraints && violations == 0) break;
    }
  }
  s->pending.clear();
  s->recalcFlags = 0;
  return 1;
}

}  // namespace

int GXRecalc(int sheet) {
  GX_SHEET* s = GXSheetGet(sheet);
  return Recalc(sheet, s && (s->recalcFlags & kGXRecalcForced));
}

void GXRecalcForced(int sheet) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return;
  s->recalcFlags |= kGXRecalcForced;
  Recalc(sheet, true);
  s->recalcFlags = 0;
}
