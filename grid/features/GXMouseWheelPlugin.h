// The mouse-wheel plug-ins: the wheel scrolls the host window (Ctrl+wheel
// zooms); the IntelliMouse form adds panning with the middle button, and
// the grid form scrolls and zooms the grid directly.
#pragma once

#include <memory>

#include "grid/core/GXGridCore.h"
#include "grid/core/GXPluginComponent.h"
#include "grid/features/GXMouseWheelOriginWnd.h"
#include "platform/gfx/Dc.h"

// Lines one wheel notch scrolls (-1: a page); read once unless forced.
int GXGetWheelScrollLines(BOOL force);

// Shows the panning cursor `id` (the system's size-all cursor when the
// program has none of that id); 0 does nothing.
void GXSetPanCursor(UINT id);

class CGXMouseWheelPlugin : public CGXPluginComponent {
 public:
  BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  virtual int GetZoom();
  virtual void SetZoom(int zoom);
  // Codes of WM_VSCROLL / WM_HSCROLL: 0 line up, 1 line down, 2 page up,
  // 3 page down.
  virtual void VScroll(int code, ROWCOL count);
  virtual void HScroll(int code, ROWCOL count);

 protected:
  HWND Host() const { return m_pPlugInWnd != nullptr ? m_pPlugInWnd->m_hWnd : nullptr; }
  // The plug-in's handler (the host's message, no point) beside the window's.
  using CGXPluginComponent::OnMouseWheel;
  BOOL OnMouseWheel(UINT keys, short delta);
};

class CGXIntelliMousePlugin : public CGXMouseWheelPlugin {
 public:
  static constexpr UINT_PTR kPanTimer = 991;
  // Bitmap of the origin mark and its size on the host.
  static constexpr UINT kOriginBitmap = 20033;
  static constexpr int kMarkSize = 30;
  ~CGXIntelliMousePlugin() override;
  BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL IsPanning() const { return panning_; }
  // One panning step with the cursor at `cursor` (client coordinates) at
  // time `now`; the step count scrolled (0 when none).
  ROWCOL PanStep(CPoint cursor, DWORD now);
  void StartPanning(CPoint origin, DWORD now);
  void EndPanning();
  int GetDirection() const { return direction_; }
  CPoint GetOrigin() const { return origin_; }
  // The window showing the origin mark while panning (null otherwise).
  CGXMouseWheelOriginWnd* GetOriginWnd() const { return originWnd_.get(); }
  // The panning cursor shown for the current direction (0 when none).
  UINT GetCursorId() const { return cursorId_; }

 private:
  // The host's pixels under the mark are kept, so that moving or removing
  // the mark puts back exactly what was there.
  void SaveUnderMark();
  void RestoreUnderMark();
  void ShowMark();
  void HideMark();

  BOOL panning_ = FALSE;
  DWORD pressTime_ = 0, lastScroll_ = 0, interval_ = 0;
  CPoint origin_;
  int direction_ = -1;
  UINT cursorId_ = 0;
  std::unique_ptr<CGXMouseWheelOriginWnd> originWnd_;
  CRect markRect_;
  CDC saveDc_;
  CBitmap saveBitmap_;
  CBitmap* saveOld_ = nullptr;
};

class CGXGridIntelliMousePlugin : public CGXIntelliMousePlugin {
 public:
  explicit CGXGridIntelliMousePlugin(CGXGridCore* grid) : grid_(grid) {}
  int GetZoom() override;
  void SetZoom(int zoom) override;
  void VScroll(int code, ROWCOL count) override;
  void HScroll(int code, ROWCOL count) override;

 private:
  void Scroll(BOOL vertical, int code, ROWCOL count);
  CGXGridCore* grid_;
};

// Scrolls the grid while the mouse is held outside its scrolling area during
// a selection or drag, or while a movement key is held; faster the farther
// away the mouse is.
class CGXAutoScrollPlugin : public CGXPluginComponent {
 public:
  explicit CGXAutoScrollPlugin(CGXGridCore* grid);
  BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // One tick at time `now` with the cursor at `cursor` (client coordinates).
  void Tick(DWORD now, CPoint cursor);
  void Stop();
  int GetDelay() const { return delay_; }
  int GetSpeed() const { return speed_; }

 private:
  HWND Host() const { return grid_->m_pGridWnd != nullptr ? grid_->m_pGridWnd->m_hWnd : nullptr; }
  CGXGridCore* grid_;
  BOOL vertical_ = FALSE, horizontal_ = FALSE;
  int fixedDirection_ = -1;
  BOOL keyMode_ = FALSE;
  UINT key_ = 0, keyFlags_ = 0;
  UINT_PTR timer_ = 0;
  CRect inner_;
  DWORD lastScroll_ = 0;
  int delay_ = 80, moveDelay_ = 80, speed_ = 1, lastDistance_ = 0;
  CPoint startCursor_;
};
