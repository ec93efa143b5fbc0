// The formula engine's storage: the process-wide engine state with its sheet
// table, engine sheets, the cell record, the pools of 32-cell blocks, the
// position hash, per-row and per-column counts with the used range, the sheet
// options and deferral. Everything above (compiler, evaluator, recalculation,
// range operations) works on sheet numbers and cells through these functions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/formula/GXCode.h"
#include "grid/formula/GXRef.h"

class CGXStyle;
class CGXFormulaSheet;
class CGXFunctionHook;

// Cell flag word.
constexpr uint32_t kGXKindMask = 0x0F;
constexpr uint32_t kGXValueKindShift = 4;
constexpr uint32_t kGXValueKindMask = 0xF0;
constexpr uint32_t kGXLinked = 1u << 8;
constexpr uint32_t kGXSlotShift = 9;
constexpr uint32_t kGXSlotMask = 0x3Fu << 9;
constexpr uint32_t kGXNeedsRecalc = 1u << 15;
constexpr uint32_t kGXUpToDate = 1u << 16;
constexpr uint32_t kGXComputing = 1u << 17;
constexpr uint32_t kGXChanged = 1u << 18;
constexpr uint32_t kGXCircular = 1u << 19;
constexpr uint32_t kGXViolated = 1u << 20;

enum GXCellKind : int {
  GX_KIND_PLACEHOLDER = 0,
  GX_KIND_NUMBER = 1,
  GX_KIND_TEXT = 2,
  GX_KIND_FORMULA = 3,        // with references or calls
  GX_KIND_CONST_FORMULA = 4,  // without
};

enum GXValueKind : int {
  GX_VALUE_NONE = 0,
  GX_VALUE_NA = 1,
  GX_VALUE_ERROR = 2,
  GX_VALUE_NUMBER = 3,
  GX_VALUE_LONG_TEXT = 4,
  GX_VALUE_SHORT_TEXT = 5,
};

struct GX_CELL_BLOCK;
struct GX_CELL_POOL;

struct GX_CELL {
  GX_CELL* next = nullptr;  // hash chain, or a temporary list while unlinked
  int32_t row = 0;
  int32_t col = 0;
  union Value {
    double number;
    char shortText[8];  // no terminator
    char* longText;     // owned, more than 8 characters
    struct {
      uint32_t code;
      uint32_t extra;  // an index into the error-extra table, never a pointer
    } error;
  } value{};
  GX_CODE* code = nullptr;
  uint32_t generation = 0;
  uint32_t flags = 0;
  CGXStyle* style = nullptr;  // owned
  GX_CELL_BLOCK* block = nullptr;

  int Kind() const { return static_cast<int>(flags & kGXKindMask); }
  int ValueKind() const { return static_cast<int>((flags & kGXValueKindMask) >> kGXValueKindShift); }
  void SetKind(int kind) { flags = (flags & ~kGXKindMask) | (static_cast<uint32_t>(kind) & kGXKindMask); }
  void SetValueKind(int kind) {
    flags = (flags & ~kGXValueKindMask) | ((static_cast<uint32_t>(kind) << kGXValueKindShift) & kGXValueKindMask);
  }
  bool IsFormula() const { return Kind() == GX_KIND_FORMULA || Kind() == GX_KIND_CONST_FORMULA; }
  bool IsLinked() const { return (flags & kGXLinked) != 0; }
  // The text of a text value (short or long); empty for other kinds.
  std::string Text() const;
};

struct GX_CELL_BLOCK {
  uint32_t used = 0;  // bit i = slot i in use
  bool dirty = false;
  GX_CELL_BLOCK* next = nullptr;
  GX_CELL_BLOCK* prev = nullptr;
  GX_CELL_POOL* pool = nullptr;
  GX_CELL slots[32];
};

struct GX_CELL_POOL {
  GX_CELL_BLOCK* head = nullptr;
  GX_CELL_BLOCK* tail = nullptr;
  int count = 0;
  bool defer = false;
  bool dirty = false;
  int blocks = 0;
};

struct GX_NAME {
  GX_NAME* next = nullptr;
  std::string name;  // at most 31 characters
  GX_REF ref;
};

struct GX_SHEET {
  static constexpr uint32_t kBuckets = 32749;
  std::array<GX_CELL*, kBuckets> hash{};
  GX_CELL_POOL values;
  GX_CELL_POOL formulas;
  GX_CELL_POOL placeholders;
  GX_NAME* names = nullptr;
  GX_NAME* savedName = nullptr;
  // Removed names; kept until the sheet goes because saved formulas of undo
  // infos may still point at them.
  GX_NAME* retiredNames = nullptr;
  int manual = 0;
  int computeNow = 0;
  int checkConstraints = 0;
  int iterations = 0;
  int blankZero = 0;
  int placeholderOption = 0;
  int cellCount = 0;
  int modified = 0;
  uint32_t generation = 0;
  std::vector<int> rowCounts;  // index row - 1
  std::vector<int> colCounts;  // index column
  GX_REF used;
  int usedValid = 0;
  std::vector<GX_REF> pending;  // changed ranges for the next recalculation
  int recalcFlags = 0;          // bit 0 running, bit 1 forced, bit 6 iterating
  int messageArmed = 0;
  int undoRecording = 0;
  GX_REF undoRange;
  int undoClear = 0;
  GX_CELL* savedCells = nullptr;  // unlinked cells kept for undo, newest first
  int cycle = 0;
  std::string message;
  CGXFormulaSheet* owner = nullptr;
};

// Recalculation flags.
constexpr int kGXRecalcRunning = 1;
constexpr int kGXRecalcForced = 2;
constexpr int kGXRecalcIterating = 64;

// Pool selection bits.
constexpr int kGXPoolValues = 1;
constexpr int kGXPoolFormulas = 2;
constexpr int kGXPoolPlaceholders = 4;
constexpr int kGXPoolAll = 255;

struct GX_ENGINE_STATE {
  int errorFlag = 0;
  int errorCode = 0;
  int errorPos = 0;
  std::vector<std::unique_ptr<GX_SHEET>> sheets;  // entry n-1 holds sheet n
  std::unique_ptr<CGXFunctionHook> hook;
  // Texts a function implementation attaches to an error (the extra word of
  // an error value is an index into this table, 0 for none).
  std::vector<std::string> extraTexts;
  GX_ENGINE_STATE();
  ~GX_ENGINE_STATE();
};

GX_ENGINE_STATE* GXEngineState();
// Registers a text for an error's extra word and returns its index (from 1).
uint32_t GXRegisterErrorExtra(const std::string& text);
// The text of an error extra word; empty for 0 or an unknown index.
std::string GXErrorExtraText(uint32_t extra);

int GXSheetCreate();
// The sheet of a number; null for a number that holds no sheet.
GX_SHEET* GXSheetGet(int sheet);
void GXSheetDestroy(int sheet);
// Frees every cell, name and pending range and resets the hash, counts and
// used range as for a new sheet; the options stay.
void GXSheetEmpty(int sheet);

GX_CELL* GXCellFind(int sheet, int row, int col);
int GXCellLink(int sheet, GX_CELL* cell);
void GXCellUnlink(int sheet, GX_CELL* cell);
void GXCellRemove(int sheet, GX_CELL* cell);

GX_CELL* GXPoolAlloc(GX_CELL_POOL& pool);
void GXCellFree(GX_CELL* cell);
void GXPoolFreeAll(GX_CELL_POOL& pool);
void GXPoolCompact(GX_CELL_POOL& pool);

int GXCellSetNumber(int sheet, int row, int col, double value);
int GXCellSetText(int sheet, int row, int col, const std::string& text);
int GXCellSetFormula(int sheet, int row, int col, const char* text);

// A value as the evaluator converts an operand: a value kind with its payload.
struct GX_VALUE {
  int kind = GX_VALUE_NONE;
  double number = 0;
  std::string text;
  uint32_t errorCode = 0;
  uint32_t errorExtra = 0;
};
void GXCellStoreValue(GX_CELL* cell, const GX_VALUE& value);
GX_CELL* GXCellCopy(GX_CELL_POOL& pool, const GX_CELL* cell);
GX_CELL* GXCellClone(const GX_CELL* cell);
GX_CELL* GXCellAddPlaceholder(int sheet, int row, int col);
// The pool a cell of this kind belongs to.
GX_CELL_POOL& GXPoolForKind(GX_SHEET* sheet, int kind);

struct GX_POOL_ITER {
  GX_CELL_BLOCK* block = nullptr;
  int slot = 0;
};
void GXPoolIterInit(GX_CELL_POOL& pool, GX_POOL_ITER& iter);
GX_CELL* GXPoolIterNext(GX_POOL_ITER& iter);

struct GX_CELL_ITER {
  int sheet = 0;
  GX_REF range;
  int selection = 0;
  bool probe = false;
  // probing
  int row = 0;
  int col = 0;
  // pool scanning
  int poolIndex = 0;
  GX_POOL_ITER poolIter;
};
void GXCellIterInit(int sheet, int row1, int row2, const GX_REF& columns, GX_CELL_ITER& iter, int selection);
void GXCellIterInitRef(int sheet, const GX_REF& range, GX_CELL_ITER& iter, int selection);
GX_CELL* GXCellIterNext(GX_CELL_ITER& iter);
int GXSheetCountCells(int sheet, int selection);

int GXSheetGetUsedRange(int sheet, GX_REF& ref);
int GXSheetClipToUsed(int sheet, GX_REF& ref);

int GXSheetSetManual(int sheet, int value);
int GXSheetGetManual(int sheet);
int GXSheetSetComputeNow(int sheet, int value);
int GXSheetGetComputeNow(int sheet);
int GXSheetSetCheckConstraints(int sheet, int value);
int GXSheetGetCheckConstraints(int sheet);
int GXSheetSetBlankZero(int sheet, int value);
int GXSheetGetBlankZero(int sheet);
int GXSheetSetIterationCount(int sheet, int value);
int GXSheetGetIterationCount(int sheet);

int GXSheetBeginDefer(int sheet, int selection);
void GXSheetEndDefer(int sheet, int bits);

// Pushes an unlinked cell onto the sheet's undo list.
void GXSaveForUndo(int sheet, GX_CELL* cell);
// Frees a list of unlinked cells chained through their links.
void GXFreeCellList(GX_CELL* list);

// Defers all pools of a sheet for a scope.
class GXDeferScope {
 public:
  explicit GXDeferScope(int sheet, int selection = kGXPoolAll) : sheet_(sheet), bits_(GXSheetBeginDefer(sheet, selection)) {}
  ~GXDeferScope() { GXSheetEndDefer(sheet_, bits_); }
  GXDeferScope(const GXDeferScope&) = delete;
  GXDeferScope& operator=(const GXDeferScope&) = delete;

 private:
  int sheet_;
  int bits_;
};
