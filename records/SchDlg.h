// Schedule Information: a property sheet that carries the schedule's name
// and account in a header of its own above the pages "Generate Dates",
// "Dates" and "Participants", and a row of six buttons below them (OK,
// Cancel, Apply, Prev, Next, Help). Its tabs count the dates and the
// participants as they change.
#pragma once

#include "platform/propsheet/PropSheet.h"
#include "records/SchPages.h"
#include "store/KeyTable.h"
#include "store/Records.h"

class CSchDlg : public CPropertySheet {
 public:
  explicit CSchDlg(CWnd* parent = nullptr);

  // Set by the caller before the sheet runs.
  int m_bNew = 0;
  int* m_pCurPos = nullptr;

  int m_bChanged = 0;
  ScheduleRecord m_loaded{};
  ScheduleRecord m_edited{};
  AccountRecord m_account{};
  ParticipantRecord m_slots[kMemberSlots];
  int m_nHolders = 0;
  int m_bHasDates = 0;

  CSchGen m_gen{this};
  CSchDate m_dates{this};
  CSchPart m_part{this};

  // Loads the schedule (a blank one when adding); with 1 the holder list
  // is built first. The load result.
  int LoadRecord(int rebuildHolders);
  // Checks the header, then the pages in order, and saves; 1 when saved.
  int Validate();
  // "Dates (n)" and "Participants (n)".
  void RefreshTabCaptions();
  // Brings a page to the front.
  void ShowPage(CPropertyPage* page);
  // The edited schedule's row, -1 for a new one.
  int EditedRow() const;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void BuildHeader();
  void LayOutButtons();
  void UpdateButtons();
  void ClearChanged();
  bool Changed() const;
  void StoreShownPage();
  void OnApply();
  void OnPrevNext(int direction);
  void ReloadPages();
  int m_headerHeight = 0;
  // The last load failed: the sheet is blank and saves nothing.
  bool m_bLoadFailed = false;
  // Posted at initialisation, after the sheet's own focus placement.
  static constexpr UINT kFocusName = WM_USER + 310;
};
