// The spreadsheet-like frame: a thick frame around the selection range being
// worked on, with a small handle at one corner (bottom-right for cells and
// the table, bottom-left for whole rows, top-right for whole columns). It is
// drawn by inverting pixels, so the grid remembers which frame is on screen
// (m_rgFrame, valid while shown) to erase it again. Nothing is drawn unless
// the parameter object's spreadsheet-frame option is on, and nothing while
// the frame is locked (SetFrameState(FALSE, ...) hides and locks it).
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridExcelLikeFrameImp : public CGXAbstractGridExcelLikeFrameImp {
 public:
  // Inverts one pane's piece of the frame.
  void DrawFrame(CGXGridCore* grid, CDC* dc, const CRect& clip, const CRect& frame, BOOL topVisible, BOOL leftVisible,
                 int handle, BOOL handleOnly) override;
  // Splits a range of cells over the grid's panes and draws each piece
  // (value1: the handle's corner, value2: only the handle).
  void TrackSelectionFrame(CGXGridCore* grid, CDC* dc, const CGXRange& range, int handle, int handleOnly) override;
  // Erases the frame on screen (with eraseOld) and stores, and with a
  // device context draws, the frame of `range` when it is valid.
  void DrawSelectionFrame(CGXGridCore* grid, CDC* dc, BOOL eraseOld, const CGXRange& range) override;
  // Toggles only the handle (around scrolling the window).
  void ToggleSelectionFrame(CGXGridCore* grid) override;
  // TRUE shows the frame again, FALSE hides and locks it; the previous state.
  BOOL SetFrameState(CGXGridCore* grid, BOOL state, BOOL sendHint) override;
};

// The handle's corner for a selection range: 7 whole columns, 2 whole rows,
// else 0.
int GXFrameHandleFor(const CGXRange& range);
