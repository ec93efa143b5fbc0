// Options/Preferences...: the Preferences sheet. It loads its pages from the
// preference globals, checks the opened pages on OK and stores them back,
// asks before dropping changes, and offers a reset of every remembered
// dialog setting.
#pragma once

#include <vector>

#include "app/PrefBackground.h"
#include "app/PrefGeneral.h"
#include "app/PrefGrid.h"
#include "app/PrefLabels.h"
#include "app/PrefTools.h"
#include "platform/controls/CtlButton.h"
#include "platform/propsheet/PropSheet.h"

class CPrefDlg : public CPropertySheet {
 public:
  explicit CPrefDlg(CWnd* parent = nullptr);

  // Set when the pages were stored into the globals: the caller then saves
  // the preferences.
  int m_bSaved = 0;

  CPrefGen m_general;
  CPrefGrid m_grids;
  CMailLblDlg m_labels;
  CPrefBack m_background;
  CPrefTool m_tools;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void AddPrefPage(CPrefPage* page);
  void PlaceButtons();
  void StorePages();
  bool CheckPages();
  void Reset();

  // In the sheet's order; OK checks them in this order too.
  std::vector<CPrefPage*> m_pages;
  CButton m_reset;
};

// Reloads the preferences, runs the sheet and, when it stored its pages,
// saves them and repaints the main window's background.
void RunPreferences();
