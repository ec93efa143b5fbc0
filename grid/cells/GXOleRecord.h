// The record an object cell keeps in its style (and puts on the
// clipboard): a 20-byte header, the object's short name and programmatic
// class name as zero-terminated texts, the object's data stream and four
// zero bytes. All numbers little-endian:
//   0  signature 0x1C15      2  header size 20      4  kind 2 (embedded)
//   8  name length (with its zero)   10  class length (with its zero)
//   12 name offset 20        14 class offset 20 + name length
//   16 0xFFFF                18 0xFFFF
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GXOleObjectRecord {
  std::string name;       // the object's short type name
  std::string className;  // its programmatic class name
  std::vector<std::uint8_t> stream;
};

constexpr std::uint16_t GX_OLE_RECORD_SIGNATURE = 0x1C15;
constexpr std::size_t GX_OLE_RECORD_HEADER = 20;
// Class names longer than this are refused, in either direction.
constexpr std::size_t GX_OLE_MAX_CLASS = 127;

// Reads a record; false for anything that is not a whole, well-formed
// record (wrong signature, texts beyond the record or without their zero,
// a class name over the limit, no room for the closing zero bytes).
bool GXDecodeOleRecord(const std::vector<std::uint8_t>& bytes, GXOleObjectRecord& record);
// The record's bytes; empty when a text is too long to be written (a
// class name over the limit, or a name over 65,534 characters).
std::vector<std::uint8_t> GXEncodeOleRecord(const GXOleObjectRecord& record);
