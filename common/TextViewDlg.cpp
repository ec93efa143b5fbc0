#include "common/TextViewDlg.h"

#include <cstdio>
#include <cstdlib>

#include "common/DialogSizer.h"
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

}  // namespace

CTextViewDlg::CTextViewDlg(CWnd* parent) : CDialog(IDD_TEXTVIEW, parent) {
  m_pSection = OpenSettingsSection(SettingsFileName, "SCAN");
  m_cx = ReadDialogSize(m_pSection, 'X');
  m_cy = ReadDialogSize(m_pSection, 'Y');
}

CTextViewDlg::~CTextViewDlg() {
  WriteDialogSize(m_pSection, 'X', m_cx);
  WriteDialogSize(m_pSection, 'Y', m_cy);
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

  m_sizer.Start(this, m_cx, m_cy);
  CenterWindow();
  return TRUE;
}

// Enter does not close the viewer; only Close, Esc and the close box do.
void CTextViewDlg::OnOK() {}

void CTextViewDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  // Size events before the viewer has taken its template size (the one sent
  // while the window is created) are not the user's.
  if (!m_sizer.Started()) {
    m_bFirstSize = 0;
    return;
  }
  int dx = 0, dy = 0;
  m_sizer.Step(this, &m_cx, &m_cy, &dx, &dy);
  if (CWnd* edit = GetDlgItem(IDC_TEXTVIEW_TEXT)) MoveControlBy(edit, dx, dy, FALSE);
  if (CWnd* close = GetDlgItem(IDCANCEL)) MoveControlBy(close, dx, dy, TRUE);
  m_sizer.Finish(this);
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
