// The clipboard: one per program, opened by a window, holding global memory
// blocks by format. Text (CF_TEXT, CF_OEMTEXT: Windows-1252 bytes ending in a
// zero byte) is exchanged with other programs through the host; every other
// format, standard or registered, stays inside the program. When another
// program changes the host's text, the program's own formats are dropped,
// as the clipboard then belongs to someone else.
#pragma once

#include "platform/base/Kernel.h"
#include "platform/window/Messages.h"
#include "platform/base/types.h"

// Fails when another window holds it open; the same window may open it again.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees every block and makes the opening window the owner; empties the
// host's text. Needs the clipboard open.
BOOL EmptyClipboard();
// The clipboard takes the block (the caller must not free it) and replaces
// one of the same format; CF_TEXT and CF_OEMTEXT also go to the host. A null
// block (rendering on request) is not supported: null is returned. Needs the
// clipboard open.
HANDLE SetClipboardData(UINT format, HANDLE mem);
// The clipboard's block (it stays the clipboard's); text the host holds
// from another program arrives as a new block. Needs the clipboard open.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
// The format after `format` (0 starts), 0 after the last; text from the
// host counts as CF_TEXT.
UINT EnumClipboardFormats(UINT format);
// 0xC000 and up, the same number for the same name (letter case ignored);
// 0 for an empty name.
UINT RegisterClipboardFormat(LPCSTR name);
// The registered name of a format; 0 for standard or unknown formats.
int GetClipboardFormatName(UINT format, LPSTR buffer, int maxCount);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
