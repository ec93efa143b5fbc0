// Windows, window classes, the message queue and the input state: the free
// functions of the window layer. CWnd (platform/framework/CWnd.h) wraps them; painting
// and invalidation are in platform/window/Painting.h.
//
// Model: a window is a record in a tree. Top-level windows (no WS_CHILD)
// each own a native window of the host and a pixel surface; child windows
// are rectangles inside their parent's client area and draw into their
// top-level window's surface. Owned pop-ups are top-level windows with an
// owner. One thread, one queue.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/window/Messages.h"
#include "platform/base/types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;  // a brush, or (HBRUSH)(COLOR_xxx + 1)
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
};
using WNDCLASSA = WNDCLASS;
using LPWNDCLASS = WNDCLASS*;

struct CREATESTRUCT {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};
using LPCREATESTRUCT = CREATESTRUCT*;

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt{0, 0};
};
using LPMSG = MSG*;

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};
using LPWINDOWPOS = WINDOWPOS*;

struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];  // [0]: in the proposed window rectangle, out the client rectangle (parent coordinates)
  WINDOWPOS* lppos;
};

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

struct STYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
};
using LPSTYLESTRUCT = STYLESTRUCT*;

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
using LPNMHDR = NMHDR*;

struct COPYDATASTRUCT {
  ULONG_PTR dwData;
  DWORD cbData;
  LPVOID lpData;
};
using PCOPYDATASTRUCT = COPYDATASTRUCT*;

// Owner-draw descriptions (owner-draw buttons, list boxes and combo boxes).
struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  ULONG_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;
struct MEASUREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemWidth;
  UINT itemHeight;
  ULONG_PTR itemData;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;
struct COMPAREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  HWND hwndItem;
  UINT itemID1;
  ULONG_PTR itemData1;
  UINT itemID2;
  ULONG_PTR itemData2;
  DWORD dwLocaleId;
};
using LPCOMPAREITEMSTRUCT = COMPAREITEMSTRUCT*;
struct DELETEITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  HWND hwndItem;
  ULONG_PTR itemData;
};
using LPDELETEITEMSTRUCT = DELETEITEMSTRUCT*;

// ---- Classes ---------------------------------------------------------------
// Class names compare without case. A class registered twice under one name
// fails the second time (0), as callers check with GetClassInfo first.
ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* out);
int GetClassName(HWND hwnd, LPSTR buffer, int maxCount);
LONG_PTR GetClassLongPtr(HWND hwnd, int index);
LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);

// ---- Creation and the tree -------------------------------------------------
// hMenu carries the control id for child windows.
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetParent(HWND hwnd);  // the parent of a child, else the owner
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);  // first child, or the topmost top-level window for null
HWND GetDesktopWindow();
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
HWND FindWindow(LPCSTR className, LPCSTR windowName);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
// The top-level windows, topmost first, until the callback returns FALSE.
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);

// ---- Text, styles and window data ------------------------------------------
BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, LPSTR buffer, int maxCount);
int GetWindowTextLength(HWND hwnd);
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
// Named properties of a window.
BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data);
HANDLE GetProp(HWND hwnd, LPCSTR name);
HANDLE RemoveProp(HWND hwnd, LPCSTR name);

// ---- Position and visibility -----------------------------------------------
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);  // this window and all its ancestors shown
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);  // the previous state: TRUE when it was disabled
BOOL IsWindowEnabled(HWND hwnd);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);  // screen coordinates
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count);
HWND WindowFromPoint(POINT screenPt);
HWND ChildWindowFromPoint(HWND parent, POINT clientPt);
HWND ChildWindowFromPointEx(HWND parent, POINT clientPt, UINT flags);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);

// Where a window is and how it shows: rcNormalPosition is its rectangle
// (screen coordinates for a top-level window, parent client coordinates for
// a child; the layer keeps no separate restore rectangle, so a maximized
// window reports its maximized rectangle), showCmd SW_SHOWMINIMIZED,
// SW_SHOWMAXIMIZED, SW_SHOWNORMAL or, for a hidden window, SW_HIDE.
// SetWindowPlacement moves the window to rcNormalPosition, then shows it
// with showCmd. Both need length set to sizeof(WINDOWPLACEMENT).
struct WINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};
using LPWINDOWPLACEMENT = WINDOWPLACEMENT*;
#define WPF_SETMINPOSITION       0x0001u
#define WPF_RESTORETOMAXIMIZED   0x0002u
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);

// ---- Messages --------------------------------------------------------------
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
LRESULT DispatchMessage(const MSG* msg);
BOOL TranslateMessage(const MSG* msg);
BOOL WaitMessage();
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
UINT RegisterWindowMessage(LPCSTR name);  // 0xC000..0xFFFF, the same number per name
DWORD GetMessageTime();
DWORD GetMessagePos();
BOOL InSendMessage();
DWORD GetQueueStatus(UINT flags);
BOOL GetInputState();

// ---- Focus, activation, capture --------------------------------------------
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// ---- Timers ----------------------------------------------------------------
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
DWORD GetTickCount();

// ---- Caret -----------------------------------------------------------------
// One caret for the program, owned by a window: a solid block of inverted
// pixels that blinks with the clock while shown.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT pt);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT ms);

// ---- Cursors, keyboard, system ---------------------------------------------
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);  // stock IDC_ cursors
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
// Draws a program icon loaded by its number (the picture icons/<number>.bmp
// of the resources, magenta pixels see-through) with its top-left at x, y;
// FALSE for the stock icons and for icons without a picture.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL GetCursorPos(LPPOINT pt);
BOOL SetCursorPos(int x, int y);
int ShowCursor(BOOL show);
SHORT GetKeyState(int vk);       // as of the message being processed
SHORT GetAsyncKeyState(int vk);  // as of now
BOOL GetKeyboardState(BYTE* keys256);
int GetSystemMetrics(int index);
BOOL SystemParametersInfo(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni);
UINT GetDoubleClickTime();
// Changes system colours and sends WM_SYSCOLORCHANGE to every top-level window.
BOOL SetSysColors(int count, const int* indices, const COLORREF* colors);
BOOL MessageBeep(UINT type);
void Beep(DWORD frequency, DWORD duration);
