#include "grid/controls/GXCurrencyTyping.h"

#include <algorithm>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

BOOL CGXBCurrencyText::SetValueEx(double magnitude, BOOL negative) {
  negative = negative ? TRUE : FALSE;
  if (magnitude == magnitude_ && negative == negative_ && !text_.IsEmpty()) return FALSE;
  magnitude_ = magnitude;
  negative_ = negative;
  CString text;
  format_.FormatValue(magnitude_, text, negative_);
  SaveUndoState();
  text_ = text;
  return TRUE;
}

BOOL CGXBCurrencyText::SetText(const CString& text) {
  double value = 0;
  BOOL negative = FALSE;
  if (!format_.ParseValue(text, value, negative)) return FALSE;
  if (format_.m_nIntegerDigits >= 0 && CGXBCurrencyFormat::IntegerDigitsOf(value) > format_.m_nIntegerDigits)
    return FALSE;
  SetValueEx(value, negative);
  return TRUE;
}

BOOL CGXBCurrencyText::SetFormat(const CGXBCurrencyFormat& format) {
  if (!format_.IsNotEqual(format) && !text_.IsEmpty()) return FALSE;
  format_.Assign(format);
  Reformat();
  return TRUE;
}

void CGXBCurrencyText::Reformat() {
  format_.FormatValue(magnitude_, text_, negative_);
  caret_ = std::min(caret_, text_.GetLength());
}

BOOL CGXBCurrencyText::HasSelection() const {
  if (IsSelectAll()) return TRUE;
  if (selStart_ < 0 || selEnd_ < 0) return FALSE;
  return selStart_ != selEnd_;
}

BOOL CGXBCurrencyText::SetSel(int start, int end) {
  if (start == -1 && end == 0) {
    ClearSelection();
    return TRUE;
  }
  if (start == 0 && end == -1) {
    selStart_ = 0;
    selEnd_ = -1;
    caret_ = text_.GetLength();
    return TRUE;
  }
  const int len = text_.GetLength();
  if (start < 0 || end < 0 || start > len || end > len) return FALSE;
  selStart_ = start;
  selEnd_ = end;
  caret_ = end;
  return TRUE;
}

void CGXBCurrencyText::GetSelRange(int& from, int& to) const {
  if (IsSelectAll()) {
    from = 0;
    to = text_.GetLength();
  } else if (!HasSelection()) {
    from = to = caret_;
  } else {
    from = std::min(selStart_, selEnd_);
    to = std::max(selStart_, selEnd_);
  }
}

CString CGXBCurrencyText::GetSelText() const {
  if (!HasSelection()) return CString();
  int from = 0;
  int to = 0;
  GetSelRange(from, to);
  return text_.Mid(from, to - from);
}

CString CGXBCurrencyText::ReplaceSelection(const CString& text) const {
  if (IsSelectAll()) return text;
  int from = 0;
  int to = 0;
  GetSelRange(from, to);
  return text_.Left(from) + text + text_.Mid(to);
}

BOOL CGXBCurrencyText::SelectionCoversNumber(BOOL* beyond) const {
  if (beyond != nullptr) *beyond = FALSE;
  if (IsSelectAll()) {
    if (beyond != nullptr) *beyond = TRUE;
    return TRUE;
  }
  if (!HasSelection()) return FALSE;
  int start = 0;
  int end = 0;
  if (!format_.FindNumberBounds(text_, start, end)) return FALSE;
  int from = 0;
  int to = 0;
  GetSelRange(from, to);
  // `to` is one past the last selected character.
  if (from > start || to - 1 < end) return FALSE;
  if (beyond != nullptr) *beyond = from < start || to - 1 > end + 1;
  return TRUE;
}

int CGXBCurrencyText::NumberEnd(const CString& text) const {
  int start = 0;
  int end = 0;
  if (!format_.FindNumberBounds(text, start, end)) return -1;
  return end;
}

int CGXBCurrencyText::DecimalCaret(const CString& text) const {
  const int dp = format_.FindDecimalSeparator(text);
  if (dp >= 0) return format_.m_nIntegerDigits == 0 ? dp + 1 : dp;
  const int end = NumberEnd(text);
  return end >= 0 ? end + 1 : text.GetLength();
}

void CGXBCurrencyText::EnsureCaretInNumber() {
  int start = 0;
  int end = 0;
  if (!format_.FindNumberBounds(text_, start, end)) return;
  if (caret_ < start || caret_ > end + 1) caret_ = DecimalCaret(text_);
}

void CGXBCurrencyText::JumpToDecimal() {
  ClearSelection();
  const int dp = format_.FindDecimalSeparator(text_);
  if (dp >= 0) {
    caret_ = dp + 1;
    return;
  }
  const int end = NumberEnd(text_);
  if (end >= 0) caret_ = end + 1;
}

CGXBCurrencyText::Change CGXBCurrencyText::OnChar(char ch) {
  if (ch != 0 && ch == format_.m_cDecimalSep) {
    JumpToDecimal();
    return {FALSE, TRUE};
  }
  if (ch == '-') return ToggleSign();
  if (IsDigit(ch)) return InsertText(CString(ch));
  return {};
}

CGXBCurrencyText::Change CGXBCurrencyText::InsertText(const CString& typed) {
  if (m_bReadOnly) return {};
  const int oldCaret = caret_;
  EnsureCaretInNumber();
  const CString old = text_;
  const int dp = format_.FindDecimalSeparator(old);
  const int end = NumberEnd(old);
  const bool pastEnd = caret_ > end;
  const BOOL selection = HasSelection();
  const BOOL covered = selection && SelectionCoversNumber();
  const int selFrom = IsSelectAll() ? 0 : selStart_;

  if (overwrite_ && !selection && caret_ < old.GetLength()) {
    const char at = old[caret_];
    const bool integerPart = dp < 0 || caret_ < dp;
    if (caret_ == dp || (integerPart && format_.m_cThousandsSep != 0 && at == format_.m_cThousandsSep)) ++caret_;
  }

  CString next;
  if (selection) {
    next = ReplaceSelection(typed);
  } else if (dp >= 0 && caret_ > dp && pastEnd) {
    next = old;
    if (m_bShiftIn) {
      // The fraction shifts left and the new digits enter at the right.
      const int n = typed.GetLength();
      const int f = std::max(format_.m_nFractionalDigits, 0);
      const CString fraction = old.Mid(dp + 1, std::max(end - dp, 0));
      const CString digits = n > f ? typed.Right(f) : fraction.Mid(std::min(n, fraction.GetLength())) + typed;
      // What follows the number (a suffix such as a trailing minus) stays.
      next = old.Left(dp + 1) + digits + old.Mid(end + 1);
    }
  } else if (dp >= 0 && caret_ > dp) {
    next = old.Left(caret_) + typed + old.Mid(caret_ + typed.GetLength());
    if (next.GetLength() > old.GetLength()) next = next.Left(old.GetLength());
  } else if (overwrite_ && !typed.IsEmpty()) {
    next = old.Left(caret_) + typed.Left(1) + old.Mid(caret_ + 1);
    ++caret_;
  } else {
    next = old.Left(caret_) + typed + old.Mid(caret_);
  }

  if (!SetText(next)) text_ = old;
  const CString& now = text_;
  const int lengthChange = now.GetLength() - old.GetLength();
  const int ndp = format_.FindDecimalSeparator(now);
  if (!selection) {
    if (ndp < 0) {
      caret_ += lengthChange;
    } else if (caret_ > ndp) {
      if (caret_ < now.GetLength()) caret_ = std::min(caret_ + GXCountDigits(typed), now.GetLength());
    } else {
      caret_ += lengthChange;
    }
  } else if (covered) {
    caret_ = ndp >= 0 ? (format_.m_nIntegerDigits == 0 ? ndp + 1 : ndp) : now.GetLength();
  } else {
    caret_ = now.GetLength() + std::max(caret_, selFrom) - old.GetLength();
  }
  const int nend = NumberEnd(now);
  caret_ = std::clamp(caret_, 0, nend >= 0 ? nend + 1 : now.GetLength());

  Change change;
  change.redraw = TRUE;
  if (now != old) {
    SaveUndoState(&old, oldCaret);
    change.textChanged = TRUE;
  }
  ClearSelection();
  return change;
}

CGXBCurrencyText::Change CGXBCurrencyText::DeleteChar() {
  const BOOL selection = HasSelection();
  if (m_bReadOnly || (caret_ >= text_.GetLength() && !selection)) return {};
  const CString old = text_;
  const int oldCaret = caret_;
  if (!selection && !IsDigit(old[caret_])) {
    int next = caret_ + 1;
    while (next < old.GetLength() && !IsDigit(old[next])) ++next;
    if (next >= old.GetLength()) return {};
    caret_ = next;
  }
  int from = 0;
  int to = 0;
  GetSelRange(from, to);
  const int digitsBefore = GXDigitsBefore(old, selection ? from : caret_);
  const int dp = format_.FindDecimalSeparator(old);

  CString next;
  bool caretSet = false;
  if (selection) {
    next = ReplaceSelection(CString());
  } else if (dp < 0 || caret_ < dp) {
    next = old.Left(caret_) + old.Mid(caret_ + 1);
  } else {
    next = old;
    next.SetAt(caret_, '0');
    ++caret_;
    caretSet = true;
  }
  if (GXCountDigits(next) == 0) next += '0';
  if (!SetText(next)) text_ = old;

  if (magnitude_ == 0) {
    caret_ = DecimalCaret(text_);
  } else if (!caretSet) {
    const int pos = GXPositionOfDigit(text_, digitsBefore);
    caret_ = pos >= 0 ? pos : text_.GetLength();
  }
  caret_ = std::clamp(caret_, 0, text_.GetLength());
  Change change;
  change.redraw = TRUE;
  if (text_ != old) {
    SaveUndoState(&old, oldCaret);
    change.textChanged = TRUE;
  }
  ClearSelection();
  return change;
}

CGXBCurrencyText::Change CGXBCurrencyText::Backspace() {
  if (m_bReadOnly) return {};
  if (HasSelection()) return DeleteChar();
  int start = 0;
  int end = 0;
  if (!format_.FindNumberBounds(text_, start, end) || caret_ <= start) return {};
  const CString old = text_;
  const int oldCaret = caret_;
  const int before = GXDigitsBefore(old, caret_);
  const int k = caret_ < 2 ? 0 : before - 1;
  const int pos = GXPositionOfDigit(old, k);
  if (pos < 0 || pos >= caret_) return {};
  const int dp = format_.FindDecimalSeparator(old);

  CString next = old;
  const bool integerPart = dp < 0 || pos < dp;
  if (integerPart) {
    next.Delete(pos, 1);
  } else {
    next.SetAt(pos, '0');
  }
  if (GXCountDigits(next) == 0) next += '0';
  if (!SetText(next)) text_ = old;

  if (integerPart) {
    if (format_.m_nIntegerDigits == -1) {
      const int prev = k > 0 ? GXPositionOfDigit(text_, k - 1) : -1;
      caret_ = prev >= 0 ? prev + 1 : std::max(GXPositionOfDigit(text_, 0), 0);
    } else {
      caret_ = pos + 1;
    }
  } else {
    caret_ = pos;
  }
  if (magnitude_ == 0) caret_ = DecimalCaret(text_);
  caret_ = std::clamp(caret_, 0, text_.GetLength());
  Change change;
  change.redraw = TRUE;
  if (text_ != old) {
    SaveUndoState(&old, oldCaret);
    change.textChanged = TRUE;
  }
  return change;
}

CGXBCurrencyText::Change CGXBCurrencyText::ToggleSign() {
  BOOL beyond = FALSE;
  const BOOL covers = SelectionCoversNumber(&beyond);
  const int oldEnd = NumberEnd(text_);
  const int distance = oldEnd >= 0 ? oldEnd - caret_ : 0;
  SaveUndoState();
  negative_ = (covers && beyond) ? TRUE : !negative_;
  format_.FormatValue(magnitude_, text_, negative_);
  int start = 0;
  int end = 0;
  const BOOL found = format_.FindNumberBounds(text_, start, end);
  if (covers && beyond && found) {
    selStart_ = start;
    selEnd_ = end + 1;
    caret_ = end + 1;
  } else {
    ClearSelection();
    caret_ = std::clamp((found ? end : 0) - distance, 0, text_.GetLength());
  }
  return {FALSE, TRUE};
}

BOOL CGXBCurrencyText::FilterPasteText(CString& text) const {
  if (!SelectionCoversNumber()) text = GXKeepDigits(text);
  return TRUE;
}

CGXBCurrencyText::Change CGXBCurrencyText::DeleteCommand() {
  if (m_bReadOnly) return {};
  const CString old = text_;
  const int oldCaret = caret_;
  if (!HasSelection()) {
    SetValueEx(0, FALSE);
  } else {
    if (!SetText(ReplaceSelection(CString()))) text_ = old;
    ClearSelection();
  }
  Change change;
  change.redraw = TRUE;
  if (text_ != old) {
    SaveUndoState(&old, oldCaret);
    change.textChanged = TRUE;
  }
  return change;
}

void CGXBCurrencyText::SaveUndoState(const CString* text, int caret) {
  undoText_ = text != nullptr ? *text : text_;
  undoCaret_ = caret >= 0 ? caret : caret_;
  undoSelStart_ = selStart_;
  undoSelEnd_ = selEnd_;
  undoAvailable_ = TRUE;
}

CGXBCurrencyText::Change CGXBCurrencyText::Undo() {
  if (m_bReadOnly || !undoAvailable_) return {};
  const CString text = undoText_;
  const int caret = undoCaret_;
  const int selStart = undoSelStart_;
  const int selEnd = undoSelEnd_;
  const CString old = text_;
  SaveUndoState();
  const CString saved = undoText_;
  const int savedCaret = undoCaret_;
  SetText(text);
  // Setting the text saved the state it replaced; Undo toggles between the
  // two states, so the state before this Undo is the one kept.
  undoText_ = saved;
  undoCaret_ = savedCaret;
  undoAvailable_ = TRUE;
  selStart_ = selStart;
  selEnd_ = selEnd;
  caret_ = std::clamp(caret, 0, text_.GetLength());
  return {text_ != old, TRUE};
}
