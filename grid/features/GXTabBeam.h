// The strip of sheet tabs at the bottom of a tab window: slanted tabs with
// the sheet names, the current one highlighted and bold, and two scroll
// buttons at the left that shift the row when not all tabs fit. A click
// asks the notify window (the parent unless another is set) and then posts
// the activation; a double click on the current tab asks for renaming.
#pragma once

#include <memory>
#include <vector>

#include "platform/Afx.h"
#include "platform/controls/CtlScrollBar.h"

// The messages between the tab strip, the tab window and its sheets.
constexpr UINT GX_TAB_ACTIVATE = 0x785;       // strip -> tab window (posted): activate tab wParam
constexpr UINT GX_TAB_RENAME = 0x786;         // strip -> tab window (posted): rename tab wParam
constexpr UINT GX_TAB_CANACTIVATE = 0x787;    // strip -> tab window: nonzero refuses tab wParam
constexpr UINT GX_TAB_SHEETINDEX = 0x78F;     // tab window -> sheet: you are sheet wParam
constexpr UINT GX_TAB_CANRENAME = 0x790;      // tab window -> sheet: nonzero allows renaming
constexpr UINT GX_TAB_RENAMED = 0x791;        // tab window -> sheet: tab wParam got a new name
constexpr UINT GX_TAB_CANDEACTIVATE = 0x792;  // tab window -> sheet: wParam 0 leave, 1 enter; nonzero refuses
constexpr UINT GX_TAB_SHEETREMOVED = 0x793;   // strip -> parent: the tab of sheet lParam is gone (never dereferenced)
constexpr UINT GX_TAB_ACCEPTNAME = 0x799;     // rename edit -> tab window: Enter
constexpr UINT GX_TAB_CANCELNAME = 0x79A;     // rename edit, strip -> tab window: cancel renaming
constexpr UINT GX_TAB_RESIZING = 0x7CB;       // tab window -> sheet: 1 before, 0 after a resize

class CGXTabInfo : public CObject {
 public:
  CGXTabInfo() = default;
  CGXTabInfo(const CGXTabInfo&) = delete;
  CGXTabInfo& operator=(const CGXTabInfo&) = delete;
  // An owned sheet window goes with its tab.
  ~CGXTabInfo() override;

  int nWidth = 60;  // text width plus margin
  CString sLabel;
  CWnd* pSheet = nullptr;
  BOOL bDeleteWnd = FALSE;
  DWORD_PTR dwValue = 0;
  SCROLLINFO scrollVert{}, scrollHorz{};
  // Bit 0: own background, bit 1: own current background.
  UINT flagsColor = 0;
  COLORREF backColor = 0, currentBackColor = 0;
  BOOL bMarked = FALSE;
};

class CGXTabBeam : public CWnd {
  DECLARE_DYNCREATE(CGXTabBeam)

 public:
  CGXTabBeam();
  ~CGXTabBeam() override;

  // 1..13, in the order others may replace them.
  virtual void DrawTab(CDC* dc, int index);
  // kind 0 first, 1 previous, 2 next, 3 last.
  virtual void DrawButton(CDC* dc, int kind, BOOL pressed);
  virtual int GetTabX(int index);
  virtual int TabFromPoint(int x);
  virtual int GetLastVisibleTab();
  virtual void TrackButton(UINT endMessage);
  virtual void OnTabClick(int x, int y);
  // The scroll button at the point (scrolling once when it is enabled), or
  // -1; `expected` other than -1 takes only that button.
  virtual int ButtonFromPoint(int x, int y, int expected);
  virtual void ScrollTabs(int kind);
  virtual void InsertTab(BOOL before, LPCTSTR name, CWnd* sheet, BOOL ownsSheet, int width, DWORD_PTR value);
  virtual void RemoveTab(int index);
  virtual void RecalcTabWidth(int index);
  virtual int FindTab(const CWnd* sheet);

  CGXTabInfo& GetTab(int index) { return *tabs_[static_cast<std::size_t>(index)]; }
  int GetCount() const { return static_cast<int>(tabs_.size()); }
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  using CWnd::Create;
  void EnsureVisible(int index);
  // The enabled state of a scroll button.
  BOOL IsButtonEnabled(int kind);
  int ButtonAreaWidth() const { return m_nButtonArea; }
  void SetCurrentTab(int index);
  CWnd* GetNotifyWnd() const;

  int m_nCurrent = -1;
  int m_nFirstVisible = 0;
  int m_nHeight = 0;
  int m_nButtonWidth = 0;
  int m_nButtons = 2;
  int m_nButtonArea = 0;
  BOOL m_bShowButtons = TRUE;
  int m_nMargin = 7;
  // -1 none, -2 all, else the x from which the background is repainted.
  int m_nRepaintFrom = -1;
  CWnd* m_pNotifyWnd = nullptr;
  CFont m_fontNormal, m_fontBold;
  COLORREF m_colorText = 0, m_colorTab = 0, m_colorCurrent = 0, m_colorStrip = 0;
  // The pressed scroll button (-1 none) while it is tracked.
  int m_nPressed = -1;
  BOOL m_bPressedLook = FALSE;
  BOOL m_bTracking = FALSE;
  // Whether windows of the class made from a dialog template own their
  // object.
  BOOL m_bAutoDelete = FALSE;

 protected:
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnSysColorChange() override;
  void OnSettingChange(UINT flags, LPCTSTR section) override;
  void PostNcDestroy() override;

 private:
  void MakeFonts();
  void LoadColors();
  int TabStart() const { return m_bShowButtons ? m_nButtonArea + 1 : 0; }
  int ClientWidth() const;
  CRect ButtonRect(int kind) const;
  std::vector<std::unique_ptr<CGXTabInfo>> tabs_;
};

// Registers "CGXTabBeam" once (class style CS_GLOBALCLASS | CS_DBLCLKS): a
// window of that class, from a dialog template for example, gets a tab
// strip that deletes itself with its window.
BOOL GXRegisterTabBeamClass(HINSTANCE instance);
void GXUnregisterTabBeamClass(HINSTANCE instance);
