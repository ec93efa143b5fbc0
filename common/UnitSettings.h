// The stored unit settings: unit type, unit number, data password and its
// prompt, in one small text file of the program folder ("unitset4.txt").
// Lines of a key, "=" and a value, ended by CR LF:
//   Unit Type\t= 0
//   Unit Number\t= 123
//   Password\t= <salted hash, empty for none>
//   Password Prompt\t= Password:
// The file is replaced whole through a temporary file and a rename, so a
// change fails as a whole. The password is kept only as a salted hash.
#pragma once

#include <string>

struct UnitSettings {
  int unitType = 0;  // 0 to 5, as the unit vocabulary knows them
  std::string unitNumber;
  std::string passwordHash;  // empty: no password
  std::string prompt = "Password:";
};

// The file's name in `programFolder`.
std::string UnitSettingsPath(const std::string& programFolder);

// 1 when the file was read; else 0 with the reason in `error` (nothing is
// shown). Unknown keys are ignored; a missing key keeps its default.
int ReadUnitSettings(const std::string& path, UnitSettings* out, std::string* error);
// 1 when the file was replaced; 0 (the old file untouched) when it could
// not be, or when a text holds a line end.
int WriteUnitSettings(const std::string& path, const UnitSettings& settings);

// A new salted hash of `password`; empty for an empty password, and when
// hashing fails.
std::string HashPassword(const std::string& password);
// True when `typed` is the password of `hash` (an empty hash takes only an
// empty text).
bool PasswordMatches(const std::string& typed, const std::string& hash);
