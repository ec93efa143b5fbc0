// Subunit Information: a subunit's name, remarks and its own passbook
// (whether it uses one, the dates it was opened and closed, the opening
// balance). Renaming a subunit renames it in its scouts' records.
#pragma once

#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "records/RecordInfoDlg.h"
#include "store/MemberStore.h"

class CSubunitDlg : public CRecordInfoDlg {
 public:
  explicit CSubunitDlg(CWnd* parent = nullptr);

  CString m_strName, m_strRemarks, m_strOpened, m_strClosed, m_strOpening, m_strCurrent;
  int m_bPassbook = 0;
  MemberRow m_form{};
  MemberRow m_stored{};
  // Reserve balances of an existing subunit when it was loaded.
  bool m_bReserved = false;

  int Validate() override;

 protected:
  int LoadFields() override;
  void ShowFields() override;
  void SetupFields() override;
  void DoDataExchange(CDataExchange* pDX) override;
  bool TableFull() const override;
  int LiveCount() const override;
  int IndexSize() const override;
  bool IsLiveAt(int pos) const override;
  const char* WrapToLastText() const override;
  const char* WrapToFirstText() const override;
  void UpdateEntityControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  bool IsEditableField(int id) const override;

 private:
  int Warn(const char* text, int focusId);
  void OpeningChanged();
  CDate8 m_opened{CString(), 0};
  CDate8 m_closed{CString(), 0};
  CAmountEdit m_opening;
  CString m_shownOpened, m_shownClosed;
  char m_wrapLast[64] = "", m_wrapFirst[64] = "";
};
