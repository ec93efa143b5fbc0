#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/GridFeatures.h"
#include "grid/GridTestUtil.h"
#include "grid/core/GXIndexMaps.h"
#include "grid/core/GXRange.h"
#include "grid/core/GXStyle.h"
#include "grid/core/GXUserAttribute.h"
#include "platform/base/Exceptions.h"

namespace {

TEST(GridUserAttribute, ClassifiesTexts) {
  gridtest::ScopedNumberFormatting numbers;
  struct Case {
    const char* text;
    BYTE kind;
  } cases[] = {
      {"", CGXUserAttribute::none},        {"3.14159", CGXUserAttribute::real}, {"12", CGXUserAttribute::real},
      {"3.140", CGXUserAttribute::shortText}, {"007", CGXUserAttribute::shortText}, {" 12", CGXUserAttribute::shortText},
      {"1e3", CGXUserAttribute::shortText}, {"12345678", CGXUserAttribute::real}, {"abcdefgh", CGXUserAttribute::shortText},
      {"abcdefghi", CGXUserAttribute::longText},
  };
  for (const auto& c : cases) {
    CGXUserAttribute a(c.text);
    EXPECT_EQ(a.GetKind(), c.kind) << c.text;
    EXPECT_EQ(a.GetValue(), CString(c.text)) << "text comes back whole: " << c.text;
  }
}

TEST(GridUserAttribute, WithoutNumberFormattingEveryTextIsText) {
  CGXUserAttribute a("12");
  EXPECT_EQ(a.GetKind(), CGXUserAttribute::shortText);
  EXPECT_EQ(a.GetLongValue(), 12);
  EXPECT_DOUBLE_EQ(CGXUserAttribute("2.5").GetDoubleValue(), 2.5);
}

TEST(GridUserAttribute, NumbersAndBytesAsText) {
  CGXUserAttribute a;
  EXPECT_EQ(a.SetDWord(4000000000u).GetValue(), "4000000000");
  EXPECT_EQ(a.SetLong(-7).GetValue(), "-7");
  EXPECT_EQ(a.GetLongValue(), -7);
  EXPECT_EQ(a.SetDouble(0.5).GetValue(), "0.5");
  const BYTE raw[8] = {1, 0, 0, 0, 0xFF, 0, 0, 0};
  EXPECT_EQ(a.SetBytes(raw).GetValue(), "00000001000000ff");
  // Two values are independent copies, so they can be compared.
  CGXUserAttribute x("first"), y("second");
  EXPECT_NE(x.GetValue(), y.GetValue());
}

TEST(GridUserAttribute, EqualityNeedsIdAndKind) {
  gridtest::ScopedNumberFormatting numbers;
  CGXUserAttribute a("5"), b("5"), c("5.0");
  EXPECT_TRUE(a.IsEqual(b));
  EXPECT_FALSE(a.IsEqual(c)) << "a number and a text differ";
  b.m_nId = 9;
  EXPECT_FALSE(a.IsEqual(b));
  CGXEllipseUserAttribute e1(2), e2(2);
  e2.m_nId = 3;
  EXPECT_TRUE(e1.IsEqual(e2)) << "ellipse values compare numbers only";
}

TEST(GridUserAttribute, ArchiveFormsAndLoadedTextStaysText) {
  gridtest::ScopedNumberFormatting numbers;
  CGXUserAttribute number("42");
  auto bytes = gridtest::Store([&](CArchive& ar) { number.Serialize(ar); });
  ASSERT_EQ(bytes.size(), 9u);
  EXPECT_EQ(bytes[0], CGXUserAttribute::real);
  CGXUserAttribute text("Hello, world");
  bytes = gridtest::Store([&](CArchive& ar) { text.Serialize(ar); });
  ASSERT_EQ(bytes.size(), 1u + 1u + 12u);
  EXPECT_EQ(bytes[0], CGXUserAttribute::longText);
  EXPECT_EQ(bytes[1], 12);

  auto asText = gridtest::Store([](CArchive& ar) {
    ar << static_cast<BYTE>(3);
    ar.WriteCString("12");
  });
  CGXUserAttribute back;
  gridtest::Load(asText, [&](CArchive& ar) { back.Serialize(ar); });
  EXPECT_EQ(back.GetKind(), CGXUserAttribute::shortText);
  EXPECT_EQ(back.GetValue(), "12");
}

TEST(GridUserAttributeMap, KeepsIdsSortedAndOwned) {
  CGXUserAttributeMap m;
  m.SetAttribute(30, new CGXUserAttribute("c"));
  m.SetAttribute(10, new CGXUserAttribute("a"));
  m.SetAttribute(20, new CGXUserAttribute("b"));
  m.SetAttribute(10, new CGXUserAttribute("A"));
  ASSERT_EQ(m.GetSize(), 3);
  EXPECT_EQ(m.At(0)->m_nId, 10);
  EXPECT_EQ(m.At(0)->GetValue(), "A");
  EXPECT_EQ(m.At(2)->m_nId, 30);
  EXPECT_EQ(m.Find(25), -1);
  m.Remove(20);
  EXPECT_EQ(m.Lookup(20), nullptr);
  EXPECT_EQ(m.GetSize(), 2);
}

TEST(GridUserAttributeMap, MergeModes) {
  auto make = [](std::initializer_list<std::pair<WORD, const char*>> items) {
    auto* m = new CGXUserAttributeMap;
    for (auto [id, text] : items) m->SetAttribute(id, new CGXUserAttribute(text));
    return m;
  };
  std::unique_ptr<CGXUserAttributeMap> other(make({{1, "new1"}, {3, "new3"}}));
  struct Case {
    int mode;
    std::vector<std::pair<WORD, const char*>> expect;
  } cases[] = {
      {0, {{1, "new1"}, {2, "old2"}, {3, "new3"}}},
      {1, {{1, "old1"}, {2, "old2"}, {3, "new3"}}},
      {2, {{1, "new1"}, {3, "new3"}}},
      {3, {{2, "old2"}}},
  };
  for (const auto& c : cases) {
    std::unique_ptr<CGXUserAttributeMap> m(make({{1, "old1"}, {2, "old2"}}));
    m->ChangeMap(*other, c.mode);
    ASSERT_EQ(m->GetSize(), static_cast<int>(c.expect.size())) << "mode " << c.mode;
    for (int i = 0; i < m->GetSize(); ++i) {
      EXPECT_EQ(m->At(i)->m_nId, c.expect[static_cast<std::size_t>(i)].first) << "mode " << c.mode;
      EXPECT_EQ(m->At(i)->GetValue(), c.expect[static_cast<std::size_t>(i)].second) << "mode " << c.mode;
    }
  }
}

TEST(GridUserAttributeMap, ArchiveRoundTrip) {
  CGXUserAttributeMap m;
  m.SetAttribute(52792, new CGXEllipseUserAttribute(2));
  m.SetAttribute(51022, new CGXUserAttribute("tip text"));
  auto bytes = gridtest::Store([&](CArchive& ar) { m.Serialize(ar); });
  CGXUserAttributeMap back;
  back.SetAttribute(1, new CGXUserAttribute("dropped on load"));
  gridtest::Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_EQ(back.Lookup(51022)->GetValue(), "tip text");
  EXPECT_EQ(back.Lookup(52792)->GetDWordValue(), 2u);
  EXPECT_NE(dynamic_cast<const CGXEllipseUserAttribute*>(back.Lookup(52792)), nullptr);

  CGXUserAttributeMap bad;
  try {
    gridtest::Load({0xFF, 0xFF, 0}, [&](CArchive& ar) { bad.Serialize(ar); });
    ADD_FAILURE() << "no exception";
  } catch (CException* e) {
    e->Delete();
  }
}

TEST(GridUserAttributeMap, AnArchivedAttributeListedTwiceIsRefused) {
  // The map owns its attributes: one attribute under two ids would be freed
  // twice.
  CGXUserAttribute shared("tip text");
  const auto bytes = gridtest::Store([&](CArchive& ar) {
    ar << static_cast<WORD>(2);
    ar.WriteObject(&shared);
    ar << static_cast<WORD>(51022);
    ar.WriteObject(&shared);
    ar << static_cast<WORD>(51023);
  });
  CGXUserAttributeMap back;
  try {
    gridtest::Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
    ADD_FAILURE() << "the second reference was accepted";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::badIndex);
    e->Delete();
  }
}

TEST(GridArchives, ObjectArraysFreeAnObjectHeldTwiceOnce) {
  // Styles pasted from the clipboard come as an array that may name one
  // style in several places.
  CObArray styles;
  auto* style = new CGXStyle;
  styles.Add(style);
  styles.Add(new CGXStyle);
  styles.Add(style);
  GXDeletePtrArrayObjects(styles);
  EXPECT_EQ(styles.GetSize(), 0);
}

}  // namespace

namespace {

// Every prefix of a valid archive either loads or stops with an archive
// exception; nothing crashes or leaks (the sanitizer build would say).
TEST(GridArchives, TruncatedArchivesStopCleanly) {
  CGXUserAttributeMap map;
  map.SetAttribute(1, new CGXUserAttribute("a long text value"));
  map.SetAttribute(2, new CGXEllipseUserAttribute(1));
  map.SetAttribute(3, new CGXUserAttribute("12345678"));
  const auto mapBytes = gridtest::Store([&](CArchive& ar) { map.Serialize(ar); });
  CGXRangeList ranges;
  ranges.AddTail(new CGXRange(1, 2, 3, 4));
  ranges.AddTail(new CGXRange(5, 6, 7, 8));
  const auto rangeBytes = gridtest::Store([&](CArchive& ar) { ranges.Serialize(ar); });

  auto loadPrefixes = [](const std::vector<BYTE>& bytes, auto load) {
    int failures = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
      std::vector<BYTE> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
      try {
        gridtest::Load(prefix, load);
      } catch (CException* e) {
        ++failures;
        e->Delete();
      }
    }
    return failures;
  };
  EXPECT_EQ(loadPrefixes(mapBytes, [](CArchive& ar) {
              CGXUserAttributeMap m;
              m.Serialize(ar);
            }),
            static_cast<int>(mapBytes.size()));
  EXPECT_EQ(loadPrefixes(rangeBytes, [](CArchive& ar) {
              CGXRangeList l;
              l.Serialize(ar);
            }),
            static_cast<int>(rangeBytes.size()));

  // A count the rest cannot hold stops before any range is read; what the
  // list held stays.
  CGXRangeList partial;
  partial.AddTail(new CGXRange(9, 9));
  std::vector<BYTE> cut(rangeBytes.begin(), rangeBytes.end() - 3);
  try {
    gridtest::Load(cut, [&](CArchive& ar) { partial.Serialize(ar); });
  } catch (CException* e) {
    e->Delete();
  }
  ASSERT_EQ(partial.GetCount(), 1);
  EXPECT_EQ(*partial.GetHead(), CGXRange(9, 9));
}

}  // namespace
