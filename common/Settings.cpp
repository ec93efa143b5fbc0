#include "common/Settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>

#include "common/Messages.h"
#include "platform/base/Collections.h"

char SettingsFileName[MAX_PATH] = "";

struct SettingsSection {
  std::FILE* stream = nullptr;
  unsigned char buffer[kSettingsBlockRecords][kSettingsRecordSize];
  char section[9] = "";
};

namespace {

constexpr long kBlockBytes = static_cast<long>(kSettingsRecordSize) * kSettingsBlockRecords;

struct SettingsFileNode {
  char fileName[MAX_PATH] = "";
  std::FILE* stream = nullptr;
  int useCount = 0;
  SettingsFileNode* next = nullptr;
};

// The head holds no file; open files follow it.
SettingsFileNode listHead;

void CopyField(char* out, std::size_t room, const unsigned char* bytes) {
  std::size_t n = strnlen(reinterpret_cast<const char*>(bytes), room - 1);
  std::memcpy(out, bytes, n);
  out[n] = '\0';
}

void PutField(unsigned char* bytes, std::size_t room, const char* text) {
  std::size_t n = text ? strnlen(text, room - 1) : 0;
  std::memset(bytes, 0, room);
  if (n) std::memcpy(bytes, text, n);
}

bool Matches(const SettingsSection* h, const unsigned char* rec, char key, const char* item) {
  if (rec[0] == 0) return false;
  if (strncmp(reinterpret_cast<const char*>(rec), h->section, 9) != 0) return false;
  if (rec[kSettingsKeyOffset] != static_cast<unsigned char>(key)) return false;
  if (item && *item) {
    char stored[265];
    CopyField(stored, sizeof stored, rec + kSettingsItemOffset);
    if (std::strcmp(stored, item) != 0) return false;
  }
  return true;
}

// Reads the block of records at `offset` into the handle's buffer and
// clears the stream's error and end marks. The number of whole records read
// (a trailing piece shorter than a record, in a damaged file, is not a
// record), -1 when the seek failed; `readFailed` tells a failed read.
int ReadBlock(SettingsSection* h, long offset, bool* readFailed) {
  if (std::fseek(h->stream, offset, SEEK_SET) != 0) return -1;
  std::size_t bytes = std::fread(h->buffer, 1, kBlockBytes, h->stream);
  *readFailed = std::ferror(h->stream) != 0;
  std::clearerr(h->stream);
  return static_cast<int>(bytes / kSettingsRecordSize);
}

struct ScanResult {
  bool found = false;
  long matchOffset = -1;  // offset of the matching record
  int matchIndex = -1;    // its index in the handle's buffer
  long firstFree = -1;    // first free record passed
  long endOffset = 0;     // just past the last whole record read
  bool reachedEnd = false;
};

ScanResult Scan(SettingsSection* h, char key, const char* item) {
  ScanResult r;
  long offset = 0;
  for (;;) {
    bool readFailed = false;
    int count = ReadBlock(h, offset, &readFailed);
    if (count < 0 || readFailed) return r;
    for (int i = 0; i < count; ++i) {
      long at = offset + static_cast<long>(i * kSettingsRecordSize);
      if (Matches(h, h->buffer[i], key, item)) {
        r.found = true;
        r.matchOffset = at;
        r.matchIndex = i;
        return r;
      }
      if (h->buffer[i][0] == 0 && r.firstFree < 0) r.firstFree = at;
    }
    r.endOffset = offset + static_cast<long>(count * kSettingsRecordSize);
    if (count < kSettingsBlockRecords) {
      r.reachedEnd = true;
      return r;
    }
    offset += kBlockBytes;
  }
}

SettingsCommitHook commitHook = nullptr;

bool WriteRecord(SettingsSection* h, long offset, const unsigned char* rec) {
  if (std::fseek(h->stream, offset, SEEK_SET) != 0) return false;
  bool ok = std::fwrite(rec, 1, kSettingsRecordSize, h->stream) == kSettingsRecordSize;
  ok = (std::fflush(h->stream) == 0) && ok;
  // Every record write reaches the disk before the caller goes on.
  if (ok && commitHook) commitHook(fileno(h->stream));
  else if (ok) fsync(fileno(h->stream));
  return ok;
}

}  // namespace

SettingsSection* OpenSettingsSection(const char* fileName, const char* section) {
  if (!fileName || !*fileName || !section) return nullptr;
  SettingsSection* h = new (std::nothrow) SettingsSection;
  if (!h) return nullptr;
  std::snprintf(h->section, sizeof h->section, "%s", section);

  SettingsFileNode* last = &listHead;
  for (SettingsFileNode* n = listHead.next; n; n = n->next) {
    if (std::strcmp(n->fileName, fileName) == 0) {
      h->stream = n->stream;
      ++n->useCount;
      std::rewind(h->stream);
      return h;
    }
    last = n;
  }
  if (std::strlen(fileName) >= MAX_PATH) {
    delete h;
    return nullptr;
  }
  SettingsFileNode* node = new (std::nothrow) SettingsFileNode;
  if (!node) {
    delete h;
    return nullptr;
  }
  // Opened for update and made when missing, in one step: a file that exists
  // is never truncated, whatever made the first open fail.
  std::FILE* f = nullptr;
  int fd = ::open(fileName, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd >= 0 && !(f = fdopen(fd, "rb+"))) ::close(fd);
  if (!f) {
    delete node;
    delete h;
    return nullptr;
  }
  // Unbuffered: every handle on the file reads what any other has written.
  std::setvbuf(f, nullptr, _IONBF, 0);
  std::snprintf(node->fileName, sizeof node->fileName, "%s", fileName);
  node->stream = f;
  node->useCount = 1;
  last->next = node;
  h->stream = f;
  return h;
}

void CloseSettingsSection(SettingsSection* handle) {
  if (!handle) return;
  SettingsFileNode* prev = &listHead;
  for (SettingsFileNode* n = listHead.next; n; prev = n, n = n->next) {
    if (n->stream != handle->stream) continue;
    if (--n->useCount > 0) {
      std::fflush(n->stream);
    } else {
      std::fclose(n->stream);
      prev->next = n->next;
      delete n;
    }
    break;
  }
  delete handle;
}

void SetSettingsCommitHook(SettingsCommitHook hook) { commitHook = hook; }

int SettingsFileUseCount(const char* fileName) {
  for (SettingsFileNode* n = listHead.next; n; n = n->next)
    if (fileName && std::strcmp(n->fileName, fileName) == 0) return n->useCount;
  return 0;
}

void GetSettingString(SettingsSection* handle, char key, const char* item, const char* def, const char* format,
                      char* out, size_t size) {
  if (!out || size == 0) return;
  const size_t room = std::min<size_t>(size, kSettingsValueMax + 1);
  if (handle) {
    ScanResult r = Scan(handle, key, item);
    if (r.found) {
      // A value stored by another program may be longer than the room.
      CopyField(out, room, handle->buffer[r.matchIndex] + kSettingsValueOffset);
      return;
    }
  }
  if (!def) {
    out[0] = '\0';
    return;
  }
  std::snprintf(out, room, format ? format : "%s", def);
}

void GetSettingText(SettingsSection* handle, char key, const char* def, char* out, size_t size) {
  GetSettingString(handle, key, nullptr, def, "%s", out, size);
}

BOOL GetSettingFlag(SettingsSection* handle, char key, int def) {
  char value[kSettingsValueMax + 1];
  GetSettingString(handle, key, nullptr, def ? "Y" : "N", "%s", value);
  return value[0] == 'Y';
}

int GetSettingInt(SettingsSection* handle, char key, int def) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", def);
  char value[kSettingsValueMax + 1];
  GetSettingString(handle, key, nullptr, text, "%s", value);
  long n = std::strtol(value, nullptr, 10);
  if (n > 2147483647L) n = 2147483647L;
  if (n < -2147483647L - 1) n = -2147483647L - 1;
  return static_cast<int>(n);
}

float GetSettingFloat(SettingsSection* handle, char key, float def) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", static_cast<double>(def));
  char value[kSettingsValueMax + 1];
  GetSettingString(handle, key, nullptr, text, "%s", value);
  return std::strtof(value, nullptr);
}

int PutSettingString(SettingsSection* handle, char key, const char* item, const char* value) {
  if (!handle) return 0;
  if (!value) value = "";
  if (std::strlen(value) > static_cast<std::size_t>(kSettingsValueMax)) {
    char text[256];
    std::snprintf(text, sizeof text, "The setting %s %c is too long to be stored (at most %d characters)",
                  handle->section, key, kSettingsValueMax);
    DispMessage(text, MSG_ERROR);
    return 0;
  }
  ScanResult r = Scan(handle, key, item);
  unsigned char rec[kSettingsRecordSize];
  long offset;
  if (r.found) {
    std::memcpy(rec, handle->buffer[r.matchIndex], kSettingsRecordSize);
    offset = r.matchOffset;
  } else if (r.reachedEnd) {
    std::memset(rec, 0, sizeof rec);
    PutField(rec + kSettingsSectionOffset, 9, handle->section);
    rec[kSettingsKeyOffset] = static_cast<unsigned char>(key);
    PutField(rec + kSettingsItemOffset, 265, item);
    offset = r.firstFree >= 0 ? r.firstFree : r.endOffset;
  } else {
    return 0;
  }
  // The value fills 255 bytes; the last 6 bytes of its area keep what they held.
  PutField(rec + kSettingsValueOffset, kSettingsValueWrite, value);
  // A value stored again unchanged costs no write (and no wait for the
  // disk): forms remember their choices after every save.
  if (r.found && std::memcmp(rec, handle->buffer[r.matchIndex], kSettingsRecordSize) == 0) return 1;
  return WriteRecord(handle, offset, rec) ? 1 : 0;
}

int PutSettingText(SettingsSection* handle, char key, const char* value) {
  return PutSettingString(handle, key, nullptr, value);
}

int PutSettingFlag(SettingsSection* handle, char key, int flag) {
  return PutSettingString(handle, key, nullptr, flag ? "Y" : "N");
}

int PutSettingInt(SettingsSection* handle, char key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return PutSettingString(handle, key, nullptr, text);
}

int PutSettingFloat(SettingsSection* handle, char key, float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  return PutSettingString(handle, key, nullptr, text);
}

void DeleteSettingKey(SettingsSection* handle, char key) {
  if (!handle) return;
  static const unsigned char kFree[kSettingsRecordSize] = {};
  long offset = 0;
  for (;;) {
    bool readFailed = false;
    int count = ReadBlock(handle, offset, &readFailed);
    if (count < 0) return;
    for (int i = 0; i < count; ++i)
      if (Matches(handle, handle->buffer[i], key, nullptr))
        WriteRecord(handle, offset + static_cast<long>(i * kSettingsRecordSize), kFree);
    if (count < kSettingsBlockRecords) return;
    offset += kBlockBytes;
  }
}

// String arrays: one record per element, the item name being the element's
// index.

void GetSettingArray(SettingsSection* handle, char key, CStringArray& array) {
  array.RemoveAll();
  if (!handle) return;
  // One pass over the file gathers every item of the key (the first record
  // of an item counts, as for a single read); the elements then follow from
  // index 0 up to the first one missing.
  std::unordered_map<std::string, std::string> items;
  for (long offset = 0;; offset += kBlockBytes) {
    bool readFailed = false;
    int count = ReadBlock(handle, offset, &readFailed);
    if (count < 0 || readFailed) break;
    for (int i = 0; i < count; ++i) {
      const unsigned char* rec = handle->buffer[i];
      if (!Matches(handle, rec, key, nullptr)) continue;
      char item[265];
      CopyField(item, sizeof item, rec + kSettingsItemOffset);
      if (items.count(item)) continue;
      char value[kSettingsValueMax + 1];
      CopyField(value, sizeof value, rec + kSettingsValueOffset);
      items.emplace(item, value);
    }
    if (count < kSettingsBlockRecords) break;
  }
  for (int i = 0;; ++i) {
    auto found = items.find(std::to_string(i));
    if (found == items.end() || found->second == "<dummy>") break;
    array.Add(CString(found->second));
  }
}

int PutSettingArray(SettingsSection* handle, char key, CStringArray* array) {
  DeleteSettingKey(handle, key);
  if (!array) return 0;
  int count = static_cast<int>(array->GetSize());
  for (int i = 0; i < count; ++i) {
    char item[16];
    std::snprintf(item, sizeof item, "%d", i);
    PutSettingString(handle, key, item, array->GetAt(i));
  }
  return count;
}

void DecodeSettingsRecord(const unsigned char* bytes, SettingsRecord& rec) {
  CopyField(rec.section, sizeof rec.section, bytes + kSettingsSectionOffset);
  rec.key = static_cast<char>(bytes[kSettingsKeyOffset]);
  CopyField(rec.item, sizeof rec.item, bytes + kSettingsItemOffset);
  CopyField(rec.value, sizeof rec.value, bytes + kSettingsValueOffset);
}

void EncodeSettingsRecord(const SettingsRecord& rec, unsigned char* bytes) {
  std::memset(bytes, 0, kSettingsRecordSize);
  PutField(bytes + kSettingsSectionOffset, 9, rec.section);
  bytes[kSettingsKeyOffset] = static_cast<unsigned char>(rec.key);
  PutField(bytes + kSettingsItemOffset, 265, rec.item);
  PutField(bytes + kSettingsValueOffset, 261, rec.value);
}
