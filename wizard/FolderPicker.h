// The wizard's folder picker as its pages see it: a title, the folder to
// start in, and the chosen folder back. The window that answers is set once
// by the program; without one the pages' browse buttons stay disabled.
#pragma once

#include <string>

class CWnd;

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // True with `folder` replaced by the choice; false when cancelled.
  virtual bool PickFolder(CWnd* owner, const std::string& title, std::string& folder) = 0;
};
