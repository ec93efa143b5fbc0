// Recalculation: marks the formulas affected by recorded changes and brings
// them up to date depth-first, detecting circular references, iterating them
// and checking constraints.
#pragma once

#include "grid/formula/GXEngine.h"

void GXAddChangedRange(int sheet, const GX_REF& ref);
void GXClearChangedRanges(int sheet);
// 1 after a recalculation; 0 in manual mode (the pending ranges are dropped).
int GXRecalc(int sheet);
// Recalculates even in manual mode.
void GXRecalcForced(int sheet);
void GXCellUpdate(int sheet, GX_CELL* cell);
bool GXCellAffected(int sheet, const GX_CELL* cell);
// 1 when the constraint passes (or there is none), 0 when it is violated.
int GXConstraintTest(int sheet, GX_CELL* cell);
int GXCountViolations(int sheet, GX_CELL_POOL& pool);
