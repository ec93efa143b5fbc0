// Texts of the feature objects: the library's string table first, else the
// features' own table (undo names, clipboard messages).
#pragma once

#include "platform/Afx.h"
#include "platform/base/CString.h"

// The text of a string id; empty when no table has it.
CString GXFeatureText(UINT id);
