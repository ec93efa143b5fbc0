#include "reports/Worksheet.h"

#include <algorithm>
#include <cstring>

#include "common/ErrorText.h"
#include "common/FileUtil.h"

char WorksheetFileName[MAX_PATH];

namespace {

// A field's last byte is its end mark: a damaged file with no end mark
// gives the text the field can hold, as a save would have cut it.
std::string Field(const unsigned char* at, int size) {
  const char* text = reinterpret_cast<const char*>(at);
  return std::string(text, strnlen(text, static_cast<size_t>(size - 1)));
}

void PutField(unsigned char* at, int size, const std::string& text) {
  std::memset(at, 0, static_cast<size_t>(size));
  std::memcpy(at, text.data(), std::min(text.size(), static_cast<size_t>(size - 1)));
}

unsigned char* HeadingAt(unsigned char* bytes, int index) {
  return bytes + kWorksheetTitleSize + index * kWorksheetHeadingSize;
}

}  // namespace

std::string WorksheetRecord::Title() const { return Field(bytes, kWorksheetTitleSize); }

std::string WorksheetRecord::Heading(int index) const {
  return Field(bytes + kWorksheetTitleSize + index * kWorksheetHeadingSize, kWorksheetHeadingSize);
}

void WorksheetRecord::SetTitle(const std::string& title) { PutField(bytes, kWorksheetTitleSize, title); }

void WorksheetRecord::SetHeading(int index, const std::string& heading) {
  PutField(HeadingAt(bytes, index), kWorksheetHeadingSize, heading);
}

bool FindWorksheet(std::FILE* file, const std::string& title, bool* found, int* slot, WorksheetRecord* record,
                   CString* error) {
  *found = false;
  int index = 0, blank = -1;
  WorksheetRecord read;
  if (std::fseek(file, 0, SEEK_SET) != 0) {
    FormatErrorTextStr(*error, ERR_READ, "worksheets");
    return false;
  }
  // A partial record at the end counts as the end of the file.
  while (std::fread(read.bytes, kWorksheetRecordSize, 1, file) == 1) {
    const std::string stored = read.Title();
    if (stored == title) {
      *found = true;
      blank = index;
      break;
    }
    if (stored.empty()) blank = index;
    ++index;
  }
  if (!*found && std::ferror(file)) {
    std::clearerr(file);
    FormatErrorTextStr(*error, ERR_READ, "worksheets");
    return false;
  }
  std::clearerr(file);
  if (slot) *slot = blank != -1 ? blank : index;
  if (*found && record) *record = read;
  return true;
}

bool WriteWorksheet(std::FILE* file, int slot, const WorksheetRecord& record, CString* error) {
  if (std::fseek(file, static_cast<long>(slot) * kWorksheetRecordSize, SEEK_SET) != 0) {
    FormatErrorTextStr(*error, ERR_SEEK, "worksheets");
    return false;
  }
  if (std::fwrite(record.bytes, kWorksheetRecordSize, 1, file) != 1 || std::fflush(file) != 0) {
    FormatErrorTextStr(*error, ERR_WRITE, "worksheets");
    return false;
  }
  return true;
}

bool ReadWorksheetTitles(const char* path, std::vector<std::string>* titles, CString* error) {
  titles->clear();
  if (!FileExists(path)) return true;
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) {
    FormatErrorTextStr(*error, ERR_OPEN, path);
    return false;
  }
  WorksheetRecord rec;
  while (std::fread(rec.bytes, kWorksheetRecordSize, 1, f) == 1)
    if (!rec.Title().empty()) titles->push_back(rec.Title());
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    FormatErrorTextStr(*error, ERR_READ, path);
    return false;
  }
  return true;
}
