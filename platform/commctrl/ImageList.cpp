// Image lists. Each image keeps its pixels and a transparency mask; for
// drawing it is turned into a colour bitmap (transparent pixels black) and
// a monochrome mask (1 = transparent), and drawn with the classic two block
// transfers, so the layer's pixel engine does the work.
#include "platform/commctrl/ImageList.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/gfx/SysColors.h"

namespace {

struct Image {
  std::vector<COLORREF> pixels;
  std::vector<std::uint8_t> transparent;
  std::unique_ptr<CBitmap> colour, mask, shape;  // built when first drawn
};

COLORREF fromBits(const BYTE* row, int x, int bpp) {
  if (bpp == 1) return (row[x / 8] & (0x80 >> (x % 8))) ? RGB(255, 255, 255) : RGB(0, 0, 0);
  const int n = bpp / 8;
  return RGB(row[x * n + 2], row[x * n + 1], row[x * n]);
}

// A bitmap's pixels, row by row; false when it is not a bitmap.
bool readPixels(HBITMAP h, int& w, int& hgt, std::vector<COLORREF>& out) {
  CBitmap* b = CBitmap::FromHandle(h);
  BITMAP bm;
  if (!h || !b->GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  w = bm.bmWidth;
  hgt = bm.bmHeight;
  std::vector<BYTE> bytes(static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(hgt));
  if (!b->GetBitmapBits(static_cast<DWORD>(bytes.size()), bytes.data())) return false;
  out.resize(static_cast<size_t>(w) * static_cast<size_t>(hgt));
  for (int y = 0; y < hgt; ++y)
    for (int x = 0; x < w; ++x)
      out[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
          fromBits(bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(bm.bmWidthBytes), x, bm.bmBitsPixel);
  return true;
}

std::unique_ptr<CBitmap> makeColour(const Image& im, int cx, int cy) {
  std::vector<BYTE> bits(static_cast<size_t>(cx) * static_cast<size_t>(cy) * 4, 0);
  for (size_t i = 0; i < im.pixels.size(); ++i) {
    if (im.transparent[i]) continue;
    bits[i * 4] = GetBValue(im.pixels[i]);
    bits[i * 4 + 1] = GetGValue(im.pixels[i]);
    bits[i * 4 + 2] = GetRValue(im.pixels[i]);
  }
  auto b = std::make_unique<CBitmap>();
  b->CreateBitmap(cx, cy, 1, 32, bits.data());
  return b;
}

// A monochrome bitmap with 1 (white) where `white` says so.
template <class Pred>
std::unique_ptr<CBitmap> makeMono(int cx, int cy, Pred white) {
  const int rowBytes = ((cx + 15) / 16) * 2;
  std::vector<BYTE> bits(static_cast<size_t>(rowBytes) * static_cast<size_t>(cy), 0);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x)
      if (white(static_cast<size_t>(y) * static_cast<size_t>(cx) + static_cast<size_t>(x)))
        bits[static_cast<size_t>(y * rowBytes + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
  auto b = std::make_unique<CBitmap>();
  b->CreateBitmap(cx, cy, 1, 1, bits.data());
  return b;
}

int luminance(COLORREF c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; }

// Where the source bit is white the destination stays; where it is black
// the brush paints ((D xor P) and S) xor P.
constexpr DWORD kPaintWhereBlack = 0x00B8074Au;

}  // namespace

struct ImageListImpl {
  int cx = 0, cy = 0;
  UINT flags = 0;
  COLORREF bk = CLR_NONE;
  std::vector<Image> images;

  bool masked() const { return (flags & ILC_MASK) != 0; }
  void build(Image& im) {
    if (im.colour) return;
    im.colour = makeColour(im, cx, cy);
    im.mask = makeMono(cx, cy, [&](size_t i) { return im.transparent[i] != 0; });
    // What the embossed disabled look outlines (black = part of the shape).
    im.shape = makeMono(cx, cy, [&](size_t i) { return !inShape(im, i); });
  }
  // A picture's shape is its dark pixels and the darker side of every clear
  // edge, transparency counting as the light face it sits on. Taking every
  // pixel below a light grey would turn a picture with a grey body (a
  // calculator, a monitor) into a solid block.
  bool inShape(const Image& im, size_t i) const {
    constexpr int kDark = 96, kEdge = 40, kFace = 192;
    if (im.transparent[i]) return false;
    const int own = luminance(im.pixels[i]);
    if (own < kDark) return true;
    const int x = static_cast<int>(i % static_cast<size_t>(cx)), y = static_cast<int>(i / static_cast<size_t>(cx));
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : steps) {
      const int nx = x + step[0], ny = y + step[1];
      int next = kFace;
      if (nx >= 0 && nx < cx && ny >= 0 && ny < cy) {
        const size_t n = static_cast<size_t>(ny) * static_cast<size_t>(cx) + static_cast<size_t>(nx);
        if (!im.transparent[n]) next = luminance(im.pixels[n]);
      }
      if (next - own > kEdge) return true;
    }
    return false;
  }
  // Cuts a strip into images; transparentOf says which pixels show through.
  template <class Pred>
  int addStrip(int w, int h, const std::vector<COLORREF>& px, Pred transparentOf) {
    if (cx <= 0 || w < cx) return -1;
    const int first = static_cast<int>(images.size());
    for (int left = 0; left + cx <= w; left += cx) {
      Image im;
      im.pixels.assign(static_cast<size_t>(cx) * static_cast<size_t>(cy), RGB(0, 0, 0));
      im.transparent.assign(im.pixels.size(), masked() ? 1 : 0);
      for (int y = 0; y < std::min(cy, h); ++y)
        for (int x = 0; x < cx; ++x) {
          size_t from = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(left + x);
          size_t to = static_cast<size_t>(y) * static_cast<size_t>(cx) + static_cast<size_t>(x);
          im.pixels[to] = px[from];
          im.transparent[to] = masked() && transparentOf(from) ? 1 : 0;
        }
      images.push_back(std::move(im));
    }
    return first;
  }
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int) {
  if (cx <= 0 || cy <= 0) return nullptr;
  auto* l = new ImageListImpl;
  l->cx = cx;
  l->cy = cy;
  l->flags = flags;
  l->images.reserve(static_cast<size_t>(std::max(0, initial)));
  return l;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  if (!list) return FALSE;
  delete list;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? static_cast<int>(list->images.size()) : 0; }

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  if (!list) return FALSE;
  if (cx) *cx = list->cx;
  if (cy) *cy = list->cy;
  return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  int w = 0, h = 0, mw = 0, mh = 0;
  std::vector<COLORREF> px, mpx;
  if (!list || !readPixels(image, w, h, px)) return -1;
  bool haveMask = mask && readPixels(mask, mw, mh, mpx) && mw == w && mh == h;
  return list->addStrip(w, h, px, [&](size_t i) { return haveMask && mpx[i] != RGB(0, 0, 0); });
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour) {
  int w = 0, h = 0;
  std::vector<COLORREF> px;
  if (!list || !readPixels(image, w, h, px)) return -1;
  return list->addStrip(w, h, px, [&](size_t i) { return maskColour != CLR_NONE && px[i] == maskColour; });
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
  if (!list || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  const int added = ImageList_Add(list, image, mask);
  if (added < 0) return FALSE;
  list->images[static_cast<size_t>(index)] = std::move(list->images[static_cast<size_t>(added)]);
  list->images.resize(static_cast<size_t>(added));
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  if (!list) return FALSE;
  if (index == -1) {
    list->images.clear();
    return TRUE;
  }
  if (index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  list->images.erase(list->images.begin() + index);
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour) {
  if (!list) return CLR_NONE;
  COLORREF old = list->bk;
  list->bk = colour;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) { return list ? list->bk : CLR_NONE; }

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
  if (!list || !info || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  Image& im = list->images[static_cast<size_t>(index)];
  list->build(im);
  info->hbmImage = *im.colour;
  info->hbmMask = list->masked() ? static_cast<HBITMAP>(*im.mask) : nullptr;
  info->rcImage = RECT{0, 0, list->cx, list->cy};
  return TRUE;
}

namespace {

// Paints `brushColour` where the monochrome `source` is black.
void paintThrough(CDC* dc, CDC* mem, CBitmap* source, int x, int y, int cx, int cy, COLORREF brushColour) {
  CBrush brush(brushColour);
  CBrush* oldBrush = dc->SelectObject(&brush);
  CBitmap* old = mem->SelectObject(source);
  COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
  COLORREF oldBk = dc->SetBkColor(RGB(255, 255, 255));
  dc->BitBlt(x, y, cx, cy, mem, 0, 0, kPaintWhereBlack);
  dc->SetTextColor(oldText);
  dc->SetBkColor(oldBk);
  mem->SelectObject(old);
  dc->SelectObject(oldBrush);
}

void drawDisabled(CDC* dc, CDC* mem, Image& im, int x, int y, int cx, int cy) {
  paintThrough(dc, mem, im.shape.get(), x + 1, y + 1, cx, cy, GetSysColor(COLOR_3DHILIGHT));
  paintThrough(dc, mem, im.shape.get(), x, y, cx, cy, GetSysColor(COLOR_3DSHADOW));
}

void drawImage(CDC* dc, CDC* mem, ImageListImpl* l, Image& im, int x, int y, UINT style) {
  // A background colour fills the transparent pixels unless the style asks
  // to see through them; the image then goes in over the cut-out.
  const bool transparent = l->masked() && (l->bk == CLR_NONE || (style & (ILD_TRANSPARENT | ILD_MASK)));
  if (l->masked() && !transparent) dc->FillSolidRect(x, y, l->cx, l->cy, l->bk);
  if (l->masked()) {
    COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    COLORREF oldBk = dc->SetBkColor(RGB(255, 255, 255));
    CBitmap* old = mem->SelectObject(im.mask.get());
    dc->BitBlt(x, y, l->cx, l->cy, mem, 0, 0, SRCAND);
    mem->SelectObject(old);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBk);
  }
  if (style & ILD_MASK) return;
  CBitmap* old = mem->SelectObject(im.colour.get());
  dc->BitBlt(x, y, l->cx, l->cy, mem, 0, 0, l->masked() ? SRCPAINT : SRCCOPY);
  mem->SelectObject(old);
  // A selected image is dithered with the highlight colour.
  if (style & ILD_SELECTED) paintThrough(dc, mem, im.shape.get(), x, y, l->cx, l->cy, GetSysColor(COLOR_HIGHLIGHT));
}

}  // namespace

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style) {
  if (!list || !hdc || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  Image& im = list->images[static_cast<size_t>(index)];
  list->build(im);
  CDC* dc = CDC::FromHandle(hdc);
  CDC mem;
  if (!mem.CreateCompatibleDC(dc)) return FALSE;
  if (style & ILD_DISABLED) drawDisabled(dc, &mem, im, x, y, list->cx, list->cy);
  else drawImage(dc, &mem, list, im, x, y, style);
  return TRUE;
}

IMPLEMENT_DYNAMIC(CImageList, CObject)

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  DeleteImageList();
  m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
  return m_hImageList != nullptr;
}

BOOL CImageList::CreateFromStrip(CBitmap& strip, int cx, int grow, COLORREF mask) {
  BITMAP bm;
  if (!strip.GetSafeHandle() || !strip.GetBitmap(&bm)) return FALSE;
  if (!Create(cx, bm.bmHeight, mask == CLR_NONE ? ILC_COLOR : ILC_MASK, 0, grow)) return FALSE;
  if (Add(&strip, mask) < 0) {
    DeleteImageList();
    return FALSE;
  }
  return TRUE;
}

BOOL CImageList::Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask) {
  CBitmap strip;
  return strip.LoadBitmap(bitmapName) && CreateFromStrip(strip, cx, grow, mask);
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
  CBitmap strip;
  return strip.LoadBitmap(bitmapId) && CreateFromStrip(strip, cx, grow, mask);
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  ImageList_Destroy(m_hImageList);
  m_hImageList = nullptr;
  return TRUE;
}

BOOL CImageList::Attach(HIMAGELIST list) {
  if (m_hImageList || !list) return FALSE;
  m_hImageList = list;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  m_hImageList = nullptr;
  return h;
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
  return ImageList_Add(m_hImageList, image ? static_cast<HBITMAP>(*image) : nullptr,
                       mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

int CImageList::Add(CBitmap* image, COLORREF mask) {
  return ImageList_AddMasked(m_hImageList, image ? static_cast<HBITMAP>(*image) : nullptr, mask);
}

BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask) {
  return ImageList_Replace(m_hImageList, index, image ? static_cast<HBITMAP>(*image) : nullptr,
                           mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT pt, UINT style) {
  return ImageList_Draw(m_hImageList, index, dc ? dc->GetSafeHdc() : nullptr, pt.x, pt.y, style);
}
