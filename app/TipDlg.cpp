#include "app/TipDlg.h"

#include <sys/stat.h>

#include <cstring>
#include <ctime>

#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "res/resource.h"

namespace {

constexpr int kBulbBitmap = 102;
constexpr char kReadError[] = "Read error on Tip-of-the-Day file";

// The file's modification time as the standard library's time text.
CString ModificationText(FILE* f) {
  struct stat st {};
  if (fstat(fileno(f), &st) != 0) return CString();
  char text[64] = "";
  const time_t t = st.st_mtime;
  if (ctime_r(&t, text) == nullptr) return CString();
  return CString(text);
}

bool SkippedLine(char first) { return first == '\t' || first == '\n' || first == '\r' || first == ' ' || first == ';'; }

}  // namespace

CTipDlg::CTipDlg(const char* tipsFile, CWnd* parent)
    : CBandDialog(IDD_TIPOFDAY, parent, IDC_TIP_FRAME, IDC_TIP_TEXT, kBulbBitmap, "Did you know...") {
  m_pSection = OpenSettingsSection(SettingsFileName, "TIPOFDAY");
  m_bStartup = GetSettingFlag(m_pSection, 'C', 1);
  long position = GetSettingInt(m_pSection, 'A', 0);
  m_pFile = std::fopen(tipsFile, "r");
  if (m_pFile == nullptr) {
    m_strTip = CString("Tip-of-the-Day file is missing: ") + tipsFile;
    m_bNextEnabled = FALSE;
    return;
  }
  const CString stamp = ModificationText(m_pFile);
  char stored[64] = "";
  GetSettingText(m_pSection, 'B', "", stored);
  if (stamp != stored) {
    position = 0;
    PutSettingText(m_pSection, 'B', stamp);
  }
  if (position < 0 || std::fseek(m_pFile, position, SEEK_SET) != 0) {
    m_strTip = kReadError;
    m_bNextEnabled = FALSE;
    return;
  }
  ReadNextTip();
}

CTipDlg::~CTipDlg() {
  if (m_pFile) {
    PutSettingInt(m_pSection, 'A', static_cast<int>(std::ftell(m_pFile)));
    std::fclose(m_pFile);
  }
  CloseSettingsSection(m_pSection);
}

void CTipDlg::ReadNextTip() {
  // A line is read in pieces of at most 511 characters, each a line of its
  // own; the room beyond is for the macros.
  char line[1024];
  bool wrapped = false;
  const char* error = nullptr;
  for (;;) {
    if (std::fgets(line, 512, m_pFile) == nullptr) {
      if (std::ferror(m_pFile)) {
        error = kReadError;
        break;
      }
      if (wrapped) {
        error = "Empty Tip-of-the-Day file";
        break;
      }
      wrapped = true;
      if (std::fseek(m_pFile, 0, SEEK_SET) != 0) {
        error = "Tip-of-the-Day file is corrupt";
        break;
      }
      continue;
    }
    if (!SkippedLine(line[0])) break;
  }
  if (error) {
    m_strTip = error;
    m_bNextEnabled = FALSE;
    return;
  }
  line[std::strcspn(line, "\r\n")] = '\0';
  ExpandTextMacros(line, sizeof line);
  CString tip;
  for (const char* p = line; *p; ++p) {
    if (p[0] == '\\' && p[1] == 'n') {
      tip += '\n';
      ++p;
    } else {
      tip += *p;
    }
  }
  m_strTip = tip;
}

void CTipDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_TIP_STARTUP, m_bStartup);
  DDX_Text(pDX, IDC_TIP_TEXT, m_strTip);
}

BOOL CTipDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* next = GetDlgItem(IDC_TIP_NEXT)) next->EnableWindow(m_bNextEnabled);
  return TRUE;
}

BOOL CTipDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_TIP_NEXT) {
    if (m_pFile && m_bNextEnabled) ReadNextTip();
    SetDlgItemText(IDC_TIP_TEXT, m_strTip);
    if (CWnd* next = GetDlgItem(IDC_TIP_NEXT)) next->EnableWindow(m_bNextEnabled);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CTipDlg::OnOK() {
  // Only Close keeps the check box; Escape and the close box do not.
  m_bStartup = IsDlgButtonChecked(IDC_TIP_STARTUP) ? TRUE : FALSE;
  PutSettingFlag(m_pSection, 'C', m_bStartup);
  EndDialog(IDOK);
}
