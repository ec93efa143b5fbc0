// CDC: the framework's device context. A DC draws into a pixel surface
// (a window's part of its top-level surface, or a memory DC's selected
// bitmap) through a state of selected objects, colours, modes, a mapping
// from logical to device units and a clip region.
//
// Lines, rectangles and fills are pixel-exact and never antialiased: a line
// includes its start point and excludes its end point, a rectangle's
// right and bottom edges are excluded, and every inverting operation
// (R2_NOT, R2_XORPEN, DSTINVERT, PATINVERT, InvertRect, DrawFocusRect)
// flips the pixels exactly, so drawing it twice restores them. Text is
// Windows-1252, drawn antialiased in the fonts of res/fonts/fonts.conf.
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"
#include "platform/base/Geometry.h"
#include "platform/base/types.h"

class CWnd;
struct DOCINFO;  // with the printers, in print/

class CDC : public CObject {
  DECLARE_DYNAMIC(CDC)

 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  ~CDC() override;

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }
  BOOL Attach(HDC dc);
  HDC Detach();
  // The wrapper of a handle: its owning CDC, or one kept with the DC.
  static CDC* FromHandle(HDC dc);

  // A memory DC whose format follows `dc` (a colour screen DC when null);
  // it starts with a 1 x 1 monochrome bitmap selected.
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  BOOL IsPrinting() const { return m_bPrinting; }
  BOOL m_bPrinting = FALSE;  // set while the print loop draws pages on it

  // Printer DCs and documents (with the printers, in print/).
  BOOL CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData);
  int StartDoc(LPCTSTR docName);
  int StartDoc(const DOCINFO* info);
  int StartPage();
  int EndPage();
  int EndDoc();
  int AbortDoc();
  int SetAbortProc(BOOL (*proc)(HDC, int));
  int Escape(int escape, int inSize, LPCSTR in, void* out);

  int SaveDC();
  // A positive number restores that saved state; -1 the last one.
  BOOL RestoreDC(int saved);

  // Objects. Each returns the object selected before (null on failure).
  CGdiObject* SelectStockObject(int index);
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  int SelectObject(CRgn* region);  // as SelectClipRgn
  CGdiObject* SelectObject(CGdiObject* object);
  HGDIOBJ SelectObject(HGDIOBJ object);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  // Colours and modes.
  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  int SetBkMode(int mode);
  int GetBkMode() const;
  int SetROP2(int mode);
  int GetROP2() const;
  int SetStretchBltMode(int mode);
  int GetStretchBltMode() const;
  UINT SetTextAlign(UINT flags);
  UINT GetTextAlign() const;
  int SetTextCharacterExtra(int extra);
  int GetTextCharacterExtra() const;
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }
  CPoint GetBrushOrg() const;

  // Mapping.
  int SetMapMode(int mode);
  int GetMapMode() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint GetWindowOrg() const;
  CPoint OffsetWindowOrg(int dx, int dy);
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
  CSize GetWindowExt() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
  CPoint GetViewportOrg() const;
  CPoint OffsetViewportOrg(int dx, int dy);
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
  CSize GetViewportExt() const;
  void DPtoLP(LPPOINT points, int count = 1) const;
  void DPtoLP(LPRECT rect) const;
  void DPtoLP(LPSIZE size) const;
  void LPtoDP(LPPOINT points, int count = 1) const;
  void LPtoDP(LPRECT rect) const;
  void LPtoDP(LPSIZE size) const;

  // Clipping (rectangles in logical units; regions in device units).
  int IntersectClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
  int ExcludeClipRect(int left, int top, int right, int bottom);
  int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
  int SelectClipRgn(CRgn* region);  // null removes the clip region
  int SelectClipRgn(CRgn* region, int mode);
  int OffsetClipRgn(int dx, int dy);
  int GetClipBox(LPRECT rect) const;
  BOOL PtVisible(int x, int y) const;
  BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
  BOOL RectVisible(LPCRECT rect) const;

  int GetDeviceCaps(int index) const;

  // Lines and shapes, with the selected pen and brush.
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  CPoint GetCurrentPosition() const;
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
  BOOL Polyline(const POINT* points, int count);
  BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polylines);
  BOOL Polygon(const POINT* points, int count);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
  BOOL Ellipse(int left, int top, int right, int bottom);
  BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
  int SetPolyFillMode(int mode);  // ALTERNATE or WINDING
  int GetPolyFillMode() const;
  BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
  BOOL RoundRect(LPCRECT rect, POINT corner) {
    return RoundRect(rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
  }
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
  BOOL SetPixelV(int x, int y, COLORREF color) { return SetPixel(x, y, color) != 0xFFFFFFFFu; }
  COLORREF GetPixel(int x, int y) const;  // 0xFFFFFFFF outside the clip
  COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

  // Fills (rectangles exclude their right and bottom edges).
  void FillRect(LPCRECT rect, CBrush* brush);
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FrameRect(LPCRECT rect, CBrush* brush);
  void InvertRect(LPCRECT rect);
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
  void DrawFocusRect(LPCRECT rect);
  BOOL FillRgn(CRgn* region, CBrush* brush);
  BOOL InvertRgn(CRgn* region);
  BOOL PaintRgn(CRgn* region);

  // Block transfers. `rop` is a ternary raster operation (SRCCOPY, ...).
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, DWORD rop);

  // Text.
  BOOL TextOut(int x, int y, LPCTSTR text, int count);
  BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx);
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* dx) {
    return ExtTextOut(x, y, options, rect, text, static_cast<UINT>(text.GetLength()), dx);
  }
  CSize TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabPositions, const int* tabStops,
                      int tabOrigin);
  CSize TabbedTextOut(int x, int y, const CString& text, int tabPositions, const int* tabStops, int tabOrigin) {
    return TabbedTextOut(x, y, text, text.GetLength(), tabPositions, tabStops, tabOrigin);
  }
  // Returns the height of the text; with DT_CALCRECT sets the rectangle's
  // right and bottom to fit it and draws nothing.
  int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
  int DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text, text.GetLength(), rect, format);
  }
  CSize GetTextExtent(LPCTSTR text, int count) const;
  CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
  CSize GetOutputTextExtent(LPCTSTR text, int count) const { return GetTextExtent(text, count); }
  CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
  CSize GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions, const int* tabStops) const;
  CSize GetTabbedTextExtent(const CString& text, int tabPositions, const int* tabStops) const {
    return GetTabbedTextExtent(text, text.GetLength(), tabPositions, tabStops);
  }
  BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
  BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const { return GetTextMetrics(metrics); }
  BOOL GetCharWidth(UINT first, UINT last, LPINT widths) const;
  int GetTextFace(int count, LPTSTR face) const;
  int GetTextFace(CString& face) const;

 protected:
  void TakeHandle(HDC dc);  // attach and own
};
