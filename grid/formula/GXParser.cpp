#include "grid/formula/GXParser.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "grid/formula/GXEngine.h"
#include "grid/formula/GXFunctionHook.h"
#include "grid/formula/GXNames.h"
#include "grid/formula/GXScanner.h"

void GXSetFunctionHook(CGXFunctionHook* hook) { GXEngineState()->hook.reset(hook); }

const GX_FUNCTION_DESC* GXLookupFunction(const char* name) {
  CGXFunctionHook* hook = GXEngineState()->hook.get();
  return hook ? hook->LookupFunction(name) : nullptr;
}

namespace {

constexpr int kErrRefRange = 226;
constexpr int kErrUndefinedFunction = 227;
constexpr int kErrFreeingNode = 228;
constexpr int kErrTooManyArgs = 229;
constexpr int kErrTooFewArgs = 230;
constexpr int kErrExpectedBase = 231;
constexpr int kErrExpectedOperand = 274;
constexpr int kErrRangeRhs = 275;
constexpr int kErrTokenOverflow = 280;
constexpr int kErrUndefinedName = 281;
constexpr int kErrUnrepresentable = 282;
constexpr int kMaxArgs = 100;

struct ParseError {
  int number;
  int position;
};

class Parser {
 public:
  Parser(int sheet, const char* text) : sheet_(sheet) {
    GXScanSetInput(text ? text : "");
    for (;;) {
      tokens_.push_back(GXScan());
      if (tokens_.back().kind == GX_TK_END) break;
    }
  }

  void Parse(GX_CODE& code) {
    const GX_TOKEN& first = Peek();
    if (first.kind == GX_TK_EQ) throw ParseError{kErrExpectedOperand, 1};
    Expect(GX_TK_ASSIGN);
    code.root = static_cast<int16_t>(Expression());
    if (Peek().kind == GX_TK_SEMICOLON) {
      Next();
      code.constraintRoot = static_cast<int16_t>(Expression());
    }
    if (Peek().kind == GX_TK_BACKSLASH) {
      Next();
      code.depList = static_cast<int16_t>(DependencyList());
    }
    if (Peek().kind == GX_TK_COMMENT) {
      code.hasComment = true;
      code.comment = Next().text;
    }
    Expect(GX_TK_END);
    code.items = std::move(items_);
  }

 private:
  const GX_TOKEN& Peek(int ahead = 0) const {
    size_t i = std::min(pos_ + ahead, tokens_.size() - 1);
    return tokens_[i];
  }

  const GX_TOKEN& Next() {
    const GX_TOKEN& t = Peek();
    if (t.kind == GX_TK_ERROR) throw ParseError{t.value, t.position};
    lastPos_ = t.position;
    if (pos_ < tokens_.size() - 1) ++pos_;
    return t;
  }

  void Expect(int kind) {
    const GX_TOKEN& t = Peek();
    if (t.kind == GX_TK_ERROR) throw ParseError{t.value, t.position};
    if (t.kind != kind) throw ParseError{kErrExpectedBase + kind, t.position};
    Next();
  }

  [[noreturn]] void Fail(int number) { throw ParseError{number, lastPos_}; }

  int NewItem(uint8_t kind) {
    if (items_.size() >= static_cast<size_t>(kGXMaxItems)) Fail(kErrTokenOverflow);
    items_.emplace_back();
    items_.back().kind = kind;
    return static_cast<int>(items_.size()) - 1;
  }

  int NewOperator(int op) {
    int i = NewItem(GX_ITEM_OPERATOR);
    items_[i].op = op;
    return i;
  }

  int Binary(int left, int op, int (Parser::*next)()) {
    int item = NewOperator(op);
    int right = (this->*next)();
    items_[item].left = static_cast<int16_t>(left);
    items_[item].right = static_cast<int16_t>(right);
    return item;
  }

  int Expression() {
    int cond = LogicalOr();
    if (Peek().kind != GX_TK_QUESTION) return cond;
    Next();
    int whenTrue = Expression();
    Expect(GX_TK_COLON);
    int whenFalse = Expression();
    int op = NewOperator(GX_OP_COND);
    int ext = NewItem(GX_ITEM_EXTENSION);
    items_[op].left = static_cast<int16_t>(cond);
    items_[op].right = static_cast<int16_t>(ext);
    items_[ext].left = static_cast<int16_t>(whenTrue);
    items_[ext].right = static_cast<int16_t>(whenFalse);
    items_[ext].back = static_cast<int16_t>(op);
    return op;
  }

  int LogicalOr() {
    int left = LogicalAnd();
    while (Peek().kind == GX_TK_OR) {
      Next();
      left = Binary(left, GX_OP_OR, &Parser::LogicalAnd);
    }
    return left;
  }

  int LogicalAnd() {
    int left = BitOr();
    while (Peek().kind == GX_TK_AND) {
      Next();
      left = Binary(left, GX_OP_AND, &Parser::BitOr);
    }
    return left;
  }

  int BitOr() {
    int left = BitXor();
    while (Peek().kind == GX_TK_BAR) {
      Next();
      left = Binary(left, GX_OP_BITOR, &Parser::BitXor);
    }
    return left;
  }

  int BitXor() {
    int left = Concat();
    while (Peek().kind == GX_TK_CARET) {
      Next();
      left = Binary(left, GX_OP_BITXOR, &Parser::Concat);
    }
    return left;
  }

  int Concat() {
    int left = Equality();
    while (Peek().kind == GX_TK_AMP) {
      Next();
      left = Binary(left, GX_OP_CAT, &Parser::Equality);
    }
    return left;
  }

  int Equality() {
    int left = Comparison();
    for (;;) {
      int k = Peek().kind;
      int op = k == GX_TK_ASSIGN || k == GX_TK_EQ ? GX_OP_EQ : k == GX_TK_NE ? GX_OP_NE : -1;
      if (op < 0) return left;
      Next();
      left = Binary(left, op, &Parser::Comparison);
    }
  }

  int Comparison() {
    int left = Shift();
    for (;;) {
      int k = Peek().kind;
      int op = k == GX_TK_LT ? GX_OP_LT : k == GX_TK_GT ? GX_OP_GT : k == GX_TK_LE ? GX_OP_LE : k == GX_TK_GE ? GX_OP_GE : -1;
      if (op < 0) return left;
      Next();
      left = Binary(left, op, &Parser::Shift);
    }
  }

  int Shift() {
    int left = Additive();
    for (;;) {
      int k = Peek().kind;
      int op = k == GX_TK_SHL ? GX_OP_SHL : k == GX_TK_SHR ? GX_OP_SHR : -1;
      if (op < 0) return left;
      Next();
      left = Binary(left, op, &Parser::Additive);
    }
  }

  int Additive() {
    int left = Multiplicative();
    for (;;) {
      int k = Peek().kind;
      int op = k == GX_TK_PLUS ? GX_OP_ADD : k == GX_TK_MINUS ? GX_OP_SUB : -1;
      if (op < 0) return left;
      Next();
      left = Binary(left, op, &Parser::Multiplicative);
    }
  }

  int Multiplicative() {
    int left = Unary();
    for (;;) {
      int k = Peek().kind;
      int op = k == GX_TK_STAR ? GX_OP_MUL : k == GX_TK_SLASH ? GX_OP_DIV : k == GX_TK_PERCENT ? GX_OP_MOD : -1;
      if (op < 0) return left;
      Next();
      left = Binary(left, op, &Parser::Unary);
    }
  }

  int Unary() {
    int k = Peek().kind;
    int op = k == GX_TK_PLUS    ? GX_OP_PLUS
             : k == GX_TK_MINUS ? GX_OP_NEG
             : k == GX_TK_NOT   ? GX_OP_NOT
             : k == GX_TK_TILDE ? GX_OP_BITNOT
                                : -1;
    if (op < 0) return Power();
    Next();
    int item = NewOperator(op);
    int operand = Power();
    items_[item].right = static_cast<int16_t>(operand);
    return item;
  }

  int Power() {
    int left = Postfix();
    while (Peek().kind == GX_TK_POWER) {
      Next();
      left = Binary(left, GX_OP_POW, &Parser::Postfix);
    }
    return left;
  }

  static bool StartsOperand(int kind) {
    switch (kind) {
      case GX_TK_HASH:
      case GX_TK_LPAREN:
      case GX_TK_CELLNAME:
      case GX_TK_NAME:
      case GX_TK_FUNCNAME:
      case GX_TK_STRING:
      case GX_TK_NUMBER:
      case GX_TK_HEXNUMBER:
      case GX_TK_ERRLIT:
        return true;
      default:
        return false;
    }
  }

  int Postfix() {
    int operand = Primary();
    if (Peek().kind == GX_TK_PERCENT && !StartsOperand(Peek(1).kind)) {
      Next();
      int item = NewOperator(GX_OP_PERCENT);
      items_[item].right = static_cast<int16_t>(operand);
      return item;
    }
    return operand;
  }

  int Primary() {
    const GX_TOKEN& t = Peek();
    switch (t.kind) {
      case GX_TK_HASH: {
        Next();
        int item = NewItem(GX_ITEM_RELATIVE);
        if (Peek().kind == GX_TK_LBRACE) {
          Next();
          int col = Expression();
          items_[item].colOffset = static_cast<int16_t>(col);
          if (Peek().kind == GX_TK_COMMA) {
            Next();
            int row = Expression();
            items_[item].rowOffset = static_cast<int16_t>(row);
          }
          Expect(GX_TK_RBRACE);
        }
        return item;
      }
      case GX_TK_LPAREN: {
        Next();
        int item = Expression();
        Expect(GX_TK_RPAREN);
        items_[item].flags |= kGXItemParen;
        return item;
      }
      case GX_TK_CELLNAME:
        return RangeContinuation(CellItem());
      case GX_TK_NAME:
        return RangeContinuation(NameOrCall());
      case GX_TK_FUNCNAME:
        return RangeContinuation(AtFunction(false));
      case GX_TK_STRING: {
        std::string text = Next().text;
        int item = NewItem(GX_ITEM_STRING);
        items_[item].text = GXUnescapeText(text);
        return item;
      }
      case GX_TK_NUMBER: {
        std::string text = Next().text;
        int item = NewItem(GX_ITEM_NUMBER);
        items_[item].number = strtod(text.c_str(), nullptr);
        // Too large for a double: its text could not be written back.
        if (!std::isfinite(items_[item].number)) Fail(kErrUnrepresentable);
        return item;
      }
      case GX_TK_HEXNUMBER: {
        std::string text = Next().text;
        uint32_t value = 0;
        for (char c : text) value = value * 16 + static_cast<uint32_t>(isdigit(static_cast<unsigned char>(c)) ? c - '0' : (toupper(c) - 'A' + 10));
        int item = NewItem(GX_ITEM_NUMBER);
        items_[item].number = static_cast<double>(static_cast<int32_t>(value));
        items_[item].flags |= kGXItemHex;
        return item;
      }
      case GX_TK_ERRLIT:
        Next();
        return NewOperator(GX_OP_ERROR);
      case GX_TK_ERROR:
        throw ParseError{t.value, t.position};
      default:
        throw ParseError{kErrExpectedOperand, t.position};
    }
  }

  int CellItem() {
    std::string text = Next().text;
    int item = NewItem(GX_ITEM_CELL);
    GX_REF ref;
    if (!GXParseRef(text.c_str(), ref)) Fail(kErrRefRange);
    items_[item].ref = ref;
    return item;
  }

  // A name: a call when "(" follows, else a range name resolved now.
  int NameOrCall() {
    std::string text = Next().text;
    int item = NewItem(GX_ITEM_NAME);
    items_[item].text = text;
    if (Peek().kind == GX_TK_LPAREN) {
      Next();
      return Call(item, true);
    }
    return ResolveName(item);
  }

  int ResolveName(int item) {
    GX_REF ref;
    GX_NAME* name = GXFindName(sheet_, items_[item].text.c_str(), &ref);
    if (!name) {
      items_[item].kind = GX_ITEM_NAMED_RANGE;
      items_[item].name = nullptr;
      Fail(kErrUndefinedName);
    }
    items_[item].kind = ref.IsOneCell() ? GX_ITEM_NAMED_CELL : GX_ITEM_NAMED_RANGE;
    items_[item].name = name;
    items_[item].text.clear();
    return item;
  }

  int AtFunction(bool parensRequired) {
    std::string text = Next().text;
    int item = NewItem(GX_ITEM_NAME);
    items_[item].text = text;
    if (Peek().kind == GX_TK_LPAREN) {
      Next();
      return Call(item, true);
    }
    if (parensRequired) Expect(GX_TK_LPAREN);
    return Call(item, false);
  }

  // Arguments up to ")" (when open), then the function item.
  int Call(int nameItem, bool open) {
    std::vector<int> args;
    int pending = 0, pendingPos = 0;
    if (open) {
      try {
        if (Peek().kind != GX_TK_RPAREN) {
          args.push_back(Expression());
          while (Peek().kind == GX_TK_COMMA) {
            Next();
            args.push_back(Expression());
          }
        }
        Expect(GX_TK_RPAREN);
      } catch (const ParseError& e) {
        if (e.number != kErrUndefinedName && e.number != kErrUndefinedFunction) throw;
        pending = e.number;
        pendingPos = e.position;
      }
    }
    BuildCall(nameItem, args, pending != 0);
    if (pending) throw ParseError{pending, pendingPos};
    return nameItem;
  }

  void BuildCall(int item, const std::vector<int>& args, bool argumentsFailed) {
    std::string upper = items_[item].text;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const GX_FUNCTION_DESC* desc = GXLookupFunction(upper.c_str());
    // The ARG items, linked in source order.
    int previous = item;
    std::vector<int> argItems;
    for (int expr : args) {
      int a = NewItem(GX_ITEM_ARG);
      items_[a].left = static_cast<int16_t>(expr);
      items_[a].back = static_cast<int16_t>(previous);
      if (previous == item)
        items_[item].right = static_cast<int16_t>(a);
      else
        items_[previous].right = static_cast<int16_t>(a);
      previous = a;
      argItems.push_back(a);
    }
    items_[item].kind = GX_ITEM_FUNCTION;
    items_[item].function = desc;
    if (!desc) Fail(kErrUndefinedFunction);
    items_[item].text = desc->name;
    if (argumentsFailed) return;
    CheckArguments(*desc, argItems);
    if (upper == "XVALUE" && argItems.size() >= 2) {
      int expr = items_[argItems[1]].left;
      if (expr >= 0) items_[expr].flags |= kGXItemNotDependency;
    }
  }

  void CheckArguments(const GX_FUNCTION_DESC& desc, const std::vector<int>& argItems) {
    int n = static_cast<int>(argItems.size());
    if (n > kMaxArgs) Fail(kErrTooManyArgs);
    auto give = [&](int arg, const GX_PARAM_DESC& param) {
      items_[argItems[arg]].paramType = param.type;
      if (param.flags & kGXParamUnevaluated) items_[argItems[arg]].flags |= kGXItemUnevaluated;
    };
    auto kindOf = [](const GX_PARAM_DESC& s) { return s.flags & (3u << 1); };
    const auto& specs = desc.params;
    int ai = 0, consuming = 0, needed = 0;
    bool repeating = false;
    for (const auto& s : specs) {
      uint32_t k = kindOf(s);
      if (k != kGXParamSkipped) ++consuming;
      if (k == kGXParamRequired || k == kGXParamRepeating) ++needed;
    }
    for (size_t si = 0; si < specs.size(); ++si) {
      uint32_t k = kindOf(specs[si]);
      if (k == kGXParamSkipped) continue;
      if (k == kGXParamRepeating) {
        repeating = true;
        int trailing = 0;
        for (size_t t = si + 1; t < specs.size(); ++t)
          if (kindOf(specs[t]) != kGXParamSkipped) ++trailing;
        int end = std::max(ai, n - trailing);
        for (; ai < end; ++ai) give(ai, specs[si]);
        continue;
      }
      if (ai < n) give(ai++, specs[si]);
    }
    if (n < needed) Fail(kErrTooFewArgs);
    if (n > consuming && !repeating) Fail(kErrTooManyArgs);
  }

  int RangeContinuation(int first) {
    int k = Peek().kind;
    if (k != GX_TK_COLON && k != GX_TK_DOTDOT && k != GX_TK_DOT) return first;
    Next();
    int second;
    switch (Peek().kind) {
      case GX_TK_CELLNAME:
        second = CellItem();
        break;
      case GX_TK_NAME:
        second = NameOrCall();
        break;
      case GX_TK_FUNCNAME:
        second = AtFunction(true);
        break;
      default:
        throw ParseError{kErrRangeRhs, Peek().position};
    }
    if (items_[first].kind == GX_ITEM_CELL && items_[second].kind == GX_ITEM_CELL) {
      if (second != static_cast<int>(items_.size()) - 1) Fail(kErrFreeingNode);
      GX_ITEM& a = items_[first];
      const GX_REF& b = items_[second].ref;
      a.kind = GX_ITEM_RANGE;
      a.ref.Set(GX_REF::kOneCell, false);
      a.ref.SetRow2(b.Row1());
      a.ref.SetCol2(b.Col1());
      a.ref.Set(GX_REF::kAbsRow2, b.Has(GX_REF::kAbsRow1));
      a.ref.Set(GX_REF::kAbsCol2, b.Has(GX_REF::kAbsCol1));
      GXRefNormalize(a.ref);
      items_.pop_back();
      return first;
    }
    int op = NewOperator(GX_OP_RANGE);
    items_[op].left = static_cast<int16_t>(first);
    items_[op].right = static_cast<int16_t>(second);
    return op;
  }

  int DependencyEntry() {
    if (Peek().kind == GX_TK_CELLNAME) {
      int first = CellItem();
      int k = Peek().kind;
      if (k == GX_TK_COLON || k == GX_TK_DOTDOT || k == GX_TK_DOT) {
        Next();
        if (Peek().kind != GX_TK_CELLNAME) {
          if (Peek().kind == GX_TK_ERROR) throw ParseError{Peek().value, Peek().position};
          throw ParseError{kErrExpectedBase + GX_TK_CELLNAME, Peek().position};
        }
        int second = CellItem();
        GX_ITEM& a = items_[first];
        const GX_REF b = items_[second].ref;
        a.kind = GX_ITEM_RANGE;
        a.ref.Set(GX_REF::kOneCell, false);
        a.ref.SetRow2(b.Row1());
        a.ref.SetCol2(b.Col1());
        a.ref.Set(GX_REF::kAbsRow2, b.Has(GX_REF::kAbsRow1));
        a.ref.Set(GX_REF::kAbsCol2, b.Has(GX_REF::kAbsCol1));
        GXRefNormalize(a.ref);
        items_.pop_back();
      }
      return first;
    }
    std::string text = Next().text;
    int item = NewItem(GX_ITEM_NAME);
    items_[item].text = text;
    return ResolveName(item);
  }

  int DependencyList() {
    int k = Peek().kind;
    if (k != GX_TK_CELLNAME && k != GX_TK_NAME) return -1;
    int head = DependencyEntry();
    int last = head;
    while (Peek().kind == GX_TK_COMMA) {
      Next();
      k = Peek().kind;
      if (k != GX_TK_CELLNAME && k != GX_TK_NAME) throw ParseError{kErrExpectedBase + GX_TK_CELLNAME + 1, Peek().position};
      int entry = DependencyEntry();
      items_[last].right = static_cast<int16_t>(entry);
      last = entry;
    }
    return head;
  }

  int sheet_;
  std::vector<GX_TOKEN> tokens_;
  size_t pos_ = 0;
  int lastPos_ = 0;
  std::vector<GX_ITEM> items_;
};

}  // namespace

int GXCompile(int sheet, const char* text, GX_CODE* code) {
  GX_ENGINE_STATE* state = GXEngineState();
  *code = GX_CODE{};
  try {
    Parser parser(sheet, text);
    parser.Parse(*code);
  } catch (const ParseError& e) {
    *code = GX_CODE{};
    state->errorFlag = 1;
    state->errorCode = e.number;
    state->errorPos = e.position;
    return 0;
  }
  state->errorFlag = 0;
  return 1;
}
