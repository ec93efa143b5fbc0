#include <gtest/gtest.h>

#include <vector>

#include "platform/Afx.h"
#include "platform/base/OleVariant.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(const VARIANT& v) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << v;
    ar.Close();
  }
  return Bytes(file.GetData(), file.GetData() + file.GetLength());
}

// The archive exception's cause, or -1 when the read went through.
int Load(Bytes bytes, VARIANT& v) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    ar >> v;
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

TEST(OleVariant, EveryCarriedKindSurvivesTheArchive) {
  COleVariant currency;
  currency.vt = VT_CY;
  currency.cyVal = 123456789012LL;
  COleVariant date;
  date.vt = VT_DATE;
  date.date = 45000.25;
  const COleVariant values[] = {COleVariant(),
                                [] {
                                  COleVariant v;
                                  v.vt = VT_NULL;
                                  return v;
                                }(),
                                COleVariant(-7, VT_I2),
                                COleVariant(123456),
                                COleVariant(2.5),
                                COleVariant(1, VT_BOOL),
                                COleVariant(200, VT_UI1),
                                COleVariant(-5, VT_ERROR),
                                COleVariant("Dues 2026"),
                                currency,
                                date};
  for (const COleVariant& v : values) {
    SCOPED_TRACE(v.vt);
    COleVariant back("old");
    ASSERT_EQ(Load(Store(v), back), -1);
    EXPECT_TRUE(VariantEquals(back, v));
  }
  // The kind comes first, then the value in the archive's encoding.
  EXPECT_EQ(Store(COleVariant(-7, VT_I2)), (Bytes{VT_I2, 0, 0xF9, 0xFF}));
}

TEST(OleVariant, UnknownKindsAndCutArchivesAreRefusedLeavingTheValue) {
  COleVariant v(42);
  EXPECT_EQ(Load(Bytes{99, 0, 1, 2, 3, 4}, v), CArchiveException::genericException);
  EXPECT_EQ(Load(Bytes{VT_R8, 0, 1, 2}, v), CArchiveException::endOfFile);
  EXPECT_EQ(v.vt, VT_I4);
  EXPECT_EQ(v.lVal, 42);
  VARIANT unknown;
  unknown.vt = 0x2000;
  try {
    Store(unknown);
    ADD_FAILURE() << "a kind the archive cannot carry was written";
  } catch (CArchiveException* e) {
    e->Delete();
  }
}

TEST(OleVariant, CopyAndClear) {
  COleVariant text("abc");
  COleVariant copy(text);
  EXPECT_TRUE(VariantEquals(copy, text));
  EXPECT_FALSE(VariantEquals(copy, COleVariant("abd")));
  EXPECT_FALSE(VariantEquals(COleVariant(1), COleVariant(1, VT_I2))) << "kinds differ";
  copy.Clear();
  EXPECT_EQ(copy.vt, VT_EMPTY);
  EXPECT_TRUE(copy.bstrVal.IsEmpty());
}

}  // namespace
