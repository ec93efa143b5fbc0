#include "app/Password.h"

#include <cstdio>

#include "common/DialogHelp.h"
#include "common/Messages.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "res/resource.h"

namespace {

// The stored prompt and password widths of the unit settings.
constexpr int kPromptMax = 63;
constexpr int kPasswordMax = 31;

void LimitText(CWnd* dlg, int id, int chars) {
  if (CWnd* edit = dlg->GetDlgItem(id)) edit->SendMessage(EM_LIMITTEXT, chars, 0);
}

void SelectAll(CWnd* dlg, int id) {
  if (CWnd* edit = dlg->GetDlgItem(id)) {
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SetFocus();
  }
}

}  // namespace

CPasswordDlg::CPasswordDlg(CWnd* parent) : CDialog(IDD_PASSWORD, parent) {}

void CPasswordDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PASSWORD_PROMPT, m_strPrompt);
  DDX_Text(pDX, IDC_PASSWORD_TEXT, m_strTyped);
}

BOOL CPasswordDlg::OnInitDialog() {
  m_nFailed = 0;
  CDialog::OnInitDialog();
  LimitText(this, IDC_PASSWORD_TEXT, kPasswordMax);
  SetWindowText(m_strCaption);
  if (m_strHash.IsEmpty()) EndDialog(IDOK);
  return TRUE;
}

void CPasswordDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  CString message;
  if (m_strTyped.IsEmpty()) {
    message = "You must supply a password.";
  } else if (!PasswordMatches(static_cast<const char*>(m_strTyped), static_cast<const char*>(m_strHash))) {
    message = "Invalid password.";
    ++m_nFailed;
    if (m_nFailed >= m_nAttempts) {
      char tail[160];
      std::snprintf(tail, sizeof tail,
                    "\n\nYou have failed to enter the correct password after %d attempts.\nThe request is cancelled.",
                    m_nFailed);
      message += tail;
    }
  }
  if (message.IsEmpty()) {
    EndDialog(IDOK);
    return;
  }
  MessageBox(message, ProgramTitle, MB_OK);
  SelectAll(this, IDC_PASSWORD_TEXT);
  if (m_nFailed >= m_nAttempts) EndDialog(IDCANCEL);
}

CNewPasswordDlg::CNewPasswordDlg(CWnd* parent) : CDialog(IDD_NEWPASSWORD, parent) {}

void CNewPasswordDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PASSWORD_PROMPT, m_strPrompt);
  DDX_Text(pDX, IDC_PASSWORD_NEW, m_strNew);
  DDX_Text(pDX, IDC_PASSWORD_CONFIRM, m_strConfirm);
}

BOOL CNewPasswordDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The fields refuse what the stored settings could not hold; the new
  // password may be typed longer so that the length rule can name it.
  LimitText(this, IDC_PASSWORD_PROMPT, kPromptMax);
  LimitText(this, IDC_PASSWORD_NEW, kPasswordMax);
  LimitText(this, IDC_PASSWORD_CONFIRM, kPasswordMax);
  return TRUE;
}

BOOL CNewPasswordDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_NEWPASSWORD))) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CNewPasswordDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  const int n = m_strNew.GetLength();
  char message[256] = "";
  if (n != 0 && (n < m_nMinLength || n > m_nMaxLength)) {
    std::snprintf(message, sizeof message, "Your password must be between %d and %d characters long.", m_nMinLength,
                  m_nMaxLength);
  } else if (m_strNew != m_strConfirm) {
    std::snprintf(message, sizeof message, "%s",
                  "Your confirmation does not match your password.\n\n"
                  "Please enter the same value for your Password and Confirmation.");
  }
  if (message[0] == '\0') {
    EndDialog(IDOK);
    return;
  }
  MessageBox(message, ProgramTitle, MB_OK);
}

CPassword::CPassword() : m_strPrompt("Password:"), m_strCaption("Enter Password") {}

bool CPassword::Verify() {
  CPasswordDlg dlg;
  dlg.m_strPrompt = m_strPrompt;
  dlg.m_strHash = m_strPassword;
  dlg.m_nAttempts = m_nAttempts;
  dlg.m_strCaption = m_strCaption;
  if (dlg.DoModal() != IDOK) return false;
  m_strTyped = dlg.m_strTyped;
  return true;
}

bool CPassword::Change() {
  CNewPasswordDlg dlg;
  dlg.m_strNew = m_strTyped;
  dlg.m_strConfirm = m_strTyped;
  dlg.m_strPrompt = m_strPrompt;
  dlg.m_nMinLength = m_nMinLength;
  dlg.m_nMaxLength = m_nMaxLength;
  if (dlg.DoModal() != IDOK) return false;
  std::string hash;
  if (!dlg.m_strNew.IsEmpty()) {
    hash = HashPassword(static_cast<const char*>(dlg.m_strNew));
    // A hash that could not be made must not pass for "no password".
    if (hash.empty()) {
      DispMessage("The new password could not be encrypted.  Old password is still in effect.", MSG_ERROR);
      return false;
    }
  }
  m_strPassword = hash.c_str();
  m_strPrompt = dlg.m_strPrompt;
  m_strTyped = dlg.m_strNew;
  return true;
}
