// Account Balancing: reconciles an asset or liability account with a
// statement. Lists the loaded year's lines of the account (and, on
// request, the previous year's), lets the user mark them cleared, and
// computes the adjusted balance from the statement's ending balance and the
// uncleared lines, with its variance from the account's balance. OK writes
// the changed marks back and remembers the closing date and ending balance
// per account (settings "BALAN"). The caller copies the account's record
// into m_account and runs it modally.
#pragma once

#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/DialogSizer.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"
#include "records/Recon.h"
#include "store/Records.h"

struct FiscalYearNode;
struct SettingsSection;

class CBalanceDlg : public CDialog {
 public:
  explicit CBalanceDlg(CWnd* parent = nullptr);
  ~CBalanceDlg() override;

  AccountRecord m_account{};
  CString m_strDate;    // yyyymmdd
  CString m_strEnding;  // as shown
  int m_bChanged = 0;

  ReconList m_items, m_prevItems;
  bool m_prevLoaded = false, m_prevShown = false;
  // The totals of the last recomputation (cents).
  long m_ending = 0, m_unclearedIncreases = 0, m_unclearedDecreases = 0;

  // The item a list row shows.
  ReconItem* ItemOfRow(int row);
  // The previous fiscal year (null when none is known) and its number.
  const FiscalYearNode* PreviousYear() const { return m_prevYear; }
  int PreviousYearNumber() const { return m_prevYearNumber; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void SetupColumns();
  void SizeColumns();
  void Fill(bool keepScroll);
  void AddItems(ReconList& list, bool previous);
  void Recompute();
  void Toggle(int row);
  void PreviousYearClicked();
  void OnReport();
  void FindPreviousYear();

  SettingsSection* m_pSection = nullptr;
  CDateEditEx m_date;
  CAmountEdit m_endingEdit;
  const FiscalYearNode* m_prevYear = nullptr;
  int m_prevYearNumber = 0;
  int m_cx = 0, m_cy = 0;
  DialogSizer m_sizer;
  bool m_closed = false;
};
