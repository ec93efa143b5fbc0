// The "Static" control: text labels, icons and bitmaps, frames and filled
// rectangles, etched lines. Only a static with SS_NOTIFY takes mouse input
// (STN_CLICKED, STN_DBLCLK); others let clicks through to what lies below.
#include <algorithm>
#include <cstring>

#include "platform/controls/CtlCommon.h"

using namespace ctl;

namespace {

struct Static {
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  HANDLE image = nullptr;
  int imageType = IMAGE_BITMAP;
};

StateMap<Static> g_statics;

void paint(Static* s) {
  PaintScope painting(s->hwnd);
  HDC hdc = painting.hdc;
  CDC* dc = painting.dc;
  if (!dc) return;
  DWORD st = StyleOf(s->hwnd);
  UINT t = st & SS_TYPEMASK;
  bool enabled = IsWindowEnabled(s->hwnd) != FALSE;
  RECT r;
  GetClientRect(s->hwnd, &r);
  dc->SelectObject(s->font ? s->font : DefaultFont());
  switch (t) {
    case SS_BLACKRECT: dc->FillSolidRect(&r, GetSysColor(COLOR_3DDKSHADOW)); break;
    case SS_GRAYRECT: dc->FillSolidRect(&r, GetSysColor(COLOR_BTNSHADOW)); break;
    case SS_WHITERECT: dc->FillSolidRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT)); break;
    case SS_BLACKFRAME: dc->Draw3dRect(&r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW)); break;
    case SS_GRAYFRAME: dc->Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)); break;
    case SS_WHITEFRAME: dc->Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT)); break;
    case SS_ETCHEDHORZ: {
      RECT e{r.left, r.top, r.right, r.top + 2};
      dc->DrawEdge(&e, EDGE_ETCHED, BF_TOP);
      break;
    }
    case SS_ETCHEDVERT: {
      RECT e{r.left, r.top, r.left + 2, r.bottom};
      dc->DrawEdge(&e, EDGE_ETCHED, BF_LEFT);
      break;
    }
    case SS_ETCHEDFRAME: dc->DrawEdge(&r, EDGE_ETCHED, BF_RECT); break;
    case SS_OWNERDRAW: {
      DRAWITEMSTRUCT di{};
      di.CtlType = ODT_STATIC;
      di.CtlID = static_cast<UINT>(GetDlgCtrlID(s->hwnd));
      di.itemAction = ODA_DRAWENTIRE;
      di.itemState = enabled ? 0 : ODS_DISABLED;
      di.hwndItem = s->hwnd;
      di.hDC = hdc;
      di.rcItem = r;
      if (HWND p = GetParent(s->hwnd)) SendMessage(p, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
      break;
    }
    case SS_ICON:
    case SS_BITMAP: {
      HBRUSH brush = CtlColor(s->hwnd, hdc, WM_CTLCOLORSTATIC);
      FillBrush(dc, r, brush);
      BITMAP bm;
      auto bmp = static_cast<HBITMAP>(s->image);
      if (t == SS_BITMAP && bmp && GetObject(bmp, sizeof bm, &bm) == static_cast<int>(sizeof bm)) {
        CDC mem;
        if (mem.CreateCompatibleDC(dc)) {
          CBitmap* old = mem.SelectObject(CBitmap::FromHandle(bmp));
          int x = r.left, y = r.top;
          if (st & SS_CENTERIMAGE) {
            x = r.left + ((r.right - r.left) - bm.bmWidth) / 2;
            y = r.top + ((r.bottom - r.top) - bm.bmHeight) / 2;
          }
          dc->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
          mem.SelectObject(old);
        }
      }
      break;
    }
    default: {
      HBRUSH brush = CtlColor(s->hwnd, hdc, WM_CTLCOLORSTATIC);
      FillBrush(dc, r, brush);
      char buf[1024];
      int n = GetWindowText(s->hwnd, buf, sizeof buf);
      UINT fmt = DT_EXPANDTABS;
      switch (t) {
        case SS_CENTER: fmt |= DT_CENTER | DT_WORDBREAK; break;
        case SS_RIGHT: fmt |= DT_RIGHT | DT_WORDBREAK; break;
        case SS_SIMPLE: fmt |= DT_SINGLELINE; break;
        case SS_LEFTNOWORDWRAP: break;
        default: fmt |= DT_WORDBREAK; break;
      }
      if (st & SS_NOPREFIX) fmt |= DT_NOPREFIX;
      if (st & SS_CENTERIMAGE) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
      if (st & SS_ENDELLIPSIS) fmt |= DT_END_ELLIPSIS;
      // A path too long for its label loses its middle, keeping the last folder.
      if (st & SS_PATHELLIPSIS) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_PATH_ELLIPSIS;
      dc->SetBkMode(TRANSPARENT);
      if (!enabled) dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
      dc->DrawText(buf, n, &r, fmt);
      break;
    }
  }
  if (st & SS_SUNKEN) {
    RECT e;
    GetClientRect(s->hwnd, &e);
    dc->DrawEdge(&e, BDR_SUNKENOUTER, BF_RECT);
  }
}

LRESULT staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Static* s = g_statics.Get(hwnd);
  if (msg == WM_NCCREATE) {
    s = g_statics.Make(hwnd);
    s->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY:
      g_statics.Drop(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCHITTEST:
      if (!(StyleOf(hwnd) & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font ? s->font : DefaultFont());
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      if (StyleOf(hwnd) & SS_NOTIFY) Notify(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
      return 0;
    case WM_STYLECHANGED: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(s); return 0;
    case WM_LBUTTONDOWN:
      if (StyleOf(hwnd) & SS_NOTIFY) Notify(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (StyleOf(hwnd) & SS_NOTIFY) Notify(hwnd, STN_DBLCLK);
      return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
      HANDLE old = s->image;
      s->imageType = msg == STM_SETICON ? IMAGE_ICON : static_cast<int>(wParam);
      s->image = msg == STM_SETICON ? reinterpret_cast<HANDLE>(wParam) : reinterpret_cast<HANDLE>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
      return static_cast<int>(wParam) == s->imageType ? reinterpret_cast<LRESULT>(s->image) : 0;
    case STM_GETICON: return s->imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(s->image) : 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

WNDPROC StaticWindowProc() { return &staticProc; }
