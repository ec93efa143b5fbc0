#include "platform/base/Kernel.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

struct Block {
  std::vector<BYTE> bytes;
  int locks = 0;
  BYTE empty = 0;  // what a block of 0 bytes locks to
  BYTE* Data() { return bytes.empty() ? &empty : bytes.data(); }
};

std::unordered_map<HGLOBAL, std::unique_ptr<Block>>& Blocks() {
  static std::unordered_map<HGLOBAL, std::unique_ptr<Block>> blocks;
  return blocks;
}

Block* Find(HGLOBAL mem) {
  auto it = Blocks().find(mem);
  return it == Blocks().end() ? nullptr : it->second.get();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) {
  auto block = std::make_unique<Block>();
  block->bytes.assign(bytes, 0);
  HGLOBAL handle = block.get();
  Blocks().emplace(handle, std::move(block));
  return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  Block* block = Find(mem);
  if (!block) return nullptr;
  if (flags & GMEM_MODIFY) return mem;
  if (block->locks > 0 && bytes > block->bytes.capacity()) return nullptr;  // a locked block never moves
  block->bytes.resize(bytes, 0);
  return mem;
}

LPVOID GlobalLock(HGLOBAL mem) {
  Block* block = Find(mem);
  if (!block) return nullptr;
  ++block->locks;
  return block->Data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  Block* block = Find(mem);
  if (!block || block->locks == 0) return FALSE;
  return --block->locks > 0;
}

SIZE_T GlobalSize(HGLOBAL mem) {
  Block* block = Find(mem);
  return block ? block->bytes.size() : 0;
}

UINT GlobalFlags(HGLOBAL mem) {
  Block* block = Find(mem);
  return block ? static_cast<UINT>(block->locks & 0xFF) : 0;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!mem) return nullptr;
  return Blocks().erase(mem) ? nullptr : mem;
}

HGLOBAL GlobalHandle(const void* bytes) {
  if (!bytes) return nullptr;
  for (auto& [handle, block] : Blocks())
    if (block->Data() == bytes) return handle;
  return nullptr;
}

std::size_t GlobalBlockCount() { return Blocks().size(); }

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(number) * numerator;
  bool negative = (product < 0) != (denominator < 0);
  unsigned long long p = product < 0 ? 0ULL - static_cast<unsigned long long>(product) : static_cast<unsigned long long>(product);
  unsigned long long d = denominator < 0 ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(denominator))
                                         : static_cast<unsigned long long>(denominator);
  unsigned long long q = (p + d / 2) / d;
  if (q > static_cast<unsigned long long>(std::numeric_limits<int>::max()) + (negative ? 1ULL : 0ULL)) return -1;
  return negative ? static_cast<int>(-static_cast<long long>(q)) : static_cast<int>(q);
}

int lstrlen(LPCSTR text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

LPSTR lstrcpy(LPSTR dest, LPCSTR src) {
  if (!dest) return nullptr;
  std::strcpy(dest, src ? src : "");
  return dest;
}

LPSTR lstrcpyn(LPSTR dest, LPCSTR src, int maxCount) {
  if (!dest || maxCount <= 0) return dest;
  int n = 0;
  if (src)
    for (; n < maxCount - 1 && src[n]; ++n) dest[n] = src[n];
  dest[n] = 0;
  return dest;
}

LPSTR lstrcat(LPSTR dest, LPCSTR src) {
  if (!dest) return nullptr;
  std::strcat(dest, src ? src : "");
  return dest;
}

namespace {
int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }
int CompareBytes(LPCSTR a, LPCSTR b, bool fold) {
  const char* x = a ? a : "";
  const char* y = b ? b : "";
  for (;; ++x, ++y) {
    auto cx = static_cast<unsigned char>(fold ? Cp1252ToLower(*x) : *x);
    auto cy = static_cast<unsigned char>(fold ? Cp1252ToLower(*y) : *y);
    if (cx != cy || cx == 0) return Sign(static_cast<int>(cx) - static_cast<int>(cy));
  }
}
}  // namespace

int lstrcmp(LPCSTR a, LPCSTR b) { return CompareBytes(a, b, false); }
int lstrcmpi(LPCSTR a, LPCSTR b) { return CompareBytes(a, b, true); }

int wvsprintf(LPSTR buffer, LPCSTR format, va_list args) {
  if (!buffer) return 0;
  if (!format) {
    buffer[0] = 0;
    return 0;
  }
  constexpr int kLimit = 1024;
  int n = std::vsnprintf(buffer, kLimit, format, args);
  if (n < 0) {
    buffer[0] = 0;
    return 0;
  }
  return n < kLimit ? n : kLimit - 1;
}

int wsprintf(LPSTR buffer, LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  int n = wvsprintf(buffer, format, args);
  va_end(args);
  return n;
}
