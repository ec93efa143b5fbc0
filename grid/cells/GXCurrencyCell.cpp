#include "grid/cells/GXCurrencyCell.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "grid/cells/GXComboBox.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXStylesMap.h"
#include "platform/host/Keys.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

const GXControlClass CGXCurrencyEdit::CGXCurrencyEditRecord = {"CGXCurrencyEdit", &CGXStatic::CGXStaticRecord};

namespace {

constexpr UINT kCalculatorBitmap = 20036;
constexpr UINT kCalculatorResult = 0x7E3;

bool CtrlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }
bool ShiftHeld() { return (::GetKeyState(VK_SHIFT) & 0x8000) != 0; }

CString Attr(const CGXStyle& style, WORD id) {
  return style.HasUserAttribute(id) ? style.GetUserAttribute(id).GetValue() : CString();
}

// A number text with the format's count of fractional digits.
CString NumberText(double value, int fraction) {
  CString text;
  text.Format("%.*f", std::clamp(fraction, 0, 15), value);
  return text;
}

// "." as the format writes its decimal separator.
CString WithSeparator(CString text, char separator) {
  if (separator != 0 && separator != '.') text.Replace('.', separator);
  return text;
}

}  // namespace

CGXCurrencyEdit::CGXCurrencyEdit(CGXGridCore* grid, UINT id) : CGXStatic(grid), m_nWndId(id) {}

CGXCurrencyEdit::~CGXCurrencyEdit() {
  if (m_hWnd != nullptr) DestroyWindow();
  delete m_pFont;
}

BOOL CGXCurrencyEdit::CreateCurrencyWnds(DWORD style) {
  if (m_hWnd != nullptr) return TRUE;
  style &= ~static_cast<DWORD>(ES_MULTILINE | ES_UPPERCASE | ES_LOWERCASE | ES_PASSWORD | ES_AUTOVSCROLL |
                                ES_WANTRETURN);
  // The formatting amount of the other cells needs no window of its own.
  return Create(style | WS_CHILD, CRect(0, 0, 0, 0), GetGridWnd(), m_nWndId);
}

BOOL CGXCurrencyEdit::ShowsCalculatorButton(const CGXStyle& style) {
  const CString attributes = Attr(style, GX_IDS_UA_CURRENCY_ATTRIBUTES);
  return attributes.GetLength() > 3 && attributes[3] != '0';
}

CGXBCurrencyFormat CGXCurrencyEdit::FormatFromStyle(const CGXStyle& style) {
  CGXBCurrencyFormat format(TRUE);
  if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES)) {
    CString attributes = Attr(style, GX_IDS_UA_CURRENCY_ATTRIBUTES);
    if (!attributes.IsEmpty()) {
      if (attributes.GetLength() != 4) attributes = "11 1";
      format.m_bLeadingZero = attributes[0] - '0';
      format.m_bSeparatorLine = attributes[1] - '0';
      format.SetPaddingChar(attributes[2]);
    }
  }
  // Pattern indexes beyond the tables take the last pattern.
  if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_POSITIVE))
    format.m_nPositivePattern = std::clamp(std::atoi(Attr(style, GX_IDS_UA_CURRENCY_POSITIVE)), 0, 3);
  if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_NEGATIVE))
    format.m_nNegativePattern = std::clamp(std::atoi(Attr(style, GX_IDS_UA_CURRENCY_NEGATIVE)), 0, 15);
  if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_DIGITS))
    format.m_nIntegerDigits = std::atoi(Attr(style, GX_IDS_UA_CURRENCY_DIGITS));
  if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_FRACTION))
    format.m_nFractionalDigits = std::clamp(std::atoi(Attr(style, GX_IDS_UA_CURRENCY_FRACTION)), 0, 15);
  if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL)) {
    const CString symbol = Attr(style, GX_IDS_UA_CURRENCY_SYMBOL);
    format.m_strSymbol = !symbol.IsEmpty() && symbol[0] == '0' ? CString() : symbol;
  }
  if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS)) {
    CString separators = Attr(style, GX_IDS_UA_CURRENCY_SEPARATORS);
    if (separators.GetLength() != 2) separators = ",.";
    format.m_cThousandsSep = separators[0] == '0' ? 0 : separators[0];
    format.m_cDecimalSep = separators[1];
  }
  return format;
}

void CGXCurrencyEdit::ApplyCurrencyAttributes(CGXBCurrencyEdit* target, const CGXStyle& style) {
  (target != nullptr ? target : this)->SetFormat(FormatFromStyle(style));
}

void CGXCurrencyEdit::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle masked;
  masked.SetControl(52535).SetUserAttribute(51023, "##AAAA#");
  map->AddUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, &masked);
  CGXStyle positive;
  positive.SetControl(52532).SetChoiceList(GXGetString(20065));
  map->AddUserAttribute(GX_IDS_UA_CURRENCY_POSITIVE, &positive);
  CGXStyle negative;
  negative.SetControl(52532).SetChoiceList(GXGetString(20064));
  map->AddUserAttribute(GX_IDS_UA_CURRENCY_NEGATIVE, &negative);
  map->AddUserAttribute(GX_IDS_UA_CURRENCY_DIGITS);
  map->AddUserAttribute(GX_IDS_UA_CURRENCY_FRACTION);
  map->AddUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL);
  map->AddUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS);
}

CString CGXCurrencyEdit::GetNumberText() {
  // Amounts are stored whole: a digit limit refuses typing, never shortens.
  return NumberText(Text().GetValue(), GetFormatRef().m_nFractionalDigits);
}

// ---- Binding ----------------------------------------------------------------

void CGXCurrencyEdit::Init(ROWCOL row, ROWCOL col) {
  m_bBusy = TRUE;
  CGXStatic::Init(row, col);
  if (m_hWnd == nullptr) CreateCurrencyWnds(0);
  const CGXStyle& style = CGXControl::GetStyle();
  ApplyCurrencyAttributes(nullptr, style);
  SetCurrentText(style.GetIncludeValue() ? style.GetValue() : CString());
  if (style.GetIncludeHorizontalAlignment()) {
    const UINT align = style.GetHorizontalAlignment();
    SetAlignment(align == DT_RIGHT ? 2 : align == DT_CENTER ? 1 : 0);
  }
  SetSel(0, 0);
  Text().EmptyUndo();
  m_bActive = FALSE;
  CGXGridParam* param = m_pGrid->GetParam();
  if (m_hWnd != nullptr && param != nullptr && (param->m_wActivateCell & 4) != 0 && OnStartEditing()) SetActive(TRUE);
  m_bBusy = FALSE;
  m_bModified = FALSE;
}

BOOL CGXCurrencyEdit::Store() {
  CString text;
  if (!m_bInit || !m_bModified || !GetCurrentText(text)) return TRUE;
  SetActive(FALSE);
  FreeStyle(TRUE);
  return m_pGrid->SetValueRangeFromString(CGXRange(m_nRow, m_nCol), text, 0, 1);
}

void CGXCurrencyEdit::GetValue(CString& text) {
  text.Empty();
  if (m_bActive && m_hWnd != nullptr) {
    GetWindowText(text);
  } else if (m_bInit) {
    GetControlText(text, m_nRow, m_nCol, nullptr, CGXControl::GetStyle());
  }
}

void CGXCurrencyEdit::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!m_bActive) SetActive(TRUE);
  if (!ValidateString(CString(text))) return;
  if (SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WithSeparator(text, GetFormatRef().m_cDecimalSep).GetString()))) {
    m_bModified = TRUE;
    OnModifyCell();
  }
}

BOOL CGXCurrencyEdit::GetCurrentText(CString& text) {
  if (!m_bInit) return FALSE;
  text = GetNumberText();
  return TRUE;
}

void CGXCurrencyEdit::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  const BOOL busy = m_bBusy;
  m_bBusy = TRUE;
  if (text.IsEmpty()) {
    SetValueEx(0, FALSE);
  } else {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WithSeparator(text, GetFormatRef().m_cDecimalSep).GetString()));
  }
  m_bBusy = busy;
}

CString CGXCurrencyEdit::DisplayText(const CString& value, const CGXStyle& style) {
  m_captive.SetFormat(FormatFromStyle(style));
  if (!m_captive.SetText(WithSeparator(value, m_captive.GetFormat().m_cDecimalSep))) {
    // The digit limit refuses typing only: a stored amount shows whole.
    double magnitude = 0;
    BOOL negative = FALSE;
    if (!m_captive.GetFormat().ParseValue(WithSeparator(value, m_captive.GetFormat().m_cDecimalSep), magnitude,
                                          negative))
      return CString();
    m_captive.SetValueEx(magnitude, negative);
  }
  return m_captive.GetText();
}

BOOL CGXCurrencyEdit::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR value, const CGXStyle& style) {
  text.Empty();
  if (value != nullptr) {
    // A given text goes through the edited amount's own format.
    double magnitude = 0;
    BOOL negative = FALSE;
    const CString given = WithSeparator(value, GetFormatRef().m_cDecimalSep);
    if (!GetFormatRef().ParseValue(given, magnitude, negative)) return FALSE;
    GetFormatRef().FormatValue(magnitude, text, negative);
    return TRUE;
  }
  if (!style.GetIncludeValue() || style.GetValue().IsEmpty()) return FALSE;
  text = DisplayText(style.GetValue(), style);
  return !text.IsEmpty();
}

BOOL CGXCurrencyEdit::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  if (text.IsEmpty()) return TRUE;
  const CGXBCurrencyFormat format = FormatFromStyle(*style);
  double magnitude = 0;
  BOOL negative = FALSE;
  if (!format.ParseValue(text, magnitude, negative)) return FALSE;
  text = NumberText(negative ? -magnitude : magnitude, format.m_nFractionalDigits);
  return TRUE;
}

const CGXStyle* CGXCurrencyEdit::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode,
                                                  int storeKind, const CGXStyle* currentStyle) {
  const CGXStyle* result = CGXStatic::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  if (style == nullptr || (mode != 0 && mode != 1) || !m_pGrid->IsCurrentCell(row, col)) return result;
  if ((style->GetIncludeValue() && !m_bModified) || style->GetIncludeControl()) {
    Reset();
  } else if (m_bInit) {
    for (WORD id = GX_IDS_UA_CURRENCY_ATTRIBUTES; id <= GX_IDS_UA_CURRENCY_FRACTION; ++id) {
      if (!style->HasUserAttribute(id)) continue;
      ApplyCurrencyAttributes(nullptr, CGXControl::GetStyle());
      break;
    }
  }
  return result;
}

// ---- Drawing ----------------------------------------------------------------

void CGXCurrencyEdit::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                           const CGXStyle* baseStyle) {
  if (!(IsInitializedFor(row, col) && m_bActive && IsCurrentCell() && !m_pGrid->IsPrinting() && m_hWnd != nullptr)) {
    CGXStatic::Draw(dc, rect, row, col, style, baseStyle);
    return;
  }
  const BOOL busy = m_bBusy;
  m_bBusy = TRUE;
  delete m_pFont;
  m_pFont = new CFont;
  LOGFONT lf = style.GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
  lf.lfOrientation = 0;
  lf.lfEscapement = 0;
  m_pFont->CreateFontIndirect(&lf);
  const bool blackWhite = GXDrawsBlackWhite(m_pGrid) != FALSE;
  const COLORREF back = blackWhite ? RGB(255, 255, 255)
                        : style.GetIncludeInterior() ? style.GetInterior().GetColor()
                                                     : RGB(255, 255, 255);
  const COLORREF textColor = blackWhite ? RGB(0, 0, 0)
                             : style.GetIncludeTextColor() ? style.GetTextColor()
                                                           : RGB(0, 0, 0);
  DrawBackground(dc, rect, style, TRUE);
  CRect r = CGXStatic::GetCellRect(row, col, &rect, &style);
  CFont* old = dc->SelectObject(m_pFont);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  dc->SelectObject(old);
  m_nLineHeight = tm.tmHeight + tm.tmExternalLeading + 1;
  if (!style.GetWrapText()) {
    const UINT vertical = style.GetIncludeVerticalAlignment() ? style.GetVerticalAlignment() : DT_TOP;
    if (vertical == DT_VCENTER && r.Height() > m_nLineHeight) r.top += (r.Height() - m_nLineHeight) / 2;
    if (vertical == DT_BOTTOM && r.bottom - m_nLineHeight >= r.top) r.top = r.bottom - m_nLineHeight;
    r.bottom = std::min<LONG>(r.bottom, r.top + m_nLineHeight - 1);
  }
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), 0);
  const UINT wanted = ShowsCalculatorButton(style) ? kCalculatorBitmap : 0;
  if (wanted != GetButtonBitmapId() || (wanted != 0) != HasButton()) SetButtonBitmap(wanted);
  MoveWindow(r, FALSE);
  CGXBCurrencyFormat format = GetFormatRef();
  format.SetBackgroundColor(back);
  format.SetPositiveColor(textColor);
  format.SetNegativeColor(textColor);
  SetFormat(format);
  m_bActive = TRUE;
  if (CWnd* grid = GetGridWnd(); grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) {
    m_pGrid->m_bControlMovesWindows = TRUE;
    SetFocus();
    m_pGrid->m_bControlMovesWindows = FALSE;
  }
  ShowWindow(SW_SHOW);
  SendMessage(EM_SETREADONLY, CGXControl::IsReadOnly());
  Invalidate(FALSE);
  UpdateWindow();
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
  m_pGrid->m_ExcludedRects.push_back(rect);
  m_bBusy = busy;
}

void CGXCurrencyEdit::Hide() {
  if (m_hWnd == nullptr || !IsWindowVisible()) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  ::HideCaret(m_hWnd);
  const HWND focus = ::GetFocus();
  MoveWindow(CRect(0, 0, 0, 0), FALSE);
  ShowWindow(SW_HIDE);
  if (focus == m_hWnd) {
    if (CWnd* grid = GetGridWnd()) grid->SetFocus();
  }
  m_pGrid->m_bControlMovesWindows = FALSE;
}

// ---- Keys and mouse on the cell -----------------------------------------------

BOOL CGXCurrencyEdit::StartAndActivate() {
  if (!m_bActive) {
    if (!OnStartEditing()) return FALSE;
    SetActive(TRUE);
    Refresh();
  }
  return TRUE;
}

BOOL CGXCurrencyEdit::LButtonUp(UINT flags, CPoint point, UINT hit) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (m_hWnd != nullptr && (mode & 7) != 0 && StartAndActivate()) {
    // The caret goes where the click was, in the shown amount.
    if (m_bInit) {
      CRect cell = m_pGrid->CalcRectFromRowColCovered(m_nRow, m_nCol, m_nRow, m_nCol);
      const CString& shown = Text().GetText();
      CClientDC dc(GetGridWnd());
      CFont* old = m_pGrid->SelectStyleFont(&dc, CGXControl::GetStyle(), nullptr);
      int caret = shown.GetLength();
      const int left = CGXStatic::GetCellRect(m_nRow, m_nCol, &cell, &CGXControl::GetStyle()).left;
      for (int i = 0; i < shown.GetLength(); ++i) {
        const int mid = left + (dc.GetTextExtent(shown, i).cx + dc.GetTextExtent(shown, i + 1).cx) / 2;
        if (mid > point.x) {
          caret = i;
          break;
        }
      }
      if (old != nullptr) dc.SelectObject(old);
      Text().ClearSelection();
      Text().SetCaret(caret);
    }
  }
  CGXStatic::LButtonUp(flags, point, hit);
  return TRUE;
}

BOOL CGXCurrencyEdit::LButtonDblClk(UINT flags, CPoint point) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (!m_bActive && (mode & 8) != 0) StartAndActivate();
  CGXStatic::LButtonDblClk(flags, point);
  return TRUE;
}

void CGXCurrencyEdit::ToggleCellSign(const CString& text) {
  if (m_hWnd == nullptr) return;
  double magnitude = 0;
  BOOL negative = FALSE;
  if (!GetFormatRef().ParseValue(WithSeparator(text, GetFormatRef().m_cDecimalSep), magnitude, negative) ||
      CGXControl::IsReadOnly())
    return;
  if (!m_bActive) StartAndActivate();
  Text().SetValueEx(magnitude, !negative);
  // Setting the text without reading it back marks the cell modified.
  SetTextNoParse(Text().GetText());
}

BOOL CGXCurrencyEdit::KeyDown(UINT key, UINT, UINT) {
  if (CtrlHeld() || m_hWnd == nullptr) return FALSE;
  if (key == VK_SPACE) {
    ToggleCellSign(m_bInit ? m_pGrid->GetCellValue(m_nRow, m_nCol) : CString());
    return TRUE;
  }
  if (key != VK_END && key != VK_HOME) return FALSE;
  if (!StartAndActivate()) return TRUE;
  SetSel(-1, 0);
  Text().SetCaret(key == VK_END ? Text().GetText().GetLength() : 0);
  if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol)) Refresh();
  return TRUE;
}

BOOL CGXCurrencyEdit::HandleChar(UINT ch, UINT, UINT) {
  if (ch < 32 || ch == 127 || CGXControl::IsReadOnly() || m_hWnd == nullptr) return FALSE;
  if (m_bActive) {
    // Typed ahead before the window took the focus: it still belongs here.
    SendMessage(WM_CHAR, ch, 0);
    return TRUE;
  }
  if (!StartAndActivate()) return FALSE;
  SetSel(0, -1);
  PostMessage(WM_CHAR, ch, 0);
  Refresh();
  return FALSE;
}

BOOL CGXCurrencyEdit::SysKeyDown(UINT key, UINT, UINT) {
  if (key == VK_UP) {
    if (m_hWnd != nullptr) SetFocus();
    return FALSE;
  }
  if (key != VK_DOWN || m_hWnd == nullptr) return FALSE;
  if (!StartAndActivate()) return FALSE;
  Refresh();
  if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  if (HasButton()) ShowCalculator();
  return FALSE;
}

void CGXCurrencyEdit::GetSortKey(ROWCOL, ROWCOL, void*, const CGXStyle& style, CString& key) {
  key = style.GetIncludeValue() ? style.GetValue() : CString();
  if (key.IsEmpty()) return;
  const CGXBCurrencyFormat format = FormatFromStyle(style);
  double magnitude = 0;
  BOOL negative = FALSE;
  if (format.ParseValue(WithSeparator(key, format.m_cDecimalSep), magnitude, negative))
    key = NumberText(negative ? -magnitude : magnitude, format.m_nFractionalDigits);
}

void CGXCurrencyEdit::ReplaceSel(LPCTSTR text) {
  if (!m_bActive) {
    CGXStatic::ReplaceSel(text);
    return;
  }
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ReplaceSelection(text).GetString()));
  m_bModified = TRUE;
  OnModifyCell();
}

int CGXCurrencyEdit::GetSelectedText(CString& text) {
  if (m_bActive) {
    text = GetSelText();
    return !text.IsEmpty();
  }
  GetValue(text);
  return FALSE;
}

namespace {
int FindIn(CString text, CString find, BOOL matchCase, int start) {
  if (find.IsEmpty()) return -1;
  if (!matchCase) {
    text.MakeUpper();
    find.MakeUpper();
  }
  return text.Find(find, std::max(start, 0));
}
}  // namespace

BOOL CGXCurrencyEdit::FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr || find->strFind.IsEmpty()) return FALSE;
  if (IsInitializedFor(row, col) && m_bActive) {
    // The amount is searched without its symbol.
    CString what = find->strFind;
    const CString& symbol = GetFormatRef().m_strSymbol;
    if (!symbol.IsEmpty() && what.Left(symbol.GetLength()) == symbol) what = what.Mid(symbol.GetLength());
    const int selStart = Text().HasSelection() ? std::min(Text().GetSelStart(), Text().GetSelEnd()) : -1;
    const int from = selStart < 0 ? 0 : fromCurrent ? selStart : selStart + 1;
    const int at = FindIn(Text().GetText(), what, find->bCase, from);
    if (at < 0) return FALSE;
    if (select) SetSel(at, at + what.GetLength());
    return TRUE;
  }
  CGXStyle composed;
  m_pGrid->ComposeStyleRowCol(row, col, composed);
  CString shown;
  GetControlText(shown, row, col, nullptr, composed);
  const int at = FindIn(shown, find->strFind, find->bCase, 0);
  if (at < 0) return FALSE;
  if (select) {
    m_pGrid->ScrollCellInView(row, col);
    m_pGrid->SetCurrentCell(row, col, 36);
    if (IsInitializedFor(row, col)) {
      SetActive(TRUE);
      SetSel(at, at + find->strFind.GetLength());
      Refresh();
    }
  }
  return TRUE;
}

BOOL CGXCurrencyEdit::ReplaceAll(void* request, ROWCOL row, ROWCOL col) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr) return FALSE;
  return ReplaceAllText(row, col, find->strFind, find->strReplace, find->bCase);
}

BOOL CGXCurrencyEdit::ReplaceAllText(ROWCOL row, ROWCOL col, const CString& find, const CString& replacement,
                                     BOOL matchCase) {
  if (find.IsEmpty()) return FALSE;
  CGXStyle composed;
  m_pGrid->ComposeStyleRowCol(row, col, composed);
  const bool active = IsInitializedFor(row, col) && m_bActive;
  CString source;
  char separator = '.';
  if (active) {
    source = Text().GetText().Mid(std::max(Text().GetSelStart(), 0));
    separator = GetFormatRef().m_cDecimalSep;
  } else {
    GetControlText(source, row, col, nullptr, composed);
    if (source.IsEmpty()) source = "0";
    separator = FormatFromStyle(composed).m_cDecimalSep;
  }
  CString put = replacement;
  if (separator != 0 && find.Find(separator) >= 0 && put.Find(separator) < 0) put += ".";
  CString upper = source;
  CString upperFind = find;
  if (!matchCase) {
    upper.MakeUpper();
    upperFind.MakeUpper();
  }
  // The result grows as it needs.
  CString result;
  int from = 0;
  int replaced = 0;
  for (int at; (at = upper.Find(upperFind, from)) >= 0; ++replaced) {
    result += source.Mid(from, at - from);
    result += put;
    from = at + find.GetLength();
  }
  if (replaced == 0) return FALSE;
  result += source.Mid(from);
  const CGXBCurrencyFormat format = active ? GetFormatRef() : FormatFromStyle(composed);
  double magnitude = 0;
  BOOL negative = FALSE;
  if (!format.ParseValue(result, magnitude, negative)) return FALSE;
  CString formatted;
  format.FormatValue(magnitude, formatted, negative);
  return m_pGrid->SetValueRange(CGXRange(row, col), NumberText(negative ? -magnitude : magnitude,
                                                                format.m_nFractionalDigits));
}

BOOL CGXCurrencyEdit::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_bActive && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == m_hWnd) OnModifyCell();
  return CGXStatic::OnCommand(wParam, lParam);
}

// ---- The editing window's messages --------------------------------------------

LRESULT CGXCurrencyEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: return CGXBCurrencyEdit::WindowProc(message, wParam, lParam) | 0x83;
    case WM_ERASEBKGND: return TRUE;
    case WM_SETFOCUS:
      if (m_bModified) {
        // Digits typed before the window had the focus stay; the focus must
        // not select them for the next key to replace.
        const int caret = Text().GetCaret();
        const LRESULT result = CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
        Text().ClearSelection();
        Text().SetCaret(caret);
        PlaceCaret();
        Invalidate(FALSE);
        return result;
      }
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
      ForwardKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
      return result;
    }
    case WM_KEYUP:
    case WM_SYSCHAR:
    case WM_SYSKEYUP:
      if (m_pGrid->ProcessKeys(this, message, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam))) return 0;
      break;
    case WM_SYSKEYDOWN:
      if (m_pGrid->ProcessKeys(this, message, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam))) return 0;
      break;
    case WM_KEYDOWN: {
      const UINT key = static_cast<UINT>(wParam);
      if (m_bInit) m_pGrid->ScrollCellInView(m_nRow, m_nCol);
      auto toGrid = [&] {
        return m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, LOWORD(lParam), HIWORD(lParam));
      };
      if (CtrlHeld()) break;
      const int caret = Text().GetCaret();
      const int length = Text().GetText().GetLength();
      switch (key) {
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN: toGrid(); return 0;
        case VK_SPACE: ToggleCellSign(Text().GetText()); return 0;
        case VK_LEFT:
          if (caret > 0) break;
          toGrid();
          return 0;
        case VK_RIGHT:
          if (caret < length) break;
          toGrid();
          return 0;
        case VK_INSERT:
          if (ShiftHeld()) {
            CGXControl::Paste();
            return 0;
          }
          break;
        case VK_DELETE:
          m_bModified = TRUE;
          if (ShiftHeld()) {
            OnEditCut();
          } else {
            DeleteChar();
          }
          return 0;
        default:
          if (key >= VK_F1 && key <= VK_F1 + 23 && key != VK_F2 && key != VK_F4) {
            toGrid();
            return 0;
          }
          break;
      }
      break;
    }
    case WM_CHAR: {
      if (!m_bInit || !m_bActive || CGXControl::IsReadOnly() || wParam == VK_BACK) return 0;
      if (CtrlHeld() || wParam == '\r' || wParam == '\n') return 0;
      const LRESULT result = CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
      m_pGrid->ProcessKeys(this, WM_CHAR, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return result;
    }
    case kCalculatorResult: {
      if (CGXControl::IsReadOnly()) return 0;
      // The calculator writes "."; the amount's format may not.
      const CString result = WithSeparator(reinterpret_cast<LPCTSTR>(lParam), GetFormatRef().m_cDecimalSep);
      if (!m_bActive) StartAndActivate();
      return SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(result.GetString()));
    }
    case WM_SETTEXT:
      if (!GetParseOnSetText() && !m_bBusy && m_bInit) {
        const LRESULT result = CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
        m_bModified = TRUE;
        OnModifyCell();
        return result;
      }
      break;
    default: break;
  }
  return CGXBCurrencyEdit::WindowProc(message, wParam, lParam);
}
