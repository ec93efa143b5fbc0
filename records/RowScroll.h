// The first row a scroll-bar action of a paged row list asks for: a line or
// a page of `rows` up or down, the top, the bottom (`last`) or the thumb's
// position. The caller clamps the result.
#pragma once

// False for actions that move nothing (thumb tracking, end of scroll).
bool RowScrollTarget(unsigned code, unsigned pos, int first, int rows, int last, int* target);
