#include "common/EditLabel.h"

#include <cstdio>
#include <cstring>

#include "common/Settings.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"

namespace {

SettingsSection* LabelsSection = nullptr;
int LabelsUsers = 0;

constexpr int kEditLimit = 20;
constexpr int kStoredLimit = 15;

}  // namespace

RECT RectInParent(CWnd* control, CWnd* parent) {
  RECT r{};
  control->GetWindowRect(&r);
  parent->ScreenToClient(&r);
  return r;
}

void CreateLabelArrow(CStatic& arrow, CWnd* parent, const RECT& labelRect, UINT id, int oemBitmap) {
  HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCE(oemBitmap));
  BITMAP bm{};
  if (bitmap) GetObject(bitmap, sizeof bm, &bm);
  RECT at = labelRect;
  OffsetRect(&at, -bm.bmWidth, 0);
  if (arrow.Create("", WS_CHILD | WS_VISIBLE | SS_BITMAP, at, parent, id))
    arrow.SetBitmap(bitmap);
  else if (bitmap)
    DeleteObject(bitmap);
}

int CEditLabel::SubclassDlgItem(UINT labelId, CWnd* parent, UINT buddyId) {
  if (parent == nullptr || !CStatic::SubclassDlgItem(labelId, parent)) return 0;
  m_pBuddy = parent->GetDlgItem(static_cast<int>(buddyId));
  ModifyStyle(0, SS_NOTIFY);
  m_rcLabel = RectInParent(this, parent);
  CreateLabelArrow(m_arrow, parent, m_rcLabel, labelId, OBM_MNARROW);
  return 1;
}

void CEditLabel::OnLButtonDown(UINT, CPoint) {
  CWnd* parent = GetParent();
  if (parent == nullptr || m_edit.GetSafeHwnd() != nullptr) return;
  GetWindowText(m_strCaption);
  ShowWindow(SW_HIDE);
  RECT r = m_rcLabel;
  {
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const CSize text = dc.GetTextExtent(m_strCaption.IsEmpty() ? CString("X") : m_strCaption);
    if (old) dc.SelectObject(old);
    if (r.bottom - r.top < text.cy) r.bottom = r.top + text.cy;
  }
  if (!m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_NOHIDESEL, r, parent, GetDlgCtrlID())) {
    ShowWindow(SW_SHOW);
    AfxMessageBox("Could not create edit field", MB_ICONEXCLAMATION);
    return;
  }
  m_edit.m_pLabel = this;
  m_edit.SetFont(GetFont());
  m_edit.LimitText(kEditLimit);
  m_edit.SetWindowText(m_strCaption);
  m_edit.SetFocus();
  m_edit.SetSel(0, -1);
}

void CEditLabel::EndEditing() {
  CWnd* parent = GetParent();
  if (parent && !IsRectEmpty(&m_edit.m_rcFrame)) {
    CClientDC dc(parent);
    dc.FillSolidRect(&m_edit.m_rcFrame, GetSysColor(COLOR_BTNFACE));
  }
  CString text;
  m_edit.GetWindowText(text);
  SetWindowText(text);
  ShowWindow(SW_SHOW);
  m_edit.m_pLabel = nullptr;
  m_edit.DestroyWindow();
}

UINT CLabelEdit::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

void CLabelEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_pLabel && (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE)) {
    if (nChar == VK_ESCAPE) SetWindowText(m_pLabel->m_strCaption);
    CWnd* next = m_pLabel->m_pBuddy;
    if (next)
      next->SetFocus();
    else
      m_pLabel->EndEditing();
    return;
  }
  CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CLabelEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // The keys that end the editing leave no character behind.
  if (nChar == '\t' || nChar == '\r' || nChar == 27) return;
  CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CLabelEdit::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  if (m_pLabel) m_pLabel->EndEditing();
}

// A sunken frame of three lines around the edit, drawn on the parent.
void CLabelEdit::OnPaint() {
  CEdit::OnPaint();
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  RECT r = RectInParent(this, parent);
  CClientDC dc(parent);
  const COLORREF lines[3][2] = {{RGB(255, 255, 255), RGB(255, 255, 255)},
                                {RGB(0, 0, 0), GetSysColor(COLOR_3DLIGHT)},
                                {GetSysColor(COLOR_BTNSHADOW), RGB(255, 255, 255)}};
  for (const auto& line : lines) {
    InflateRect(&r, 1, 1);
    dc.Draw3dRect(&r, line[0], line[1]);
  }
  m_rcFrame = r;
}

CLabelStatic::CLabelStatic() {
  // A section left by labels that are all gone is opened afresh by the next
  // label; one still in use stays shared.
  if (LabelsUsers == 0 && LabelsSection != nullptr) {
    CloseSettingsSection(LabelsSection);
    LabelsSection = nullptr;
  }
}

int CLabelStatic::SubclassDlgItem(UINT labelId, CWnd* parent, UINT buddyId, const char* defaultCaption, char key) {
  if (!CEditLabel::SubclassDlgItem(labelId, parent, buddyId)) return 0;
  m_cKey = key;
  if (LabelsSection == nullptr) LabelsSection = OpenSettingsSection(SettingsFileName, "LABELS");
  char caption[256] = "";
  GetSettingText(LabelsSection, key, defaultCaption, caption);
  if (caption[0] != '\0') SetWindowText(caption);
  ++LabelsUsers;
  m_bCounted = true;
  return 1;
}

void CLabelStatic::OnDestroy() {
  if (m_bCounted) {
    CString text;
    GetWindowText(text);
    char stored[kStoredLimit + 1];
    std::snprintf(stored, sizeof stored, "%s", static_cast<LPCTSTR>(text));
    PutSettingText(LabelsSection, m_cKey, stored);
    m_bCounted = false;
    if (--LabelsUsers == 0) {
      CloseSettingsSection(LabelsSection);
      LabelsSection = nullptr;
    }
  }
  CEditLabel::OnDestroy();
}
