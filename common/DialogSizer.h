// The size handling of the resizable dialogs that remember their size in
// their settings section (width 'X', height 'Y', decimal texts) and never
// shrink below the size they open with.
#pragma once

class CWnd;
struct SettingsSection;

// The remembered width or height; 0 when none.
int ReadDialogSize(SettingsSection* section, char key);
void WriteDialogSize(SettingsSection* section, char key, int value);

class DialogSizer {
 public:
  // At opening: the window's size becomes the minimum and the last size;
  // then the remembered size (when there is one) is applied.
  void Start(CWnd* dlg, int savedWidth, int savedHeight);
  bool Started() const { return m_minWidth != 0; }
  // The width stays at the minimum: the window may only grow taller.
  void SetFixedWidth() { m_fixedWidth = true; }
  // At a size event: the window's size, raised to the minimum, into
  // `width` and `height`; the change since the last event into `dx`, `dy`.
  // The caller moves its controls, then calls Finish.
  void Step(CWnd* dlg, int* width, int* height, int* dx, int* dy);
  // Repaints, and resizes the window back up when Step raised its size.
  void Finish(CWnd* dlg);

 private:
  int m_minWidth = 0, m_minHeight = 0;
  int m_lastWidth = 0, m_lastHeight = 0;
  bool m_raised = false;
  bool m_fixedWidth = false;
};
