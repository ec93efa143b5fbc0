// CToolBar: buttons from ids, the picture strip, idle updates, fly-by
// prompts and the bar's border lines.
#include "platform/framework/ToolBar.h"

#include "platform/gfx/Dc.h"
#include "platform/gfx/SysColors.h"
#include "platform/framework/WindowDc.h"
#include "platform/commctrl/ToolTipCtrl.h"
#include "platform/framework/Frame.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_NOTIFY_REFLECT(TBN_HOTITEMCHANGE, OnHotItemChange)
END_MESSAGE_MAP()

namespace {

constexpr int kBorderLine = 2;

// Updates of one button: enabled and checked.
class CToolCmdUI : public CCmdUI {
 public:
  CToolBar* bar = nullptr;
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    bar->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELONG(on ? 1 : 0, 0));
  }
  void SetCheck(int check) override {
    // A button that is checked from outside becomes a check button.
    UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex));
    if (!(style & TBSTYLE_CHECK)) bar->SetButtonStyle(static_cast<int>(m_nIndex), style | TBSTYLE_CHECK);
    bar->SendMessage(TB_CHECKBUTTON, m_nID, MAKELONG(check ? 1 : 0, 0));
  }
  void SetText(LPCTSTR) override {}
};

}  // namespace

CToolBar::~CToolBar() { DestroyWindow(); }

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  return CreateEx(parent, 0, style, RECT{0, 0, 0, 0}, id);
}

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, RECT borders, UINT id) {
  if (!parent) return FALSE;
  RegisterToolBarClass();
  DWORD windowStyle = SplitStyle(style, &m_dwStyle);
  m_cxLeftBorder = borders.left;
  m_cyTopBorder = borders.top;
  m_cxRightBorder = borders.right;
  m_cyBottomBorder = borders.bottom;
  if (m_dwStyle & CBRS_TOOLTIPS) ctrlStyle |= TBSTYLE_TOOLTIPS;
  RECT none{0, 0, 0, 0};
  // The bar draws its own border lines; the frame places it.
  return CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr,
                        windowStyle | ctrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE, none, parent, id);
}

void CToolBar::SetSizes(SIZE button, SIZE image) {
  sizeImage_ = image;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(static_cast<WORD>(image.cx), static_cast<WORD>(image.cy)));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(static_cast<WORD>(button.cx), static_cast<WORD>(button.cy)));
}

BOOL CToolBar::LoadBitmap(UINT id) {
  CBitmap strip;
  return strip.LoadBitmap(id) && SetBitmap(strip);
}

BOOL CToolBar::LoadBitmap(LPCTSTR name) {
  CBitmap strip;
  return strip.LoadBitmap(name) && SetBitmap(strip);
}

BOOL CToolBar::SetBitmap(HBITMAP bitmap) {
  CImageList images;
  if (!bitmap || !images.Create(sizeImage_.cx, sizeImage_.cy, ILC_MASK, 16, 16)) return FALSE;
  if (images.Add(CBitmap::FromHandle(bitmap), RGB(192, 192, 192)) < 0) return FALSE;
  images_.DeleteImageList();
  images_.Attach(images.Detach());
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.m_hImageList));
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
  if (count < 0 || (count > 0 && !ids)) return FALSE;
  while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
  int image = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON& b = buttons[static_cast<size_t>(i)];
    b.idCommand = static_cast<int>(ids[i]);
    if (ids[i] == ID_SEPARATOR) {
      b.fsStyle = TBSTYLE_SEP;
      b.iBitmap = 0;
    } else {
      b.iBitmap = image++;
    }
  }
  if (count > 0) SendMessage(TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  return TRUE;
}

int CToolBar::CommandToIndex(UINT id) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id)); }

UINT CToolBar::GetItemID(int index) const {
  TBBUTTON b;
  if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return 0;
  return static_cast<UINT>(b.idCommand);
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  if (rect) SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

UINT CToolBar::GetButtonStyle(int index) const {
  TBBUTTON b;
  if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return 0;
  return b.fsStyle | (static_cast<UINT>(b.fsState) << 16);
}

void CToolBar::SetButtonStyle(int index, UINT style) {
  UINT id = 0, old = 0;
  int image = 0;
  GetButtonInfo(index, id, old, image);
  SetButtonInfo(index, id, style, image);
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const {
  TBBUTTON b;
  if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return;
  id = static_cast<UINT>(b.idCommand);
  style = b.fsStyle | (static_cast<UINT>(b.fsState) << 16);
  image = b.iBitmap;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image) {
  TBBUTTON b;
  if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return;
  // The style word carries the state in its high word, as GetButtonStyle gives it.
  b.idCommand = static_cast<int>(id);
  b.fsStyle = static_cast<BYTE>(style & 0xFF);
  if (style >> 16) b.fsState = static_cast<BYTE>(style >> 16);
  b.iBitmap = image;
  SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
  SendMessage(TB_INSERTBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b));
}

CToolTipCtrl* CToolBar::GetToolTips() const {
  HWND tips = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
  if (!tips) return nullptr;
  if (tips_.m_hWnd != tips) {
    tips_.Detach();
    tips_.Attach(tips);
  }
  return &tips_;
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL) {
  int lines = ((m_dwStyle & CBRS_BORDER_TOP) ? kBorderLine : 0) + ((m_dwStyle & CBRS_BORDER_BOTTOM) ? kBorderLine : 0);
  int height = m_cyHeight >= 0 ? m_cyHeight : ToolBarHeight(m_hWnd) + m_cyTopBorder + m_cyBottomBorder + lines;
  return CSize(32767, height);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CToolCmdUI ui;
  ui.bar = this;
  ui.m_pOther = this;
  const int count = GetCount();
  ui.m_nIndexMax = static_cast<UINT>(count);
  for (int i = 0; i < count; ++i) {
    TBBUTTON b;
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b)) || (b.fsStyle & TBSTYLE_SEP))
      continue;
    ui.m_nID = static_cast<UINT>(b.idCommand);
    ui.m_nIndex = static_cast<UINT>(i);
    ui.DoUpdate(target, disableIfNoHandler);
  }
}

void CToolBar::OnHotItemChange(NMHDR* nm, LRESULT* result) {
  auto* hot = reinterpret_cast<NMTBHOTITEM*>(nm);
  SetStatusPrompt(hot->dwFlags & HICF_LEAVING ? 0 : static_cast<UINT>(hot->idNew));
  *result = 0;
}

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params) {
  RECT& r = params->rgrc[0];
  r.left += m_cxLeftBorder;
  r.right -= m_cxRightBorder;
  r.top += m_cyTopBorder + ((m_dwStyle & CBRS_BORDER_TOP) ? kBorderLine : 0);
  r.bottom -= m_cyBottomBorder + ((m_dwStyle & CBRS_BORDER_BOTTOM) ? kBorderLine : 0);
  if (r.bottom < r.top) r.bottom = r.top;
  if (r.right < r.left) r.right = r.left;
}

void CToolBar::OnNcPaint() {
  CWindowDC dc(this);
  RECT w;
  GetWindowRect(&w);
  RECT r{0, 0, w.right - w.left, w.bottom - w.top};
  // The client area is the control's; only the strips around it are ours.
  RECT client;
  GetClientRect(&client);
  ClientToScreen(&client);
  OffsetRect(&client, -w.left, -w.top);
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  dc.FillSolidRect(0, 0, r.right, client.top, face);
  dc.FillSolidRect(0, client.bottom, r.right, r.bottom - client.bottom, face);
  dc.FillSolidRect(0, client.top, client.left, client.bottom - client.top, face);
  dc.FillSolidRect(client.right, client.top, r.right - client.right, client.bottom - client.top, face);
  DrawBorders(&dc, r);
}
