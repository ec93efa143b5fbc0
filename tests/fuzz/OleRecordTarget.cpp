// Object records as a cell's style or the clipboard hands them over: a
// record that reads is written back to the same bytes.
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "grid/cells/GXOleRecord.h"

namespace fuzz {

void OleObjectRecord(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  GXOleObjectRecord record;
  if (!GXDecodeOleRecord(bytes, record)) return;
  FuzzCheck(record.className.size() <= GX_OLE_MAX_CLASS, "class name within its limit");
  const std::vector<std::uint8_t> written = GXEncodeOleRecord(record);
  GXOleObjectRecord again;
  FuzzCheck(GXDecodeOleRecord(written, again), "a written record reads");
  FuzzCheck(again.name == record.name && again.className == record.className && again.stream == record.stream,
            "the record reads back the same");
}

}  // namespace fuzz
