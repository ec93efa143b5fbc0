// A static text that works as a link: drawn underlined, blue until opened
// and purple after, with the hand cursor; a click opens its address with
// the desktop's opener.
#pragma once

#include "common/Version.h"
#include "platform/controls/CtlStatic.h"
#include "platform/gfx/GdiObject.h"

class CStaticLink : public CStatic {
  DECLARE_DYNAMIC(CStaticLink)
 public:
  explicit CStaticLink(const char* address = nullptr, bool deleteOnDestroy = false);
  ~CStaticLink() override = default;

  CWebLink m_link;
  COLORREF m_color;

  static constexpr COLORREF kUnvisited = RGB(0, 0, 255);
  static constexpr COLORREF kVisited = RGB(128, 0, 128);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  LRESULT OnNcHitTest(CPoint point) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
  void PostNcDestroy() override;

 private:
  CFont m_font;
  bool m_bDeleteOnDestroy;
};
