// An amount field that keeps a number rather than free text: a magnitude
// with a negative flag shown through its currency format, changed digit
// by digit while the display stays a formatted amount. It draws itself,
// keeps its own caret, selection and one-step undo, has a context menu
// and the clipboard commands, and opens the drop-down calculator from its
// button, F2 or F4. It runs on the plain window class "CGXBCurrencyEdit".
#pragma once

#include "grid/controls/GXCurrencyTyping.h"
#include "grid/controls/GXDropEdit.h"

class CMenu;

class CGXBCurrencyEdit : public CGXBDropEdit {
 public:
  using Format = CGXBCurrencyFormat;
  // Commands of the context menu (the framework's edit command ids).
  enum Command : UINT { kUndo = 57643, kCut = 57635, kCopy = 57634, kPaste = 57637, kDelete = 57632, kSelectAll = 57642 };

  CGXBCurrencyEdit() = default;
  ~CGXBCurrencyEdit() override = default;

  // Registers the window class when it is missing.
  static BOOL RegisterClass();
  using CWnd::Create;
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  double GetValue() const { return text_.GetValue(); }
  void SetValue(double value, BOOL redraw = TRUE) { SetValueEx(value < 0 ? -value : value, value < 0, redraw); }
  void SetValueEx(double magnitude, BOOL negative, BOOL redraw = TRUE);
  BOOL IsNegative() const { return text_.IsNegative(); }
  void SetFormat(const Format& format);
  void GetFormat(Format& format) const { format.Assign(text_.GetFormat()); }
  const Format& GetFormatRef() const { return text_.GetFormat(); }
  void SetAlignment(int alignment);
  int GetAlignment() const;
  BOOL IsReadOnly() const;
  void SetReadOnly(BOOL on);
  BOOL SetSel(int start, int end);
  CString GetSelText() const { return text_.GetSelText(); }
  CString ReplaceSelection(const CString& text) const { return text_.ReplaceSelection(text); }
  BOOL SelectionCoversNumber(BOOL* beyond = nullptr) const { return text_.SelectionCoversNumber(beyond); }
  // Sets the window text as it is (the value stays).
  void SetTextNoParse(const CString& text);
  // The edited amount (caret, selection, typing rules).
  CGXBCurrencyText& Text() { return text_; }
  const CGXBCurrencyText& Text() const { return text_; }
  void NotifyParent(UINT code);
  BOOL GetParseOnSetText() const { return parse_; }
  // The shift-in entry and the group-padding setting the cell copies.
  BOOL m_bShiftIn = FALSE;
  BOOL m_bGroupPadding = FALSE;

  void OnButtonClicked() override { ShowCalculator(); }
  virtual BOOL ShowCalculator();
  virtual BOOL FilterPasteText(CString& text) { return text_.FilterPasteText(text); }
  virtual CMenu* CreateContextMenu();
  virtual void DestroyContextMenu(CMenu* menu);
  virtual void Backspace() { Apply(text_.Backspace()); }
  virtual void DeleteChar() { Apply(text_.DeleteChar()); }
  virtual void InsertText(const CString& text) { Apply(text_.InsertText(text)); }
  virtual void EraseBackground(CDC* dc);
  virtual void SaveUndoState(const CString* text = nullptr, int caret = -1) { text_.SaveUndoState(text, caret); }
  virtual void CreateEditCaret(int position);
  virtual void DestroyEditCaret();
  virtual void DrawSeparatorLine(CDC* dc, int x);
  virtual void ToggleSign() { Apply(text_.ToggleSign()); }
  virtual BOOL ToggleOverwrite() { return text_.ToggleOverwrite(); }

  // The commands.
  void OnEditUndo();
  void OnEditCut();
  void OnEditCopy();
  void OnEditPaste();
  void OnEditDelete();
  BOOL IsCommandEnabled(UINT id) const;
  // Caret position from a client x.
  int CharFromPoint(CPoint point);
  CRect GetTextRect();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  // Shows what an operation did: text, caret, notifications.
  void Apply(const CGXBCurrencyText::Change& change);
  void SyncWindowText();
  void PlaceCaret();
  // Moves the caret; with `select` Shift or the mouse extends a selection.
  void SetCaretPos(int position, BOOL select);
  void PaintContents(CDC* dc);
  HFONT font_ = nullptr;
  int leftMargin_ = 0;
  int rightMargin_ = 0;
  BOOL parse_ = TRUE;
  BOOL painting_ = TRUE;
  BOOL mouseSelecting_ = FALSE;
  int anchor_ = -1;
  CGXBCurrencyText text_;
};
