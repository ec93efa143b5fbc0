// CEdit: the framework's wrapper of an "Edit" control.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
 public:
  CEdit() = default;
  using CWnd::Create;  // the generic form stays callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
  BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
  void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified)); }
  void GetRect(LPRECT rect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
  DWORD GetSel() const;
  void GetSel(int& start, int& end) const;
  // Copies line `line` into `buffer` (no terminator is added when it fills
  // the buffer); returns the characters copied.
  int GetLine(int line, LPTSTR buffer) const;
  int GetLine(int line, LPTSTR buffer, int maxLength) const;
  void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
  BOOL FmtLines(BOOL addEol) { return static_cast<BOOL>(SendMessage(EM_FMTLINES, static_cast<WPARAM>(addEol))); }
  void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(max)); }
  void SetLimitText(UINT max) { SendMessage(EM_SETLIMITTEXT, max); }
  UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
  int LineFromChar(int index = -1) const { return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(index))); }
  int LineIndex(int line = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
  int LineLength(int index = -1) const { return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(index))); }
  void LineScroll(int lines, int chars = 0) { SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), lines); }
  void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE) {
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
  }
  void SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch)); }
  TCHAR GetPasswordChar() const { return static_cast<TCHAR>(SendMessage(EM_GETPASSWORDCHAR)); }
  void SetRect(LPCRECT rect) { SendMessage(EM_SETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
  void SetRectNP(LPCRECT rect) { SendMessage(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(rect)); }
  void SetSel(DWORD selection, BOOL noScroll = FALSE);
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  BOOL SetTabStops(int count, const int* tabStops) {
    return static_cast<BOOL>(SendMessage(EM_SETTABSTOPS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(tabStops)));
  }
  BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly))); }
  BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
  void Clear() { SendMessage(WM_CLEAR); }
  void Copy() { SendMessage(WM_COPY); }
  void Cut() { SendMessage(WM_CUT); }
  void Paste() { SendMessage(WM_PASTE); }
  int GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
  void SetMargins(UINT left, UINT right) {
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(static_cast<WORD>(left), static_cast<WORD>(right)));
  }
  DWORD GetMargins() const { return static_cast<DWORD>(SendMessage(EM_GETMARGINS)); }
  CPoint PosFromChar(UINT index) const;
  int CharFromPos(CPoint pt) const;
};
