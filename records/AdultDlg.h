// Adult Information: a new adult (mode 0), an existing one (mode 1), or a
// scout being converted into an adult on the same member record (mode 2).
#pragma once

#include "records/PersonDlg.h"

class CAdultDlg : public CPersonDlg {
 public:
  explicit CAdultDlg(CWnd* parent = nullptr);

  // 0 new, 1 existing, 2 converting; set before LoadRecord.
  int m_nMode = 0;
  CString m_strSpouse, m_strWorkPhone, m_strWorkExt, m_strFax;

 protected:
  int LoadFields() override;
  void ShowFields() override;
  void SetupFields() override;
  void DoDataExchange(CDataExchange* pDX) override;
  int LiveCount() const override;
  const char* WrapToLastText() const override { return "Going to last adult"; }
  const char* WrapToFirstText() const override { return "Starting at first adult"; }
  void UpdateEntityControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  int MemberType() const override { return 1; }
  void TakeOwnFields() override;
  void GiveOwnFields() override;
  bool ChecksReserves() const override { return m_nMode == 1; }
  const char* ReservedText() const override { return "Adult still has reserved funds"; }
  const char* DuplicateText() const override {
    return "Name (Last,First):  An adult already exists with this name";
  }
  int Save() override;
};
