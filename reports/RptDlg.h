// The base of the report parameter dialogs: the report's context, the
// accepted flag, the control helpers they all use, the help button, and the
// resizing of the dialogs whose lists grow with the window.
#pragma once

#include <initializer_list>
#include <vector>

#include "common/DateEdit.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"
#include "reports/RptContext.h"

class CRptDlg : public CDialog {
 public:
  CRptDlg(UINT templateId, RptContext* context);

  RptContext* m_pContext = nullptr;
  int m_bAccepted = 0;
  // The window size the launcher remembers ("X", "Y"); 0 for the template's.
  int m_nWidth = 0;
  int m_nHeight = 0;

 protected:
  bool Checked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }
  void SetCheck(int id, bool on) { CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED); }
  void Enable(int id, bool on);
  bool IsEnabled(int id) const;
  CString Text(int id) const;
  void Warn(const char* text);
  HWND Item(int id) const;
  // The two date edits' own checks ("First Date", "Second Date"), then the
  // pair within the fiscal year; false after the message.
  bool ReadDatePair(CDate8& from, CDate8& to, CString& first, CString& second);
  // The unit's words in run-time texts ("&Group Members by %s", ...).
  void SetItemFormat(int id, const char* format, const char* word);

  // Resizing: the template's size is the minimum; the lists `growIds` take
  // the height change (and the width change unless the width is fixed), the
  // controls below them move down (group boxes widen with the width; OK,
  // Cancel and Help stay centred). A remembered size (width not 0) is
  // applied at once. Call at the end of OnInitDialog.
  void SetupSizing(std::initializer_list<int> growIds, bool fixedWidth, int width, int height);
  void OnSize(UINT type, int cx, int cy) override;

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Button clicks and notifications of the dialog's own controls.
  virtual bool OnControl(int /*id*/, int /*code*/) { return false; }
  DWORD m_helpContext = 0;

 private:
  struct Piece {
    HWND hwnd;
    int kind;  // 0 grows, 1 moves down, 2 group box below, 3 bottom button
  };
  std::vector<Piece> pieces_;
  bool sizing_ = false;
  bool fixedWidth_ = true;
  bool resizing_ = false;
  int minWidth_ = 0, minHeight_ = 0, prevWidth_ = 0, prevHeight_ = 0;
};

// The accounting-month field of the monthly reports: an edit of three
// letters with a scroll bar that steps through the months, wrapping.
class CRptMonthDlg : public CRptDlg {
 public:
  using CRptDlg::CRptDlg;

 protected:
  // Limits the edit, shows `month` and sets the scroll bar to it.
  void InitMonth(const CString& month);
  // "3" becomes "Mar", "jan" becomes "Jan"; the scroll bar follows.
  void NormaliseMonth();
  // The month's index after the field check; -1 after its message.
  int ValidateMonth();
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  bool OnControl(int id, int code) override;
};
