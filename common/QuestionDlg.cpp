#include "common/QuestionDlg.h"

#include <algorithm>
#include <cstring>

#include "common/StrUtil.h"
#include "platform/base/Collections.h"
#include "platform/window/CtlDefs.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/framework/WindowDc.h"
#include "res/resource.h"

namespace {

constexpr int kIconSize = 32;
constexpr int kMargin = 15;     // round the button row and right of the text
constexpr int kButtonStep = 12; // gap between two buttons of the row
constexpr int kWrapColumn = 200;

// The system's question icon: a blue disc with a white question mark.
void drawQuestionIcon(CDC* dc, const RECT& r) {
  int side = std::min(r.right - r.left, r.bottom - r.top);
  RECT disc{r.left, r.top, r.left + side, r.top + side};
  CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
  CBrush blue(RGB(0, 0, 255));
  CPen* oldPen = dc->SelectObject(&outline);
  CBrush* oldBrush = dc->SelectObject(&blue);
  dc->Ellipse(disc.left, disc.top, disc.right - 1, disc.bottom - 1);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
  LOGFONT lf{};
  lf.lfHeight = -side * 5 / 8;
  lf.lfWeight = FW_BOLD;
  std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(RGB(255, 255, 255));
  dc->DrawText("?", 1, &disc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc->SelectObject(oldFont);
}

const QuestionButton* buttonOfBit(int bit) {
  for (const QuestionButton& b : QuestionButtons)
    if (b.bit == bit) return &b;
  return nullptr;
}

RECT childRect(CWnd* dlg, CWnd* child) {
  RECT r{0, 0, 0, 0};
  if (!child) return r;
  child->GetWindowRect(&r);
  dlg->ScreenToClient(&r);
  return r;
}

}  // namespace

CQuestionDlg::CQuestionDlg(const QuestionLayout& layout, CWnd* pParentWnd)
    : CDialog(IDD_QUESTION, pParentWnd),
      m_text(layout.text.c_str()),
      m_defaultAnswer(layout.defaultAnswer),
      m_mask(layout.mask) {}

BOOL CQuestionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_QUESTION_TEXT, m_text);

  // Buttons not offered are hidden and disabled, so that neither their
  // access keys nor Escape (for Cancel) reach them.
  int visible = 0;
  for (const QuestionButton& b : QuestionButtons) {
    CWnd* button = GetDlgItem(b.controlId);
    if (!button) continue;
    bool shown = (m_mask & b.bit) != 0;
    button->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    button->EnableWindow(shown ? TRUE : FALSE);
    if (shown) ++visible;
  }

  // The default answer's button is the default push button and starts with
  // the focus, so that Enter gives the default answer (a focused push
  // button would otherwise take Enter for itself).
  const QuestionButton* def = buttonOfBit(m_defaultAnswer);
  if (!def || !(m_mask & def->bit)) def = buttonOfBit(ANSWER_YES);
  SetDefID(static_cast<UINT>(def->controlId));

  SizeToQuestion(visible);
  GotoDlgCtrl(GetDlgItem(def->controlId));
  return FALSE;
}

void CQuestionDlg::SizeToQuestion(int visible) {
  CWnd* textWnd = GetDlgItem(IDC_QUESTION_TEXT);
  CWnd* iconWnd = GetDlgItem(IDC_QUESTION_ICON);
  CWnd* yesWnd = GetDlgItem(IDC_QUESTION_YES);
  if (!textWnd || !iconWnd || !yesWnd) return;
  RECT text = childRect(this, textWnd);
  RECT icon = childRect(this, iconWnd);
  RECT yes = childRect(this, yesWnd);
  const int buttonW = yes.right - yes.left, buttonH = yes.bottom - yes.top;
  iconWnd->SetWindowPos(nullptr, icon.left, icon.top, kIconSize, kIconSize, SWP_NOZORDER | SWP_NOACTIVATE);

  // The question's extent in the box's font: the widest of its lines (as
  // wrapped at 200 characters, explicit breaks kept) and one font height per
  // line, so that every line shows whole.
  CClientDC dc(this);
  CFont* oldFont = dc.SelectObject(GetFont());
  CStringArray lines;
  int count = std::max(1, WrapTextToLines(m_text, kWrapColumn, lines));
  int textW = 0;
  for (int i = 0; i < lines.GetSize(); ++i) textW = std::max(textW, static_cast<int>(dc.GetTextExtent(lines[i]).cx));
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  dc.SelectObject(oldFont);
  const int textH = count * tm.tmHeight;

  // The whole window: wide enough for the button row and for the text right
  // of the icon, tall enough for the text or the icon over the row.
  const int windowW = std::max(visible * (buttonW + kMargin) + kMargin, textW + text.left + kMargin);
  const int windowH = text.top + std::max(textH, kIconSize) + buttonH + GetSystemMetrics(SM_CYSIZE) + 2 * kMargin;
  SetWindowPos(nullptr, 0, 0, windowW, windowH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterWindow();
  textWnd->SetWindowPos(nullptr, text.left, text.top, textW, textH, SWP_NOZORDER | SWP_NOACTIVATE);

  // One row, centred, 15 pixels above the bottom edge.
  RECT client;
  GetClientRect(&client);
  const int rowW = visible * buttonW + std::max(0, visible - 1) * kButtonStep;
  int x = (client.right - rowW) / 2;
  const int y = client.bottom - kMargin - buttonH;
  for (const QuestionButton& b : QuestionButtons) {
    if (!(m_mask & b.bit)) continue;
    if (CWnd* button = GetDlgItem(b.controlId)) {
      button->SetWindowPos(nullptr, x, y, buttonW, buttonH, SWP_NOZORDER | SWP_NOACTIVATE);
      x += buttonW + kButtonStep;
    }
  }
  Invalidate();
}

BOOL CQuestionDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  for (const QuestionButton& b : QuestionButtons) {
    if (b.controlId != id) continue;
    // A button that is not offered answers nothing, whatever sent it.
    if (m_mask & b.bit) EndDialog(b.bit);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

// No button of the box carries IDOK.
void CQuestionDlg::OnOK() {}

void CQuestionDlg::OnCancel() {
  if (m_mask & ANSWER_CANCEL) EndDialog(ANSWER_CANCEL);
}

void CQuestionDlg::OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis) {
  if (idCtl != IDC_QUESTION_ICON || !dis) {
    CDialog::OnDrawItem(idCtl, dis);
    return;
  }
  CDC* dc = CDC::FromHandle(dis->hDC);
  dc->FillSolidRect(&dis->rcItem, GetSysColor(COLOR_3DFACE));
  drawQuestionIcon(dc, dis->rcItem);
}

int DialogQuestionPresenter::Ask(const QuestionLayout& layout) {
  CQuestionDlg dlg(layout);
  INT_PTR answer = dlg.DoModal();
  // No window: the question takes its default answer rather than a made-up one.
  return answer < 0 ? layout.defaultAnswer : static_cast<int>(answer);
}
