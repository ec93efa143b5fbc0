// WinHelp as the manual document opened by the desktop's opener.
#include "platform/shell/Help.h"

#include <unistd.h>

#include <cctype>

#include "platform/window/Messages.h"

#include "platform/base/Resources.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/shell/ShellExecute.h"

namespace shell {

std::string ManualFor(const std::string& helpFile) {
  std::string stem = helpFile.substr(helpFile.find_last_of("/\\") + 1);
  stem = stem.substr(0, stem.find('.'));
  if (stem.empty()) return {};
  // Help file names come in any case ("KESTROVA.HLP"); the manual's is lower.
  std::string lower = stem;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string& name : {stem, lower})
    for (const char* ext : {".html", ".pdf"}) {
      const std::string path = ResourcePath(("manual/" + name + ext).c_str());
      if (access(path.c_str(), R_OK) == 0) return path;
    }
  return {};
}

std::string HelpTarget(const std::string& manual, UINT command, ULONG_PTR data) {
  std::string target = "file://" + manual;
  if (command == HELP_CONTEXT || command == HELP_CONTEXTPOPUP) target += "#context-" + std::to_string(data);
  return target;
}

}  // namespace shell

BOOL WinHelp(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data) {
  if (command == HELP_QUIT) return TRUE;
  const std::string manual = shell::ManualFor(helpFile ? helpFile : "");
  if (manual.empty()) {
    MessageBox(owner, "The manual is not installed, so help cannot be shown.", "Help", MB_OK | MB_ICONINFORMATION);
    return FALSE;
  }
  const std::string target = shell::HelpTarget(manual, command, data);
  if (shell::ShellResult(ShellExecute(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return TRUE;
  MessageBox(owner, ("The manual \"" + manual + "\" could not be opened.").c_str(), "Help", MB_OK | MB_ICONEXCLAMATION);
  return FALSE;
}
