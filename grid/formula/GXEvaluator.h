// The formula evaluator: computes a compiled formula for one cell. Any error
// leaves the whole evaluation at once and becomes the formula's error value.
#pragma once

#include <string>

#include "grid/formula/GXCode.h"
#include "grid/formula/GXEngine.h"

// Evaluates the item tree below root for the cell at (row, col); an error
// gives an error operand and sets the engine's error flag. Evaluations nest.
GX_OPERAND GXEvaluate(int sheet, int row, int col, const std::vector<GX_ITEM>& items, int root);
// Leaves the running evaluation with an error. Never returns.
[[noreturn]] void GXEvalRaise(uint32_t code, uint32_t extra = 0);
// True while an evaluation runs.
bool GXEvalRunning();
// Evaluates a formula cell and stores its value; 1 when it has a code.
int GXCellEvaluate(int sheet, GX_CELL* cell);
GX_VALUE GXOperandToValue(int sheet, const GX_OPERAND& operand);
int GXOperandDeref(int sheet, GX_OPERAND& operand);
double GXOperandToNumber(int sheet, const GX_OPERAND& operand);
int32_t GXOperandToInt(int sheet, const GX_OPERAND& operand);
int GXCompareText(const std::string& a, const std::string& b);
// Writes "Cell %s%d: %s" into the sheet's message buffer when its message
// slot is armed, and disarms it.
void GXSheetMessage(int sheet, int row, int col, const std::string& text);
