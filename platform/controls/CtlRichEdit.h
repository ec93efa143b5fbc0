// CRichEditCtrl: the framework's wrapper of a rich edit window (class
// RICHEDIT_CLASS), a multi-line edit whose characters carry bold, italic,
// underline, face, size and colour, and whose paragraphs carry an alignment.
// Its text enters and leaves in the rich text subset of platform/base/Rtf.h.
#pragma once

#include <string>

#include "platform/controls/CtlEdit.h"
#include "platform/window/RichEditDefs.h"

class CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)
 public:
  CRichEditCtrl() = default;
  using CWnd::Create;
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void GetSel(CHARRANGE& range) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range)); }
  void SetSel(LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  LONG GetTextLength() const { return static_cast<LONG>(SendMessage(WM_GETTEXTLENGTH)); }
  std::string GetSelText() const;
  void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE) {
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
  }
  BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
  void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified)); }
  BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly))); }
  void LimitText(LONG max = 0) { SendMessage(EM_EXLIMITTEXT, 0, max); }
  LONG LineFromChar(LONG index) const { return static_cast<LONG>(SendMessage(EM_EXLINEFROMCHAR, 0, index)); }
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }

  DWORD GetSelectionCharFormat(CHARFORMAT& format) const {
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)));
  }
  DWORD GetDefaultCharFormat(CHARFORMAT& format) const {
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format)));
  }
  BOOL SetSelectionCharFormat(CHARFORMAT& format) {
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)));
  }
  BOOL SetWordCharFormat(CHARFORMAT& format) {
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&format)));
  }
  BOOL SetDefaultCharFormat(CHARFORMAT& format) {
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format)));
  }
  DWORD GetParaFormat(PARAFORMAT& format) const {
    return static_cast<DWORD>(SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format)));
  }
  BOOL SetParaFormat(PARAFORMAT& format) {
    return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format)));
  }

  DWORD SetEventMask(DWORD mask) { return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, mask)); }
  DWORD GetEventMask() const { return static_cast<DWORD>(SendMessage(EM_GETEVENTMASK)); }
  void SetOptions(WORD operation, DWORD flags) { SendMessage(EM_SETOPTIONS, operation, static_cast<LPARAM>(flags)); }
  DWORD GetOptions() const { return static_cast<DWORD>(SendMessage(EM_GETOPTIONS)); }
  COLORREF SetBackgroundColor(BOOL useSysColor, COLORREF colour) {
    return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, static_cast<WPARAM>(useSysColor), static_cast<LPARAM>(colour)));
  }
  // A null device wraps at the window (line width 0); a device and a line
  // width in twips wrap there.
  BOOL SetTargetDevice(HDC dc, LONG lineWidth) {
    return static_cast<BOOL>(SendMessage(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(dc), lineWidth));
  }
  void RequestResize() { SendMessage(EM_REQUESTRESIZE); }
  LONG FindText(DWORD flags, FINDTEXTEX* find) const {
    return static_cast<LONG>(SendMessage(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(find)));
  }
  // Draws (render true) or measures the range on the record's device; the
  // first character that did not fit. A null record frees what the last
  // one kept.
  LONG FormatRange(FORMATRANGE* range, BOOL render = TRUE) {
    return static_cast<LONG>(SendMessage(EM_FORMATRANGE, static_cast<WPARAM>(render), reinterpret_cast<LPARAM>(range)));
  }
  LONG StreamIn(int format, EDITSTREAM& stream) {
    return static_cast<LONG>(SendMessage(EM_STREAMIN, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&stream)));
  }
  LONG StreamOut(int format, EDITSTREAM& stream) {
    return static_cast<LONG>(SendMessage(EM_STREAMOUT, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&stream)));
  }
  // The whole text (or the selection, with SFF_SELECTION) through the
  // streams, as rich text (SF_RTF) or plain text (SF_TEXT).
  std::string StreamOutString(int format = SF_RTF);
  void StreamInString(const std::string& text, int format = SF_RTF);

  void Copy() { SendMessage(WM_COPY); }
  void Cut() { SendMessage(WM_CUT); }
  void Paste() { SendMessage(WM_PASTE); }
  BOOL CanPaste() const { return static_cast<BOOL>(SendMessage(EM_CANPASTE)); }
};

// The clipboard format of rich text ("Rich Text Format").
UINT RichTextClipboardFormat();

// A rich edit window's text (or selection, with SFF_SELECTION) as one
// string through its streams, and back.
std::string RichEditStreamOut(HWND window, int format = SF_RTF);
void RichEditStreamIn(HWND window, const std::string& text, int format = SF_RTF);
