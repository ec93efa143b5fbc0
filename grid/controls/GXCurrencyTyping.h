// The amount an amount field shows, with its caret, selection and one-step
// undo, and the rules by which digits, the decimal separator, the minus
// sign, Delete, Backspace and pasted text change it. Every change is made on
// the formatted text, which is then read back and formatted again, so the
// field always shows a whole amount; the caret is placed again by counting
// digits. No window is involved: the amount field keeps one of these and
// shows its text.
#pragma once

#include "grid/controls/GXCurrencyFormat.h"

class CGXBCurrencyText {
 public:
  // What an operation did, for the field to redraw and notify.
  struct Change {
    BOOL textChanged = FALSE;  // EN_UPDATE and EN_CHANGE are due
    BOOL redraw = FALSE;
  };

  CGXBCurrencyText() { Reformat(); }

  // Value and format.
  double GetValue() const { return negative_ ? -magnitude_ : magnitude_; }
  double GetMagnitude() const { return magnitude_; }
  BOOL IsNegative() const { return negative_; }
  BOOL SetValue(double value) { return SetValueEx(value < 0 ? -value : value, value < 0); }
  // Stores and shows a value; FALSE (nothing done) when it is the one held.
  BOOL SetValueEx(double magnitude, BOOL negative);
  // A text read through the format (as typed or pasted); FALSE when the
  // format cannot read it or it has more integer digits than allowed.
  BOOL SetText(const CString& text);
  // Shows a text as it is (the value stays).
  void SetTextNoParse(const CString& text) { text_ = text; }
  const CString& GetText() const { return text_; }
  const CGXBCurrencyFormat& GetFormat() const { return format_; }
  // FALSE when the format is the one held already.
  BOOL SetFormat(const CGXBCurrencyFormat& format);
  void Reformat();

  // Caret and selection: (-1, 0) no selection, (0, -1) everything.
  int GetCaret() const { return caret_; }
  void SetCaret(int pos) {
    if (pos >= 0 && pos <= text_.GetLength()) caret_ = pos;
  }
  int GetSelStart() const { return selStart_; }
  int GetSelEnd() const { return selEnd_; }
  BOOL HasSelection() const;
  BOOL IsSelectAll() const { return selStart_ == 0 && selEnd_ == -1; }
  BOOL SetSel(int start, int end);
  void ClearSelection() {
    selStart_ = -1;
    selEnd_ = 0;
  }
  // The selected range as [from, to) of the text.
  void GetSelRange(int& from, int& to) const;
  CString GetSelText() const;
  CString ReplaceSelection(const CString& text) const;
  BOOL SelectionCoversNumber(BOOL* beyond = nullptr) const;

  BOOL IsOverwrite() const { return overwrite_; }
  BOOL ToggleOverwrite() { return overwrite_ = !overwrite_; }
  BOOL m_bShiftIn = FALSE;
  BOOL m_bReadOnly = FALSE;

  // Typing rules.
  Change OnChar(char ch);
  Change InsertText(const CString& text);
  Change DeleteChar();
  Change Backspace();
  Change ToggleSign();
  // The decimal separator key: caret just after the separator.
  void JumpToDecimal();
  // Text that may be pasted: only its digits unless it replaces the number.
  BOOL FilterPasteText(CString& text) const;
  // The Delete command: clears the value without a selection.
  Change DeleteCommand();

  // Undo.
  void SaveUndoState(const CString* text = nullptr, int caret = -1);
  BOOL CanUndo() const { return undoAvailable_; }
  void EmptyUndo() { undoAvailable_ = FALSE; }
  Change Undo();

 private:
  // Puts a caret outside the number at the decimal separator.
  void EnsureCaretInNumber();
  // The caret that stands at the value's decimal separator (after it when
  // there may be no integer digits; after the number when there is no
  // separator).
  int DecimalCaret(const CString& text) const;
  int NumberEnd(const CString& text) const;

  CGXBCurrencyFormat format_;
  CString text_;
  double magnitude_ = 0;
  BOOL negative_ = FALSE;
  int caret_ = 0;
  int selStart_ = -1;
  int selEnd_ = 0;
  BOOL overwrite_ = FALSE;
  BOOL undoAvailable_ = FALSE;
  CString undoText_;
  int undoCaret_ = -1;
  int undoSelStart_ = -1;
  int undoSelEnd_ = 0;
};
