#include "grid/controls/GXCalculator.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "grid/core/GXAppData.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "platform/framework/CWinApp.h"
#include "platform/gfx/Dc.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/base/Kernel.h"
#include "platform/base/Locale.h"
#include "platform/framework/WindowDc.h"

namespace {

COLORREF Sys(int index) { return GXGetSysColor(index); }

// One ring inside `r`: top and left in `tl`, bottom and right in `br`; the
// rectangle shrinks by one on every side.
void Ring(CDC* dc, CRect& r, COLORREF tl, COLORREF br) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  dc->FillSolidRect(r.left, r.top, r.Width() - 1, 1, tl);
  dc->FillSolidRect(r.left, r.top, 1, r.Height() - 1, tl);
  dc->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, br);
  dc->FillSolidRect(r.right - 1, r.top, 1, r.Height(), br);
  r.DeflateRect(1, 1);
}

// The parent's font, or the stock system font, with another weight.
BOOL DerivedFont(CFont& out, CWnd* parent, LONG weight) {
  LOGFONT lf{};
  CFont* font = parent != nullptr && parent->m_hWnd != nullptr ? parent->GetFont() : nullptr;
  HGDIOBJ handle = font != nullptr ? font->m_hObject : ::GetStockObject(SYSTEM_FONT);
  if (handle == nullptr || ::GetObject(handle, sizeof lf, &lf) == 0) return FALSE;
  lf.lfWeight = weight;
  out.DeleteObject();
  return out.CreateFontIndirect(&lf);
}

// A DC for measuring before any window exists.
class MeasureDC : public CDC {
 public:
  explicit MeasureDC(CFont* font) {
    CreateCompatibleDC(nullptr);
    if (font != nullptr && font->m_hObject != nullptr) old_ = SelectObject(font);
  }
  ~MeasureDC() override {
    if (old_ != nullptr) SelectObject(old_);
  }

 private:
  CFont* old_ = nullptr;
};

}  // namespace

CSize GXDialogUnitsToPixels(CFont* font, CSize units) {
  MeasureDC dc(font);
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  int avgWidth = 0, height = 0;
  if (font != nullptr && font->m_hObject != nullptr) {
    avgWidth = (dc.GetTextExtent(kAlphabet, 52).cx + 26) / 52;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    height = tm.tmHeight + tm.tmExternalLeading;
  } else {
    const LONG base = ::GetDialogBaseUnits();
    avgWidth = LOWORD(base);
    height = HIWORD(base);
  }
  return CSize(MulDiv(units.cx, avgWidth, 4), MulDiv(units.cy, height, 8));
}

// ------------------------------------------------------------------- keys

CGXBCalcBtn& CGXBCalcBtn::SetButton(const CGXBCalcBtnAttributes& lk, int cmd, LPCTSTR text, LPCTSTR keyChars, int w,
                                    BOOL newRow) {
  look = lk;
  id = cmd;
  label = text;
  keys = keyChars;
  keys.MakeLower();
  width = w;
  flags = newRow ? (flags | kNewRow) : (flags & ~kNewRow);
  return *this;
}

CGXBCalcBtn& CGXBCalcBtn::SetButton(const CGXBCalcBtnAttributes& lk, int cmd, LPCTSTR text, char key, int w,
                                    BOOL newRow) {
  const char k[2] = {key, '\0'};
  return SetButton(lk, cmd, text, k, w, newRow);
}

void CGXBCalcBtn::Draw(CDC* dc) {
  CRect r = rect;
  Ring(dc, r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
  Ring(dc, r, Sys(COLOR_WINDOWFRAME), Sys(COLOR_WINDOWFRAME));
  if (IsPressed()) {
    Ring(dc, r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
    dc->FillSolidRect(&r, Sys(COLOR_BTNFACE));
    r.OffsetRect(2, 2);
  } else {
    Ring(dc, r, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    Ring(dc, r, Sys(COLOR_3DLIGHT), Sys(COLOR_BTNSHADOW));
    dc->FillSolidRect(&r, Sys(COLOR_BTNFACE));
  }
  const int saved = dc->SaveDC();
  dc->IntersectClipRect(&rect);
  CRect textRect = r;
  if (look.picture != nullptr && *look.picture != nullptr) {
    BITMAP bm{};
    ::GetObject(*look.picture, sizeof bm, &bm);
    const int x = label.IsEmpty() ? r.left + (r.Width() - bm.bmWidth) / 2 : r.left + 5;
    const int y = r.top + (r.Height() - bm.bmHeight) / 2;
    CDC mem;
    if (mem.CreateCompatibleDC(dc)) {
      CBitmap* old = mem.SelectObject(CBitmap::FromHandle(*look.picture));
      dc->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
      mem.SelectObject(old);
    }
    textRect.left = x + bm.bmWidth;
  }
  if (!label.IsEmpty()) {
    CFont* oldFont = look.font ? dc->SelectObject(CFont::FromHandle(look.font)) : nullptr;
    dc->SetTextColor(look.textColor);
    dc->SetBkColor(Sys(COLOR_BTNFACE));
    dc->SetBkMode(OPAQUE);
    dc->DrawText(label, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont) dc->SelectObject(oldFont);
  }
  dc->RestoreDC(saved);
}

// -------------------------------------------------------------- calculator

CGXBCalculator::CGXBCalculator() = default;

CGXBCalculator::~CGXBCalculator() {
  if (picture_ != nullptr) ::DeleteObject(picture_);
  buttons_.clear();
}

CString CGXBCalculator::GetDecimalSeparator() {
  char buf[2] = {};
  if (::GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) <= 0 || buf[0] == '\0') return ".";
  return CString(buf, 1);
}

void CGXBCalculator::LoadPicture() {
  CBitmap bitmap;
  if (!GXLoadResourceBitmap(bitmap, 20037)) return;
  if (picture_ != nullptr) ::DeleteObject(picture_);
  picture_ = static_cast<HBITMAP>(bitmap.Detach());
}

BOOL CGXBCalculator::CreateButtons(CWnd* parent) {
  if (!DerivedFont(keyFont_, parent, FW_BOLD)) return FALSE;
  const CSize key = GXDialogUnitsToPixels(&keyFont_, CSize(16, 14));
  keyWidth_ = key.cx;
  keyHeight_ = key.cy;
  const HFONT font = static_cast<HFONT>(keyFont_.m_hObject);
  const CGXBCalcBtnAttributes op{font, nullptr, RGB(0, 0, 128), 0};
  const CGXBCalcBtnAttributes digit{font, nullptr, RGB(128, 0, 0), 0};
  const CGXBCalcBtnAttributes enter{font, &picture_, RGB(0, 0, 0), 0};
  auto add = [this]() -> CGXBCalcBtn& { return *buttons_.emplace_back(std::make_unique<CGXBCalcBtn>()); };
  add().SetButton(op, kClear, "C", "c", 1, TRUE);
  add().SetButton(op, kClearEntry, "CE", "e", 1, FALSE);
  add().SetButton(op, kBackspace, "<-", '\b', 1, FALSE).SetVirtualKey(VK_DELETE);
  add().SetButton(op, kPercent, "%", 1, FALSE);
  add().SetButton(digit, 16, "7", 1, TRUE);
  add().SetButton(digit, 17, "8", 1, FALSE);
  add().SetButton(digit, 18, "9", 1, FALSE);
  add().SetButton(op, kDivide, "/", 1, FALSE);
  add().SetButton(digit, 13, "4", 1, TRUE);
  add().SetButton(digit, 14, "5", 1, FALSE);
  add().SetButton(digit, 15, "6", 1, FALSE);
  add().SetButton(op, kMultiply, "*", 1, FALSE);
  add().SetButton(digit, 10, "1", 1, TRUE);
  add().SetButton(digit, 11, "2", 1, FALSE);
  add().SetButton(digit, 12, "3", 1, FALSE);
  add().SetButton(op, kSubtract, "-", 1, FALSE);
  add().SetButton(digit, 9, "0", 2, TRUE);
  add().SetButton(digit, kSeparator, separator_, 1, FALSE);
  add().SetButton(op, kAdd, "+", 1, FALSE);
  CString enterText = GXGetString(20124);
  if (enterText.IsEmpty()) enterText = "Enter";
  add().SetButton(enter, kEquals, enterText, "=", 4, TRUE).SetVirtualKey(VK_RETURN);
  LoadPicture();
  return TRUE;
}

BOOL CGXBCalculator::CreateDisplayFont(CWnd* parent) {
  if (!DerivedFont(displayFont_, parent, FW_NORMAL)) return FALSE;
  MeasureDC dc(&displayFont_);
  CRect t(0, 0, 0, 0);
  dc.DrawText("T", 1, &t, DT_CALCRECT | DT_SINGLELINE);
  display_.SetRectEmpty();
  display_.bottom = t.Height() + 4;
  return TRUE;
}

void CGXBCalculator::CalcLayout(DWORD style) {
  const int displayHeight = display_.Height();
  const int top = (style & kStyleTopLine) ? 2 * topMargin_ + 6 : topMargin_;
  display_.SetRect(leftMargin_, top, leftMargin_, top + displayHeight);
  int x = leftMargin_;
  int y = display_.bottom + rowGap_;
  int widest = 0, lowest = y;
  bool first = true;
  for (auto& b : buttons_) {
    if ((b->flags & CGXBCalcBtn::kNewRow) && !first) {
      x = leftMargin_;
      y += keyHeight_ + rowGap_;
    } else if (!first) {
      x += keyGap_;
    }
    first = false;
    b->rect.SetRect(x, y, x + b->width * keyWidth_, y + keyHeight_);
    x = b->rect.right;
    widest = std::max(widest, static_cast<int>(b->rect.right) - leftMargin_);
    lowest = std::max(lowest, static_cast<int>(b->rect.bottom));
  }
  display_.right = display_.left + widest;
  clientSize_ = CSize(widest + leftMargin_, lowest + topMargin_);
  CalcDisplayCapacity();
}

void CGXBCalculator::CalcDisplayCapacity() {
  MeasureDC dc(&displayFont_);
  const int zero = std::max(1, static_cast<int>(dc.GetTextExtent("0", 1).cx));
  const int sep = dc.GetTextExtent(separator_, separator_.GetLength()).cx;
  capacity_ = (display_.Width() - sep - 4) / zero - 1;
  decimals_ = std::min(decimals_, capacity_);
}

void CGXBCalculator::PrepareLayout(CWnd* parent, DWORD style) {
  if (separator_.IsEmpty()) separator_ = GetDecimalSeparator();
  if (buttons_.empty()) CreateButtons(parent);
  if (displayFont_.m_hObject == nullptr) CreateDisplayFont(parent);
  CalcLayout(style);
}

BOOL CGXBCalculator::Create(DWORD exStyle, DWORD style, int x, int y, CWnd* parent, UINT id, void* param) {
  if (separator_.IsEmpty()) separator_ = GetDecimalSeparator();
  GXGetSysColorCache().Refresh();
  Reset();
  PrepareLayout(parent, style);
  if (style & kStyleRaisedFrame) {
    style &= ~static_cast<DWORD>(WS_BORDER);
    exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
  }
  CRect r(0, 0, clientSize_.cx, clientSize_.cy);
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  if (style & kStyleRaisedFrame) r.InflateRect(2, 2);
  style_ = style;

  CString className;
  className.Format("GXBCalculator:%x", GetClassStyle());
  WNDCLASS wc{};
  if (!::GetClassInfo(AfxGetInstanceHandle(), className, &wc)) {
    wc = WNDCLASS{};
    wc.style = GetClassStyle();
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    ::RegisterClass(&wc);
  }
  if (!CreateEx(exStyle, className, "", style, x, y, r.Width(), r.Height(), parent ? parent->m_hWnd : nullptr,
                reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), param))
    return FALSE;
  // A value given before the layout existed is formatted again for the
  // display it now has.
  if (flags_ & kPreset) FormatValue();
  flags_ &= ~kPreset;
  return TRUE;
}

void CGXBCalculator::SetValue(double value) {
  Reset();
  accumulator_ = value;
  if (m_hWnd == nullptr) flags_ |= kPreset;
  FormatValue();
}

void CGXBCalculator::Reset() {
  if (m_hWnd != nullptr || !(flags_ & kPreset)) {
    accumulator_ = 0;
    entry_.Empty();
  }
  flags_ &= ~kError;
  pending_ = 0;
  newEntry_ = TRUE;
  RedrawDisplay();
}

int CGXBCalculator::HandleCommand(int id) {
  using Handler = int (CGXBCalculator::*)(int);
  struct Entry {
    int first, last;
    Handler handler;
  };
  static constexpr Entry kTable[] = {
      {kDigit0, kDigit9, &CGXBCalculator::OnDigit},     {kSeparator, kSeparator, &CGXBCalculator::OnDecimalSeparator},
      {kBackspace, kBackspace, &CGXBCalculator::OnBackspace}, {kMultiply, kEquals, &CGXBCalculator::OnOperator},
      {kClear, kClear, &CGXBCalculator::OnClear},        {kClearEntry, kClearEntry, &CGXBCalculator::OnClearEntry},
  };
  for (const Entry& e : kTable)
    if (id >= e.first && id <= e.last) return (this->*e.handler)(id);
  return 0;
}

void CGXBCalculator::Beep() { ::MessageBeep(static_cast<UINT>(-1)); }

void CGXBCalculator::RedrawDisplay() {
  if (m_hWnd != nullptr) InvalidateRect(&display_, FALSE);
}

void CGXBCalculator::RedrawButton(int index) {
  if (m_hWnd == nullptr || index < 0 || index >= static_cast<int>(buttons_.size())) return;
  InvalidateRect(&buttons_[static_cast<std::size_t>(index)]->rect, FALSE);
  UpdateWindow();
}

CGXBCalculator::NumberParts CGXBCalculator::SplitNumber(const CString& text) const {
  const CString s = text.Left(1) == "-" ? text.Mid(1) : text;
  NumberParts parts;
  parts.separator = s.Find(separator_);
  parts.integerDigits = parts.separator < 0 ? s.GetLength() : parts.separator;
  parts.fractionDigits = parts.separator < 0 ? 0 : s.GetLength() - parts.separator - separator_.GetLength();
  parts.leadingZero = s.Left(1) == "0";
  return parts;
}

BOOL CGXBCalculator::RefusedInError() {
  if (!IsError()) return FALSE;
  Beep();
  return TRUE;
}

void CGXBCalculator::StartEntry() {
  if (!newEntry_) return;
  entry_.Empty();
  newEntry_ = FALSE;
}

int CGXBCalculator::OnDigit(int id) {
  if (RefusedInError()) return 0;
  StartEntry();
  const int digit = id - kDigit0;
  if (digit == 0 && entry_.IsEmpty()) {
    RedrawDisplay();
    return 1;
  }
  const NumberParts parts = SplitNumber(entry_);
  const int sep = parts.separator, intLen = parts.integerDigits, fracLen = parts.fractionDigits;
  const int limit = std::min(capacity_, parts.leadingZero ? 16 : 15);
  if ((sep >= 0 && fracLen >= decimals_) || (sep < 0 && intLen >= 13) || intLen + fracLen >= limit) {
    Beep();
    return 1;
  }
  entry_ += static_cast<char>('0' + digit);
  RedrawDisplay();
  return 1;
}

int CGXBCalculator::OnDecimalSeparator(int) {
  if (RefusedInError()) return 0;
  StartEntry();
  if (entry_.Find(separator_) >= 0) return 0;
  if (entry_.IsEmpty()) entry_ = "0";
  entry_ += separator_;
  RedrawDisplay();
  return 1;
}

int CGXBCalculator::OnBackspace(int) {
  if (RefusedInError()) return 0;
  if (newEntry_ || entry_.IsEmpty()) return 0;
  entry_ = entry_.Left(entry_.GetLength() - 1);
  RedrawDisplay();
  return 1;
}

int CGXBCalculator::OnClear(int) {
  Reset();
  return 1;
}

int CGXBCalculator::OnClearEntry(int id) {
  if (IsError()) return OnClear(id);
  entry_.Empty();
  newEntry_ = TRUE;
  RedrawDisplay();
  return 1;
}

int CGXBCalculator::OnOperator(int id) {
  if (RefusedInError()) return 0;
  double operand = 0;
  if (!entry_.IsEmpty()) {
    CString text = entry_;
    text.Replace(separator_, ".");
    if (std::sscanf(text, "%lf", &operand) != 1) return 0;
  }
  double result = 0;
  bool error = false;
  if (id == kPercent) {
    // The percentage of the accumulator stands in for the result.
    result = (pending_ == kMultiply || pending_ == kDivide) ? operand * accumulator_ * 0.01 : 0;
  } else {
    switch (pending_) {
      case kMultiply: result = operand * accumulator_; break;
      case kAdd: result = operand + accumulator_; break;
      case kSubtract: result = accumulator_ - operand; break;
      case kDivide:
        if (operand == 0) {
          error = true;
        } else {
          result = accumulator_ / operand;
        }
        break;
      default: result = operand; break;
    }
  }
  if (error) {
    flags_ |= kError;
  } else {
    newEntry_ = TRUE;
    accumulator_ = result;
    pending_ = (id == kEquals || id == kPercent) ? 0 : id;
    FormatValue();
  }
  RedrawDisplay();
  return 1;
}

CString CGXBCalculator::PrintNumber(int places) const {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", std::max(0, places), accumulator_);
  CString text(buf);
  const int dot = text.Find('.');
  if (dot < 0) return text + separator_;
  int end = text.GetLength();
  while (end > dot + 1 && text[end - 1] == '0') --end;
  return text.Left(dot) + separator_ + text.Mid(dot + 1, end - dot - 1);
}

void CGXBCalculator::FormatValue() {
  int places = decimals_;
  const int limit = std::min(capacity_, (accumulator_ > -1 && accumulator_ < 1) ? 16 : 15);
  for (;;) {
    const CString text = PrintNumber(places);
    const NumberParts parts = SplitNumber(text);
    const int intLen = parts.integerDigits, fracLen = parts.fractionDigits;
    if (intLen > limit || intLen > 13) {
      flags_ |= kError;
      RedrawDisplay();
      return;
    }
    if (intLen + fracLen > limit && places > limit - intLen) {
      places = limit - intLen;
      continue;
    }
    entry_ = text;
    return;
  }
}

CString CGXBCalculator::GetDisplayText() const {
  if (IsError()) {
    CString error = GXGetString(20125);
    return error.IsEmpty() ? CString("Error ") : error;
  }
  if (entry_.IsEmpty()) return "0" + separator_;
  if (entry_.Find(separator_) < 0) return entry_ + separator_;
  return entry_;
}

int CGXBCalculator::FindButtonByKey(const CString& typed) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (!typed.IsEmpty() && buttons_[i]->keys.Find(typed) >= 0) return static_cast<int>(i);
  return -1;
}

void CGXBCalculator::PressButton(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
  CGXBCalcBtn& b = *buttons_[static_cast<std::size_t>(index)];
  b.SetPressed(TRUE);
  RedrawButton(index);
  HandleCommand(b.id);
  b.SetPressed(FALSE);
  RedrawButton(index);
}

int CGXBCalculator::ButtonFromPoint(CPoint point) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->rect.PtInRect(point)) return static_cast<int>(i);
  return -1;
}

// ---------------------------------------------------------------- painting

void CGXBCalculator::DrawDisplay(CDC* dc) {
  CRect r = display_;
  Ring(dc, r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
  Ring(dc, r, Sys(COLOR_WINDOWFRAME), Sys(COLOR_BTNFACE));
  dc->FillSolidRect(&r, Sys(COLOR_BTNFACE));
  CFont* old = displayFont_.m_hObject ? dc->SelectObject(const_cast<CFont*>(&displayFont_)) : nullptr;
  dc->SetTextColor(RGB(0, 0, 0));
  dc->SetBkColor(Sys(COLOR_BTNFACE));
  dc->SetBkMode(OPAQUE);
  const CString text = GetDisplayText();
  dc->DrawText(text, -1, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (old) dc->SelectObject(old);
}

void CGXBCalculator::Draw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) client.SetRect(0, 0, clientSize_.cx, clientSize_.cy);
  dc->FillSolidRect(&client, Sys(COLOR_BTNFACE));
  if (style_ & kStyleTopLine) {
    const int y = topMargin_ + 2;
    dc->FillSolidRect(client.left + 1, y, client.Width() - 2, 1, Sys(COLOR_BTNHIGHLIGHT));
    dc->FillSolidRect(client.left + 1, y + 1, client.Width() - 2, 1, Sys(COLOR_BTNSHADOW));
  }
  CRect clip;
  dc->GetClipBox(&clip);
  CRect meet;
  if (clip.IsRectEmpty() || meet.IntersectRect(&clip, &display_)) DrawDisplay(dc);
  for (auto& b : buttons_)
    if (clip.IsRectEmpty() || meet.IntersectRect(&clip, &b->rect)) b->Draw(dc);
}

void CGXBCalculator::OnPaint() {
  CPaintDC dc(this);
  const CRect update = dc.m_ps.rcPaint;
  CRect client;
  GetClientRect(&client);
  CDC mem;
  CBitmap bitmap;
  if (mem.CreateCompatibleDC(&dc) && bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
    CBitmap* old = mem.SelectObject(&bitmap);
    mem.IntersectClipRect(&update);
    Draw(&mem);
    dc.BitBlt(update.left, update.top, update.Width(), update.Height(), &mem, update.left, update.top, SRCCOPY);
    mem.SelectObject(old);
  } else {
    Draw(&dc);
  }
}

void CGXBCalculator::OnSysColorChange() {
  GXGetSysColorCache().Refresh();
  if (picture_ != nullptr) LoadPicture();
  CWnd::OnSysColorChange();
}

void CGXBCalculator::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) {
  if (!(style_ & kStyleRaisedFrame)) {
    CWnd::OnNcCalcSize(calcValidRects, params);
    return;
  }
  CWnd::OnNcCalcSize(calcValidRects, params);
  ::InflateRect(&params->rgrc[0], -2, -2);
}

void CGXBCalculator::OnNcPaint() {
  CWnd::OnNcPaint();
  if (!(style_ & kStyleRaisedFrame)) return;
  CWindowDC dc(this);
  CRect r;
  GetWindowRect(&r);
  r.OffsetRect(-r.left, -r.top);
  Ring(&dc, r, Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW));
  Ring(&dc, r, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
}

// ------------------------------------------------------------------- input

UINT CGXBCalculator::OnGetDlgCode() { return DLGC_WANTCHARS | DLGC_WANTALLKEYS; }

void CGXBCalculator::OnChar(UINT ch, UINT repeat, UINT flags) {
  // Single-byte text: every character is whole.
  char typed[2] = {static_cast<char>(ch), '\0'};
  CString key(typed, 1);
  key.MakeLower();
  const int index = FindButtonByKey(key);
  if (index < 0) {
    CWnd::OnChar(ch, repeat, flags);
    return;
  }
  PressButton(index);
}

void CGXBCalculator::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_TAB && !isPopup_) {
    if (CWnd* parent = GetParent()) parent->PostMessage(WM_NEXTDLGCTL, (::GetKeyState(VK_SHIFT) < 0) ? 1 : 0, 0);
    return;
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->virtualKey != 0 && static_cast<UINT>(buttons_[i]->virtualKey) == key) {
      PressButton(static_cast<int>(i));
      return;
    }
  }
  CWnd::OnKeyDown(key, repeat, flags);
}

void CGXBCalculator::OnLButtonDown(UINT flags, CPoint point) {
  if (GetFocus() != this) {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) return;
    SetFocus();
  }
  const int index = ButtonFromPoint(point);
  if (index < 0) {
    CWnd::OnLButtonDown(flags, point);
    return;
  }
  SetCapture();
  flags_ |= kCaptured;
  held_ = index;
  buttons_[static_cast<std::size_t>(index)]->SetPressed(TRUE);
  RedrawButton(index);
}

void CGXBCalculator::OnMouseMove(UINT flags, CPoint point) {
  if (!(flags_ & kCaptured) || held_ < 0) {
    CWnd::OnMouseMove(flags, point);
    return;
  }
  CGXBCalcBtn& b = *buttons_[static_cast<std::size_t>(held_)];
  const BOOL over = b.rect.PtInRect(point);
  if (over != b.IsPressed()) {
    b.SetPressed(over);
    RedrawButton(held_);
  }
}

void CGXBCalculator::OnLButtonUp(UINT flags, CPoint point) {
  if (!(flags_ & kCaptured) || held_ < 0) {
    CWnd::OnLButtonUp(flags, point);
    return;
  }
  const int index = held_;
  flags_ &= ~kCaptured;
  held_ = -1;
  ::ReleaseCapture();
  CGXBCalcBtn& b = *buttons_[static_cast<std::size_t>(index)];
  b.SetPressed(FALSE);
  RedrawButton(index);
  if (b.rect.PtInRect(point)) HandleCommand(b.id);
}

void CGXBCalculator::OnCancelMode() {
  if (flags_ & kCaptured) {
    flags_ &= ~kCaptured;
    if (held_ >= 0) {
      buttons_[static_cast<std::size_t>(held_)]->SetPressed(FALSE);
      RedrawButton(held_);
    }
    held_ = -1;
    ::ReleaseCapture();
  }
  CWnd::OnCancelMode();
}
