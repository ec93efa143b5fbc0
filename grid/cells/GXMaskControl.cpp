// The masked edit cell.
#include "grid/cells/GXMaskControl.h"

#include <algorithm>
#include <cstring>

#include "grid/core/GXAppData.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXStylesMap.h"
#include "platform/host/Keys.h"
#include "platform/window/Clipboard.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"

const GXControlClass CGXMaskControl::CGXMaskControlRecord = {"CGXMaskControl", &CGXStatic::CGXStaticRecord};

namespace {
BOOL KeyHeld(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
constexpr UINT kLastFunctionKey = 0x87;  // F24

CString AttributeText(const CGXStyle& style, WORD id) {
  return style.HasUserAttribute(id) ? style.GetUserAttribute(id).GetValue() : CString();
}
}  // namespace

UINT GXMaskDataClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormat("GX_MASKDATA");
  return format;
}

CGXMaskControl::CGXMaskControl(CGXGridCore* grid, UINT id, CRuntimeClass* dataClass)
    : CGXEditControl(grid, id), m_pDataClass(dataClass) {
  GXMaskDataClipboardFormat();
}

CGXMaskControl::~CGXMaskControl() {
  delete m_pEditData;
  delete m_pDrawData;
}

BOOL CGXMaskControl::CreateControl(DWORD style, const RECT* rect) {
  const auto make = [&]() {
    CObject* made = m_pDataClass != nullptr ? m_pDataClass->CreateObject() : nullptr;
    auto* data = dynamic_cast<CGXMaskData*>(made);
    if (data == nullptr) {
      delete made;
      data = new CGXMaskData;
    }
    return data;
  };
  if (m_pEditData == nullptr) m_pEditData = make();
  if (m_pDrawData == nullptr) m_pDrawData = make();
  return CGXEditControl::CreateControl(style, rect);
}

void CGXMaskControl::SetMaskFromStyle(const CGXStyle& style, CGXMaskData* data) {
  CString prompt = AttributeText(style, GX_IDS_UA_INPUTPROMPT);
  if (!style.HasUserAttribute(GX_IDS_UA_INPUTPROMPT)) prompt = "_";
  data->Empty();
  data->SetPromptChar(prompt, FALSE);  // a refused prompt leaves the one before
  data->SetMask(AttributeText(style, GX_IDS_UA_INPUTMASK));
  data->SetMaxLength(INT_MAX);
  if (style.GetIncludeMaxLength() && style.GetMaxLength() != 0) data->SetMaxLength(style.GetMaxLength());
}

void CGXMaskControl::Init(ROWCOL row, ROWCOL col) {
  if (m_hWnd == nullptr) CreateControl(0, nullptr);
  CGXEditControl::Init(row, col);
  SendMessage(EM_LIMITTEXT, 0);  // the mask limits the entry, not the editor
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if ((mode & 4) != 0 && OnStartEditing()) SetActive(TRUE);
  SetModify(FALSE);
}

BOOL CGXMaskControl::OnValidate() {
  // An entry the mask does not accept is refused without a message.
  if (IsActive() && GetModify() && m_pEditData != nullptr && !m_pEditData->IsValid()) return FALSE;
  return CGXEditControl::OnValidate();
}

void CGXMaskControl::GetValue(CString& text) {
  text.Empty();
  if (m_bInit && m_pEditData != nullptr) m_pEditData->GetDisplayText(text);
}

void CGXMaskControl::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!IsActive()) SetActive(TRUE);
  if (!ValidateString(CString(text))) return;
  m_pEditData->PutDisplayText(text, -1, FALSE);
  ShowEntry(-1);
  Changed();
}

BOOL CGXMaskControl::GetCurrentText(CString& text) {
  if (!m_bInit || m_pEditData == nullptr) return FALSE;
  m_pEditData->GetData(text, 0, -1, TRUE);
  return TRUE;
}

void CGXMaskControl::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr || m_pEditData == nullptr) return;
  SetMaskFromStyle(CGXControl::GetStyle(), m_pEditData);
  m_pEditData->PutData(text, -1, FALSE);
  CString shown;
  m_pEditData->GetDisplayText(shown);
  SetWindowText(shown);
}

BOOL CGXMaskControl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR value, const CGXStyle& style) {
  text.Empty();
  if (m_pDrawData == nullptr) m_pDrawData = new CGXMaskData;
  SetMaskFromStyle(style, m_pDrawData);
  const CString source = value != nullptr ? CString(value) : style.GetIncludeValue() ? style.GetValue() : CString();
  if (source.IsEmpty() && !m_bDisplayEmpty) return TRUE;
  if (m_pDrawData->PutData(source, -1, FALSE) == -1) return FALSE;
  m_pDrawData->GetDisplayText(text);
  return TRUE;
}

BOOL CGXMaskControl::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  if (m_pDrawData == nullptr) m_pDrawData = new CGXMaskData;
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  SetMaskFromStyle(*style, m_pDrawData);
  // A text with the literals first, else the typed characters alone.
  if (m_pDrawData->PutDisplayText(text, -1, FALSE) == -1 || !m_pDrawData->IsValid()) {
    if (m_pDrawData->PutData(text, -1, FALSE) == -1) return FALSE;
  }
  m_pDrawData->GetData(text, 0, -1, TRUE);
  return TRUE;
}

void CGXMaskControl::ShowEntry(int caret) {
  CString shown;
  m_pEditData->GetDisplayText(shown);
  int start = 0, end = 0;
  GetSel(start, end);
  SetWindowText(shown);
  if (caret >= 0) SendMessage(EM_SETSEL, static_cast<WPARAM>(caret), caret);
  else SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CGXMaskControl::Changed() {
  SetModify(TRUE);
  OnModifyCell();
}

BOOL CGXMaskControl::StartAt(int caret) {
  if (!OnStartEditing()) return FALSE;
  if (!m_bInit) return FALSE;
  SetActive(TRUE);
  if (caret < 0) SendMessage(EM_SETSEL, 0, -1);
  else SendMessage(EM_SETSEL, static_cast<WPARAM>(caret), caret);
  Refresh();
  return TRUE;
}

int CGXMaskControl::InputPosFromPoint(CPoint point) {
  const int at = CalcCharFromPoint(point);
  if (at < 0) return -1;
  CGXMaskData* data = m_pEditData;
  if (data->HasNoMask()) return std::min(at, data->GetEntryLength());
  int pos = data->IsLiteral(at) ? data->NextInputPos(at) : at;
  if (pos < 0) pos = data->PrevInputPos(at);
  const int limit = data->LimitToEntry(data->GetEntryLength());
  return std::max(0, std::min(pos, limit));
}

BOOL CGXMaskControl::LButtonUp(UINT flags, CPoint point, UINT hit) {
  if (m_hWnd != nullptr && m_bInit) {
    const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
    const int pos = InputPosFromPoint(point);
    if ((pos >= 0 && (mode & 1) != 0) || (mode & 6) != 0) {
      if (IsActive()) {
        if (pos >= 0) SendMessage(EM_SETSEL, static_cast<WPARAM>(pos), pos);
      } else {
        StartAt(pos);
      }
    }
  }
  return CGXControl::LButtonUp(flags, point, hit);
}

BOOL CGXMaskControl::LButtonDblClk(UINT flags, CPoint point) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (m_hWnd != nullptr && m_bInit && !IsActive() && (mode & 8) != 0) StartAt(InputPosFromPoint(point));
  return CGXControl::LButtonDblClk(flags, point);
}

BOOL CGXMaskControl::KeyDown(UINT key, UINT, UINT) {
  if (m_hWnd == nullptr || KeyHeld(VK_CONTROL) || !m_bInit) return FALSE;
  BOOL handled = FALSE;
  switch (key) {
    case VK_END:
      handled = StartAt(m_pEditData->LimitToEntry(m_pEditData->GetEntryLength())) || TRUE;
      break;
    case VK_HOME: {
      const int first = m_pEditData->NextInputPos(-1);
      handled = StartAt(std::max(first, 0)) || TRUE;
      break;
    }
    case VK_DELETE: {
      CGXGridParam* param = m_pGrid->GetParam();
      if ((param != nullptr && param->m_SelRects.GetCount() > 0) || CGXControl::IsReadOnly() || KeyHeld(VK_SHIFT))
        return FALSE;
      if (!OnDeleteCell() || !OnStartEditing()) return FALSE;
      SetActive(TRUE);
      SetCurrentText("");
      Changed();
      handled = TRUE;
      break;
    }
    default: return FALSE;
  }
  UpdateEditStyle();
  if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol)) Refresh();
  return handled;
}

BOOL CGXMaskControl::HandleChar(UINT ch, UINT, UINT) {
  if (m_hWnd == nullptr || ch < 32 || ch == 127) return FALSE;
  const char text[2] = {static_cast<char>(ch), '\0'};
  return InsertText(text);
}

BOOL CGXMaskControl::InsertText(LPCTSTR text) {
  if (m_hWnd == nullptr || !m_bInit || CGXControl::IsReadOnly() || text == nullptr || *text == '\0') return FALSE;
  CGXMaskData* data = m_pEditData;
  char ch = text[0];
  if (!IsActive()) {
    if (!OnStartEditing()) return FALSE;
    const int first = data->HasNoMask() ? 0 : data->NextInputPos(-1);
    if (first < 0 || !data->IsValidInput(first, ch)) return FALSE;
    data->ResetEntry();
    if (data->HasNoMask()) data->PutDisplayText("", -1, FALSE);
    int next = first + 1;
    if (data->HasNoMask()) next = data->PutDisplayText(CString(ch), 0, TRUE);
    else data->InsertAt(first, ch, next);
    SetActive(TRUE);
    ShowEntry(next);
    Changed();
    Refresh();
    return TRUE;
  }
  int start = 0, end = 0;
  GetSel(start, end);
  int at = data->HasNoMask() ? start : data->IsLiteral(start) ? data->NextInputPos(start) : start;
  if (at < 0 || !data->IsValidInput(at, ch)) {
    OnInvalidKeyPressed(static_cast<unsigned char>(ch));
    return TRUE;
  }
  int next = at + 1;
  if (data->HasNoMask()) {
    data->DeleteRange(end, start);
    if (data->GetEntryLength() >= data->GetMaxLength()) return TRUE;
    next = data->PutDisplayText(CString(ch), at, TRUE);
  } else if (m_bInsertMode) {
    if (end > start) data->DeleteRange(end, start);
    if (!data->InsertAt(at, ch, next)) return TRUE;
  } else {
    if (end > at + 1) data->DeleteRange(end, at + 1);
    data->PutDisplayText("", 0, FALSE);
    CString one(ch);
    next = data->PutData(one, at, FALSE);
    if (next < 0) return TRUE;
    const int following = data->NextInputPos(at);
    next = following < 0 ? data->GetEntryLength() : following;
  }
  ShowEntry(next);
  Changed();
  return TRUE;
}

void CGXMaskControl::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (!m_bInit || !IsActive() || CGXControl::IsReadOnly() || (CWnd::GetStyle() & ES_READONLY) != 0 ||
      ch == VK_BACK)
    return;
  m_pGrid->ScrollCellInView(m_nRow, m_nCol);
  if (KeyHeld(VK_CONTROL)) {
    switch (ch) {
      case 3:
        if (::OpenClipboard(m_hWnd)) ::EmptyClipboard(), ::CloseClipboard();
        Copy();
        return;
      case 22: Paste(); return;
      case 24:
        if (::OpenClipboard(m_hWnd)) ::EmptyClipboard(), ::CloseClipboard();
        CGXControl::Cut();
        return;
      default: break;
    }
  }
  if (ch == '\r' || ch == '\n') return;
  if (KeyHeld(VK_CONTROL) || ch < 32) {
    DefWindowProc(WM_CHAR, ch, MAKELPARAM(repeat, flags));
    m_pGrid->ProcessKeys(this, WM_CHAR, ch, repeat, flags);
    return;
  }
  CGXMaskData* data = m_pEditData;
  int start = 0, end = 0;
  GetSel(start, end);
  const int at = data->HasNoMask() ? start : data->IsLiteral(start) ? data->NextInputPos(start) : start;
  // A selection of literals only, or no input position left: a beep.
  if (at < 0 || (!data->HasNoMask() && end > start && at >= end)) {
    ::MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  char typed = static_cast<char>(ch);
  if (!data->IsValidInput(at, typed)) {
    OnInvalidKeyPressed(ch);
    return;
  }
  InsertText(CString(static_cast<char>(ch)));
  SendMessage(EM_SCROLLCARET);
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(m_nID, EN_CHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXMaskControl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  const LPARAM lp = MAKELPARAM(repeat, flags);
  if (!IsActive() || key == VK_CONTROL || key == VK_SHIFT) {
    if (!IsActive()) m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
    else DefWindowProc(WM_KEYDOWN, key, lp);
    return;
  }
  m_pGrid->ScrollCellInView(m_nRow, m_nCol);
  if (KeyHeld(VK_CONTROL)) {
    m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
    return;
  }
  CGXMaskData* data = m_pEditData;
  const BOOL readOnly = CGXControl::IsReadOnly();
  const BOOL shift = KeyHeld(VK_SHIFT);
  int start = 0, end = 0;
  GetSel(start, end);
  const int length = data->GetEntryLength();
  const int limit = data->HasNoMask() ? length : data->LimitToEntry(length);
  switch (key) {
    case VK_BACK: {
      if (readOnly) return;
      int caret = start;
      if (end > start) {
        data->DeleteRange(end, start);
        caret = data->HasNoMask() ? start : std::max(data->IsLiteral(start) ? data->NextInputPos(start) : start, 0);
      } else {
        const int previous = data->HasNoMask() ? start - 1 : data->PrevInputPos(start);
        if (previous < 0) return;
        data->DeleteRange(previous + 1, previous);
        caret = previous;
      }
      ShowEntry(caret);
      Changed();
      return;
    }
    case VK_DELETE: {
      if (readOnly) return;
      if (end > start && shift) {
        if (::OpenClipboard(m_hWnd)) ::EmptyClipboard(), ::CloseClipboard();
        CGXControl::Cut();
        return;
      }
      if (end > start) {
        data->DeleteRange(end, start);
      } else {
        const int at = data->HasNoMask() ? start : data->IsLiteral(start) ? data->NextInputPos(start) : start;
        if (at < 0 || at >= length) return;
        data->DeleteRange(at + 1, at);
      }
      ShowEntry(start);
      Changed();
      return;
    }
    case VK_INSERT:
      if (readOnly) return;
      if (shift) {
        Paste();
        return;
      }
      m_bInsertMode = !m_bInsertMode;
      DefWindowProc(WM_KEYDOWN, key, lp);
      return;
    case VK_HOME: {
      const int first = std::max(data->HasNoMask() ? 0 : data->NextInputPos(-1), 0);
      if (shift) SendMessage(EM_SETSEL, static_cast<WPARAM>(start), 0);
      else SendMessage(EM_SETSEL, static_cast<WPARAM>(first), first);
      return;
    }
    case VK_END:
      if (shift) SendMessage(EM_SETSEL, static_cast<WPARAM>(start), length);
      else SendMessage(EM_SETSEL, static_cast<WPARAM>(limit), limit);
      return;
    case VK_LEFT: {
      if (shift) break;
      if (start <= 0 && end <= 0) {
        m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
        return;
      }
      int to;
      if (end > start) {
        to = data->IsLiteral(start) ? data->PrevInputPos(start) : start;
      } else {
        to = data->HasNoMask() ? start - 1 : data->PrevInputPos(start);
      }
      if (to < 0) to = 0;
      SendMessage(EM_SETSEL, static_cast<WPARAM>(to), to);
      return;
    }
    case VK_RIGHT: {
      if (shift) break;
      if (end <= start && start >= limit) {
        m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
        return;
      }
      int to;
      if (end > start) {
        to = data->IsLiteral(end) ? data->NextInputPos(end) : end;
      } else {
        to = data->HasNoMask() ? start + 1 : data->NextInputPos(start);
      }
      if (to < 0 || to > limit) to = limit;
      SendMessage(EM_SETSEL, static_cast<WPARAM>(to), to);
      return;
    }
    case VK_UP:
      if (LineFromChar(start) == 0) {
        m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
        return;
      }
      break;
    case VK_DOWN:
      if (LineFromChar(end) >= GetLineCount() - 1) {
        m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
        return;
      }
      break;
    case VK_RETURN: case VK_TAB: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT:
      m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
      return;
    default:
      if (key >= VK_F1 && key <= kLastFunctionKey) {
        m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
        return;
      }
      break;
  }
  DefWindowProc(WM_KEYDOWN, key, lp);
}

LRESULT CGXMaskControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONUP: {
      const LRESULT result = CGXEditControl::WindowProc(message, wParam, lParam);
      // A click past the typed text puts the caret just after it, so that
      // what is typed next leaves no gap.
      int start = 0, end = 0;
      if (m_hWnd != nullptr && IsActive() && m_pEditData != nullptr && !m_pEditData->HasNoMask() &&
          (GetSel(start, end), start == end)) {
        const int limit = m_pEditData->LimitToEntry(start);
        int at = m_pEditData->IsLiteral(limit) ? m_pEditData->NextInputPos(limit) : limit;
        if (at < 0) at = m_pEditData->PrevInputPos(limit);
        if (at >= 0 && at != start) SendMessage(EM_SETSEL, static_cast<WPARAM>(at), at);
      }
      return result;
    }
    case WM_CONTEXTMENU: return 0;
    default: break;
  }
  return CGXEditControl::WindowProc(message, wParam, lParam);
}

BOOL CGXMaskControl::Copy() {
  if (!m_bInit || !IsCurrentCell() || m_pEditData == nullptr) return FALSE;
  CString typed;
  if (IsActive()) {
    int start = 0, end = 0;
    GetSel(start, end);
    if (end > start) m_pEditData->GetData(typed, start, end, TRUE);
  } else {
    m_pEditData->GetData(typed, 0, -1, TRUE);
  }
  // The text copy first: it empties the clipboard, which then also takes
  // the typed characters.
  const BOOL copied = CGXControl::Copy();
  BOOL done = FALSE;
  if (!typed.IsEmpty() && ::OpenClipboard(m_hWnd)) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(typed.GetLength()) + 1);
    if (block != nullptr) {
      std::memcpy(::GlobalLock(block), static_cast<LPCTSTR>(typed), static_cast<std::size_t>(typed.GetLength()) + 1);
      ::GlobalUnlock(block);
      done = ::SetClipboardData(GXMaskDataClipboardFormat(), block) != nullptr;
      if (!done) ::GlobalFree(block);
    }
    ::CloseClipboard();
  }
  return copied || done;
}

BOOL CGXMaskControl::CanPaste() {
  CGXGridParam* param = m_pGrid->GetParam();
  if (param != nullptr && param->m_SelRects.GetCount() > 0 && ::IsClipboardFormatAvailable(GXGetAppData()->m_uiStylesClipboardFormat))
    return FALSE;
  if (!m_bInit || !IsActive() || CGXControl::IsReadOnly()) return FALSE;
  return ::IsClipboardFormatAvailable(GXMaskDataClipboardFormat()) || ::IsClipboardFormatAvailable(CF_TEXT) ||
         ::IsClipboardFormatAvailable(CF_OEMTEXT);
}

BOOL CGXMaskControl::Paste() {
  if (!CanPaste() || !::OpenClipboard(m_hWnd)) return FALSE;
  UINT format = GXMaskDataClipboardFormat();
  HANDLE block = ::GetClipboardData(format);
  if (block == nullptr) block = ::GetClipboardData(format = CF_TEXT);
  if (block == nullptr) block = ::GetClipboardData(format = CF_OEMTEXT);
  CString text;
  if (block != nullptr) {
    const auto* bytes = static_cast<const char*>(::GlobalLock(block));
    const SIZE_T size = ::GlobalSize(block);
    if (bytes != nullptr) text = CString(bytes, static_cast<int>(strnlen(bytes, size)));
    ::GlobalUnlock(block);
  }
  ::CloseClipboard();
  if (block == nullptr) return FALSE;
  m_bPastingMaskData = format == GXMaskDataClipboardFormat();
  ReplaceSel(text);
  m_bPastingMaskData = FALSE;
  return TRUE;
}

void CGXMaskControl::ReplaceSel(LPCTSTR text) {
  if (!m_bInit || CGXControl::IsReadOnly()) return;
  if (!IsActive()) {
    CGXControl::ReplaceSel(text);
    return;
  }
  CGXMaskData* data = m_pEditData;
  int start = 0, end = 0;
  GetSel(start, end);
  const int target = data->HasNoMask() ? start : data->IsLiteral(start) ? data->NextInputPos(start) : start;
  if (target < 0 || (end > start && target >= end && !data->HasNoMask())) return;
  CString before;
  data->GetDisplayText(before);
  const auto restore = [&]() { data->PutDisplayText(before, -1, FALSE); };
  if (end > start) data->DeleteRange(end, start);
  CString afterDelete;
  data->GetDisplayText(afterDelete);
  int next = -1;
  if (!m_bPastingMaskData) {
    next = data->PutDisplayText(text, target, TRUE);
    if (next < 0 || !data->IsValid()) {
      data->PutDisplayText(afterDelete, -1, FALSE);
      next = -1;
    }
  }
  if (next < 0) {
    next = data->PutData(text, target, TRUE);
    if (next < 0 || !data->IsValid()) {
      restore();
      ShowEntry(start);
      return;
    }
  }
  ShowEntry(next);
  Changed();
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(m_nID, EN_CHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CGXMaskControl::ReplaceAll(void* request, ROWCOL row, ROWCOL col) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr) return FALSE;
  const BOOL current = IsInitializedFor(row, col) && IsActive();
  CGXMaskData scratch;
  CGXMaskData* data = current ? m_pEditData : &scratch;
  if (!current) {
    CGXStyle style;
    m_pGrid->ComposeStyleRowCol(row, col, style);
    SetMaskFromStyle(style, data);
    if (data->PutData(style.GetIncludeValue() ? style.GetValue() : CString(), -1, FALSE) < 0) return FALSE;
  }
  CString shown;
  data->GetDisplayText(shown);
  CString what = find->strFind, haystack = shown;
  if (what.IsEmpty()) return FALSE;
  if (!find->bCase) {
    what.MakeUpper();
    haystack.MakeUpper();
  }
  std::vector<int> hits;
  for (int at = haystack.Find(what); at >= 0; at = haystack.Find(what, at + what.GetLength())) hits.push_back(at);
  if (hits.empty()) return FALSE;
  for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
    const int first = *it, last = first + what.GetLength();
    int input = data->HasNoMask() ? first : data->IsLiteral(first) ? data->NextInputPos(first) : first;
    if (input < 0 || input >= last) continue;  // only literals: nothing to replace
    CString before;
    data->GetDisplayText(before);
    data->DeleteRange(last, first);
    int next = data->PutDisplayText(find->strReplace, input, TRUE);
    if (next < 0 || !data->IsValid()) {
      data->PutDisplayText(before, -1, FALSE);
      data->DeleteRange(last, first);
      next = data->PutData(find->strReplace, input, TRUE);
      if (next < 0 || !data->IsValid()) data->PutDisplayText(before, -1, FALSE);
    }
  }
  CString typed;
  data->GetData(typed, 0, -1, TRUE);
  if (current) ShowEntry(-1);
  m_pGrid->SetValueRangeFromString(CGXRange(row, col), typed, 0, 1);
  return TRUE;
}

int CGXMaskControl::GetSelectedText(CString& text) {
  if (!IsActive() || m_hWnd == nullptr) {
    CGXControl::GetValue(text);
    return FALSE;
  }
  GetWindowText(text);
  int start = 0, end = 0;
  GetSel(start, end);
  start = std::clamp(start, 0, text.GetLength());
  end = std::clamp(end, start, text.GetLength());
  text = text.Mid(start, end - start);
  return TRUE;
}

void CGXMaskControl::AddUserAttributes(CGXStylesMap* map) {
  CGXStyle mask;
  mask.SetWrapText(TRUE).SetAutoSize(TRUE);
  map->AddUserAttribute(GX_IDS_UA_INPUTMASK, &mask);
  CGXStyle prompt;
  prompt.SetMaxLength(1);
  map->AddUserAttribute(GX_IDS_UA_INPUTPROMPT, &prompt);
}
