// A fresh engine sheet per test and small helpers to read cells back.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "grid/formula/GXCodeToText.h"
#include "grid/formula/GXEngine.h"
#include "grid/formula/GXEvaluator.h"
#include "grid/formula/GXParser.h"
#include "grid/formula/GXRecalc.h"

class EngineSheet : public ::testing::Test {
 public:
  void SetUp() override { sheet_ = GXSheetCreate(); }
  void TearDown() override { GXSheetDestroy(sheet_); }

  GX_SHEET* S() const { return GXSheetGet(sheet_); }

  // Cell address "B3" in engine coordinates.
  static void Pos(const char* a1, int& row, int& col) {
    GX_REF ref;
    ASSERT_TRUE(GXParseRef(a1, ref)) << a1;
    row = ref.Row1();
    col = ref.Col1();
  }
  GX_CELL* Cell(const char* a1) const {
    GX_REF ref;
    GXParseRef(a1, ref);
    return GXCellFind(sheet_, ref.Row1(), ref.Col1());
  }
  void Num(const char* a1, double v) {
    int r = 0, c = 0;
    Pos(a1, r, c);
    ASSERT_TRUE(GXCellSetNumber(sheet_, r, c, v));
  }
  void Text(const char* a1, const std::string& t) {
    int r = 0, c = 0;
    Pos(a1, r, c);
    ASSERT_TRUE(GXCellSetText(sheet_, r, c, t));
  }
  void Formula(const char* a1, const std::string& f) {
    int r = 0, c = 0;
    Pos(a1, r, c);
    ASSERT_TRUE(GXCellSetFormula(sheet_, r, c, f.c_str())) << f << " error " << GXEngineState()->errorCode;
  }
  // The value of a cell as a short description: "3", "'abc", "#60", "NA", "".
  std::string Value(const char* a1) const {
    GX_CELL* c = Cell(a1);
    if (!c) return "<none>";
    if (c->Kind() == GX_KIND_FORMULA && !(c->flags & kGXUpToDate)) GXCellUpdate(sheet_, c);
    return Describe(c);
  }
  static std::string Describe(const GX_CELL* c) {
    switch (c->ValueKind()) {
      case GX_VALUE_NUMBER: {
        char b[64];
        snprintf(b, sizeof b, "%.14g", c->value.number);
        return b;
      }
      case GX_VALUE_LONG_TEXT:
      case GX_VALUE_SHORT_TEXT:
        return "'" + c->Text();
      case GX_VALUE_ERROR:
        return "#" + std::to_string(c->value.error.code);
      case GX_VALUE_NA:
        return "NA";
      default:
        return "";
    }
  }
  // Evaluates a formula text at a cell position without storing it.
  std::string Eval(const std::string& formula, const char* at = "Z100") {
    GX_CODE code;
    if (!GXCompile(sheet_, formula.c_str(), &code)) return "compile " + std::to_string(GXEngineState()->errorCode);
    int r = 0, c = 0;
    Pos(at, r, c);
    GX_OPERAND o = GXEvaluate(sheet_, r, c, code.items, code.root);
    GX_VALUE v = GXOperandToValue(sheet_, o);
    switch (v.kind) {
      case GX_VALUE_NUMBER: {
        char b[64];
        snprintf(b, sizeof b, "%.14g", v.number);
        return b;
      }
      case GX_VALUE_LONG_TEXT:
        return "'" + v.text;
      case GX_VALUE_ERROR:
        return "#" + std::to_string(v.errorCode);
      case GX_VALUE_NA:
        return "NA";
      default:
        return "";
    }
  }
  std::string RoundTrip(const std::string& formula) {
    GX_CODE code;
    if (!GXCompile(sheet_, formula.c_str(), &code))
      return "error " + std::to_string(GXEngineState()->errorCode) + " at " + std::to_string(GXEngineState()->errorPos);
    return GXCodeToText(sheet_, &code);
  }

  int sheet_ = 0;
};
