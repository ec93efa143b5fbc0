#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/FuzzTargets.h"
#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"

namespace fuzz {

namespace {
int Answer(const automation::ModalInfo& info) {
  if (info.kind == "menu") return 0;
  if (info.caption.find("Question") != std::string::npos) return static_cast<int>(ANSWER_YESTOALL);
  if (info.kind == "messagebox") {
    UINT buttons = info.type & MB_TYPEMASK;
    if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) return IDYES;
  }
  return IDOK;
}
}  // namespace

void PrepareRun() {
  setenv("KESTROVA_HEADLESS", "1", 1);
  // Afresh for every input: the log of boxes shown would grow without end.
  automation::ClearResponder();
  automation::SetResponder(Answer);
}

namespace {
struct Folder {
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path = pattern;
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};
}  // namespace

const std::string& WorkFolder() {
  static const Folder folder;
  return folder.path;
}

void FuzzCheck(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

void WriteWhole(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace fuzz
