// The menu records behind HMENU and HACCEL. Internal to the menu files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/menus/Menu.h"
#include "platform/window/MenuBar.h"

struct MenuItemRec {
  UINT flags = 0;  // MF_ state and kind bits
  UINT id = 0;
  HMENU sub = nullptr;  // MF_POPUP
  std::string text;     // Windows-1252, "&" marks the access key, "\t" the accelerator text
};

struct MenuImpl {
  std::vector<MenuItemRec> items;
  bool popup = false;
  CMenu* object = nullptr;  // attached CMenu
  CMenu* temp = nullptr;    // made by CMenu::FromHandle
};

struct AccelImpl {
  std::vector<ACCEL> entries;
};

namespace menus {
MenuImpl* Get(HMENU menu);
// The item addressed by position or (recursively) by command.
MenuItemRec* Find(HMENU menu, UINT item, UINT flags, HMENU* holder = nullptr, size_t* index = nullptr);
// The access key of a text (upper-cased), or 0.
unsigned char AccessKey(const std::string& text);
// Loaded resources.
HMENU LoadMenuResource(LPCSTR name);
const std::vector<ACCEL>* FindAccelResource(LPCSTR name);
// Reads a menu resource text as the loader does and builds (then destroys)
// every menu in it; false with "<origin>:<line>: <problem>" when malformed.
bool CheckResourceText(std::string_view text, const std::string& origin, std::string* error);

}  // namespace menus
