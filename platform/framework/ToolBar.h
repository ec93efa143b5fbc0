// CToolBar: the frame's tool bar over the tool-bar control. Its buttons
// show the images of one bitmap strip in order, with separators between
// groups; their enabled and checked states follow the frame's update
// handlers at idle time, tool tips show the text after the line break of
// the command's string, and hovering shows the command's prompt on the
// status bar (CBRS_FLYBY).
#pragma once

#include "platform/commctrl/ImageList.h"
#include "platform/commctrl/ToolTipCtrl.h"
#include "platform/framework/BarDefs.h"
#include "platform/framework/ControlBar.h"

void RegisterToolBarClass();
int ToolBarHeight(HWND bar);

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
 public:
  CToolBar() = default;
  ~CToolBar() override;

  using CControlBar::Create;  // the generic forms stay callable
  virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
  // ctrlStyle: TBSTYLE_ styles of the control (TBSTYLE_FLAT); borders: extra
  // space left, top, right and bottom of the buttons.
  virtual BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                        DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, RECT borders = RECT{0, 0, 0, 0},
                        UINT id = AFX_IDW_TOOLBAR);

  void SetSizes(SIZE button, SIZE image);
  void SetHeight(int height) { m_cyHeight = height; }
  // The picture strip: a bitmap looked up as CBitmap::LoadBitmap does; its
  // light grey (192, 192, 192) shows the button face.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(LPCTSTR name);
  BOOL SetBitmap(HBITMAP bitmap);
  // Here a tool-bar resource is its picture strip; the buttons come from
  // SetButtons.
  BOOL LoadToolBar(UINT id) { return LoadBitmap(id); }
  BOOL LoadToolBar(LPCTSTR name) { return LoadBitmap(name); }
  // One button per id, ID_SEPARATOR making a separator; buttons take the
  // strip's images in order.
  BOOL SetButtons(const UINT* ids, int count);

  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT style);
  void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
  void SetButtonInfo(int index, UINT id, UINT style, int image);
  int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
  CToolTipCtrl* GetToolTips() const;

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

  int m_cyHeight = -1;  // a fixed height when not -1

 protected:
  void OnHotItemChange(NMHDR* nm, LRESULT* result);
  void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) override;
  void OnNcPaint() override;

  DECLARE_MESSAGE_MAP()

 private:
  CImageList images_;
  mutable CToolTipCtrl tips_;  // attached to the control's tips when asked for
  CSize sizeImage_{16, 15};
};
