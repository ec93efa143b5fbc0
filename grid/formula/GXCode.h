// Compiled formulas: the item array a formula compiles into, the operand the
// evaluator works with, and the escape-sequence texts of string literals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/formula/GXRef.h"

struct GX_NAME;
struct GX_FUNCTION_DESC;

enum GXItemKind : uint8_t {
  GX_ITEM_OPERATOR = 0,
  GX_ITEM_NUMBER = 1,
  GX_ITEM_STRING = 2,
  GX_ITEM_CELL = 3,
  GX_ITEM_RANGE = 4,
  GX_ITEM_NAME = 5,
  GX_ITEM_NAMED_CELL = 6,
  GX_ITEM_NAMED_RANGE = 7,
  GX_ITEM_FUNCTION = 8,
  GX_ITEM_ARG = 9,
  GX_ITEM_RELATIVE = 10,
  GX_ITEM_EXTENSION = 11,
};

// Item flags.
constexpr uint8_t kGXItemParen = 1;
constexpr uint8_t kGXItemHex = 2;
constexpr uint8_t kGXItemUnevaluated = 4;
constexpr uint8_t kGXItemNotDependency = 16;

enum GXOperator : int {
  GX_OP_ADD = 0,
  GX_OP_SUB = 1,
  GX_OP_PLUS = 2,
  GX_OP_NEG = 3,
  GX_OP_MUL = 4,
  GX_OP_DIV = 5,
  GX_OP_POW = 6,
  GX_OP_MOD = 7,
  GX_OP_AND = 8,
  GX_OP_OR = 9,
  GX_OP_NOT = 10,
  GX_OP_CAT = 11,
  GX_OP_BITOR = 12,
  GX_OP_BITXOR = 13,
  GX_OP_BITNOT = 14,
  GX_OP_SHL = 15,
  GX_OP_SHR = 16,
  GX_OP_EQ = 17,
  GX_OP_NE = 18,
  GX_OP_LT = 19,
  GX_OP_GT = 20,
  GX_OP_LE = 21,
  GX_OP_GE = 22,
  GX_OP_COND = 23,
  GX_OP_RANGE = 24,
  GX_OP_PERCENT = 25,
  GX_OP_ERROR = 26,
};

// The text the formula writer uses for an operator code.
const char* GXOperatorText(int op);

constexpr int kGXMaxItems = 200;

struct GX_ITEM {
  uint8_t kind = GX_ITEM_OPERATOR;
  uint8_t flags = 0;
  int16_t left = -1;
  int16_t right = -1;
  // Payload; which fields count depends on the kind.
  int op = 0;                                 // OPERATOR
  double number = 0;                          // NUMBER
  std::string text;                           // STRING (decoded), NAME
  GX_REF ref;                                 // CELL, RANGE
  GX_NAME* name = nullptr;                    // NAMED_CELL, NAMED_RANGE
  const GX_FUNCTION_DESC* function = nullptr; // FUNCTION
  int16_t back = -1;                          // ARG, EXTENSION
  int16_t paramType = 0;                      // ARG
  int16_t rowOffset = -1;                     // RELATIVE
  int16_t colOffset = -1;                     // RELATIVE
};

struct GX_CODE {
  int16_t root = -1;
  int16_t constraintRoot = -1;
  int16_t depList = -1;
  std::vector<GX_ITEM> items;
  bool hasComment = false;
  std::string comment;

  int ItemCount() const { return static_cast<int>(items.size()); }
};

GX_CODE* GXCodeCopy(const GX_CODE* code);
void GXCodeFree(GX_CODE* code);
bool GXCodeHasRefs(const GX_ITEM* items, int count);
bool GXCodeHasCalls(const GX_ITEM* items, int count);
// The lowest and highest item index of the sub-expression rooted at index.
void GXSubExpressionRange(const GX_CODE& code, int root, int& first, int& last);

enum GXOperandKind : int {
  GX_OPND_NUMBER = 0,
  GX_OPND_TEXT = 1,
  GX_OPND_RANGE = 2,
  GX_OPND_CELLREF = 3,
  GX_OPND_UNEVALUATED = 4,
  GX_OPND_NA = 5,
  GX_OPND_ERROR = 6,
};

struct GX_OPERAND {
  int kind = GX_OPND_NUMBER;
  double number = 0;
  std::string text;
  GX_REF ref;
  const std::vector<GX_ITEM>* items = nullptr;  // unevaluated argument
  int index = -1;
  uint32_t errorCode = 0;
  uint32_t errorExtra = 0;
};

// Texts of string literals are limited to this many characters.
constexpr size_t kGXMaxText = 511;

// Decodes backslash escape sequences, keeping at most 511 characters.
std::string GXUnescapeText(const std::string& in);
// Encodes a text for a string literal (the inverse of GXUnescapeText).
std::string GXEscapeText(const std::string& in, bool quote);
