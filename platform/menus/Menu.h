// Menus and accelerator tables: menu bars and pop-up menus built at run
// time or loaded from the program's menu resources (res/menus/*.mnu), item
// states, TrackPopupMenu, the menu bar of a top-level window drawn in its
// frame with mouse and keyboard navigation, accelerators, and the
// framework's command-UI updates (CCmdUI).
//
// Menu resource format (same lexical rules as the dialog templates):
//
//   menu IDR_MAINFRAME                 a symbol, a number, or both
//     popup "&File"
//       item "&Open...\tCtrl+O" ID_FILE_OPEN
//       item "&Grayed" 101 grayed      flags: checked grayed disabled
//       separator                             break barbreak help
//       popup "&Recent" ... end
//     end
//     item "&Help" 102
//   end
//   accelerators IDR_MAINFRAME
//     key "Ctrl+O" ID_FILE_OPEN        modifiers Ctrl+ Shift+ Alt+ and a key:
//     key "F1" 103                     A-Z 0-9 F1-F24 Del Ins Home End PgUp
//   end                                PgDn Left Right Up Down Enter Esc Tab
//                                      Space Back
//
// In the headless host a menu that waits with nothing to do asks the test
// responder through the host with kind "menu" and the items' texts
// joined by "|" as its text; the answer is the command to choose (0, or
// any number that is no enabled item, dismisses the menu).
#pragma once

#include <string>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/framework/CWnd.h"
#include "platform/base/types.h"

// ---- Item flags ------------------------------------------------------------
#define MF_INSERT        0x00000000u
#define MF_CHANGE        0x00000080u
#define MF_APPEND        0x00000100u
#define MF_DELETE        0x00000200u
#define MF_REMOVE        0x00001000u
#define MF_BYCOMMAND     0x00000000u
#define MF_BYPOSITION    0x00000400u
#define MF_SEPARATOR     0x00000800u
#define MF_ENABLED       0x00000000u
#define MF_GRAYED        0x00000001u
#define MF_DISABLED      0x00000002u
#define MF_UNCHECKED     0x00000000u
#define MF_CHECKED       0x00000008u
#define MF_STRING        0x00000000u
#define MF_BITMAP        0x00000004u
#define MF_OWNERDRAW     0x00000100u
#define MF_POPUP         0x00000010u
#define MF_MENUBARBREAK  0x00000020u
#define MF_MENUBREAK     0x00000040u
#define MF_UNHILITE      0x00000000u
#define MF_HILITE        0x00000080u
#define MF_DEFAULT       0x00001000u
#define MF_HELP          0x00004000u
#define MF_RIGHTJUSTIFY  0x00004000u

// ---- TrackPopupMenu flags --------------------------------------------------
#define TPM_LEFTBUTTON   0x0000u
#define TPM_RIGHTBUTTON  0x0002u
#define TPM_LEFTALIGN    0x0000u
#define TPM_CENTERALIGN  0x0004u
#define TPM_RIGHTALIGN   0x0008u
#define TPM_TOPALIGN     0x0000u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN  0x0020u
#define TPM_HORIZONTAL   0x0000u
#define TPM_VERTICAL     0x0040u
#define TPM_NONOTIFY     0x0080u
#define TPM_RETURNCMD    0x0100u

// ---- Accelerators ------------------------------------------------------------
#define FVIRTKEY  0x01
#define FNOINVERT 0x02
#define FSHIFT    0x04
#define FCONTROL  0x08
#define FALT      0x10

struct ACCEL {
  BYTE fVirt;  // FVIRTKEY: key is a virtual key; else a character
  WORD key;
  WORD cmd;
};
using LPACCEL = ACCEL*;

// ---- Menu functions ----------------------------------------------------------
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);  // with its pop-ups
BOOL IsMenu(HMENU menu);
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);  // destroys a pop-up item's menu
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);  // keeps it
// The previous check (enable) state, or (UINT)-1 when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// Item flags; for a pop-up item also its item count in the high byte.
// (UINT)-1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
// The command of an item; (UINT)-1 for a pop-up or no item.
UINT GetMenuItemID(HMENU menu, int position);
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags);
// Shows the menu at a screen point and tracks it. With TPM_RETURNCMD the
// chosen command (0 for none); otherwise TRUE when a command was chosen,
// which is then posted to `owner` as WM_COMMAND.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, LPCRECT rect);

// The menu bar of a top-level window. The window's frame grows a bar; mouse
// clicks on it and the keys Alt, F10 and Alt+letter open it (the default
// window procedure passes those keys up from the focused window). The bar
// is destroyed with its window.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
BOOL DrawMenuBar(HWND hwnd);

HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name);
HACCEL CreateAcceleratorTable(LPACCEL accels, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
int CopyAcceleratorTable(HACCEL table, LPACCEL out, int count);
// A key message that matches an entry becomes WM_COMMAND (high word 1) to
// hwnd; returns nonzero when it matched. An entry whose command is a
// disabled item of hwnd's menu bar takes the key but sends nothing.
int TranslateAccelerator(HWND hwnd, HACCEL table, LPMSG msg);

// ---- CMenu -------------------------------------------------------------------
class CMenu : public CObject {
  DECLARE_DYNAMIC(CMenu)
 public:
  CMenu() = default;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
  ~CMenu() override;  // destroys an attached menu

  HMENU m_hMenu = nullptr;
  // Called on an object only: a caller holding a CMenu* that may be null
  // (GetSubMenu, FromHandle) tests the pointer first.
  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }

  // The object of a handle: the attached one, or a temporary one that lives
  // as long as the menu.
  static CMenu* FromHandle(HMENU menu);
  BOOL Attach(HMENU menu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL LoadMenu(UINT id);
  BOOL LoadMenu(LPCTSTR name);
  BOOL DestroyMenu();

  BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
  BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
  BOOL DeleteMenu(UINT position, UINT flags);
  BOOL RemoveMenu(UINT position, UINT flags);
  UINT CheckMenuItem(UINT item, UINT flags);
  UINT EnableMenuItem(UINT item, UINT flags);
  BOOL CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags);
  UINT GetMenuState(UINT item, UINT flags) const;
  CMenu* GetSubMenu(int position) const;
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  int GetMenuString(UINT item, LPTSTR buffer, int maxCount, UINT flags) const;
  int GetMenuString(UINT item, CString& text, UINT flags) const;
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};

// ---- Command-UI updates ---------------------------------------------------
// One command's user-interface item (a menu item, or any object a derived
// class stands for) asked by the routing to show its state.
class CCmdUI {
 public:
  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;      // the pop-up being updated, or null
  CMenu* m_pSubMenu = nullptr;   // the item's own pop-up, or null
  CWnd* m_pOther = nullptr;      // a control being updated, or null
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;

  virtual ~CCmdUI() = default;
  virtual void Enable(BOOL on = TRUE);
  virtual void SetCheck(int check = 1);  // 0, 1 (2 shows checked too)
  virtual void SetRadio(BOOL on = TRUE);
  virtual void SetText(LPCTSTR text);
  void ContinueRouting() { m_bContinueRouting = TRUE; }
  // Routes the update to the target's ON_UPDATE_COMMAND_UI entries; TRUE
  // when one handled it. With disableIfNoHandler, an item that nothing
  // updated and that has no ON_COMMAND entry in the target is disabled.
  BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};

// Runs the updates of every command item of a pop-up against a target (what
// a frame does on WM_INITMENUPOPUP).
void AfxUpdateMenuPopup(CCmdTarget* target, CMenu* popup, BOOL disableIfNoHandler = TRUE);
