#include <gtest/gtest.h>

#include "grid/core/GXGridParam.h"
#include "grid/features/FeatureGrid.h"
#include "grid/formula/GXFormulaSheet.h"

namespace {

using gridtest::FeatureLibrary;

// A parameter object with its own styles map, properties and data.
void Populate(CGXGridParam& param, CGXData* data) {
  auto* map = new CGXStylesMap;
  map->CreateStandardStyles();
  param.SetStylesMap(map, TRUE);
  auto* properties = new CGXProperties;
  properties->SetUserProperty(4711, CGXStyle("shown"));
  properties->m_nMargins[1] = 77;
  param.SetProperties(properties, TRUE);
  data->StoreRowCount(5);
  data->StoreColCount(3);
  CGXStyle value("one");
  data->StoreStyleRowCol(2, 2, &value, 0, 0);
  param.SetData(data, TRUE);
  param.m_nFrozenRows = 2;
  param.m_sSheetName = "Sheet A";
  param.m_CoveredCellsList.AddTail(new CGXRange(1, 1, 2, 2));
}

CString CellValue(const CGXData& data, ROWCOL row, ROWCOL col) {
  CGXStyle style;
  data.GetStyleRowCol(row, col, style, 0, 0);
  return style.GetValue();
}

TEST(ParamCopy, TheCopySharesNothingAndOwnsWhatWasMadeForIt) {
  FeatureLibrary library;
  CGXGridParam source, target;
  Populate(source, new CGXData);
  target.m_bFillOption = TRUE;
  target.m_nLastSortCol = 3;
  target.CopyFrom(source);

  ASSERT_NE(target.GetData(), nullptr);
  EXPECT_NE(target.GetData(), source.GetData());
  EXPECT_TRUE(target.m_bOwnData && target.m_bOwnStylesMap && target.m_bOwnProperties) << "no leaks";
  EXPECT_EQ(CellValue(*target.GetData(), 2, 2), "one");
  EXPECT_EQ(target.m_nFrozenRows, 2u);
  EXPECT_EQ(target.m_sSheetName, "Sheet A");
  EXPECT_EQ(target.m_CoveredCellsList.GetCount(), 1);
  EXPECT_EQ(target.GetProperties()->m_nMargins[1], 77);
  EXPECT_EQ(target.GetProperties()->GetUserProperty(4711).GetValue(), "shown");
  EXPECT_TRUE(target.m_bFillOption) << "fill options are not copied";
  EXPECT_EQ(target.m_nLastSortCol, 3u) << "nor is the last sort";

  // Changes to the source stay there.
  CGXStyle changed("two");
  source.GetData()->StoreStyleRowCol(2, 2, &changed, 0, 0);
  CGXStyle* standard = nullptr;
  ASSERT_TRUE(source.GetStylesMap()->LookupStyle(source.GetStylesMap()->m_wStyleStandard, standard));
  standard->SetValue("changed");
  const CGXStyle* copied = nullptr;
  ASSERT_TRUE(target.GetStylesMap()->LookupStyle(target.GetStylesMap()->m_wStyleStandard, copied));
  EXPECT_NE(copied->GetValue(), "changed");
  EXPECT_EQ(CellValue(*target.GetData(), 2, 2), "one");

  target.CopyFrom(target);
  EXPECT_EQ(CellValue(*target.GetData(), 2, 2), "one") << "a copy into itself changes nothing";
}

TEST(ParamCopy, AFormulaSheetCopiesIntoAFormulaSheet) {
  FeatureLibrary library;
  CGXGridParam source, target;
  auto* sheet = new CGXFormulaSheet;
  Populate(source, sheet);
  ASSERT_TRUE(sheet->StoreNumber(1, 1, 4));
  ASSERT_TRUE(sheet->StoreFormula(1, 2, "=A1*3"));
  sheet->Recalculate(TRUE);
  target.CopyFrom(source);
  auto* copy = dynamic_cast<CGXFormulaSheet*>(target.GetData());
  ASSERT_NE(copy, nullptr);
  CString shown;
  copy->FetchDisplayText(1, 2, shown);
  EXPECT_EQ(shown, "12");
}

}  // namespace
