#include "grid/controls/GXCurrencyEdit.h"

#include <algorithm>
#include <cstring>

#include "grid/controls/GXPopupCalculator.h"
#include "grid/core/GXAppData.h"
#include "platform/base/Kernel.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"
#include "platform/menus/Menu.h"
#include "platform/window/Clipboard.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

constexpr const char* kClassName = "CGXBCurrencyEdit";

bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

// The font selected for as long as the object lives.
class FontScope {
 public:
  FontScope(CDC& dc, HFONT font) : dc_(dc) {
    if (font != nullptr) old_ = dc.SelectObject(font);
  }
  ~FontScope() {
    if (old_ != nullptr) dc_.SelectObject(old_);
  }

 private:
  CDC& dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

BOOL CGXBCurrencyEdit::RegisterClass() {
  WNDCLASS wc{};
  if (::GetClassInfo(AfxGetInstanceHandle(), kClassName, &wc)) return TRUE;
  wc = WNDCLASS{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursor(nullptr, IDC_IBEAM);
  wc.lpszClassName = kClassName;
  return ::RegisterClass(&wc) != 0;
}

BOOL CGXBCurrencyEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!RegisterClass()) return FALSE;
  return CWnd::Create(kClassName, "", style, rect, parent, id);
}

int CGXBCurrencyEdit::OnCreate(LPCREATESTRUCT cs) {
  const int result = CGXBDropEdit::OnCreate(cs);
  text_.m_bReadOnly = (cs->style & ES_READONLY) != 0;
  SyncWindowText();
  return result;
}

// ---- Value, format, text ----------------------------------------------------

void CGXBCurrencyEdit::SyncWindowText() {
  if (m_hWnd == nullptr) return;
  CString shown;
  GetWindowText(shown);
  if (shown != text_.GetText()) SetTextNoParse(text_.GetText());
}

void CGXBCurrencyEdit::SetTextNoParse(const CString& text) {
  if (text != text_.GetText()) text_.SetTextNoParse(text);
  if (m_hWnd == nullptr) return;
  const BOOL old = parse_;
  parse_ = FALSE;
  SetWindowText(text);
  parse_ = old;
}

void CGXBCurrencyEdit::SetValueEx(double magnitude, BOOL negative, BOOL redraw) {
  if (!text_.SetValueEx(magnitude, negative)) return;
  if (m_hWnd == nullptr) return;
  SyncWindowText();
  if (redraw) Invalidate(FALSE);
}

void CGXBCurrencyEdit::SetFormat(const Format& format) {
  if (!text_.SetFormat(format)) return;
  if (m_hWnd == nullptr) return;
  SyncWindowText();
  PlaceCaret();
  Invalidate(FALSE);
}

void CGXBCurrencyEdit::SetAlignment(int alignment) {
  static constexpr DWORD kStyles[] = {ES_LEFT, ES_CENTER, ES_RIGHT};
  if (m_hWnd == nullptr || alignment < 0 || alignment > 2) return;
  ModifyStyle(ES_CENTER | ES_RIGHT, kStyles[alignment]);
  Invalidate(FALSE);
}

int CGXBCurrencyEdit::GetAlignment() const {
  if (m_hWnd == nullptr) return 0;
  const DWORD style = GetStyle();
  if (style & ES_RIGHT) return 2;
  if (style & ES_CENTER) return 1;
  return 0;
}

BOOL CGXBCurrencyEdit::IsReadOnly() const { return m_hWnd != nullptr ? (GetStyle() & ES_READONLY) != 0 : text_.m_bReadOnly; }

void CGXBCurrencyEdit::SetReadOnly(BOOL on) {
  text_.m_bReadOnly = on;
  if (m_hWnd == nullptr) return;
  ModifyStyle(on ? 0 : ES_READONLY, on ? ES_READONLY : 0);
  Invalidate(FALSE);
}

BOOL CGXBCurrencyEdit::SetSel(int start, int end) {
  if (!text_.SetSel(start, end)) return FALSE;
  PlaceCaret();
  if (m_hWnd != nullptr) Invalidate(FALSE);
  return TRUE;
}

void CGXBCurrencyEdit::NotifyParent(UINT code) {
  if (m_hWnd == nullptr) return;
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXBCurrencyEdit::Apply(const CGXBCurrencyText::Change& change) {
  if (m_hWnd == nullptr) return;
  const HWND self = m_hWnd;
  if (change.textChanged) {
    ::SendMessage(self, WM_SETREDRAW, FALSE, 0);
    SyncWindowText();
    ::SendMessage(self, WM_SETREDRAW, TRUE, 0);
    NotifyParent(EN_UPDATE);
  } else {
    SyncWindowText();
  }
  if (!::IsWindow(self)) return;
  PlaceCaret();
  if (change.redraw || change.textChanged) Invalidate(FALSE);
  if (change.textChanged) NotifyParent(EN_CHANGE);
}

// ---- Commands ---------------------------------------------------------------

BOOL CGXBCurrencyEdit::IsCommandEnabled(UINT id) const {
  const BOOL readOnly = IsReadOnly();
  const BOOL text = !text_.GetText().IsEmpty();
  const BOOL selection = text_.HasSelection();
  switch (id) {
    case kUndo: return text_.CanUndo() && !readOnly;
    case kCut:
    case kDelete: return text && selection && !readOnly;
    case kCopy: return text && selection;
    case kPaste: {
      if (readOnly || !::IsClipboardFormatAvailable(CF_TEXT)) return FALSE;
      if (!::OpenClipboard(m_hWnd)) return FALSE;
      CString clip;
      if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        if (auto* p = static_cast<const char*>(::GlobalLock(h))) clip = p;
        ::GlobalUnlock(h);
      }
      ::CloseClipboard();
      double value = 0;
      BOOL negative = FALSE;
      return text_.GetFormat().ParseValue(clip, value, negative);
    }
    case kSelectAll: return text;
    default: return FALSE;
  }
}

void CGXBCurrencyEdit::OnEditUndo() {
  if (IsReadOnly() || !text_.CanUndo()) return;
  Apply(text_.Undo());
}

void CGXBCurrencyEdit::OnEditCopy() {
  const CString selected = text_.GetSelText();
  if (selected.IsEmpty() || !::OpenClipboard(m_hWnd)) return;
  ::EmptyClipboard();
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, static_cast<SIZE_T>(selected.GetLength() + 1));
  if (mem != nullptr) {
    if (auto* p = static_cast<char*>(::GlobalLock(mem))) std::memcpy(p, static_cast<LPCTSTR>(selected), static_cast<size_t>(selected.GetLength()));
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_TEXT, mem);
  }
  ::CloseClipboard();
}

void CGXBCurrencyEdit::OnEditCut() {
  if (IsReadOnly() || !text_.HasSelection()) return;
  OnEditCopy();
  DeleteChar();
}

void CGXBCurrencyEdit::OnEditPaste() {
  if (!IsCommandEnabled(kPaste) || !::OpenClipboard(m_hWnd)) return;
  CString clip;
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    if (auto* p = static_cast<const char*>(::GlobalLock(h))) clip = p;
    ::GlobalUnlock(h);
  }
  ::CloseClipboard();
  text_.m_bShiftIn = m_bShiftIn;
  if (FilterPasteText(clip)) InsertText(clip);
}

void CGXBCurrencyEdit::OnEditDelete() {
  if (IsReadOnly()) return;
  Apply(text_.DeleteCommand());
  if (m_hWnd != nullptr && ::GetFocus() == m_hWnd) {
    text_.SetCaret(0);
    PlaceCaret();
  }
}

CMenu* CGXBCurrencyEdit::CreateContextMenu() {
  auto* menu = new CMenu;
  if (!menu->CreatePopupMenu()) {
    delete menu;
    return nullptr;
  }
  auto add = [&](UINT id, const char* text) {
    menu->AppendMenu(MF_STRING | (IsCommandEnabled(id) ? 0 : MF_GRAYED), id, text);
  };
  add(kUndo, "&Undo\tCtrl+Z");
  menu->AppendMenu(MF_SEPARATOR);
  add(kCut, "Cu&t\tCtrl+X");
  add(kCopy, "&Copy\tCtrl+C");
  add(kPaste, "&Paste\tCtrl+V");
  add(kDelete, "&Delete\tDelete");
  menu->AppendMenu(MF_SEPARATOR);
  add(kSelectAll, "Select &All");
  return menu;
}

void CGXBCurrencyEdit::DestroyContextMenu(CMenu* menu) {
  if (menu == nullptr) return;
  menu->DestroyMenu();
  delete menu;
}

BOOL CGXBCurrencyEdit::ShowCalculator() {
  if (m_hWnd == nullptr) return FALSE;
  GXSetInDropDown(TRUE);
  auto* popup = new CGXBPopupCalculator;
  popup->m_bAutoDelete = TRUE;
  popup->SetValue(GetValue());
  CRect r;
  GetWindowRect(&r);
  if (!popup->CreatePopup(0x90000010, r, this)) {
    // The pop-up never existed: nothing else will delete it.
    delete popup;
    GXSetInDropDown(FALSE);
    return FALSE;
  }
  popup->SetOwner(this);
  popup->SetValue(GetValue());
  GXSetInDropDown(FALSE);
  return TRUE;
}

// ---- Messages ---------------------------------------------------------------

LRESULT CGXBCurrencyEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      if (!parse_) {
        const LRESULT r = CGXBDropEdit::WindowProc(message, wParam, lParam);
        text_.SetTextNoParse(reinterpret_cast<LPCTSTR>(lParam));
        if (painting_) Invalidate(FALSE);
        return r;
      }
      if (!text_.SetText(reinterpret_cast<LPCTSTR>(lParam))) return 0;
      SyncWindowText();
      Invalidate(FALSE);
      return 1;
    }
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (lParam) Invalidate(FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case EM_GETSEL: {
      const int start = text_.GetSelStart();
      const int end = text_.GetSelEnd();
      if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
      if (start >= 65535 || end >= 65535) return -1;
      return static_cast<LRESULT>(MAKELONG(start & 0xFFFF, end & 0xFFFF));
    }
    case EM_SETSEL: SetSel(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case EM_SETREADONLY:
      if ((wParam != 0) != (IsReadOnly() != FALSE)) SetReadOnly(wParam != 0);
      return 1;
    case EM_SETMARGINS: {
      if (wParam & EC_USEFONTINFO) {
        CClientDC dc(this);
        FontScope font(dc, font_);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        leftMargin_ = rightMargin_ = tm.tmAveCharWidth;
      } else {
        if (wParam & EC_LEFTMARGIN) leftMargin_ = LOWORD(lParam);
        if (wParam & EC_RIGHTMARGIN) rightMargin_ = HIWORD(lParam);
      }
      Invalidate(FALSE);
      return 0;
    }
    case EM_CANUNDO: return text_.CanUndo();
    case EM_EMPTYUNDOBUFFER: text_.EmptyUndo(); return 0;
    case EM_UNDO:
    case WM_UNDO: OnEditUndo(); return 1;
    case WM_COPY: OnEditCopy(); return 0;
    case WM_CUT: OnEditCut(); return 0;
    case WM_PASTE: OnEditPaste(); return 0;
    case WM_SETREDRAW: painting_ = wParam != 0; return 0;
    case WM_COMMAND:
      if (lParam == 0) {
        switch (LOWORD(wParam)) {
          case kUndo: OnEditUndo(); return 0;
          case kCut: OnEditCut(); return 0;
          case kCopy: OnEditCopy(); return 0;
          case kPaste: OnEditPaste(); return 0;
          case kDelete: OnEditDelete(); return 0;
          case kSelectAll: SetSel(0, -1); return 0;
          default: break;
        }
      }
      break;
    default: break;
  }
  return CGXBDropEdit::WindowProc(message, wParam, lParam);
}

void CGXBCurrencyEdit::OnSetFocus(CWnd* oldWnd) {
  CGXBDropEdit::OnSetFocus(oldWnd);
  CreateEditCaret(text_.GetCaret());
  SetSel(0, -1);
  NotifyParent(EN_SETFOCUS);
}

void CGXBCurrencyEdit::OnKillFocus(CWnd* newWnd) {
  CGXBDropEdit::OnKillFocus(newWnd);
  text_.ClearSelection();
  DestroyEditCaret();
  if (m_hWnd != nullptr) Invalidate(FALSE);
  NotifyParent(EN_KILLFOCUS);
}

void CGXBCurrencyEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  const bool shift = KeyDown(VK_SHIFT);
  const bool ctrl = KeyDown(VK_CONTROL);
  switch (key) {
    case VK_BACK: Backspace(); break;
    case VK_DELETE:
      if (shift) {
        PostMessage(WM_CUT);
      } else {
        DeleteChar();
      }
      break;
    case VK_HOME: SetCaretPos(0, TRUE); break;
    case VK_END: SetCaretPos(text_.GetText().GetLength(), TRUE); break;
    case VK_LEFT: SetCaretPos(text_.GetCaret() - 1, TRUE); break;
    case VK_RIGHT: SetCaretPos(text_.GetCaret() + 1, TRUE); break;
    case VK_INSERT:
      if (ctrl) {
        PostMessage(WM_COPY);
      } else if (shift) {
        PostMessage(WM_PASTE);
      } else {
        ToggleOverwrite();
      }
      break;
    case 'C':
      if (ctrl) PostMessage(WM_COPY);
      break;
    case 'V':
      if (ctrl) PostMessage(WM_PASTE);
      break;
    case 'X':
      if (ctrl) PostMessage(WM_CUT);
      break;
    case 'Z':
      if (ctrl) PostMessage(WM_UNDO);
      break;
    case VK_F2:
      if (HasButton()) ShowCalculator();
      break;
    default: break;
  }
  if (m_hWnd != nullptr) CGXBDropEdit::OnKeyDown(key, repeat, flags);
}

void CGXBCurrencyEdit::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_F10 && KeyDown(VK_SHIFT)) {
    CRect r;
    GetClientRect(&r);
    PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(r.Width() / 2, r.Height() / 2));
  } else if (key == VK_BACK) {
    PostMessage(WM_UNDO);
  }
  CGXBDropEdit::OnSysKeyDown(key, repeat, flags);
}

void CGXBCurrencyEdit::OnChar(UINT ch, UINT, UINT) {
  const char c = static_cast<char>(ch);
  const bool decimal = c != 0 && c == text_.GetFormat().m_cDecimalSep;
  if (!decimal && c != '-' && !(c >= '0' && c <= '9')) return;
  text_.m_bShiftIn = m_bShiftIn;
  Apply(text_.OnChar(c));
}

int CGXBCurrencyEdit::CharFromPoint(CPoint point) {
  const CRect r = GetTextRect();
  CClientDC dc(this);
  FontScope font(dc, font_);
  const CString& text = text_.GetText();
  for (int i = 0; i < text.GetLength(); ++i) {
    const int left = dc.GetTextExtent(text, i).cx;
    const int right = dc.GetTextExtent(text, i + 1).cx;
    if (r.left + (left + right) / 2 > point.x) return i;
  }
  return text.GetLength();
}

void CGXBCurrencyEdit::OnLButtonDown(UINT flags, CPoint point) {
  if (IsButtonCaptured()) return;
  if (::GetFocus() != m_hWnd) {
    painting_ = FALSE;
    SetFocus();
    painting_ = TRUE;
  }
  text_.ClearSelection();
  SetCaretPos(CharFromPoint(point), FALSE);
  anchor_ = text_.GetCaret();
  mouseSelecting_ = TRUE;
  SetCapture();
  Invalidate(FALSE);
  (void)flags;
}

void CGXBCurrencyEdit::OnMouseMove(UINT flags, CPoint point) {
  if (mouseSelecting_) SetCaretPos(CharFromPoint(point), TRUE);
  CGXBDropEdit::OnMouseMove(flags, point);
}

void CGXBCurrencyEdit::OnLButtonUp(UINT flags, CPoint point) {
  if (!mouseSelecting_) {
    CGXBDropEdit::OnLButtonUp(flags, point);
    return;
  }
  mouseSelecting_ = FALSE;
  ::ReleaseCapture();
  int start = 0;
  int end = 0;
  if (!text_.HasSelection() && text_.GetFormat().FindNumberBounds(text_.GetText(), start, end) &&
      (text_.GetCaret() < start || text_.GetCaret() > end + 1))
    SetSel(0, -1);
}

void CGXBCurrencyEdit::OnLButtonDblClk(UINT, CPoint) { SetSel(0, -1); }

void CGXBCurrencyEdit::OnRButtonUp(UINT, CPoint point) {
  CMenu* menu = CreateContextMenu();
  if (menu == nullptr) return;
  ClientToScreen(&point);
  const UINT id = static_cast<UINT>(menu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, point.x, point.y, this));
  const HWND self = m_hWnd;
  DestroyContextMenu(menu);
  if (id != 0 && ::IsWindow(self)) SendMessage(WM_COMMAND, id, 0);
}

// ---- Caret ------------------------------------------------------------------

void CGXBCurrencyEdit::SetCaretPos(int position, BOOL select) {
  const int len = text_.GetText().GetLength();
  const bool extending = select && (KeyDown(VK_SHIFT) || mouseSelecting_);
  if (position < 0 || position > len) {
    if (select && !extending) {
      text_.ClearSelection();
      Invalidate(FALSE);
    }
    return;
  }
  if (select) {
    if (extending) {
      if (!text_.HasSelection() || text_.IsSelectAll()) anchor_ = text_.IsSelectAll() ? 0 : text_.GetCaret();
      text_.SetSel(anchor_, position);
    } else {
      text_.ClearSelection();
    }
    if (m_hWnd != nullptr) Invalidate(FALSE);
  }
  text_.SetCaret(position);
  PlaceCaret();
}

CRect CGXBCurrencyEdit::GetTextRect() {
  CRect r;
  GetClientRect(&r);
  r.left += leftMargin_;
  r.right -= rightMargin_;
  CClientDC dc(this);
  FontScope font(dc, font_);
  const CSize size = dc.GetTextExtent(text_.GetText());
  r.top = ::GetSystemMetrics(SM_CYBORDER);
  r.bottom = r.top + size.cy;
  const int border = ::GetSystemMetrics(SM_CXBORDER);
  switch (GetAlignment()) {
    case 1: r.left = r.left + (r.Width() - size.cx) / 2; break;
    case 2: r.left = r.right - size.cx - border; break;
    default: r.left += border; break;
  }
  r.right = r.left + size.cx;
  return r;
}

void CGXBCurrencyEdit::PlaceCaret() {
  if (m_hWnd == nullptr || ::GetFocus() != m_hWnd) return;
  const CRect r = GetTextRect();
  CClientDC dc(this);
  FontScope font(dc, font_);
  const int x = r.left + dc.GetTextExtent(text_.GetText(), text_.GetCaret()).cx;
  ::SetCaretPos(x, r.top);
}

void CGXBCurrencyEdit::CreateEditCaret(int position) {
  CClientDC dc(this);
  FontScope font(dc, font_);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  ::CreateCaret(m_hWnd, nullptr, ::GetSystemMetrics(SM_CXBORDER), tm.tmHeight);
  text_.SetCaret(position);
  PlaceCaret();
  ::ShowCaret(m_hWnd);
}

void CGXBCurrencyEdit::DestroyEditCaret() { ::DestroyCaret(); }

// ---- Painting ---------------------------------------------------------------

void CGXBCurrencyEdit::EraseBackground(CDC* dc) {
  CRect r;
  GetClientRect(&r);
  r.InflateRect(1, 1);
  COLORREF back = 0;
  if (!IsWindowEnabled()) {
    back = GXGetSysColor(COLOR_BTNFACE);
  } else if (!text_.GetFormat().GetBackgroundColor(back)) {
    back = GXGetSysColor(IsReadOnly() ? COLOR_BTNFACE : COLOR_WINDOW);
  }
  dc->FillSolidRect(&r, back);
}

void CGXBCurrencyEdit::DrawSeparatorLine(CDC* dc, int x) {
  CRect r;
  GetClientRect(&r);
  const COLORREF color = IsReadOnly() ? GXGetSysColor(COLOR_BTNSHADOW) : text_.GetFormat().m_clrSeparatorLine;
  dc->FillSolidRect(x, r.top, 1, r.Height(), color);
}

void CGXBCurrencyEdit::OnPaint() {
  CPaintDC paint(this);
  if (!painting_) return;
  CRect client;
  GetClientRect(&client);
  CDC mem;
  CBitmap bitmap;
  if (mem.CreateCompatibleDC(&paint) && bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height())) {
    CBitmap* old = mem.SelectObject(&bitmap);
    PaintContents(&mem);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
  } else {
    PaintContents(&paint);
  }
}

void CGXBCurrencyEdit::PaintContents(CDC* dc) {
  EraseBackground(dc);
  FontScope font(*dc, font_);
  COLORREF color = GXGetSysColor(COLOR_WINDOWTEXT);
  const Format& format = text_.GetFormat();
  if (IsWindowEnabled()) {
    COLORREF own = 0;
    if (text_.IsNegative() ? format.GetNegativeColor(own) : format.GetPositiveColor(own)) color = own;
  } else {
    color = GetExStyle() != 0 ? GXGetSysColor(COLOR_BTNSHADOW) : GXGetSysColor(COLOR_GRAYTEXT);
  }
  dc->SetTextColor(color);
  dc->SetBkMode(TRANSPARENT);
  CString text = text_.GetText();
  const CRect r = GetTextRect();
  const int dp = format.FindDecimalSeparator(text);
  const bool line = format.m_bSeparatorLine && dp >= 0;
  if (line) text.SetAt(dp, ' ');
  CRect out = r;
  out.right = std::max(out.right, out.left + 1);
  if (!text_.HasSelection()) {
    dc->DrawText(text, &out, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  } else {
    int from = 0;
    int to = 0;
    text_.GetSelRange(from, to);
    const int x1 = r.left + dc->GetTextExtent(text, from).cx;
    const int x2 = r.left + dc->GetTextExtent(text, to).cx;
    dc->TextOut(r.left, r.top, text.Left(from));
    dc->TextOut(x2, r.top, text.Mid(to));
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(GXGetSysColor(COLOR_HIGHLIGHT));
    dc->SetTextColor(GXGetSysColor(COLOR_HIGHLIGHTTEXT));
    dc->TextOut(x1, r.top, text.Mid(from, to - from));
    dc->SetBkMode(TRANSPARENT);
  }
  if (line) {
    const int left = r.left + dc->GetTextExtent(text, dp).cx;
    const int right = r.left + dc->GetTextExtent(text, dp + 1).cx;
    DrawSeparatorLine(dc, (left + right) / 2);
  }
}
