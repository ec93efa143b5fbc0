#include "grid/core/GXLibraryBitmaps.h"

#include <string>
#include <vector>

#include "grid/core/GXAppData.h"
#include "platform/Messages.h"

namespace {

// The library's own pictures are drawn here, in the four classic tones that
// map onto system colours: 'k' black, 's' dark grey, 'f' light grey, 'w' white.
struct Picture {
  UINT id;
  int width;
  int height;
  const char* rows[40];
};

constexpr Picture kPictures[] = {
    // The calculator's equals key: two bars of an equals sign.
    {20037,
     17,
     10,
     {"fffffffffffffffff", "fffffffffffffffff", "ffkkkkkkkkkkkkkff", "ffkkkkkkkkkkkkkff", "fffffffffffffffff",
      "fffffffffffffffff", "ffkkkkkkkkkkkkkff", "ffkkkkkkkkkkkkkff", "fffffffffffffffff", "fffffffffffffffff"}},
    // The drop-down arrow of calendar and list buttons.
    {20028, 7, 4, {"kkkkkkk", "fkkkkkf", "ffkkkff", "fffkfff"}},
    // Check boxes with a 3-D frame: unchecked, checked, both dimmed, undetermined.
    {20024,
     65,
     13,
     {"sssssssssssswsssssssssssswsssssssssssswsssssssssssswssssssssssssw", "skkkkkkkkkkfwskkkkkkkkkkfwskkkkkkkkkkfwskkkkkkkkkkfwskkkkkkkkkkfw", "skwwwwwwwwwfwskwwwwwwwwwfwskffffffffffwskffffffffffwskffffffffffw", "skwwwwwwwwwfwskwwwwwwwkwfwskffffffffffwskfffffffsffwskfffffffsffw", "skwwwwwwwwwfwskwwwwwwkkwfwskffffffffffwskffffffssffwskffffffssffw", "skwwwwwwwwwfwskwkwwwkkkwfwskffffffffffwskfsfffsssffwskfsfffsssffw", "skwwwwwwwwwfwskwkkwkkkwwfwskffffffffffwskfssfsssfffwskfssfsssfffw", "skwwwwwwwwwfwskwkkkkkwwwfwskffffffffffwskfsssssffffwskfsssssffffw", "skwwwwwwwwwfwskwwkkkwwwwfwskffffffffffwskffsssfffffwskffsssfffffw", "skwwwwwwwwwfwskwwwkwwwwwfwskffffffffffwskfffsffffffwskfffsffffffw", "skwwwwwwwwwfwskwwwwwwwwwfwskffffffffffwskffffffffffwskffffffffffw", "sfffffffffffwsfffffffffffwsfffffffffffwsfffffffffffwsfffffffffffw", "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww"}},
    // The same for older systems.
    {20025,
     65,
     13,
     {"sssssssssssswsssssssssssswsssssssssssswsssssssssssswssssssssssssw", "skkkkkkkkkkfwskkkkkkkkkkfwskkkkkkkkkkfwskkkkkkkkkkfwskkkkkkkkkkfw", "skwwwwwwwwwfwskwwwwwwwwwfwskffffffffffwskffffffffffwskffffffffffw", "skwwwwwwwwwfwskwwwwwwwkwfwskffffffffffwskfffffffsffwskfffffffsffw", "skwwwwwwwwwfwskwwwwwwkkwfwskffffffffffwskffffffssffwskffffffssffw", "skwwwwwwwwwfwskwkwwwkkkwfwskffffffffffwskfsfffsssffwskfsfffsssffw", "skwwwwwwwwwfwskwkkwkkkwwfwskffffffffffwskfssfsssfffwskfssfsssfffw", "skwwwwwwwwwfwskwkkkkkwwwfwskffffffffffwskfsssssffffwskfsssssffffw", "skwwwwwwwwwfwskwwkkkwwwwfwskffffffffffwskffsssfffffwskffsssfffffw", "skwwwwwwwwwfwskwwwkwwwwwfwskffffffffffwskfffsffffffwskfffsffffffw", "skwwwwwwwwwfwskwwwwwwwwwfwskffffffffffwskffffffffffwskffffffffffw", "sfffffffffffwsfffffffffffwsfffffffffffwsfffffffffffwsfffffffffffw", "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww"}},
    // Flat check boxes, also used for printing.
    {20026,
     65,
     13,
     {"kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk", "kwwwwwwwwwwwkkwwwwwwwwwwwkkfffffffffffkkfffffffffffkkfffffffffffk", "kwwwwwwwwwwwkkwwwwwwwwwwwkkfffffffffffkkfffffffffffkkfffffffffffk", "kwwwwwwwwwwwkkwwwwwwwwkwwkkfffffffffffkkffffffffsffkkffffffffsffk", "kwwwwwwwwwwwkkwwwwwwwkkwwkkfffffffffffkkfffffffssffkkfffffffssffk", "kwwwwwwwwwwwkkwwkwwwkkkwwkkfffffffffffkkffsfffsssffkkffsfffsssffk", "kwwwwwwwwwwwkkwwkkwkkkwwwkkfffffffffffkkffssfsssfffkkffssfsssfffk", "kwwwwwwwwwwwkkwwkkkkkwwwwkkfffffffffffkkffsssssffffkkffsssssffffk", "kwwwwwwwwwwwkkwwwkkkwwwwwkkfffffffffffkkfffsssfffffkkfffsssfffffk", "kwwwwwwwwwwwkkwwwwkwwwwwwkkfffffffffffkkffffsffffffkkffffsffffffk", "kwwwwwwwwwwwkkwwwwwwwwwwwkkfffffffffffkkfffffffffffkkfffffffffffk", "kwwwwwwwwwwwkkwwwwwwwwwwwkkfffffffffffkkfffffffffffkkfffffffffffk", "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"}},
    // Radio buttons: off at x 0 and on at x 14 of the middle row.
    {20019,
     70,
     39,
     {"ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffssssffffffffffssssffffffffffffffffffffffffffffffffffffffffffffffff", "ffssskksssffffffssskksssffffffffffffffffffffffffffffffffffffffffffffff", "fsskkwwkkwwffffsskkwwkkwwfffffffffffffffffffffffffffffffffffffffffffff", "fskwwwwwwfwffffskwwwwwwfwfffffffffffffffffffffffffffffffffffffffffffff", "sskwwwwwwfwwffsskwwkkwwfwwffffffffffffffffffffffffffffffffffffffffffff", "skwwwwwwwwfwffskwwkkkkwwfwffffffffffffffffffffffffffffffffffffffffffff", "skwwwwwwwwfwffskwwkkkkwwfwffffffffffffffffffffffffffffffffffffffffffff", "sskwwwwwwfwwffsskwwkkwwfwwffffffffffffffffffffffffffffffffffffffffffff", "fskwwwwwwfwffffskwwwwwwfwfffffffffffffffffffffffffffffffffffffffffffff", "fswffwwffwwffffswffwwffwwfffffffffffffffffffffffffffffffffffffffffffff", "ffwwwffwwwffffffwwwffwwwffffffffffffffffffffffffffffffffffffffffffffff", "ffffwwwwffffffffffwwwwffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"}},
};

COLORREF Tone(char c) {
  switch (c) {
    case 'k': return GXGetSysColor(COLOR_BTNTEXT);
    case 's': return GXGetSysColor(COLOR_BTNSHADOW);
    case 'w': return GXGetSysColor(COLOR_BTNHIGHLIGHT);
    default: return GXGetSysColor(COLOR_BTNFACE);
  }
}

}  // namespace

BOOL GXLoadResourceBitmap(CBitmap& bitmap, UINT id) {
  for (const Picture& p : kPictures) {
    if (p.id != id) continue;
    std::vector<BYTE> bits(static_cast<std::size_t>(p.width * p.height * 4));
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        const COLORREF c = Tone(p.rows[y][x]);
        BYTE* px = &bits[static_cast<std::size_t>((y * p.width + x) * 4)];
        px[0] = GetBValue(c);
        px[1] = GetGValue(c);
        px[2] = GetRValue(c);
        px[3] = 0;
      }
    }
    bitmap.DeleteObject();
    return bitmap.CreateBitmap(p.width, p.height, 1, 32, bits.data());
  }
  return FALSE;
}
