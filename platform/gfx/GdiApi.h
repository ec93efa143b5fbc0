// The handle forms of the drawing operations (::FillRect(hdc, ...), ...),
// for code that holds an HDC rather than a CDC. Each forwards to CDC.
#pragma once

#include "platform/gfx/Dc.h"

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int SetROP2(HDC dc, int mode);
UINT SetTextAlign(HDC dc, UINT flags);
int SetMapMode(HDC dc, int mode);
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old);
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old);
BOOL SetViewportExtEx(HDC dc, int cx, int cy, LPSIZE old);
BOOL SetWindowExtEx(HDC dc, int cx, int cy, LPSIZE old);
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT old);
BOOL LPtoDP(HDC dc, LPPOINT points, int count);
BOOL DPtoLP(HDC dc, LPPOINT points, int count);
int GetDeviceCaps(HDC dc, int index);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC dc, HRGN region);
int GetClipBox(HDC dc, LPRECT rect);
BOOL RectVisible(HDC dc, LPCRECT rect);
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT old);
BOOL LineTo(HDC dc, int x, int y);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count);
int FillRect(HDC dc, LPCRECT rect, HBRUSH brush);
int FrameRect(HDC dc, LPCRECT rect, HBRUSH brush);
BOOL InvertRect(HDC dc, LPCRECT rect);
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFocusRect(HDC dc, LPCRECT rect);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop);
BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);
BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count);
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count, const int* dx);
int DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size);
BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics);
HGDIOBJ GetCurrentObject(HDC dc, UINT kind);
