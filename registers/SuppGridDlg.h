// The support lines of one register transaction with several support
// accounts, one line a grid row: the treasurer inserts, edits, saves,
// resets and deletes lines in place, each with its reserve account,
// passbook split and notes. It edits the opener's working buffers and
// stores nothing itself; IDOK when a line was saved or deleted or the
// lines' total carried back.
#pragma once

#include <memory>
#include <vector>

#include "platform/dialogs/Dialog.h"
#include "registers/FormResize.h"
#include "registers/SuppGrid.h"
#include "store/Queries.h"
#include "store/Records.h"
#include "store/TransStore.h"

struct SettingsSection;

class CSuppGridDlg : public CDialog {
 public:
  // `detail` is the opener's working transaction: its lines, splits and
  // shares are edited in place.
  explicit CSuppGridDlg(TransactionDetail& detail, CWnd* parent = nullptr);
  ~CSuppGridDlg() override;

  // Inputs, pointing into the opener's working data.
  const AccountRecord* m_pAccount = nullptr;
  const int* m_pLoadedLines = nullptr;

  CSuppGrid& Grid() { return m_grid; }
  // The line of the current row as being edited.
  const SupportLineRecord& EditLine() const { return m_line; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override {}
  void OnCancel() override;
  void OnSize(UINT type, int cx, int cy) override;

 private:
  HWND Item(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }
  char AccountLetter() const;
  int UsedSlots() const;
  ROWCOL CurrentRow();
  int SlotOfRow(ROWCOL row);
  void SetCell(ROWCOL row, ROWCOL col, const CString& text);

  void FillAccountLists(int flags);
  void FillGrid(bool selectLast);
  void UpdateTotals();
  void LoadLine(int slot);
  void EnableButtons();
  void EnableRowCells(ROWCOL row);

  void OnRowChanged();
  void OnInsertRow();
  void OnDeleteRow();
  void OnSaveRow();
  bool SaveRow();
  void OnLog();
  void SupportChosen();
  void ReserveChosen(ROWCOL row);
  void AmountChanged();
  void OnPassbookCheck();
  void OnPassbookSplit();
  void CreateAccountInCell(HWND edit);

  TransactionDetail& m_detail;
  SupportLineRecord m_line{};
  SplitRecord m_split{};
  std::unique_ptr<SubAccountRecord[]> m_shares;  // kMemberSlots
  std::vector<CString> m_supportChoices, m_reserveChoices;
  CSuppGrid m_grid;
  int m_bPosted = 0;
  ListOfValues m_nonReserve, m_reserve;
  int m_cx = 0, m_cy = 0;
  FormSize m_size;
  SettingsSection* m_pGridSection = nullptr;
  SettingsSection* m_pTransSection = nullptr;
};
