// The formula compiler: a recursive-descent parser over the scanner's tokens
// that builds a compiled formula's items bottom-up.
#pragma once

#include "grid/formula/GXCode.h"

// Compiles a formula text ("=..."). On failure returns 0, leaves the error
// number and position in the engine state and keeps nothing of the code.
int GXCompile(int sheet, const char* text, GX_CODE* code);
