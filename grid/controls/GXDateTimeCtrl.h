// A date-time value as a row of separately editable fields on a window:
// arrow keys, Tab and the mouse move between the fields; typing, Up and
// Down or the spin buttons change one; the calendar button (F4, Alt+Down)
// drops a month calendar to pick a date. The field rules and the range live
// in the field editor this window shows.
#pragma once

#include "grid/controls/GXDateTimeFields.h"
#include "platform/framework/CWnd.h"
#include "platform/gfx/GdiObject.h"

class CGXBPopupCalendar;
class CDC;

// Notification code of a changed value (WM_COMMAND to the parent).
constexpr UINT GXDTN_CHANGED = 0x100;

class CGXBDateTimeCtrl : public CWnd, public CGXBDateTimeFields {
 public:
  CGXBDateTimeCtrl();
  ~CGXBDateTimeCtrl() override;

  using CWnd::Create;
  BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
  // Index of the gadget to act on at a client point.
  int GadgetFromPoint(int x, int y) const;

  // Field editor hooks on the window.
  void NotifyChanged() override;
  void InvalidateGadget(CGXBDTGadget* gadget, BOOL update) override;
  void CaptureGadget(CGXBDTGadget* gadget) override;
  void ReleaseGadget() override;
  void UpdateNow() override;
  void EnsureVisible(int index) override;
  BOOL OpenCalendar() override;
  virtual CGXBPopupCalendar* CreateCalendar();
  virtual void LayoutGadgets();
  virtual void DrawGadgets(CDC* dc);
  CGXBPopupCalendar* GetCalendar() const { return calendar_; }
  int GetScrollOffset() const { return scroll_; }

  // The handlers a cell window forwards to.
  void HandleKeyDown(UINT key) { OnKeyDown(key, 1, 0); }
  void HandleChar(UINT ch) { OnChar(ch, 1, 0); }
  void HandleSysKeyDown(UINT key) { OnSysKeyDown(key, 1, 0); }
  void HandleLButtonUp(UINT flags, CPoint point) { OnLButtonUp(flags, point); }
  void HandleSetFocus() { OnSetFocus(nullptr); }
  void HandleKillFocus() { OnKillFocus(nullptr); }

  COLORREF m_clrBack = 0;
  int m_nDisabledColor = 15;  // COLOR_BTNFACE
  COLORREF m_clrLiteralText = 0;
  COLORREF m_clrLiteralBack = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  UINT OnGetDlgCode() override { return 0x83; }
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnCancelMode() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnEnable(BOOL enable) override;
  void OnSysColorChange() override;
  void OnDestroy() override;
  // The calendar's answers.
  LRESULT OnCalendarChosen();
  LRESULT OnCalendarCancelled();
  void DeleteCalendar();
  // Hands a mouse point on to a gadget (scrolled unless fixed).
  CPoint ToGadget(const CGXBDTGadget* gadget, CPoint point) const;

  HFONT font_ = nullptr;
  int scroll_ = 0;
  int fixedWidth_ = 0;
  CGXBPopupCalendar* calendar_ = nullptr;
};
