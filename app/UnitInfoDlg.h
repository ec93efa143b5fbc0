// Edit/Unit Information: the unit's name and the loaded fiscal year's
// period, and the unit's address and information lines, read from the
// year's unit information file when the dialog opens and written on OK.
#pragma once

#include "common/EditLabel.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

class CUnitInfoDlg : public CDialog {
 public:
  explicit CUnitInfoDlg(CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  // Takes the fields into the globals and writes the file; 0 after the
  // writer's message.
  int Save();

  CLabelStatic m_captions[3];
  CString m_strTitle, m_strUnit, m_strPeriod;
  CString m_strAddress1, m_strAddress2, m_strCity, m_strState, m_strZip;
  CString m_strInfo[3];
  int m_bChanged = 0;
};
