#include "platform/commdlg/FontDialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/base/Kernel.h"
#include "platform/commdlg/CommDlgRun.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/FontEngine.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CFontDialog, CDialog)

namespace {

using commdlg::SetExtendedError;

struct StyleName {
  const char* name;
  bool bold, italic;
};
constexpr StyleName kStyles[] = {
    {"Regular", false, false}, {"Italic", false, true}, {"Bold", true, false}, {"Bold Italic", true, true}};
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
constexpr int kScreenDpi = 96;

bool sameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(x & 0xFF) == std::tolower(y & 0xFF); });
}

std::string trimmed(const CString& text) {
  std::string s(static_cast<LPCTSTR>(text));
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// A size as typed, in tenths of a point: "10", "10.5"; 0 when it is none.
int parseTenths(const std::string& text) {
  if (text.empty()) return 0;
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !(v > 0) || v > 1638) return 0;
  return static_cast<int>(std::lround(v * 10));
}

std::string sizeText(int tenths) {
  char buf[32];
  if (tenths % 10) std::snprintf(buf, sizeof buf, "%d.%d", tenths / 10, tenths % 10);
  else std::snprintf(buf, sizeof buf, "%d", tenths / 10);
  return buf;
}

}  // namespace

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CDialog(IDD_COMMDLG_FONT, pParentWnd) {
  m_cf.Flags = dwFlags;
  m_cf.lpLogFont = &m_lf;
  if (lplfInitial) {
    m_lf = *lplfInitial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
  if (pdcPrinter) {
    m_cf.hDC = pdcPrinter->m_hAttribDC ? pdcPrinter->m_hAttribDC : pdcPrinter->m_hDC;
    m_cf.Flags |= CF_PRINTERFONTS;
  }
}

int CFontDialog::Dpi() const {
  int dpi = m_cf.hDC ? ::GetDeviceCaps(m_cf.hDC, LOGPIXELSY) : kScreenDpi;
  return dpi > 0 ? dpi : kScreenDpi;
}

INT_PTR CFontDialog::DoModal() {
  SetExtendedError(0);
  if (!m_cf.lpLogFont) m_cf.lpLogFont = &m_lf;
  m_faces = fonts::ScalableFamilies();
  if (m_faces.empty()) {
    SetExtendedError(CFERR_NOFONTS);
    return IDCANCEL;
  }
  if ((m_cf.Flags & CF_LIMITSIZE) && m_cf.nSizeMax < m_cf.nSizeMin) {
    SetExtendedError(CFERR_MAXLESSTHANMIN);
    return IDCANCEL;
  }
  m_hookInitDone = false;
  return commdlg::RunModal(*this, (m_cf.Flags & CF_ENABLETEMPLATE) ? m_cf.lpTemplateName : nullptr, m_cf.hwndOwner);
}

LRESULT CFontDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool hooked = (m_cf.Flags & CF_ENABLEHOOK) && m_cf.lpfnHook;
  if (message == WM_INITDIALOG) {
    LRESULT r = CDialog::WindowProc(message, wParam, lParam);
    if (hooked && !m_hookInitDone) {
      m_hookInitDone = true;
      m_cf.lpfnHook(m_hWnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&m_cf));
    }
    return r;
  }
  if (hooked) {
    if (UINT_PTR r = m_cf.lpfnHook(m_hWnd, message, wParam, lParam)) return static_cast<LRESULT>(r);
  }
  if (message == WM_DRAWITEM && static_cast<int>(wParam) == stc5) {
    DrawSample(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CFontDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_faces.empty()) m_faces = fonts::ScalableFamilies();
  for (const std::string& f : m_faces) SendDlgItemMessage(cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
  for (const StyleName& s : kStyles) SendDlgItemMessage(cmb2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.name));
  FillSizes();

  // The start: the caller's LOGFONT, else the first face, regular, 10 points.
  std::string face = m_faces.front();
  bool bold = false, italic = false;
  int tenths = 100;
  if (m_cf.Flags & CF_INITTOLOGFONTSTRUCT) {
    const LOGFONT& lf = *m_cf.lpLogFont;
    std::string given(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    auto it = std::find_if(m_faces.begin(), m_faces.end(), [&](const std::string& f) { return sameNoCase(f, given); });
    if (it == m_faces.end() && !given.empty()) {
      const std::string family = fonts::FamilyOf(given.c_str());
      it = std::find_if(m_faces.begin(), m_faces.end(), [&](const std::string& f) { return sameNoCase(f, family); });
    }
    if (it != m_faces.end()) face = *it;
    bold = lf.lfWeight >= FW_SEMIBOLD;
    italic = lf.lfItalic != 0;
    // Whole points, as the sizes are listed.
    if (lf.lfHeight) tenths = MulDiv(std::abs(static_cast<int>(lf.lfHeight)), 72, Dpi()) * 10;
    CheckDlgButton(chx1, lf.lfStrikeOut ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(chx2, lf.lfUnderline ? BST_CHECKED : BST_UNCHECKED);
  }
  if (m_cf.Flags & CF_LIMITSIZE)
    tenths = std::clamp(tenths, static_cast<int>(m_cf.nSizeMin) * 10, static_cast<int>(m_cf.nSizeMax) * 10);
  SendDlgItemMessage(cmb1, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face.c_str()));
  SetDlgItemText(cmb1, face.c_str());
  const char* style = kStyles[(bold ? 2 : 0) + (italic ? 1 : 0)].name;
  SendDlgItemMessage(cmb2, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(style));
  SetDlgItemText(cmb2, style);
  const std::string size = sizeText(tenths);
  if (SendDlgItemMessage(cmb3, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(size.c_str())) >= 0)
    SendDlgItemMessage(cmb3, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(size.c_str()));
  SetDlgItemText(cmb3, size.c_str());

  const bool effects = (m_cf.Flags & CF_EFFECTS) != 0;
  for (int id : {grp1, chx1, chx2})
    if (CWnd* w = GetDlgItem(id)) w->ShowWindow(effects ? SW_SHOW : SW_HIDE);
  if (!(m_cf.Flags & CF_SHOWHELP))
    if (CWnd* w = GetDlgItem(pshHelp)) w->ShowWindow(SW_HIDE);
  GotoDlgCtrl(GetDlgItem(cmb1));
  return FALSE;
}

void CFontDialog::FillSizes() {
  const int lo = (m_cf.Flags & CF_LIMITSIZE) ? m_cf.nSizeMin : 0;
  const int hi = (m_cf.Flags & CF_LIMITSIZE) ? m_cf.nSizeMax : 1 << 30;
  SendDlgItemMessage(cmb3, CB_RESETCONTENT);
  for (int s : kSizes)
    if (s >= lo && s <= hi)
      SendDlgItemMessage(cmb3, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(s).c_str()));
}

CFontDialog::Choice CFontDialog::Current() const {
  Choice c;
  CString text;
  GetDlgItemText(cmb1, text);
  c.face = trimmed(text);
  GetDlgItemText(cmb2, text);
  const std::string style = trimmed(text);
  for (const StyleName& s : kStyles)
    if (sameNoCase(style, s.name)) {
      c.bold = s.bold;
      c.italic = s.italic;
    }
  GetDlgItemText(cmb3, text);
  c.tenths = parseTenths(trimmed(text));
  return c;
}

BOOL CFontDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (lParam && (id == cmb1 || id == cmb2 || id == cmb3) && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) {
    if (code == CBN_SELCHANGE) {
      // The list's choice becomes the box's text before the sample is drawn.
      int sel = static_cast<int>(SendDlgItemMessage(id, CB_GETCURSEL));
      char text[LF_FACESIZE + 8];
      if (sel >= 0 && SendDlgItemMessage(id, CB_GETLBTEXTLEN, sel) < static_cast<LRESULT>(sizeof text)) {
        SendDlgItemMessage(id, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
        SetDlgItemText(id, text);
      }
    }
    if (CWnd* sample = GetDlgItem(stc5)) sample->Invalidate();
    return TRUE;
  }
  if (lParam && (id == chx1 || id == chx2) && code == BN_CLICKED) {
    if (CWnd* sample = GetDlgItem(stc5)) sample->Invalidate();
    return CDialog::OnCommand(wParam, lParam);
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CFontDialog::DrawSample(const DRAWITEMSTRUCT* dis) {
  if (!dis || !dis->hDC) return;
  CDC* dc = CDC::FromHandle(dis->hDC);
  RECT r = dis->rcItem;
  CBrush face(::GetSysColor(COLOR_BTNFACE));
  dc->FillRect(&r, &face);
  const Choice c = Current();
  if (c.face.empty() || c.tenths == 0) return;
  LOGFONT lf{};
  lf.lfHeight = -MulDiv(c.tenths, kScreenDpi, 720);
  lf.lfWeight = c.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = c.italic;
  lf.lfStrikeOut = IsDlgButtonChecked(chx1) == BST_CHECKED;
  lf.lfUnderline = IsDlgButtonChecked(chx2) == BST_CHECKED;
  std::strncpy(lf.lfFaceName, c.face.c_str(), LF_FACESIZE - 1);
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* old = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(m_cf.rgbColors);
  dc->DrawText("AaBbYyZz", 8, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc->SelectObject(old);
}

void CFontDialog::OnOK() {
  const Choice c = Current();
  CString caption;
  GetWindowText(caption);
  auto refuse = [&](int control, const char* text) {
    ::MessageBox(m_hWnd, text, caption, MB_OK | MB_ICONINFORMATION);
    GotoDlgCtrl(GetDlgItem(control));
  };
  auto face = std::find_if(m_faces.begin(), m_faces.end(), [&](const std::string& f) { return sameNoCase(f, c.face); });
  if (c.face.empty() || ((m_cf.Flags & CF_FORCEFONTEXIST) && face == m_faces.end())) {
    refuse(cmb1, "There is no font with that name.\nChoose a font from the list of fonts.");
    return;
  }
  CString styleText;
  GetDlgItemText(cmb2, styleText);
  const std::string style = trimmed(styleText);
  if (std::none_of(std::begin(kStyles), std::end(kStyles), [&](const StyleName& s) { return sameNoCase(style, s.name); })) {
    refuse(cmb2, "There is no style of that name.\nChoose a style from the list of styles.");
    return;
  }
  if (c.tenths == 0) {
    refuse(cmb3, "Size must be a number.");
    return;
  }
  if ((m_cf.Flags & CF_LIMITSIZE) && (c.tenths < m_cf.nSizeMin * 10 || c.tenths > m_cf.nSizeMax * 10)) {
    char text[80];
    std::snprintf(text, sizeof text, "Size must be between %d and %d points.", m_cf.nSizeMin, m_cf.nSizeMax);
    refuse(cmb3, text);
    return;
  }

  LOGFONT& lf = *m_cf.lpLogFont;
  const std::string chosenFace = face != m_faces.end() ? *face : c.face;
  std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
  std::strncpy(lf.lfFaceName, chosenFace.c_str(), LF_FACESIZE - 1);
  lf.lfHeight = -MulDiv(c.tenths, Dpi(), 720);
  lf.lfWidth = 0;
  lf.lfWeight = c.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = c.italic ? 1 : 0;
  if (m_cf.Flags & CF_EFFECTS) {
    lf.lfStrikeOut = IsDlgButtonChecked(chx1) == BST_CHECKED;
    lf.lfUnderline = IsDlgButtonChecked(chx2) == BST_CHECKED;
  }
  lf.lfCharSet = ANSI_CHARSET;
  if (m_cf.lpLogFont != &m_lf) m_lf = lf;
  m_cf.iPointSize = c.tenths;
  m_style = kStyles[(c.bold ? 2 : 0) + (c.italic ? 1 : 0)].name;
  if ((m_cf.Flags & CF_USESTYLE) && m_cf.lpszStyle) {
    std::strncpy(m_cf.lpszStyle, m_style.c_str(), 31);
    m_cf.lpszStyle[31] = '\0';
  }
  m_cf.nFontType = static_cast<WORD>((m_cf.hDC ? PRINTER_FONTTYPE : SCREEN_FONTTYPE) |
                                     (c.bold ? BOLD_FONTTYPE : 0) | (c.italic ? ITALIC_FONTTYPE : 0) |
                                     (!c.bold && !c.italic ? REGULAR_FONTTYPE : 0));
  EndDialog(IDOK);
}

BOOL ChooseFont(LPCHOOSEFONT cf) {
  if (!cf || cf->lStructSize != sizeof(CHOOSEFONT) || !cf->lpLogFont) {
    SetExtendedError(!cf || cf->lStructSize != sizeof(CHOOSEFONT) ? CDERR_STRUCTSIZE : CDERR_INITIALIZATION);
    return FALSE;
  }
  CFontDialog dlg;
  dlg.m_cf = *cf;
  INT_PTR r = dlg.DoModal();
  const DWORD error = CommDlgExtendedError();
  cf->iPointSize = dlg.m_cf.iPointSize;
  cf->nFontType = dlg.m_cf.nFontType;
  cf->rgbColors = dlg.m_cf.rgbColors;
  SetExtendedError(error);
  return r == IDOK;
}
