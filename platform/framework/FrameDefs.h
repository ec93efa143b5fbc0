// Ids, messages and styles of the frame, document and view architecture and
// of the control bars.
#pragma once

#include "platform/window/Messages.h"

// A frame's request for the status-bar prompt of a command id (wParam), or
// for a text (lParam, when wParam is 0).
#define WM_SETMESSAGESTRING 0x0362
// Asked of a frame's children by RecalcLayout: lParam an AFX_SIZEPARENTPARAMS.
// (WM_SIZEPARENT is in platform/Messages.h.)

// Window ids of the frame's children.
#define AFX_IDW_TOOLBAR           0xE800
#define AFX_IDW_STATUS_BAR        0xE801
#define AFX_IDW_CONTROLBAR_FIRST  0xE800
#define AFX_IDW_CONTROLBAR_LAST   0xE8FF
#define AFX_IDW_PANE_FIRST        0xE900

// Commands the framework handles.
#define ID_SEPARATOR            0
#define ID_FILE_NEW             0xE100
#define ID_FILE_OPEN            0xE101
#define ID_FILE_CLOSE           0xE102
#define ID_FILE_SAVE            0xE103
#define ID_FILE_PRINT           0xE107
#define ID_FILE_PRINT_PREVIEW   0xE109
#define ID_APP_ABOUT            0xE140
#define ID_APP_EXIT             0xE141
#define ID_HELP_INDEX           0xE142
#define ID_HELP_FINDER          0xE143
#define ID_CONTEXT_HELP         0xE145
#define ID_HELP                 0xE146
#define ID_DEFAULT_HELP         0xE147
#define ID_VIEW_TOOLBAR         0xE800
#define ID_VIEW_STATUS_BAR      0xE801

// Help contexts of commands.
#define HID_BASE_COMMAND        0x00010000u

// Strings of the framework (string table ids).
#define AFX_IDS_IDLEMESSAGE     0xE001
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104

// Frame styles.
#define FWS_ADDTOTITLE   0x00008000u
#define FWS_PREFIXTITLE  0x00004000u

// LoadFrame / CFrameWnd::Create
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// Control-bar styles (the high bits are ours, kept apart from window styles).
#define CBRS_ALIGN_LEFT     0x1000u
#define CBRS_ALIGN_TOP      0x2000u
#define CBRS_ALIGN_RIGHT    0x4000u
#define CBRS_ALIGN_BOTTOM   0x8000u
#define CBRS_ALIGN_ANY      0xF000u
#define CBRS_BORDER_LEFT    0x0100u
#define CBRS_BORDER_TOP     0x0200u
#define CBRS_BORDER_RIGHT   0x0400u
#define CBRS_BORDER_BOTTOM  0x0800u
#define CBRS_BORDER_ANY     0x0F00u
#define CBRS_TOOLTIPS       0x0010u
#define CBRS_FLYBY          0x0020u
#define CBRS_SIZE_DYNAMIC   0x0080u
#define CBRS_GRIPPER        0x00400000u
#define CBRS_NOALIGN        0x00000000u
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ALL            0x0040FFFFu

// The shown-or-hidden changes a frame's layout must follow.
struct AFX_SIZEPARENTPARAMS {
  RECT rect{0, 0, 0, 0};  // the room left for the view; each bar takes its share
  SIZE sizeTotal{0, 0};
  BOOL bStretch = TRUE;
};
