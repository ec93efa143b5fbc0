#include "grid/formula/GXScanner.h"

#include <cctype>
#include <cstring>

#include "grid/formula/GXRef.h"

namespace {

// The scanner's state between tokens of one formula.
struct GX_PARSE_STATE {
  std::string input;
  size_t offset = 0;  // read offset into the input
  int position = 0;   // running token position
};

GX_PARSE_STATE& ParseState() {
  static GX_PARSE_STATE state;
  return state;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Length of an optional exponent "e[+-]?[0-9]+" at i (0 when none).
size_t Exponent(const std::string& s, size_t i) {
  if (i >= s.size() || s[i] != 'e') return 0;
  size_t j = i + 1;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
  size_t digits = j;
  while (j < s.size() && IsDigit(s[j])) ++j;
  return j > digits ? j - i : 0;
}

size_t Digits(const std::string& s, size_t i) {
  size_t j = i;
  while (j < s.size() && IsDigit(s[j])) ++j;
  return j - i;
}

// [$]? [A-Za-z]{1,3} [$]? [0-9]{1,7}
size_t MatchCellName(const std::string& s, size_t i) {
  size_t j = i;
  if (j < s.size() && s[j] == '$') ++j;
  size_t letters = j;
  while (j < s.size() && IsLetter(s[j])) ++j;
  size_t n = j - letters;
  if (n < 1 || n > 3) return 0;
  if (j < s.size() && s[j] == '$') ++j;
  size_t d = Digits(s, j);
  if (d == 0) return 0;
  return j + std::min<size_t>(d, 7) - i;
}

// [A-Za-z_$] [A-Za-z0-9_$.]*
size_t MatchName(const std::string& s, size_t i) {
  if (i >= s.size()) return 0;
  char c = s[i];
  if (!IsLetter(c) && c != '_' && c != '$') return 0;
  size_t j = i + 1;
  while (j < s.size() && (IsLetter(s[j]) || IsDigit(s[j]) || s[j] == '_' || s[j] == '$' || s[j] == '.')) ++j;
  return j - i;
}

size_t MatchString(const std::string& s, size_t i) {
  if (s[i] != '"') return 0;
  size_t j = i + 1;
  while (j < s.size()) {
    if (s[j] == '\\' && j + 1 < s.size()) {
      j += 2;
      continue;
    }
    if (s[j] == '"') return j + 1 - i;
    ++j;
  }
  return 0;
}

bool EqualsNoCase(const std::string& s, size_t i, const char* word) {
  size_t n = strlen(word);
  if (i + n > s.size()) return false;
  for (size_t k = 0; k < n; ++k)
    if (std::toupper(static_cast<unsigned char>(s[i + k])) != word[k]) return false;
  return true;
}

int SingleCharCode(char c) {
  static const char kChars[] = ";:,?#\\+-*/%|^&!~<>(){}=";
  const char* p = c ? strchr(kChars, c) : nullptr;
  return p ? static_cast<int>(p - kChars) : -1;
}

int TwoCharCode(const std::string& s, size_t i) {
  if (i + 1 >= s.size()) return -1;
  static const struct {
    const char* text;
    int code;
  } kOps[] = {{"**", GX_TK_POWER}, {"&&", GX_TK_AND}, {"||", GX_TK_OR}, {"<<", GX_TK_SHL}, {">>", GX_TK_SHR},
              {"<=", GX_TK_LE},    {">=", GX_TK_GE},  {"!=", GX_TK_NE}, {"<>", GX_TK_NE},  {"==", GX_TK_EQ},
              {"..", GX_TK_DOTDOT}, {"??", GX_TK_ERRLIT}};
  for (const auto& op : kOps)
    if (s[i] == op.text[0] && s[i + 1] == op.text[1]) return op.code;
  return -1;
}

}  // namespace

void GXScanSetInput(const std::string& text) {
  GX_PARSE_STATE& st = ParseState();
  st.input = text;
  st.offset = 0;
  st.position = 0;
}

GX_TOKEN GXScan() {
  GX_PARSE_STATE& st = ParseState();
  const std::string& s = st.input;
  for (;;) {
    size_t i = st.offset;
    GX_TOKEN token;
    token.position = st.position;
    if (i >= s.size()) {
      token.kind = GX_TK_END;
      return token;
    }
    char c = s[i];
    if (c == '\n') {
      ++st.offset;
      continue;
    }
    if (c == ' ' || c == '\t') {
      while (st.offset < s.size() && (s[st.offset] == ' ' || s[st.offset] == '\t')) {
        ++st.offset;
        ++st.position;
      }
      continue;
    }

    // Longest match; among equally long matches the earlier rule.
    size_t best = 0;
    int rule = 0;
    auto offer = [&](size_t length, int r) {
      if (length > best) {
        best = length;
        rule = r;
      }
    };
    offer(MatchCellName(s, i), 1);
    offer(MatchName(s, i), 2);
    if (c == '@') {
      size_t j = i + 1;
      while (j < s.size() && (IsLetter(s[j]) || IsDigit(s[j]) || s[j] == '_')) ++j;
      offer(j - i, 3);
    }
    offer(MatchString(s, i), 4);
    if (c == '0' && i + 2 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X') && IsHex(s[i + 2])) {
      size_t j = i + 2;
      while (j < s.size() && IsHex(s[j])) ++j;
      offer(j - i, 5);
    }
    if (IsDigit(c)) {
      size_t d = Digits(s, i);
      offer(d + Exponent(s, i + d), 6);
      if (i + d < s.size() && s[i + d] == '.') {
        size_t f = Digits(s, i + d + 1);
        offer(d + 1 + f + Exponent(s, i + d + 1 + f), 7);
      }
    }
    if (c == '.' && i + 1 < s.size() && IsDigit(s[i + 1])) {
      size_t f = Digits(s, i + 1);
      offer(1 + f + Exponent(s, i + 1 + f), 8);
    }
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      size_t end = s.find('\n', i);
      offer((end == std::string::npos ? s.size() : end) - i, 9);
    }
    if (c == '.') offer(1, 10);
    if (SingleCharCode(c) >= 0) offer(1, 11);
    if (TwoCharCode(s, i) >= 0) offer(2, 34);
    if (c == '#') {
      if (EqualsNoCase(s, i, "#AND#")) offer(5, 46);
      if (EqualsNoCase(s, i, "#OR#")) offer(4, 47);
      if (EqualsNoCase(s, i, "#NOT#")) offer(5, 48);
    }
    offer(1, 50);

    std::string text = s.substr(i, best);
    switch (rule) {
      case 1: {
        token.kind = GX_TK_CELLNAME;
        token.text = text;
        const char* letters = text.c_str() + (text[0] == '$' ? 1 : 0);
        if (GXLettersToColumn(letters) < 0) token.kind = GX_TK_NAME;
        break;
      }
      case 2: {
        token.kind = GX_TK_NAME;
        token.text = text;
        GX_REF ref;
        size_t dot = text.find('.');
        if (dot != std::string::npos && GXParseRef(text.c_str(), ref)) {
          token.kind = GX_TK_CELLNAME;
          token.text = text.substr(0, dot);
          best = dot;
        }
        break;
      }
      case 3:
        token.kind = GX_TK_FUNCNAME;
        token.text = text.substr(1);
        break;
      case 4:
        token.kind = GX_TK_STRING;
        token.text = text.substr(1, text.size() - 2);
        break;
      case 5:
        token.kind = GX_TK_HEXNUMBER;
        token.text = text.substr(2);
        break;
      case 6:
      case 7:
      case 8:
        token.kind = GX_TK_NUMBER;
        token.text = text;
        break;
      case 9:
        token.kind = GX_TK_COMMENT;
        token.text = text.substr(2);
        break;
      case 10:
        token.kind = GX_TK_DOT;
        break;
      case 11:
        token.kind = SingleCharCode(c);
        break;
      case 34:
        token.kind = TwoCharCode(s, i);
        break;
      case 46:
        token.kind = GX_TK_AND;
        break;
      case 47:
        token.kind = GX_TK_OR;
        break;
      case 48:
        token.kind = GX_TK_NOT;
        break;
      default:
        token.kind = GX_TK_ERROR;
        token.value = 223;
        break;
    }
    st.offset = i + best;
    for (size_t k = i; k < i + best; ++k)
      if (s[k] != '\n') ++st.position;
    return token;
  }
}
