#include <gtest/gtest.h>

#include <memory>

#include "grid/core/GXStyle.h"
#include "grid/features/GXOleVarUserAttribute.h"
#include "platform/Afx.h"

namespace {

TEST(OleVarUserAttribute, VariantsComeFromThePoolAndGoBackToIt) {
  auto& pool = GXGetVariantPool();
  const VARIANT* first = nullptr;
  {
    CGXOleVarUserAttribute a;
    EXPECT_EQ(a.GetVariant(), nullptr);
    a.SetValue(COleVariant("one"));
    first = a.GetVariant();
    a.SetValue(COleVariant(2));
    EXPECT_EQ(a.GetVariant(), first) << "a second value reuses the variant";
    EXPECT_EQ(a.GetVariant()->vt, VT_I4);
    EXPECT_TRUE(a.GetVariant()->bstrVal.IsEmpty()) << "cleared before the copy";
  }
  const std::size_t free = pool.GetFreeCount();
  ASSERT_GE(free, 1u);
  CGXOleVarUserAttribute b;
  b.SetValue(COleVariant("three"));
  EXPECT_EQ(pool.GetFreeCount(), free - 1);
  EXPECT_EQ(b.GetVariant()->vt, VT_BSTR);
  EXPECT_EQ(b.GetVariant()->bstrVal, "three");
}

TEST(OleVarUserAttribute, EqualityIsIdentityAndEmptinessTheVariantsKind) {
  CGXOleVarUserAttribute a, b, never;
  a.SetValue(COleVariant(5));
  b.SetValue(COleVariant(5));
  EXPECT_FALSE(a.IsEqual(b)) << "equal values in separate variants differ";
  EXPECT_TRUE(a.IsEqual(a));
  EXPECT_FALSE(a.IsEmpty());
  // An attribute that never got a value reads as an empty variant.
  EXPECT_TRUE(never.IsEmpty());
  EXPECT_FALSE(never.IsEqual(b));
  b.SetValue(COleVariant());
  EXPECT_TRUE(b.IsEmpty());
  // Text does not reach the value.
  a.SetValue("9");
  EXPECT_EQ(a.GetVariant()->lVal, 5);
  EXPECT_EQ(a.GetValue(), "");
}

TEST(OleVarUserAttribute, CloneCopiesTheValueIntoItsOwnVariant) {
  CGXOleVarUserAttribute a;
  a.SetValue(COleVariant("x"));
  std::unique_ptr<CGXAbstractUserAttribute> clone(a.Clone());
  auto* copy = dynamic_cast<CGXOleVarUserAttribute*>(clone.get());
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy->GetVariant(), a.GetVariant());
  EXPECT_TRUE(VariantEquals(*copy->GetVariant(), *a.GetVariant()));
  CGXOleVarUserAttribute never;
  std::unique_ptr<CGXAbstractUserAttribute> empty(never.Clone());
  EXPECT_EQ(static_cast<CGXOleVarUserAttribute*>(empty.get())->GetVariant(), nullptr);
}

TEST(OleVarUserAttribute, ArchiveRoundTripAsAnObject) {
  CGXOleVarUserAttribute a, never;
  a.SetValue(COleVariant(3.25));
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << static_cast<CObject*>(&a) << static_cast<CObject*>(&never);
    ar.Close();
  }
  std::vector<BYTE> bytes(file.GetData(), file.GetData() + file.GetLength());
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  std::unique_ptr<CObject> back(ar.ReadObject(RUNTIME_CLASS(CGXOleVarUserAttribute)));
  std::unique_ptr<CObject> backNever(ar.ReadObject(RUNTIME_CLASS(CGXOleVarUserAttribute)));
  auto* value = dynamic_cast<CGXOleVarUserAttribute*>(back.get());
  ASSERT_NE(value, nullptr);
  EXPECT_TRUE(VariantEquals(*value->GetVariant(), COleVariant(3.25)));
  EXPECT_TRUE(static_cast<CGXOleVarUserAttribute*>(backNever.get())->IsEmpty());
}

}  // namespace
