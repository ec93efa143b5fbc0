#include "grid/features/GXStyleSerializeImp.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "grid/core/GXAppData.h"
#include "grid/core/GXFont.h"
#include "grid/core/GXStyle.h"
#include "grid/core/GXStylesMap.h"
#include "grid/core/GXUserAttribute.h"
#include "grid/features/GXTextForms.h"
#include "platform/base/Exceptions.h"

namespace {

// Bits of the include word as archived (FloatCell and FloodCell trade
// places with the in-memory word).
enum : DWORD {
  kArHorz = 1u << 0, kArVert = 1u << 1, kArReadOnly = 1u << 2, kArControl = 1u << 3, kArInterior = 1u << 4,
  kArTextColor = 1u << 5, kArWrap = 1u << 6, kArAllowEnter = 1u << 7, kArBorders = 1u << 8, kArFont = 1u << 9,
  kArValue = 1u << 10, kArChoices = 1u << 11, kArVScroll = 1u << 12, kArMaxLength = 1u << 13,
  kArBaseStyle = 1u << 14, kArEnabled = 1u << 15, kArTriState = 1u << 16, kAr3dFrame = 1u << 17,
  kArAutoSize = 1u << 19, kArDataWord = 1u << 20, kArFloat = 1u << 21, kArFlood = 1u << 22, kArMerge = 1u << 23,
  kArFormat = 1u << 24, kArPlaces = 1u << 25,
  // Bit 18 names nothing in an archive; a damaged file's bit 18 is dropped.
  kArMask = ((1u << 26) - 1) & ~(1u << 18),
};

DWORD ReadDword(CArchive& ar) {
  DWORD v = 0;
  ar >> v;
  return v;
}
WORD ReadWord(CArchive& ar) {
  WORD v = 0;
  ar >> v;
  return v;
}
BYTE ReadByte(CArchive& ar) {
  BYTE v = 0;
  ar >> v;
  return v;
}

// The styles map the style's base-style names refer to: the caller's, or
// the one a document put on the archive for its styles.
const CGXStylesMap* MapOf(CArchive& ar, const CGXStylesMap* map) {
  if (map != nullptr || ar.m_pDocument == nullptr) return map;
  CObject* object = reinterpret_cast<CObject*>(ar.m_pDocument);
  return object->IsKindOf(RUNTIME_CLASS(CGXStylesMap)) ? static_cast<const CGXStylesMap*>(object) : nullptr;
}

}  // namespace

// ------------------------------------------------------------------- font

void CGXStyleSerializeImpl::SerializeFont(CGXFont& font, CArchive& ar) {
  if (ar.IsStoring()) {
    ar << kFontSchema;
    DWORD mask = 0;
    if (font.GetIncludeItalic()) mask |= 1u | (font.GetItalic() ? 8u : 0u);
    if (font.GetIncludeUnderline()) mask |= 2u | (font.GetUnderline() ? 16u : 0u);
    if (font.GetIncludeStrikeOut()) mask |= 4u | (font.GetStrikeOut() ? 32u : 0u);
    if (font.GetIncludeWeight()) mask |= 1u << 6;
    if (font.GetIncludeSize()) mask |= 1u << 7;
    if (font.GetIncludeOrientation()) mask |= 1u << 8;
    const GXFaceEntry* face = font.GetIncludeFaceName() ? GXGetFontState().EntryOfIndex(font.GetFaceIndex()) : nullptr;
    if (face != nullptr) mask |= 1u << 9;
    ar << mask;
    if (mask & (1u << 6)) ar << static_cast<WORD>(font.GetWeight());
    if (mask & (1u << 7)) ar << static_cast<WORD>(font.GetQuarterPoints() * 10 / 4);
    if (mask & (1u << 8)) ar << static_cast<WORD>(GXDegreesToTenths(font.GetOrientationDegrees()));
    if (face != nullptr) {
      ar.WriteCString(face->name.Left(kFaceNameMax));
      ar << face->pitchAndFamily << face->charSet;
    }
    return;
  }
  const WORD schema = ReadWord(ar);
  if (schema > kFontSchema) AfxThrowArchiveException(CArchiveException::badSchema);
  if (schema < 2) {
    ReadFontSchema1(font, ar);
    return;
  }
  const DWORD mask = ReadDword(ar);
  font.ReleaseFontData();
  if (mask & 1u) font.SetItalic((mask & 8u) != 0); else font.SetIncludeItalic(FALSE);
  if (mask & 2u) font.SetUnderline((mask & 16u) != 0); else font.SetIncludeUnderline(FALSE);
  if (mask & 4u) font.SetStrikeOut((mask & 32u) != 0); else font.SetIncludeStrikeOut(FALSE);
  if (mask & (1u << 6)) font.SetWeight(ReadWord(ar));
  // The tenths were cut from quarter points (10.75 is stored as 107): the
  // nearest quarter point gives the size back, where cutting again would
  // lose a quarter point on every odd size.
  if (mask & (1u << 7)) font.SetSize(std::round(ReadWord(ar) * 0.4) / 4);
  if (mask & (1u << 8)) font.SetOrientation(ReadWord(ar));
  if (mask & (1u << 9)) {
    const CString name = ar.ReadCString().Left(kFaceNameMax);
    const BYTE pitchAndFamily = ReadByte(ar);
    const BYTE charSet = ReadByte(ar);
    font.SetFaceIndex(GXGetFontState().FindOrAddFace(name, pitchAndFamily, charSet));
  }
}

void CGXStyleSerializeImpl::ReadFontSchema1(CGXFont& font, CArchive& ar) {
  LOGFONT lf{};
  lf.lfHeight = static_cast<LONG>(static_cast<std::int32_t>(ReadDword(ar)));
  lf.lfWeight = static_cast<LONG>(static_cast<std::int32_t>(ReadDword(ar)));
  lf.lfItalic = ReadByte(ar);
  lf.lfUnderline = ReadByte(ar);
  lf.lfPitchAndFamily = ReadByte(ar);
  // A face of 32 bytes or more would fill the name without its end.
  const CString face = ar.ReadCString().Left(kFaceNameMax);
  std::strncpy(lf.lfFaceName, face, sizeof lf.lfFaceName - 1);
  const DWORD mask = ReadDword(ar);
  font.SetLogFont(lf);
  if (!(mask & 1u)) font.SetIncludeWeight(FALSE);
  if (!(mask & 2u)) font.SetIncludeItalic(FALSE);
  if (!(mask & 4u)) font.SetIncludeUnderline(FALSE);
  if (!(mask & 8u)) font.SetIncludeStrikeOut(FALSE);
  if (!(mask & 16u)) font.SetIncludeSize(FALSE);
  if (mask & 32u) {
    font.SetFaceName(face);
  } else {
    font.SetFaceIndex(CGXFont::kFaceNotSet);
  }
  font.SetOrientation((mask & 64u) ? static_cast<LONG>(static_cast<std::int32_t>(ReadDword(ar))) : 0);
}

// --------------------------------------------------------------- interior

void CGXStyleSerializeImpl::SerializeInterior(CGXStyleInterior& interior, CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(interior.brushStyle) << static_cast<DWORD>(interior.fill.Transfer())
       << static_cast<DWORD>(interior.hatch) << static_cast<DWORD>(interior.pattern)
       << static_cast<DWORD>(interior.back.Transfer());
    return;
  }
  const DWORD style = ReadDword(ar), fill = ReadDword(ar), hatch = ReadDword(ar), pattern = ReadDword(ar);
  const DWORD back = ReadDword(ar);
  interior.brushStyle = style & 3;
  interior.fill = GXPackedColor::FromColorRef(fill);
  interior.hatch = hatch & 7;
  interior.pattern = pattern & 63;
  if (interior.brushStyle == 3) {
    if (pattern < static_cast<DWORD>(GXGetPatternCount())) {
      interior.hatch = GXPatternHatch(pattern);
    } else {
      interior.brushStyle = 1;  // no such pattern: hollow
    }
  }
  interior.back = GXPackedColor::FromColorRef(back);
}

// ----------------------------------------------------------------- border

void CGXStyleSerializeImpl::SerializeBorder(CGXStyleBorder& border, CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(border.style) << static_cast<WORD>(border.width)
       << static_cast<WORD>(border.GetInclude() ? 1 : 0) << static_cast<DWORD>(border.color.Transfer());
    return;
  }
  const DWORD style = ReadDword(ar);
  const WORD width = ReadWord(ar);
  const WORD set = ReadWord(ar);
  const DWORD color = ReadDword(ar);
  border.style = set == 0 ? CGXStyleBorder::kNotSet : (style & 7);
  border.width = width;
  border.color = GXPackedColor::FromColorRef(color);
}

// ------------------------------------------------------------------ style

void CGXStyleSerializeImpl::SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* map) {
  map = MapOf(ar, map);
  if (ar.IsStoring()) {
    WriteStyle(style, ar, map);
  } else {
    ReadStyle(style, ar, map);
  }
}

void CGXStyleSerializeImpl::WriteStyle(const CGXStyle& style, CArchive& ar, const CGXStylesMap* map) {
  const DWORD bits = style.ConvertIncludeBits() & kArMask;
  ar << kStyleSchema << bits;
  if (bits & kArHorz) ar << static_cast<DWORD>(style.GetHorizontalAlignment());
  if (bits & kArVert) ar << static_cast<DWORD>(style.GetVerticalAlignment());
  if (bits & kArReadOnly) ar << static_cast<BYTE>(style.GetReadOnly() ? 1 : 0);
  if (bits & kArControl) ar << static_cast<DWORD>(style.GetControl());
  if (bits & kArInterior) {
    CGXStyleInterior interior = style.GetInterior();
    SerializeInterior(interior, ar);
  }
  // A system text colour travels as the colour it is now.
  if (bits & kArTextColor) ar << static_cast<DWORD>(style.GetTextColorRGB());
  if (bits & kArWrap) ar << static_cast<BYTE>(style.GetWrapText() ? 1 : 0);
  if (bits & kArAllowEnter) ar << static_cast<BYTE>(style.GetAllowEnter() ? 1 : 0);
  if (bits & kArFont) ar.WriteObject(&style.GetFont());
  if (bits & kArValue) ar.WriteCString(style.GetValue());
  if (bits & kArChoices) ar.WriteCString(style.GetChoiceList());
  if (bits & kArVScroll) ar << static_cast<BYTE>(style.GetVerticalScrollbar() ? 1 : 0);
  if (bits & kArMaxLength) ar << static_cast<WORD>(style.GetMaxLength());
  if (bits & kArEnabled) ar << static_cast<BYTE>(style.GetEnabled() ? 1 : 0);
  if (bits & kArTriState) ar << static_cast<BYTE>(style.GetTriState() ? 1 : 0);
  if (bits & kAr3dFrame) ar << static_cast<BYTE>(style.GetDraw3dFrame());
  if (bits & kArAutoSize) ar << static_cast<BYTE>(style.GetAutoSize() ? 1 : 0);
  ar << static_cast<WORD>((bits & kArBorders) ? 1 : 0);
  if (bits & kArBorders) {
    for (int side = 0; side < 4; ++side) {
      const CGXStyleBorder& border = style.GetBorders(side);
      if (style.HasBorder(side)) {
        ar << static_cast<WORD>(1);
        ar.WriteCString(border.GetDescription());
      } else {
        ar << static_cast<WORD>(0);
      }
    }
  }
  if (bits & kArBaseStyle) {
    UINT resourceId = 0;
    LPCTSTR name = map != nullptr ? map->GetStyleEntry(static_cast<WORD>(style.GetBaseStyle()), resourceId) : nullptr;
    if (name == nullptr) resourceId = 0;
    ar << static_cast<DWORD>(resourceId);
    if (resourceId == 0) ar.WriteCString(name != nullptr ? CString(name) : CString());
  }
  const CGXUserAttributeMap* attributes = style.GetInclude(CGXStyle::kUserAttr) ? style.GetUserAttributeMap() : nullptr;
  ar.WriteObject(attributes);
  if (bits & kArFloat) ar << static_cast<BYTE>(style.GetFloatCell() ? 1 : 0);
  if (bits & kArFlood) ar << static_cast<BYTE>(style.GetFloodCell() ? 1 : 0);
  if (bits & kArMerge) ar << static_cast<BYTE>(style.GetMergeCell());
  if (bits & kArDataWord) ar << static_cast<DWORD>(style.GetDataWord());
  if (bits & kArFormat) ar << static_cast<BYTE>(style.GetFormat());
  if (bits & kArPlaces) ar << static_cast<BYTE>(style.GetPlaces());
  if (bits & kArValue) ar << static_cast<BYTE>(style.GetValueType());
}

void CGXStyleSerializeImpl::ReadStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* map) {
  const WORD schema = ReadWord(ar);
  if (schema > kStyleSchema) AfxThrowArchiveException(CArchiveException::badSchema);
  const DWORD bits = ReadDword(ar) & kArMask;
  style.SetIncludeMask(bits);
  if (bits & kArHorz) style.SetHorizontalAlignment(ReadDword(ar));
  if (bits & kArVert) style.SetVerticalAlignment(ReadDword(ar));
  if (bits & kArReadOnly) style.SetReadOnly(ReadByte(ar) != 0);
  if (bits & kArControl) style.SetControl(static_cast<WORD>(ReadDword(ar) & 0xFFFF));
  if (bits & kArInterior) {
    CGXStyleInterior interior;
    SerializeInterior(interior, ar);
    style.SetInterior(interior);
  }
  if (bits & kArTextColor) style.SetTextColor(ReadDword(ar));
  if (bits & kArWrap) style.SetWrapText(ReadByte(ar) != 0);
  if (bits & kArAllowEnter) style.SetAllowEnter(ReadByte(ar) != 0);
  if (bits & kArFont) {
    // The style keeps a copy of the font.
    const CArchive::ReadCopy read = ar.ReadObjectToCopy(RUNTIME_CLASS(CGXFont));
    if (auto* font = read.As<CGXFont>()) {
      style.GetFontRef() = *font;
      style.SetInclude(CGXStyle::kFont, TRUE);
    } else {
      style.SetInclude(CGXStyle::kFont, FALSE);
    }
  }
  if (bits & kArValue) style.SetValue(ar.ReadCString());
  if (bits & kArChoices) style.SetChoiceList(ar.ReadCString());
  if (bits & kArVScroll) style.SetVerticalScrollbar(ReadByte(ar) != 0);
  if (bits & kArMaxLength) style.SetMaxLength(ReadWord(ar));
  if (bits & kArEnabled) style.SetEnabled(ReadByte(ar) != 0);
  if (bits & kArTriState) style.SetTriState(ReadByte(ar) != 0);
  if (bits & kAr3dFrame) style.SetDraw3dFrame(ReadByte(ar));
  if (bits & kArAutoSize) style.SetAutoSize(ReadByte(ar) != 0);
  if (ReadWord(ar) == 1) {
    for (int side = 0; side < 4; ++side) {
      if (ReadWord(ar) != 1) continue;
      CGXStyleBorder border;
      border.SetDescription(ar.ReadCString());
      style.SetBorder(side, border);
    }
  }
  if (bits & kArBaseStyle) {
    const DWORD resourceId = ReadDword(ar);
    WORD id = 0;
    if (resourceId != 0) {
      if (map != nullptr) id = map->FindIdByResourceId(resourceId);
    } else {
      const CString name = ar.ReadCString();
      if (map != nullptr && !name.IsEmpty()) id = map->FindIdByName(name);
    }
    if (map != nullptr) style.SetBaseStyle(id);
  }
  if (schema >= 5) {
    // The style takes a copy of the map.
    const CArchive::ReadCopy read = ar.ReadObjectToCopy(RUNTIME_CLASS(CGXUserAttributeMap));
    style.SetUserAttributes(read.As<CGXUserAttributeMap>());
  } else if (CGXAbstractSerializeQVX5CompatibleImp* older = GXGetAppData()->m_pSerializeQVX5Imp) {
    older->SerializeUserAttributes(style, ar);
  } else {
    AfxThrowArchiveException(CArchiveException::badSchema);
  }
  if (schema >= 2) {
    if (bits & kArFloat) style.SetFloatCell(ReadByte(ar) != 0);
    if (bits & kArFlood) style.SetFloodCell(ReadByte(ar) != 0);
    if (bits & kArMerge) style.SetMergeCell(ReadByte(ar) & 7);
  }
  if (schema >= 3 && (bits & kArDataWord)) style.SetDataWord(ReadDword(ar));
  if (schema == 6) {
    if (bits & kArFormat) style.SetFormat(ReadByte(ar) & 31);
    if (bits & kArPlaces) style.SetPlaces(ReadByte(ar) & 15);
  } else if (schema >= 4 && (bits & kArFormat)) {
    // Schemas 4 and 5 kept the places with the format.
    style.SetFormat(ReadByte(ar) & 31);
    style.SetPlaces(ReadByte(ar) & 15);
  }
  if (schema >= 4 && (bits & kArValue)) style.SetValueType(ReadByte(ar) & 7);
}
