// Small objects drawn inside a cell and owned by its control: the drop-down
// button of a combo cell, the arrows of a spin edit, the hot-spot button and
// the face of a push button. The control places them in its cell, draws
// them and passes them the mouse and the keys first; a button reports its
// click to the control (`CGXControl::OnClickedButton`).
#pragma once

#include "grid/core/GXStyle.h"
#include "platform/Afx.h"

class CGXControl;

class CGXChild {
 public:
  explicit CGXChild(CGXControl* owner = nullptr) : m_pComposite(owner) {}
  CGXChild(const CGXChild&) = delete;
  CGXChild& operator=(const CGXChild&) = delete;

  virtual ~CGXChild() = default;
  virtual void SetRect(const CRect& rect) { m_rect = rect; }
  virtual CRect GetRect() const { return m_rect; }
  virtual BOOL HitTest(CPoint point) { return m_rect.PtInRect(point); }
  virtual BOOL IsCaptured();
  virtual void SetText(LPCTSTR text) { m_sText = text; }
  virtual void GetText(CString& text) const { text = m_sText; }
  virtual void Draw(CDC* dc, BOOL active, const CGXStyle& style);
  virtual void DrawChild(CDC* dc, BOOL active);
  virtual void Refresh();
  virtual BOOL MouseMove(UINT flags, CPoint point);
  virtual BOOL LButtonDown(UINT flags, CPoint point);
  virtual BOOL LButtonUp(UINT flags, CPoint point);
  virtual BOOL LButtonDblClk(UINT flags, CPoint point);
  virtual BOOL MButtonDown(UINT flags, CPoint point);
  virtual BOOL MButtonUp(UINT flags, CPoint point);
  virtual BOOL MButtonDblClk(UINT flags, CPoint point);
  virtual BOOL RButtonDown(UINT flags, CPoint point);
  virtual BOOL RButtonUp(UINT flags, CPoint point);
  virtual BOOL RButtonDblClk(UINT flags, CPoint point);
  virtual BOOL MouseMoveOver(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags);
  virtual BOOL KeyDown(UINT key, UINT repeat, UINT flags);
  virtual BOOL KeyUp(UINT key, UINT repeat, UINT flags);
  virtual BOOL HandleChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL InsertText(LPCTSTR text);
  virtual BOOL DeadChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL SysKeyDown(UINT key, UINT repeat, UINT flags);
  virtual BOOL SysKeyUp(UINT key, UINT repeat, UINT flags);
  virtual BOOL SysChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL SysDeadChar(UINT ch, UINT repeat, UINT flags);
  virtual void OnWinIniChange(LPCTSTR section);
  virtual void OnSysColorChange();
  virtual void OnCancelMode();

  CGXControl* GetOwner() const { return m_pComposite; }

 protected:
  CGXControl* m_pComposite;
  CRect m_rect;
  CString m_sText;
  BOOL m_bDbcsLeadPending = FALSE;
  char m_cDbcsLead = 0;
};

// A button: pressed while the left button (or the space bar) is held on it,
// clicked when released over it.
class CGXButton : public CGXChild {
 public:
  explicit CGXButton(CGXControl* owner) : CGXChild(owner) {}

  void Draw(CDC* dc, BOOL active, const CGXStyle& style) override;
  void DrawChild(CDC* dc, BOOL active) override;
  BOOL MouseMove(UINT flags, CPoint point) override;
  BOOL LButtonDown(UINT flags, CPoint point) override;
  BOOL LButtonUp(UINT flags, CPoint point) override;
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL KeyUp(UINT key, UINT repeat, UINT flags) override;
  void OnCancelMode() override;

  BOOL IsPressed() const { return m_bPressed; }

  BOOL m_bPressed = FALSE;
  BOOL m_bMouseDown = FALSE;
  BOOL m_bCanPress = TRUE;  // refresh when the pressed state changes

 protected:
  // The face in `face`, its edge and the centred label.
  void DrawFace(CDC* dc, BOOL active, COLORREF face, BOOL greyText);
};

// The drop-down button of the windows combo cells.
class CGXComboBoxWndButton : public CGXButton {
 public:
  explicit CGXComboBoxWndButton(CGXControl* owner) : CGXButton(owner) {}
  void Draw(CDC* dc, BOOL active, const CGXStyle& style) override;
  void DrawChild(CDC* dc, BOOL active) override;
};

// The drop-down button of the grid's own combo cell.
class CGXComboBoxButton : public CGXButton {
 public:
  explicit CGXComboBoxButton(CGXControl* owner) : CGXButton(owner) {}
  void DrawChild(CDC* dc, BOOL active) override;
};

// The button of a hot-spot edit: a small pointing glyph.
class CGXHotSpotButton : public CGXButton {
 public:
  explicit CGXHotSpotButton(CGXControl* owner) : CGXButton(owner) {}
  void DrawChild(CDC* dc, BOOL active) override;
};

// A button that clicks again and again, faster and faster, while held.
class CGXArrowButton : public CGXButton {
 public:
  explicit CGXArrowButton(CGXControl* owner) : CGXButton(owner) {}
  BOOL MouseMove(UINT flags, CPoint point) override;
  BOOL LButtonDown(UINT flags, CPoint point) override;
  BOOL LButtonUp(UINT flags, CPoint point) override;

  DWORD m_dwLastTick = 0;
  DWORD m_dwDelay = 500;
};

class CGXUpArrowButton : public CGXArrowButton {
 public:
  explicit CGXUpArrowButton(CGXControl* owner) : CGXArrowButton(owner) {}
  void DrawChild(CDC* dc, BOOL active) override;
};

class CGXDownArrowButton : public CGXArrowButton {
 public:
  explicit CGXDownArrowButton(CGXControl* owner) : CGXArrowButton(owner) {}
  void DrawChild(CDC* dc, BOOL active) override;
};

// The user attribute with a push button's face colour.
constexpr WORD GX_IDS_UA_PUSHBTN_FACE = 52569;

// A combo's button sized to its text rather than to the whole cell: as high
// as one line of text (never more than the cell), placed by the style's
// vertical alignment.
void GXFitButtonToText(CRect& button, const CRect& cell, const CGXStyle* style, int textHeight, int margin);
