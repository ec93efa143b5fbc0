// The formula scanner: cuts a formula text into tokens by longest match over
// an ordered rule set (the earlier rule wins among equally long matches).
#pragma once

#include <string>

enum GXTokenCode : int {
  GX_TK_SEMICOLON = 0,
  GX_TK_COLON = 1,
  GX_TK_COMMA = 2,
  GX_TK_QUESTION = 3,
  GX_TK_HASH = 4,
  GX_TK_BACKSLASH = 5,
  GX_TK_PLUS = 6,
  GX_TK_MINUS = 7,
  GX_TK_STAR = 8,
  GX_TK_SLASH = 9,
  GX_TK_PERCENT = 10,
  GX_TK_BAR = 11,
  GX_TK_CARET = 12,
  GX_TK_AMP = 13,
  GX_TK_NOT = 14,
  GX_TK_TILDE = 15,
  GX_TK_LT = 16,
  GX_TK_GT = 17,
  GX_TK_LPAREN = 18,
  GX_TK_RPAREN = 19,
  GX_TK_LBRACE = 20,
  GX_TK_RBRACE = 21,
  GX_TK_ASSIGN = 22,
  GX_TK_POWER = 23,
  GX_TK_AND = 24,
  GX_TK_OR = 25,
  GX_TK_SHL = 26,
  GX_TK_SHR = 27,
  GX_TK_LE = 28,
  GX_TK_GE = 29,
  GX_TK_NE = 30,
  GX_TK_EQ = 31,
  GX_TK_DOTDOT = 32,
  GX_TK_CELLNAME = 33,
  GX_TK_NAME = 34,
  GX_TK_FUNCNAME = 35,
  GX_TK_STRING = 36,
  GX_TK_NUMBER = 37,
  GX_TK_HEXNUMBER = 38,
  GX_TK_COMMENT = 39,
  GX_TK_END = 40,
  GX_TK_ERROR = 41,
  GX_TK_DOT = 42,
  GX_TK_ERRLIT = 43,
};

struct GX_TOKEN {
  int kind = GX_TK_END;
  std::string text;  // cell name, name, function name, string, number, hex number, comment
  int value = 0;     // 223 for the error token
  int position = 0;  // line feeds do not count
};

// Starts scanning a new formula text.
void GXScanSetInput(const std::string& text);
GX_TOKEN GXScan();
