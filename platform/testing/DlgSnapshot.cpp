#include "platform/testing/DlgSnapshot.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/SysColors.h"
#include "platform/window/WindowImpl.h"

bool SnapshotToPng(HWND hwnd, const std::string& path, int margin) {
  WindowImpl* top = wnd::Get(hwnd);
  if (!top) return false;
  top = wnd::Root(top);
  // The window and its visible owned pop-ups, bottom of the z-order first.
  std::vector<HWND> order = wnd::TopLevelOrder();
  std::reverse(order.begin(), order.end());
  std::vector<HWND> shown;
  RECT bounds = top->rect;
  for (HWND h : order) {
    if (!wnd::Get(h) || !h->surface || !IsWindowVisible(h)) continue;
    bool mine = h == top;
    for (HWND o = h->owner; o && !mine; o = o->owner) mine = o == top;
    if (!mine) continue;
    shown.push_back(h);
    UnionRect(&bounds, &bounds, &h->rect);
  }
  if (shown.empty()) shown.push_back(top);
  int width = bounds.right - bounds.left + 2 * margin, height = bounds.bottom - bounds.top + 2 * margin;
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(out);
  COLORREF desk = GetSysColor(COLOR_BACKGROUND);
  cairo_set_source_rgb(cr, GetRValue(desk) / 255.0, GetGValue(desk) / 255.0, GetBValue(desk) / 255.0);
  cairo_paint(cr);
  for (HWND h : shown) {
    cairo_surface_flush(h->surface);
    cairo_set_source_surface(cr, h->surface, h->rect.left - bounds.left + margin, h->rect.top - bounds.top + margin);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(out);
  return ok;
}
