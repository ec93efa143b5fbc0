// CCheckListBox: check boxes drawn in an owner-drawn list box.
#include "platform/commctrl/CheckListBox.h"

#include <algorithm>

#include "platform/controls/CtlCommon.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {
constexpr int kBox = 13;
constexpr int kMargin = 2;
}  // namespace

BOOL CCheckListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_LISTBOX, nullptr, style, rect, parent, id);
}

BOOL CCheckListBox::PreCreateWindow(CREATESTRUCT& cs) {
  if (!(cs.style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) cs.style |= LBS_OWNERDRAWFIXED;
  cs.style |= LBS_HASSTRINGS;
  return CListBox::PreCreateWindow(cs);
}

int CCheckListBox::itemHeight() const {
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  return std::max(ctl::Measure(font ? font : ctl::DefaultFont()).height, kBox) + 2;
}

// A list made by a template was measured before it was ours.
void CCheckListBox::PreSubclassWindow() {
  CListBox::PreSubclassWindow();
  SetItemHeight(0, static_cast<UINT>(itemHeight()));
}

CCheckListBox::CheckData* CCheckListBox::dataOf(int index, bool make) const {
  LRESULT raw = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index));
  if (raw == LB_ERR) return nullptr;
  auto* d = reinterpret_cast<CheckData*>(raw);
  if (d || !make) return d;
  d = new CheckData;
  SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(d));
  return d;
}

void CCheckListBox::SetCheck(int index, int check) {
  if (CheckData* d = dataOf(index, true)) {
    d->check = std::clamp(check, 0, 2);
    RECT r;
    if (CListBox::GetItemRect(index, &r) != LB_ERR) InvalidateRect(&r, FALSE);
  }
}

int CCheckListBox::GetCheck(int index) const {
  if (index < 0 || index >= GetCount()) return -1;
  CheckData* d = dataOf(index, false);
  return d ? d->check : 0;
}

void CCheckListBox::Enable(int index, BOOL enabled) {
  if (CheckData* d = dataOf(index, true)) {
    d->enabled = enabled != FALSE;
    RECT r;
    if (CListBox::GetItemRect(index, &r) != LB_ERR) InvalidateRect(&r, FALSE);
  }
}

BOOL CCheckListBox::IsEnabled(int index) const {
  CheckData* d = dataOf(index, false);
  return !d || d->enabled;
}

DWORD_PTR CCheckListBox::GetItemData(int index) const {
  CheckData* d = dataOf(index, false);
  return d ? d->user : 0;
}

int CCheckListBox::SetItemData(int index, DWORD_PTR data) {
  CheckData* d = dataOf(index, true);
  if (!d) return LB_ERR;
  d->user = data;
  return 0;
}

CRect CCheckListBox::OnGetCheckPosition(CRect item, CRect) {
  int top = item.top + (item.Height() - kBox) / 2;
  return CRect(item.left + kMargin, top, item.left + kMargin + kBox, top + kBox);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT mi) { mi->itemHeight = static_cast<UINT>(itemHeight()); }

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT di) { delete reinterpret_cast<CheckData*>(di->itemData); }

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT di) {
  CDC* dc = CDC::FromHandle(di->hDC);
  CRect item(di->rcItem);
  if (static_cast<int>(di->itemID) < 0) {
    if (di->itemState & ODS_FOCUS) dc->DrawFocusRect(&item);
    return;
  }
  int index = static_cast<int>(di->itemID);
  CheckData* d = reinterpret_cast<CheckData*>(di->itemData);
  bool enabled = IsWindowEnabled() && (!d || d->enabled);
  CRect box = OnGetCheckPosition(item, CRect(0, 0, kBox, kBox));
  dc->FillSolidRect(&item, GetSysColor(COLOR_WINDOW));
  ctl::DrawCheckBox(dc, box, static_cast<UINT>(d ? d->check : 0), false, enabled);
  CRect text(box.right + kMargin, item.top, item.right, item.bottom);
  bool sel = (di->itemState & ODS_SELECTED) != 0;
  CString s;
  GetText(index, s);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  dc->SelectObject(font ? font : ctl::DefaultFont());
  CRect label = text;
  label.right = std::min<LONG>(text.right, text.left + dc->GetTextExtent(s).cx + 4);
  dc->FillSolidRect(&label, GetSysColor(sel ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(GetSysColor(!enabled ? COLOR_GRAYTEXT : sel ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  CRect t = label;
  t.left += 2;
  dc->DrawText(s, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (di->itemState & ODS_FOCUS) dc->DrawFocusRect(&label);
}

bool CCheckListBox::clickOnBox(CPoint point, int* index) {
  BOOL outside = TRUE;
  UINT i = ItemFromPoint(point, outside);
  if (outside || static_cast<int>(i) >= GetCount()) return false;
  CRect item;
  CListBox::GetItemRect(static_cast<int>(i), &item);
  CRect box = OnGetCheckPosition(item, CRect(0, 0, kBox, kBox));
  *index = static_cast<int>(i);
  return point.x >= item.left && point.x < box.right + kMargin;
}

// The next check by the check style; the parent hears of the change.
void CCheckListBox::toggle(int index) {
  if (!IsEnabled(index)) return;
  int check = GetCheck(index);
  int next;
  switch (checkStyle_) {
    case BS_AUTOCHECKBOX: next = check == 1 ? 0 : 1; break;
    case BS_AUTO3STATE: next = (check + 1) % 3; break;
    default: return;
  }
  SetCheck(index, next);
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT flags, CPoint point) {
  int index;
  bool onBox = clickOnBox(point, &index);
  HWND self = m_hWnd;
  CListBox::OnLButtonDown(flags, point);
  if (onBox && ::IsWindow(self)) toggle(index);
}

void CCheckListBox::OnLButtonDblClk(UINT flags, CPoint point) {
  int index;
  if (clickOnBox(point, &index)) toggle(index);
  else CListBox::OnLButtonDblClk(flags, point);
}

void CCheckListBox::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_SPACE) {
    int index = static_cast<int>(SendMessage(LB_GETCARETINDEX));
    if (index >= 0 && index < GetCount()) toggle(index);
    return;
  }
  CListBox::OnKeyDown(key, repeat, flags);
}
