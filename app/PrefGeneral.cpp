#include "app/PrefGeneral.h"

#include <cstdio>
#include <string>

#include "common/DialogHelp.h"
#include "app/Password.h"
#include "app/Preferences.h"
#include "app/TornelApp.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "reports/PageSetupDlg.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

struct FlagKey {
  const char* section;
  char key;
  int def;
};
// In the order of the page's members.
const FlagKey kFlags[5] = {{"OPTWARN", 'A', 1}, {"OPTWARN", 'B', 1}, {"OPTWARN", 'C', 0}, {"OPTWARN", 'D', 1},
                           {"TIPOFDAY", 'C', 1}};

}  // namespace

CPrefGen::CPrefGen() : CPrefPage(IDD_PREF_GENERAL) {}

void CPrefGen::LoadValues() {
  m_strDate = TodayDate;
  m_nCheckMode = IntegrityCheckMode >= 0 && IntegrityCheckMode <= 2 ? IntegrityCheckMode : 2;
  m_nBackupMode = BackupMode >= 0 && BackupMode <= 2 ? BackupMode : 2;
  int* flags[5] = {&m_bSplitCaution, &m_bScheduleCaution, &m_bCarryBack, &m_bSplash, &m_bTip};
  for (int i = 0; i < 5; ++i) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, kFlags[i].section);
    *flags[i] = GetSettingFlag(s, kFlags[i].key, kFlags[i].def) ? 1 : 0;
    CloseSettingsSection(s);
  }
  m_bChanged = 0;
}

void CPrefGen::StoreValues() {
  std::snprintf(TodayDate, sizeof TodayDate, "%s", static_cast<const char*>(m_strDate));
  IntegrityCheckMode = m_nCheckMode;
  BackupMode = m_nBackupMode;
  const int flags[5] = {m_bSplitCaution, m_bScheduleCaution, m_bCarryBack, m_bSplash, m_bTip};
  for (int i = 0; i < 5; ++i) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, kFlags[i].section);
    PutSettingFlag(s, kFlags[i].key, flags[i]);
    CloseSettingsSection(s);
  }
}

void CPrefGen::Refresh() {
  if (Opened()) {
    ++loading_;
    UpdateData(FALSE);
    --loading_;
  }
  m_bChanged = 0;
}

BOOL CPrefGen::OnInitDialog() {
  m_date.SubclassEdit(IDC_PREF_DATE, this, "", 0);
  ++loading_;
  CPrefPage::OnInitDialog();
  --loading_;
  m_bChanged = 0;
  return TRUE;
}

void CPrefGen::DoDataExchange(CDataExchange* pDX) {
  CPrefPage::DoDataExchange(pDX);
  DDX_Date(pDX, m_date, m_strDate);
  DDX_Radio(pDX, IDC_PREF_CHECK_ALWAYS, m_nCheckMode);
  DDX_Radio(pDX, IDC_PREF_BACKUP_ALWAYS, m_nBackupMode);
  DDX_Check(pDX, IDC_PREF_SPLIT_CAUTION, m_bSplitCaution);
  DDX_Check(pDX, IDC_PREF_SCHEDULE_CAUTION, m_bScheduleCaution);
  DDX_Check(pDX, IDC_PREF_CARRY_BACK, m_bCarryBack);
  DDX_Check(pDX, IDC_PREF_TIP, m_bTip);
  DDX_Check(pDX, IDC_PREF_SPLASH, m_bSplash);
}

bool CPrefGen::CheckDate(CString& error) {
  if (m_strDate == TodayDate) return true;
  error.Empty();
  if (Opened() && !m_date.Validate("Date")) return false;  // it has shown why
  char text[16], message[128] = "";
  std::snprintf(text, sizeof text, "%s", static_cast<const char*>(m_strDate));
  HWND focus = Opened() ? m_date.GetSafeHwnd() : nullptr;
  if (ValidateDlgField("Date", text, 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, focus, message)) return true;
  error = message;
  return false;
}

void CPrefGen::SetPassword() {
  CPassword password;
  password.SetPassword(DataPassword.c_str());
  password.SetPrompt(PasswordPrompt.c_str());
  if (!password.Verify() || !password.Change()) return;
  UnitSettings unit;
  unit.unitType = UnitType;
  unit.unitNumber = UnitNumber;
  unit.passwordHash = static_cast<const char*>(password.GetPassword());
  unit.prompt = static_cast<const char*>(password.GetPrompt());
  if (!WriteUnitSettings(UnitSettingsPath(ProgramFolder), unit)) {
    DispMessage("Saving the new password failed.  Old password is still in effect.", MSG_ERROR);
    return;
  }
  DataPassword = unit.passwordHash;
  PasswordPrompt = unit.prompt;
}

BOOL CPrefGen::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_PREF_GENERAL))) return TRUE;
  if (id == IDC_PREF_PASSWORD && code == BN_CLICKED) {
    SetPassword();
    return TRUE;
  }
  if (id == IDC_PREF_PAGE_SETUP && code == BN_CLICKED) {
    // The settings of all reports.
    CPageSetupDlg setup(this);
    setup.SetReportNumber(0);
    setup.DoModal();
    return TRUE;
  }
  if (!loading_ && ((code == BN_CLICKED && id != IDC_PREF_PAGE_SETUP) || (id == IDC_PREF_DATE && code == EN_CHANGE)))
    m_bChanged = 1;
  return CPrefPage::OnCommand(wParam, lParam);
}
