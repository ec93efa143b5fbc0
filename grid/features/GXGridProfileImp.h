// Grid settings kept in the application profile from one run to the next:
// the properties (colours, lines, print settings), the base styles of a
// styles map (one section per base style) and single styles and fonts.
// Every value is stored as text.
#pragma once

#include "grid/core/GXFeatures.h"

class CGXGridProfileImpl : public CGXGridProfileImp {
 public:
  void WriteStylesMap(CGXStylesMap& map) override;
  void WriteFont(const CGXFont& font, LPCTSTR section, LPCTSTR key) override;
  void WriteStyle(const CGXStyle& style, LPCTSTR section, const CGXStylesMap* map) override;
  void WriteProperties(CGXProperties& properties) override;
  BOOL ReadStylesMap(CGXStylesMap& map) override;
  BOOL ReadFont(CGXFont& font, LPCTSTR section, LPCTSTR key) override;
  BOOL ReadStyle(CGXStyle& style, LPCTSTR section, const CGXStylesMap* map) override;
  BOOL ReadProperties(CGXProperties& properties) override;
};
