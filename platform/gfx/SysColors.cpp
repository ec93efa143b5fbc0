#include "platform/gfx/SysColors.h"

#include <vector>

#include "platform/gfx/GdiObject.h"

namespace {

// The classic desktop scheme.
COLORREF kColors[COLOR_COUNT] = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
};

HBRUSH brushes[COLOR_COUNT] = {};

}  // namespace

COLORREF GetSysColor(int index) { return index >= 0 && index < COLOR_COUNT ? kColors[index] : 0; }

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= COLOR_COUNT) return nullptr;
  if (!brushes[index]) brushes[index] = CreateSolidBrush(kColors[index]);
  return brushes[index];
}

bool platform::SetSysColorTable(int count, const int* indices, const COLORREF* colors) {
  if (count < 0 || (count && (!indices || !colors))) return false;
  for (int i = 0; i < count; ++i) {
    int k = indices[i];
    if (k < 0 || k >= COLOR_COUNT) continue;
    kColors[k] = colors[i];
    // Handed-out brushes stay valid; later calls get the new colour.
    brushes[k] = nullptr;
  }
  return true;
}
