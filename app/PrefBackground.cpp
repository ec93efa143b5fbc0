#include "app/PrefBackground.h"

#include <cstdio>
#include <string>

#include "common/DialogHelp.h"
#include "app/Preferences.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/UnitVocab.h"
#include "platform/commdlg/FileDialog.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

void CBackgroundPreview::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  if (page) page->DrawPreview(&dc, client);
}

CPrefBack::CPrefBack() : CColourPage(IDD_PREF_BACKGROUND, BackgroundColourNames, kBackgroundColourNames) {
  m_preview.page = this;
}

void CPrefBack::LoadValues() {
  m_strPicture = UserPictureFile;
  m_strName = BackgroundColourName;
  m_nImageMode = BackgroundMode >= 0 && BackgroundMode <= 2 ? BackgroundMode : 0;
  SetParts(BackgroundColour);
  m_bStretch = StretchPicture ? 1 : 0;
  m_bChanged = 0;
}

void CPrefBack::StoreValues() {
  std::snprintf(BackgroundColourName, sizeof BackgroundColourName, "%s", static_cast<const char*>(m_strName));
  BackgroundMode = m_nImageMode;
  std::snprintf(UserPictureFile, sizeof UserPictureFile, "%s", static_cast<const char*>(m_strPicture));
  StretchPicture = m_bStretch;
  BackgroundColour = PartsColour();
}

bool CPrefBack::Check(CString& error) {
  if (m_nImageMode != 1) return true;
  char path[MAX_PATH], message[MAX_PATH + 64] = "";
  std::snprintf(path, sizeof path, "%s", static_cast<const char*>(m_strPicture));
  CWnd* edit = GetDlgItem(IDC_PREF_PICTURE);
  if (ValidateDlgField("Display Another Image", path, 1, FIELD_PATH, VP_FILE | VP_FOLDER | VP_MUST_EXIST, nullptr, nullptr,
                       edit ? edit->GetSafeHwnd() : nullptr, message))
    return true;
  error = message;
  return false;
}

void CPrefBack::Refresh() {
  if (m_bInitialised) {
    UpdateData(FALSE);
    UpdateEnabling();
    MatchName();
    Redraw();
  }
  m_bChanged = 0;
}

// The preview takes the main view's proportions, centred in its frame.
void CPrefBack::FitPreview() {
  CWnd* frameWnd = AfxGetMainWnd();
  CView* view = frameWnd ? static_cast<CFrameWnd*>(frameWnd)->GetActiveView() : nullptr;
  RECT viewRect{};
  if (view && view->GetSafeHwnd()) view->GetClientRect(&viewRect);
  const int w = viewRect.right - viewRect.left, h = viewRect.bottom - viewRect.top;
  RECT frame;
  m_preview.GetWindowRect(&frame);
  ScreenToClient(&frame);
  const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
  if (w <= 0 || h <= 0 || fw <= 0 || fh <= 0) {
    m_fScaleX = m_fScaleY = 1.0f;
    return;
  }
  double pw, ph;
  if (w > h) {
    pw = fw;
    ph = fw * static_cast<double>(h) / w;
  } else {
    ph = fh;
    pw = fh * static_cast<double>(w) / h;
  }
  if (pw > fw) {
    ph = ph * fw / pw;
    pw = fw;
  }
  if (ph > fh) {
    pw = pw * fh / ph;
    ph = fh;
  }
  const int x = frame.left + (fw - static_cast<int>(pw)) / 2, y = frame.top + (fh - static_cast<int>(ph)) / 2;
  m_preview.MoveWindow(x, y, static_cast<int>(pw), static_cast<int>(ph));
  m_fScaleX = static_cast<float>(pw / w);
  m_fScaleY = static_cast<float>(ph / h);
}

BOOL CPrefBack::OnInitDialog() {
  CColourPage::OnInitDialog();
  m_preview.SubclassDlgItem(IDC_PREF_PREVIEW, this);
  FitPreview();
  const COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
  for (NamedColour& row : BackgroundColourNames) {
    if (std::string(row.name) != "Windows Default") continue;
    row.red = GetRValue(workspace);
    row.green = GetGValue(workspace);
    row.blue = GetBValue(workspace);
  }
  InitColourControls();
  m_browse.SubclassDlgItem(IDC_BACKUP_BROWSE, this);
  m_browse.SetBitmaps(325, 0, 0);
  UpdateEnabling();
  UpdateData(FALSE);
  MatchName();
  m_bChanged = 0;
  m_bInitialised = 1;
  Redraw();
  return TRUE;
}

void CPrefBack::DoDataExchange(CDataExchange* pDX) {
  CColourPage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PREF_PICTURE, m_strPicture);
  DDX_Radio(pDX, IDC_PREF_DEFAULT_IMAGE, m_nImageMode);
  DDX_Check(pDX, IDC_PREF_STRETCH, m_bStretch);
}

void CPrefBack::UpdateEnabling() {
  if (CWnd* w = GetDlgItem(IDC_PREF_PICTURE)) w->EnableWindow(m_nImageMode == 1);
  if (CWnd* w = GetDlgItem(IDC_BACKUP_BROWSE)) w->EnableWindow(m_nImageMode == 1);
  if (CWnd* w = GetDlgItem(IDC_PREF_STRETCH)) w->EnableWindow(m_nImageMode != 2);
}

void CPrefBack::Redraw() {
  if (m_preview.GetSafeHwnd()) m_preview.Invalidate(FALSE);
}

void CPrefBack::OnColourChanged() { Redraw(); }

void CPrefBack::DrawPreview(CDC* dc, const RECT& rect) {
  RECT inner{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
  if (inner.right <= inner.left || inner.bottom <= inner.top) return;
  dc->FillSolidRect(&inner, PartsColour());
  const CString path = m_nImageMode == 0 ? GetBackgroundImagePath(true) : m_strPicture;
  if (m_nImageMode == 2 || path.IsEmpty() || !FileExists(path)) return;
  HBITMAP loaded = LoadBitmapFile(path);
  if (!loaded) return;
  CBitmap picture;
  picture.Attach(loaded);
  BITMAP info{};
  picture.GetBitmap(&info);
  CDC mem;
  mem.CreateCompatibleDC(dc);
  CBitmap* old = mem.SelectObject(&picture);
  const int iw = inner.right - inner.left, ih = inner.bottom - inner.top;
  const int saved = dc->SaveDC();
  dc->IntersectClipRect(&inner);
  if (m_bStretch) {
    dc->StretchBlt(inner.left, inner.top, iw, ih, &mem, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  } else {
    const int w = static_cast<int>(info.bmWidth * m_fScaleX), h = static_cast<int>(info.bmHeight * m_fScaleY);
    const int x = inner.left + (iw > w ? (iw - w) / 2 : 0), y = inner.top + (ih > h ? (ih - h) / 2 : 0);
    dc->StretchBlt(x, y, w, h, &mem, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  }
  dc->RestoreDC(saved);
  mem.SelectObject(old);
}

void CPrefBack::Browse() {
  char current[MAX_PATH] = "";
  GetDlgItemText(IDC_PREF_PICTURE, current, sizeof current);
  CFileDialog dialog(TRUE, nullptr, current[0] ? current : "*.bmp", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                     "Bitmaps|*.bmp||", this);
  dialog.m_ofn.lpstrTitle = "Bitmap Files";
  if (!current[0]) dialog.m_ofn.lpstrInitialDir = ProgramFolder;
  if (dialog.DoModal() != IDOK) return;
  m_strPicture = dialog.GetPathName();
  SetDlgItemText(IDC_PREF_PICTURE, m_strPicture);
  Redraw();
}

BOOL CPrefBack::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_PREF_BACKGROUND))) return TRUE;
  if (m_bInitialised && code == BN_CLICKED) {
    if (id == IDC_PREF_DEFAULT_IMAGE || id == IDC_PREF_OTHER_IMAGE || id == IDC_PREF_NO_IMAGE) {
      m_bChanged = 1;
      m_nImageMode = id == IDC_PREF_DEFAULT_IMAGE ? 0 : id == IDC_PREF_OTHER_IMAGE ? 1 : 2;
      UpdateEnabling();
      Redraw();
    } else if (id == IDC_PREF_STRETCH) {
      m_bChanged = 1;
      m_bStretch = IsDlgButtonChecked(IDC_PREF_STRETCH) == BST_CHECKED;
      Redraw();
    } else if (id == IDC_BACKUP_BROWSE) {
      Browse();
      return TRUE;
    }
  }
  if (m_bInitialised && id == IDC_PREF_PICTURE && code == EN_KILLFOCUS) {
    char text[MAX_PATH] = "";
    GetDlgItemText(IDC_PREF_PICTURE, text, sizeof text);
    m_strPicture = text;
    Redraw();
  }
  return CColourPage::OnCommand(wParam, lParam);
}
