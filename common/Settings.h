// The user-settings store "udata4.dat": 536-byte records addressed by a
// section name, a one-letter key and an optional item name, whose value is
// always text. A caller opens a section, reads or writes a few keys and
// closes it at once; sections of the same file open at the same time share
// one unbuffered stream, counted by use. The store shows no messages except
// for a value too long to be stored.
#pragma once

#include <cstddef>

#include "platform/base/types.h"

class CStringArray;

// Layout of one record in the file (read and written field by field).
inline constexpr std::size_t kSettingsRecordSize = 536;
inline constexpr std::size_t kSettingsSectionOffset = 0;  // 9 bytes, NUL-terminated
inline constexpr std::size_t kSettingsKeyOffset = 9;      // 1 byte
inline constexpr std::size_t kSettingsItemOffset = 10;    // 265 bytes, NUL-terminated
inline constexpr std::size_t kSettingsValueOffset = 275;  // 261 bytes, NUL-terminated
inline constexpr std::size_t kSettingsValueWrite = 255;   // bytes a write fills
inline constexpr int kSettingsValueMax = 254;             // characters of a value
inline constexpr int kSettingsBlockRecords = 20;

// One record as the program holds it.
struct SettingsRecord {
  char section[9];
  char key;
  char item[265];
  char value[261];
};
void DecodeSettingsRecord(const unsigned char* bytes, SettingsRecord& rec);
void EncodeSettingsRecord(const SettingsRecord& rec, unsigned char* bytes);

struct SettingsSection;  // an open section (handle)

// Path of the user-settings file; filled at start-up ("udata%s.dat" in the
// program folder).
extern char SettingsFileName[MAX_PATH];

SettingsSection* OpenSettingsSection(const char* fileName, const char* section);
void CloseSettingsSection(SettingsSection* handle);

// A value longer than `out` holds is cut. Without a match `def` is
// formatted with `format` (callers pass "%s"); a null default gives an
// empty text.
void GetSettingString(SettingsSection* handle, char key, const char* item, const char* def,
                      const char* format, char* out, size_t size);
template <size_t N>
void GetSettingString(SettingsSection* handle, char key, const char* item, const char* def,
                      const char* format, char (&out)[N]) {
  GetSettingString(handle, key, item, def, format, out, N);
}
void GetSettingText(SettingsSection* handle, char key, const char* def, char* out, size_t size);
template <size_t N>
void GetSettingText(SettingsSection* handle, char key, const char* def, char (&out)[N]) {
  GetSettingText(handle, key, def, out, N);
}
BOOL GetSettingFlag(SettingsSection* handle, char key, int def);
int GetSettingInt(SettingsSection* handle, char key, int def);
float GetSettingFloat(SettingsSection* handle, char key, float def);
// String arrays: one record per element, the item name being its index.
// Reading stops at the first index missing.
void GetSettingArray(SettingsSection* handle, char key, CStringArray& array);

// 1 when a record was written. A value longer than 254 characters is refused
// with a message and nothing is written.
int PutSettingString(SettingsSection* handle, char key, const char* item, const char* value);
int PutSettingText(SettingsSection* handle, char key, const char* value);
int PutSettingFlag(SettingsSection* handle, char key, int flag);
int PutSettingInt(SettingsSection* handle, char key, int value);
int PutSettingFloat(SettingsSection* handle, char key, float value);
// Replaces every item of the key by the array's elements; the element count.
int PutSettingArray(SettingsSection* handle, char key, CStringArray* array);
void DeleteSettingKey(SettingsSection* handle, char key);

// Number of open sections sharing the file's stream (0 when not open).
int SettingsFileUseCount(const char* fileName);

// Replaces the wait for the disk after each record write (benchmarks that
// measure the work without its commits, as they do the record store's);
// null restores fsync.
using SettingsCommitHook = bool (*)(int fd);
void SetSettingsCommitHook(SettingsCommitHook hook);
