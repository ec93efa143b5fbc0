// Routing of a key message to the key handlers of a cell control or a cell
// child: both take the same messages, and both join a double-byte lead byte
// with its trail byte before a character reaches them.
#pragma once

#include "grid/core/GXAppData.h"
#include "platform/window/Messages.h"

template <class Target>
BOOL GXRouteKeyMessage(Target& target, UINT message, UINT key, UINT repeat, UINT flags, BOOL& leadPending,
                       char& leadByte) {
  switch (message) {
    case WM_KEYDOWN: return target.KeyDown(key, repeat, flags);
    case WM_KEYUP: return target.KeyUp(key, repeat, flags);
    case WM_DEADCHAR: return target.DeadChar(key, repeat, flags);
    case WM_SYSKEYDOWN: return target.SysKeyDown(key, repeat, flags);
    case WM_SYSKEYUP: return target.SysKeyUp(key, repeat, flags);
    case WM_SYSCHAR: return target.SysChar(key, repeat, flags);
    case WM_SYSDEADCHAR: return target.SysDeadChar(key, repeat, flags);
    case WM_CHAR: {
      const BOOL wasPending = leadPending;
      CString joined;
      if (GXAssembleDbcsChar(key, joined, leadPending, leadByte)) return target.InsertText(joined);
      // A lead byte that now waits for its trail byte is swallowed.
      if (!wasPending && leadPending) return TRUE;
      return target.HandleChar(key, repeat, flags);
    }
    default: return FALSE;
  }
}
