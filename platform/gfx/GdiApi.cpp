#include "platform/gfx/GdiApi.h"

#include "platform/gfx/DcImpl.h"

namespace {

CDC* Of(HDC dc) { return CDC::FromHandle(dc); }

// Applies a setting to the DC and reports the value it replaces in *old
// (when asked for); FALSE without a DC.
template <class Value, class Set>
BOOL setReportingOld(HDC dc, Value* old, Set set) {
  CDC* d = Of(dc);
  if (!d) return FALSE;
  const Value previous = set(*d);
  if (old) *old = previous;
  return TRUE;
}

}  // namespace

HDC CreateCompatibleDC(HDC dc) {
  CDC mem;
  if (!mem.CreateCompatibleDC(Of(dc))) return nullptr;
  return mem.Detach();
}
BOOL DeleteDC(HDC dc) {
  if (!Of(dc)) return FALSE;
  DeleteSurfaceDC(dc);
  return TRUE;
}
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) { return Of(dc) ? Of(dc)->SelectObject(object) : nullptr; }
int SaveDC(HDC dc) { return Of(dc) ? Of(dc)->SaveDC() : 0; }
BOOL RestoreDC(HDC dc, int saved) { return Of(dc) ? Of(dc)->RestoreDC(saved) : FALSE; }
COLORREF SetTextColor(HDC dc, COLORREF c) { return Of(dc) ? Of(dc)->SetTextColor(c) : CLR_INVALID; }
COLORREF GetTextColor(HDC dc) { return Of(dc) ? Of(dc)->GetTextColor() : CLR_INVALID; }
COLORREF SetBkColor(HDC dc, COLORREF c) { return Of(dc) ? Of(dc)->SetBkColor(c) : CLR_INVALID; }
COLORREF GetBkColor(HDC dc) { return Of(dc) ? Of(dc)->GetBkColor() : CLR_INVALID; }
int SetBkMode(HDC dc, int mode) { return Of(dc) ? Of(dc)->SetBkMode(mode) : 0; }
int SetROP2(HDC dc, int mode) { return Of(dc) ? Of(dc)->SetROP2(mode) : 0; }
UINT SetTextAlign(HDC dc, UINT flags) { return Of(dc) ? Of(dc)->SetTextAlign(flags) : 0xFFFFFFFFu; }
int SetMapMode(HDC dc, int mode) { return Of(dc) ? Of(dc)->SetMapMode(mode) : 0; }

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return setReportingOld(dc, old, [&](CDC& d) { return d.SetViewportOrg(x, y); });
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return setReportingOld(dc, old, [&](CDC& d) { return d.SetWindowOrg(x, y); });
}
BOOL SetViewportExtEx(HDC dc, int cx, int cy, LPSIZE old) {
  return setReportingOld(dc, old, [&](CDC& d) { return d.SetViewportExt(cx, cy); });
}
BOOL SetWindowExtEx(HDC dc, int cx, int cy, LPSIZE old) {
  return setReportingOld(dc, old, [&](CDC& d) { return d.SetWindowExt(cx, cy); });
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return setReportingOld(dc, old, [&](CDC& d) { return d.SetBrushOrg(x, y); });
}
BOOL LPtoDP(HDC dc, LPPOINT points, int count) {
  if (!Of(dc)) return FALSE;
  Of(dc)->LPtoDP(points, count);
  return TRUE;
}
BOOL DPtoLP(HDC dc, LPPOINT points, int count) {
  if (!Of(dc)) return FALSE;
  Of(dc)->DPtoLP(points, count);
  return TRUE;
}
int GetDeviceCaps(HDC dc, int index) { return Of(dc) ? Of(dc)->GetDeviceCaps(index) : 0; }
int IntersectClipRect(HDC dc, int l, int t, int r, int b) { return Of(dc) ? Of(dc)->IntersectClipRect(l, t, r, b) : RGN_ERROR; }
int ExcludeClipRect(HDC dc, int l, int t, int r, int b) { return Of(dc) ? Of(dc)->ExcludeClipRect(l, t, r, b) : RGN_ERROR; }
int SelectClipRgn(HDC dc, HRGN region) {
  return Of(dc) ? Of(dc)->SelectClipRgn(region ? CRgn::FromHandle(region) : nullptr) : RGN_ERROR;
}
int GetClipBox(HDC dc, LPRECT rect) { return Of(dc) ? Of(dc)->GetClipBox(rect) : RGN_ERROR; }
BOOL RectVisible(HDC dc, LPCRECT rect) { return Of(dc) ? Of(dc)->RectVisible(rect) : FALSE; }
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old) {
  if (!Of(dc)) return FALSE;
  const CPoint p = Of(dc)->MoveTo(x, y);
  if (old) *old = p;
  return TRUE;
}
BOOL LineTo(HDC dc, int x, int y) { return Of(dc) ? Of(dc)->LineTo(x, y) : FALSE; }
BOOL Rectangle(HDC dc, int l, int t, int r, int b) { return Of(dc) ? Of(dc)->Rectangle(l, t, r, b) : FALSE; }
BOOL Polyline(HDC dc, const POINT* p, int n) { return Of(dc) ? Of(dc)->Polyline(p, n) : FALSE; }
BOOL Polygon(HDC dc, const POINT* p, int n) { return Of(dc) ? Of(dc)->Polygon(p, n) : FALSE; }
int FillRect(HDC dc, LPCRECT rect, HBRUSH brush) {
  CBrush* b = CBrush::FromHandle(brush);
  if (!Of(dc) || !b) return 0;
  Of(dc)->FillRect(rect, b);
  return 1;
}
int FrameRect(HDC dc, LPCRECT rect, HBRUSH brush) {
  CBrush* b = CBrush::FromHandle(brush);
  if (!Of(dc) || !b) return 0;
  Of(dc)->FrameRect(rect, b);
  return 1;
}
BOOL InvertRect(HDC dc, LPCRECT rect) {
  if (!Of(dc)) return FALSE;
  Of(dc)->InvertRect(rect);
  return TRUE;
}
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) { return Of(dc) ? Of(dc)->DrawEdge(rect, edge, flags) : FALSE; }
BOOL DrawFocusRect(HDC dc, LPCRECT rect) {
  if (!Of(dc)) return FALSE;
  Of(dc)->DrawFocusRect(rect);
  return TRUE;
}
BOOL PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop) { return Of(dc) ? Of(dc)->PatBlt(x, y, w, h, rop) : FALSE; }
BOOL BitBlt(HDC dc, int x, int y, int w, int h, HDC source, int xs, int ys, DWORD rop) {
  return Of(dc) ? Of(dc)->BitBlt(x, y, w, h, Of(source), xs, ys, rop) : FALSE;
}
BOOL StretchBlt(HDC dc, int x, int y, int w, int h, HDC source, int xs, int ys, int ws, int hs, DWORD rop) {
  return Of(dc) ? Of(dc)->StretchBlt(x, y, w, h, Of(source), xs, ys, ws, hs, rop) : FALSE;
}
COLORREF SetPixel(HDC dc, int x, int y, COLORREF c) { return Of(dc) ? Of(dc)->SetPixel(x, y, c) : CLR_INVALID; }
COLORREF GetPixel(HDC dc, int x, int y) { return Of(dc) ? Of(dc)->GetPixel(x, y) : CLR_INVALID; }
BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count) { return Of(dc) ? Of(dc)->TextOut(x, y, text, count) : FALSE; }
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const int* dx) {
  return Of(dc) ? Of(dc)->ExtTextOut(x, y, options, rect, text, count, dx) : FALSE;
}
int DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
  return Of(dc) ? Of(dc)->DrawText(text, count, rect, format) : 0;
}
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size) {
  if (!Of(dc) || !size) return FALSE;
  *size = Of(dc)->GetTextExtent(text, count);
  return TRUE;
}
BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics) { return Of(dc) ? Of(dc)->GetTextMetrics(metrics) : FALSE; }
HGDIOBJ GetCurrentObject(HDC dc, UINT kind) {
  CDC* c = Of(dc);
  if (!c) return nullptr;
  switch (kind) {
    case OBJ_PEN: return c->GetCurrentPen()->m_hObject;
    case OBJ_BRUSH: return c->GetCurrentBrush()->m_hObject;
    case OBJ_FONT: return c->GetCurrentFont()->m_hObject;
    case OBJ_BITMAP: return c->GetCurrentBitmap() ? c->GetCurrentBitmap()->m_hObject : nullptr;
    default: return nullptr;
  }
}
