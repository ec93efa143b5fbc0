// Fonts for the drawing layer: a LOGFONT-like description is matched
// through the program's own fontconfig configuration (res/fonts/fonts.conf,
// independent of the user's) onto a font file, and realized at a pixel size
// with integer metrics and per-character advances, so that measuring and
// drawing agree to the pixel on every machine. Internal to the layer.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/GdiDefs.h"

namespace fonts {

struct RealizedFont {
  // Device pixels.
  int height = 0, ascent = 0, descent = 0;
  int internalLeading = 0, externalLeading = 0;
  int aveCharWidth = 0, maxCharWidth = 0;
  int underlinePos = 1, underlineThickness = 1;  // below the baseline
  int strikePos = 3, strikeThickness = 1;        // above the baseline
  int weight = FW_NORMAL;
  bool italic = false, underline = false, strikeOut = false;
  bool fixedPitch = false;
  BYTE family = FF_SWISS;
  double emX = 0, emY = 0;   // font size in pixels, across and up
  double escapement = 0;     // degrees, counter-clockwise
  int advance[256] = {};     // per Windows-1252 character
  unsigned glyph[256] = {};  // glyph index, 0 when the font has none
  cairo_font_face_t* face = nullptr;  // null when no font file was found
};

// The font for a description, sized for a device whose logical units are
// scaleX by scaleY pixels. Cached: the reference stays valid.
const RealizedFont& Realize(const LOGFONT& font, double scaleX = 1.0, double scaleY = 1.0);

// The families of scalable fonts the program's configuration holds, sorted
// (the font dialog's faces), and the family a face name is drawn with.
std::vector<std::string> ScalableFamilies();
std::string FamilyOf(const char* face);

// The font file a face maps onto (for diagnostics and tests).
const char* MatchedFile(const char* face, bool bold, bool italic);

}  // namespace fonts
