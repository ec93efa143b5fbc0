// The binary archive layout of cell styles and of the font, interior and
// border records they carry (schema 6 for styles, 2 for fonts). Readers
// take every older schema and refuse newer ones as a bad schema.
#pragma once

#include "grid/core/GXFeatures.h"

class CGXStyleSerializeImpl : public CGXStyleSerializeImp {
 public:
  static constexpr WORD kStyleSchema = 6;
  static constexpr WORD kFontSchema = 2;

  void SerializeFont(CGXFont& font, CArchive& ar) override;
  void SerializeInterior(CGXStyleInterior& interior, CArchive& ar) override;
  void SerializeBorder(CGXStyleBorder& border, CArchive& ar) override;
  void SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* map) override;

 private:
  void WriteStyle(const CGXStyle& style, CArchive& ar, const CGXStylesMap* map);
  void ReadStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* map);
  void ReadFontSchema1(CGXFont& font, CArchive& ar);
};
