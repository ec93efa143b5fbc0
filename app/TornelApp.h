// The application object: start-up (configuration, stored unit settings,
// single running copy, preferences, the current fiscal year, then the main
// window through a single-document template) and the end of the program.
#pragma once

#include <string>

#include "app/OneInst.h"
#include "common/TempFolder.h"
#include "platform/base/types.h"
#include "platform/framework/CWinApp.h"

// Globals set by start-up.
extern char TipsFileName[MAX_PATH];
extern char WorksheetFileName[MAX_PATH];
extern char MailLabelFileName[MAX_PATH];
extern char DisplayYear[5];
extern COLORREF DialogBackColour;
extern char UnitNumber[16];
extern std::string DataPassword;  // salted hash; empty for none
extern std::string PasswordPrompt;

class CTornelApp : public CWinApp {
 public:
  CTornelApp();
  ~CTornelApp() override = default;

  BOOL InitInstance() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  // The first idle moment after the main window shows finishes the start's
  // deferred work (the default printer's look-up).
  BOOL OnIdle(LONG count) override;
  int ExitInstance() override;

  // The single running copy guard; it gives the copy up with the
  // application object.
  COneInst m_oneInst;
  // 1 while the main view's first-paint step is due.
  int m_bFirstPaintPending = 0;

  void OnAppAbout();
  void OnUpdateAppAbout(CCmdUI* ui);

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  char appName_[128] = {};
};

CTornelApp& TheApp();

int InitFileNames();
int OpenDataFiles();
void FreeDataTables();
