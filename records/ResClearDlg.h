// Reserve Clearance: explains the automatic clearance of a reserve account
// and asks for the clearance date, which must lie in the loaded fiscal year.
// The caller sets the account's number text, its name and the proposed
// date (yyyymmdd) and, on OK, reads the date back.
#pragma once

#include "common/DateEdit.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

class CResClearDlg : public CDialog {
 public:
  explicit CResClearDlg(CWnd* parent = nullptr);

  CString m_strNumber, m_strName;
  CString m_strDate;  // yyyymmdd
  CString m_strText;  // the explanation, built at initialisation

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

 private:
  CDateEditEx m_date;
};
