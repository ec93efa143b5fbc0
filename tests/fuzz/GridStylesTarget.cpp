// Grid archives of styles, fonts, span and delayed-range pools and the
// older attribute maps: the first byte picks the reader, the rest is the
// archive. What reads back is written again and must read back the same.
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "fuzz/SerializedBytes.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXStyle.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXFeatureRegistrars.h"
#include "grid/features/GXSerializeQVX5Compatible.h"
#include "grid/features/GXSpanCellPool.h"
#include "platform/Afx.h"

namespace fuzz {

namespace {

template <class T>
void RoundTrip(const std::vector<BYTE>& bytes) {
  T object;
  if (!ReadSerialized(object, bytes)) return;
  const std::vector<BYTE> once = WriteSerialized(object);
  T again;
  FuzzCheck(ReadSerialized(again, once), "what was written reads back");
  // A damaged input may be tidied on its first reading (an unknown colour
  // kind, say); from then on what is written reads back the same.
  const std::vector<BYTE> twice = WriteSerialized(again);
  T third;
  FuzzCheck(ReadSerialized(third, twice), "what was written again reads back");
  FuzzCheck(WriteSerialized(third) == twice, "a written archive round-trips to the same bytes");
}

// A map's entries come back in another order (a walk gives the newest
// first), so its round trip is checked entry by entry.
template <>
void RoundTrip<CGXCollMapDWordToString>(const std::vector<BYTE>& bytes) {
  CGXCollMapDWordToString object;
  if (!ReadSerialized(object, bytes)) return;
  CGXCollMapDWordToString again;
  FuzzCheck(ReadSerialized(again, WriteSerialized(object)), "what was written reads back");
  FuzzCheck(again.GetCount() == object.GetCount(), "every entry comes back");
  for (POSITION pos = object.GetStartPosition(); pos != nullptr;) {
    DWORD key = 0;
    CString value, back;
    object.GetNextAssoc(pos, key, value);
    FuzzCheck(again.Lookup(key, back) && back == value, "each entry keeps its text");
  }
}

}  // namespace

void GridStyles(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  GXEnableStyleSerialize();
  GXEnableSerializeQVX5Compatible();
  if (size == 0) return;
  const std::vector<BYTE> bytes(data + 1, data + size);
  switch (data[0] % 5) {
    case 0: RoundTrip<CGXStyle>(bytes); break;
    case 1: RoundTrip<CGXFont>(bytes); break;
    case 2: RoundTrip<CGXSpanCellPool>(bytes); break;
    case 3: RoundTrip<CGXDelayedRangePool>(bytes); break;
    default: RoundTrip<CGXCollMapDWordToString>(bytes); break;
  }
}

}  // namespace fuzz
