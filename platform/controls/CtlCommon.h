// Shared pieces of the standard controls: per-window state, notifications
// to the parent, colours asked of the parent, fonts and text measuring, and
// the classic 3-D drawing. Internal to the controls (platform/Ctl*.cpp).
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/window/CtlDefs.h"
#include "platform/gfx/Dc.h"
#include "platform/window/Painting.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Window.h"

namespace ctl {

// State records of one kind of control, keyed by window. A record is made at
// WM_NCCREATE and dropped at WM_NCDESTROY.
template <class T>
class StateMap {
 public:
  T* Get(HWND hwnd) {
    auto it = map_.find(hwnd);
    return it == map_.end() ? nullptr : it->second.get();
  }
  T* Make(HWND hwnd) {
    auto& p = map_[hwnd];
    p = std::make_unique<T>();
    return p.get();
  }
  void Drop(HWND hwnd) { map_.erase(hwnd); }

 private:
  std::map<HWND, std::unique_ptr<T>> map_;
};

// BeginPaint at construction, EndPaint when it goes out of scope. `dc` is
// null when the window could not be painted.
struct PaintScope {
  explicit PaintScope(HWND h) : hwnd(h), hdc(BeginPaint(h, &ps)), dc(CDC::FromHandle(hdc)) {}
  ~PaintScope() { EndPaint(hwnd, &ps); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HWND hwnd;
  PAINTSTRUCT ps;
  HDC hdc;
  CDC* dc;
};

DWORD StyleOf(HWND hwnd);
// Registers a control class (global, no background) unless it exists.
void RegisterControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor);
// The window scroll bars a control was created with (WM_NCCREATE's
// CREATESTRUCT in lParam; nothing is set without one).
void BarsAskedFor(LPARAM createStruct, bool* wantV, bool* wantH);
// WM_COMMAND with the control's id and `code` to its parent (the owner of a
// pop-up). Returns false when the control died while the parent handled it.
bool Notify(HWND hwnd, int code);
// WM_CTLCOLORxxx to the parent with `dc`; the brush it answers, or the
// classic default (the DC's colours are then set to match).
HBRUSH CtlColor(HWND hwnd, HDC dc, UINT msg);

// The dialog font ("MS Sans Serif", 8 points), shared and never deleted.
HFONT DefaultFont();
// Character advances and line metrics of a font (device pixels).
struct FontInfo {
  int height = 13, ascent = 10, aveWidth = 5, externalLeading = 0;
  const int* advance = nullptr;  // 256 entries
};
FontInfo Measure(HFONT font);
int TextWidth(const FontInfo& f, const char* text, int count);

bool IsWordChar(char c);

// Classic drawing.
void FillBrush(CDC* dc, const RECT& r, HBRUSH brush);
void DrawArrowGlyph(CDC* dc, const RECT& r, int direction, bool enabled);  // 0 up, 1 down, 2 left, 3 right
// A push-style face: raised (or pushed) 3-D button edge filled with the face
// colour; returns the inner rectangle.
RECT DrawButtonFace(CDC* dc, const RECT& r, bool pushed, bool defaultFrame);
// The dotted track of a scroll bar.
void FillScrollTrack(CDC* dc, const RECT& r);
// A check box's square in `box` (13 x 13) with the BST_ state.
void DrawCheckBox(CDC* dc, const RECT& box, UINT check, bool pushed, bool enabled);

}  // namespace ctl

// Window procedures of the control classes (registered by
// RegisterControlClasses).
WNDPROC EditWindowProc();
WNDPROC RichEditWindowProc();
WNDPROC ButtonWindowProc();
WNDPROC StaticWindowProc();
WNDPROC ListBoxWindowProc();
WNDPROC ComboBoxWindowProc();
WNDPROC ComboListWindowProc();
WNDPROC ScrollBarWindowProc();

namespace ctl {
// The list of a combo box: a list box that serves the combo. Its
// notifications, owner-draw messages and item ids are the combo's.
void ListBoxAttachCombo(HWND list, HWND combo);
HWND ListBoxCombo(HWND list);
// A combo box's edit child passes the combo's keys (arrows, F4, Alt+Down,
// Enter and Escape while dropped) to its combo first.
HWND ComboOfEdit(HWND edit);
bool ComboEditKey(HWND combo, UINT msg, UINT vk);
bool ComboDropped(HWND combo);
// The list tells its combo what the mouse did while the list was dropped.
enum class ListEvent { Commit, Cancel, CancelOnCombo };
void ComboListEvent(HWND combo, ListEvent event);
// The classic 3-D scroll-bar drawing, shared by the control and the
// window scroll bars.
struct BarState {
  int min = 0, max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;
  bool shown = true;
  UINT disabled = 0;  // ESB_ flags
  int pressed = -1;   // part pressed: 0 first arrow, 1 page before, 2 thumb, 3 page after, 4 second arrow
  int thumbOffset = 0;
};
// A press on one of the standard scroll bars in a window's frame
// (WM_NCLBUTTONDOWN with HTVSCROLL or HTHSCROLL), which tracks the mouse
// until the button comes up. True when the press was on a bar.
bool WindowScrollBarPress(HWND hwnd, UINT hit, POINT screen);
}  // namespace ctl
