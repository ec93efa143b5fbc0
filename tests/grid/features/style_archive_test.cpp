#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/GridTestUtil.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXStylesMap.h"
#include "grid/features/FeatureGrid.h"
#include "grid/features/GXClipboardOptions.h"
#include "grid/features/GXSerializeQVX5Compatible.h"
#include "platform/base/Exceptions.h"
#include "platform/window/Clipboard.h"

namespace {

// True when the call raised the framework's archive exception (freed here).
template <class F>
bool ThrowsArchive(F&& f) {
  try {
    f();
  } catch (CArchiveException* e) {
    e->Delete();
    return true;
  }
  return false;
}

using gridtest::FeatureGridTest;
using gridtest::Load;
using gridtest::Store;

// Archive bytes written by hand, little-endian.
struct Bytes {
  std::vector<BYTE> v;
  Bytes& W(WORD w) {
    v.push_back(static_cast<BYTE>(w));
    v.push_back(static_cast<BYTE>(w >> 8));
    return *this;
  }
  Bytes& D(DWORD d) { return W(static_cast<WORD>(d)).W(static_cast<WORD>(d >> 16)); }
  Bytes& B(BYTE b) {
    v.push_back(b);
    return *this;
  }
  Bytes& S(const std::string& s) {
    B(static_cast<BYTE>(s.size()));
    v.insert(v.end(), s.begin(), s.end());
    return *this;
  }
};

// A system colour as a colour value: 254 minus its number on top.
constexpr COLORREF SysColor(int index) { return static_cast<COLORREF>(254 - index) << 24; }

// ------------------------------------------------------------- text forms

TEST(TextForms, FontsWriteAndReadTheirSevenFields) {
  gridtest::FeatureLibrary library;
  EXPECT_EQ(std::string(CGXFont().GetDescription()), ",,,,,,");
  CGXFont arial;
  arial.SetFaceName("Arial").SetSize(10).SetWeight(700).SetItalic(FALSE);
  EXPECT_EQ(std::string(arial.GetDescription()), "Arial,10,700,0,,,");
  EXPECT_EQ(CGXFont::CGXFontFromText(arial.GetDescription()), arial);

  const struct {
    const char* text;
    const char* written;  // read back and written again
  } cases[] = {
      {",,,,,,900", ",,,,,,900"},
      {",,,,,,-900", ",,,,,,2700"},
      {"Arial", "Arial,,,,,,"},
      {",12", ",12,,,,,"},
      {", 12 ,  x", ",12,0,,,,"},
      {"", ",,,,,,"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(CGXFont::CGXFontFromText(c.text).GetDescription()), c.written) << c.text;
  }
  CGXFont untouched = arial;
  untouched.SetDescription(nullptr);
  EXPECT_EQ(untouched, arial) << "a missing text changes nothing";
  // Face names beyond what the face table holds are cut, not overrun.
  const std::string longFace(200, 'F');
  EXPECT_EQ(std::string(CGXFont::CGXFontFromText(longFace.c_str()).GetFaceName()), std::string(31, 'F'));
}

TEST(TextForms, BordersNeedFiveNumbersAndKeepSystemColours) {
  CGXStyleBorder border;
  border.SetDescription("1 2 0 0 255");
  EXPECT_TRUE(border.GetInclude());
  EXPECT_EQ(border.style, 1u);
  EXPECT_EQ(border.width, 2u);
  EXPECT_EQ(border.GetColor(), RGB(0, 0, 255));
  border.SetDescription("1 2 0 0");
  EXPECT_FALSE(border.GetInclude());
  border.SetDescription("");
  EXPECT_FALSE(border.GetInclude());
  EXPECT_EQ(border.GetColor(), 0u);

  const CGXStyleBorder system(0, 1, SysColor(COLOR_WINDOW));
  const COLORREF now = GXGetSysColor(COLOR_WINDOW);
  char expected[64];
  std::snprintf(expected, sizeof expected, "0 1 %d %d %d 249", GetRValue(now), GetGValue(now), GetBValue(now));
  EXPECT_EQ(std::string(system.GetDescription()), expected);
  CGXStyleBorder back;
  back.SetDescription(system.GetDescription());
  EXPECT_EQ(back.color, (GXPackedColor{3, COLOR_WINDOW}));
}

TEST(TextForms, InteriorsKeepTheirStoredBytes) {
  CGXStyleInterior interior;
  interior.SetDescription("0 0 255 255 255");
  EXPECT_EQ(interior.brushStyle, 0u);
  EXPECT_EQ(interior.GetColor(), RGB(255, 255, 255));
  EXPECT_EQ(interior.GetBackColor(), RGB(0, 0, 0));

  // A system background colour comes back as the RGB of its stored bytes.
  CGXStyleInterior system(SysColor(COLOR_BTNFACE));
  system.SetBackColor(SysColor(COLOR_WINDOW));
  EXPECT_EQ(std::string(system.GetDescription()), "0 0 15 0 0 5 0 0 239");
  CGXStyleInterior back;
  back.SetDescription(system.GetDescription());
  EXPECT_EQ(back.fill, (GXPackedColor{3, COLOR_BTNFACE}));
  EXPECT_EQ(back.back, (GXPackedColor{0, RGB(5, 0, 0)}));

  // A pattern takes its hatch from the pattern's entry.
  CGXStyleInterior pattern;
  pattern.SetDescription("3 1 0 0 0 255 255 255");
  EXPECT_EQ(pattern.brushStyle, 3u);
  EXPECT_EQ(pattern.pattern, 1u);
  EXPECT_EQ(pattern.hatch, GXGetPatternWord(1, 1) & 7u);
  pattern.SetDescription("1 2");
  EXPECT_EQ(pattern.brushStyle, 3u) << "too few numbers keep the brush";
  EXPECT_EQ(pattern.GetColor(), 0u);
}

// ---------------------------------------------------------- style archive

class StyleArchive : public ::testing::Test {
 protected:
  std::vector<BYTE> Write(CGXStyle& style) {
    return Store([&](CArchive& ar) { style.Serialize(ar); });
  }
  void Read(const std::vector<BYTE>& bytes, CGXStyle& style) {
    Load(bytes, [&](CArchive& ar) { style.Serialize(ar); });
  }
  gridtest::FeatureLibrary library;
};

TEST_F(StyleArchive, WritesOnlyWhatTheStyleSets) {
  CGXStyle empty;
  EXPECT_EQ(Write(empty), Bytes().W(6).D(0).W(0).W(0).v);

  CGXStyle borders;
  const CGXStyleBorder pen(PS_DOT, 1, RGB(1, 2, 3));
  borders.SetBorder(CGXStyle::kAllSides, pen).SetIncludeBorder(CGXStyle::kBottom, FALSE);
  const std::string text = std::string(pen.GetDescription());
  EXPECT_EQ(Write(borders),
            Bytes().W(6).D(1u << 8).W(1).W(1).S(text).W(1).S(text).W(0).W(1).S(text).W(0).v);

  // The archive swaps the float and flood bits of the style's own word.
  CGXStyle floating;
  floating.SetFloatCell(TRUE);
  EXPECT_EQ(Write(floating), Bytes().W(6).D(1u << 21).W(0).W(0).B(1).v);
}

TEST_F(StyleArchive, EveryAttributeReadsBack) {
  CGXStylesMap map;
  map.CreateStandardStyles();
  CGXStyle base;
  base.SetInteriorColor(RGB(9, 9, 9));
  const WORD baseId = map.RegisterStyleByName("Totals", base, FALSE);

  CGXStyle style;
  style.SetHorizontalAlignment(DT_RIGHT).SetVerticalAlignment(DT_BOTTOM).SetReadOnly(TRUE).SetControl(52545);
  style.SetInteriorColor(RGB(10, 20, 30)).SetTextColor(RGB(40, 50, 60)).SetWrapText(TRUE).SetAllowEnter(TRUE);
  style.SetFont(CGXFont().SetFaceName("Arial").SetSize(12).SetBold(TRUE).SetItalic(TRUE));
  style.SetValue("12.5").SetValueType(1).SetChoiceList("a\nb").SetVerticalScrollbar(TRUE).SetMaxLength(40);
  style.SetBaseStyle(baseId).SetEnabled(TRUE).SetTriState(TRUE).SetDraw3dFrame(2).SetAutoSize(TRUE);
  style.SetBorder(CGXStyle::kLeft, CGXStyleBorder(PS_SOLID, 2, RGB(0, 0, 255)));
  style.SetUserAttributeText(52797, "255").SetDataWord(0xDEADBEEF).SetFloodCell(TRUE).SetMergeCell(5);
  style.SetFormat(4).SetPlaces(2);

  const auto bytes = Store([&](CArchive& ar) { style.SerializeEx(ar, &map); });
  CGXStyle back;
  Load(bytes, [&](CArchive& ar) { back.SerializeEx(ar, &map); });
  EXPECT_EQ(back.GetHorizontalAlignment(), static_cast<UINT>(DT_RIGHT));
  EXPECT_EQ(back.GetVerticalAlignment(), static_cast<UINT>(DT_BOTTOM));
  EXPECT_TRUE(back.GetReadOnly());
  EXPECT_EQ(back.GetControl(), 52545);
  EXPECT_EQ(back.GetInterior().GetColor(), RGB(10, 20, 30));
  EXPECT_EQ(back.GetTextColor(), RGB(40, 50, 60));
  EXPECT_TRUE(back.GetWrapText() && back.GetAllowEnter() && back.GetVerticalScrollbar());
  EXPECT_EQ(back.GetFont(), style.GetFont());
  EXPECT_EQ(std::string(back.GetValue()), "12.5");
  EXPECT_EQ(back.GetValueType(), 1u);
  EXPECT_EQ(std::string(back.GetChoiceList()), "a\nb");
  EXPECT_EQ(back.GetMaxLength(), 40);
  EXPECT_EQ(back.GetBaseStyle(), baseId);
  EXPECT_TRUE(back.GetEnabled() && back.GetTriState() && back.GetAutoSize() && back.GetFloodCell());
  EXPECT_EQ(back.GetDraw3dFrame(), 2u);
  EXPECT_TRUE(back.HasBorder(CGXStyle::kLeft));
  EXPECT_FALSE(back.HasBorder(CGXStyle::kTop));
  EXPECT_EQ(back.GetBorders(CGXStyle::kLeft), style.GetBorders(CGXStyle::kLeft));
  EXPECT_EQ(std::string(back.GetUserAttribute(52797).GetValue()), "255");
  EXPECT_EQ(back.GetDataWord(), 0xDEADBEEFu);
  EXPECT_EQ(back.GetMergeCell(), 5u);
  EXPECT_EQ(back.GetFormat(), 4u);
  EXPECT_EQ(back.GetPlaces(), 2u);
  EXPECT_EQ(back.ConvertIncludeBits(), style.ConvertIncludeBits());

  // A base style the reading map does not know becomes no base style.
  CGXStylesMap other;
  CGXStyle unknown;
  Load(bytes, [&](CArchive& ar) { unknown.SerializeEx(ar, &other); });
  EXPECT_EQ(unknown.GetBaseStyle(), 0u);
}

TEST_F(StyleArchive, SystemTextColourBecomesFixedButInteriorsKeepTheirs) {
  CGXStyle style;
  style.SetTextColor(SysColor(COLOR_WINDOWTEXT)).SetInteriorColor(SysColor(COLOR_BTNFACE));
  CGXStyle back;
  Read(Write(style), back);
  EXPECT_EQ(back.ResolveTextColor(), GXGetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFFu);
  EXPECT_EQ(back.GetInterior().fill, (GXPackedColor{3, COLOR_BTNFACE}));
}

TEST_F(StyleArchive, FontSizesTravelInTenthsOfAPoint) {
  CGXFont font;
  font.SetSize(10.75);
  const auto bytes = Store([&](CArchive& ar) { font.Serialize(ar); });
  EXPECT_EQ(bytes, Bytes().W(2).D(1u << 7).W(107).v);
  CGXFont back;
  Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  // 107 tenths read back as the quarter point they were cut from.
  EXPECT_EQ(back.GetQuarterPoints(), font.GetQuarterPoints());
}

TEST_F(StyleArchive, OlderSchemasReadTheirOwnTails) {
  // Schema 5 kept the places right after the format.
  CGXStyle five;
  Read(Bytes().W(5).D(1u << 24).W(0).W(0).B(3).B(2).v, five);
  EXPECT_TRUE(five.GetIncludeFormat() && five.GetIncludePlaces());
  EXPECT_EQ(five.GetFormat(), 3u);
  EXPECT_EQ(five.GetPlaces(), 2u);

  // Schema 1 reads no float, merge, data word, format or value type: the
  // bytes after its user attributes belong to whoever comes next.
  CGXStyle one;
  BYTE next = 0;
  Load(Bytes().W(1).D((1u << 10) | (1u << 20) | (1u << 21) | (1u << 24)).S("v").W(0).W(0).B(0x5A).v,
       [&](CArchive& ar) {
         one.Serialize(ar);
         ar >> next;
       });
  EXPECT_EQ(next, 0x5A);
  EXPECT_EQ(std::string(one.GetValue()), "v");

  // Schema 4 keeps user attributes in the older map of texts.
  CGXCollMapDWordToString texts;
  texts[52797] = "255";
  const auto older = Store([&](CArchive& ar) {
    ar << static_cast<WORD>(4) << static_cast<DWORD>(1u << 18) << static_cast<WORD>(0);
    ar.WriteObject(&texts);
  });
  CGXStyle four;
  Read(older, four);
  ASSERT_TRUE(four.HasUserAttribute(52797));
  EXPECT_EQ(four.GetUserAttribute(52797).GetLongValue(), 255);
}

TEST_F(StyleArchive, RefusesNewerSchemasAndStopsAtTheEnd) {
  CGXStyle style("kept");
  const std::vector<std::vector<BYTE>> bad = {
      Bytes().W(7).D(0).W(0).W(0).v,  // newer than we write
      Bytes().W(6).D(1u << 10).v,      // cut short inside the value
  };
  for (const auto& bytes : bad) {
    CGXStyle target("kept");
    EXPECT_TRUE(ThrowsArchive([&] { Read(bytes, target); }));
  }
  CGXStyle target("kept");
  try {
    Read(bad[0], target);
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::badSchema);
    e->Delete();
  }
  EXPECT_EQ(std::string(target.GetValue()), "kept") << "a refused schema leaves the style alone";

  // Without the older-format reader a schema-4 style is refused too.
  GXGetAppData()->m_pSerializeQVX5Imp = nullptr;
  CGXStyle four;
  EXPECT_TRUE(ThrowsArchive([&] { Read(Bytes().W(4).D(0).W(0).W(0).v, four); }));
}

TEST_F(StyleArchive, ObjectsAStyleCopiedAreNotReachableAfterwards) {
  // A style keeps copies of the font, attribute map and older attribute texts
  // it reads: a later reference back to what it read, or to what that held,
  // is refused instead of reaching the freed original.
  CGXStyle withFont;
  withFont.SetFont(CGXFont().SetBold(TRUE));
  CGXStyle withAttribute;
  withAttribute.SetUserAttribute(52797, "255");
  CGXCollMapDWordToString texts;
  texts[52797] = "255";
  auto olderStyle = [&](CArchive& ar) {
    ar << static_cast<WORD>(4) << static_cast<DWORD>(1u << 18) << static_cast<WORD>(0);
    ar.WriteObject(&texts);
  };
  // Objects are numbered from 1 with their classes: the first style's font
  // or map is 2 and the map's first attribute 4.
  const struct {
    const char* what;
    std::vector<BYTE> bytes;
    bool secondIsStyle;  // else a bare object reference
  } cases[] = {
      {"font", Store([&](CArchive& ar) {
         withFont.Serialize(ar);
         ar << static_cast<WORD>(6) << static_cast<DWORD>(1u << 9) << static_cast<WORD>(2) << static_cast<WORD>(0)
            << static_cast<WORD>(0);
       }),
       true},
      {"attribute map", Store([&](CArchive& ar) {
         withAttribute.Serialize(ar);
         ar << static_cast<WORD>(6) << static_cast<DWORD>(0) << static_cast<WORD>(0) << static_cast<WORD>(2);
       }),
       true},
      {"attribute inside the map", Store([&](CArchive& ar) {
         withAttribute.Serialize(ar);
         ar << static_cast<WORD>(4);
       }),
       false},
      {"older attribute texts", Store([&](CArchive& ar) {
         olderStyle(ar);
         olderStyle(ar);
       }),
       true},
  };
  for (const auto& c : cases) {
    CGXStyle first, second;
    try {
      Load(c.bytes, [&](CArchive& ar) {
        first.Serialize(ar);
        if (c.secondIsStyle) {
          second.Serialize(ar);
        } else {
          std::unique_ptr<CObject> again(ar.ReadObject(RUNTIME_CLASS(CGXAbstractUserAttribute)));
        }
      });
      ADD_FAILURE() << c.what << ": the reference back was accepted";
    } catch (CArchiveException* e) {
      EXPECT_EQ(e->m_cause, CArchiveException::badIndex) << c.what;
      e->Delete();
    }
    EXPECT_TRUE(first.GetIncludeFont() || first.GetIncludeUserAttributes()) << c.what << ": the first style was read";
  }
}

TEST(OlderAttributes, MapsMergeWhatTheyRead) {
  CGXCollMapDWordToString three;
  three[1] = "one";
  three[2] = "two";
  three[3] = "three";
  const auto bytes = Store([&](CArchive& ar) { three.Serialize(ar); });
  CGXCollMapDWordToString target;
  target[2] = "old";
  Load(bytes, [&](CArchive& ar) { target.Serialize(ar); });
  EXPECT_EQ(target.GetCount(), 3);
  CString value;
  ASSERT_TRUE(target.Lookup(2, value));
  EXPECT_EQ(std::string(value), "two");
}

// ------------------------------------------------------ styles on the clipboard

class StyleClipboard : public FeatureGridTest {};

TEST_F(StyleClipboard, CopiedStylesPasteIntoAnotherGridAndUndoAsOne) {
  CGXStyle styled;
  styled.SetValue("7").SetInteriorColor(RGB(200, 10, 10)).SetFont(CGXFont().SetBold(TRUE));
  grid->ApplyStyle(CGXRange(2, 2, 3, 3), styled);
  grid->m_nClipboardFlags = GX_CB_STYLES;
  grid->GetParam()->m_SelRects.DeleteAll();
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(2, 2, 3, 3));
  ASSERT_TRUE(grid->Copy());
  EXPECT_TRUE(::IsClipboardFormatAvailable(GXGetAppData()->m_uiStylesClipboardFormat));
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));

  CGXGridCore other;
  other.Initialize();
  other.GetParam()->GetData()->StoreRowCount(10);
  other.GetParam()->GetData()->StoreColCount(10);
  other.m_nClipboardFlags = GX_CB_STYLES;
  other.SetCurrentCell(5, 5);
  ASSERT_TRUE(other.Paste());
  for (ROWCOL row = 5; row <= 6; ++row) {
    for (ROWCOL col = 5; col <= 6; ++col) {
      CGXStyle got;
      other.ComposeStyleRowCol(row, col, got);
      EXPECT_EQ(std::string(got.GetValue()), "7");
      EXPECT_EQ(got.GetInterior().GetColor(), RGB(200, 10, 10));
      EXPECT_TRUE(got.GetFont().GetBold());
    }
  }
  ASSERT_TRUE(other.Undo());
  EXPECT_EQ(std::string(other.GetCellValue(5, 5)), "");
  EXPECT_EQ(std::string(other.GetCellValue(6, 6)), "");
}

}  // namespace
