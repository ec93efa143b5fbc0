// A workbook-like window: several sheet windows of which one shows at a
// time, a tab strip at the bottom left to switch between them and one pair
// of scroll bars that always serves the visible sheet. A double click on a
// tab renames its sheet; the divider between the strip and the horizontal
// scroll bar can be dragged.
#pragma once

#include <memory>

#include "grid/core/GXFeatures.h"
#include "grid/features/GXTabBeam.h"
#include "platform/controls/CtlEdit.h"
#include "platform/controls/CtlScrollBar.h"

// The edit over a tab while it is renamed: Enter accepts, Esc or losing
// the focus cancels. It asks for every key and deletes itself with its
// window.
class CGXEditLabelPopup : public CEdit {
 public:
  BOOL Create(const RECT& rect, CWnd* parent, UINT id);

 protected:
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
  void OnChar(UINT key, UINT repeat, UINT flags) override;
  void OnKillFocus(CWnd* newWnd) override;
  UINT OnGetDlgCode() override;
  void PostNcDestroy() override { delete this; }
};

class CGXTabWnd : public CWnd {
  DECLARE_DYNCREATE(CGXTabWnd)

 public:
  static constexpr UINT kHorzScrollId = 0xEA00, kVertScrollId = 0xEA10, kSizeBoxId = 0xEA20, kBeamId = 0xEA01;
  static constexpr UINT kRenameEditId = 23001;
  static constexpr int kDividerWidth = 6;

  CGXTabWnd();
  ~CGXTabWnd() override;

  // WS_HSCROLL and WS_VSCROLL in `style` only choose which shared bars
  // show. FALSE when a child could not be made (the window is gone then).
  BOOL Create(CWnd* parent, DWORD style, UINT id);
  using CWnd::Create;
  virtual CWnd* InsertSheet(CWnd* sheet, LPCTSTR name);
  // Makes the window's parts when they are missing (a window of the
  // registered class, from a dialog template, gets them here with both
  // bars), then places them.
  virtual void RecalcLayout(BOOL skipSheet = FALSE);

  CString GetSheetName(const CWnd* sheet);
  void SetSheetName(int index, LPCTSTR name, BOOL notify = TRUE);
  void SetSheetName(const CWnd* sheet, LPCTSTR name, BOOL notify = TRUE);

  CGXTabBeam* GetBeam() const { return m_pBeam; }
  CWnd* GetActiveSheet() const { return m_pActiveSheet; }
  CScrollBar* GetSharedScrollBar(int bar) { return bar == SB_VERT ? &m_vertBar : &m_horzBar; }
  int GetDividerX() const { return m_nDividerX; }
  CGXEditLabelPopup* GetRenameEdit() const { return m_pRenameEdit; }
  int BottomBarHeight() const { return m_nBottomBarHeight; }

  // The runtime class of the strip the window makes.
  CRuntimeClass* m_pBeamClass = RUNTIME_CLASS(CGXTabBeam);
  BOOL m_bShowHorzBar = TRUE, m_bShowVertBar = TRUE;
  BOOL m_bFrameBorder = FALSE;
  // Set for windows made from the registered class.
  BOOL m_bAutoDelete = FALSE;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnNcPaint() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnSysColorChange() override;
  void OnSettingChange(UINT flags, LPCTSTR section) override;
  void OnDestroy() override;
  void PostNcDestroy() override;

  void ActivateTab(int index);
  BOOL CanSwitchTo(int index);
  void StartRename(int index);
  void AcceptRename();
  void CancelRename();
  void SaveScrollState(int index);
  void RestoreScrollState(int index);
  CRect InsideRect() const;
  bool SizesFrameFromCorner() const;
  CRect DividerRect() const;
  void LoadMetrics();

  CGXTabBeam* m_pBeam = nullptr;
  CWnd* m_pActiveSheet = nullptr;
  CScrollBar m_horzBar, m_vertBar, m_sizeBox;
  int m_nDividerX = 0, m_nDividerHundredths = 0, m_nLayoutWidth = 0;
  int m_nVertBarWidth = 0, m_nHorzBarHeight = 0, m_nBottomBarHeight = 0;
  // The scroll bars, the corner box and the strip inside the window.
  BOOL CreateParts(CWnd* parent);

  // Set while Create makes the frame, whose parts Create makes next.
  BOOL m_bMakingFrame = FALSE;
  BOOL m_bCreated = FALSE, m_bLaidOut = FALSE, m_bDragging = FALSE, m_bDividerMoved = FALSE;
  CGXEditLabelPopup* m_pRenameEdit = nullptr;
};

// Reads and writes sheet names through any sheet window, whichever tab
// window holds it; made with the first tab window.
class CGXTabWndInterface : public CGXAbstractTabWndInterface {
 public:
  BOOL GetSetSheetName(CWnd* sheet, CString& name, BOOL set) override;
  CString GetSheetName(CWnd* sheet, int index) override;
};
CGXTabWndInterface* GXGetTabWndInterface();

// Registers "CGXTabWnd" (and the tab strip's class) once: a window of that
// class, from a dialog template for example, gets a tab window object that
// deletes itself with its window.
BOOL GXRegisterTabWndClass(HINSTANCE instance);
void GXUnregisterTabWndClass(HINSTANCE instance);
