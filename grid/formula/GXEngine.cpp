#include "grid/formula/GXEngine.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "grid/core/GXStyle.h"
#include "grid/formula/GXEvaluator.h"
#include "grid/formula/GXFunctionHook.h"
#include "grid/formula/GXNames.h"
#include "grid/formula/GXParser.h"

GX_ENGINE_STATE::GX_ENGINE_STATE() = default;
GX_ENGINE_STATE::~GX_ENGINE_STATE() = default;

GX_ENGINE_STATE* GXEngineState() {
  static GX_ENGINE_STATE state;
  return &state;
}

uint32_t GXRegisterErrorExtra(const std::string& text) {
  auto& texts = GXEngineState()->extraTexts;
  auto found = std::find(texts.begin(), texts.end(), text);
  if (found != texts.end()) return static_cast<uint32_t>(found - texts.begin() + 1);
  texts.push_back(text);
  return static_cast<uint32_t>(texts.size());
}

std::string GXErrorExtraText(uint32_t extra) {
  auto& texts = GXEngineState()->extraTexts;
  return extra >= 1 && extra <= texts.size() ? texts[extra - 1] : std::string();
}

std::string GX_CELL::Text() const {
  switch (ValueKind()) {
    case GX_VALUE_LONG_TEXT:
      return value.longText ? std::string(value.longText) : std::string();
    case GX_VALUE_SHORT_TEXT:
      return std::string(value.shortText, strnlen(value.shortText, 8));
    default:
      return std::string();
  }
}

namespace {

char* CopyText(const std::string& text) {
  char* out = new char[text.size() + 1];
  memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

void FreeLongText(GX_CELL* cell) {
  if (cell->ValueKind() == GX_VALUE_LONG_TEXT) {
    delete[] cell->value.longText;
    cell->value.longText = nullptr;
  }
}

// Stores a text value (long or short) into a cell whose old long text, if
// any, has been freed.
void PutText(GX_CELL* cell, const std::string& text) {
  std::string cut = text.size() > kGXMaxText ? text.substr(0, kGXMaxText) : text;
  if (cut.size() > 8) {
    cell->value.longText = CopyText(cut);
    cell->SetValueKind(GX_VALUE_LONG_TEXT);
  } else {
    memset(cell->value.shortText, 0, 8);
    memcpy(cell->value.shortText, cut.data(), cut.size());
    cell->SetValueKind(GX_VALUE_SHORT_TEXT);
  }
}

uint32_t Bucket(int row, int col) {
  return (static_cast<uint32_t>(col) * 8388607u + static_cast<uint32_t>(row)) % GX_SHEET::kBuckets;
}

void GrowCounts(std::vector<int>& counts, size_t needed) {
  if (counts.size() >= needed) return;
  size_t capacity = counts.size();
  if (capacity < 32)
    capacity += 4;
  else if (capacity >= 8200)
    capacity += 1024;
  else
    capacity += capacity / 8;
  counts.resize(std::max(capacity, needed), 0);
}

void PoolUnlinkBlock(GX_CELL_POOL& pool, GX_CELL_BLOCK* block) {
  if (block->prev) block->prev->next = block->next;
  else pool.head = block->next;
  if (block->next) block->next->prev = block->prev;
  else pool.tail = block->prev;
  block->next = block->prev = nullptr;
}

void PoolPushFront(GX_CELL_POOL& pool, GX_CELL_BLOCK* block) {
  block->prev = nullptr;
  block->next = pool.head;
  if (pool.head) pool.head->prev = block;
  pool.head = block;
  if (!pool.tail) pool.tail = block;
}

void PoolPushBack(GX_CELL_POOL& pool, GX_CELL_BLOCK* block) {
  block->next = nullptr;
  block->prev = pool.tail;
  if (pool.tail) pool.tail->next = block;
  pool.tail = block;
  if (!pool.head) pool.head = block;
}

// Removes the cell at a position for a setter, handing back its style.
CGXStyle* TakeOldCell(int sheet, int row, int col) {
  GX_CELL* old = GXCellFind(sheet, row, col);
  if (!old) return nullptr;
  CGXStyle* style = old->style;
  old->style = nullptr;
  // A single store is not undoable through the engine: the old cell goes.
  GXCellRemove(sheet, old);
  return style;
}

bool InSheet(int row, int col) { return row >= 1 && row <= kGXMaxRow && col >= 0 && col <= kGXMaxCol; }

}  // namespace

int GXSheetCreate() {
  auto& sheets = GXEngineState()->sheets;
  size_t i = 0;
  while (i < sheets.size() && sheets[i]) ++i;
  if (i == sheets.size()) sheets.emplace_back();
  sheets[i] = std::make_unique<GX_SHEET>();
  return static_cast<int>(i + 1);
}

GX_SHEET* GXSheetGet(int sheet) {
  auto& sheets = GXEngineState()->sheets;
  if (sheet < 1 || static_cast<size_t>(sheet) > sheets.size()) return nullptr;
  return sheets[sheet - 1].get();
}

void GXSheetEmpty(int sheet) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return;
  GXPoolFreeAll(s->values);
  GXPoolFreeAll(s->formulas);
  GXPoolFreeAll(s->placeholders);
  GXFreeCellList(s->savedCells);
  s->savedCells = nullptr;
  GXFreeNames(sheet);
  s->hash.fill(nullptr);
  s->cellCount = 0;
  s->rowCounts.clear();
  s->rowCounts.shrink_to_fit();
  s->colCounts.clear();
  s->colCounts.shrink_to_fit();
  s->used = GX_REF{};
  s->usedValid = 0;
  s->pending.clear();
}

void GXSheetDestroy(int sheet) {
  if (!GXSheetGet(sheet)) return;
  GXSheetEmpty(sheet);
  GX_SHEET* s = GXSheetGet(sheet);
  for (GX_NAME* n = s->retiredNames; n;) {
    GX_NAME* next = n->next;
    delete n;
    n = next;
  }
  GXEngineState()->sheets[sheet - 1].reset();
}

GX_CELL* GXCellFind(int sheet, int row, int col) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return nullptr;
  for (GX_CELL* c = s->hash[Bucket(row, col)]; c; c = c->next)
    if (c->row == row && c->col == col) return c;
  return nullptr;
}

int GXCellLink(int sheet, GX_CELL* cell) {
  GX_SHEET* s = GXSheetGet(sheet);
  uint32_t b = Bucket(cell->row, cell->col);
  cell->next = s->hash[b];
  s->hash[b] = cell;
  cell->flags |= kGXLinked;
  ++s->cellCount;
  GrowCounts(s->rowCounts, static_cast<size_t>(cell->row));
  GrowCounts(s->colCounts, static_cast<size_t>(cell->col) + 1);
  ++s->rowCounts[cell->row - 1];
  ++s->colCounts[cell->col];
  if (!s->usedValid) {
    GXRefMake(s->used, cell->row, cell->col, cell->row, cell->col, 0);
    s->usedValid = 1;
  } else {
    GXRefMake(s->used, std::min(s->used.Row1(), cell->row), std::min(s->used.Col1(), cell->col),
              std::max(s->used.Row2(), cell->row), std::max(s->used.Col2(), cell->col), 0);
  }
  s->modified = 1;
  return 1;
}

void GXCellUnlink(int sheet, GX_CELL* cell) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !cell || !cell->IsLinked()) return;
  GX_CELL** link = &s->hash[Bucket(cell->row, cell->col)];
  while (*link && *link != cell) link = &(*link)->next;
  if (!*link) return;
  *link = cell->next;
  cell->next = nullptr;
  cell->flags &= ~kGXLinked;
  --s->cellCount;
  s->modified = 1;
  int& rowCount = s->rowCounts[cell->row - 1];
  int& colCount = s->colCounts[cell->col];
  --rowCount;
  --colCount;
  if (!s->usedValid) return;
  int r1 = s->used.Row1(), r2 = s->used.Row2(), c1 = s->used.Col1(), c2 = s->used.Col2();
  if (rowCount == 0 && (cell->row == r1 || cell->row == r2)) {
    if (cell->row == r1) {
      while (r1 <= r2 && s->rowCounts[r1 - 1] == 0) ++r1;
    }
    if (r1 <= r2 && cell->row == r2) {
      while (r2 >= r1 && s->rowCounts[r2 - 1] == 0) --r2;
    }
  }
  if (colCount == 0 && (cell->col == c1 || cell->col == c2)) {
    if (cell->col == c1) {
      while (c1 <= c2 && s->colCounts[c1] == 0) ++c1;
    }
    if (c1 <= c2 && cell->col == c2) {
      while (c2 >= c1 && s->colCounts[c2] == 0) --c2;
    }
  }
  if (r1 > r2 || c1 > c2 || s->cellCount == 0) {
    s->usedValid = 0;
    s->used = GX_REF{};
    return;
  }
  GXRefMake(s->used, r1, c1, r2, c2, 0);
}

void GXCellRemove(int sheet, GX_CELL* cell) {
  if (!cell) return;
  GXCellUnlink(sheet, cell);
  GXCellFree(cell);
}

GX_CELL* GXPoolAlloc(GX_CELL_POOL& pool) {
  GX_CELL_BLOCK* block = nullptr;
  if (!pool.defer) {
    if (pool.head && pool.head->used != 0xFFFFFFFFu) block = pool.head;
  } else {
    for (GX_CELL_BLOCK* b = pool.head; b; b = b->next)
      if (b->used != 0xFFFFFFFFu && !b->dirty) {
        block = b;
        break;
      }
  }
  if (!block) {
    block = new GX_CELL_BLOCK;
    block->pool = &pool;
    ++pool.blocks;
    PoolPushFront(pool, block);
  }
  int slot = std::countr_one(block->used);
  block->used |= 1u << slot;
  if (block->used == 0xFFFFFFFFu && block != pool.tail) {
    if (pool.defer) {
      pool.dirty = true;
    } else {
      PoolUnlinkBlock(pool, block);
      PoolPushBack(pool, block);
    }
  }
  GX_CELL* cell = &block->slots[slot];
  *cell = GX_CELL{};
  cell->block = block;
  cell->flags = static_cast<uint32_t>(slot) << kGXSlotShift;
  ++pool.count;
  return cell;
}

void GXCellFree(GX_CELL* cell) {
  if (!cell) return;
  GX_CELL_BLOCK* block = cell->block;
  GX_CELL_POOL& pool = *block->pool;
  delete cell->style;
  cell->style = nullptr;
  if (cell->code) {
    GXCodeFree(cell->code);
    cell->code = nullptr;
    if (pool.defer) block->dirty = true;
  }
  FreeLongText(cell);
  int slot = static_cast<int>((cell->flags & kGXSlotMask) >> kGXSlotShift);
  block->used &= ~(1u << slot);
  cell->flags = 0;
  --pool.count;
  if (block->used != 0) {
    if (block == pool.head) return;
    if (pool.defer) {
      pool.dirty = true;
    } else {
      PoolUnlinkBlock(pool, block);
      PoolPushFront(pool, block);
    }
    return;
  }
  if (pool.defer) {
    pool.dirty = true;
  } else {
    PoolUnlinkBlock(pool, block);
    --pool.blocks;
    delete block;
  }
}

namespace {

// Blocks whose cells an undo info still holds after their sheet was emptied;
// a block goes when its last cell is freed.
GX_CELL_POOL& OrphanPool() {
  static GX_CELL_POOL pool;
  return pool;
}

}  // namespace

void GXPoolFreeAll(GX_CELL_POOL& pool) {
  GX_CELL_POOL& orphans = OrphanPool();
  for (GX_CELL_BLOCK* b = pool.head; b;) {
    GX_CELL_BLOCK* next = b->next;
    for (int i = 0; i < 32; ++i) {
      if (!(b->used & (1u << i))) continue;
      GX_CELL& c = b->slots[i];
      if (!c.IsLinked()) continue;  // held by an undo info
      delete c.style;
      GXCodeFree(c.code);
      if (c.ValueKind() == GX_VALUE_LONG_TEXT) delete[] c.value.longText;
      c = GX_CELL{};
      b->used &= ~(1u << i);
    }
    if (b->used) {
      b->pool = &orphans;
      orphans.count += std::popcount(b->used);
      ++orphans.blocks;
      PoolPushBack(orphans, b);
    } else {
      delete b;
    }
    b = next;
  }
  bool defer = pool.defer;
  pool = GX_CELL_POOL{};
  pool.defer = defer;
}

void GXPoolCompact(GX_CELL_POOL& pool) {
  GX_CELL_BLOCK* b = pool.head ? pool.head->next : nullptr;
  while (b) {
    GX_CELL_BLOCK* next = b->next;
    b->dirty = false;
    if (b->used == 0) {
      PoolUnlinkBlock(pool, b);
      --pool.blocks;
      delete b;
    } else if (b->used != 0xFFFFFFFFu) {
      PoolUnlinkBlock(pool, b);
      PoolPushFront(pool, b);
    }
    b = next;
  }
  if (pool.head) {
    pool.head->dirty = false;
    if (pool.head->used == 0 && pool.head->next) {
      GX_CELL_BLOCK* empty = pool.head;
      PoolUnlinkBlock(pool, empty);
      --pool.blocks;
      delete empty;
    }
  }
  pool.dirty = false;
}

GX_CELL_POOL& GXPoolForKind(GX_SHEET* sheet, int kind) {
  if (kind == GX_KIND_PLACEHOLDER) return sheet->placeholders;
  if (kind == GX_KIND_FORMULA) return sheet->formulas;
  return sheet->values;
}

int GXCellSetNumber(int sheet, int row, int col, double value) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !InSheet(row, col)) return 0;
  s->modified = 1;
  CGXStyle* style = TakeOldCell(sheet, row, col);
  GX_CELL* cell = GXPoolAlloc(s->values);
  cell->row = row;
  cell->col = col;
  cell->style = style;
  cell->SetKind(GX_KIND_NUMBER);
  cell->SetValueKind(GX_VALUE_NUMBER);
  cell->value.number = value;
  GXCellLink(sheet, cell);
  return 1;
}

int GXCellSetText(int sheet, int row, int col, const std::string& text) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !InSheet(row, col)) return 0;
  s->modified = 1;
  CGXStyle* style = TakeOldCell(sheet, row, col);
  GX_CELL* cell = GXPoolAlloc(s->values);
  cell->row = row;
  cell->col = col;
  cell->style = style;
  cell->SetKind(GX_KIND_TEXT);
  PutText(cell, GXUnescapeText(text));
  GXCellLink(sheet, cell);
  return 1;
}

int GXCellSetFormula(int sheet, int row, int col, const char* text) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !InSheet(row, col)) return 0;
  GX_CODE* code = new GX_CODE;
  if (!GXCompile(sheet, text, code)) {
    GXCodeFree(code);
    return 0;
  }
  const GX_ITEM& root = code->items[code->root];
  if (root.kind == GX_ITEM_NUMBER && !(root.flags & kGXItemHex) && code->ItemCount() == 1 &&
      code->constraintRoot < 0 && code->depList < 0 && !code->hasComment) {
    double value = root.number;
    GXCodeFree(code);
    return GXCellSetNumber(sheet, row, col, value);
  }
  s->modified = 1;
  CGXStyle* style = TakeOldCell(sheet, row, col);
  bool refs = GXCodeHasRefs(code->items.data(), code->ItemCount()) ||
              GXCodeHasCalls(code->items.data(), code->ItemCount());
  GX_CELL* cell = GXPoolAlloc(refs ? s->formulas : s->values);
  cell->row = row;
  cell->col = col;
  cell->style = style;
  cell->code = code;
  cell->SetKind(refs ? GX_KIND_FORMULA : GX_KIND_CONST_FORMULA);
  cell->generation = s->generation;
  GXCellLink(sheet, cell);
  if (!refs) GXCellEvaluate(sheet, cell);
  return 1;
}

void GXCellStoreValue(GX_CELL* cell, const GX_VALUE& value) {
  FreeLongText(cell);
  switch (value.kind) {
    case GX_VALUE_NUMBER:
      cell->value.number = value.number;
      cell->SetValueKind(GX_VALUE_NUMBER);
      break;
    case GX_VALUE_LONG_TEXT:
    case GX_VALUE_SHORT_TEXT:
      PutText(cell, value.text);
      break;
    case GX_VALUE_ERROR:
      cell->value.error.code = value.errorCode;
      cell->value.error.extra = value.errorExtra;
      cell->SetValueKind(GX_VALUE_ERROR);
      break;
    default:
      // A long text pointer must not survive as a stale payload.
      if (cell->ValueKind() == GX_VALUE_LONG_TEXT) cell->value.longText = nullptr;
      cell->SetValueKind(value.kind);
      break;
  }
}

GX_CELL* GXCellCopy(GX_CELL_POOL& pool, const GX_CELL* cell) {
  GX_CELL* copy = GXPoolAlloc(pool);
  uint32_t slotBits = copy->flags & kGXSlotMask;
  GX_CELL_BLOCK* block = copy->block;
  copy->row = cell->row;
  copy->col = cell->col;
  copy->value = cell->value;
  if (cell->ValueKind() == GX_VALUE_LONG_TEXT && cell->value.longText)
    copy->value.longText = CopyText(cell->value.longText);
  copy->code = GXCodeCopy(cell->code);
  copy->generation = cell->generation;
  copy->flags = (cell->flags & ~(kGXLinked | kGXSlotMask)) | slotBits;
  copy->style = cell->style;
  copy->block = block;
  copy->next = nullptr;
  return copy;
}

GX_CELL* GXCellClone(const GX_CELL* cell) {
  GX_CELL* copy = GXCellCopy(*cell->block->pool, cell);
  copy->style = cell->style ? cell->style->Clone() : nullptr;
  return copy;
}

GX_CELL* GXCellAddPlaceholder(int sheet, int row, int col) {
  GX_SHEET* s = GXSheetGet(sheet);
  GX_CELL* cell = GXPoolAlloc(s->placeholders);
  cell->row = row;
  cell->col = col;
  cell->SetKind(GX_KIND_PLACEHOLDER);
  GXCellLink(sheet, cell);
  return cell;
}

void GXPoolIterInit(GX_CELL_POOL& pool, GX_POOL_ITER& iter) {
  iter.block = pool.head;
  iter.slot = 0;
}

GX_CELL* GXPoolIterNext(GX_POOL_ITER& iter) {
  while (iter.block) {
    while (iter.slot < 32) {
      int slot = iter.slot++;
      if (iter.block->used & (1u << slot)) return &iter.block->slots[slot];
    }
    iter.block = iter.block->next;
    iter.slot = 0;
  }
  return nullptr;
}

int GXSheetCountCells(int sheet, int selection) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return 0;
  int n = 0;
  if (selection & kGXPoolValues) n += s->values.count;
  if (selection & kGXPoolFormulas) n += s->formulas.count;
  if (selection & kGXPoolPlaceholders) n += s->placeholders.count;
  return n;
}

void GXCellIterInit(int sheet, int row1, int row2, const GX_REF& columns, GX_CELL_ITER& iter, int selection) {
  iter = GX_CELL_ITER{};
  iter.sheet = sheet;
  iter.selection = selection;
  iter.range.SetRow1(row1);
  iter.range.SetRow2(row2);
  iter.range.SetCol1(columns.Col1());
  iter.range.SetCol2(columns.Col2());
  long long area = static_cast<long long>(row2 - row1 + 1) * (columns.Col2() - columns.Col1() + 1);
  iter.probe = area > 0 && area < GXSheetCountCells(sheet, selection);
  iter.row = row1;
  iter.col = columns.Col1();
  iter.poolIndex = -1;
}

void GXCellIterInitRef(int sheet, const GX_REF& range, GX_CELL_ITER& iter, int selection) {
  GXCellIterInit(sheet, range.Row1(), range.Row2(), range, iter, selection);
}

GX_CELL* GXCellIterNext(GX_CELL_ITER& iter) {
  GX_SHEET* s = GXSheetGet(iter.sheet);
  if (!s) return nullptr;
  const GX_REF& r = iter.range;
  if (iter.probe) {
    while (iter.col <= r.Col2()) {
      if (iter.row > r.Row2()) {
        ++iter.col;
        iter.row = r.Row1();
        continue;
      }
      GX_CELL* c = GXCellFind(iter.sheet, iter.row++, iter.col);
      if (!c) continue;
      int kind = c->Kind();
      int bit = kind == GX_KIND_PLACEHOLDER ? kGXPoolPlaceholders
                : kind == GX_KIND_FORMULA   ? kGXPoolFormulas
                                            : kGXPoolValues;
      if (iter.selection & bit) return c;
    }
    return nullptr;
  }
  GX_CELL_POOL* pools[3] = {&s->values, &s->formulas, &s->placeholders};
  int bits[3] = {kGXPoolValues, kGXPoolFormulas, kGXPoolPlaceholders};
  for (;;) {
    if (iter.poolIndex >= 0) {
      while (GX_CELL* c = GXPoolIterNext(iter.poolIter))
        if (c->IsLinked() && r.Contains(c->row, c->col)) return c;
    }
    do {
      ++iter.poolIndex;
    } while (iter.poolIndex < 3 && !(iter.selection & bits[iter.poolIndex]));
    if (iter.poolIndex >= 3) return nullptr;
    GXPoolIterInit(*pools[iter.poolIndex], iter.poolIter);
  }
}

int GXSheetGetUsedRange(int sheet, GX_REF& ref) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !s->usedValid) return 0;
  ref = s->used;
  return 1;
}

int GXSheetClipToUsed(int sheet, GX_REF& ref) {
  GX_REF used;
  if (!GXSheetGetUsedRange(sheet, used) || !GXRefIntersects(ref, used)) return 0;
  GX_REF out;
  GXRefMake(out, std::max(ref.Row1(), used.Row1()), std::max(ref.Col1(), used.Col1()),
            std::min(ref.Row2(), used.Row2()), std::min(ref.Col2(), used.Col2()), 0);
  ref = out;
  return 1;
}

namespace {

int SetOption(int sheet, int GX_SHEET::*field, int value, int max) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || value < 0 || value > max) return 0;
  s->*field = value;
  return 1;
}

int GetOption(int sheet, int GX_SHEET::*field) {
  GX_SHEET* s = GXSheetGet(sheet);
  return s ? s->*field : 0;
}

}  // namespace

int GXSheetSetManual(int sheet, int value) { return SetOption(sheet, &GX_SHEET::manual, value, 1); }
int GXSheetGetManual(int sheet) { return GetOption(sheet, &GX_SHEET::manual); }
int GXSheetSetComputeNow(int sheet, int value) { return SetOption(sheet, &GX_SHEET::computeNow, value, 1); }
int GXSheetGetComputeNow(int sheet) { return GetOption(sheet, &GX_SHEET::computeNow); }
int GXSheetSetCheckConstraints(int sheet, int value) {
  return SetOption(sheet, &GX_SHEET::checkConstraints, value, 1);
}
int GXSheetGetCheckConstraints(int sheet) { return GetOption(sheet, &GX_SHEET::checkConstraints); }
int GXSheetSetBlankZero(int sheet, int value) { return SetOption(sheet, &GX_SHEET::blankZero, value, 1); }
int GXSheetGetBlankZero(int sheet) { return GetOption(sheet, &GX_SHEET::blankZero); }
int GXSheetSetIterationCount(int sheet, int value) { return SetOption(sheet, &GX_SHEET::iterations, value, 100); }
int GXSheetGetIterationCount(int sheet) { return GetOption(sheet, &GX_SHEET::iterations); }

int GXSheetBeginDefer(int sheet, int selection) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return 0;
  int bits = 0;
  GX_CELL_POOL* pools[3] = {&s->values, &s->formulas, &s->placeholders};
  for (int i = 0; i < 3; ++i) {
    if ((selection & (1 << i)) && !pools[i]->defer) {
      pools[i]->defer = true;
      bits |= 1 << i;
    }
  }
  return bits;
}

void GXSheetEndDefer(int sheet, int bits) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s) return;
  GX_CELL_POOL* pools[3] = {&s->values, &s->formulas, &s->placeholders};
  for (int i = 0; i < 3; ++i) {
    if (!(bits & (1 << i))) continue;
    pools[i]->defer = false;
    if (pools[i]->dirty) GXPoolCompact(*pools[i]);
  }
}

void GXSaveForUndo(int sheet, GX_CELL* cell) {
  GX_SHEET* s = GXSheetGet(sheet);
  cell->next = s->savedCells;
  s->savedCells = cell;
}

void GXFreeCellList(GX_CELL* list) {
  while (list) {
    GX_CELL* next = list->next;
    GXCellFree(list);
    list = next;
  }
}
