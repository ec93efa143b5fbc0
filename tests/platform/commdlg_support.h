// Shared helpers of the common dialog tests: a scratch folder of files, and
// reading and choosing entries of the dialogs' lists.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/commdlg/CommDlgDefs.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"

namespace commdlgtest {

// A scratch folder removed with the object.
class ScratchFolder {
 public:
  ScratchFolder() {
    char pattern[] = "/tmp/kestrova-commdlg-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made ? made : "";
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  void File(const std::string& name) const {
    std::filesystem::create_directories(std::filesystem::path(path_ + "/" + name).parent_path());
    if (FILE* f = std::fopen((path_ + "/" + name).c_str(), "w")) std::fclose(f);
  }
  void Folder(const std::string& name) const { std::filesystem::create_directories(path_ + "/" + name); }

 private:
  std::string path_;
};

inline std::vector<std::string> ListTexts(HWND dlg, int id, bool combo = false) {
  std::vector<std::string> out;
  const UINT countMsg = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT textMsg = combo ? CB_GETLBTEXT : LB_GETTEXT;
  const int n = static_cast<int>(SendDlgItemMessage(dlg, id, countMsg, 0, 0));
  for (int i = 0; i < n; ++i) {
    char buf[300] = {};
    SendDlgItemMessage(dlg, id, textMsg, i, reinterpret_cast<LPARAM>(buf));
    out.push_back(buf);
  }
  return out;
}

inline std::string ItemText(HWND dlg, int id) {
  char buf[300] = {};
  GetDlgItemText(dlg, id, buf, sizeof buf);
  return buf;
}

// Replaces a text box's text by typing, then presses Enter.
inline void TypeAndEnter(HWND dlg, int id, const std::string& text) {
  SetFocus(GetDlgItem(dlg, id));
  SendDlgItemMessage(dlg, id, EM_SETSEL, 0, -1);
  automation::TypeText(text);
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
}

// Double-clicks the list entry whose text, without its indentation, is text.
inline bool DoubleClickEntry(HWND dlg, int id, const std::string& text) {
  std::vector<std::string> items = ListTexts(dlg, id);
  for (size_t i = 0; i < items.size(); ++i) {
    std::string item = items[i];
    item.erase(0, item.find_first_not_of(' '));
    if (item != text) continue;
    RECT r{};
    SendDlgItemMessage(dlg, id, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    automation::DoubleClick(GetDlgItem(dlg, id), POINT{r.left + 4, (r.top + r.bottom) / 2});
    automation::PumpUntilIdle();
    return true;
  }
  return false;
}

}  // namespace commdlgtest
