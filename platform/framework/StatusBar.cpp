// CStatusBar: panes kept by the object, drawn by the status-bar control.
#include "platform/framework/StatusBar.h"

#include "platform/controls/CtlCommon.h"
#include "platform/framework/Frame.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

constexpr int kPaneFrame = 2 * 3;  // sunken frame and text indent on both sides

// Updates of an indicator pane: its text and whether it shows.
class CStatusCmdUI : public CCmdUI {
 public:
  CStatusBar* bar = nullptr;
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    bar->SetPaneStyle(static_cast<int>(m_nIndex), on ? style & ~SBPS_DISABLED : style | SBPS_DISABLED);
  }
  void SetCheck(int check) override {
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    bar->SetPaneStyle(static_cast<int>(m_nIndex), check ? style | SBPS_POPOUT : style & ~SBPS_POPOUT);
  }
  void SetText(LPCTSTR text) override { bar->SetPaneText(static_cast<int>(m_nIndex), text); }
};

}  // namespace

CStatusBar::~CStatusBar() { DestroyWindow(); }

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateEx(parent, 0, style, id); }

BOOL CStatusBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id) {
  if (!parent) return FALSE;
  RegisterStatusBarClass();
  DWORD windowStyle = SplitStyle(style, &m_dwStyle);
  // The frame places the bar (RecalcLayout); the control must not.
  RECT none{0, 0, 0, 0};
  if (!CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, windowStyle | ctrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE, none,
                      parent, id))
    return FALSE;
  SetFont(CFont::FromHandle(ctl::DefaultFont()), FALSE);
  return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (count < 0 || (count > 0 && !ids)) return FALSE;
  panes_.assign(static_cast<size_t>(count), Pane{});
  bool result = true;
  const ctl::FontInfo font = ctl::Measure(ctl::DefaultFont());
  for (int i = 0; i < count; ++i) {
    Pane& p = panes_[static_cast<size_t>(i)];
    p.id = ids[i];
    if (p.id == ID_SEPARATOR) {
      // The first separator pane stretches; it shows the prompts.
      p.style = i == 0 ? SBPS_NOBORDERS | SBPS_STRETCH : SBPS_NORMAL;
      continue;
    }
    if (!p.text.LoadString(p.id)) result = false;
    p.width = ctl::TextWidth(font, p.text, p.text.GetLength());
  }
  UpdateParts();
  for (int i = 0; i < count; ++i) SendPaneText(i);
  return result;
}

void CStatusBar::UpdateParts() {
  if (!m_hWnd || panes_.empty()) return;
  RECT c;
  GetClientRect(&c);
  std::vector<int> widths(panes_.size());
  int fixed = 0;
  for (size_t i = 0; i < panes_.size(); ++i) {
    widths[i] = (panes_[i].style & SBPS_STRETCH) ? 0 : panes_[i].width + kPaneFrame;
    fixed += widths[i] + 2;
  }
  int rest = std::max(0, static_cast<int>(c.right) - fixed);
  std::vector<int> rights(panes_.size());
  int x = 0;
  for (size_t i = 0; i < panes_.size(); ++i) {
    x += (panes_[i].style & SBPS_STRETCH) ? rest : widths[i];
    rights[i] = i + 1 == panes_.size() ? -1 : x;
    x += 2;
  }
  SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void CStatusBar::SendPaneText(int index) {
  const Pane& p = panes_[static_cast<size_t>(index)];
  UINT flags = (p.style & SBPS_NOBORDERS ? SBT_NOBORDERS : 0) | (p.style & SBPS_POPOUT ? SBT_POPOUT : 0);
  // A disabled indicator shows an empty pane.
  LPCTSTR text = (p.style & SBPS_DISABLED) ? "" : static_cast<LPCTSTR>(p.text);
  SendMessage(SB_SETTEXT, static_cast<WPARAM>(index) | flags, reinterpret_cast<LPARAM>(text));
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < panes_.size(); ++i)
    if (panes_[i].id == id) return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? panes_[static_cast<size_t>(index)].id : 0;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const {
  if (rect) SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

CString CStatusBar::GetPaneText(int index) const {
  if (index < 0 || index >= GetCount()) return CString();
  // The first pane also takes the frame's prompts through WM_SETTEXT; the
  // control holds the current text.
  LRESULT info = SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(index));
  std::vector<char> buffer(static_cast<size_t>(LOWORD(static_cast<DWORD>(info))) + 1, '\0');
  SendMessage(SB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  return CString(buffer.data());
}

BOOL CStatusBar::SetPaneText(int index, LPCTSTR text, BOOL update) {
  if (index < 0 || index >= GetCount()) return FALSE;
  panes_[static_cast<size_t>(index)].text = text ? text : "";
  SendPaneText(index);
  if (update) UpdateWindow();
  return TRUE;
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  if (index < 0 || index >= GetCount()) return;
  const Pane& p = panes_[static_cast<size_t>(index)];
  id = p.id;
  style = p.style;
  width = p.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  if (index < 0 || index >= GetCount()) return;
  Pane& p = panes_[static_cast<size_t>(index)];
  p.id = id;
  p.style = style;
  p.width = width;
  UpdateParts();
  SendPaneText(index);
}

UINT CStatusBar::GetPaneStyle(int index) const {
  return index >= 0 && index < GetCount() ? panes_[static_cast<size_t>(index)].style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style) {
  if (index < 0 || index >= GetCount() || panes_[static_cast<size_t>(index)].style == style) return;
  panes_[static_cast<size_t>(index)].style = style;
  UpdateParts();
  SendPaneText(index);
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL) { return CSize(32767, StatusBarHeight(m_hWnd)); }

void CStatusBar::OnSize(UINT type, int cx, int cy) {
  CControlBar::OnSize(type, cx, cy);
  UpdateParts();
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CStatusCmdUI ui;
  ui.bar = this;
  ui.m_pOther = this;
  ui.m_nIndexMax = static_cast<UINT>(panes_.size());
  for (size_t i = 0; i < panes_.size(); ++i) {
    if (panes_[i].id == ID_SEPARATOR) continue;
    ui.m_nID = panes_[i].id;
    ui.m_nIndex = static_cast<UINT>(i);
    ui.DoUpdate(target, disableIfNoHandler);
  }
}
