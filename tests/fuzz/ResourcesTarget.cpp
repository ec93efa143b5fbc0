// Dialog templates and menu resources as text.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/menus/MenuImpl.h"

namespace fuzz {

void DialogsAndMenus(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<DlgTemplate> dialogs;
  std::string error;
  if (!ParseDialogTemplates(text, "fuzz.dlg", &dialogs, &error))
    FuzzCheck(error.rfind("fuzz.dlg:", 0) == 0, "a dialog problem names the origin");
  error.clear();
  if (!menus::CheckResourceText(text, "fuzz.mnu", &error))
    FuzzCheck(error.rfind("fuzz.mnu:", 0) == 0, "a menu problem names the origin");
}

}  // namespace fuzz
