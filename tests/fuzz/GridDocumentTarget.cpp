// The grid document archive: the first byte picks the object read (the
// whole parameter object, its properties, styles map, data or printer
// settings, or a browsing grid's parameter object), the rest is the
// archive. What reads back is written again and must read back the same.
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "fuzz/SerializedBytes.h"
#include "grid/core/GXGridParam.h"
#include "grid/features/GXBrowseParam.h"
#include "grid/features/GXFeatureRegistrars.h"
#include "grid/features/GXPrintDevice.h"
#include "platform/Afx.h"

namespace fuzz {

namespace {

template <class T>
void RoundTrip(const std::vector<BYTE>& bytes) {
  T object;
  if (!ReadSerialized(object, bytes)) return;
  // A damaged input may be tidied on its first reading; the size maps'
  // walk order turns over on each reading, so our own output comes back
  // the same every second time.
  T again;
  FuzzCheck(ReadSerialized(again, WriteSerialized(object)), "what was written reads back");
  const std::vector<BYTE> twice = WriteSerialized(again);
  T third;
  FuzzCheck(ReadSerialized(third, twice), "what was written again reads back");
  T fourth;
  FuzzCheck(ReadSerialized(fourth, WriteSerialized(third)), "and again");
  FuzzCheck(WriteSerialized(fourth) == twice, "a written archive round-trips to the same bytes");
}

}  // namespace

void GridDocument(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  GXEnableDocSerialize();
  GXEnablePrintDevice();
  if (size == 0) return;
  const std::vector<BYTE> bytes(data + 1, data + size);
  switch (data[0] % 6) {
    case 0: RoundTrip<CGXGridParam>(bytes); break;
    case 1: RoundTrip<CGXProperties>(bytes); break;
    case 2: RoundTrip<CGXStylesMap>(bytes); break;
    case 3: RoundTrip<CGXData>(bytes); break;
    case 4: RoundTrip<CGXPrintDevice>(bytes); break;
    default: RoundTrip<CGXBrowseParam>(bytes); break;
  }
}

}  // namespace fuzz
