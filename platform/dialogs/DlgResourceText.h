// The texts of the resource files compiled into the program: dialog
// templates (res/dialogs/*.dlg), menus and accelerator tables
// (res/menus/*.mnu) and the symbol header (res/resource.h). The table is
// generated at build time by cmake/EmbedResources.cmake.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform {

struct EmbeddedText {
  const char* path;  // relative to the source root, e.g. "res/dialogs/question.dlg"
  const char* data;
  std::size_t size;
  std::string_view text() const { return {data, size}; }
};

const std::vector<EmbeddedText>& EmbeddedResourceTexts();

}  // namespace platform
