// File/New: the rollover dialog, in which the user names the new fiscal
// year, its first month and folder and chooses what is carried forward;
// the options are remembered in settings section "ROVER".
#pragma once

#include "common/BmpButton.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

// The fields the dialog and XferRollover share.
struct RolloverFields {
  char year[5] = "";
  char firstMonth[9] = "";  // "Sep 2009"
  char folder[260] = "";
  int keepAllAccounts = 1;
  char budgetMode = '2';  // '1' old budgets, '2' actual figures, '3' none
  int keepAllFriends = 1;
  char years[2] = "3";
};

// save 0: fills the fields from the loaded year and section "ROVER".
// save 1: stores the options and runs the rollover; its result (1 when the
// new year is loaded).
int XferRollover(int save, RolloverFields& fields);

// The new year's folder proposed for the loaded one: the year (or its two
// digits) in the folder's last part replaced, else "fy" + year in the
// program folder.
void DefaultRolloverFolder(const char* folder, const char* newYear, char* out, size_t size);

class CRolloverDlg : public CDialog {
 public:
  explicit CRolloverDlg(CWnd* parent = nullptr);

  RolloverFields m_fields;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void EnableYears();
  void NormaliseFirstMonth();
  void Browse();
  void Refuse(const char* message, int focusId);
  CString Text(int id) const;

  CBmpButton m_browse;
  CString m_strYear, m_strMonth, m_strFolder, m_strYears;
  int m_bChanged = 0;
  int m_yearMax = 0;
};

// Registers File/New (the rollover) with the main view.
void InstallFiscalYearCommands();
