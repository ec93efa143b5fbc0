// The one-line text forms of fonts, borders and interiors. Styles archive
// their borders in this form and the grid profile keeps all three in it;
// the readers accept shortened, hand-typed texts.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "grid/core/GXFont.h"
#include "grid/core/GXStyle.h"
#include "grid/features/GXTextForms.h"

namespace {

// A decimal integer as a hand-typed INI value reads: leading blanks, an
// optional sign, the digits up to the first other character, 0 without a
// digit. Saturates instead of overflowing.
long long ReadDecimal(const char* p, const char** end = nullptr) {
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  long long value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value < LLONG_MAX / 10) value = value * 10 + (*p - '0');
    ++p;
  }
  if (end != nullptr) *end = p;
  return negative ? -value : value;
}

// The numbers of a blank-separated text, at most `most` of them.
std::vector<long long> ReadNumbers(LPCTSTR text, std::size_t most) {
  std::vector<long long> numbers;
  if (text == nullptr) return numbers;
  const char* p = text;
  for (;;) {
    while (*p == ' ') ++p;
    if (*p == '\0' || numbers.size() == most) break;
    const char* end = nullptr;
    numbers.push_back(ReadDecimal(p, &end));
    if (end == p) {
      // Not a number: skip the word, it counts as 0.
      while (*end != '\0' && *end != ' ') ++end;
    }
    p = end;
  }
  return numbers;
}

BYTE Byte(long long n) { return static_cast<BYTE>(n & 0xFF); }

COLORREF ColourOf(long long r, long long g, long long b, long long kind) {
  return RGB(Byte(r), Byte(g), Byte(b)) | (static_cast<COLORREF>(Byte(kind)) << 24);
}

// The kind byte and RGB of a colour for the text: system colours give their
// current RGB and 254 minus their number.
void Split(const GXPackedColor& c, int& r, int& g, int& b, int& kind) {
  const COLORREF v = c.Transfer();
  r = static_cast<int>(v & 0xFF);
  g = static_cast<int>((v >> 8) & 0xFF);
  b = static_cast<int>((v >> 16) & 0xFF);
  kind = static_cast<int>(v >> 24);
}

}  // namespace

UINT GXPatternHatch(UINT index) {
  return static_cast<UINT>(index) < static_cast<UINT>(GXGetPatternCount())
             ? GXGetPatternWord(static_cast<int>(index), 1) & 7u
             : 0u;
}

// ------------------------------------------------------------------- font

CString CGXFont::GetDescription() const {
  CString text;
  if (GetIncludeFaceName()) text = GetFaceName().Left(kFaceNameMax);
  text += ',';
  CString field;
  if (GetIncludeSize()) {
    field.Format("%d", static_cast<int>(GetSize()));
    text += field;
  }
  text += ',';
  if (GetIncludeWeight()) {
    field.Format("%ld", static_cast<long>(GetWeight()));
    text += field;
  }
  text += ',';
  if (GetIncludeItalic()) text += GetItalic() ? "1" : "0";
  text += ',';
  if (GetIncludeUnderline()) text += GetUnderline() ? "1" : "0";
  text += ',';
  if (GetIncludeStrikeOut()) text += GetStrikeOut() ? "1" : "0";
  text += ',';
  if (GetIncludeOrientation()) {
    field.Format("%ld", static_cast<long>(GXDegreesToTenths(GetOrientationDegrees())));
    text += field;
  }
  return text;
}

CGXFont& CGXFont::SetDescription(LPCTSTR text) {
  if (text == nullptr) return *this;
  Reset();
  // Split at the commas; fields beyond the seventh are ignored.
  std::vector<std::string> fields;
  std::string current;
  for (const char* p = text;; ++p) {
    if (*p == ',' || *p == '\0') {
      fields.push_back(current);
      current.clear();
      if (*p == '\0') break;
    } else {
      current += *p;
    }
  }
  if (!fields[0].empty()) {
    // The face table holds names of at most 31 characters.
    SetFaceName(CString(fields[0].substr(0, kFaceNameMax).c_str()));
  }
  auto field = [&](std::size_t i, long long& value) {
    if (i >= fields.size() || fields[i].empty()) return false;
    value = ReadDecimal(fields[i].c_str());
    return true;
  };
  long long v = 0;
  if (field(1, v)) SetSize(static_cast<double>(std::min<long long>(std::max<long long>(v, 0), 0xFFFF)));
  if (field(2, v)) SetWeight(static_cast<LONG>(std::min<long long>(std::max<long long>(v, 0), 1500)));
  if (field(3, v)) SetItalic(v != 0);
  if (field(4, v)) SetUnderline(v != 0);
  if (field(5, v)) SetStrikeOut(v != 0);
  if (field(6, v)) SetOrientation(static_cast<LONG>(v % 3600));
  return *this;
}

CGXFont CGXFont::CGXFontFromText(LPCTSTR text) {
  CGXFont font;
  font.SetDescription(text);
  return font;
}

// ----------------------------------------------------------------- border

CString CGXStyleBorder::GetDescription() const {
  int r, g, b, kind;
  Split(color, r, g, b, kind);
  CString text;
  text.Format("%lu %ld %d %d %d %d", static_cast<unsigned long>(style), static_cast<long>(width), r, g, b, kind);
  return text;
}

CGXStyleBorder& CGXStyleBorder::SetDescription(LPCTSTR text) {
  const std::vector<long long> n = ReadNumbers(text, 6);
  if (n.size() < 5) {
    style = kNotSet;
    color = GXPackedColor::FromColorRef(0);
    return *this;
  }
  style = static_cast<UINT>(n[0] & 7);
  width = static_cast<UINT>(n[1] & 0xFFFF);
  color = GXPackedColor::FromColorRef(ColourOf(n[2], n[3], n[4], n.size() > 5 ? n[5] : 0));
  return *this;
}

// --------------------------------------------------------------- interior

CString CGXStyleInterior::GetDescription() const {
  // The colours' stored bytes; the fill's kind byte says how to read them.
  const int fillKind = fill.mode == 3 ? static_cast<int>(254 - fill.value) : fill.mode;
  CString text;
  text.Format("%lu %ld %d %d %d %d %d %d %d", static_cast<unsigned long>(brushStyle),
              static_cast<long>(brushStyle == 3 ? pattern : hatch), static_cast<int>(fill.value & 0xFF),
              static_cast<int>((fill.value >> 8) & 0xFF), static_cast<int>((fill.value >> 16) & 0xFF),
              static_cast<int>(back.value & 0xFF), static_cast<int>((back.value >> 8) & 0xFF),
              static_cast<int>((back.value >> 16) & 0xFF), fillKind);
  return text;
}

CGXStyleInterior& CGXStyleInterior::SetDescription(LPCTSTR text) {
  const std::vector<long long> n = ReadNumbers(text, 9);
  if (n.size() < 5) {
    fill = GXPackedColor::FromColorRef(0);
    back = GXPackedColor::FromColorRef(0);
    return *this;
  }
  brushStyle = static_cast<UINT>(n[0] & 3);
  if (brushStyle == 3) {
    pattern = static_cast<UINT>(n[1] & 63);
    hatch = GXPatternHatch(pattern);
  } else {
    hatch = static_cast<UINT>(n[1] & 7);
  }
  const long long kind = n.size() > 8 ? n[8] : 0;
  COLORREF f = ColourOf(n[2], n[3], n[4], kind);
  if (kind == 1) {
    f = 0x01000000u | Byte(n[2]) | (static_cast<COLORREF>(Byte(n[3])) << 8);
  } else if (kind == 2) {
    f = 0x02000000u | RGB(Byte(n[2]), Byte(n[3]), Byte(n[4]));
  }
  fill = GXPackedColor::FromColorRef(f);
  back = GXPackedColor::FromColorRef(n.size() >= 8 ? ColourOf(n[5], n[6], n[7], 0) : 0);
  return *this;
}
