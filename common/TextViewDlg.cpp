#include "common/TextViewDlg.h"

#include <cstdio>
#include <cstdlib>

#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/gfx/GdiObject.h"
#include "res/resource.h"

namespace {

// The viewer's font, made by the first viewer and kept for the run.
CFont& ViewerFont() {
  static CFont font;
  return font;
}

int ReadSize(SettingsSection* section, char key) {
  char text[32] = "";
  GetSettingString(section, key, nullptr, "0", "%s", text);
  return std::atoi(text);
}

void WriteSize(SettingsSection* section, char key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  PutSettingString(section, key, nullptr, text);
}

}  // namespace

CTextViewDlg::CTextViewDlg(CWnd* parent) : CDialog(IDD_TEXTVIEW, parent) {
  m_pSection = OpenSettingsSection(SettingsFileName, "SCAN");
  m_cx = ReadSize(m_pSection, 'X');
  m_cy = ReadSize(m_pSection, 'Y');
}

CTextViewDlg::~CTextViewDlg() {
  WriteSize(m_pSection, 'X', m_cx);
  WriteSize(m_pSection, 'Y', m_cy);
  CloseSettingsSection(m_pSection);
  std::free(m_pBuffer);
}

void CTextViewDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_TEXTVIEW_TEXT, m_strText);
}

BOOL CTextViewDlg::OnInitDialog() {
  const int result = ReadWholeFile(m_strFile, &m_pBuffer);
  if (result != 0) {
    DispMessage(GetFileErrorMessage(result), 0);
    EndDialog(IDCANCEL);
    return TRUE;
  }
  m_strText = m_pBuffer;
  SetWindowText(m_strCaption);
  CFont& font = ViewerFont();
  if (font.GetSafeHandle() == nullptr) font.CreateFont(-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "courier");
  if (CWnd* edit = GetDlgItem(IDC_TEXTVIEW_TEXT)) edit->SetFont(&font);
  CDialog::OnInitDialog();

  RECT r{};
  GetWindowRect(&r);
  m_nMinWidth = m_nLastWidth = r.right - r.left;
  m_nMinHeight = m_nLastHeight = r.bottom - r.top;
  if (m_cx != 0) SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER);
  CenterWindow();
  return TRUE;
}

// Enter does not close the viewer; only Close, Esc and the close box do.
void CTextViewDlg::OnOK() {}

void CTextViewDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  // Size events before the viewer has taken its template size (the one sent
  // while the window is created) are not the user's.
  if (m_nMinWidth == 0) {
    m_bFirstSize = 0;
    return;
  }
  RECT r{};
  GetWindowRect(&r);
  m_cx = r.right - r.left;
  m_cy = r.bottom - r.top;
  bool raised = false;
  if (m_cx < m_nMinWidth) {
    m_cx = m_nMinWidth;
    raised = true;
  }
  if (m_cy < m_nMinHeight) {
    m_cy = m_nMinHeight;
    raised = true;
  }
  const int dx = m_cx - m_nLastWidth;
  const int dy = m_cy - m_nLastHeight;
  if (CWnd* edit = GetDlgItem(IDC_TEXTVIEW_TEXT)) MoveControlBy(edit, dx, dy, FALSE);
  if (CWnd* close = GetDlgItem(IDCANCEL)) MoveControlBy(close, dx, dy, TRUE);
  m_nLastWidth = m_cx;
  m_nLastHeight = m_cy;
  Invalidate();
  if (raised) SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER);
  m_bFirstSize = 0;
}

void CTextViewDlg::OnDestroy() {
  std::free(m_pBuffer);
  m_pBuffer = nullptr;
  CDialog::OnDestroy();
}

bool ShowTextFile(const char* fileName, const char* caption) {
  CTextViewDlg viewer;
  viewer.m_strFile = fileName ? fileName : "";
  viewer.m_strCaption = caption ? caption : "";
  return viewer.DoModal() == IDOK;
}
