// File/Export...: the Export Parameters dialog, the settings it keeps in
// section "EXPORT", and the command that runs it and then the export.
#pragma once

#include "common/BmpButton.h"
#include "platform/base/types.h"
#include "platform/dialogs/Dialog.h"
#include "store/Queries.h"

// The choices of an export, as the settings and the dialog exchange them.
struct ExportChoices {
  char dataSet[32] = "";
  char delimiter[2] = "";
  char qualifier[2] = "";
  char account[32] = "";
  char file[MAX_PATH] = "";
  int namesRow = 1;
  // The asset and liability accounts ("%d / %s"); may be empty.
  ListOfValues accounts;
};

class CExportDlg : public CDialog {
 public:
  explicit CExportDlg(ExportChoices& choices, CWnd* parent = nullptr);
  bool Changed() const { return m_changed; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void EnableAccount();
  void Browse();
  CString ComboText(int id);

  ExportChoices& m_choices;
  CBmpButton m_browse;
  bool m_changed = false;
  bool m_opening = false;
};

// Load (0): the account list and section "EXPORT". Save (1): writes the
// section and runs the export.
void XferExport(int save, ExportChoices& choices);
// The set letter, delimiter and account numbers the export runs with.
char ExportSetLetter(const char* dataSet);
char ExportDelimiter(const char* delimiter);
std::vector<int> ExportAccounts(const ExportChoices& choices);

void RunExportCommand();
