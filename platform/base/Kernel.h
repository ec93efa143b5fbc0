// Kernel-level helpers: movable global memory blocks (the currency of the
// clipboard), MulDiv and the classic byte-string functions.
#pragma once

#include <cstdarg>

#include "platform/base/CString.h"
#include "platform/base/types.h"

// ---- Global memory -----------------------------------------------------------
// A handle names a block of bytes owned by the layer. Every block is zeroed
// when made or grown (GMEM_ZEROINIT is always honoured); GMEM_MOVEABLE and
// GMEM_DDESHARE are accepted and change nothing (blocks never move while
// locked, and one process shares everything). Functions given a handle that
// is not a live block fail (null, 0 or the handle back from GlobalFree).
#define GMEM_FIXED     0x0000u
#define GMEM_MOVEABLE  0x0002u
#define GMEM_ZEROINIT  0x0040u
#define GMEM_MODIFY    0x0080u
#define GMEM_DDESHARE  0x2000u
#define GMEM_SHARE     GMEM_DDESHARE
#define GHND           (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR           (GMEM_FIXED | GMEM_ZEROINIT)

using SIZE_T = std::size_t;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Grows or shrinks the block in place of its handle (the handle stays);
// new bytes are zero. GMEM_MODIFY changes nothing but is accepted.
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
// The bytes, and one more lock. A block of 0 bytes locks to a valid pointer.
LPVOID GlobalLock(HGLOBAL mem);
// FALSE when the block is no longer locked after the call.
BOOL GlobalUnlock(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);
// The lock count in the low byte, as the classic flags word.
UINT GlobalFlags(HGLOBAL mem);
// Null when freed; the handle back when it was not a live block.
HGLOBAL GlobalFree(HGLOBAL mem);
// The handle of a pointer returned by GlobalLock (null for any other).
HGLOBAL GlobalHandle(const void* bytes);
// Live blocks (for leak checks in tests).
std::size_t GlobalBlockCount();

// ---- Arithmetic ---------------------------------------------------------------
// number * numerator / denominator with a 64-bit product, rounded half away
// from zero; -1 when the denominator is 0 or the result does not fit.
int MulDiv(int number, int numerator, int denominator);

// ---- Byte strings -------------------------------------------------------------
// Null pointers count as empty strings.
int lstrlen(LPCSTR text);
LPSTR lstrcpy(LPSTR dest, LPCSTR src);
// Copies at most maxCount - 1 bytes and always ends with a zero byte.
LPSTR lstrcpyn(LPSTR dest, LPCSTR src, int maxCount);
LPSTR lstrcat(LPSTR dest, LPCSTR src);
// Byte order; lstrcmpi folds Windows-1252 letters (A-Z, accented capitals)
// to lower case first. Results are -1, 0 or 1.
int lstrcmp(LPCSTR a, LPCSTR b);
int lstrcmpi(LPCSTR a, LPCSTR b);
// printf formatting into a buffer of at most 1024 bytes (the classic
// limit, terminator included); the length written.
int wsprintf(LPSTR buffer, LPCSTR format, ...) KESTROVA_PRINTF(2, 3);
int wvsprintf(LPSTR buffer, LPCSTR format, va_list args) KESTROVA_PRINTF(2, 0);

// The calling thread's last error code, set by the calls that document it.
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_ACCESS_DENIED 5
#define ERROR_ALREADY_EXISTS 183
DWORD GetLastError();
void SetLastError(DWORD code);
