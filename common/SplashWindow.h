// The picture shown at start-up over the main window. It closes after two
// seconds or at the first key or mouse press; closing shows the main window
// and arms the view's first-paint step.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/gfx/GdiObject.h"

class CSplashWindow : public CWnd {
 public:
  ~CSplashWindow() override;

  static void EnableSplash(int enable);
  // Nothing when the splash is off or one is already open.
  static void ShowSplash(CWnd* parent);
  // Closes the splash at a key or mouse press in any window (the press is
  // consumed); false for every other message and with no splash open.
  static bool PreTranslateAppMessage(MSG* msg);
  static void HideSplashScreen();
  // What closing the splash arms (the application's first-paint step).
  static void SetFirstPaintArmer(void (*armer)());

 protected:
  CSplashWindow() = default;
  using CWnd::Create;  // the generic forms stay callable
  BOOL Create(CWnd* parent);
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnTimer(UINT_PTR id) override;
  void PostNcDestroy() override;

 private:
  CBitmap m_bitmap;
};

extern CSplashWindow* SplashWnd;
extern int SplashEnabled;
