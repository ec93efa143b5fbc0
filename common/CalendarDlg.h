// The date edit's calendar pop-up: a month calendar placed below its field
// (above it when there is no room below); clicking a day picks it.
#pragma once

#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

class CCalendarDlg : public CDialog {
 public:
  // The top-left corner at screen point x, y; yAbove is the line above which
  // it goes when it does not fit below. -1 in all three: default position.
  CCalendarDlg(int x, int y, int yAbove, CWnd* parent);

  // Before running: the date to preselect, as typed text. After OK: the
  // picked day "yyyymmdd".
  CString m_strDate;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnSelect(NMHDR* header, LRESULT* result);

 private:
  void FitToCalendar();
  void Place();

  int m_x, m_y, m_yAbove;
  DECLARE_MESSAGE_MAP()
};
