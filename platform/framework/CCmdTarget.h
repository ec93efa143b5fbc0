// CCmdTarget and the message maps.
//
// Window messages reach C++ objects through virtual handlers (CWnd::OnPaint,
// CWnd::OnKeyDown, ...): a class overrides the handler, nothing else is
// needed. The message map is kept for what has no fixed handler: commands
// and control notifications by id, WM_NOTIFY codes, private and registered
// messages, reflected notifications and command-UI updates. A class lists
// them between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP, naming member
// functions by their bare names:
//
//   BEGIN_MESSAGE_MAP(CScoutDlg, CDialog)
//     ON_WM_PAINT()                         // documentation only: OnPaint is virtual
//     ON_BN_CLICKED(IDC_ADD, OnAdd)         // void OnAdd()
//     ON_EN_CHANGE(IDC_NAME, OnNameChange)  // void OnNameChange()
//     ON_MESSAGE(WM_USER + 5, OnRefresh)    // LRESULT OnRefresh(WPARAM, LPARAM)
//     ON_NOTIFY(NM_CLICK, IDC_LIST, OnClk)  // void OnClk(NMHDR*, LRESULT*)
//   END_MESSAGE_MAP()
//
// Entries of the most derived class are consulted first, then the base
// class's map, and so on.
#pragma once

#include "platform/base/CObject.h"
#include "platform/window/Window.h"
#include "platform/base/types.h"

class CCmdTarget;
class CCmdUI;

// Notification codes of OnCmdMsg besides control notifications.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<int>(-1))

// One call into a map entry.
struct AFX_MSGCALL {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UINT nID;
  void* pExtra;  // CCmdUI* for updates, NMHDR* for notifications
  LRESULT* pResult;
};

using AFX_THUNK = BOOL (*)(CCmdTarget* target, const AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;          // WM_COMMAND, WM_NOTIFY, a reflected one, or any message; 0 ends the map
  const UINT* pnMessage;  // a registered message number, read at dispatch
  UINT nCode;             // control notification or WM_NOTIFY code
  UINT nID;
  UINT nLastID;
  AFX_THUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Routes a command (nCode CN_COMMAND or a control notification), a
  // command-UI update (CN_UPDATE_COMMAND_UI, pExtra a CCmdUI*) or a
  // WM_NOTIFY (nCode = MAKELONG(code, WM_NOTIFY), pExtra the AFX_NOTIFY) to
  // the map. TRUE when an entry handled it. With pHandlerInfo (an
  // AFX_CMDHANDLERINFO) a command is only looked for: TRUE and the target
  // that would handle it, nothing called.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

  // Finds and calls an entry for a plain message; TRUE when one handled it.
  BOOL DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget = nullptr;
};

struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

#define DECLARE_MESSAGE_MAP()                        \
 protected:                                          \
  static const AFX_MSGMAP* GetThisMessageMap();      \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                     \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                \
    using ThisClass = theClass;                                                    \
    using TheBaseClass = baseClass;                                                \
    static_assert(sizeof(ThisClass) > 0);                                          \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                        \
  {0, nullptr, 0, 0, 0, nullptr}                                                 \
  }                                                                              \
  ;                                                                              \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                            \
  }

// Commands (menus, accelerators, buttons without a notification filter).
#define ON_COMMAND(id, memberFxn)                                                              \
  {WM_COMMAND, nullptr, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id),              \
   [](CCmdTarget* t, const AFX_MSGCALL&) -> BOOL { static_cast<ThisClass*>(t)->memberFxn(); return TRUE; }},
#define ON_COMMAND_EX(id, memberFxn)                                                           \
  {WM_COMMAND, nullptr, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id),              \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL { return static_cast<ThisClass*>(t)->memberFxn(c.nID); }},
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                           \
  {WM_COMMAND, nullptr, CN_COMMAND, static_cast<UINT>(idFirst), static_cast<UINT>(idLast),     \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL { static_cast<ThisClass*>(t)->memberFxn(c.nID); return TRUE; }},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                     \
  {WM_COMMAND, nullptr, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(id), \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL {                                            \
     static_cast<ThisClass*>(t)->memberFxn(static_cast<CCmdUI*>(c.pExtra));                     \
     return TRUE;                                                                               \
   }},
#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, memberFxn)                                  \
  {WM_COMMAND, nullptr, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(idFirst),    \
   static_cast<UINT>(idLast), [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL {                 \
     static_cast<ThisClass*>(t)->memberFxn(static_cast<CCmdUI*>(c.pExtra));                     \
     return TRUE;                                                                               \
   }},

// Control notifications (WM_COMMAND with a code).
#define ON_CONTROL(code, id, memberFxn)                                                        \
  {WM_COMMAND, nullptr, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
   [](CCmdTarget* t, const AFX_MSGCALL&) -> BOOL { static_cast<ThisClass*>(t)->memberFxn(); return TRUE; }},
#define ON_CONTROL_RANGE(code, idFirst, idLast, memberFxn)                                          \
  {WM_COMMAND, nullptr, static_cast<UINT>(code), static_cast<UINT>(idFirst), static_cast<UINT>(idLast), \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL { static_cast<ThisClass*>(t)->memberFxn(c.nID); return TRUE; }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY by code and id.
#define ON_NOTIFY(code, id, memberFxn)                                                          \
  {WM_NOTIFY, nullptr, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),  \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL {                                            \
     static_cast<ThisClass*>(t)->memberFxn(static_cast<NMHDR*>(c.pExtra), c.pResult);           \
     return TRUE;                                                                               \
   }},
#define ON_NOTIFY_RANGE(code, idFirst, idLast, memberFxn)                                           \
  {WM_NOTIFY, nullptr, static_cast<UINT>(code), static_cast<UINT>(idFirst), static_cast<UINT>(idLast), \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL {                                                \
     static_cast<ThisClass*>(t)->memberFxn(c.nID, static_cast<NMHDR*>(c.pExtra), c.pResult);        \
     return TRUE;                                                                                   \
   }},

// Any message by number: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                   \
  {static_cast<UINT>(message), nullptr, 0, 0, 0, [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL { \
     *c.pResult = static_cast<ThisClass*>(t)->memberFxn(c.wParam, c.lParam);             \
     return TRUE;                                                                        \
   }},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                              \
  {0xFFFFFFFFu, &(nMessageVariable), 0, 0, 0, [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL { \
     *c.pResult = static_cast<ThisClass*>(t)->memberFxn(c.wParam, c.lParam);             \
     return TRUE;                                                                        \
   }},

// Notifications a control handles itself (reflected from its parent).
#define ON_CONTROL_REFLECT(code, memberFxn)                                                       \
  {WM_REFLECT_BASE + WM_COMMAND, nullptr, static_cast<UINT>(code), 0, 0,                         \
   [](CCmdTarget* t, const AFX_MSGCALL&) -> BOOL { static_cast<ThisClass*>(t)->memberFxn(); return TRUE; }},
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                                    \
  {WM_REFLECT_BASE + WM_COMMAND, nullptr, static_cast<UINT>(code), 0, 0,                         \
   [](CCmdTarget* t, const AFX_MSGCALL&) -> BOOL { return static_cast<ThisClass*>(t)->memberFxn(); }},
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                        \
  {WM_REFLECT_BASE + WM_NOTIFY, nullptr, static_cast<UINT>(code), 0, 0,                          \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL {                                              \
     static_cast<ThisClass*>(t)->memberFxn(static_cast<NMHDR*>(c.pExtra), c.pResult);             \
     return TRUE;                                                                                 \
   }},
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                     \
  {WM_REFLECT_BASE + WM_NOTIFY, nullptr, static_cast<UINT>(code), 0, 0,                          \
   [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL {                                              \
     return static_cast<ThisClass*>(t)->memberFxn(static_cast<NMHDR*>(c.pExtra), c.pResult);      \
   }},
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
#define ON_EN_CHANGE_REFLECT(memberFxn) ON_CONTROL_REFLECT(EN_CHANGE, memberFxn)

// Handlers of window messages are virtual functions of CWnd; these entries
// only document which ones a class overrides.
#define ON_WM_ACTIVATE()
#define ON_WM_CANCELMODE()
#define ON_WM_CAPTURECHANGED()
#define ON_WM_CHAR()
#define ON_WM_CLOSE()
#define ON_WM_CONTEXTMENU()
#define ON_WM_COPYDATA()
#define ON_WM_CREATE()
#define ON_WM_CTLCOLOR()
#define ON_WM_DEADCHAR()
#define ON_WM_DESTROY()
#define ON_WM_DRAWITEM()
#define ON_WM_ENABLE()
#define ON_WM_ERASEBKGND()
#define ON_WM_GETDLGCODE()
#define ON_WM_GETMINMAXINFO()
#define ON_WM_HSCROLL()
#define ON_WM_INITMENU()
#define ON_WM_INITMENUPOPUP()
#define ON_WM_KEYDOWN()
#define ON_WM_KEYUP()
#define ON_WM_KILLFOCUS()
#define ON_WM_LBUTTONDBLCLK()
#define ON_WM_LBUTTONDOWN()
#define ON_WM_LBUTTONUP()
#define ON_WM_MBUTTONDBLCLK()
#define ON_WM_MBUTTONDOWN()
#define ON_WM_MBUTTONUP()
#define ON_WM_MEASUREITEM()
#define ON_WM_COMPAREITEM()
#define ON_WM_DELETEITEM()
#define ON_WM_MOUSEACTIVATE()
#define ON_WM_MOUSEMOVE()
#define ON_WM_MOUSEWHEEL()
#define ON_WM_MOVE()
#define ON_WM_NCACTIVATE()
#define ON_WM_NCCALCSIZE()
#define ON_WM_NCCREATE()
#define ON_WM_NCDESTROY()
#define ON_WM_NCHITTEST()
#define ON_WM_NCLBUTTONDBLCLK()
#define ON_WM_NCLBUTTONDOWN()
#define ON_WM_NCLBUTTONUP()
#define ON_WM_NCMOUSEMOVE()
#define ON_WM_NCPAINT()
#define ON_WM_NCRBUTTONDOWN()
#define ON_WM_PAINT()
#define ON_WM_PARENTNOTIFY()
#define ON_WM_RBUTTONDBLCLK()
#define ON_WM_RBUTTONDOWN()
#define ON_WM_RBUTTONUP()
#define ON_WM_SETCURSOR()
#define ON_WM_SETFOCUS()
#define ON_WM_SETTINGCHANGE()
#define ON_WM_SHOWWINDOW()
#define ON_WM_SIZE()
#define ON_WM_STYLECHANGED()
#define ON_WM_SYSCHAR()
#define ON_WM_SYSCOLORCHANGE()
#define ON_WM_SYSCOMMAND()
#define ON_WM_SYSKEYDOWN()
#define ON_WM_SYSKEYUP()
#define ON_WM_TIMER()
#define ON_WM_VSCROLL()
#define ON_WM_WINDOWPOSCHANGED()
#define ON_WM_WINDOWPOSCHANGING()
#define ON_WM_WININICHANGE()

// HBRUSH CtlColor(CDC* dc, UINT ctlColor) of a control for its parent's
// WM_CTLCOLOR* (the file using it includes platform/gfx/Dc.h).
#define KESTROVA_CTLCOLOR_REFLECT(msg)                                                       \
  {WM_REFLECT_BASE + (msg), nullptr, 0, 0, 0, [](CCmdTarget* t, const AFX_MSGCALL& c) -> BOOL { \
     HBRUSH b = static_cast<ThisClass*>(t)->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)), \
                                                      (msg) - WM_CTLCOLORMSGBOX);           \
     *c.pResult = reinterpret_cast<LRESULT>(b);                                              \
     return b != nullptr;                                                                    \
   }},
#define ON_WM_CTLCOLOR_REFLECT()                                                     \
  KESTROVA_CTLCOLOR_REFLECT(WM_CTLCOLOREDIT) KESTROVA_CTLCOLOR_REFLECT(WM_CTLCOLORLISTBOX) \
  KESTROVA_CTLCOLOR_REFLECT(WM_CTLCOLORBTN) KESTROVA_CTLCOLOR_REFLECT(WM_CTLCOLORDLG)      \
  KESTROVA_CTLCOLOR_REFLECT(WM_CTLCOLORSCROLLBAR) KESTROVA_CTLCOLOR_REFLECT(WM_CTLCOLORSTATIC) \
  KESTROVA_CTLCOLOR_REFLECT(WM_CTLCOLORMSGBOX)
