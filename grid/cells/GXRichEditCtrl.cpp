// The rich edit cell.
#include "grid/cells/GXRichEditCtrl.h"

#include <algorithm>
#include <cstring>

#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXFont.h"
#include "grid/core/GXScreenPpi.h"
#include "platform/host/Keys.h"
#include "platform/window/Clipboard.h"
#include "platform/window/CtlDefs.h"

const GXControlClass CGXRichEditCtrl::CGXRichEditCtrlRecord = {"CGXRichEditCtrl", &CGXControl::CGXControlRecord};

UINT GXRichTextClipboardFormat() { return RichTextClipboardFormat(); }

namespace {

// Changes, selection moves, resize requests (and protected text, which
// this system never marks) are what the editing window reports.
constexpr DWORD kEventMask = ENM_CHANGE | ENM_UPDATE | ENM_REQUESTRESIZE | ENM_SELCHANGE | ENM_PROTECTED;
constexpr DWORD kEditOptions = ECO_AUTOWORDSELECTION | ECO_AUTOVSCROLL | ECO_AUTOHSCROLL | ECO_NOHIDESEL | ECO_SAVESEL;
constexpr UINT kLastFunctionKey = 0x87;  // F24
constexpr int kOffscreen = 30000;

// Raised while the cell itself moves or fills the editing window, so that
// the size the window then asks for does not resize the row.
bool g_resizeLock = false;

struct ResizeLock {
  ResizeLock() : was(g_resizeLock) { g_resizeLock = true; }
  ~ResizeLock() { g_resizeLock = was; }
  ResizeLock(const ResizeLock&) = delete;
  ResizeLock& operator=(const ResizeLock&) = delete;
  bool was;
};

BOOL KeyHeld(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

CHARFORMAT ToCharFormat(const RtfCharFormat& f, unsigned mask) {
  CHARFORMAT cf;
  if (mask & RTF_BOLD) cf.dwMask |= CFM_BOLD, cf.dwEffects |= f.bold ? CFE_BOLD : 0;
  if (mask & RTF_ITALIC) cf.dwMask |= CFM_ITALIC, cf.dwEffects |= f.italic ? CFE_ITALIC : 0;
  if (mask & RTF_UNDERLINE) cf.dwMask |= CFM_UNDERLINE, cf.dwEffects |= f.underline ? CFE_UNDERLINE : 0;
  if (mask & RTF_FACE) cf.dwMask |= CFM_FACE, std::strncpy(cf.szFaceName, f.face.c_str(), sizeof cf.szFaceName - 1);
  if (mask & RTF_SIZE) cf.dwMask |= CFM_SIZE, cf.yHeight = f.halfPoints * 10;
  if (mask & RTF_COLOUR) cf.dwMask |= CFM_COLOR, cf.crTextColor = f.colour;
  return cf;
}

PARAFORMAT ToParaFormat(RtfAlign align) {
  PARAFORMAT pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = align == RtfAlign::kCenter ? PFA_CENTER : align == RtfAlign::kRight ? PFA_RIGHT : PFA_LEFT;
  return pf;
}

int HalfFrame() { return std::max(2, ::GetSystemMetrics(SM_CXFRAME) / 2); }

}  // namespace

CGXRichEditCtrl::CGXRichEditCtrl(CGXGridCore* grid, UINT id) : CGXEditControl(grid, id) {
  GXRichTextClipboardFormat();
}

unsigned CGXRichEditCtrl::StyleToFormat(const CGXStyle& style, RtfCharFormat& f, bool& setsAlign, RtfAlign& align) {
  unsigned mask = 0;
  setsAlign = style.GetIncludeHorizontalAlignment() != FALSE;
  if (setsAlign) {
    const UINT h = style.GetHorizontalAlignment();
    align = h == DT_CENTER ? RtfAlign::kCenter : h == DT_RIGHT ? RtfAlign::kRight : RtfAlign::kLeft;
  }
  if (style.GetIncludeFont()) {
    const CGXFont& font = style.GetFont();
    if (font.GetIncludeWeight()) f.bold = font.GetBold() != FALSE, mask |= RTF_BOLD;
    if (font.GetIncludeItalic()) f.italic = font.GetItalic() != FALSE, mask |= RTF_ITALIC;
    if (font.GetIncludeUnderline()) f.underline = font.GetUnderline() != FALSE, mask |= RTF_UNDERLINE;
    if (font.GetIncludeFaceName()) f.face = std::string(font.GetFaceName()), mask |= RTF_FACE;
    if (font.GetIncludeSize()) f.halfPoints = static_cast<int>(font.GetSize() * 2 + 0.5), mask |= RTF_SIZE;
  }
  if (style.GetIncludeTextColor()) f.colour = style.GetTextColor(), mask |= RTF_COLOUR;
  return mask;
}

void CGXRichEditCtrl::FormatToStyle(const RtfCharFormat& f, RtfAlign align, CGXStyle& style) {
  style.SetHorizontalAlignment(align == RtfAlign::kCenter ? DT_CENTER : align == RtfAlign::kRight ? DT_RIGHT : DT_LEFT);
  CGXFont font;
  font.SetBold(f.bold).SetItalic(f.italic).SetUnderline(f.underline);
  if (!f.face.empty()) font.SetFaceName(f.face.c_str());
  if (f.halfPoints > 0) font.SetSize(f.halfPoints / 2.0);
  style.SetFont(font);
  if (f.colour != RtfCharFormat::kAutoColour) style.SetTextColor(f.colour);
}

BOOL CGXRichEditCtrl::CreateControl(DWORD style, const RECT* rect) {
  style &= ~static_cast<DWORD>(WS_VISIBLE | WS_BORDER);
  style |= ES_MULTILINE | ES_NOHIDESEL;
  if (m_bAllowEnter) style |= ES_WANTRETURN;
  m_dwEditStyle = style;
  const CRect place = rect != nullptr ? CRect(*rect) : CRect(0, 0, 10, 10);
  if (!CreateEx(0, RICHEDIT_CLASS, nullptr, style | WS_CHILD, place, GetGridWnd(), m_nID)) return FALSE;
  m_helperLoaded = false;
  return m_helper.Create(WS_CHILD | ES_MULTILINE,
                         CRect(kOffscreen, kOffscreen, kOffscreen + 100, kOffscreen + 100), this, 0);
}

void CGXRichEditCtrl::SetDefaultsFromStyle(HWND window, const CGXStyle& style) {
  RtfCharFormat f;
  bool setsAlign = false;
  RtfAlign align = RtfAlign::kLeft;
  const unsigned mask = StyleToFormat(style, f, setsAlign, align);
  CHARFORMAT cf = ToCharFormat(f, mask & (RTF_FACE | RTF_SIZE | RTF_COLOUR));
  ::SendMessage(window, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

void CGXRichEditCtrl::Init(ROWCOL row, ROWCOL col) {
  // Filling the window is not the user's typing: no row resizing.
  ResizeLock lock;
  CGXEditControl::Init(row, col);
  if (m_hWnd != nullptr) SetDefaultsFromStyle(m_hWnd, CGXControl::GetStyle());
  m_nMinRowHeight = m_bShrink ? m_pGrid->GetRowHeight(row) : 0;
}

BOOL CGXRichEditCtrl::Store() {
  CString text;
  if (m_pStyle == nullptr || !GetModify() || !GetCurrentText(text)) return TRUE;
  SetActive(FALSE);
  FreeStyle(TRUE);
  return m_pGrid->SetValueRangeFromString(CGXRange(m_nRow, m_nCol), text, 0, 1);
}

CRect CGXRichEditCtrl::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect r = CGXControl::GetCellRect(row, col, cellRect, style);
  r.left += HalfFrame();
  r.right -= HalfFrame() / 2;
  return r;
}

CSize CGXRichEditCtrl::CalcSize(int width, int height, const CGXStyle& style) {
  return CGXControl::CalcSize(width + HalfFrame() + HalfFrame() / 2, height, style);
}

void CGXRichEditCtrl::LoadHelper(const CString& value, const CGXStyle& style) {
  SetDefaultsFromStyle(m_helper.m_hWnd, style);
  const std::string wanted(value);
  if (m_helperLoaded && wanted == m_helperValue && !wanted.empty()) return;
  RichEditStreamIn(m_helper.m_hWnd, wanted);
  m_helperValue = wanted;
  m_helperLoaded = true;
}

void CGXRichEditCtrl::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                           const CGXStyle* baseStyle) {
  if (IsInitializedFor(row, col) && IsActive() && !m_pGrid->IsPrinting() && m_hWnd != nullptr) {
    ResizeLock lock;
    DrawBackground(dc, rect, style, TRUE);
    const CRect text = GetCellRect(row, col, &rect, &style);
    m_pGrid->m_bControlMovesWindows = TRUE;
    MoveWindow(text, FALSE);
    const COLORREF background = style.GetInterior().GetColor();
    SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(background));
    SendMessage(EM_SETTARGETDEVICE, 0, 0);  // wrap at the window
    m_bAutoGrow = style.GetIncludeAutoSize() && style.GetAutoSize();
    m_bAllowEnter = style.GetIncludeAllowEnter() && style.GetAllowEnter();
    SendMessage(EM_SETEVENTMASK, 0, kEventMask);
    SendMessage(EM_SETOPTIONS, ECOOP_SET, kEditOptions | (m_bAllowEnter ? ECO_WANTRETURN : 0));
    SendMessage(EM_SETREADONLY, static_cast<WPARAM>(CGXControl::IsReadOnly()));
    SetActive(TRUE);
    if (CWnd* grid = GetGridWnd(); grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) SetFocus();
    SendMessage(EM_SCROLL, SB_PAGEUP);
    SendMessage(EM_SCROLLCARET);
    SendMessage(EM_EXLIMITTEXT, 0, m_nMaxLength);
    ShowWindow(SW_SHOW);
    m_pGrid->m_bControlMovesWindows = FALSE;
    const CRect visible = PaintWindowInViewOnly(this, dc, text, row, col);
    UpdateWindow();
    CGXControl::Draw(dc, rect, row, col, style, baseStyle);
    // Only the visible part: the frozen cells under the rest must still
    // reach the screen when the paint goes through a buffer.
    AddExcludeRect(visible);
    return;
  }
  DrawBackground(dc, rect, style, FALSE);
  const CRect text = GetCellRect(row, col, &rect, &style);
  if (text.Width() < 2 || text.Height() < 2) return;
  const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
  // An empty value draws nothing but the background.
  if (!value.IsEmpty() && m_helper.m_hWnd != nullptr) {
    LoadHelper(value, style);
    if (m_pGrid->IsPrinting() && m_pGrid->PrintsBlackWhite()) {
      // Black on white: the hidden window's copy loses its colours.
      CHARFORMAT black;
      black.dwMask = CFM_COLOR;
      black.crTextColor = RGB(0, 0, 0);
      m_helper.SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&black));
      m_helperLoaded = false;
    }
    if (m_helper.GetTextLength() > 0) {
      // On a printer the grid maps screen pixels onto the device, so the
      // cell's rectangle is in screen units there.
      const CSize res = m_pGrid->IsPrinting() ? GXScreenPixelsPerInch()
                                              : CSize(dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
      const auto twipsX = [&](LONG v) { return MulDiv(v, 1440, std::max<int>(res.cx, 1)); };
      const auto twipsY = [&](LONG v) { return MulDiv(v, 1440, std::max<int>(res.cy, 1)); };
      const CRect grid = m_pGrid->GetGridRect();
      FORMATRANGE range{dc->GetSafeHdc(), dc->GetSafeHdc(),
                        RECT{twipsX(text.left), twipsY(text.top), twipsX(text.right),
                             twipsY(text.bottom + m_pGrid->GetFontHeight())},
                        RECT{twipsX(grid.left), twipsY(grid.top), twipsX(grid.right), twipsY(grid.bottom)},
                        CHARRANGE{0, -1}};
      const int saved = dc->SaveDC();
      dc->IntersectClipRect(&text);
      m_helper.FormatRange(nullptr, FALSE);
      m_helper.FormatRange(&range, TRUE);
      m_helper.FormatRange(nullptr, FALSE);
      dc->RestoreDC(saved);
    }
  }
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

CSize CGXRichEditCtrl::CalcContentSize(CDC*, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL, BOOL) {
  if (m_helper.m_hWnd == nullptr) return CSize(0, 0);
  CGXRange block(row, col);
  m_pGrid->GetCoveredCellsRowCol(row, col, block);
  const CRect whole = m_pGrid->CalcRectFromRowColCovered(block.top, block.left, block.bottom, block.right);
  const CRect cell = GetCellRect(row, col, &whole, &style);
  g_resizeLock = false;
  m_helper.MoveWindow(CRect(cell.left + kOffscreen, cell.top + kOffscreen, cell.right + kOffscreen,
                            cell.bottom + kOffscreen), FALSE);
  m_helper.SetTargetDevice(nullptr, 0);
  m_helper.SetEventMask(ENM_REQUESTRESIZE);
  LoadHelper(style.GetIncludeValue() ? style.GetValue() : CString(), style);
  m_bMeasuring = TRUE;
  m_rcRequested = CRect(0, 0, cell.Width(), 0);
  m_helper.ShowWindow(SW_SHOWNA);
  m_helper.RequestResize();
  m_helper.ShowWindow(SW_HIDE);
  m_bMeasuring = FALSE;
  m_helper.SetEventMask(ENM_NONE);
  return CalcSize(m_rcRequested.Width(), m_rcRequested.Height() + 1, style);
}

void CGXRichEditCtrl::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!IsActive()) SetActive(TRUE);
  if (!ValidateString(CString(text))) return;
  SetCurrentText(CString(RtfFromPlainText(text != nullptr ? text : "").c_str()));
  SetModify(TRUE);
  OnModifyCell();
}

void CGXRichEditCtrl::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  ResizeLock lock;
  RichEditStreamIn(m_hWnd, std::string(text));
}

BOOL CGXRichEditCtrl::GetCurrentText(CString& text) {
  if (!m_bInit) return FALSE;
  if (!IsActive() || m_hWnd == nullptr) {
    text = CGXControl::GetStyle().GetIncludeValue() ? CGXControl::GetStyle().GetValue() : CString();
    return TRUE;
  }
  text = CString(RichEditStreamOut(m_hWnd).c_str());
  return TRUE;
}

BOOL CGXRichEditCtrl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR value, const CGXStyle& style) {
  if (value == nullptr && !style.GetIncludeValue()) return FALSE;
  const CString source = value != nullptr ? CString(value) : style.GetValue();
  text = CString(ReadRtf(std::string(source)).PlainText().c_str());
  return TRUE;
}

BOOL CGXRichEditCtrl::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  // The limit is on the text the user sees, never on the stream.
  if (style->GetIncludeMaxLength() && style->GetMaxLength() > 0 &&
      text.GetLength() > static_cast<int>(style->GetMaxLength()))
    text = text.Left(static_cast<int>(style->GetMaxLength()));
  text = CString(RtfFromPlainText(std::string(text)).c_str());
  return TRUE;
}

const CGXStyle* CGXRichEditCtrl::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode,
                                                  int storeKind, const CGXStyle* currentStyle) {
  if (style == nullptr || mode == 2 || mode == CGXGridCore::kRemoveStyle)
    return CGXEditControl::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  RtfCharFormat format;
  bool setsAlign = false;
  RtfAlign align = RtfAlign::kLeft;
  const unsigned mask = StyleToFormat(*style, format, setsAlign, align);
  // A plain text given as the value is stored as the stream it reads as.
  const bool plainValue = style->GetIncludeValue() && !style->GetValue().IsEmpty() && style->GetValue()[0] != '{';
  if (mask == 0 && !setsAlign && !plainValue)
    return CGXEditControl::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  // The formats go into the stream; the style keeps none of them.
  CGXStyle* copy = style->Clone();
  copy->SetIncludeHorizontalAlignment(FALSE);
  copy->SetIncludeTextColor(FALSE);
  copy->SetIncludeFont(FALSE);
  if (IsInitializedFor(row, col) && IsActive() && m_hWnd != nullptr && !style->GetIncludeValue()) {
    // While editing, the formats go to what the user selected.
    if (mask != 0) {
      CHARFORMAT cf = ToCharFormat(format, mask);
      SendMessage(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&cf));
      SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }
    if (setsAlign) {
      PARAFORMAT pf = ToParaFormat(align);
      SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    }
    SetModify(TRUE);
    OnModifyCell();
    Refresh();
  } else {
    const CString value = style->GetIncludeValue() ? style->GetValue() : m_pGrid->GetStoredCellValue(row, col);
    RtfDocument doc = ReadRtf(std::string(value));
    doc.ApplyFormat(format, mask, setsAlign, align);
    if (!value.IsEmpty() || style->GetIncludeValue()) copy->SetValue(CString(WriteRtf(doc).c_str()));
  }
  const CGXStyle* stored = CGXEditControl::StoreStyleRowCol(row, col, copy, mode, storeKind, currentStyle);
  delete copy;
  return stored != nullptr ? style : nullptr;
}

int CGXRichEditCtrl::GetCurrentStyleValue(ROWCOL row, ROWCOL col, CGXStyle& target) {
  if (IsInitializedFor(row, col) && IsActive() && m_hWnd != nullptr) {
    // The formats of what is selected in the editing window.
    CHARFORMAT cf;
    SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    PARAFORMAT pf;
    SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    CGXFont font;
    if (cf.dwMask & CFM_BOLD) font.SetBold((cf.dwEffects & CFE_BOLD) != 0);
    if (cf.dwMask & CFM_ITALIC) font.SetItalic((cf.dwEffects & CFE_ITALIC) != 0);
    if (cf.dwMask & CFM_UNDERLINE) font.SetUnderline((cf.dwEffects & CFE_UNDERLINE) != 0);
    if (cf.dwMask & CFM_FACE) font.SetFaceName(cf.szFaceName);
    if (cf.dwMask & CFM_SIZE) font.SetSize(cf.yHeight / 20.0);
    target.SetFont(font);
    if ((cf.dwMask & CFM_COLOR) && !(cf.dwEffects & CFE_AUTOCOLOR)) target.SetTextColor(cf.crTextColor);
    if (pf.dwMask & PFM_ALIGNMENT)
      target.SetHorizontalAlignment(pf.wAlignment == PFA_CENTER ? DT_CENTER
                                    : pf.wAlignment == PFA_RIGHT ? DT_RIGHT
                                                                 : DT_LEFT);
    return 1;
  }
  CGXStyle composed;
  m_pGrid->ComposeStyleRowCol(row, col, composed);
  const CString value = composed.GetIncludeValue() ? composed.GetValue() : CString();
  if (value.IsEmpty()) return 0;
  const RtfDocument doc = ReadRtf(std::string(value));
  for (const RtfParagraph& p : doc.paragraphs)
    if (!p.runs.empty()) {
      FormatToStyle(p.runs.front().format, p.align, target);
      return 1;
    }
  return 0;
}

void CGXRichEditCtrl::OnRequestResize(const RECT& requested) {
  if (m_bMeasuring) {
    m_rcRequested = requested;
    return;
  }
  if (g_resizeLock || !m_bInit || !IsActive() || !m_pGrid->IsCurrentCell(m_nRow, m_nCol) || !m_bAutoGrow) return;
  ResizeLock lock;
  CGXRange block(m_nRow, m_nCol);
  m_pGrid->GetCoveredCellsRowCol(m_nRow, m_nCol, block);
  const CRect wanted(requested);
  int needed = CalcSize(wanted.Width(), wanted.Height() + 1, CGXControl::GetStyle()).cy;
  for (ROWCOL r = block.top; r < block.bottom; ++r) needed -= m_pGrid->GetRowHeight(r);
  const ROWCOL bottom = block.bottom;
  const int current = m_pGrid->GetRowHeight(bottom);
  if (needed > current) {
    // Never taller than the part of the grid below the frozen rows.
    const ROWCOL frozen = m_pGrid->GetFrozenRows();
    const ROWCOL above = bottom <= frozen ? bottom : frozen + 1;
    int limit = m_pGrid->GetGridRect().Height() - 1;
    if (bottom > 0)
      for (ROWCOL r = 0; r < above; ++r) limit -= m_pGrid->GetRowHeight(r);
    limit = std::max(limit, 0);
    if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
    if (current < limit) {
      m_pGrid->SetRowHeight(bottom, bottom, std::min(needed, limit));
      m_pGrid->ScrollCellInView(m_nRow, m_nCol);
    }
  } else if (needed < current && m_bShrink) {
    const int height = std::max(needed, m_nMinRowHeight);
    if (height < current) m_pGrid->SetRowHeight(bottom, bottom, height);
  }
}

BOOL CGXRichEditCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_NOTIFY && lParam != 0) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == EN_REQUESTRESIZE) {
      OnRequestResize(reinterpret_cast<const REQRESIZE*>(lParam)->rc);
      if (pResult != nullptr) *pResult = 0;
      return TRUE;
    }
  }
  return CGXEditControl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CGXRichEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      // The hidden window's size answers come to its parent, this window.
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header != nullptr && header->hwndFrom == m_helper.m_hWnd && header->code == EN_REQUESTRESIZE) {
        if (!g_resizeLock) m_rcRequested = reinterpret_cast<const REQRESIZE*>(lParam)->rc;
        return 0;
      }
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
      if (m_pGrid->ProcessKeys(this, message, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam))) return 0;
      return DefWindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN: {
      ResizeLock lock;
      return CGXEditControl::WindowProc(message, wParam, lParam);
    }
    default: break;
  }
  return CGXEditControl::WindowProc(message, wParam, lParam);
}

// A change is an edit of the cell; the row follows the window's own resize
// requests, so the edit cell's sizing to the text stays out of it.
BOOL CGXRichEditCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (IsActive() && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == m_hWnd) {
    OnModifyCell();
    return TRUE;
  }
  return CWnd::OnCommand(wParam, lParam);
}

CHARRANGE CGXRichEditCtrl::Selection() {
  CHARRANGE range{0, 0};
  if (m_hWnd != nullptr) SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void CGXRichEditCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  g_resizeLock = false;
  const LPARAM lp = MAKELPARAM(repeat, flags);
  if (!IsActive() || key == VK_CONTROL || key == VK_SHIFT) {
    if (!IsActive()) m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
    else DefWindowProc(WM_KEYDOWN, key, lp);
    return;
  }
  m_pGrid->ScrollCellInView(m_nRow, m_nCol);
  const BOOL ctrl = KeyHeld(VK_CONTROL), shift = KeyHeld(VK_SHIFT);
  const CHARRANGE sel = Selection();
  BOOL toGrid = FALSE;
  switch (key) {
    case VK_ESCAPE: case VK_TAB: case VK_PRIOR: case VK_NEXT: toGrid = TRUE; break;
    case VK_RETURN: toGrid = !ctrl && (CWnd::GetStyle() & ES_WANTRETURN) == 0; break;
    case VK_LEFT: toGrid = !ctrl && sel.cpMin == 0; break;  // as Right: a selection at the edge counts
    case VK_UP: toGrid = !ctrl && SendMessage(EM_EXLINEFROMCHAR, 0, sel.cpMin) == 0; break;
    case VK_RIGHT: {
      GETTEXTLENGTHEX count{GTL_NUMCHARS, 0};
      const auto last = static_cast<LONG>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&count)));
      toGrid = !ctrl && sel.cpMax >= last;
      break;
    }
    case VK_DOWN:
      toGrid = !ctrl && SendMessage(EM_EXLINEFROMCHAR, 0, sel.cpMax) >= SendMessage(EM_GETLINECOUNT) - 1;
      break;
    case VK_INSERT:
      if (shift) {
        Paste();
        return;
      }
      if (ctrl && sel.cpMin != sel.cpMax) {
        Copy();
        return;
      }
      break;
    case VK_DELETE:
      if (shift && sel.cpMin != sel.cpMax) {
        Cut();
        return;
      }
      break;
    case 'C': case 'V': case 'X': toGrid = ctrl; break;
    default: toGrid = key >= VK_F1 && key <= kLastFunctionKey; break;
  }
  if (toGrid) m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
  else DefWindowProc(WM_KEYDOWN, key, lp);
}

void CGXRichEditCtrl::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (!m_bInit || !IsActive() || (CWnd::GetStyle() & ES_READONLY) != 0 || (ch == VK_BACK && repeat == 0)) return;
  switch (ch) {
    case 3: Copy(); return;
    case 22: Paste(); return;
    case 24: Cut(); return;
    default: break;
  }
  if (ch >= 32) {
    CString window;
    GetWindowText(window);
    // The text as it would read, selection replaced: paragraph ends are one
    // position in the window and two characters in its text.
    const CHARRANGE sel = Selection();
    const std::string plain(window);
    auto toText = [&](LONG pos) {
      size_t i = 0;
      for (LONG p = 0; p < pos && i < plain.size(); ++p) i += plain.compare(i, 2, "\r\n") == 0 ? 2 : 1;
      return static_cast<int>(i);
    };
    const int a = toText(sel.cpMin), b = toText(sel.cpMax);
    const CString next = window.Left(a) + CString(static_cast<char>(ch)) + window.Mid(b);
    if (!ValidateString(next)) {
      OnInvalidKeyPressed(ch & 0xFF);
      return;
    }
  }
  DefWindowProc(WM_CHAR, ch, MAKELPARAM(repeat, flags));
  m_pGrid->ProcessKeys(this, WM_CHAR, ch, repeat, flags);
}

BOOL CGXRichEditCtrl::KeyDown(UINT key, UINT repeat, UINT flags) {
  g_resizeLock = false;
  return CGXEditControl::KeyDown(key, repeat, flags);
}

BOOL CGXRichEditCtrl::LButtonUp(UINT flags, CPoint point, UINT hit) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (m_hWnd == nullptr || !m_bInit || (mode & 7) == 0 || (hit & 2) != 0) return CGXControl::LButtonUp(flags, point, hit);
  if (!IsActive()) {
    if (!OnStartEditing()) return CGXControl::LButtonUp(flags, point, hit);
    SetActive(TRUE);
    Refresh();
  }
  const BOOL taken = CGXControl::LButtonUp(flags, point, hit);
  if (!taken) {
    // The caret lands where the user clicked.
    SendMessage(EM_SETSEL, 0, 0);
    if (CWnd* grid = GetGridWnd()) {
      grid->UpdateWindow();
      CPoint at = point;
      grid->ClientToScreen(&at);
      ScreenToClient(&at);
      SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
  }
  return TRUE;
}

BOOL CGXRichEditCtrl::LButtonDblClk(UINT flags, CPoint point) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (m_hWnd != nullptr && m_bInit && !IsActive() && (mode & 8) != 0) return LButtonUp(flags, point, 0);
  return CGXControl::LButtonDblClk(flags, point);
}

BOOL CGXRichEditCtrl::FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr) return FALSE;
  if (!(IsInitializedFor(row, col) && IsActive() && m_hWnd != nullptr))
    return CGXEditControl::FindText(request, row, col, fromCurrent, select);
  const CHARRANGE sel = Selection();
  FINDTEXTEX search{{fromCurrent ? sel.cpMin : sel.cpMin + 1, -1}, find->strFind, {0, 0}};
  const DWORD how = FR_DOWN | (find->bCase ? FR_MATCHCASE : 0);
  if (SendMessage(EM_FINDTEXTEX, how, reinterpret_cast<LPARAM>(&search)) < 0) return FALSE;
  if (select) {
    m_pGrid->ScrollCellInView(row, col);
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&search.chrgText));
  }
  return TRUE;
}

BOOL CGXRichEditCtrl::ReplaceAll(void* request, ROWCOL row, ROWCOL col) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr || find->strFind.IsEmpty()) return FALSE;
  const bool editing = IsInitializedFor(row, col) && IsActive() && m_hWnd != nullptr;
  HWND window = editing ? m_hWnd : m_helper.m_hWnd;
  if (window == nullptr) return FALSE;
  LONG from = 0;
  if (editing) {
    from = Selection().cpMin;
  } else {
    CGXStyle composed;
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    LoadHelper(composed.GetIncludeValue() ? composed.GetValue() : CString(), composed);
  }
  // Each replacement keeps the format of the text it replaces.
  const DWORD how = FR_DOWN | (find->bCase ? FR_MATCHCASE : 0);
  // The replacement's length in positions: a line break is one.
  const std::string replacement(find->strReplace);
  LONG added = 0;
  for (size_t i = 0; i < replacement.size(); ++i)
    if (!(replacement[i] == '\r' && i + 1 < replacement.size() && replacement[i + 1] == '\n')) ++added;
  int replaced = 0;
  for (;;) {
    FINDTEXTEX search{{from, -1}, find->strFind, {0, 0}};
    if (::SendMessage(window, EM_FINDTEXTEX, how, reinterpret_cast<LPARAM>(&search)) < 0) break;
    ::SendMessage(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&search.chrgText));
    ::SendMessage(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(find->strReplace)));
    from = search.chrgText.cpMin + added;
    ++replaced;
  }
  if (replaced == 0) return FALSE;
  if (editing) {
    SetModify(TRUE);
    OnModifyCell();
    Store();
    return TRUE;
  }
  const std::string rtf = RichEditStreamOut(window);
  m_helperLoaded = false;  // the hidden window no longer holds the stored value
  m_pGrid->SetValueRangeFromString(CGXRange(row, col), rtf.c_str(), 2);
  return TRUE;
}

int CGXRichEditCtrl::GetSelectedText(CString& text) {
  if (!IsActive() || m_hWnd == nullptr) {
    GetValue(text);
    return FALSE;
  }
  const CHARRANGE sel = Selection();
  if (sel.cpMin == sel.cpMax) {
    GetWindowText(text);
    return FALSE;
  }
  std::string buffer(static_cast<size_t>(sel.cpMax - sel.cpMin) * 2 + 1, '\0');
  buffer.resize(static_cast<size_t>(SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()))));
  text = CString(buffer.c_str());
  return TRUE;
}

BOOL CGXRichEditCtrl::Copy() {
  if (m_bInit && IsActive() && m_hWnd != nullptr) {
    const CHARRANGE sel = Selection();
    if (sel.cpMin != sel.cpMax) {
      // The selection goes as text and as rich text.
      SendMessage(WM_COPY);
      return TRUE;
    }
  }
  CString rtf;
  if (!m_bInit || !GetCurrentText(rtf)) return CGXControl::Copy();
  CString plain;
  GetControlText(plain, m_nRow, m_nCol, rtf, CGXControl::GetStyle());
  // The text first (it empties the clipboard), then the stream beside it.
  const BOOL copied = CGXControl::Copy();
  CWnd* grid = GetGridWnd();
  if (::OpenClipboard(grid != nullptr ? grid->GetSafeHwnd() : nullptr)) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(rtf.GetLength()) + 1);
    if (block != nullptr) {
      std::memcpy(::GlobalLock(block), static_cast<LPCTSTR>(rtf), static_cast<std::size_t>(rtf.GetLength()) + 1);
      ::GlobalUnlock(block);
      if (::SetClipboardData(GXRichTextClipboardFormat(), block) == nullptr) ::GlobalFree(block);
    }
    ::CloseClipboard();
  }
  return copied || !plain.IsEmpty();
}

BOOL CGXRichEditCtrl::Cut() {
  if (m_bInit && IsActive() && m_hWnd != nullptr && !CGXControl::IsReadOnly()) {
    const CHARRANGE sel = Selection();
    if (sel.cpMin != sel.cpMax) {
      SendMessage(WM_CUT);
      return TRUE;
    }
  }
  return CGXControl::Cut();
}

BOOL CGXRichEditCtrl::CanPaste() {
  if (m_bInit && !CGXControl::IsReadOnly() && ::IsClipboardFormatAvailable(GXRichTextClipboardFormat())) return TRUE;
  return CGXControl::CanPaste();
}

BOOL CGXRichEditCtrl::Paste() {
  if (!m_bInit || m_hWnd == nullptr || CGXControl::IsReadOnly() ||
      !::IsClipboardFormatAvailable(GXRichTextClipboardFormat()) || ::GetOpenClipboardWindow() != nullptr)
    return CGXControl::Paste();
  if (!IsActive()) {
    if (!OnStartEditing()) return FALSE;
    SetActive(TRUE);
    SendMessage(EM_SETSEL, 0, -1);
  }
  {
    ResizeLock lock;
    SendMessage(WM_PASTE);
  }
  SetModify(TRUE);
  OnModifyCell();
  Refresh();
  if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  SendMessage(EM_REQUESTRESIZE);  // the row may grow for what came in
  return TRUE;
}
