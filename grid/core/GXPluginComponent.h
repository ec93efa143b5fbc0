// A plug-in component of a grid: a window object that is offered each of
// the grid window's messages before the grid handles them (the auto-scroll
// and mouse-wheel features are built this way).
#pragma once

#include "platform/framework/CWnd.h"

class CGXPluginComponent : public CWnd {
 public:
  // Attaches the component to the window whose messages it will see.
  virtual void PlugIn(CWnd* window) { m_pPlugInWnd = window; }
  // Offered one message; sets the two flags below for the grid to read.
  virtual BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;

  CWnd* m_pPlugInWnd = nullptr;
  // The message was handled: the grid window skips its own processing.
  BOOL m_bExitMessage = FALSE;
  // No further plug-in is offered the message.
  BOOL m_bSkipOtherPlugins = FALSE;
};
