// The framework's control wrappers: thin CWnd classes that send messages.
#include <map>
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/controls/CtlControls.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

// A point packed into an LPARAM as the controls' hit-test messages take it.
LPARAM pointParam(CPoint pt) { return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)); }

void storeResult(LRESULT* pResult, LRESULT r) {
  if (pResult) *pResult = r;
}

// Reflected WM_DRAWITEM to the control's own DrawItem; false for other messages.
template <class Ctl>
bool reflectDrawItem(Ctl& ctl, UINT message, LPARAM lParam) {
  if (message != WM_DRAWITEM) return false;
  ctl.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  return true;
}

// The owner-draw hooks of the item controls (list and combo boxes): drawing,
// measuring, comparing and deleting items. False for other messages.
template <class Ctl>
bool reflectItemHooks(Ctl& ctl, UINT message, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_DRAWITEM: ctl.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return true;
    case WM_MEASUREITEM: ctl.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); return true;
    case WM_COMPAREITEM:
      storeResult(pResult, ctl.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)));
      return true;
    case WM_DELETEITEM: ctl.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); return true;
    default: return false;
  }
}

// An item's text into a CString: `length` is the item's text length (< 0:
// no such item), `read` copies it into a buffer of length + 1.
template <class Read>
void readItemText(CString& text, int length, Read read) {
  if (length < 0) {
    text.Empty();
    return;
  }
  read(text.GetBuffer(length + 1));
  text.ReleaseBuffer(length);
}

}  // namespace

// ---- CEdit -----------------------------------------------------------------

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_EDIT, nullptr, style, rect, parent, id);
}

DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }

void CEdit::GetSel(int& start, int& end) const {
  DWORD a = 0, b = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  start = static_cast<int>(a);
  end = static_cast<int>(b);
}

int CEdit::GetLine(int line, LPTSTR buffer) const {
  // The buffer's first word tells its size; callers of this form size it
  // from LineLength.
  return GetLine(line, buffer, LineLength(LineIndex(line)));
}

int CEdit::GetLine(int line, LPTSTR buffer, int maxLength) const {
  if (!buffer || maxLength <= 0) return 0;
  if (maxLength < 2) {
    char tmp[2];
    WORD m = 2;
    std::memcpy(tmp, &m, sizeof m);
    int n = static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(tmp)));
    if (n > 0) buffer[0] = tmp[0];
    return std::min(n, 1);
  }
  WORD m = static_cast<WORD>(std::min(maxLength, 0xFFFF));
  std::memcpy(buffer, &m, sizeof m);
  return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
}

void CEdit::SetSel(DWORD selection, BOOL noScroll) {
  SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}

CPoint CEdit::PosFromChar(UINT index) const {
  LRESULT r = SendMessage(EM_POSFROMCHAR, index);
  return CPoint(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(r))),
                static_cast<short>(HIWORD(static_cast<std::uintptr_t>(r))));
}

int CEdit::CharFromPos(CPoint pt) const {
  return static_cast<int>(SendMessage(EM_CHARFROMPOS, 0, pointParam(pt)));
}

// ---- CButton ---------------------------------------------------------------

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_BUTTON, caption, style, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (reflectDrawItem(*this, message, lParam)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CStatic ---------------------------------------------------------------

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_STATIC, text, style, rect, parent, id);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (reflectDrawItem(*this, message, lParam)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CListBox --------------------------------------------------------------

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_LISTBOX, nullptr, style, rect, parent, id);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& outside) const {
  LRESULT r = SendMessage(LB_ITEMFROMPOINT, 0, pointParam(pt));
  outside = HIWORD(static_cast<std::uintptr_t>(r)) != 0;
  return LOWORD(static_cast<std::uintptr_t>(r));
}

void CListBox::GetText(int index, CString& text) const {
  readItemText(text, GetTextLen(index), [&](LPTSTR buffer) { GetText(index, buffer); });
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
int CListBox::VKeyToItem(UINT, UINT) { return -1; }
int CListBox::CharToItem(UINT, UINT) { return -1; }

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_VKEYTOITEM: storeResult(pResult, VKeyToItem(LOWORD(wParam), HIWORD(wParam))); return TRUE;
    case WM_CHARTOITEM: storeResult(pResult, CharToItem(LOWORD(wParam), HIWORD(wParam))); return TRUE;
    default:
      if (reflectItemHooks(*this, message, lParam, pResult)) return TRUE;
      return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
}

// ---- CComboBox -------------------------------------------------------------

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_COMBOBOX, nullptr, style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const {
  readItemText(text, GetLBTextLen(index), [&](LPTSTR buffer) { GetLBText(index, buffer); });
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (reflectItemHooks(*this, message, lParam, pResult)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CScrollBar ------------------------------------------------------------

namespace {
// Wrappers for scroll-bar controls that have no permanent object; each is
// dropped when its window is gone and the handle is asked for again.
std::map<HWND, std::unique_ptr<CScrollBar>> g_scrollWrappers;

void installScrollBarHook() {
  AfxScrollBarFromHandle = &ScrollBarFromHandle;
}
}  // namespace

CScrollBar* ScrollBarFromHandle(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  if (auto* sb = dynamic_cast<CScrollBar*>(CWnd::FromHandlePermanent(hwnd))) return sb;
  for (auto it = g_scrollWrappers.begin(); it != g_scrollWrappers.end();) {
    if (!IsWindow(it->first)) {
      it->second->m_hWnd = nullptr;
      it = g_scrollWrappers.erase(it);
    } else {
      ++it;
    }
  }
  auto& w = g_scrollWrappers[hwnd];
  if (!w) {
    w = std::make_unique<CScrollBar>();
    w->m_hWnd = hwnd;  // not attached: the window belongs to somebody else
  }
  return w.get();
}

CScrollBar::CScrollBar() { installScrollBarHook(); }

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_SCROLLBAR, nullptr, style, rect, parent, id);
}

int CScrollBar::GetScrollLimit() {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  if (!::GetScrollInfo(m_hWnd, SB_CTL, &si)) return 0;
  return si.nPage ? std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1) : si.nMax;
}

namespace ctl {
void InstallWrapperHooks() { installScrollBarHook(); }
}  // namespace ctl
