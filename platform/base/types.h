// Basic scalar types, handles and helpers of the platform layer.
//
// The system was written against a 32-bit desktop API; its code speaks in
// these names. Widths are fixed here (the record files depend on them):
// BYTE 8, WORD 16, DWORD/UINT/LONG/BOOL 32 bits. WPARAM/LPARAM/LRESULT are
// pointer-sized so that pointers travel through messages unharmed.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BOOL = int;
using TCHAR = char;
using WCHAR = char16_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using COLORREF = DWORD;
using ATOM = WORD;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Opaque handles. Windows are plain pointers to the layer's window records;
// drawing objects to its object records.
struct WindowImpl;
using HWND = WindowImpl*;
struct GdiObjectImpl;
using HGDIOBJ = GdiObjectImpl*;
using HFONT = GdiObjectImpl*;
using HPEN = GdiObjectImpl*;
using HBRUSH = GdiObjectImpl*;
using HBITMAP = GdiObjectImpl*;
using HRGN = GdiObjectImpl*;
using HPALETTE = GdiObjectImpl*;
struct DcImpl;
using HDC = DcImpl*;
struct MenuImpl;
using HMENU = MenuImpl*;
struct CursorImpl;
using HCURSOR = CursorImpl*;
using HICON = CursorImpl*;
struct AccelImpl;
using HACCEL = AccelImpl*;
using HINSTANCE = void*;
using HMODULE = void*;
using HANDLE = void*;
using HGLOBAL = void*;

inline constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
inline constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
inline constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

inline constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline constexpr BYTE LOBYTE(std::uintptr_t v) { return static_cast<BYTE>(v & 0xFF); }
inline constexpr BYTE HIBYTE(std::uintptr_t v) { return static_cast<BYTE>((v >> 8) & 0xFF); }
inline constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
inline constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return MAKELONG(lo, hi); }
inline constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(static_cast<LONG>(MAKELONG(lo, hi))); }
inline constexpr LRESULT MAKELRESULT(WORD lo, WORD hi) { return static_cast<LRESULT>(static_cast<LONG>(MAKELONG(lo, hi))); }
inline constexpr short GET_X_LPARAM(LPARAM lp) { return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp))); }
inline constexpr short GET_Y_LPARAM(LPARAM lp) { return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lp))); }

#define MAX_PATH 260

// A resource named by a number instead of a text (ids below 65536).
#define MAKEINTRESOURCE(i) (reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(p)  ((reinterpret_cast<std::uintptr_t>(p) >> 16) == 0)
