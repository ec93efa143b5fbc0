#include <gtest/gtest.h>

#include <cstring>
#include <cstdlib>
#include <memory>
#include <string>

#include "grid/core/GXFont.h"
#include "platform/gfx/FontEngine.h"

namespace {

int SharedCount() { return GXGetFontState().fontData.GetCount(); }

TEST(GridFont, DefaultFontIsArialAt33QuarterPoints) {
  CGXFont f;
  f.SetDefault();
  EXPECT_EQ(f.GetQuarterPoints(), 33u);
  EXPECT_EQ(f.GetFaceName(), "Arial");
  EXPECT_EQ(f.GetWeight(), 400);
  EXPECT_TRUE(f.GetIncludeItalic());
  const LOGFONT& lf = f.GetLogFont();
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(f.GetZoomedLogFont(200).lfHeight, -22);
}

TEST(GridFont, UnitConversions) {
  EXPECT_EQ(CGXFont().SetSize(300.0).GetQuarterPoints(), 1023u);
  EXPECT_EQ(CGXFont().SetSize(-8.3).GetQuarterPoints(), 33u);
  struct {
    LONG tenths;
    UINT degrees;
  } angles[] = {{-10, 359}, {0, 0}, {900, 90}, {3600, 0}, {-36010, 359}, {7205, 0}};
  for (auto a : angles) EXPECT_EQ(GXTenthsToDegrees(a.tenths), a.degrees) << a.tenths;
}

TEST(GridFont, EqualDescriptionsShareOnePlatformDescription) {
  const int before = SharedCount();
  auto a = std::make_unique<CGXFont>();
  a->SetFaceName("Courier New").SetSize(10).SetBold(TRUE);
  auto b = std::make_unique<CGXFont>(*a);
  const LOGFONT* la = &a->GetLogFont();
  EXPECT_EQ(&b->GetLogFont(), la);
  EXPECT_EQ(la->lfWeight, 700);
  EXPECT_EQ(la->lfHeight, -13);
  EXPECT_EQ(SharedCount(), before + 1);
  a.reset();
  EXPECT_EQ(SharedCount(), before + 1) << "the other font keeps it";
  b.reset();
  EXPECT_EQ(SharedCount(), before);
}

TEST(GridFont, SetterGivesUpTheSharedReference) {
  const int before = SharedCount();
  CGXFont f;
  f.SetSize(9);
  f.GetLogFont();
  EXPECT_TRUE(f.HoldsFontData());
  f.SetItalic(TRUE);
  EXPECT_FALSE(f.HoldsFontData());
  EXPECT_EQ(SharedCount(), before);
  EXPECT_EQ(f.GetLogFont().lfItalic, 1);
}

TEST(GridFont, ForeignCharacterSetKeepsItsScriptEntry) {
  LOGFONT lf{};
  std::strcpy(lf.lfFaceName, "Times New Roman");
  lf.lfCharSet = 204;
  lf.lfHeight = -16;
  CGXFont f(lf);
  EXPECT_STREQ(GXGetFaceName(f.GetFaceIndex()), "Times New Roman (Cyrillic)");
  EXPECT_EQ(f.GetQuarterPoints(), 48u);
  const LOGFONT& back = f.GetLogFont();
  EXPECT_STREQ(back.lfFaceName, "Times New Roman");
  EXPECT_EQ(back.lfCharSet, 204);
  EXPECT_EQ(back.lfHeight, -16);
}

// Heights from a description are taken by magnitude and capped, the most
// negative one included.
TEST(GridFont, LogFontHeightsAreCappedWhateverTheirSign) {
  struct Case {
    LONG height;
    UINT quarters;
  };
  const Case cases[] = {{-16, 48}, {16, 48}, {0, 0}, {100000, 1023}, {-2147483647 - 1, 1023}, {2147483647, 1023}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height);
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = c.height;
    EXPECT_EQ(CGXFont(lf).GetQuarterPoints(), c.quarters);
  }
}

TEST(GridFont, MergeModes) {
  CGXFont mine;
  mine.SetFaceName("Arial").SetSize(8);
  CGXFont other;
  other.SetFaceName("Courier New").SetBold(TRUE).SetItalic(TRUE);

  CGXFont fill(mine);
  fill.ChangeFont(other, 1);
  EXPECT_EQ(fill.GetFaceName(), "Arial");
  EXPECT_EQ(fill.GetWeight(), 700);
  EXPECT_TRUE(fill.GetItalic());
  EXPECT_EQ(fill.GetQuarterPoints(), 32u);

  CGXFont over(mine);
  over.ChangeFont(other, 0);
  EXPECT_EQ(over.GetFaceName(), "Courier New");
  EXPECT_EQ(over.GetQuarterPoints(), 32u);

  CGXFont removed(fill);
  removed.ChangeFont(other, 3);
  EXPECT_FALSE(removed.GetIncludeFaceName());
  EXPECT_FALSE(removed.GetIncludeWeight());
  EXPECT_FALSE(removed.GetIncludeItalic());
  EXPECT_TRUE(removed.GetIncludeSize());

  CGXFont replaced(mine);
  replaced.ChangeFont(other, 2);
  EXPECT_EQ(replaced, other);

  EXPECT_TRUE(over.IsSubSet(other));
  EXPECT_FALSE(fill.IsSubSet(other)) << "the face differs";
  EXPECT_FALSE(mine.IsSubSet(other));
}

TEST(GridFont, MergeReleasesDataOfAnOldKey) {
  const int before = SharedCount();
  CGXFont f;
  f.SetSize(11);
  f.GetLogFont();
  CGXFont bold;
  bold.SetBold(TRUE);
  f.ChangeFont(bold, 0);
  EXPECT_FALSE(f.HoldsFontData());
  EXPECT_EQ(SharedCount(), before);
  EXPECT_EQ(f.GetLogFont().lfWeight, 700);
}

TEST(GridFont, UnknownFacesAreAddedByName) {
  const UINT a = GXFindFaceIndex("No Such Face Anywhere");
  EXPECT_NE(a, CGXFont::kFaceNotSet);
  EXPECT_EQ(GXFindFaceIndex("No Such Face Anywhere"), a);
  EXPECT_EQ(GXFindFaceIndex(""), CGXFont::kFaceNotSet);
  EXPECT_EQ(GXGetFaceName(1022), nullptr);
  EXPECT_EQ(GXFindFaceIndex("Arial"), 0u) << "Arial takes the first index";
}

}  // namespace

namespace {

// Filling the face table changes it for the rest of the run, so the check
// runs in a child process.
TEST(GridFontDeathTest, TheFaceTableHoldsAtMost1023IndexedFaces) {
  EXPECT_EXIT(
      {
        UINT last = 0;
        for (int i = 0; i < 1100; ++i) {
          const std::string name = "Face number " + std::to_string(i);
          last = GXFindFaceIndex(name.c_str());
          if (last == CGXFont::kFaceNotSet) break;
        }
        const bool full = last == CGXFont::kFaceNotSet && GXGetFaceName(1022) != nullptr;
        std::exit(full && GXFindFaceIndex("Arial") == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(GridFont, FaceTableHoldsTheDisplaysFamilies) {
  const std::vector<std::string> families = fonts::ScalableFamilies();
  if (families.empty()) GTEST_SKIP() << "no scalable fonts installed";
  const GXFontState& state = GXGetFontState();
  EXPECT_GE(state.EnumeratedCount(), 2u) << "each family gives a plain and a script entry";
  for (const std::string& family : {families.front(), families.back()}) {
    const UINT plain = GXFindFaceIndex(family.c_str());
    ASSERT_NE(plain, CGXFont::kFaceNotSet) << family;
    const GXFaceEntry* e = state.EntryOfIndex(plain);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->enumerated && e->plainFace) << family;
    EXPECT_EQ(e->baseNameLength, 0);
    EXPECT_EQ(e->fontType, 4u);

    const std::string scripted = family + " (Western)";
    const UINT si = GXFindFaceIndex(scripted.c_str());
    const GXFaceEntry* s = state.EntryOfIndex(si);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->enumerated) << "the face-and-script entry is enumerated, not added by name";
    EXPECT_FALSE(s->plainFace);
    EXPECT_EQ(s->baseNameLength, static_cast<int>(family.size()));
  }
  // A font built from a description of an enumerated family keeps its face
  // name whole (cut at the base-name length only for script entries).
  LOGFONT lf{};
  std::strncpy(lf.lfFaceName, families.front().c_str(), LF_FACESIZE - 1);
  lf.lfHeight = -12;
  lf.lfWeight = 400;
  CGXFont f(lf);
  EXPECT_STREQ(f.GetLogFont().lfFaceName, families.front().substr(0, LF_FACESIZE - 1).c_str());
}

}  // namespace
