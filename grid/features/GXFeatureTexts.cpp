#include "grid/features/GXFeatureTexts.h"

#include "grid/core/GXAppData.h"

namespace {

struct FeatureText {
  UINT id;
  const char* text;
};

constexpr FeatureText kFeatureTexts[] = {
    {20149, "Range too big."},
    {20153, "Pasting is not possible for multi-area selections."},
    {20158, "Change Row Heights"},
    {20159, "Change Column Widths"},
    {20160, "Change Default Row Height"},
    {20161, "Change Default Column Width"},
    {20166, "Cover Cells"},
    {20167, "Cells"},
    {20170, "Hide Rows"},
    {20171, "Hide Columns"},
    {20172, "Resizing Rows"},
    {20173, "Resizing Columns"},
    {20181, "Sort Rows"},
    {20182, "Sort Columns"},
    {20185, "Styles Map Changes"},
    {20186, "Property Settings"},
};

}  // namespace

CString GXFeatureText(UINT id) {
  CString text;
  if (GXLoadString(id, text)) return text;
  for (const FeatureText& t : kFeatureTexts)
    if (t.id == id) return CString(t.text);
  return CString();
}
