// The object record.
#include "grid/cells/GXOleRecord.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint16_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// The zero-terminated text of `length` bytes (its zero included) at
// `offset`; false when it does not lie inside `end` or lacks its zero.
bool ReadText(const std::vector<std::uint8_t>& b, std::size_t offset, std::size_t length, std::size_t end,
              std::size_t limit, std::string& out) {
  if (length == 0 || offset > end || length > end - offset) return false;
  if (b[offset + length - 1] != 0) return false;
  const auto* start = reinterpret_cast<const char*>(b.data() + offset);
  const std::size_t text = strnlen(start, length);
  if (text > limit) return false;
  out.assign(start, text);
  return true;
}

}  // namespace

bool GXDecodeOleRecord(const std::vector<std::uint8_t>& b, GXOleObjectRecord& record) {
  if (b.size() < GX_OLE_RECORD_HEADER + 4) return false;
  if (Read16(b, 0) != GX_OLE_RECORD_SIGNATURE || Read16(b, 2) != GX_OLE_RECORD_HEADER || Read32(b, 4) != 2)
    return false;
  const std::size_t nameLength = Read16(b, 8), classLength = Read16(b, 10);
  const std::size_t nameOffset = Read16(b, 12), classOffset = Read16(b, 14);
  if (nameOffset < GX_OLE_RECORD_HEADER || classOffset < GX_OLE_RECORD_HEADER) return false;
  const std::size_t end = b.size() - 4;  // the closing zero bytes are no text
  GXOleObjectRecord read;
  // The class is checked against its limit before anything is copied.
  if (classLength > GX_OLE_MAX_CLASS + 1) return false;
  // A name must leave the class offset room in its 16 bits when written.
  if (!ReadText(b, nameOffset, nameLength, end, 0xFFFF - GX_OLE_RECORD_HEADER - 1, read.name)) return false;
  if (!ReadText(b, classOffset, classLength, end, GX_OLE_MAX_CLASS, read.className)) return false;
  const std::size_t streamStart = std::max(nameOffset + nameLength, classOffset + classLength);
  if (streamStart > end) return false;
  read.stream.assign(b.begin() + static_cast<std::ptrdiff_t>(streamStart), b.begin() + static_cast<std::ptrdiff_t>(end));
  record = std::move(read);
  return true;
}

std::vector<std::uint8_t> GXEncodeOleRecord(const GXOleObjectRecord& record) {
  const std::size_t name = strnlen(record.name.c_str(), record.name.size()) + 1;
  const std::size_t cls = strnlen(record.className.c_str(), record.className.size()) + 1;
  if (cls > GX_OLE_MAX_CLASS + 1 || name > 0xFFFF || GX_OLE_RECORD_HEADER + name > 0xFFFF) return {};
  std::vector<std::uint8_t> b(GX_OLE_RECORD_HEADER + name + cls + record.stream.size() + 4, 0);
  Put16(b, 0, GX_OLE_RECORD_SIGNATURE);
  Put16(b, 2, GX_OLE_RECORD_HEADER);
  b[4] = 2;
  Put16(b, 8, static_cast<std::uint32_t>(name));
  Put16(b, 10, static_cast<std::uint32_t>(cls));
  Put16(b, 12, GX_OLE_RECORD_HEADER);
  Put16(b, 14, static_cast<std::uint32_t>(GX_OLE_RECORD_HEADER + name));
  Put16(b, 16, 0xFFFF);
  Put16(b, 18, 0xFFFF);
  std::memcpy(b.data() + GX_OLE_RECORD_HEADER, record.name.c_str(), name - 1);
  std::memcpy(b.data() + GX_OLE_RECORD_HEADER + name, record.className.c_str(), cls - 1);
  if (!record.stream.empty())
    std::memcpy(b.data() + GX_OLE_RECORD_HEADER + name + cls, record.stream.data(), record.stream.size());
  return b;
}
