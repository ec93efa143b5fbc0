// Drawing objects: pens, brushes, fonts, bitmaps and regions, as handles
// (HPEN, HBRUSH, ...) and as the framework's wrapper classes.
//
// A C++ wrapper owns its handle and deletes it when destroyed. Deleting an
// object that is still selected into a DC is deferred until the DC lets go
// of it, so a wrapper that dies before the DC's state is restored never
// leaves the DC holding a dangling handle.
#pragma once

#include <cairo.h>

#include "platform/base/CObject.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/base/Geometry.h"
#include "platform/base/types.h"

class CDC;

#define OBJ_PEN    1
#define OBJ_BRUSH  2
#define OBJ_DC     3
#define OBJ_PAL    5
#define OBJ_FONT   6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_MEMDC  10

struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  POINT lopnWidth{0, 0};  // x is the width
  COLORREF lopnColor = 0;
};

// Handle functions.
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
DWORD GetObjectType(HGDIOBJ object);  // OBJ_*, 0 for an invalid handle
// Copies the object's description (LOGPEN, LOGBRUSH, LOGFONT, BITMAP) into
// `out` (at most `size` bytes; a null `out` asks for the size).
int GetObject(HGDIOBJ object, int size, LPVOID out);
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HFONT CreateFontIndirect(const LOGFONT* font);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(LPCRECT rect);
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
BOOL PtInRegion(HRGN region, int x, int y);
int GetRgnBox(HRGN region, LPRECT box);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL EqualRgn(HRGN a, HRGN b);
// Reads a BMP file (1, 4, 8, 24 or 32 bits per pixel, uncompressed) into a
// bitmap; null for a missing or malformed file.
HBITMAP LoadBitmapFile(const char* path);
// The system bitmaps (our numbering), monochrome (black glyph on white, so
// a block transfer to a colour DC draws the glyph in the text colour on the
// background colour): OBM_COMBO 16 x 16, a drop-down arrow (a triangle 7
// pixels wide pointing down, centred); OBM_MNARROW 8 x 8, a menu arrow (a
// triangle 7 pixels tall pointing right); OBM_UPARROW, OBM_DNARROW,
// OBM_LFARROW, OBM_RGARROW 16 x 16, the scroll arrows.
#define OBM_COMBO    32738
#define OBM_MNARROW  32739
#define OBM_UPARROW  32740
#define OBM_DNARROW  32741
#define OBM_RGARROW  32742
#define OBM_LFARROW  32743
// With a null instance and MAKEINTRESOURCE(OBM_...) a system bitmap; else
// as CBitmap::LoadBitmap (a BMP file by path or resource name).
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name);
// LoadImage of bitmaps (IMAGE_BITMAP; icons and cursors
// give null): the name is looked up as by ::LoadBitmap, or is a path with
// LR_LOADFROMFILE. LR_LOADMAP3DCOLORS maps the classic greys to the current
// 3-D colours: RGB(128,128,128) to COLOR_3DSHADOW, RGB(192,192,192) to
// COLOR_3DFACE, RGB(223,223,223) to COLOR_3DLIGHT. A width or height other
// than 0 stretches the bitmap (nearest pixel). LR_SHARED and the other flags
// are accepted and ignored; the caller deletes the bitmap.
#define LR_DEFAULTCOLOR     0x0000u
#define LR_LOADFROMFILE     0x0010u
#define LR_DEFAULTSIZE      0x0040u
#define LR_LOADMAP3DCOLORS  0x1000u
#define LR_CREATEDIBSECTION 0x2000u
#define LR_SHARED           0x8000u
HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);

class CGdiObject : public CObject {
  DECLARE_DYNAMIC(CGdiObject)

 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject();

  HGDIOBJ m_hObject = nullptr;
  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int size, LPVOID out) const { return ::GetObject(m_hObject, size, out); }
  UINT GetObjectType() const { return ::GetObjectType(m_hObject); }
  BOOL CreateStockObject(int index);
  BOOL UnrealizeObject() { return m_hObject != nullptr; }

  // The wrapper of a handle: its owning wrapper, or a wrapper kept with
  // the object for as long as it lives.
  static CGdiObject* FromHandle(HGDIOBJ object);
};

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)

 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color);
  BOOL CreatePenIndirect(const LOGPEN* pen);
  int GetLogPen(LOGPEN* pen) const { return GetObject(sizeof(LOGPEN), pen); }
  operator HPEN() const { return m_hObject; }
  static CPen* FromHandle(HPEN pen) { return static_cast<CPen*>(CGdiObject::FromHandle(pen)); }
};

class CBitmap;

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)

 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
  explicit CBrush(CBitmap* pattern);
  BOOL CreateSolidBrush(COLORREF color);
  BOOL CreateHatchBrush(int hatch, COLORREF color);
  // An 8 x 8 (or larger) bitmap repeated from the brush origin; a
  // monochrome bitmap takes the DC's text colour for black and its
  // background colour for white.
  BOOL CreatePatternBrush(CBitmap* bitmap);
  BOOL CreateBrushIndirect(const LOGBRUSH* brush);
  BOOL CreateSysColorBrush(int index);
  int GetLogBrush(LOGBRUSH* brush) const { return GetObject(sizeof(LOGBRUSH), brush); }
  operator HBRUSH() const { return m_hObject; }
  static CBrush* FromHandle(HBRUSH brush) { return static_cast<CBrush*>(CGdiObject::FromHandle(brush)); }
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)

 public:
  BOOL CreateFontIndirect(const LOGFONT* font);
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                  BYTE quality, BYTE pitchAndFamily, LPCTSTR face);
  // Size in tenths of a point, converted through the DC's vertical
  // resolution (96 dpi without a DC).
  BOOL CreatePointFont(int pointSize, LPCTSTR face, CDC* dc = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* font, CDC* dc = nullptr);
  int GetLogFont(LOGFONT* font) const { return GetObject(sizeof(LOGFONT), font); }
  operator HFONT() const { return m_hObject; }
  static CFont* FromHandle(HFONT font) { return static_cast<CFont*>(CGdiObject::FromHandle(font)); }
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)

 public:
  // Bits: rows top down, each padded to 16 bits; 1 bit per pixel (1 =
  // white), or 24/32 bits per pixel as blue, green, red (, unused) bytes.
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  BOOL CreateBitmapIndirect(const BITMAP* bitmap);
  // A bitmap of the DC's format: colour for window DCs, and for a memory DC
  // the format of the bitmap selected into it.
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  // A BMP file: a path, or a name (or number) looked up as
  // bitmaps/<name>.bmp in the resource folder.
  BOOL LoadBitmap(LPCTSTR name);
  BOOL LoadBitmap(UINT id);
  BOOL LoadOEMBitmap(UINT id);  // OBM_ ids, see ::LoadBitmap
  int GetBitmap(BITMAP* out) const { return GetObject(sizeof(BITMAP), out); }
  DWORD SetBitmapBits(DWORD count, const void* bits);
  DWORD GetBitmapBits(DWORD count, LPVOID bits) const;
  CSize GetBitmapDimension() const;
  operator HBITMAP() const { return m_hObject; }
  static CBitmap* FromHandle(HBITMAP bitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap)); }
};

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)

 public:
  BOOL CreateRectRgn(int left, int top, int right, int bottom);
  BOOL CreateRectRgnIndirect(LPCRECT rect);
  int CombineRgn(CRgn* a, CRgn* b, int mode);
  int CopyRgn(CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
  BOOL EqualRgn(CRgn* other) const;
  int OffsetRgn(int dx, int dy) { return ::OffsetRgn(m_hObject, dx, dy); }
  int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion(m_hObject, x, y); }
  BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
  BOOL RectInRegion(LPCRECT rect) const;
  int GetRgnBox(LPRECT box) const { return ::GetRgnBox(m_hObject, box); }
  BOOL SetRectRgn(int left, int top, int right, int bottom);
  BOOL SetRectRgn(LPCRECT rect) { return SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }
  operator HRGN() const { return m_hObject; }
  static CRgn* FromHandle(HRGN region) { return static_cast<CRgn*>(CGdiObject::FromHandle(region)); }
};
