// The formula text of a compiled formula, in canonical spelling.
#pragma once

#include <string>

#include "grid/formula/GXCode.h"

// "=" and the formula; an empty code gives an empty text.
std::string GXCodeToText(int sheet, const GX_CODE* code);
// Appends one item with its operands.
void GXItemToText(const GX_CODE& code, int index, std::string& out);
