// The help files: the bytes as one question file of a FAQ folder (header,
// answer) and as the tips file.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/FaqList.h"
#include "app/TipDlg.h"
#include "common/Settings.h"
#include "fuzz/FuzzTargets.h"

namespace fuzz {

void HelpFiles(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  const std::string folder = WorkFolder() + "/faq";
  std::filesystem::create_directories(folder);
  WriteWhole(folder + "/ANSWER.FAQ", data, size);
  if (FaqList* list = ReadFaqFiles(folder.c_str())) {
    FuzzCheck(list->count == 1, "one file, one question");
    const FaqEntry& e = list->entries[0];
    FuzzCheck(std::strlen(e.path) < sizeof e.path && std::strlen(e.question) < sizeof e.question,
              "texts stay within their fields");
    FuzzCheck(e.answerLength >= 0 && static_cast<std::size_t>(e.answerLength) + kFaqHeaderSize <= size,
              "the answer lies within the file");
    CString answer, error;
    ReadFaqAnswer(folder.c_str(), e, &answer, &error);
    FreeFaqList(list);
  }
  std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (WorkFolder() + "/udata4.dat").c_str());
  const std::string tips = WorkFolder() + "/varntips.qdx";
  WriteWhole(tips, data, size);
  for (int i = 0; i < 2; ++i) {
    CTipDlg tip(tips.c_str());
    FuzzCheck(tip.GetTipText().GetLength() < 1024, "a tip stays within its room");
  }
}

}  // namespace fuzz
