// CPropertySheet: the sheet's own template, its layout (the tab control
// around the largest page, or in wizard mode the page above a separator) and
// its row of buttons.
#include <algorithm>
#include <vector>

#include "platform/window/CtlDefs.h"
#include "platform/base/Kernel.h"
#include "platform/propsheet/PropSheet.h"

namespace {

struct ButtonSpec {
  int id;
  const char* text;
  bool visible;
  int x = 0;
};

// Positions the visible buttons from the right edge leftwards, `gap` apart;
// the button `joined` sits directly against the one right of it (Back
// beside Next).
void placeRightToLeft(std::vector<ButtonSpec>& specs, int right, int w, int gap, int joined) {
  int x = right;
  for (auto it = specs.rbegin(); it != specs.rend(); ++it) {
    if (!it->visible) continue;
    it->x = x - w;
    auto next = it + 1;
    while (next != specs.rend() && !next->visible) ++next;
    x = it->x - (next != specs.rend() && next->id == joined ? 0 : gap);
  }
}

}  // namespace

void CPropertySheet::buildTemplate() {
  template_ = DlgTemplate{};
  template_.caption = static_cast<const char*>(m_strCaption);
  template_.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  template_.exStyle = WS_EX_CONTROLPARENT;
  if (!pages_.empty())
    if (const DlgTemplate* t = pages_.front()->PageTemplate()) {
      template_.face = t->face;
      template_.pointSize = t->pointSize;
    }
  template_.cx = 100;
  template_.cy = 50;
}

INT_PTR CPropertySheet::DoModal() {
  buildTemplate();
  active_ = -1;
  InitModalIndirect(&template_, m_pParentWnd);
  return CDialog::DoModal();
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD style, DWORD exStyle) {
  buildTemplate();
  active_ = -1;
  if (style != static_cast<DWORD>(-1)) template_.style = style;
  template_.style |= WS_VISIBLE;
  template_.exStyle |= exStyle;
  return CreateIndirect(&template_, pParentWnd);
}

BOOL CPropertySheet::OnInitDialog() {
  CDialog::OnInitDialog();
  layout();
  for (int i = 0; i < GetPageCount(); ++i) addTab(i);
  int start = std::clamp(static_cast<int>(m_psh.nStartPage), 0, std::max(0, GetPageCount() - 1));
  activate(start, false);
  showCaption();
  if (active_ < 0) return TRUE;
  PostMessage(kPlaceFocus);
  return FALSE;
}

void CPropertySheet::addTab(int index) {
  CPropertyPage* page = pages_[index];
  CString text = page->m_strCaption;
  if ((page->m_psp.dwFlags & PSP_USETITLE) && page->m_psp.pszTitle) text = page->m_psp.pszTitle;
  if (text.IsEmpty())
    if (const DlgTemplate* t = page->PageTemplate()) text = t->caption.c_str();
  tab_.InsertItem(index, text);
}

void CPropertySheet::layout() {
  SIZE u = DialogBaseUnits(template_.face.c_str(), template_.pointSize);
  int pw = 0, ph = 0;
  for (CPropertyPage* p : pages_)
    if (const DlgTemplate* t = p->PageTemplate()) {
      pw = std::max(pw, MulDiv(t->cx, u.cx, 4));
      ph = std::max(ph, MulDiv(t->cy, u.cy, 8));
    }
  int mx = MulDiv(7, u.cx, 4), my = MulDiv(7, u.cy, 8);
  int bw = MulDiv(50, u.cx, 4), bh = MulDiv(14, u.cy, 8), gap = MulDiv(4, u.cx, 4);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  int right, top, width;
  if (IsWizard()) {
    tab_.Create(WS_CHILD, CRect(0, 0, 0, 0), this, AFX_IDC_TAB_CONTROL);
    pageRect_ = RECT{mx, my, mx + pw, my + ph};
    int lineY = pageRect_.bottom + my;
    HWND line = ::CreateWindowEx(0, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, mx, lineY, pw, 2, m_hWnd,
                                 nullptr, nullptr, nullptr);
    (void)line;
    top = lineY + my;
    right = mx + pw;
    width = pw + 2 * mx;
  } else {
    tab_.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, AFX_IDC_TAB_CONTROL);
    // The row of buttons fits under the tab control.
    int buttons = (m_psh.dwFlags & PSH_NOAPPLYNOW) ? 3 : 4;
    RECT r{0, 0, pw, ph};
    tab_.AdjustRect(TRUE, &r);
    if (r.right - r.left < buttons * bw + (buttons - 1) * gap) pw += buttons * bw + (buttons - 1) * gap - (r.right - r.left);
    r = RECT{0, 0, pw, ph};
    tab_.AdjustRect(TRUE, &r);
    tab_.MoveWindow(mx, my, r.right - r.left, r.bottom - r.top, FALSE);
    pageRect_ = RECT{mx - r.left, my - r.top, mx - r.left + pw, my - r.top + ph};
    top = my + (r.bottom - r.top) + my;
    right = mx + (r.right - r.left);
    width = right + mx;
  }
  tab_.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  createButtons(top, right, bw, bh, gap);
  RECT w{0, 0, width, top + bh + my};
  ::AdjustWindowRectEx(&w, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(nullptr, 0, 0, w.right - w.left, w.bottom - w.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (GetStyle() & DS_CENTER) CenterWindow();
}

void CPropertySheet::createButtons(int top, int right, int w, int h, int gap) {
  bool help = (m_psh.dwFlags & PSH_HASHELP) != 0;
  for (CPropertyPage* p : pages_) help = help || (p->m_psp.dwFlags & PSP_HASHELP);
  std::vector<ButtonSpec> specs;
  int def;
  if (IsWizard()) {
    specs = {{ID_WIZBACK, "< &Back", true}, {ID_WIZNEXT, "&Next >", true}, {ID_WIZFINISH, "Finish", false},
             {IDCANCEL, "Cancel", true}, {IDHELP, "&Help", help}};
    placeRightToLeft(specs, right, w, gap, ID_WIZBACK);
    specs[2].x = specs[1].x;  // Finish takes Next's place
    def = ID_WIZNEXT;
  } else {
    specs = {{IDOK, "OK", true}, {IDCANCEL, "Cancel", true}};
    if (!(m_psh.dwFlags & PSH_NOAPPLYNOW)) specs.push_back({ID_APPLY_NOW, "&Apply", true});
    specs.push_back({IDHELP, "&Help", help});
    placeRightToLeft(specs, right, w, gap, 0);
    def = IDOK;
  }
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  for (const ButtonSpec& s : specs) {
    DWORD style = WS_CHILD | WS_TABSTOP | (s.visible ? WS_VISIBLE : 0) | (s.id == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND b = ::CreateWindowEx(0, WC_BUTTON, s.text, style, s.x, top, w, h, m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)), nullptr, nullptr);
    ::SendMessage(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(FALSE);
  SetDefID(static_cast<UINT>(def));
  if (IsWizard()) SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
}
