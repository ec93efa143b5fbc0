// Cell text drawn at an angle inside the cell: the caller selects a font
// turned by the same angle; this places the text's origin so that the
// turned text keeps to the cell's alignment.
#pragma once

#include "grid/core/GXFeatures.h"

class CGXDrawRotatedTextImp : public CGXAbstractDrawRotatedTextImp {
 public:
  int DrawRotatedText(CDC* dc, LPCTSTR text, int length, const RECT& rect, UINT format, LONG angle,
                      LPCRECT clip) override;
};

// Where the text starts for an angle in tenths of a degree, a text extent
// and alignment flags (DT_RIGHT/DT_CENTER, DT_BOTTOM/DT_VCENTER).
POINT GXRotatedTextOrigin(const RECT& rect, SIZE extent, UINT format, LONG angle);
