// Image lists: equal-sized images kept side by side with an optional
// transparency mask, drawn normal, transparent, selected or disabled. The
// handle functions (ImageList_*) serve the controls; CImageList wraps one.
#pragma once

#include "platform/base/CObject.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"

struct ImageListImpl;
using HIMAGELIST = ImageListImpl*;

// ImageList_Create flags.
#define ILC_MASK     0x0001u
#define ILC_COLOR    0x0000u
#define ILC_COLORDDB 0x00FEu
#define ILC_COLOR4   0x0004u
#define ILC_COLOR8   0x0008u
#define ILC_COLOR16  0x0010u
#define ILC_COLOR24  0x0018u
#define ILC_COLOR32  0x0020u

// Draw styles.
#define ILD_NORMAL      0x0000u
#define ILD_TRANSPARENT 0x0001u
#define ILD_MASK        0x0010u
#define ILD_BLEND25     0x0002u
#define ILD_FOCUS       ILD_BLEND25
#define ILD_BLEND50     0x0004u
#define ILD_SELECTED    ILD_BLEND50
#define ILD_BLEND       ILD_BLEND50
// Ours: the classic embossed look of a disabled tool-bar button.
#define ILD_DISABLED    0x1000u

#define CLR_NONE    0xFFFFFFFFu
#define CLR_DEFAULT 0xFF000000u

struct IMAGEINFO {
  HBITMAP hbmImage = nullptr;
  HBITMAP hbmMask = nullptr;
  int Unused1 = 0, Unused2 = 0;
  RECT rcImage{0, 0, 0, 0};
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Adds every image of a bitmap strip (its width / cx images); with a mask
// bitmap (1 = transparent) or a mask colour. Returns the first new index, -1
// on failure.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour);
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
BOOL ImageList_Remove(HIMAGELIST list, int index);  // -1 removes all
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);

class CImageList : public CObject {
  DECLARE_DYNAMIC(CImageList)
 public:
  CImageList() = default;
  ~CImageList() override { DeleteImageList(); }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // A strip loaded as CBitmap::LoadBitmap does, cut into images cx wide;
  // `mask` is the transparent colour (CLR_NONE: none).
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  BOOL Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask);
  BOOL DeleteImageList();
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();

  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  int Add(CBitmap* image, CBitmap* mask);
  int Add(CBitmap* image, COLORREF mask);
  BOOL Replace(int index, CBitmap* image, CBitmap* mask);
  BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
  BOOL Draw(CDC* dc, int index, POINT pt, UINT style);
  COLORREF SetBkColor(COLORREF colour) { return ImageList_SetBkColor(m_hImageList, colour); }
  COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
  BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, index, info); }

 private:
  BOOL CreateFromStrip(CBitmap& strip, int cx, int grow, COLORREF mask);
};
