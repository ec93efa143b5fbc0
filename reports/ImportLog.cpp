#include "reports/ImportLog.h"

#include <algorithm>
#include <cstring>

#include "common/ErrorText.h"
#include "common/Messages.h"

std::FILE* ImportLogFile = nullptr;
int ImportLogCount = 0;

namespace {

template <std::size_t N>
void CopyCut(char (&out)[N], const char* text, std::size_t limit) {
  std::memset(out, 0, N);
  if (text == nullptr) return;
  const std::size_t n = std::min(std::strlen(text), std::min(limit, N - 1));
  std::memcpy(out, text, n);
}

}  // namespace

void EncodeImportLogRecord(const ImportLogRecord& r, unsigned char (&bytes)[kImportLogRecordSize]) {
  std::memset(bytes, 0, sizeof bytes);
  const auto kind = static_cast<std::uint16_t>(r.kind), action = static_cast<std::uint16_t>(r.action);
  bytes[0] = static_cast<unsigned char>(kind & 0xFF);
  bytes[1] = static_cast<unsigned char>(kind >> 8);
  bytes[2] = static_cast<unsigned char>(action & 0xFF);
  bytes[3] = static_cast<unsigned char>(action >> 8);
  std::memcpy(bytes + 4, r.name, sizeof r.name);
  std::memcpy(bytes + 34, r.text, sizeof r.text);
  bytes[4 + sizeof r.name - 1] = 0;
  bytes[34 + sizeof r.text - 1] = 0;
}

void DecodeImportLogRecord(const unsigned char (&bytes)[kImportLogRecordSize], ImportLogRecord& r) {
  r.kind = static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
  r.action = static_cast<std::int16_t>(bytes[2] | (bytes[3] << 8));
  std::memcpy(r.name, bytes + 4, sizeof r.name);
  std::memcpy(r.text, bytes + 34, sizeof r.text);
  r.name[sizeof r.name - 1] = '\0';
  r.text[sizeof r.text - 1] = '\0';
}

void LogImportChange(int kind, int action, const char* name, const char* text) {
  ImportLogRecord r;
  r.kind = static_cast<std::int16_t>(kind);
  r.action = static_cast<std::int16_t>(action);
  CopyCut(r.name, name, sizeof r.name - 1);
  CopyCut(r.text, text, 40);
  if (ImportLogFile == nullptr) return;
  unsigned char bytes[kImportLogRecordSize];
  EncodeImportLogRecord(r, bytes);
  if (std::fseek(ImportLogFile, 0, SEEK_END) != 0 || std::fwrite(bytes, sizeof bytes, 1, ImportLogFile) != 1) {
    char message[128];
    FormatErrorText(message, ERR_WRITE, "import trans");
    DispMessage(message, MSG_FATAL);
    std::fclose(ImportLogFile);
    ImportLogFile = nullptr;
    return;
  }
  ++ImportLogCount;
}
