// Helpers shared by the text forms and the style archive.
#pragma once

#include "platform/base/types.h"

// Face names the face table keeps are at most this long.
constexpr int kFaceNameMax = 31;

// The hatch bits a patterned interior takes from its pattern's entry; 0 for
// an index beyond the patterns.
UINT GXPatternHatch(UINT index);
