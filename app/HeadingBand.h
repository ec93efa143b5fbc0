// The white band at the top of the tip of the day and the optional
// warning: an owner-drawn frame filled white, with a picture at its
// top-left corner and a heading beside it, vertically centred on the
// picture. The texts inside the frame are drawn on white (BandBrush).
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/types.h"

class CDC;
class CFont;

void PaintHeadingBand(CDC* dc, const RECT& frame, int bitmapId, const char* heading, CFont* font);
// The white brush of the texts inside the band's frame.
HBRUSH BandBrush();
