#include "grid/core/GXLibraryBitmaps.h"

#include <string>
#include <vector>

#include "grid/core/GXAppData.h"
#include "platform/gfx/Dc.h"
#include "platform/window/Messages.h"
#include "platform/base/Resources.h"

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
    // The same arrow dimmed: shadow tone over a highlight one pixel lower right.
    {20211, 8, 5, {"sssssssf", "fssssswf", "ffsssfwf", "fffsfwff", "ffffwfff"}},
    // The calculator button of currency cells: a small calculator with its
    // display and three rows of keys.
    {20036,
     11,
     13,
     {"fkkkkkkkkkf", "fkwwwwwwwkf", "fkwssssswkf", "fkwwwwwwwkf", "fkwkwkwkwkf", "fkwwwwwwwkf", "fkwkwkwkwkf",
      "fkwwwwwwwkf", "fkwkwkwkwkf", "fkwwwwwwwkf", "fkkkkkkkkkf", "fffffffffff", "fffffffffff"}},
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

namespace {

// A bitmap file of the resource folder, its classic tones replaced by the
// current system colours.
BOOL LoadToneMappedFile(CBitmap& bitmap, UINT id) {
  const std::string path = ResourcePath(("bitmaps/" + std::to_string(id) + ".bmp").c_str());
  HBITMAP loaded = LoadBitmapFile(path.c_str());
  if (loaded == nullptr) return FALSE;
  bitmap.DeleteObject();
  bitmap.Attach(loaded);
  BITMAP bm{};
  bitmap.GetBitmap(&bm);
  CDC mem;
  if (!mem.CreateCompatibleDC(nullptr)) return TRUE;
  CBitmap* old = mem.SelectObject(&bitmap);
  const struct {
    COLORREF tone;
    char key;
  } tones[] = {{RGB(0, 0, 0), 'k'}, {RGB(128, 128, 128), 's'}, {RGB(192, 192, 192), 'f'}, {RGB(255, 255, 255), 'w'}};
  for (int y = 0; y < bm.bmHeight; ++y) {
    for (int x = 0; x < bm.bmWidth; ++x) {
      const COLORREF c = mem.GetPixel(x, y);
      for (const auto& t : tones) {
        if (c == t.tone) {
          mem.SetPixel(x, y, Tone(t.key));
          break;
        }
      }
    }
  }
  mem.SelectObject(old);
  return TRUE;
}

}  // namespace

void GXDrawBitmap(CDC* dc, CBitmap& bitmap, int x, int y, COLORREF background) {
  BITMAP bm{};
  if (dc == nullptr || bitmap.m_hObject == nullptr || !bitmap.GetBitmap(&bm)) return;
  const int w = bm.bmWidth, h = bm.bmHeight;
  CDC source, mask, work;
  if (!source.CreateCompatibleDC(dc) || !mask.CreateCompatibleDC(dc) || !work.CreateCompatibleDC(dc)) return;
  CBitmap maskBits, workBits, sourceCopy;
  if (!maskBits.CreateBitmap(w, h, 1, 1, nullptr) || !workBits.CreateCompatibleBitmap(dc, w, h) ||
      !sourceCopy.CreateCompatibleBitmap(dc, w, h))
    return;
  // The mask: white where the bitmap shows its background.
  CBitmap* oldSource = source.SelectObject(&bitmap);
  CBitmap* oldMask = mask.SelectObject(&maskBits);
  source.SetBkColor(background);
  mask.BitBlt(0, 0, w, h, &source, 0, 0, SRCCOPY);
  // The picture without its background (black there).
  CBitmap* oldWork = work.SelectObject(&sourceCopy);
  work.BitBlt(0, 0, w, h, &source, 0, 0, SRCCOPY);
  work.SetTextColor(RGB(255, 255, 255));
  work.SetBkColor(RGB(0, 0, 0));
  work.BitBlt(0, 0, w, h, &mask, 0, 0, SRCAND);
  // The destination with the picture's shape cut out, then the picture added.
  CDC result;
  result.CreateCompatibleDC(dc);
  CBitmap* oldResult = result.SelectObject(&workBits);
  result.BitBlt(0, 0, w, h, dc, x, y, SRCCOPY);
  result.SetTextColor(RGB(0, 0, 0));
  result.SetBkColor(RGB(255, 255, 255));
  result.BitBlt(0, 0, w, h, &mask, 0, 0, SRCAND);
  result.BitBlt(0, 0, w, h, &work, 0, 0, SRCPAINT);
  dc->BitBlt(x, y, w, h, &result, 0, 0, SRCCOPY);
  result.SelectObject(oldResult);
  work.SelectObject(oldWork);
  mask.SelectObject(oldMask);
  source.SelectObject(oldSource);
}

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
  return LoadToneMappedFile(bitmap, id);
}
