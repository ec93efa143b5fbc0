// Range operations on an engine sheet: clearing, moving and copying blocks,
// inserting and removing rows and columns, moving bands and permuting rows or
// columns for a sort, each keeping formulas pointing at the right cells.
#pragma once

#include <vector>

#include "grid/formula/GXEngine.h"

int GXClearRange(int sheet, const GX_REF& ref);
int GXMoveCells(int sheet, const GX_REF& source, int destRow, int destCol);
int GXCopyCells(int sheet, const GX_REF& source, int destRow, int destCol, int noRecalc);
int GXInsertRows(int sheet, int row, int count);
int GXInsertCols(int sheet, int col, int count);
int GXRemoveRows(int sheet, int row, int count);
int GXRemoveCols(int sheet, int col, int count);
// Moves rows (or columns) first..last so that first lands on dest.
int GXMoveRowsCols(int sheet, bool rows, int first, int last, int dest);
// The range of ref's size with its first corner at (row, col), cut to the sheet.
GX_REF GXDestRange(const GX_REF& ref, int row, int col);
// Reorders rows top..bottom (or columns): entry i of order names the old
// offset of the row that becomes offset i. When limited, only the cells in
// the columns (rows) from..to move.
void GXPermute(int sheet, bool rows, int top, int bottom, bool limited, int from, int to, const std::vector<int>& order);
