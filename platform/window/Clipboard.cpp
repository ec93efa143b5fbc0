#include "platform/window/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "platform/host/Host.h"
#include "platform/window/Window.h"

namespace {

struct ClipboardState {
  bool open = false;
  HWND opener = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HGLOBAL> data;
  std::string stamp;  // the host's text as the program last left it
  std::map<std::string, UINT> names;  // lower-case name -> format
  std::map<UINT, std::string> spelled;  // format -> name as first registered
};

ClipboardState& C() {
  static ClipboardState state;
  return state;
}

bool IsText(UINT format) { return format == CF_TEXT || format == CF_OEMTEXT; }

void FreeAll() {
  for (auto& [format, mem] : C().data) GlobalFree(mem);
  C().data.clear();
}

// Another program changed the host's text: it owns the clipboard now.
void Sync() {
  ClipboardState& c = C();
  std::string host = platform::GetHost().GetClipboardText();
  if (host == c.stamp) return;
  FreeAll();
  c.owner = nullptr;
  c.stamp = host;
  if (host.empty()) return;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, host.size() + 1);
  std::memcpy(GlobalLock(mem), host.data(), host.size());
  GlobalUnlock(mem);
  c.data[CF_TEXT] = mem;
}

bool Live(HGLOBAL mem) {
  if (!GlobalLock(mem)) return false;
  GlobalUnlock(mem);
  return true;
}

bool HeldByOther(HWND hwnd) {
  ClipboardState& c = C();
  if (!c.open) return false;
  if (c.opener && !IsWindow(c.opener)) return false;  // its window is gone
  return c.opener != hwnd;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  if (HeldByOther(owner)) return FALSE;
  C().open = true;
  C().opener = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!C().open) return FALSE;
  C().open = false;
  C().opener = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  ClipboardState& c = C();
  if (!c.open) return FALSE;
  FreeAll();
  c.owner = c.opener;
  platform::GetHost().SetClipboardText("");
  c.stamp.clear();
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE mem) {
  ClipboardState& c = C();
  if (!c.open || !Live(mem)) return nullptr;
  Sync();
  auto it = c.data.find(format);
  if (it != c.data.end() && it->second != mem) GlobalFree(it->second);
  c.data[format] = mem;
  if (IsText(format)) {
    const char* bytes = static_cast<const char*>(GlobalLock(mem));
    std::string text(bytes, strnlen(bytes, GlobalSize(mem)));
    GlobalUnlock(mem);
    platform::GetHost().SetClipboardText(text);
    c.stamp = platform::GetHost().GetClipboardText();
  }
  return mem;
}

HANDLE GetClipboardData(UINT format) {
  ClipboardState& c = C();
  if (!c.open) return nullptr;
  Sync();
  auto it = c.data.find(format);
  if (it == c.data.end() && IsText(format)) it = c.data.find(format == CF_TEXT ? CF_OEMTEXT : CF_TEXT);
  return it == c.data.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Sync();
  const auto& data = C().data;
  if (data.count(format)) return TRUE;
  return IsText(format) && (data.count(CF_TEXT) || data.count(CF_OEMTEXT));
}

int CountClipboardFormats() {
  Sync();
  return static_cast<int>(C().data.size());
}

UINT EnumClipboardFormats(UINT format) {
  Sync();
  const auto& data = C().data;
  auto it = format == 0 ? data.begin() : data.upper_bound(format);
  return it == data.end() ? 0 : it->first;
}

UINT RegisterClipboardFormat(LPCSTR name) {
  if (!name || !*name) return 0;
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(), [](char ch) { return Cp1252ToLower(ch); });
  ClipboardState& c = C();
  auto it = c.names.find(key);
  if (it != c.names.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(c.names.size());
  c.names[key] = id;
  c.spelled[id] = name;
  return id;
}

int GetClipboardFormatName(UINT format, LPSTR buffer, int maxCount) {
  auto it = C().spelled.find(format);
  if (it == C().spelled.end() || !buffer || maxCount <= 0) return 0;
  lstrcpyn(buffer, it->second.c_str(), maxCount);
  return lstrlen(buffer);
}

HWND GetClipboardOwner() {
  Sync();
  HWND owner = C().owner;
  return owner && IsWindow(owner) ? owner : nullptr;
}

HWND GetOpenClipboardWindow() {
  const ClipboardState& c = C();
  return c.open && c.opener && IsWindow(c.opener) ? c.opener : nullptr;
}
