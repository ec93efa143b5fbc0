// Fills the main view's dialog entries with the shell's dialogs, so the
// view and the application reach them without knowing their classes.
#include "app/AboutDlg.h"
#include "app/FaqDlg.h"
#include "app/FaqList.h"
#include "app/Password.h"
#include "app/ShellDialogs.h"
#include "app/TipDlg.h"
#include "app/TornelApp.h"
#include "app/UnitInfoDlg.h"
#include "common/ConfigFile.h"
#include "common/Settings.h"

namespace {

bool VerifyPassword(const char* passwordHash, const char* prompt) {
  CPassword password;
  password.SetPassword(passwordHash);
  password.SetPrompt(prompt);
  return password.Verify();
}

// At start-up the tip shows only while its "show at start-up" flag is on.
void TipOfTheDay(bool atStartup) {
  if (atStartup) {
    SettingsSection* section = OpenSettingsSection(SettingsFileName, "TIPOFDAY");
    const bool show = GetSettingFlag(section, 'C', 1) != 0;
    CloseSettingsSection(section);
    if (!show) return;
  }
  CTipDlg dlg(TipsFileName);
  dlg.DoModal();
}

void Faqs() {
  if (LoadedFaqList == nullptr) LoadedFaqList = ReadFaqFiles(FaqFolder);
  if (LoadedFaqList == nullptr) return;  // the reader has said why
  CFaqDlg dlg;
  dlg.m_pList = LoadedFaqList;
  dlg.DoModal();
}

void About() {
  CAboutDlg dlg;
  dlg.DoModal();
}

void UnitInformation() {
  CUnitInfoDlg dlg;
  dlg.DoModal();
}

}  // namespace

void InstallShellDialogs() {
  ShellDialogs& d = TheShellDialogs();
  d.verifyPassword = VerifyPassword;
  d.tipOfTheDay = TipOfTheDay;
  d.faqs = Faqs;
  d.about = About;
  d.unitInformation = UnitInformation;
}
