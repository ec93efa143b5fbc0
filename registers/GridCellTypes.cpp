// The application's cell types.
#include "registers/GridCellTypes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/AmountEdit.h"
#include "common/CalendarDlg.h"
#include "common/DateEdit.h"
#include "common/Dates.h"
#include "common/Money.h"
#include "grid/cells/GXGridCombo.h"
#include "grid/controls/GXPopupCalculator.h"
#include "platform/menus/Menu.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/ZanthGrid.h"

const GXControlClass CGridCombo::CGridComboRecord = {"CGridCombo", &CGXComboBox::CGXComboBoxRecord};
const GXControlClass CGridDollar::CGridDollarRecord = {"CGridDollar", &CGXEditControl::CGXEditControlRecord};
const GXControlClass CGridDate::CGridDateRecord = {"CGridDate", &CGXEditControl::CGXEditControlRecord};
const GXControlClass CGridAcct::CGridAcctRecord = {"CGridAcct", &CGXTabbedComboBox::CGXTabbedComboBoxRecord};
const GXControlClass CGridTNum::CGridTNumRecord = {"CGridTNum", &CGXEditControl::CGXEditControlRecord};

namespace {

constexpr UINT kCalculatorResult = 2019;
// Menu commands (0 is a dismissed menu).
constexpr UINT kCopyDate = 1, kPasteDate = 2, kCalendar = 4, kNewAccount = 1;

BOOL WholeTextSelected(CEdit& edit) {
  int start = 0, end = 0;
  edit.GetSel(start, end);
  return end == start + edit.GetWindowTextLength();
}

// Stores a text into the current cell as typing would.
void StoreTyped(CGXEditControl& cell, CGXGridCore* grid, const CString& text) {
  ROWCOL row = 0, col = 0;
  if (!grid->GetCurrentCell(row, col)) return;
  cell.SetControlText(row, col, text, 2, nullptr);
  cell.SetCurrentText(text);
  cell.SetModify(TRUE);
  cell.OnModifyCell();
}

UINT TrackMenu(HMENU menu, CPoint screen, CWnd* owner) {
  const UINT command = static_cast<UINT>(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RETURNCMD, screen.x, screen.y, 0,
                                                          owner != nullptr ? owner->GetSafeHwnd() : nullptr, nullptr));
  ::DestroyMenu(menu);
  return command;
}

// The room of a dropped list trimmed to whole rows: at the grid's list
// height the last row would end cut at the bottom edge and read as another
// account or payee.
void KeepWholeRows(CRect& room, CListBox* list) {
  if (list == nullptr || list->GetSafeHwnd() == nullptr) return;
  const int row = list->GetItemHeight(0);
  const int frame = 2 * ::GetSystemMetrics(SM_CYBORDER);
  if (row <= 0 || room.Height() < frame + 2 * row) return;
  room.bottom = room.top + (room.Height() - frame) / row * row + frame;
}

}  // namespace

void SendCellNotification(CZanthGrid* grid, UINT code, HWND edit) {
  CWnd* parent = grid != nullptr ? grid->GetParent() : nullptr;
  if (parent == nullptr) return;
  parent->SendMessage(WM_COMMAND, MAKEWPARAM(grid->GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(edit));
}

CGXStyle AccountCellStyle() {
  CGXStyle account;
  account.SetControl(kGridAcctId)
      .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "0")
      .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "0")
      .SetUserAttribute(GX_IDS_UA_TABLIST_SHOWALLCOLS, "1")
      .SetVerticalAlignment(DT_VCENTER);
  return account;
}

std::vector<CString> TabbedAccountChoices(const std::vector<CString>& list) {
  std::vector<CString> out;
  for (CString entry : list) {
    const int at = entry.Find(" / ");
    if (at >= 0) entry = entry.Left(at) + "\t" + entry.Mid(at + 3);
    out.push_back(entry);
  }
  return out;
}

CString JoinChoices(const std::vector<CString>& list) {
  CString joined;
  for (const CString& entry : list) joined += entry + "\n";
  return joined;
}

CString AccountChoiceTip(const std::vector<CString>& tabbed, const CString& value) {
  for (const CString& entry : tabbed) {
    const int tab = entry.Find('\t');
    if (tab > 0 && entry.Left(tab) == value) return entry.Left(tab) + " - " + entry.Mid(tab + 1);
  }
  return CString();
}

// ------------------------------------------------------------ combo cell

CGridCombo::CGridCombo(CZanthGrid* grid) : CGXComboBox(grid, 2001, 2000, 0), m_pZanthGrid(grid) {}

BOOL CGridCombo::HandleChar(UINT ch, UINT repeat, UINT flags) {
  CGXComboBox::HandleChar(ch, repeat, flags);
  AutoComplete(ch);
  return TRUE;
}

void CGridCombo::AutoComplete(UINT ch) {
  if (ch < 32 || ch > 126 || m_hWnd == nullptr || !IsActive()) return;
  int caret = 0, end = 0;
  GetSel(caret, end);
  CString text;
  GetWindowText(text);
  ROWCOL row = 0, col = 0;
  if (!m_pGrid->GetCurrentCell(row, col)) return;
  // The choices are the column's: its base style holds them.
  CGXStyle own;
  m_pGrid->GetParam()->GetData()->GetStyleRowCol(0, col, own, 0, CGXGridCore::kStoreBase);
  const CString choices = own.GetIncludeChoiceList() ? own.GetChoiceList() : CString();
  CString line;
  const BOOL match = !choices.IsEmpty() && FindStringInChoiceList(line, text, choices, FALSE) >= 0;
  if (match) text = line;
  SetControlText(row, col, text, 2, nullptr);
  if (match) {
    SetWindowText(text);
    SetSel(caret, -1);
  } else {
    SetSel(caret, caret);
  }
}

void CGridCombo::GetDropDownRect(CRect& out, const CRect& cellRect) {
  CGXComboBox::GetDropDownRect(out, cellRect);
  KeepWholeRows(out, m_pDropDownWnd != nullptr ? m_pDropDownWnd->GetListBox() : nullptr);
}

LRESULT CGridCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) {
    const LRESULT result = CGXComboBox::WindowProc(message, wParam, lParam);
    if (::IsWindow(m_hWnd)) AutoComplete(static_cast<UINT>(wParam));
    return result;
  }
  return CGXComboBox::WindowProc(message, wParam, lParam);
}

// ------------------------------------------------------------ money cell

CGridDollar::CGridDollar(CZanthGrid* grid) : CGXEditControl(grid, 2002), m_pZanthGrid(grid) {}

CString CGridDollar::FormatAmount(long cents, BOOL editForm) const {
  cents = std::clamp(cents, m_nMinimum, m_nMaximum);
  return editForm ? CString(FormatCents(cents)) : FormatDollars(cents, 1);
}

BOOL CGridDollar::GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) {
  const CString source = value != nullptr ? CString(value) : style.GetIncludeValue() ? style.GetValue() : CString();
  if (source.IsEmpty()) {
    text.Empty();
    return TRUE;
  }
  text = FormatAmount(std::atol(source), m_pGrid->IsCurrentCell(row, col));
  return TRUE;
}

BOOL CGridDollar::GetCurrentText(CString& text) {
  if (!m_bInit) return FALSE;
  CString typed;
  GetValue(typed);
  CString kept;
  for (int i = 0; i < typed.GetLength(); ++i)
    if (std::strchr("0123456789.-", typed[i]) != nullptr && typed[i] != '\0') kept += typed[i];
  if (kept.IsEmpty()) {
    text.Empty();
    return TRUE;
  }
  // What is stored is what the cell shows: the amount within its limits.
  const long cents = std::clamp(ParseDollars(kept), m_nMinimum, m_nMaximum);
  text.Format("%ld", cents);
  return TRUE;
}

BOOL CGridDollar::ValidateString(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (std::strchr("0123456789.-", text[i]) == nullptr || text[i] == '\0') return FALSE;
  return TRUE;
}

DWORD CGridDollar::CalcEditStyle(CRect& rect, int lineHeight) {
  DWORD style = CGXEditControl::CalcEditStyle(rect, lineHeight);
  return (style & ~static_cast<DWORD>(ES_CENTER)) | ES_RIGHT;
}

void CGridDollar::SetCellText(const CString& text) { StoreTyped(*this, m_pGrid, text); }

void CGridDollar::RecallLastAmount(UINT ch) {
  if (m_hWnd == nullptr || (ch != 'l' && ch != 'L') || !WholeTextSelected(*this)) return;
  CString text = FormatAmount(std::lround(LastAmount * 100.0), TRUE);
  text.Remove('.');
  SetCellText(text);
  SetSel(0, -1);
}

BOOL CGridDollar::HandleChar(UINT ch, UINT repeat, UINT flags) {
  const BOOL recall = (ch == 'l' || ch == 'L');
  if (recall && m_bInit) {
    if (!IsActive()) {
      if (!OnStartEditing()) return TRUE;
      SetActive(TRUE);
      SetSel(0, -1);
    }
    RecallLastAmount(ch);
    return TRUE;
  }
  return CGXEditControl::HandleChar(ch, repeat, flags);
}

void CGridDollar::OpenCalculator() {
  ROWCOL row = 0, col = 0;
  if (!m_pGrid->GetCurrentCell(row, col) || m_hWnd == nullptr) return;
  CRect rect = m_pGrid->CalcCellRect(row, col);
  GetGridWnd()->ClientToScreen(&rect);
  auto* calculator = new CGXBPopupCalculator;
  if (!calculator->CreatePopup(WS_POPUP | WS_VISIBLE | CGXBPopupCalculator::kStyleSendOnEquals, rect, GetGridWnd())) {
    delete calculator;
    return;
  }
  calculator->SetOwner(this);
  CString text;
  GetCurrentText(text);
  calculator->SetValue(std::atof(text) / 100.0);
}

BOOL CGridDollar::RButtonUp(UINT flags, CPoint point, UINT hit) {
  (void)flags, (void)point, (void)hit;
  OpenCalculator();
  return TRUE;
}

LRESULT CGridDollar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      if (wParam == 'l' || wParam == 'L') {
        if (WholeTextSelected(*this)) {
          RecallLastAmount(static_cast<UINT>(wParam));
          return 0;
        }
      }
      break;
    case WM_RBUTTONUP: OpenCalculator(); return 0;
    case kCalculatorResult: {
      const char* result = reinterpret_cast<const char*>(lParam);
      CString cents;
      cents.Format("%ld", ParseDollars(result != nullptr ? result : ""));
      SetCellText(cents);
      return 0;
    }
    default: break;
  }
  return CGXEditControl::WindowProc(message, wParam, lParam);
}

// ------------------------------------------------------------- date cell

CGridDate::CGridDate(CZanthGrid* grid) : CGXEditControl(grid, 2000), m_pZanthGrid(grid) {}

BOOL CGridDate::ValidateString(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (std::strchr("0123456789/-. ", text[i]) == nullptr || text[i] == '\0') return FALSE;
  return TRUE;
}

DWORD CGridDate::CalcEditStyle(CRect& rect, int lineHeight) {
  DWORD style = CGXEditControl::CalcEditStyle(rect, lineHeight);
  return (style & ~static_cast<DWORD>(ES_CENTER)) | ES_RIGHT;
}

void CGridDate::SetCellText(const CString& text) { StoreTyped(*this, m_pGrid, text); }

BOOL CGridDate::HandleDateKey(UINT ch) {
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (upper == '\0' || std::strchr(m_sShortcuts, upper) == nullptr || m_hWnd == nullptr) return FALSE;
  if (!IsActive()) {
    if (!OnStartEditing()) return TRUE;
    SetActive(TRUE);
    SetSel(0, -1);
  }
  CString text;
  GetWindowText(text);
  CString date;
  CDate8 editor;
  if (std::isalpha(static_cast<unsigned char>(upper))) {
    if (WholeTextSelected(*this)) {
      const CString letter(upper);
      const CString result = editor.FormatText(letter);
      if (result.GetLength() == 8 && result != letter) date = result;
    }
  } else if (editor.Parse(text)) {
    const CString stored = (upper == '+' || upper == '=') ? editor.AddMonthsDays(0, 1) : editor.SubtractMonthsDays(0, 1);
    date = FormatDateShort(stored, 18);
  }
  if (!date.IsEmpty()) {
    SetCellText(date);
    SetSel(0, -1);
  }
  return TRUE;
}

BOOL CGridDate::HandleChar(UINT ch, UINT repeat, UINT flags) {
  if (HandleDateKey(ch)) return TRUE;
  return CGXEditControl::HandleChar(ch, repeat, flags);
}

BOOL CGridDate::NotifyLeftCell(ROWCOL newRow, ROWCOL newCol) {
  CDate8 editor;
  if (m_hWnd != nullptr && IsActive()) {
    CString text;
    GetWindowText(text);
    const CString normal = editor.FormatText(text);
    if (normal != text) SetCellText(normal);
  } else if (m_nRow != static_cast<ROWCOL>(-1) && m_nCol != static_cast<ROWCOL>(-1)) {
    // The grid stores the edit before it tells the cell it was left: a
    // partial date typed is made whole in the cell itself, so that what
    // the row saves is the date shown.
    const CString stored = m_pGrid->GetCellValue(m_nRow, m_nCol);
    const CString normal = stored.IsEmpty() ? stored : editor.FormatText(stored);
    if (normal != stored) m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), normal, 0, 1);
  }
  return CGXEditControl::NotifyLeftCell(newRow, newCol);
}

void CGridDate::DateMenu(CPoint screen) {
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenu(menu, MF_STRING, kCopyDate, "Copy Date");
  ::AppendMenu(menu, MF_STRING, kPasteDate, "Paste Date");
  ::AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenu(menu, MF_STRING, kCalendar, "Calendar");
  const UINT command = TrackMenu(menu, screen, GetGridWnd());
  CString text;
  if (m_hWnd != nullptr) GetWindowText(text);
  switch (command) {
    case kCopyDate: {
      CDate8 editor;
      editor.SetText(text);
      break;
    }
    case kPasteDate: {
      const CString last = CDateEditEx::GetLastDate();
      if (!last.IsEmpty()) SetCellText(FormatDateShort(last, 18));
      break;
    }
    case kCalendar: {
      ROWCOL row = 0, col = 0;
      if (!m_pGrid->GetCurrentCell(row, col)) break;
      CRect rect = m_pGrid->CalcCellRect(row, col);
      GetGridWnd()->ClientToScreen(&rect);
      CCalendarDlg calendar(rect.left, rect.bottom, rect.top, GetGridWnd());
      calendar.m_strDate = text;
      if (calendar.DoModal() != IDOK) {
        if (m_hWnd != nullptr) SetWindowText(text);
      } else if (!calendar.m_strDate.IsEmpty()) {
        SetCellText(FormatDateShort(calendar.m_strDate, 18));
      }
      break;
    }
    default: break;
  }
}

BOOL CGridDate::RButtonUp(UINT, CPoint point, UINT) {
  CPoint screen = point;
  GetGridWnd()->ClientToScreen(&screen);
  DateMenu(screen);
  return TRUE;
}

LRESULT CGridDate::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      if (HandleDateKey(static_cast<UINT>(wParam))) return 0;
      break;
    case WM_RBUTTONUP: {
      CPoint screen(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      ClientToScreen(&screen);
      DateMenu(screen);
      return 0;
    }
    default: break;
  }
  return CGXEditControl::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------- account cell

CGridAcct::CGridAcct(CZanthGrid* grid) : CGXTabbedComboBox(grid, 2001, 2000), m_pZanthGrid(grid) {}

void CGridAcct::CreateNewAccount() {
  CString before, after;
  if (m_hWnd != nullptr) GetWindowText(before);
  SendCellNotification(m_pZanthGrid, GridNotifyNewAccount, m_hWnd);
  if (m_hWnd != nullptr) GetWindowText(after);
  if (after != before) {
    SetModify(TRUE);
    OnModifyCell();
  }
}

void CGridAcct::AccountMenu(CPoint screen) {
  if (!m_pZanthGrid->AllowsNewAccount()) return;
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenu(menu, MF_STRING, kNewAccount, "Create New Account");
  if (TrackMenu(menu, screen, GetGridWnd()) == kNewAccount) CreateNewAccount();
}

void CGridAcct::GetDropDownRect(CRect& out, const CRect& cellRect) {
  CGXTabbedComboBox::GetDropDownRect(out, cellRect);
  KeepWholeRows(out, m_pDropDownWnd != nullptr ? m_pDropDownWnd->GetListBox() : nullptr);
}

BOOL CGridAcct::RButtonUp(UINT, CPoint point, UINT) {
  CPoint screen = point;
  GetGridWnd()->ClientToScreen(&screen);
  AccountMenu(screen);
  return TRUE;
}

LRESULT CGridAcct::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_RBUTTONUP) {
    CPoint screen(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    ClientToScreen(&screen);
    AccountMenu(screen);
    return 0;
  }
  return CGXTabbedComboBox::WindowProc(message, wParam, lParam);
}

// ----------------------------------------------------------- number cell

CGridTNum::CGridTNum(CZanthGrid* grid) : CGXEditControl(grid, 2002), m_pZanthGrid(grid) {}

BOOL CGridTNum::HandleNextNumberKey(UINT ch) {
  if ((ch != 'N' && ch != 'n') || m_hWnd == nullptr) return FALSE;
  if (!IsActive()) {
    if (!OnStartEditing()) return TRUE;
    SetActive(TRUE);
    SetSel(0, -1);
  }
  if (!WholeTextSelected(*this)) return FALSE;
  SendCellNotification(m_pZanthGrid, GridNotifyNextNumber, m_hWnd);
  SetModify(TRUE);
  OnModifyCell();
  SetSel(0, -1);
  return TRUE;
}

BOOL CGridTNum::HandleChar(UINT ch, UINT repeat, UINT flags) {
  if (HandleNextNumberKey(ch)) return TRUE;
  return CGXEditControl::HandleChar(ch, repeat, flags);
}

LRESULT CGridTNum::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && HandleNextNumberKey(static_cast<UINT>(wParam))) return 0;
  return CGXEditControl::WindowProc(message, wParam, lParam);
}
