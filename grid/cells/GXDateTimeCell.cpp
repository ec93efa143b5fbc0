#include "grid/cells/GXDateTimeCell.h"

#include <algorithm>
#include <cstdlib>

#include "grid/cells/GXComboBox.h"
#include "grid/controls/GXDateTimeGadgets.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXStylesMap.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/host/Keys.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

const GXControlClass CGXDateTimeCtrl::CGXDateTimeCtrlRecord = {"CGXDateTimeCtrl", &CGXStatic::CGXStaticRecord};

namespace {

bool CtrlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }
bool ShiftHeld() { return (::GetKeyState(VK_SHIFT) & 0x8000) != 0; }

CString Attr(const CGXStyle& style, WORD id) {
  return style.HasUserAttribute(id) ? style.GetUserAttribute(id).GetValue() : CString();
}

CString DateNumber(const COleDateTime& date) {
  CString text;
  text.Format("%.13g", static_cast<double>(date));
  return text;
}

COleDateTime DefaultDate(int formatType) {
  if (formatType == CGXBDateTimeFields::kTime || formatType == CGXBDateTimeFields::kCustom)
    return COleDateTime(0.0);
  const COleDateTime now = COleDateTime::GetCurrentTime();
  return COleDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
}

}  // namespace

// ---- The windowless editor ----------------------------------------------------

CGXCaptiveDateTimeCtrl::CGXCaptiveDateTimeCtrl(DWORD style) {
  m_dwStyle = style;
  CreateGadgets();
}

void CGXCaptiveDateTimeCtrl::SetValueFromText(const CString& text) {
  COleDateTime date;
  SetDateTime(CGXDateTimeCtrl::DateFromText(text, m_bForceNumber, date) ? date : DefaultDate(GetFormatType()));
}

void CGXCaptiveDateTimeCtrl::LayoutGadgets(CDC* dc, const CRect& rect) {
  int x = rect.left + 1;
  int right = rect.right;
  for (CGXBDTGadget* g : gadgets_) {
    g->CalcSize(dc);
    CRect r = g->GetRect();
    const int w = r.Width();
    if (r.bottom == -1) {
      r.SetRect(0, rect.top, w, rect.bottom);
    } else {
      r.OffsetRect(0, rect.top + 1);
    }
    if (g->GetStyle() & CGXBDTGadget::kFixed) {
      right -= w;
      r.OffsetRect(right - r.left, 0);
    } else {
      r.OffsetRect(x - r.left, 0);
      x += w;
    }
    g->SetRect(r);
  }
}

CString CGXCaptiveDateTimeCtrl::GetFieldsText() const {
  CString text;
  for (const CGXBDTGadget* g : gadgets_) {
    if (auto* n = dynamic_cast<const CGXBDTNumericGadget*>(g)) {
      text += n->GetText();
    } else if (auto* l = dynamic_cast<const CGXBDTListGadget*>(g)) {
      text += l->GetText();
    } else if (auto* s = dynamic_cast<const CGXBDTStaticGadget*>(g)) {
      text += s->GetText();
    }
  }
  return text;
}

// ---- The cell -----------------------------------------------------------------

CGXDateTimeCtrl::CGXDateTimeCtrl(CGXGridCore* grid, UINT id)
    : CGXStatic(grid),
      m_nWndId(id),
      m_wndMeasure(0),
      m_wndDraw(id == GX_IDS_CTRL_DATETIME ? kStyleCalendarButton | kStyleSpin : kStyleSpin),
      m_dwCellStyle(id == GX_IDS_CTRL_DATETIME ? kStyleCalendarButton | kStyleSpin : kStyleSpin) {}

CGXDateTimeCtrl::~CGXDateTimeCtrl() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CGXDateTimeCtrl::CreateWindows(DWORD style, const CRect& rect) {
  if (m_hWnd != nullptr) return TRUE;
  return Create(0, style | m_dwCellStyle | WS_CHILD | WS_TABSTOP, rect, GetGridWnd(), m_nWndId);
}

BOOL CGXDateTimeCtrl::DateFromText(const CString& text, BOOL forceNumber, COleDateTime& date) {
  if (text.IsEmpty()) return FALSE;
  if (!forceNumber) {
    COleDateTime parsed;
    if (parsed.ParseDateTime(text) && parsed.GetStatus() == COleDateTime::valid) {
      date = parsed;
      return TRUE;
    }
  }
  const double number = std::atof(text);
  if (number == 0) return FALSE;
  date = COleDateTime(number);
  GXDateTimeParts parts;
  return GXDateTimeToParts(date, parts);
}

BOOL CGXDateTimeCtrl::ApplyFormatFromStyle(CGXBDateTimeFields& fields, const CGXStyle& style) {
  const CString typeText = Attr(style, GX_IDS_UA_DATEFORMATTYPE);
  const CString custom = Attr(style, GX_IDS_UA_CUSTOMFORMAT);
  const int type = std::min(std::atoi(typeText), 4);
  if (!typeText.IsEmpty() && type == kCustom) {
    fields.SetCustomFormat(custom);
  } else if (!typeText.IsEmpty()) {
    fields.SetFormatType(type);
  } else if (custom.IsEmpty()) {
    fields.SetFormatType(kShortDate);
  } else {
    fields.SetCustomFormat(custom);
  }
  const int used = fields.GetFormatType();
  return (used > 0 && used != kCustom) || fields.FormatHasDateFields();
}

void CGXDateTimeCtrl::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle noEdit;
  noEdit.SetControl(52542).SetChoiceList(GXGetString(20060));
  map->AddUserAttribute(GX_IDS_UA_DATENOEDIT, &noEdit);
  map->AddUserAttribute(GX_IDS_UA_DATEMIN);
  map->AddUserAttribute(GX_IDS_UA_DATEMAX);
  CGXStyle mode;
  mode.SetControl(52541).SetChoiceList(GXGetString(20061));
  mode.SetUserAttribute(51028, "1").SetUserAttribute(51029, "0").SetUserAttribute(51030, "0");
  map->AddUserAttribute(GX_IDS_UA_DATEVALIDMODE, &mode);
  CGXStyle type;
  type.SetControl(52541).SetChoiceList(GXGetString(20062));
  type.SetUserAttribute(51028, "1").SetUserAttribute(51029, "0").SetUserAttribute(51030, "0");
  map->AddUserAttribute(GX_IDS_UA_DATEFORMATTYPE, &type);
  map->AddUserAttribute(GX_IDS_UA_CUSTOMFORMAT);
  CGXStyle check;
  check.SetControl(52523).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER);
  map->AddUserAttribute(GX_IDS_UA_FASTINPUT, &check);
  map->AddUserAttribute(GX_IDS_UA_FORCE_NUMBER);
}

// ---- Binding ----------------------------------------------------------------------

void CGXDateTimeCtrl::Init(ROWCOL row, ROWCOL col) {
  CGXStatic::Init(row, col);
  if (m_hWnd == nullptr) CreateWindows(0, CRect(0, 0, 1, 1));
  const CGXStyle& style = CGXControl::GetStyle();
  SetNoEdit(static_cast<UINT>(std::atoi(Attr(style, GX_IDS_UA_DATENOEDIT))));
  m_bFormatHasDate = ApplyFormatFromStyle(*this, style);
  m_bForceNumber = std::atoi(Attr(style, GX_IDS_UA_FORCE_NUMBER)) != 0;
  m_bActive = FALSE;
  SetCurrentText(style.GetIncludeValue() ? style.GetValue() : CString());
  COleDateTime minimum(kMinDate);
  COleDateTime maximum(kMaxDate);
  COleDateTime bound;
  if (DateFromText(Attr(style, GX_IDS_UA_DATEMIN), m_bForceNumber, bound)) minimum = bound;
  if (DateFromText(Attr(style, GX_IDS_UA_DATEMAX), m_bForceNumber, bound)) maximum = bound;
  SetRange(minimum, maximum, std::atoi(Attr(style, GX_IDS_UA_DATEVALIDMODE)));
  m_bAutoAdvance = style.HasUserAttribute(GX_IDS_UA_FASTINPUT) ? std::atoi(Attr(style, GX_IDS_UA_FASTINPUT)) : 1;
  CGXGridParam* param = m_pGrid->GetParam();
  if (m_hWnd != nullptr && param != nullptr && (param->m_wActivateCell & 4) != 0 && OnStartEditing()) SetActive(TRUE);
  m_bModified = FALSE;
  SetModified(FALSE);
}

BOOL CGXDateTimeCtrl::Store() {
  CString text;
  if (!m_bInit || !m_bModified || !GetCurrentText(text)) return TRUE;
  SetActive(FALSE);
  FreeStyle(TRUE);
  return m_pGrid->SetValueRangeFromString(CGXRange(m_nRow, m_nCol), text, 0, 1);
}

BOOL CGXDateTimeCtrl::OnValidate() {
  // A field being typed into finishes first.
  if ((GetFlags() & kTypingFlag) && current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
    gadgets_[static_cast<size_t>(current_)]->CancelMode();
  return CGXControl::OnValidate();
}

BOOL CGXDateTimeCtrl::CanAcceptDateTime(const COleDateTime&) {
  if (m_bInit && CGXControl::IsReadOnly()) return FALSE;
  m_bModified = TRUE;
  return TRUE;
}

void CGXDateTimeCtrl::NotifyChanged() {
  if (!m_bInit) return;
  Refresh();
  if (m_bModified) OnModifyCell();
}

BOOL CGXDateTimeCtrl::GetCurrentText(CString& text) {
  if (!m_bInit) return FALSE;
  if (m_bModified) {
    text = DateNumber(GetDateTime());
    return TRUE;
  }
  const CGXStyle& style = CGXControl::GetStyle();
  text = style.GetIncludeValue() ? style.GetValue() : CString();
  return TRUE;
}

void CGXDateTimeCtrl::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  COleDateTime date;
  if (DateFromText(text, m_bForceNumber, date)) {
    SetDateTime(date);
  } else {
    COleDateTime fallback = DefaultDate(GetFormatType());
    if (GetFormatType() == kCustom && m_bFormatHasDate) fallback = DefaultDate(kShortDate);
    SetDateTime(fallback);
  }
  if (m_bInit) OnModifyCell();
}

void CGXDateTimeCtrl::GetValue(CString& text) {
  text.Empty();
  if (m_bInit && m_bModified) {
    GetControlText(text, m_nRow, m_nCol, DateNumber(GetDateTime()), CGXControl::GetStyle());
    return;
  }
  CGXControl::GetValue(text);
}

void CGXDateTimeCtrl::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!m_bActive) SetActive(TRUE);
  const CString given(text);
  COleDateTime date;
  if (given.IsEmpty()) {
    ApplyDateTime(COleDateTime(0.0));
  } else if (ValidateString(given) && date.ParseDateTime(given) && date.GetStatus() == COleDateTime::valid) {
    ApplyDateTime(date);
  } else {
    return;
  }
  m_bModified = TRUE;
  OnModifyCell();
}

BOOL CGXDateTimeCtrl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR value, const CGXStyle& style) {
  text.Empty();
  const CString source = value != nullptr ? CString(value) : style.GetIncludeValue() ? style.GetValue() : CString();
  if (source.IsEmpty()) return FALSE;
  ApplyFormatFromStyle(m_wndMeasure, style);
  COleDateTime date;
  if (!DateFromText(source, FALSE, date)) return FALSE;
  m_wndMeasure.SetDateTime(date);
  m_wndMeasure.UpdateGadgets(0xFFFF);
  text = m_wndMeasure.GetFieldsText();
  return TRUE;
}

BOOL CGXDateTimeCtrl::ConvertControlTextToValue(CString& text, ROWCOL, ROWCOL, const CGXStyle*) {
  if (text.IsEmpty()) return TRUE;
  COleDateTime date;
  if (date.ParseDateTime(text) && date.GetStatus() == COleDateTime::valid && static_cast<double>(date) != 0) {
    if (m_hWnd != nullptr) SetDateTime(date);
    text = DateNumber(date);
    return TRUE;
  }
  // Text that is no date stores nothing: no other cell's date may stand in.
  return FALSE;
}

void CGXDateTimeCtrl::GetSortKey(ROWCOL, ROWCOL, void*, const CGXStyle& style, CString& key) {
  key = style.GetIncludeValue() ? style.GetValue() : CString();
  COleDateTime date;
  if (!key.IsEmpty() && DateFromText(key, FALSE, date)) key.Format("%f", static_cast<double>(date));
}

CRect CGXDateTimeCtrl::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  return CGXControl::GetCellRect(row, col, cellRect, style);
}

CSize CGXDateTimeCtrl::CalcSize(int width, int height, const CGXStyle& style) {
  return CGXControl::CalcSize(width + 5, height, style);
}

CSize CGXDateTimeCtrl::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL vertical, BOOL) {
  COleDateTime date;
  if (!style.GetIncludeValue() || !DateFromText(style.GetValue(), FALSE, date)) return CSize(0, 0);
  ApplyFormatFromStyle(m_wndMeasure, style);
  m_wndMeasure.SetDateTime(date);
  m_wndMeasure.UpdateGadgets(0xFFFF);
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  int width = 0;
  int height = 0;
  for (CGXBDTGadget* g : m_wndMeasure.GetGadgets()) {
    g->CalcSize(dc);
    width += g->GetRect().Width();
    height = std::max<int>(height, static_cast<int>(g->GetRect().Height()));
  }
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  if (old != nullptr) dc->SelectObject(old);
  if (vertical) return CalcSize(0, std::max<int>(tm.tmHeight + tm.tmExternalLeading + 1, height), style);
  return CalcSize(width, 0, style);
}

// ---- Drawing ----------------------------------------------------------------------

BOOL CGXDateTimeCtrl::HasEmptyValue() {
  const CGXStyle& style = CGXControl::GetStyle();
  return !style.GetIncludeValue() || style.GetValue().IsEmpty();
}

void CGXDateTimeCtrl::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                           const CGXStyle* baseStyle) {
  if (IsInitializedFor(row, col) && m_bActive && IsCurrentCell() && !m_pGrid->IsPrinting() && m_hWnd != nullptr) {
    m_font.DeleteObject();
    LOGFONT lf = style.GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
    lf.lfOrientation = 0;
    lf.lfEscapement = 0;
    m_font.CreateFontIndirect(&lf);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), 0);
    DrawBackground(dc, rect, style, TRUE);
    const CRect r = GetCellRect(row, col, &rect, &style);
    MoveWindow(r, FALSE);
    LayoutGadgets();
    ShowWindow(SW_SHOW);
    if (CWnd* grid = GetGridWnd(); grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) {
      m_pGrid->m_bControlMovesWindows = TRUE;
      SetFocus();
      m_pGrid->m_bControlMovesWindows = FALSE;
    }
    Invalidate();
    UpdateWindow();
    m_pGrid->m_ExcludedRects.push_back(r);
    return;
  }
  CFont* old = GetGridGdiObject(dc, style, nullptr);
  DrawBackground(dc, rect, style, TRUE);
  const CRect text = GetCellRect(row, col, &rect, &style);
  const BOOL current = m_pGrid->IsCurrentCell(row, col) && !m_pGrid->IsPrinting();
  const BOOL showSpin = current && !CGXControl::IsReadOnly();
  const BOOL showButton = current;
  const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
  m_wndDraw.m_bForceNumber = std::atoi(Attr(style, GX_IDS_UA_FORCE_NUMBER)) != 0;
  ApplyFormatFromStyle(m_wndDraw, style);
  m_wndDraw.SetValueFromText(value);
  m_wndDraw.UpdateGadgets(0xFFFF);
  m_wndDraw.LayoutGadgets(dc, text);
  const bool blackWhite = GXDrawsBlackWhite(m_pGrid) != FALSE;
  dc->SetTextColor(blackWhite || !style.GetIncludeTextColor() ? RGB(0, 0, 0) : style.GetTextColor());
  dc->SetBkColor(blackWhite || !style.GetIncludeInterior() ? RGB(255, 255, 255) : style.GetInterior().GetColor());
  dc->SetBkMode(TRANSPARENT);
  const CGXBDTGadgetArray& gadgets = m_wndDraw.GetGadgets();
  const int save = dc->SaveDC();
  dc->IntersectClipRect(text.left, text.top, text.right, text.bottom);
  for (auto it = gadgets.rbegin(); it != gadgets.rend(); ++it) {
    CGXBDTGadget* g = *it;
    CRect meets;
    if (!meets.IntersectRect(&g->GetRect(), &text)) continue;
    const int id = g->GetId();
    if (id == kSpin) {
      if (showSpin) g->Draw(dc);
    } else if (id == kCalendarButton) {
      if (showButton) g->Draw(dc);
    } else if (!value.IsEmpty()) {
      g->Draw(dc);
    }
  }
  dc->RestoreDC(save);
  if (old != nullptr) dc->SelectObject(old);
  (void)baseStyle;
}

void CGXDateTimeCtrl::Hide() {
  if (m_hWnd == nullptr || !IsWindowVisible()) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  const HWND focus = ::GetFocus();
  MoveWindow(CRect(10000, 10000, 10001, 10001), FALSE);
  ShowWindow(SW_HIDE);
  if (focus == m_hWnd) {
    if (CWnd* grid = GetGridWnd()) grid->SetFocus();
  }
  m_pGrid->m_bControlMovesWindows = FALSE;
}

// ---- Activation, keys and mouse on the cell -------------------------------------

void CGXDateTimeCtrl::ChooseCurrentField() {
  const int n = static_cast<int>(gadgets_.size());
  if (current_ < fixedCount_ || current_ >= n || !gadgets_[static_cast<size_t>(current_)]->IsEditable()) {
    const int first = FirstEditable();
    current_ = first >= 0 ? first : 0;
  }
  const BOOL focused = m_hWnd != nullptr && ::GetFocus() == m_hWnd;
  for (int i = 0; i < n; ++i) gadgets_[static_cast<size_t>(i)]->SetFocus(focused && i == current_);
}

BOOL CGXDateTimeCtrl::StartAndActivate() {
  if (!m_bActive) {
    if (!OnStartEditing()) return FALSE;
    SetActive(TRUE);
    Refresh();
  }
  return TRUE;
}

int CGXDateTimeCtrl::ActivateFromPoint(int x, int y, int flag) {
  const CRect cell = m_pGrid->CalcRectFromRowColCovered(m_nRow, m_nCol, m_nRow, m_nCol);
  const CRect r = GetCellRect(m_nRow, m_nCol, &cell, &CGXControl::GetStyle());
  MoveWindow(r, FALSE);
  LayoutGadgets();
  CPoint point(x, y);
  if (point.x >= r.left && point.y >= r.top) point.Offset(-r.left, -r.top);
  const int index = GadgetFromPoint(point.x, point.y);
  const BOOL editable = index >= 0 && gadgets_[static_cast<size_t>(index)]->IsEditable();
  if (editable) {
    // A single click on an empty cell does not start editing it.
    if (flag == 0 && HasEmptyValue()) return 0;
    current_ = index;
  }
  ChooseCurrentField();
  if (!StartAndActivate()) return 0;
  if (editable) {
    if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  }
  m_pGrid->m_bControlMovesWindows = TRUE;
  SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(point.x, point.y));
  const LRESULT result = SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  m_pGrid->m_bControlMovesWindows = FALSE;
  return static_cast<int>(result);
}

BOOL CGXDateTimeCtrl::LButtonUp(UINT flags, CPoint point, UINT hit) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  const CRect cell = m_bInit ? m_pGrid->CalcRectFromRowColCovered(m_nRow, m_nCol, m_nRow, m_nCol) : CRect();
  if (m_hWnd == nullptr || !cell.PtInRect(point) || gadgets_.empty()) return FALSE;
  if ((mode & 7) != 0) ActivateFromPoint(point.x, point.y, 0);
  CGXStatic::LButtonUp(flags, point, hit);
  return TRUE;
}

BOOL CGXDateTimeCtrl::LButtonDblClk(UINT flags, CPoint point) {
  if (!m_bActive && m_hWnd != nullptr && !gadgets_.empty()) ActivateFromPoint(point.x, point.y, 1);
  return CGXStatic::LButtonDblClk(flags, point);
}

BOOL CGXDateTimeCtrl::KeyDown(UINT key, UINT, UINT) {
  if (CtrlHeld() || m_hWnd == nullptr) return FALSE;
  if (key == VK_END || key == VK_HOME) {
    m_pGrid->ScrollCellInView(m_nRow, m_nCol);
    if (!StartAndActivate()) return FALSE;
    const int target = key == VK_END ? LastEditable() : FirstEditable();
    if (target >= 0) current_ = target;
    ChooseCurrentField();
    return TRUE;
  }
  if (key == VK_DELETE && !ShiftHeld() && m_pGrid->GetParam() != nullptr &&
      m_pGrid->GetParam()->m_SelRects.IsEmpty() && !CGXControl::IsReadOnly() && OnDeleteCell() &&
      OnStartEditing()) {
    SetActive(FALSE);
    m_bModified = FALSE;
    m_pGrid->SetControlTextRowCol(m_nRow, m_nCol, CString());
  }
  return FALSE;
}

BOOL CGXDateTimeCtrl::HandleChar(UINT ch, UINT, UINT) {
  if (ch < 32 || ch == 127) return FALSE;
  const char text[2] = {static_cast<char>(ch), '\0'};
  return InsertText(text);
}

BOOL CGXDateTimeCtrl::InsertText(LPCTSTR text) {
  if (m_hWnd == nullptr || text == nullptr || text[0] == '\0') return FALSE;
  if (m_bActive) {
    // Typed ahead before the window took the focus: it still belongs here.
    SendMessage(WM_CHAR, static_cast<unsigned char>(text[0]), 0);
    return TRUE;
  }
  if (CGXControl::IsReadOnly() || !OnStartEditing()) return FALSE;
  SetActive(TRUE);
  Refresh();
  current_ = -1;
  ChooseCurrentField();
  PostMessage(WM_CHAR, static_cast<unsigned char>(text[0]), 0);
  return TRUE;
}

BOOL CGXDateTimeCtrl::SysKeyDown(UINT key, UINT, UINT) {
  if (key != VK_DOWN || m_hWnd == nullptr || gadgets_.empty()) return FALSE;
  if (!StartAndActivate()) return FALSE;
  if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol)) Refresh();
  if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  if (m_dwStyle & kStyleCalendarButton) OpenCalendar();
  return TRUE;
}

BOOL CGXDateTimeCtrl::Copy() {
  if (!m_bInit || !IsCurrentCell()) return FALSE;
  return m_pGrid->CopyRange(CGXRange(m_nRow, m_nCol));
}

BOOL CGXDateTimeCtrl::CanPaste() {
  if (m_pGrid->GetParam() == nullptr || !m_pGrid->GetParam()->m_SelRects.IsEmpty()) return FALSE;
  if (!m_bInit || !m_bActive || CGXControl::IsReadOnly()) return FALSE;
  return ::IsClipboardFormatAvailable(CF_TEXT);
}

int CGXDateTimeCtrl::GetSelectedText(CString& text) {
  text.Empty();
  if (!m_bActive || current_ < 0 || current_ >= static_cast<int>(gadgets_.size())) return FALSE;
  const CGXBDTGadget* g = gadgets_[static_cast<size_t>(current_)];
  if (auto* n = dynamic_cast<const CGXBDTNumericGadget*>(g)) {
    text.Format("%d", n->GetValue());
  } else if (auto* l = dynamic_cast<const CGXBDTListGadget*>(g)) {
    text = l->GetText();
  }
  return !text.IsEmpty();
}

// ---- The window's messages --------------------------------------------------------

LRESULT CGXDateTimeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN: {
      const UINT key = static_cast<UINT>(wParam);
      if (!m_bActive) return m_pGrid->ProcessKeys(this, message, key, LOWORD(lParam), HIWORD(lParam));
      if (m_bInit) m_pGrid->ScrollCellInView(m_nRow, m_nCol);
      const bool toGrid = CtrlHeld() || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT ||
                          key == VK_TAB || (key >= VK_F1 && key <= VK_F1 + 23 && key != VK_F4);
      if (toGrid) return m_pGrid->ProcessKeys(this, message, key, LOWORD(lParam), HIWORD(lParam));
      if (key == VK_DELETE) {
        SetActive(FALSE);
        m_bModified = FALSE;
        m_pGrid->SetControlTextRowCol(m_nRow, m_nCol, CString());
        return 0;
      }
      break;
    }
    case WM_CHAR: {
      if (!m_bInit || !m_bActive || CGXControl::IsReadOnly() || wParam == VK_BACK) return 0;
      if (CtrlHeld()) {
        if (wParam == 3) Copy();
        if (wParam == 22) Paste();
        if (wParam == 24) Cut();
        return 0;
      }
      if (wParam == '\r' || wParam == '\n') return 0;
      const LRESULT result = CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
      if (m_bModified) OnModifyCell();
      m_pGrid->ProcessKeys(this, WM_CHAR, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return result;
    }
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN && !gadgets_.empty()) {
        if (m_dwStyle & kStyleCalendarButton) OpenCalendar();
        return 0;
      }
      if (m_pGrid->ProcessKeys(this, message, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam))) return 0;
      break;
    case WM_KEYUP:
    case WM_SYSCHAR:
    case WM_SYSKEYUP:
      if (m_pGrid->ProcessKeys(this, message, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam))) return 0;
      break;
    case WM_LBUTTONUP: {
      m_pGrid->m_bControlMovesWindows = TRUE;
      const LRESULT result = CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
      m_pGrid->m_bControlMovesWindows = FALSE;
      if (m_bModified && m_bInit) OnModifyCell();
      return result;
    }
    case WM_SETFOCUS: scroll_ = 0; break;
    case WM_KILLFOCUS: {
      const LRESULT result = CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
      ForwardKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
      return result;
    }
    case WM_ERASEBKGND: {
      CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
      CRect client;
      GetClientRect(&client);
      dc->FillSolidRect(&client, RGB(255, 255, 255));
      if (m_bInit && CGXControl::GetStyle().GetIncludeInterior())
        dc->FillSolidRect(&client, CGXControl::GetStyle().GetInterior().GetColor());
      return TRUE;
    }
    default: break;
  }
  return CGXBDateTimeCtrl::WindowProc(message, wParam, lParam);
}

// ---- Find and replace ---------------------------------------------------------

int CGXDateTimeCtrl::FindField(const CGXBDTGadgetArray& gadgets, int fixed, const CString& find, BOOL matchCase,
                               int start, BOOL exact) {
  if (find.IsEmpty()) return -1;
  const bool number = find[0] >= '0' && find[0] <= '9';
  for (int i = std::max(start, 0); fixed + i < static_cast<int>(gadgets.size()); ++i) {
    const CGXBDTGadget* g = gadgets[static_cast<size_t>(fixed + i)];
    if (auto* n = dynamic_cast<const CGXBDTNumericGadget*>(g)) {
      CString shown;
      shown.Format("%d", n->GetValue());
      if (exact ? shown == find : number && std::atoi(find) == n->GetValue()) return i;
    } else if (auto* l = dynamic_cast<const CGXBDTListGadget*>(g)) {
      const CString item = l->GetText();
      if (exact) {
        if (item.CompareNoCase(find) == 0) return i;
      } else if (item.GetLength() >= find.GetLength()) {
        const CString head = item.Left(find.GetLength());
        if (matchCase ? head == find : head.CompareNoCase(find) == 0) return i;
      }
    }
  }
  return -1;
}

void CGXDateTimeCtrl::FocusField(ROWCOL row, ROWCOL col, int field) {
  if (!IsInitializedFor(row, col) || !m_pGrid->IsCurrentCell(row, col)) {
    m_pGrid->ScrollCellInView(row, col);
    m_pGrid->SetCurrentCell(row, col);
  }
  if (!IsInitializedFor(row, col)) return;
  SetActive(TRUE);
  current_ = fixedCount_ + field;
  ChooseCurrentField();
  Refresh();
}

BOOL CGXDateTimeCtrl::FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr || find->strFind.IsEmpty()) return FALSE;
  const bool again = row == m_nFoundRow && col == m_nFoundCol && !fromCurrent;
  int at = -1;
  if (IsInitializedFor(row, col) && m_bActive) {
    at = FindField(gadgets_, fixedCount_, find->strFind, find->bCase, again ? m_nNextField : 0, FALSE);
  } else {
    CGXStyle composed;
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    COleDateTime date;
    if (!composed.GetIncludeValue() || !DateFromText(composed.GetValue(), FALSE, date)) return FALSE;
    ApplyFormatFromStyle(m_wndMeasure, composed);
    m_wndMeasure.SetDateTime(date);
    m_wndMeasure.UpdateGadgets(0xFFFF);
    at = FindField(m_wndMeasure.GetGadgets(), m_wndMeasure.GetFixedCount(), find->strFind, find->bCase,
                   again ? m_nNextField : 0, FALSE);
  }
  if (at < 0) {
    m_nFoundRow = m_nFoundCol = static_cast<ROWCOL>(-1);
    return FALSE;
  }
  m_nFoundRow = row;
  m_nFoundCol = col;
  m_nNextField = at + 1;
  if (select) FocusField(row, col, at);
  return TRUE;
}

BOOL CGXDateTimeCtrl::ReplaceAll(void* request, ROWCOL row, ROWCOL col) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr || find->strFind.IsEmpty()) return FALSE;
  CGXStyle composed;
  m_pGrid->ComposeStyleRowCol(row, col, composed);
  if (composed.GetReadOnly()) return FALSE;
  COleDateTime date;
  if (!composed.GetIncludeValue() || !DateFromText(composed.GetValue(), FALSE, date)) return FALSE;
  ApplyFormatFromStyle(m_wndMeasure, composed);
  m_wndMeasure.SetDateTime(date);
  m_wndMeasure.UpdateGadgets(0xFFFF);
  const int at = FindField(m_wndMeasure.GetGadgets(), m_wndMeasure.GetFixedCount(), find->strFind, find->bCase, 0, TRUE);
  if (at < 0) return FALSE;
  FocusField(row, col, at);
  if (!IsInitializedFor(row, col) || !m_bActive) return FALSE;
  ReplaceSel(find->strReplace);
  return m_bModified && Store();
}

void CGXDateTimeCtrl::ReplaceSel(LPCTSTR text) {
  if (!m_bActive || current_ < fixedCount_ || current_ >= static_cast<int>(gadgets_.size())) {
    CGXStatic::ReplaceSel(text);
    return;
  }
  CGXBDTGadget* g = gadgets_[static_cast<size_t>(current_)];
  const CString given(text);
  if (dynamic_cast<CGXBDTNumericGadget*>(g) != nullptr) {
    if (given.IsEmpty() || given[0] < '0' || given[0] > '9') return;
    const int number = std::atoi(given);
    if (OnGadgetNotify(kQuery, g->GetId(), number)) OnGadgetNotify(kSet, g->GetId(), number);
  } else if (auto* list = dynamic_cast<CGXBDTListGadget*>(g)) {
    list->SelectMatchingItem(given, 0);
  }
}
