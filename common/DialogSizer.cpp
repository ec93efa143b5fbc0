#include "common/DialogSizer.h"

#include <cstdio>
#include <cstdlib>

#include "common/Settings.h"
#include "platform/framework/CWnd.h"
#include "platform/window/Window.h"

int ReadDialogSize(SettingsSection* section, char key) {
  char text[32] = "";
  GetSettingString(section, key, nullptr, "0", "%s", text);
  return std::atoi(text);
}

void WriteDialogSize(SettingsSection* section, char key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  PutSettingString(section, key, nullptr, text);
}

void DialogSizer::Start(CWnd* dlg, int savedWidth, int savedHeight) {
  RECT r{};
  dlg->GetWindowRect(&r);
  m_minWidth = m_lastWidth = r.right - r.left;
  m_minHeight = m_lastHeight = r.bottom - r.top;
  if (savedWidth != 0) dlg->SetWindowPos(nullptr, 0, 0, savedWidth, savedHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void DialogSizer::Step(CWnd* dlg, int* width, int* height, int* dx, int* dy) {
  RECT r{};
  dlg->GetWindowRect(&r);
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  m_raised = false;
  if (*width < m_minWidth || (m_fixedWidth && *width != m_minWidth)) {
    *width = m_minWidth;
    m_raised = true;
  }
  if (*height < m_minHeight) {
    *height = m_minHeight;
    m_raised = true;
  }
  *dx = *width - m_lastWidth;
  *dy = *height - m_lastHeight;
  m_lastWidth = *width;
  m_lastHeight = *height;
}

void DialogSizer::Finish(CWnd* dlg) {
  dlg->Invalidate();
  if (m_raised) dlg->SetWindowPos(nullptr, 0, 0, m_lastWidth, m_lastHeight, SWP_NOMOVE | SWP_NOZORDER);
}
