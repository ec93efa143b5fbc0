// The gallery's main frame: a frame with a menu, a flat tool bar with tips
// and fly-by prompts, a one-pane status bar and a view, the way the
// program's main window is built. Header only (one file of a program
// includes it), so that the golden-picture test shows the same frame.
#pragma once

#include <map>
#include <string>

#include "platform/base/CString.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/framework/WindowDc.h"
#include "platform/framework/Frame.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/ToolBar.h"
#include "platform/framework/View.h"

namespace gallery {

enum : UINT {
  ID_GF_NEW = 9201, ID_GF_OPEN, ID_GF_SAVE, ID_GF_CUT, ID_GF_COPY, ID_GF_BOLD, ID_GF_EXIT
};

// The frame's prompts and tips ("prompt\ntip"), installed as the string table.
inline void InstallFrameStrings() {
  static const std::map<UINT, std::string> strings = {
      {ID_GF_NEW, "Create a new set of records\nNew"},
      {ID_GF_OPEN, "Open a set of files for a different fiscal year\nOpen (Ctrl+O)"},
      {ID_GF_SAVE, "Save the records\nSave"},
      {ID_GF_CUT, "Cut the selection\nCut"},
      {ID_GF_COPY, "Copy the selection\nCopy"},
      {ID_GF_BOLD, "Show amounts in bold\nBold"},
      {ID_GF_EXIT, "Quit the gallery\nExit"},
      {ID_VIEW_TOOLBAR, "Display or hide the toolbar\nToggle ToolBar"},
      {ID_VIEW_STATUS_BAR, "Display or hide the status bar\nToggle StatusBar"},
  };
  AfxSetStringTable([](UINT id, std::string& text) {
    auto it = strings.find(id);
    if (it == strings.end()) return false;
    text = it->second;
    return true;
  });
}

// Six pictures of 24 x 23 on the classic light grey, drawn at run time.
inline HBITMAP MakeToolStrip(CDC* screen) {
  const int cx = 24, cy = 23, count = 6;
  CDC mem;
  mem.CreateCompatibleDC(screen);
  CBitmap strip;
  strip.CreateCompatibleBitmap(screen, cx * count, cy);
  CBitmap* old = mem.SelectObject(&strip);
  mem.FillSolidRect(0, 0, cx * count, cy, RGB(192, 192, 192));
  const COLORREF colours[count] = {RGB(255, 255, 255), RGB(255, 255, 0), RGB(0, 0, 128),
                                   RGB(128, 0, 0),     RGB(0, 128, 0),   RGB(0, 0, 0)};
  for (int i = 0; i < count; ++i) {
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(colours[i]);
    CPen* op = mem.SelectObject(&pen);
    CBrush* ob = mem.SelectObject(&brush);
    const int x = i * cx;
    if (i == 5) {
      CFont font;
      font.CreateFont(-18, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
      CFont* of = mem.SelectObject(&font);
      mem.SetBkMode(TRANSPARENT);
      RECT r{x, 0, x + cx, cy};
      mem.DrawText("B", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      mem.SelectObject(of);
    } else if (i == 3) {
      mem.Ellipse(x + 4, 4, x + 12, 12);
      mem.Ellipse(x + 12, 11, x + 20, 19);
    } else {
      mem.Rectangle(x + 5, 3 + i % 2, x + 19 - i % 2, 20);
    }
    mem.SelectObject(op);
    mem.SelectObject(ob);
  }
  mem.SelectObject(old);
  return static_cast<HBITMAP>(strip.Detach());
}

class GalleryView : public CView {
  DECLARE_DYNCREATE(GalleryView)
 public:
  void OnDraw(CDC* dc) override {
    RECT r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, RGB(255, 255, 255));
    CFont font;
    font.CreateFont(20, 12, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0x20, "Arial");
    CFont* old = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    RECT shadow{11, 11, 171, 36}, text{10, 10, 170, 35};
    dc->SetTextColor(RGB(127, 127, 127));
    dc->DrawText("Troop 42", -1, &shadow, DT_CENTER | DT_TOP | DT_SINGLELINE);
    dc->SetTextColor(RGB(0, 0, 0));
    dc->DrawText("Troop 42", -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE);
    dc->SelectObject(old);
  }
};
IMPLEMENT_DYNCREATE(GalleryView, CView)

class GalleryFrame : public CFrameWnd {
  DECLARE_DYNCREATE(GalleryFrame)
 public:
  CToolBar m_wndToolBar;
  CStatusBar m_wndStatusBar;
  BOOL bold = TRUE;
  bool quitOnClose = false;

  // A frame of the given outer size at (x, y) with its view, shown.
  BOOL Make(int x, int y, int width, int height) {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(GalleryView);
    RECT r{x, y, x + width, y + height};
    if (!Create(nullptr, "Kestrova Gallery", WS_OVERLAPPEDWINDOW, r, nullptr, nullptr, 0, &context)) return FALSE;
    InitialUpdateFrame(nullptr, FALSE);
    ShowWindow(SW_SHOWNORMAL);
    return TRUE;
  }

  void OnBold() { bold = !bold; }
  void OnUpdateBold(CCmdUI* ui) { ui->SetCheck(bold ? 1 : 0); }
  void OnUpdateCut(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnNothing() {}
  void OnExit() { DestroyWindow(); }

 protected:
  int OnCreate(LPCREATESTRUCT cs) override {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    CMenu bar, file, view;
    bar.CreateMenu();
    file.CreatePopupMenu();
    file.AppendMenu(MF_STRING, ID_GF_NEW, "&New");
    file.AppendMenu(MF_STRING, ID_GF_OPEN, "&Open...\tCtrl+O");
    file.AppendMenu(MF_SEPARATOR);
    file.AppendMenu(MF_STRING, ID_GF_EXIT, "E&xit");
    view.CreatePopupMenu();
    view.AppendMenu(MF_STRING, ID_VIEW_TOOLBAR, "&Tool Bar");
    view.AppendMenu(MF_STRING, ID_VIEW_STATUS_BAR, "&Status Bar");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.Detach()), "&File");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(view.Detach()), "&View");
    ::SetMenu(m_hWnd, bar.Detach());
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY))
      return -1;
    m_wndToolBar.SetSizes(SIZE{31, 30}, SIZE{24, 23});
    CClientDC dc(this);
    CBitmap strip;
    strip.Attach(MakeToolStrip(&dc));
    m_wndToolBar.SetBitmap(strip);
    const UINT buttons[] = {ID_GF_NEW, ID_GF_OPEN, ID_GF_SAVE, ID_SEPARATOR, ID_GF_CUT, ID_GF_COPY, ID_SEPARATOR,
                            ID_GF_BOLD};
    m_wndToolBar.SetButtons(buttons, 8);
    const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1)) return -1;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return 0;
  }
  void PostNcDestroy() override {
    if (quitOnClose) PostQuitMessage(0);
    // The gallery owns the object.
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(GalleryFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(GalleryFrame, CFrameWnd)
  ON_COMMAND(ID_GF_NEW, OnNothing)
  ON_COMMAND(ID_GF_OPEN, OnNothing)
  ON_COMMAND(ID_GF_SAVE, OnNothing)
  ON_COMMAND(ID_GF_COPY, OnNothing)
  ON_COMMAND(ID_GF_CUT, OnNothing)
  ON_COMMAND(ID_GF_BOLD, OnBold)
  ON_COMMAND(ID_GF_EXIT, OnExit)
  ON_UPDATE_COMMAND_UI(ID_GF_BOLD, OnUpdateBold)
  ON_UPDATE_COMMAND_UI(ID_GF_CUT, OnUpdateCut)
END_MESSAGE_MAP()

}  // namespace gallery
