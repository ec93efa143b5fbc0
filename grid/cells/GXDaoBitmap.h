// The bitmap cell: a static cell that draws a picture kept as a byte array
// (a database picture field) in a variant attribute of its style.
#pragma once

#include "grid/cells/GXStyleVariant.h"
#include "grid/cells/GXStatic.h"

constexpr WORD GX_IDS_UA_DAOBITMAP = 52794;

// A packed device-independent bitmap made from a byte-array variant: the
// bytes from the first "BM" on (picture fields often carry a header of
// their own before the file header), without the 14-byte file header
// unless `keepHeader`. Null for any other variant or without "BM".
HGLOBAL GXDIBFromVariant(const VARIANT& variant, BOOL keepHeader);
// Draws the variant's picture (or `dib` when given) into `rect`; the
// bitmap drawn, freed first when `freeAfter` (then null).
HGLOBAL GXDrawVariantDIB(CDC* dc, const VARIANT& variant, const CRect& rect, int mode, UINT align,
                         const CRect* source, HGLOBAL dib, BOOL freeAfter);

class CGXDaoBitmap : public CGXStatic {
  GX_DECLARE_CONTROL_CLASS(CGXDaoBitmap)

 public:
  explicit CGXDaoBitmap(CGXGridCore* grid) : CGXStatic(grid) {}

  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
};
