// Bitmaps of the program's resources whose grey tones follow the current
// system colours (button text, shadow, face and highlight).
#pragma once

#include "platform/Afx.h"
#include "platform/GdiObject.h"

// Loads bitmap resource `id` into `bitmap`; FALSE when there is none.
BOOL GXLoadResourceBitmap(CBitmap& bitmap, UINT id);
