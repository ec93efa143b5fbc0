#include "app/FaqList.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"

FaqList* LoadedFaqList = nullptr;

namespace {

constexpr std::size_t kNumberOffset = 16, kPathOffset = 24, kQuestionOffset = 182, kAnswerFileOffset = 439;

void CopyField(const unsigned char* bytes, std::size_t size, char* out) {
  std::memcpy(out, bytes, size);
  out[size - 1] = '\0';
}

bool HasFaqExtension(const std::string& name) {
  return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".FAQ") == 0;
}

// Reads one file's header; false when the file is damaged (short, or an
// answer length that is negative or runs past the end of the file).
bool ReadHeader(const std::string& path, FaqEntry& entry) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  unsigned char bytes[kFaqHeaderSize];
  const bool read = std::fread(bytes, 1, sizeof bytes, f) == sizeof bytes;
  struct stat st {};
  const bool sized = fstat(fileno(f), &st) == 0;
  std::fclose(f);
  if (!read || !sized) return false;
  DecodeFaqHeader(bytes, entry);
  const long long room = static_cast<long long>(st.st_size) - static_cast<long long>(kFaqHeaderSize);
  return entry.answerLength >= 0 && entry.answerLength <= room;
}

// A question whose level also holds sub-categories moves into "General"
// (character code 1 until the sort has placed it first).
void MarkGeneralCategories(FaqList& list) {
  for (int i = 0; i < list.count; ++i) {
    char* path = list.entries[i].path;
    const char* last = std::strrchr(path, '/');
    if (last == nullptr) continue;
    const std::size_t parentLen = static_cast<std::size_t>(last - path);
    for (int j = 0; j < list.count; ++j) {
      if (j == i) continue;
      const char* other = list.entries[j].path;
      if (strncasecmp(other, path, parentLen) != 0 || std::strlen(other) < parentLen + 1) continue;
      if (std::strchr(other + parentLen + 1, '/') == nullptr) continue;
      const std::string parent(path, parentLen);
      const std::string label(last);
      std::snprintf(path, kFaqPathSize, "%s%s\x01%s", parent.c_str(), parent.empty() ? "" : "/", label.c_str());
      break;
    }
  }
}

void SortByPath(FaqList& list) {
  for (int i = 0; i < list.count; ++i)
    for (int j = i + 1; j < list.count; ++j)
      if (std::strcmp(list.entries[j].path, list.entries[i].path) < 0) std::swap(list.entries[i], list.entries[j]);
}

void NameGeneral(FaqEntry& entry) {
  char* mark = std::strchr(entry.path, '\x01');
  if (mark == nullptr) return;
  const std::string head(entry.path, static_cast<std::size_t>(mark - entry.path));
  const std::string tail(mark + 1);
  std::snprintf(entry.path, sizeof entry.path, "%sGeneral%s", head.c_str(), tail.c_str());
}

}  // namespace

void DecodeFaqHeader(const unsigned char* bytes, FaqEntry& entry) {
  entry.answerLength = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[4]) | (bytes[5] << 8) |
                                                 (bytes[6] << 16) | (static_cast<std::uint32_t>(bytes[7]) << 24));
  CopyField(bytes + kNumberOffset, sizeof entry.number, entry.number);
  CopyField(bytes + kPathOffset, sizeof entry.path, entry.path);
  CopyField(bytes + kQuestionOffset, sizeof entry.question, entry.question);
  CopyField(bytes + kAnswerFileOffset, sizeof entry.answerFile, entry.answerFile);
}

void EncodeFaqHeader(const FaqEntry& entry, unsigned char* bytes) {
  std::memset(bytes, 0, kFaqHeaderSize);
  const auto length = static_cast<std::uint32_t>(entry.answerLength);
  for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<unsigned char>(length >> (8 * i));
  std::memcpy(bytes + kNumberOffset, entry.number, sizeof entry.number);
  std::memcpy(bytes + kPathOffset, entry.path, sizeof entry.path);
  std::memcpy(bytes + kQuestionOffset, entry.question, sizeof entry.question);
  std::memcpy(bytes + kAnswerFileOffset, entry.answerFile, sizeof entry.answerFile);
}

FaqList* ReadFaqFiles(const char* folder) {
  ShowWaitCursor(1);
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = item.path().filename().string();
    if (HasFaqExtension(name) && item.is_regular_file(ec)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::vector<FaqEntry> entries;
  for (const std::string& name : names) {
    FaqEntry entry;
    if (!ReadHeader(JoinPath(folder, name), entry)) {
      char text[600];
      std::snprintf(text, sizeof text, "The question file %s is damaged and was skipped", name.c_str());
      DispMessage(text, MSG_ERROR);
      continue;
    }
    ExpandTextMacros(entry.path, sizeof entry.path);
    ExpandTextMacros(entry.question, sizeof entry.question);
    entries.push_back(entry);
  }
  ShowWaitCursor(0);
  if (entries.empty()) {
    DispMessage("No FAQs were found", MSG_ERROR);
    return nullptr;
  }
  auto* list = new FaqList;
  list->count = static_cast<int>(entries.size());
  list->entries = new FaqEntry[entries.size()];
  std::copy(entries.begin(), entries.end(), list->entries);
  MarkGeneralCategories(*list);
  SortByPath(*list);
  for (int i = 0; i < list->count; ++i) NameGeneral(list->entries[i]);
  return list;
}

void FreeFaqList(FaqList* list) {
  if (list == nullptr) return;
  delete[] list->entries;
  delete list;
}

int ReadFaqAnswer(const char* folder, const FaqEntry& entry, CString* answer, CString* error) {
  FILE* f = std::fopen(JoinPath(folder, entry.answerFile).c_str(), "rb");
  if (f == nullptr) {
    FormatErrorTextStr(*error, ERR_OPEN, "FAQ input file");
    return 0;
  }
  int ok = 0;
  if (entry.answerLength < 0) {
    FormatErrorTextStr(*error, ERR_ALLOC, "FAQ answer");
  } else if (std::fseek(f, static_cast<long>(kFaqHeaderSize), SEEK_SET) != 0) {
    FormatErrorTextStr(*error, ERR_SEEK, "FAQ answer");
  } else {
    std::string text(static_cast<std::size_t>(entry.answerLength), '\0');
    if (std::fread(text.data(), 1, text.size(), f) != text.size()) {
      FormatErrorTextStr(*error, ERR_READ, "FAQ answer");
    } else {
      text.resize(std::strlen(text.c_str()));
      // The macros may lengthen the answer by up to 100 characters.
      std::vector<char> expanded(text.size() + 101, '\0');
      std::memcpy(expanded.data(), text.c_str(), text.size() + 1);
      ExpandTextMacros(expanded.data(), expanded.size());
      *answer = expanded.data();
      ok = 1;
    }
  }
  std::fclose(f);
  return ok;
}
