// The progress window: a modeless dialog with a caption line over a bar
// that shows the percentage done. The filled part of the bar is in the
// active-caption colour with the percentage in light grey, the rest light
// grey with the percentage in the caption colour, the text changing colour
// where the fill ends. The work loop steps it without a message loop, so
// every step paints at once.
#pragma once

#include "common/Question.h"
#include "platform/dialogs/Dialog.h"
#include "platform/base/Geometry.h"

class CProgressWindow : public CDialog {
 public:
  CProgressWindow();

  // Creates the window unless it exists; false when it cannot be made.
  bool Open();
  void SetCaption(const char* caption);
  // Shows `percent`, the fill ending at position / total of the bar.
  void ShowStep(int percent, int position, int total);
  // Destroys the window when it exists; 1 when it was destroyed.
  int Close();

  BOOL OnInitDialog() override;
  // The bar in client coordinates.
  RECT BarRect() const { return m_bar; }

 protected:
  void OnPaint() override;
  void PostNcDestroy() override;

 private:
  void PaintBar(CDC* dc);

  RECT m_bar{0, 0, 0, 0};
  int m_barWidth = 0;
  COLORREF m_barColor = 0;
  COLORREF m_light = RGB(192, 192, 192);
  POINT m_textAt{0, 0};
  int m_percent = -1;
  int m_fill = 0;  // pixels of the bar filled
};

// Drives CProgressWindow for ReportProgress.
class DialogProgressPresenter : public ProgressPresenter {
 public:
  bool Create() override { return window_.Open(); }
  void SetCaption(const char* caption) override { window_.SetCaption(caption); }
  void DrawBar(int percent, int position, int total) override { window_.ShowStep(percent, position, total); }
  int Destroy() override { return window_.Close(); }
  CProgressWindow& Window() { return window_; }

 private:
  CProgressWindow window_;
};
