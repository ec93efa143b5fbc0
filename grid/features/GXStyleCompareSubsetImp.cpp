#include "grid/features/GXStyleCompareSubsetImp.h"

#include "grid/core/GXStyle.h"

namespace {

using A = CGXStyle::Attr;

// The subset's borders that are set must be set alike in the style.
BOOL BordersContained(const CGXStyle& style, const CGXStyle& subset) {
  for (int side = CGXStyle::kTop; side <= CGXStyle::kRight; ++side) {
    const CGXStyleBorder& wanted = subset.GetBorders(side);
    if (!wanted.GetInclude()) continue;
    const CGXStyleBorder& have = style.GetBorders(side);
    if (!have.GetInclude() || !(have == wanted)) return FALSE;
  }
  return TRUE;
}

// User attributes compare position by position: both maps are kept sorted
// by id, so an equal attribute at another position does not count.
BOOL UserAttributesContained(const CGXStyle& style, const CGXStyle& subset) {
  const CGXUserAttributeMap* wanted = subset.GetUserAttributeMap();
  if (wanted == nullptr || wanted->IsEmpty()) return TRUE;
  const CGXUserAttributeMap* have = style.GetUserAttributeMap();
  if (have == nullptr || have->GetSize() < wanted->GetSize()) return FALSE;
  for (int i = 0; i < wanted->GetSize(); ++i) {
    if (have->At(i) == nullptr || wanted->At(i) == nullptr || !have->At(i)->IsEqual(*wanted->At(i))) return FALSE;
  }
  return TRUE;
}

// The value of one attribute compared; the caller has checked that both
// styles include it.
BOOL SameValue(const CGXStyle& s, const CGXStyle& o, A a) {
  switch (a) {
    case A::kHorzAlign: return s.GetHorizontalAlignment() == o.GetHorizontalAlignment();
    case A::kVertAlign: return s.GetVerticalAlignment() == o.GetVerticalAlignment();
    case A::kReadOnly: return (s.GetReadOnly() & 1) == (o.GetReadOnly() & 1);
    case A::kFloatCell: return (s.GetFloatCell() & 1) == (o.GetFloatCell() & 1);
    case A::kFloodCell: return (s.GetFloodCell() & 1) == (o.GetFloodCell() & 1);
    case A::kMergeCell: return (s.GetMergeCell() & 7) == (o.GetMergeCell() & 7);
    case A::kDraw3dFrame: return (s.GetDraw3dFrame() & 3) == (o.GetDraw3dFrame() & 3);
    case A::kMaxLength: return s.GetMaxLength() == o.GetMaxLength();
    case A::kVertScroll: return (s.GetVerticalScrollbar() & 1) == (o.GetVerticalScrollbar() & 1);
    // System colours resolved, so a system colour equals its current RGB.
    case A::kTextColor: return s.GetTextColorRGB() == o.GetTextColorRGB();
    case A::kWrapText: return (s.GetWrapText() & 1) == (o.GetWrapText() & 1);
    case A::kAutoSize: return (s.GetAutoSize() & 1) == (o.GetAutoSize() & 1);
    case A::kAllowEnter: return (s.GetAllowEnter() & 1) == (o.GetAllowEnter() & 1);
    case A::kEnabled: return (s.GetEnabled() & 1) == (o.GetEnabled() & 1);
    case A::kTriState: return (s.GetTriState() & 1) == (o.GetTriState() & 1);
    case A::kControl: return s.GetControl() == o.GetControl();
    case A::kInterior:
      return s.GetInterior().Word1() == o.GetInterior().Word1() && s.GetInterior().Word2() == o.GetInterior().Word2();
    case A::kBorders: return BordersContained(s, o);
    case A::kFont: return s.GetFont().IsSubSet(o.GetFont());
    case A::kValue: return s.GetValue() == o.GetValue();
    case A::kFormat: return (s.GetFormat() & 31) == (o.GetFormat() & 31);
    case A::kPlaces: return (s.GetPlaces() & 15) == (o.GetPlaces() & 15);
    case A::kBaseStyle: return s.GetBaseStyle() == o.GetBaseStyle();
    case A::kChoiceList: return s.GetChoiceList() == o.GetChoiceList();
    case A::kDataWord: return s.GetDataWord() == o.GetDataWord();
    default: return TRUE;
  }
}

}  // namespace

BOOL CGXStyleCompareSubsetImp::ContainsStyle(const CGXStyle& style, const CGXStyle& subset) {
  // The order of the checks: the cheap flags first, the texts late.
  static constexpr A kOrder[] = {
      A::kHorzAlign, A::kVertAlign, A::kReadOnly,  A::kFloatCell, A::kFloodCell, A::kMergeCell, A::kDraw3dFrame,
      A::kMaxLength, A::kVertScroll, A::kTextColor, A::kWrapText, A::kAutoSize,  A::kAllowEnter, A::kEnabled,
      A::kTriState,  A::kControl,   A::kInterior,  A::kBorders,   A::kFont,      A::kValue,      A::kFormat,
      A::kPlaces,    A::kBaseStyle, A::kChoiceList, A::kDataWord};
  for (A a : kOrder) {
    if (!subset.GetInclude(a)) continue;
    if (!style.GetInclude(a) || !SameValue(style, subset, a)) return FALSE;
  }
  return UserAttributesContained(style, subset);
}
