#include "platform/gfx/FontEngine.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Codepage.h"
#include "platform/base/Resources.h"

namespace fonts {
namespace {

struct LoadedFace {
  FT_Face ft = nullptr;
  cairo_font_face_t* cairo = nullptr;
};

struct Engine {
  FcConfig* config = nullptr;
  FT_Library library = nullptr;
  std::map<std::string, LoadedFace> faces;      // by file path and index
  std::map<std::string, std::string> matches;   // by face, bold, italic
  std::map<std::string, std::unique_ptr<RealizedFont>> realized;

  Engine() {
    config = FcConfigCreate();
    const std::string conf = ResourcePath("fonts/fonts.conf");
    if (!FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(conf.c_str()), FcTrue) ||
        !FcConfigBuildFonts(config)) {
      std::fprintf(stderr, "kestrova: cannot load the fonts configuration %s\n", conf.c_str());
      FcConfigDestroy(config);
      config = nullptr;
    }
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }

  std::string Match(const std::string& face, bool bold, bool italic) {
    const std::string key = face + (bold ? "|b" : "|") + (italic ? "i" : "");
    if (auto it = matches.find(key); it != matches.end()) return it->second;
    std::string file;
    if (config) {
      FcPattern* pat = FcPatternCreate();
      FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
      FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
      FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
      FcConfigSubstitute(config, pat, FcMatchPattern);
      FcDefaultSubstitute(pat);
      FcResult result;
      if (FcPattern* m = FcFontMatch(config, pat, &result)) {
        FcChar8* path = nullptr;
        int index = 0;
        if (FcPatternGetString(m, FC_FILE, 0, &path) == FcResultMatch) {
          FcPatternGetInteger(m, FC_INDEX, 0, &index);
          file = std::string(reinterpret_cast<const char*>(path)) + "#" + std::to_string(index);
        }
        FcPatternDestroy(m);
      }
      FcPatternDestroy(pat);
    }
    matches[key] = file;
    return file;
  }

  LoadedFace* Load(const std::string& fileKey) {
    if (fileKey.empty() || !library) return nullptr;
    if (auto it = faces.find(fileKey); it != faces.end()) return it->second.ft ? &it->second : nullptr;
    LoadedFace lf;
    const auto hash = fileKey.rfind('#');
    const std::string path = fileKey.substr(0, hash);
    const long index = std::atol(fileKey.c_str() + hash + 1);
    if (FT_New_Face(library, path.c_str(), index, &lf.ft) != 0) lf.ft = nullptr;
    // Hinting follows the font options of each drawing (see DcText.cpp).
    if (lf.ft) lf.cairo = cairo_ft_font_face_create_for_ft_face(lf.ft, FT_LOAD_DEFAULT);
    auto& slot = faces[fileKey] = lf;
    return slot.ft ? &slot : nullptr;
  }
};

Engine& GetEngine() {
  static Engine* engine = new Engine;  // lives to the end of the program
  return *engine;
}

std::string FaceFor(const LOGFONT& lf) {
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
  std::string name = face;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (!name.empty()) return Cp1252ToUtf8(name);
  // No face: chosen by pitch and family.
  const int family = lf.lfPitchAndFamily & 0xF0;
  if ((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH || family == FF_MODERN) return "Courier New";
  if (family == FF_ROMAN) return "Times New Roman";
  return "Arial";
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

void Synthesize(RealizedFont& f, double em) {
  f.ascent = Round(em * 0.905);
  f.descent = Round(em * 0.212);
  f.height = f.ascent + f.descent;
  f.internalLeading = f.height - Round(em);
  f.aveCharWidth = std::max(1, Round(em * 0.44));
  f.maxCharWidth = Round(em);
  for (int c = 0; c < 256; ++c) f.advance[c] = c < 32 ? 0 : f.aveCharWidth;
}

}  // namespace

const char* MatchedFile(const char* face, bool bold, bool italic) {
  static std::string last;
  last = GetEngine().Match(face ? face : "", bold, italic);
  return last.c_str();
}

std::vector<std::string> ScalableFamilies() {
  std::vector<std::string> out;
  Engine& e = GetEngine();
  if (!e.config) return out;
  FcFontSet* set = FcConfigGetFonts(e.config, FcSetSystem);
  for (int i = 0; set && i < set->nfont; ++i) {
    FcBool scalable = FcFalse;
    FcChar8* family = nullptr;
    if (FcPatternGetBool(set->fonts[i], FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) continue;
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) continue;
    std::string name = Utf8ToCp1252(reinterpret_cast<const char*>(family));
    if (!name.empty() && name.size() < LF_FACESIZE) out.push_back(name);
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

std::string FamilyOf(const char* face) {
  Engine& e = GetEngine();
  std::string family;
  if (!e.config) return family;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(Cp1252ToUtf8(face ? face : "").c_str()));
  FcConfigSubstitute(e.config, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  if (FcPattern* m = FcFontMatch(e.config, pat, &result)) {
    FcChar8* name = nullptr;
    if (FcPatternGetString(m, FC_FAMILY, 0, &name) == FcResultMatch)
      family = Utf8ToCp1252(reinterpret_cast<const char*>(name));
    FcPatternDestroy(m);
  }
  FcPatternDestroy(pat);
  return family;
}

const RealizedFont& Realize(const LOGFONT& lf, double scaleX, double scaleY) {
  Engine& e = GetEngine();
  const std::string face = FaceFor(lf);
  std::string key(reinterpret_cast<const char*>(&lf), offsetof(LOGFONT, lfFaceName));
  key += face;
  char scales[64];
  std::snprintf(scales, sizeof scales, "|%.6g|%.6g", scaleX, scaleY);
  key += scales;
  if (auto it = e.realized.find(key); it != e.realized.end()) return *it->second;

  auto f = std::make_unique<RealizedFont>();
  f->weight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  f->italic = lf.lfItalic != 0;
  f->underline = lf.lfUnderline != 0;
  f->strikeOut = lf.lfStrikeOut != 0;
  f->escapement = lf.lfEscapement / 10.0;
  const std::string file = e.Match(face, f->weight >= FW_SEMIBOLD, f->italic);
  if (file.find("Mono") != std::string::npos) f->family = FF_MODERN;
  else if (file.find("Serif") != std::string::npos) f->family = FF_ROMAN;
  LoadedFace* lfce = e.Load(file);

  const double sy = std::fabs(scaleY) > 0 ? std::fabs(scaleY) : 1.0;
  const double sx = std::fabs(scaleX) > 0 ? std::fabs(scaleX) : 1.0;
  if (!lfce) {
    const double em = lf.lfHeight ? std::fabs(lf.lfHeight * sy) : 16.0;
    Synthesize(*f, em);
    f->emX = f->emY = em;
    return *(e.realized[key] = std::move(f));
  }

  FT_Face ft = lfce->ft;
  const double upem = ft->units_per_EM ? ft->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
  const double winAscent = os2 ? os2->usWinAscent : ft->ascender;
  const double winDescent = os2 ? os2->usWinDescent : -ft->descender;
  const double cellUnits = winAscent + winDescent > 0 ? winAscent + winDescent : upem;

  // Negative heights give the character (em) height, positive ones the cell
  // height (ascent plus descent).
  double em;
  if (lf.lfHeight < 0) em = -lf.lfHeight * sy;
  else if (lf.lfHeight > 0) em = lf.lfHeight * sy * upem / cellUnits;
  else em = 16.0 * sy;
  const double px = em / upem;

  if (lf.lfHeight > 0) {
    // The cell height asked for is the height.
    f->height = Round(cellUnits * px);
    f->ascent = Round(winAscent * px);
    f->descent = f->height - f->ascent;
  } else {
    // Hinted metrics: the ascent and the descent each take whole pixels,
    // rounded up, as the classic desktop's fonts do (the 8-point dialog
    // font is 13 pixels high at 96 dpi, not 12).
    f->ascent = static_cast<int>(std::ceil(winAscent * px - 1e-6));
    f->descent = static_cast<int>(std::ceil(winDescent * px - 1e-6));
    f->height = f->ascent + f->descent;
  }
  f->internalLeading = f->height - Round(em);
  if (hhea) {
    const double lineGap = hhea->Line_Gap - (cellUnits - (hhea->Ascender - hhea->Descender));
    f->externalLeading = std::max(0, Round(lineGap * px));
  }
  f->fixedPitch = FT_IS_FIXED_WIDTH(ft);

  // The average width is the weighted average of the lower-case letters
  // and the space (the older definition of the font tables, which the
  // classic metrics and the layouts built on them use), not the newer mean
  // over every glyph of the font.
  static constexpr int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                       56, 17, 4,  49, 56,  71, 31, 10, 18, 3,  18, 2, 166};
  double weighted = 0;
  for (int i = 0; i < 27; ++i) {
    FT_Fixed adv = 0;
    FT_Get_Advance(ft, FT_Get_Char_Index(ft, i < 26 ? 'a' + i : ' '), FT_LOAD_NO_SCALE, &adv);
    weighted += static_cast<double>(adv) * kWeights[i];
  }
  const double naturalAvg = weighted > 0 ? weighted / 1000.0 * px : em / 2;
  // A width asks for a horizontal stretch of that natural average width.
  const double stretch = lf.lfWidth > 0 ? (lf.lfWidth * sx) / naturalAvg : 1.0;
  f->emY = em;
  f->emX = em * stretch;
  f->aveCharWidth = std::max(1, Round(naturalAvg * stretch));
  f->maxCharWidth = Round((hhea ? hhea->advance_Width_Max : upem) * px * stretch);
  f->underlinePos = std::max(1, Round(-ft->underline_position * px));
  f->underlineThickness = std::max(1, Round(ft->underline_thickness * px));
  if (os2 && os2->yStrikeoutSize > 0) {
    f->strikePos = Round(os2->yStrikeoutPosition * px);
    f->strikeThickness = std::max(1, Round(os2->yStrikeoutSize * px));
  } else {
    f->strikePos = Round(f->ascent / 3.0);
  }

  for (int c = 0; c < 256; ++c) {
    if (c < 32) {
      // Control characters draw nothing and take no room.
      f->glyph[c] = 0;
      f->advance[c] = 0;
      continue;
    }
    const FT_UInt g = FT_Get_Char_Index(ft, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    FT_Fixed adv = 0;
    FT_Get_Advance(ft, g, FT_LOAD_NO_SCALE, &adv);
    f->glyph[c] = g;
    f->advance[c] = Round(adv * px * stretch);
  }
  f->face = lfce->cairo;
  return *(e.realized[key] = std::move(f));
}

}  // namespace fonts
