// Account Information: adds or edits one account (number, name, opening
// balance and, for a reserve account, the split of its opening balance among
// the passbooks). Opened by Account Management and by the transaction
// screens, which create an account on the spot:
//
//   CAcctDlg dlg;
//   dlg.m_bNew = 1;              // 0 to edit the account at *pos
//   dlg.m_pCurPos = &pos;        // -1 for an add
//   if (dlg.LoadRecord(1)) dlg.DoModal();
//
// After an add the caller's position designates the new account in
// AcctTable.byNumber; it stays -1 when nothing was added.
#pragma once

#include "common/AmountEdit.h"
#include "common/BmpButton.h"
#include "platform/base/CString.h"
#include "records/RecordInfoDlg.h"
#include "store/KeyTable.h"
#include "store/Records.h"

class CAcctDlg : public CRecordInfoDlg {
 public:
  explicit CAcctDlg(CWnd* parent = nullptr);

  int Validate() override;

  // The texts of the fields (the number as typed; amounts as shown).
  CString m_strNumber, m_strClass, m_strName, m_strOpening, m_strCurrent;
  int m_bSplit = 0;
  AccountRecord m_loaded{}, m_edited{};
  int m_holders[kMemberSlots] = {};
  int m_holderCount = 0;
  int m_shares[kMemberSlots] = {};
  int m_lastOpening = 0;
  // The class row chosen through the Account Types list.
  int m_classRow = -1;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  int LoadFields() override;
  void SetupFields() override;
  bool TableFull() const override;
  int LiveCount() const override;
  int IndexSize() const override;
  bool IsLiveAt(int pos) const override;
  const char* WrapToLastText() const override { return "Going to last accoumt"; }
  const char* WrapToFirstText() const override { return "Starting at first account"; }
  std::vector<int> IdentityControls() const override;
  void UpdateEntityControls() override;
  bool IsEditableField(int id) const override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  int NumberOfText() const;
  // Leaving the number and the opening balance, Browse and the split.
  void NumberLeft();
  void OpeningLeft();
  void Browse();
  void RunPassbookSplit();
  void ShowCurrent(long opening);
  void Warn(const char* message, int focusId);

  CAmountEdit m_opening;
  CBmpButton m_browse;
  CString m_lastNumber;
};
