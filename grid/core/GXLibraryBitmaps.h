// Bitmaps of the program's resources whose grey tones follow the current
// system colours (button text, shadow, face and highlight).
#pragma once

#include "platform/Afx.h"
#include "platform/gfx/GdiObject.h"

class CDC;

// Loads bitmap resource `id` into `bitmap`; FALSE when there is none. The
// library's own pictures are drawn here; other ids are read from the
// resource folder's bitmaps/<id>.bmp with their four grey tones mapped.
BOOL GXLoadResourceBitmap(CBitmap& bitmap, UINT id);
// Draws a bitmap at (x, y), leaving the pixels of `background` transparent.
void GXDrawBitmap(CDC* dc, CBitmap& bitmap, int x, int y, COLORREF background);
