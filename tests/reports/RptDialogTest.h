// The parameter dialogs' tests: the fixture year with its settings file, a
// launcher run while a script drives its dialog, and the remembered keys
// read back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AppTestUtil.h"
#include "common/Settings.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "reports/RptContext.h"
#include "reports/RptDates.h"
#include "reports/RptSelection.h"
#include "store/Fixture.h"

class RptDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    RptDates.ResetToDefaults();
    ctx_.reportId = 0;
    ctx_.lineWidth = kRptPortraitWidth;
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }

  // Runs `launcher` for report `id` while `script` drives the dialog
  // captioned `caption` (the loop ends with IDABORT when the script left it
  // open); the launcher's result.
  template <class Launcher>
  int Run(int id, const std::string& caption, std::function<void(HWND)> script, Launcher launcher) {
    ctx_.reportId = id;
    ctx_.lineWidth = kRptPortraitWidth;
    automation::OnDialog(caption, std::move(script), IDABORT);
    return launcher(&ctx_);
  }

  // A remembered value of section "RPT<section>" ("" when missing).
  static std::string Key(const char* section, char key, const char* item = nullptr) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, section);
    char text[300] = "";
    GetSettingString(s, key, item, "", "%s", text);
    CloseSettingsSection(s);
    return text;
  }
  static void PutKey(const char* section, char key, const char* value, const char* item = nullptr) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, section);
    PutSettingString(s, key, item, value);
    CloseSettingsSection(s);
  }

  static bool Checked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
  // A click on a check box or radio button, as the mouse gives it.
  static void Click(HWND dlg, int id) {
    SendMessage(GetDlgItem(dlg, id), BM_CLICK, 0, 0);
    automation::PumpUntilIdle();
  }
  static void Check(HWND dlg, int id, bool on) {
    if (Checked(dlg, id) != on) Click(dlg, id);
  }
  static bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }
  // The entries of a list box, and which are selected.
  static std::vector<std::string> Entries(HWND dlg, int id) {
    std::vector<std::string> out;
    HWND list = GetDlgItem(dlg, id);
    const int n = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[128] = "";
      SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.emplace_back(text);
    }
    return out;
  }
  static std::vector<std::string> Selected(HWND dlg, int id) {
    std::vector<std::string> out;
    HWND list = GetDlgItem(dlg, id);
    const std::vector<std::string> all = Entries(dlg, id);
    for (size_t i = 0; i < all.size(); ++i)
      if (SendMessage(list, LB_GETSEL, i, 0) > 0) out.push_back(all[i]);
    return out;
  }
  static void Select(HWND dlg, int id, const std::vector<std::string>& which) {
    HWND list = GetDlgItem(dlg, id);
    SendMessage(list, LB_SETSEL, FALSE, -1);
    const std::vector<std::string> all = Entries(dlg, id);
    for (size_t i = 0; i < all.size(); ++i)
      for (const std::string& w : which)
        if (all[i] == w) SendMessage(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
  }
  // Moves the focus into a control and out again (to `next`), as Tab would.
  static void FocusThrough(HWND dlg, int id, int next) {
    SetFocus(GetDlgItem(dlg, id));
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(dlg, next));
    automation::PumpUntilIdle();
  }
  static RECT WindowSize(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
  }

  fixture::FiscalYear fy;
  RptContext ctx_;
};
