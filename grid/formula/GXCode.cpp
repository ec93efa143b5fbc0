#include "grid/formula/GXCode.h"

#include <algorithm>

const char* GXOperatorText(int op) {
  static const char* const kTexts[] = {"+",  "-",  "+",  "-",  "*",  "/",  "**", "%", "&&",
                                       "||", "!",  "&",  "|",  "^",  "~",  "<<", ">>", "==",
                                       "!=", "<",  ">",  "<=", ">=", "?",  "..", "%",  "??"};
  return op >= 0 && op <= GX_OP_ERROR ? kTexts[op] : "";
}

GX_CODE* GXCodeCopy(const GX_CODE* code) { return code ? new GX_CODE(*code) : nullptr; }

void GXCodeFree(GX_CODE* code) { delete code; }

bool GXCodeHasRefs(const GX_ITEM* items, int count) {
  for (int i = 0; i < count; ++i) {
    switch (items[i].kind) {
      case GX_ITEM_CELL:
      case GX_ITEM_RANGE:
      case GX_ITEM_NAMED_CELL:
      case GX_ITEM_NAMED_RANGE:
        return true;
      default:
        break;
    }
  }
  return false;
}

bool GXCodeHasCalls(const GX_ITEM* items, int count) {
  for (int i = 0; i < count; ++i)
    if (items[i].kind == GX_ITEM_FUNCTION) return true;
  return false;
}

void GXSubExpressionRange(const GX_CODE& code, int root, int& first, int& last) {
  // Items of one sub-expression are contiguous; walk every link to find the
  // bounds (a postfix operator or a conditional is created after its operands).
  first = last = root;
  if (root < 0 || root >= code.ItemCount()) return;
  std::vector<int> stack{root};
  std::vector<bool> seen(code.items.size(), false);
  while (!stack.empty()) {
    int i = stack.back();
    stack.pop_back();
    if (i < 0 || i >= code.ItemCount() || seen[i]) continue;
    seen[i] = true;
    first = std::min(first, i);
    last = std::max(last, i);
    const GX_ITEM& item = code.items[i];
    stack.push_back(item.left);
    stack.push_back(item.right);
    if (item.kind == GX_ITEM_RELATIVE) {
      stack.push_back(item.rowOffset);
      stack.push_back(item.colOffset);
    }
  }
}

namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string GXUnescapeText(const std::string& in) {
  std::string out;
  size_t i = 0;
  while (i < in.size() && out.size() < kGXMaxText) {
    char c = in[i++];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (i >= in.size()) break;  // a backslash at the very end ends the text
    char e = in[i++];
    switch (e) {
      case 'a': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'v': out += '\v'; break;
      case 'x': {
        int value = 0, digits = 0;
        while (digits < 2 && i < in.size() && HexValue(in[i]) >= 0) {
          value = value * 16 + HexValue(in[i++]);
          ++digits;
        }
        out += digits ? static_cast<char>(value) : 'x';
        break;
      }
      default:
        if (IsOctal(e)) {
          int value = e - '0', digits = 1;
          while (digits < 3 && i < in.size() && IsOctal(in[i])) {
            value = value * 8 + (in[i++] - '0');
            ++digits;
          }
          out += static_cast<char>(value);
        } else {
          out += e;
        }
        break;
    }
  }
  return out;
}

std::string GXEscapeText(const std::string& in, bool quote) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    switch (c) {
      case 7: out += "\\a"; continue;
      case 8: out += "\\b"; continue;
      case 9: out += "\\t"; continue;
      case 10: out += "\\n"; continue;
      case 11: out += "\\v"; continue;
      case 12: out += "\\f"; continue;
      case 13: out += "\\r"; continue;
      case '\\': out += "\\\\"; continue;
      default: break;
    }
    if (c == '"' && quote) {
      out += "\\\"";
    } else if (c < 32 || c == 127) {
      bool nextOctal = i + 1 < in.size() && IsOctal(in[i + 1]);
      int digits = (nextOctal || c == 127) ? 3 : (c > 7 ? 2 : 1);
      char buffer[6];
      buffer[0] = '\\';
      for (int d = digits; d >= 1; --d) buffer[d] = static_cast<char>('0' + ((c >> (3 * (digits - d))) & 7));
      buffer[digits + 1] = '\0';
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}
