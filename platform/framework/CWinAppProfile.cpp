// CWinApp's profile members over the application profile of Profile.h.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/framework/CWinApp.h"
#include "platform/base/Profile.h"

namespace {

// The whole value, however long; found false when the entry is missing.
std::string ReadValue(LPCTSTR section, LPCTSTR entry, bool* found) {
  static const char kMissing[] = "\x01missing\x02";
  std::vector<char> buffer(256);
  for (;;) {
    DWORD n = ::GetProfileString(section, entry, kMissing, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n + 1 < buffer.size()) {
      std::string value(buffer.data(), n);
      *found = value != kMissing;
      return *found ? value : std::string();
    }
    buffer.resize(buffer.size() * 4);
  }
}

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

}  // namespace

void CWinApp::SetRegistryKey(LPCTSTR key) {
  registryKey_ = key ? key : "";
  m_pszRegistryKey = registryKey_;
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
  return ::GetProfileInt(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
  return ::WriteProfileString(section, entry, std::to_string(value).c_str());
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
  bool found = false;
  std::string value = ReadValue(section, entry, &found);
  return found ? CString(value.c_str()) : CString(defaultValue ? defaultValue : "");
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
  return ::WriteProfileString(section, entry, value);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes) {
  if (data) *data = nullptr;
  if (bytes) *bytes = 0;
  if (!data || !bytes) return FALSE;
  bool found = false;
  std::string hex = ReadValue(section, entry, &found);
  if (!found || hex.size() % 2 != 0) return FALSE;
  std::vector<BYTE> out(hex.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    int hi = HexDigit(hex[2 * i]), lo = HexDigit(hex[2 * i + 1]);
    if (hi < 0 || lo < 0) return FALSE;
    out[i] = static_cast<BYTE>(hi * 16 + lo);
  }
  *data = new BYTE[out.empty() ? 1 : out.size()];
  std::copy(out.begin(), out.end(), *data);
  *bytes = static_cast<UINT>(out.size());
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (UINT i = 0; i < bytes; ++i) {
    hex += kDigits[data[i] >> 4];
    hex += kDigits[data[i] & 15];
  }
  return ::WriteProfileString(section, entry, hex.c_str());
}
