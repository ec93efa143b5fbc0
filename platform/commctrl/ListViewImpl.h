// Internal to the list view (ListView*.cpp): its per-window state and the
// pieces its files share.
#pragma once

#include <string>
#include <vector>

#include "platform/commctrl/CommCtrlImpl.h"
#include "platform/controls/CtlCommon.h"

namespace lv {

struct Item {
  std::vector<std::string> text;  // by sub-item
  LPARAM param = 0;
  UINT state = 0;
  int image = 0;
};

struct Column {
  int width = 0;
  int fmt = LVCFMT_LEFT;
  int subItem = 0;
};

struct ListView {
  HWND hwnd = nullptr;
  HWND header = nullptr;
  std::vector<Item> items;
  std::vector<Column> cols;
  DWORD exStyle = 0;
  HFONT font = nullptr;
  // The font's metrics, measured once a font: rows are laid out by them for
  // every item drawn or changed.
  bool metricsKnown = false;
  ctl::FontInfo metrics;
  int top = 0;        // first row shown
  int hOff = 0;       // horizontal scroll, pixels
  int focusItem = -1;
  int mark = -1;      // the anchor of shift selections
  bool focus = false;
  bool settingBars = false;
  bool bkSet = false, textSet = false, textBkSet = false;
  COLORREF bk = 0, text = 0, textBk = 0;
};

ListView* Get(HWND hwnd);
int Count(const ListView* l);
const std::string& TextOf(const Item& it, int subItem);

// Geometry and scrolling (ListViewView.cpp).
// The metrics of the list's font (the default font when none was set).
const ctl::FontInfo& Metrics(ListView* l);
int RowHeight(ListView* l);
int HeaderHeight(ListView* l);
RECT RowsArea(ListView* l);  // client area below the header
int PerPage(ListView* l);     // whole rows that fit (at least 1)
int TotalWidth(ListView* l);
RECT CellRect(ListView* l, int item, int col);
RECT ItemRect(ListView* l, int item, int code);
int HitTest(ListView* l, POINT p, UINT* flags, int* subItem);
void LayoutHeader(ListView* l);
void UpdateBars(ListView* l);
void SetTop(ListView* l, int top);
void SetHOff(ListView* l, int off);
bool EnsureVisible(ListView* l, int item, bool partialOk);
void InvalidateItem(ListView* l, int item);
void Paint(ListView* l);
void OnVScroll(ListView* l, UINT code);
void OnHScroll(ListView* l, UINT code);

// State changes with LVN_ITEMCHANGING/LVN_ITEMCHANGED (ListViewInput.cpp).
// False when the parent refused or the window went away; `item` -1 is every
// item.
bool SetState(ListView* l, int item, UINT state, UINT mask);
void MouseDown(ListView* l, POINT p, bool dbl, bool right);
void MouseUp(ListView* l, POINT p, bool right);
void KeyDown(ListView* l, UINT vk);

}  // namespace lv
