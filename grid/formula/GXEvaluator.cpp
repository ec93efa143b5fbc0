#include "grid/formula/GXEvaluator.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "grid/formula/GXErrorText.h"
#include "grid/formula/GXFunctionHook.h"

namespace {

constexpr uint32_t kErrBlank = 60;
constexpr uint32_t kErrDivZero = 70;
constexpr uint32_t kErrIllegalRef = 89;
constexpr uint32_t kErrBadCat = 91;
constexpr uint32_t kErrInvalidCell = 110;
constexpr uint32_t kErrModZero = 122;
constexpr uint32_t kErrNonNumeric = 128;
constexpr uint32_t kErrOperandError = 133;
constexpr uint32_t kErrTooBig = 136;
constexpr uint32_t kErrCatTypes = 140;
constexpr uint32_t kErrRangeOperands = 141;
constexpr uint32_t kErrRangeResult = 149;
constexpr uint32_t kErrStringTooLong = 150;
constexpr uint32_t kErrUnresolvedName = 283;
constexpr uint32_t kErrUnconsumed = 284;

struct EvalRaised {
  uint32_t code;
  uint32_t extra;
};

// The state of the running evaluation; saved and restored around each one.
struct GX_EVAL_STATE {
  int sheet = 0;
  const char* function = nullptr;
  int row = 0;
  int col = 0;
  uint32_t errorCode = 0;
  uint32_t errorExtra = 0;
  std::vector<GX_OPERAND>* args = nullptr;
};

GX_EVAL_STATE& EvalState() {
  static GX_EVAL_STATE state;
  return state;
}

GX_OPERAND Number(double value) {
  GX_OPERAND o;
  o.kind = GX_OPND_NUMBER;
  o.number = value;
  return o;
}

GX_OPERAND ErrorOperand(uint32_t code, uint32_t extra = 0) {
  GX_OPERAND o;
  o.kind = GX_OPND_ERROR;
  o.errorCode = code;
  o.errorExtra = extra;
  return o;
}

class Evaluator {
 public:
  Evaluator(int sheet, const std::vector<GX_ITEM>& items) : sheet_(sheet), items_(items) {}

  GX_OPERAND Item(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) GXEvalRaise(kErrUnconsumed);
    const GX_ITEM& item = items_[index];
    GX_OPERAND o;
    switch (item.kind) {
      case GX_ITEM_OPERATOR:
        return Operator(item);
      case GX_ITEM_NUMBER:
        return Number(item.number);
      case GX_ITEM_STRING:
        o.kind = GX_OPND_TEXT;
        o.text = item.text;
        return o;
      case GX_ITEM_CELL:
        o.kind = GX_OPND_CELLREF;
        o.ref = item.ref;
        return o;
      case GX_ITEM_RANGE:
        o.kind = GX_OPND_RANGE;
        o.ref = item.ref;
        return o;
      case GX_ITEM_NAMED_CELL:
      case GX_ITEM_NAMED_RANGE:
        if (!item.name) GXEvalRaise(kErrIllegalRef);
        o.kind = item.kind == GX_ITEM_NAMED_CELL ? GX_OPND_CELLREF : GX_OPND_RANGE;
        o.ref = item.name->ref;
        return o;
      case GX_ITEM_NAME:
        GXEvalRaise(kErrUnresolvedName);
      case GX_ITEM_FUNCTION:
        return Call(index);
      case GX_ITEM_RELATIVE:
        return Relative(item);
      default:
        GXEvalRaise(kErrUnconsumed);
    }
  }

 private:
  GX_OPERAND Relative(const GX_ITEM& item) {
    const GX_EVAL_STATE& st = EvalState();
    long long row = st.row, col = st.col;
    if (item.rowOffset >= 0) row += static_cast<long long>(std::trunc(GXOperandToNumber(sheet_, Item(item.rowOffset))));
    if (item.colOffset >= 0) col += static_cast<long long>(std::trunc(GXOperandToNumber(sheet_, Item(item.colOffset))));
    GX_REF ref;
    ref.SetRow1(static_cast<int>(row & 0xFFFFFF));
    ref.SetCol1(static_cast<int>(col & 0x1FFF));
    ref.Set(GX_REF::kOneCell, true);
    if (ref.Row1() <= 0 || ref.Col1() > kGXMaxCol) GXEvalRaise(kErrInvalidCell);
    GXRefNormalize(ref);
    GX_OPERAND o;
    o.kind = GX_OPND_CELLREF;
    o.ref = ref;
    return o;
  }

  double Num(const GX_OPERAND& o) { return GXOperandToNumber(sheet_, o); }
  int32_t Int(const GX_OPERAND& o) { return GXOperandToInt(sheet_, o); }

  GX_OPERAND Operator(const GX_ITEM& item) {
    switch (item.op) {
      case GX_OP_ADD:
      case GX_OP_SUB:
      case GX_OP_MUL:
      case GX_OP_DIV:
      case GX_OP_POW: {
        GX_OPERAND l = Item(item.left), r = Item(item.right);
        double a = Num(l), b = Num(r);
        switch (item.op) {
          case GX_OP_ADD: return Number(a + b);
          case GX_OP_SUB: return Number(a - b);
          case GX_OP_MUL: return Number(a * b);
          case GX_OP_DIV:
            if (b == 0) GXEvalRaise(kErrDivZero);
            return Number(a / b);
          default: {
            double v = std::pow(a, b);
            if (std::isnan(v) || (std::isinf(v) && std::isfinite(a) && std::isfinite(b))) GXEvalRaise(kErrDivZero);
            return Number(v);
          }
        }
      }
      case GX_OP_PLUS:
        return Number(Num(Item(item.right)));
      case GX_OP_NEG:
        return Number(-Num(Item(item.right)));
      case GX_OP_MOD: {
        GX_OPERAND l = Item(item.left), r = Item(item.right);
        int32_t a = Int(l), b = Int(r);
        if (b == 0) GXEvalRaise(kErrModZero);
        if (b == -1) return Number(0);
        return Number(a % b);
      }
      case GX_OP_AND: {
        if (Num(Item(item.left)) == 0) return Number(0);
        return Number(Num(Item(item.right)) != 0 ? 1 : 0);
      }
      case GX_OP_OR: {
        if (Num(Item(item.left)) != 0) return Number(1);
        return Number(Num(Item(item.right)) != 0 ? 1 : 0);
      }
      case GX_OP_NOT:
        return Number(Num(Item(item.right)) == 0 ? 1 : 0);
      case GX_OP_CAT:
        return Concatenate(item);
      case GX_OP_BITOR:
      case GX_OP_BITXOR:
      case GX_OP_SHL:
      case GX_OP_SHR: {
        GX_OPERAND l = Item(item.left), r = Item(item.right);
        int32_t a = Int(l), b = Int(r);
        uint32_t ua = static_cast<uint32_t>(a);
        unsigned shift = static_cast<uint32_t>(b) % 32;
        switch (item.op) {
          case GX_OP_BITOR: return Number(static_cast<int32_t>(ua | static_cast<uint32_t>(b)));
          case GX_OP_BITXOR: return Number(static_cast<int32_t>(ua ^ static_cast<uint32_t>(b)));
          case GX_OP_SHL: return Number(static_cast<int32_t>(ua << shift));
          default: return Number(a >> shift);
        }
      }
      case GX_OP_BITNOT:
        return Number(~Int(Item(item.right)));
      case GX_OP_EQ:
      case GX_OP_NE:
      case GX_OP_LT:
      case GX_OP_GT:
      case GX_OP_LE:
      case GX_OP_GE:
        return Compare(item);
      case GX_OP_COND: {
        if (item.right < 0 || items_[item.right].kind != GX_ITEM_EXTENSION) GXEvalRaise(kErrUnconsumed);
        const GX_ITEM& ext = items_[item.right];
        return Num(Item(item.left)) != 0 ? Item(ext.left) : Item(ext.right);
      }
      case GX_OP_RANGE: {
        GX_OPERAND l = Item(item.left), r = Item(item.right);
        if (l.kind != GX_OPND_CELLREF || r.kind != GX_OPND_CELLREF) GXEvalRaise(kErrRangeOperands);
        GX_OPERAND o;
        o.kind = GX_OPND_RANGE;
        o.ref = l.ref;
        o.ref.Set(GX_REF::kOneCell, false);
        o.ref.SetRow2(r.ref.Row1());
        o.ref.SetCol2(r.ref.Col1());
        o.ref.Set(GX_REF::kAbsRow2, r.ref.Has(GX_REF::kAbsRow1));
        o.ref.Set(GX_REF::kAbsCol2, r.ref.Has(GX_REF::kAbsCol1));
        GXRefNormalize(o.ref);
        return o;
      }
      case GX_OP_PERCENT:
        return Number(Num(Item(item.right)) * 0.01);
      case GX_OP_ERROR:
        return ErrorOperand(kErrIllegalRef);
      default:
        GXEvalRaise(kErrUnconsumed);
    }
  }

  GX_OPERAND Concatenate(const GX_ITEM& item) {
    GX_OPERAND l = Item(item.left), r = Item(item.right);
    if (!GXOperandDeref(sheet_, l) || !GXOperandDeref(sheet_, r)) GXEvalRaise(kErrBadCat);
    if (l.kind != r.kind) GXEvalRaise(kErrCatTypes);
    if (l.kind == GX_OPND_TEXT) {
      if (l.text.size() + r.text.size() > kGXMaxText) GXEvalRaise(kErrStringTooLong);
      l.text += r.text;
      return l;
    }
    return Number(Int(l) & Int(r));
  }

  GX_OPERAND Compare(const GX_ITEM& item) {
    static const uint32_t kIllegal[] = {94, 90, 93, 96, 92, 95};  // ==, !=, <, >, <=, >=
    uint32_t illegal = kIllegal[item.op - GX_OP_EQ];
    GX_OPERAND l = Item(item.left), r = Item(item.right);
    if (!GXOperandDeref(sheet_, l)) GXEvalRaise(illegal);
    if (!GXOperandDeref(sheet_, r)) GXEvalRaise(illegal);
    int cmp;
    if (l.kind != r.kind) {
      // Every text counts as less than every non-text; different kinds are
      // never equal.
      bool leftText = l.kind == GX_OPND_TEXT;
      switch (item.op) {
        case GX_OP_EQ: return Number(0);
        case GX_OP_NE: return Number(1);
        case GX_OP_LT:
        case GX_OP_LE: return Number(leftText ? 1 : 0);
        default: return Number(leftText ? 0 : 1);
      }
    }
    if (l.kind == GX_OPND_TEXT) {
      cmp = GXCompareText(l.text, r.text);
    } else {
      double a = l.kind == GX_OPND_ERROR ? static_cast<double>(l.errorCode) : l.number;
      double b = r.kind == GX_OPND_ERROR ? static_cast<double>(r.errorCode) : r.number;
      cmp = a < b ? -1 : a > b ? 1 : 0;
    }
    bool result = false;
    switch (item.op) {
      case GX_OP_EQ: result = cmp == 0; break;
      case GX_OP_NE: result = cmp != 0; break;
      case GX_OP_LT: result = cmp < 0; break;
      case GX_OP_GT: result = cmp > 0; break;
      case GX_OP_LE: result = cmp <= 0; break;
      default: result = cmp >= 0; break;
    }
    return Number(result ? 1 : 0);
  }

  // Brings an argument of a numeric parameter to a number where it can.
  void Coerce(GX_OPERAND& o) {
    switch (o.kind) {
      case GX_OPND_NUMBER:
      case GX_OPND_RANGE:
      case GX_OPND_NA:
      case GX_OPND_UNEVALUATED:
        return;
      case GX_OPND_ERROR:
        GXEvalRaise(o.errorCode, o.errorExtra);
      case GX_OPND_CELLREF:
        GXOperandDeref(sheet_, o);
        if (o.kind == GX_OPND_ERROR || o.kind == GX_OPND_NA) GXEvalRaise(kErrNonNumeric);
        break;
      default:
        break;
    }
    if (o.kind == GX_OPND_TEXT) o = Number(strtod(o.text.c_str(), nullptr));
  }

  GX_OPERAND Call(int index) {
    const GX_ITEM& fn = items_[index];
    GX_EVAL_STATE& st = EvalState();
    if (!fn.function) GXEvalRaise(kErrUnresolvedName);
    st.function = fn.function->name.c_str();
    std::vector<GX_OPERAND> args;
    for (int a = fn.right; a >= 0; a = items_[a].right) {
      const GX_ITEM& arg = items_[a];
      if (arg.flags & kGXItemUnevaluated) {
        GX_OPERAND o;
        o.kind = GX_OPND_UNEVALUATED;
        o.items = &items_;
        o.index = arg.left;
        args.push_back(o);
        continue;
      }
      GX_OPERAND o = Item(arg.left);
      if (arg.paramType >= 0 && arg.paramType <= 2) Coerce(o);
      args.push_back(std::move(o));
    }
    GX_OPERAND result;
    st.args = &args;
    if (!fn.function->noCall && fn.function->entry) fn.function->entry(result, args);
    st.errorCode = 0;
    st.args = nullptr;
    return result;
  }

  int sheet_;
  const std::vector<GX_ITEM>& items_;
};

}  // namespace

bool GXEvalRunning() { return EvalState().sheet != 0; }

void GXEvalRaise(uint32_t code, uint32_t extra) {
  GX_EVAL_STATE& st = EvalState();
  st.errorCode = code;
  st.errorExtra = extra;
  throw EvalRaised{code, extra};
}

GX_OPERAND GXEvaluate(int sheet, int row, int col, const std::vector<GX_ITEM>& items, int root) {
  GX_EVAL_STATE saved = EvalState();
  GX_EVAL_STATE& st = EvalState();
  GX_ENGINE_STATE* engine = GXEngineState();
  engine->errorFlag = 0;
  st = GX_EVAL_STATE{};
  st.sheet = sheet ? sheet : -1;
  st.row = row;
  st.col = col;
  GX_OPERAND result;
  try {
    Evaluator evaluator(sheet, items);
    result = evaluator.Item(root);
  } catch (const EvalRaised& e) {
    engine->errorFlag = 1;
    result = ErrorOperand(e.code, e.extra);
  }
  engine->errorCode = static_cast<int>(engine->errorFlag ? st.errorCode : 0);
  st = saved;
  return result;
}

int GXOperandDeref(int sheet, GX_OPERAND& o) {
  switch (o.kind) {
    case GX_OPND_NUMBER:
    case GX_OPND_TEXT:
      return 1;
    case GX_OPND_ERROR:
      GXEvalRaise(o.errorCode, o.errorExtra);
    case GX_OPND_CELLREF:
      break;
    default:
      return 0;
  }
  GX_SHEET* s = GXSheetGet(sheet);
  GX_CELL* cell = GXCellFind(sheet, o.ref.Row1(), o.ref.Col1());
  int kind = cell && cell->Kind() != GX_KIND_PLACEHOLDER ? cell->ValueKind() : GX_VALUE_NONE;
  switch (kind) {
    case GX_VALUE_NA:
      o = GX_OPERAND{};
      o.kind = GX_OPND_NA;
      return 1;
    case GX_VALUE_ERROR:
      if (GXEvalRunning()) GXEvalRaise(kErrOperandError);
      o = ErrorOperand(kErrBlank);
      return 1;
    case GX_VALUE_NUMBER:
      o = Number(cell->value.number);
      return 1;
    case GX_VALUE_LONG_TEXT:
    case GX_VALUE_SHORT_TEXT: {
      std::string text = cell->Text();
      o = GX_OPERAND{};
      o.kind = GX_OPND_TEXT;
      o.text = std::move(text);
      return 1;
    }
    default:
      o = s && s->blankZero ? Number(0) : ErrorOperand(kErrBlank);
      return 1;
  }
}

double GXOperandToNumber(int sheet, const GX_OPERAND& operand) {
  GX_OPERAND o = operand;
  switch (o.kind) {
    case GX_OPND_NUMBER:
      return o.number;
    case GX_OPND_ERROR:
      GXEvalRaise(o.errorCode, o.errorExtra);
    case GX_OPND_CELLREF:
      GXOperandDeref(sheet, o);
      if (o.kind == GX_OPND_NUMBER) return o.number;
      if (o.kind != GX_OPND_TEXT) GXEvalRaise(kErrNonNumeric);
      [[fallthrough]];
    case GX_OPND_TEXT: {
      GX_SHEET* s = GXSheetGet(sheet);
      if (s && s->blankZero && o.text.empty()) return 0;
      GXEvalRaise(kErrNonNumeric);
    }
    default:
      GXEvalRaise(kErrNonNumeric);
  }
}

int32_t GXOperandToInt(int sheet, const GX_OPERAND& operand) {
  GX_OPERAND o = operand;
  switch (o.kind) {
    case GX_OPND_NUMBER:
      break;
    case GX_OPND_CELLREF:
      GXOperandDeref(sheet, o);
      if (o.kind != GX_OPND_NUMBER) return 0;
      break;
    case GX_OPND_ERROR:
      GXEvalRaise(o.errorCode, o.errorExtra);
    default:
      GXEvalRaise(kErrNonNumeric);
  }
  double v = o.number;
  if (std::isnan(v) || v >= 4294967296.0 || v <= -2147483649.0) GXEvalRaise(kErrTooBig);
  auto wide = static_cast<long long>(std::trunc(v));
  return static_cast<int32_t>(static_cast<uint32_t>(wide));
}

int GXCompareText(const std::string& a, const std::string& b) {
  auto trim = [](std::string s) {
    size_t end = s.size();
    while (end > 1 && std::isspace(static_cast<unsigned char>(s[end - 1]))) --end;
    s.resize(end);
    return s;
  };
  // strcmp's magnitude differs between library builds; callers get the sign only.
  const int order = strcmp(trim(a).c_str(), trim(b).c_str());
  return (order > 0) - (order < 0);
}

GX_VALUE GXOperandToValue(int sheet, const GX_OPERAND& operand) {
  GX_VALUE v;
  if (operand.kind == GX_OPND_ERROR) {
    v.kind = GX_VALUE_ERROR;
    v.errorCode = operand.errorCode;
    v.errorExtra = operand.errorExtra;
    return v;
  }
  GX_OPERAND o = operand;
  if (o.kind == GX_OPND_CELLREF) {
    // Outside a running evaluation a cell holding an error gives the blank
    // error instead of raising.
    GX_EVAL_STATE saved = EvalState();
    EvalState().sheet = 0;
    GXOperandDeref(sheet, o);
    EvalState() = saved;
  }
  switch (o.kind) {
    case GX_OPND_NUMBER:
      v.kind = GX_VALUE_NUMBER;
      v.number = o.number;
      break;
    case GX_OPND_TEXT:
      v.kind = GX_VALUE_LONG_TEXT;
      v.text = o.text;
      break;
    case GX_OPND_RANGE:
    case GX_OPND_CELLREF:
      v.kind = GX_VALUE_ERROR;
      v.errorCode = kErrRangeResult;
      break;
    case GX_OPND_NA:
      v.kind = GX_VALUE_NA;
      break;
    case GX_OPND_ERROR:
      v.kind = GX_VALUE_ERROR;
      v.errorCode = o.errorCode;
      v.errorExtra = o.errorExtra;
      break;
    default:
      v.kind = GX_VALUE_NONE;
      break;
  }
  return v;
}

void GXSheetMessage(int sheet, int row, int col, const std::string& text) {
  GX_SHEET* s = GXSheetGet(sheet);
  if (!s || !s->messageArmed) return;
  const char* letters = GXColumnToLetters(col);
  s->message = std::string("Cell ") + (letters ? letters : "") + std::to_string(row) + ": " + text;
  s->messageArmed = 0;
}

int GXCellEvaluate(int sheet, GX_CELL* cell) {
  if (!cell || !cell->code || cell->code->root < 0) return 0;
  GX_OPERAND result = GXEvaluate(sheet, cell->row, cell->col, cell->code->items, cell->code->root);
  GX_VALUE v = GXOperandToValue(sheet, result);
  switch (v.kind) {
    case GX_VALUE_NA:
      if (cell->ValueKind() != GX_VALUE_NA) {
        GXCellStoreValue(cell, v);
        cell->flags |= kGXChanged;
      }
      break;
    case GX_VALUE_ERROR:
      if (cell->ValueKind() == GX_VALUE_ERROR && cell->value.error.code == v.errorCode &&
          cell->value.error.extra == v.errorExtra)
        break;
      GXCellStoreValue(cell, v);
      cell->flags |= kGXChanged;
      GXSheetMessage(sheet, cell->row, cell->col,
                     "ERROR: " + GXErrorExtraText(v.errorExtra) + " " + GXErrorText(static_cast<int>(v.errorCode)) + " ");
      break;
    case GX_VALUE_NUMBER:
      if (cell->ValueKind() == GX_VALUE_NUMBER && cell->value.number == v.number) break;
      GXCellStoreValue(cell, v);
      cell->flags |= kGXChanged;
      break;
    case GX_VALUE_LONG_TEXT: {
      std::string text = v.text.size() > kGXMaxText ? v.text.substr(0, kGXMaxText) : v.text;
      int wanted = text.size() > 8 ? GX_VALUE_LONG_TEXT : GX_VALUE_SHORT_TEXT;
      if (cell->ValueKind() == wanted && cell->Text() == text) break;
      GXCellStoreValue(cell, v);
      cell->flags |= kGXChanged;
      break;
    }
    default:
      if (cell->ValueKind() != v.kind) {
        GXCellStoreValue(cell, v);
        cell->flags |= kGXChanged;
      }
      break;
  }
  return 1;
}
