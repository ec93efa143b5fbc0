#include "grid/formula/GXCodeToText.h"

#include <cstdint>
#include <cstdio>

#include "grid/formula/GXEngine.h"
#include "grid/formula/GXFunctionHook.h"

namespace {

// Item trees are at most 200 deep; anything else is a damaged code.
constexpr int kMaxDepth = 256;

void Write(const GX_CODE& code, int index, std::string& out, int depth) {
  if (index < 0 || index >= code.ItemCount() || depth > kMaxDepth) return;
  const GX_ITEM& item = code.items[index];
  bool paren = (item.flags & kGXItemParen) != 0;
  if (paren) out += '(';
  char buffer[64];
  switch (item.kind) {
    case GX_ITEM_OPERATOR:
      switch (item.op) {
        case GX_OP_PLUS:
        case GX_OP_NEG:
        case GX_OP_NOT:
        case GX_OP_BITNOT:
          out += GXOperatorText(item.op);
          Write(code, item.right, out, depth + 1);
          break;
        case GX_OP_PERCENT:
          Write(code, item.right, out, depth + 1);
          out += '%';
          break;
        case GX_OP_ERROR:
          out += "??";
          break;
        case GX_OP_COND:
          Write(code, item.left, out, depth + 1);
          out += '?';
          if (item.right >= 0 && item.right < code.ItemCount()) {
            const GX_ITEM& ext = code.items[item.right];
            Write(code, ext.left, out, depth + 1);
            out += ':';
            Write(code, ext.right, out, depth + 1);
          }
          break;
        case GX_OP_RANGE: {
          // A name next to ".." would read back as one longer name: keep
          // blanks around the operator there so that the text compiles again.
          auto named = [&](int i) {
            if (i < 0 || i >= code.ItemCount()) return false;
            uint8_t k = code.items[i].kind;
            return k == GX_ITEM_NAME || k == GX_ITEM_NAMED_CELL || k == GX_ITEM_NAMED_RANGE;
          };
          bool spaced = named(item.left) || named(item.right);
          Write(code, item.left, out, depth + 1);
          out += spaced ? " .. " : "..";
          Write(code, item.right, out, depth + 1);
          break;
        }
        default:
          Write(code, item.left, out, depth + 1);
          out += GXOperatorText(item.op);
          Write(code, item.right, out, depth + 1);
          break;
      }
      break;
    case GX_ITEM_NUMBER:
      if (item.flags & kGXItemHex) {
        double v = item.number;
        auto wide = v >= -9.2e18 && v <= 9.2e18 ? static_cast<long long>(v) : 0;
        snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(static_cast<uint32_t>(wide)));
      } else {
        snprintf(buffer, sizeof buffer, "%.14g", item.number);
      }
      out += buffer;
      break;
    case GX_ITEM_STRING:
      out += '"';
      out += GXEscapeText(item.text, true);
      out += '"';
      break;
    case GX_ITEM_NAME:
      out += item.text;
      break;
    case GX_ITEM_NAMED_CELL:
    case GX_ITEM_NAMED_RANGE:
      if (item.name) out += item.name->name;
      break;
    case GX_ITEM_CELL:
    case GX_ITEM_RANGE: {
      const char* text = GXRefToText(item.ref);
      out += text ? text : "??";
      break;
    }
    case GX_ITEM_FUNCTION:
      out += item.function ? item.function->name : item.text;
      out += '(';
      for (int a = item.right, n = 0; a >= 0 && a < code.ItemCount() && n <= kGXMaxItems; a = code.items[a].right, ++n) {
        if (n) out += ',';
        Write(code, code.items[a].left, out, depth + 1);
      }
      out += ')';
      break;
    case GX_ITEM_RELATIVE:
      out += '#';
      if (item.colOffset >= 0) {
        out += '{';
        Write(code, item.colOffset, out, depth + 1);
        if (item.rowOffset >= 0) {
          out += ',';
          Write(code, item.rowOffset, out, depth + 1);
        }
        out += '}';
      }
      break;
    default:
      break;
  }
  if (paren) out += ')';
}

}  // namespace

void GXItemToText(const GX_CODE& code, int index, std::string& out) { Write(code, index, out, 0); }

std::string GXCodeToText(int /*sheet*/, const GX_CODE* code) {
  std::string out;
  if (!code || code->root < 0) return out;
  out += '=';
  GXItemToText(*code, code->root, out);
  if (code->constraintRoot >= 0) {
    out += ';';
    GXItemToText(*code, code->constraintRoot, out);
  }
  if (code->depList >= 0) {
    out += '\\';
    int n = 0;
    for (int d = code->depList; d >= 0 && d < code->ItemCount() && n <= kGXMaxItems; d = code->items[d].right, ++n) {
      if (n) out += ',';
      GXItemToText(*code, d, out);
    }
  }
  if (code->hasComment) {
    out += "//";
    out += code->comment;
  }
  return out;
}
