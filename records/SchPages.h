// The three pages of the schedule sheet: "Generate Dates" (weekly or
// monthly due dates over a range), "Dates" (the sixty due dates with their
// amounts, twelve at a time) and "Participants" (the passbook holders with
// their initial amounts owed and paid, eight at a time). They work on the
// sheet's edited record and participant slots and never touch a file.
#pragma once

#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "platform/propsheet/PropPage.h"

class CSchDlg;

class CSchGen : public CPropertyPage {
 public:
  explicit CSchGen(CSchDlg* sheet);
  int m_bChanged = 0;
  // Shows the edited record's frequency and range.
  void Load();
  // Nothing to check here: always 1.
  int Validate() { return 1; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnChangeData();
  void OnGenerateBtn();
  void SetSensitivity();

 private:
  CSchDlg* m_sheet;
  CDate8 m_first{CString(), 0};
  CDate8 m_second{CString(), 0};
  bool m_loading = false;
};

class CSchDate : public CPropertyPage {
 public:
  static constexpr int kRows = 12;
  explicit CSchDate(CSchDlg* sheet);
  int m_bChanged = 0;
  // Shows twelve slots from `first`.
  void LoadRecord(int first);
  // Moves the shown rows back into the edited record.
  void StoreRows();
  int Validate();
  int FirstSlot() const { return m_first; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
  void ScrollTo(int first);
  void OnCopyAll();

 private:
  CSchDlg* m_sheet;
  CDate8 m_date[kRows];
  CAmountEdit m_amount[kRows];
  int m_first = 0;
  int m_focusRow = -1;
  bool m_loading = false;
};

class CSchPart : public CPropertyPage {
 public:
  static constexpr int kRows = 8;
  explicit CSchPart(CSchDlg* sheet);
  int m_bChanged = 0;
  // Shows eight holders from `first`.
  void LoadRecord(int first);
  // Moves the column of the focused amount edit back into the slots.
  void StoreRows();
  int Validate();
  int FirstHolder() const { return m_first; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
  void ScrollTo(int first);
  void OnTick(int row);
  void OnHolders();
  void OnCopyAll();
  void OnOwedChange(int row);

 private:
  CSchDlg* m_sheet;
  CAmountEdit m_owed[kRows];
  CAmountEdit m_paid[kRows];
  int m_first = 0;
  int m_owedRow = -1;
  int m_paidRow = -1;
  CString m_owedAtFocus;
  int m_toggle = 0;
  int m_explain = 1;
  bool m_loading = false;
};
