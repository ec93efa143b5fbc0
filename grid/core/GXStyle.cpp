#include "grid/core/GXStyle.h"

#include <set>

#include "grid/core/GXAppData.h"
#include "grid/core/GXStylesMap.h"
#include "platform/window/Messages.h"

// ------------------------------------------------------------ packed colours

GXPackedColor GXPackedColor::FromColorRef(COLORREF color) {
  const DWORD top = color >> 24;
  GXPackedColor c;
  if (top >= 0x41 && top <= 0xFE) {
    c.mode = 3;
    c.value = 254 - top;
  } else {
    c.mode = static_cast<BYTE>(top & 3);
    c.value = color & 0xFFFFFFu;
  }
  return c;
}

COLORREF GXPackedColor::Drawing() const {
  if (mode == 3) return GXGetSysColor(static_cast<int>(value)) & 0xFFFFFFu;
  return value | (static_cast<DWORD>(mode) << 24);
}

COLORREF GXPackedColor::Transfer() const {
  if (mode == 3) return (GXGetSysColor(static_cast<int>(value)) & 0xFFFFFFu) | ((254u - value) << 24);
  return value | (static_cast<DWORD>(mode) << 24);
}

// ---------------------------------------------------------------- pen record

CGXStyleBorder& CGXStyleBorder::Set(UINT s, UINT w, COLORREF c) {
  style = s & 7;
  width = w & 0xFFFF;
  color = GXPackedColor::FromColorRef(c);
  return SetInclude(TRUE);
}

CGXStyleBorder& CGXStyleBorder::SetStyle(UINT s) {
  style = s & 7;
  return SetInclude(TRUE);
}

CGXStyleBorder& CGXStyleBorder::SetWidth(UINT w) {
  width = w & 0xFFFF;
  return SetInclude(TRUE);
}

CGXStyleBorder& CGXStyleBorder::SetColor(COLORREF c) {
  color = GXPackedColor::FromColorRef(c);
  return SetInclude(TRUE);
}

CGXStyleBorder& CGXStyleBorder::SetInclude(BOOL include) {
  if (!include) {
    style = kNotSet;
  } else if (style == kNotSet) {
    style = PS_SOLID;
  }
  return *this;
}

LOGPEN CGXStyleBorder::GetLogPenCopy() const {
  LOGPEN pen{};
  pen.lopnStyle = style;
  pen.lopnWidth.x = static_cast<LONG>(width);
  pen.lopnWidth.y = 0;
  pen.lopnColor = GetColor();
  return pen;
}

const LOGPEN& CGXStyleBorder::GetLogPen() const {
  static LOGPEN shared;
  shared = GetLogPenCopy();
  return shared;
}

BOOL CGXStyleBorder::MakeLineBrush(CGXStyleInterior& out, const CGXStyleInterior& lineBrush, BOOL horizontal,
                                   BOOL monochrome) const {
  if (style == PS_NULL) {
    out = lineBrush;
    return TRUE;
  }
  if (style < 1 || style > 4) return FALSE;
  out = lineBrush;
  out.SetPattern(horizontal ? 32 + style : 36 + style);
  if (monochrome) {
    out.back = GXPackedColor::FromColorRef(RGB(255, 255, 255));
    out.fill = GXPackedColor::FromColorRef(RGB(0, 0, 0));
  } else {
    out.fill = color;
    out.back = lineBrush.brushStyle != BS_SOLID ? lineBrush.back : lineBrush.fill;
  }
  return TRUE;
}

// -------------------------------------------------------------- brush record

CGXStyleInterior& CGXStyleInterior::SetDefault() {
  brushStyle = BS_SOLID;
  hatch = 0;
  fill = GXPackedColor::FromColorRef(RGB(0, 0, 0));
  back = GXPackedColor::FromColorRef(RGB(255, 255, 255));
  pattern = 63;
  return *this;
}

CGXStyleInterior& CGXStyleInterior::Set(UINT s, COLORREF c, UINT h) {
  brushStyle = s & 3;
  fill = GXPackedColor::FromColorRef(c);
  hatch = h & 7;
  back = GXPackedColor::FromColorRef(RGB(255, 255, 255));
  pattern = 63;
  return *this;
}

CGXStyleInterior& CGXStyleInterior::SetStyle(UINT s) {
  brushStyle = s & 3;
  return *this;
}

CGXStyleInterior& CGXStyleInterior::SetColor(COLORREF c) {
  fill = GXPackedColor::FromColorRef(c);
  return *this;
}

CGXStyleInterior& CGXStyleInterior::SetBackColor(COLORREF c) {
  back = GXPackedColor::FromColorRef(c);
  return *this;
}

CGXStyleInterior& CGXStyleInterior::SetPattern(UINT index) {
  pattern = index & 63;
  brushStyle = BS_PATTERN;
  return *this;
}

LOGBRUSH CGXStyleInterior::GetLogBrushCopy() const {
  LOGBRUSH lb{};
  lb.lbStyle = brushStyle;
  lb.lbHatch = hatch;
  lb.lbColor = GetColor();
  if (brushStyle == BS_PATTERN) {
    if (pattern >= 41) {
      lb.lbStyle = BS_HOLLOW;
      lb.lbHatch = 0;
    } else {
      lb.lbHatch = reinterpret_cast<std::uintptr_t>(GXGetPatternBitmapHandle(static_cast<int>(pattern)));
    }
  }
  return lb;
}

const LOGBRUSH& CGXStyleInterior::GetLogBrush() const {
  static LOGBRUSH shared;
  shared = GetLogBrushCopy();
  return shared;
}

DWORD CGXStyleInterior::Word1() const {
  return (hatch & 7) | (static_cast<DWORD>(fill.mode & 3) << 3) | (static_cast<DWORD>(back.mode & 3) << 5) |
         ((fill.value & 0xFFFFFFu) << 7);
}

DWORD CGXStyleInterior::Word2() const {
  return (back.value & 0xFFFFFFu) | ((pattern & 63) << 24) | ((brushStyle & 3) << 30);
}

// --------------------------------------------------------------------- style

IMPLEMENT_SERIAL(CGXStyle, CObject, 0)

CGXStyle::CGXStyle(const CGXStyle& other) : CObject() { Assign(other); }

CGXStyle::~CGXStyle() { Free(); }

void CGXStyle::Free() {
  borders_.reset();
  font_.reset();
  dataWord_ = 0;
  value_.Empty();
  choices_.Empty();
  if (include_ != 0) {
    include_ = 0;
    ReleaseUserAttributes();
  }
}

void CGXStyle::ReleaseUserAttributes() { userAttrs_.reset(); }

CGXStyle* CGXStyle::Clone() const { return new CGXStyle(*this); }

CGXStyle& CGXStyle::SetInclude(Attr a, BOOL on) {
  if (on) {
    include_ |= 1u << a;
  } else {
    include_ &= ~(1u << a);
    if (a == kValue) value_.Empty();
  }
  return *this;
}

DWORD CGXStyle::ConvertIncludeBits() const {
  // The mask form swaps FloodCell and FloatCell.
  DWORD mask = include_ & ((1u << kAttrCount) - 1) & ~((1u << kFloodCell) | (1u << kFloatCell));
  if (GetInclude(kFloodCell)) mask |= 1u << 22;
  if (GetInclude(kFloatCell)) mask |= 1u << 21;
  return mask;
}

CGXStyle& CGXStyle::SetIncludeMask(DWORD mask) {
  if (mask == 0) {
    include_ = 0;
    return *this;
  }
  DWORD flags = mask & ((1u << kAttrCount) - 1) & ~((1u << 21) | (1u << 22));
  if (mask & (1u << 22)) flags |= 1u << kFloodCell;
  if (mask & (1u << 21)) flags |= 1u << kFloatCell;
  include_ = (include_ & ~((1u << kAttrCount) - 1)) | flags;
  return *this;
}

// ------------------------------------------------------------------- setters

CGXStyle& CGXStyle::SetHorizontalAlignment(UINT dt) {
  horzAlign_ = dt == DT_CENTER ? 1 : dt == DT_RIGHT ? 2 : 0;
  return SetInclude(kHorzAlign, TRUE);
}

CGXStyle& CGXStyle::SetVerticalAlignment(UINT dt) {
  vertAlign_ = dt == DT_VCENTER ? 1 : dt == DT_BOTTOM ? 2 : 0;
  return SetInclude(kVertAlign, TRUE);
}

UINT CGXStyle::GetHorizontalAlignment() const { return horzAlign_ == 1 ? DT_CENTER : horzAlign_ == 2 ? DT_RIGHT : DT_LEFT; }
UINT CGXStyle::GetVerticalAlignment() const { return vertAlign_ == 1 ? DT_VCENTER : vertAlign_ == 2 ? DT_BOTTOM : DT_TOP; }

#define GX_FLAG_SETTER(Name, member, A) \
  CGXStyle& CGXStyle::Set##Name(BOOL on) { \
    member = on & 1; \
    return SetInclude(A, TRUE); \
  }
GX_FLAG_SETTER(ReadOnly, readOnly_, kReadOnly)
GX_FLAG_SETTER(WrapText, wrapText_, kWrapText)
GX_FLAG_SETTER(AllowEnter, allowEnter_, kAllowEnter)
GX_FLAG_SETTER(VerticalScrollbar, vertScroll_, kVertScroll)
GX_FLAG_SETTER(Enabled, enabled_, kEnabled)
GX_FLAG_SETTER(TriState, triState_, kTriState)
GX_FLAG_SETTER(AutoSize, autoSize_, kAutoSize)
GX_FLAG_SETTER(FloodCell, floodCell_, kFloodCell)
GX_FLAG_SETTER(FloatCell, floatCell_, kFloatCell)
#undef GX_FLAG_SETTER

CGXStyle& CGXStyle::SetControl(WORD id) {
  controlId_ = id;
  return SetInclude(kControl, TRUE);
}

CGXStyle& CGXStyle::SetInterior(const CGXStyleInterior& interior) {
  interior_ = interior;
  return SetInclude(kInterior, TRUE);
}

CGXStyle& CGXStyle::SetInteriorColor(COLORREF color) {
  interior_.fill = GXPackedColor::FromColorRef(color);
  interior_.brushStyle = BS_SOLID;
  return SetInclude(kInterior, TRUE);
}

CGXStyle& CGXStyle::SetTextColor(COLORREF color) {
  textColor_ = GXPackedColor::FromColorRef(color);
  return SetInclude(kTextColor, TRUE);
}

CGXStyle& CGXStyle::SetValue(LPCTSTR text) {
  value_ = text != nullptr ? text : "";
  valueType_ = 0;
  return SetInclude(kValue, TRUE);
}

CGXStyle& CGXStyle::SetValueNumber(DWORD number) {
  CString text;
  text.Format("%lu", static_cast<unsigned long>(number));
  SetValue(text);
  valueType_ = 1;
  return *this;
}

CGXStyle& CGXStyle::SetChoiceList(const CString& list) {
  choices_ = list;
  return SetInclude(kChoiceList, TRUE);
}

CGXStyle& CGXStyle::SetMaxLength(WORD n) {
  maxLength_ = n;
  return SetInclude(kMaxLength, TRUE);
}

CGXStyle& CGXStyle::SetBaseStyle(UINT id) {
  baseStyle_ = id & 0xFF;
  return SetInclude(kBaseStyle, TRUE);
}

CGXStyle& CGXStyle::SetDraw3dFrame(UINT code) {
  draw3d_ = code & 3;
  return SetInclude(kDraw3dFrame, TRUE);
}

CGXStyle& CGXStyle::SetDataWord(DWORD word) {
  dataWord_ = word;
  return SetInclude(kDataWord, TRUE);
}

CGXStyle& CGXStyle::SetMergeCell(UINT mode) {
  mergeCell_ = mode & 7;
  return SetInclude(kMergeCell, TRUE);
}

CGXStyle& CGXStyle::SetFormat(UINT code) {
  format_ = code & 31;
  return SetInclude(kFormat, TRUE);
}

CGXStyle& CGXStyle::SetPlaces(UINT places) {
  places_ = places & 15;
  return SetInclude(kPlaces, TRUE);
}

void CGXStyle::EnsureBorders() {
  if (!borders_) borders_ = std::make_unique<std::array<CGXStyleBorder, 4>>();
}

CGXStyle& CGXStyle::SetBorder(int side, const CGXStyleBorder& border) {
  EnsureBorders();
  if (side == kAllSides) {
    borders_->fill(border);
  } else if (side >= 0 && side < 4) {
    (*borders_)[static_cast<std::size_t>(side)] = border;
  }
  return SetInclude(kBorders, TRUE);
}

CGXStyle& CGXStyle::SetBorders(const CGXStyleBorder* four) {
  if (four == nullptr) {
    borders_.reset();
    return SetInclude(kBorders, FALSE);
  }
  EnsureBorders();
  for (std::size_t i = 0; i < 4; ++i) (*borders_)[i] = four[i];
  return SetInclude(kBorders, TRUE);
}

CGXStyle& CGXStyle::SetIncludeBorder(int side, BOOL on) {
  EnsureBorders();
  if (side == kAllSides) {
    for (auto& b : *borders_) b.SetInclude(on);
    return SetInclude(kBorders, on);
  }
  if (side >= 0 && side < 4) (*borders_)[static_cast<std::size_t>(side)].SetInclude(on);
  BOOL any = FALSE;
  for (const auto& b : *borders_) any = any || b.GetInclude();
  return SetInclude(kBorders, any);
}

BOOL CGXStyle::HasBorder(int side) const {
  return GetInclude(kBorders) && borders_ && side >= 0 && side < 4 &&
         (*borders_)[static_cast<std::size_t>(side)].GetInclude();
}

const CGXStyleBorder& CGXStyle::GetBorders(int side) const {
  static const CGXStyleBorder none;
  if (!borders_ || side < 0 || side >= 4) return none;
  return (*borders_)[static_cast<std::size_t>(side)];
}

CGXStyle& CGXStyle::SetFont(const CGXFont& font, int mode) {
  if (mode == 3) {
    if (GetInclude(kFont) && font_) font_->ChangeFont(font, 3);
    return *this;
  }
  if (font_) {
    font_->ChangeFont(font, mode);
  } else {
    font_ = std::make_unique<CGXFont>(font);
  }
  return SetInclude(kFont, TRUE);
}

const CGXFont& CGXStyle::GetFont() const {
  static const CGXFont none;
  return font_ ? *font_ : none;
}

CGXFont& CGXStyle::GetFontRef() {
  if (!font_) font_ = std::make_unique<CGXFont>();
  return *font_;
}

CGXStyle& CGXStyle::SetUserAttribute(WORD id, CGXAbstractUserAttribute* attribute) {
  if (!userAttrs_) userAttrs_ = std::make_unique<CGXUserAttributeMap>();
  userAttrs_->SetAttribute(id, attribute);
  return SetInclude(kUserAttr, TRUE);
}

CGXStyle& CGXStyle::SetUserAttributeText(WORD id, LPCTSTR text) {
  return SetUserAttribute(id, new CGXUserAttribute(text));
}

CGXStyle& CGXStyle::SetUserAttributes(const CGXUserAttributeMap* map) {
  if (map == nullptr || map->IsEmpty()) {
    userAttrs_.reset();
    return SetInclude(kUserAttr, FALSE);
  }
  if (map == userAttrs_.get()) return SetInclude(kUserAttr, TRUE);
  if (!userAttrs_) userAttrs_ = std::make_unique<CGXUserAttributeMap>();
  userAttrs_->ChangeMap(*map, 2);
  return SetInclude(kUserAttr, TRUE);
}

BOOL CGXStyle::HasUserAttribute(WORD id) const { return userAttrs_ && userAttrs_->Lookup(id) != nullptr; }

const CGXAbstractUserAttribute& CGXStyle::GetUserAttribute(WORD id) const {
  static const CGXUserAttribute empty;
  if (userAttrs_) {
    if (const CGXAbstractUserAttribute* a = userAttrs_->Lookup(id)) return *a;
  }
  return empty;
}

// --------------------------------------------------------- whole-style work

CGXStyle& CGXStyle::Assign(const CGXStyle& o) {
  if (&o == this) return *this;
  if (!o.HasAnyInclude()) {
    Free();
    return *this;
  }
  include_ = o.include_;
  interior_ = o.interior_;
  maxLength_ = o.maxLength_;
  controlId_ = o.controlId_;
  dataWord_ = o.dataWord_;
  draw3d_ = o.draw3d_;
  readOnly_ = o.readOnly_;
  vertScroll_ = o.vertScroll_;
  wrapText_ = o.wrapText_;
  allowEnter_ = o.allowEnter_;
  enabled_ = o.enabled_;
  triState_ = o.triState_;
  autoSize_ = o.autoSize_;
  floodCell_ = o.floodCell_;
  floatCell_ = o.floatCell_;
  mergeCell_ = o.mergeCell_;
  horzAlign_ = o.horzAlign_;
  vertAlign_ = o.vertAlign_;
  valueType_ = o.valueType_;
  textColor_ = o.textColor_;
  baseStyle_ = o.baseStyle_;
  format_ = o.format_;
  places_ = o.places_;
  value_ = o.GetInclude(kValue) ? o.value_ : CString();
  choices_ = o.GetInclude(kChoiceList) ? o.choices_ : CString();
  SetUserAttributes(o.GetInclude(kUserAttr) ? o.userAttrs_.get() : nullptr);
  include_ = o.include_;
  if (o.GetInclude(kBorders) && o.borders_) {
    EnsureBorders();
    *borders_ = *o.borders_;
  } else {
    borders_.reset();
  }
  if (o.GetInclude(kFont) && o.font_) {
    if (font_) {
      font_->ChangeFont(*o.font_, 2);
    } else {
      font_ = std::make_unique<CGXFont>(*o.font_);
    }
  } else {
    font_.reset();
  }
  return *this;
}

void CGXStyle::TakeScalar(const CGXStyle& o, Attr a) {
  switch (a) {
    case kHorzAlign: SetHorizontalAlignment(o.GetHorizontalAlignment()); break;
    case kVertAlign: SetVerticalAlignment(o.GetVerticalAlignment()); break;
    case kReadOnly: SetReadOnly(o.readOnly_); break;
    case kFloatCell: SetFloatCell(o.floatCell_); break;
    case kFloodCell: SetFloodCell(o.floodCell_); break;
    case kMergeCell: SetMergeCell(o.mergeCell_); break;
    case kDraw3dFrame: SetDraw3dFrame(o.draw3d_); break;
    case kMaxLength: SetMaxLength(o.maxLength_); break;
    case kVertScroll: SetVerticalScrollbar(o.vertScroll_); break;
    case kTextColor: SetTextColor(o.ResolveTextColor()); break;
    case kWrapText: SetWrapText(o.wrapText_); break;
    case kAutoSize: SetAutoSize(o.autoSize_); break;
    case kAllowEnter: SetAllowEnter(o.allowEnter_); break;
    case kEnabled: SetEnabled(o.enabled_); break;
    case kTriState: SetTriState(o.triState_); break;
    case kControl: SetControl(o.controlId_); break;
    case kInterior: SetInterior(o.interior_); break;
    case kValue:
      SetValue(o.value_);
      valueType_ = o.valueType_;
      break;
    case kFormat: SetFormat(o.format_); break;
    case kPlaces: SetPlaces(o.places_); break;
    case kBaseStyle: SetBaseStyle(o.baseStyle_); break;
    case kChoiceList: SetChoiceList(o.choices_); break;
    case kDataWord: SetDataWord(o.dataWord_); break;
    default: break;
  }
}

CGXStyle& CGXStyle::ChangeStyle(const CGXStyle& other, int mode) {
  if (&other == this) return *this;
  static constexpr Attr kRemoveOrder[] = {kHorzAlign, kVertAlign, kReadOnly, kFloatCell, kFloodCell, kMergeCell,
                                         kDraw3dFrame, kMaxLength, kVertScroll, kTextColor, kWrapText, kAutoSize,
                                         kAllowEnter, kEnabled, kTriState, kControl, kInterior, kBorders, kFont,
                                         kValue, kBaseStyle, kChoiceList, kUserAttr, kDataWord, kFormat, kPlaces};
  if (mode == 3) {
    if (!other.HasAnyInclude()) return *this;
    for (Attr a : kRemoveOrder) {
      if (!other.GetInclude(a)) continue;
      switch (a) {
        case kBorders:
          if (GetInclude(kBorders) && other.borders_) {
            for (int side = 0; side < 4; ++side)
              if ((*other.borders_)[static_cast<std::size_t>(side)].GetInclude()) SetIncludeBorder(side, FALSE);
          }
          break;
        case kFont:
          if (GetInclude(kFont) && font_ && other.font_) font_->ChangeFont(*other.font_, 3);
          break;
        case kUserAttr:
          if (userAttrs_ && other.userAttrs_ && !other.userAttrs_->IsEmpty()) userAttrs_->ChangeMap(*other.userAttrs_, 3);
          break;
        default:
          SetInclude(a, FALSE);
          break;
      }
    }
    return *this;
  }
  if (mode == 2 || !HasAnyInclude()) return Assign(other);
  if (!other.HasAnyInclude()) return *this;

  const bool all = mode == 0;
  auto take = [&](Attr a) {
    if (other.GetInclude(a) && (all || !GetInclude(a))) TakeScalar(other, a);
  };
  for (Attr a : {kHorzAlign, kVertAlign, kReadOnly, kFloatCell, kFloodCell, kMergeCell, kDraw3dFrame, kMaxLength,
                 kVertScroll, kTextColor, kWrapText, kAutoSize, kAllowEnter, kEnabled, kTriState, kControl, kInterior})
    take(a);

  if (other.GetInclude(kBorders) && other.borders_) {
    for (int side = 0; side < 4; ++side) {
      const CGXStyleBorder& b = (*other.borders_)[static_cast<std::size_t>(side)];
      if (!b.GetInclude()) continue;
      if (all || !GetInclude(kBorders) || !borders_ || !(*borders_)[static_cast<std::size_t>(side)].GetInclude())
        SetBorder(side, b);
    }
  }

  if (other.GetInclude(kFont) && other.font_) {
    if (GetInclude(kFont) && font_) {
      font_->ChangeFont(*other.font_, mode);
    } else {
      font_ = std::make_unique<CGXFont>(*other.font_);
      SetInclude(kFont, TRUE);
    }
  }

  for (Attr a : {kValue, kFormat, kPlaces, kBaseStyle, kChoiceList}) take(a);

  if (other.userAttrs_ && !other.userAttrs_->IsEmpty()) {
    if (!userAttrs_) userAttrs_ = std::make_unique<CGXUserAttributeMap>();
    userAttrs_->ChangeMap(*other.userAttrs_, mode);
    SetInclude(kUserAttr, TRUE);
  }
  take(kDataWord);
  return *this;
}

CGXStyle& CGXStyle::LoadBaseStyle(const CGXStylesMap& map) {
  // A chain that comes back to a style already visited ends the walk.
  std::set<UINT> visited;
  const CGXStyle* reached = this;
  while (reached->GetInclude(kBaseStyle)) {
    const UINT id = reached->baseStyle_;
    if (!visited.insert(id).second) break;
    const CGXStyle* base = nullptr;
    if (!map.LookupStyle(static_cast<WORD>(id), base) || base == nullptr) break;
    ChangeStyle(*base, 1);
    reached = base;
  }
  return *this;
}

CGXStyle& CGXStyle::SetDefaultStyle() {
  Free();
  SetHorizontalAlignment(DT_LEFT);
  SetVerticalAlignment(DT_TOP);
  SetReadOnly(FALSE);
  SetControl(52512);
  SetInterior(CGXStyleInterior(GXPackedColor{3, COLOR_WINDOW}.Transfer()));
  SetTextColor(GXPackedColor{3, COLOR_WINDOWTEXT}.Transfer());
  SetWrapText(TRUE);
  SetAllowEnter(FALSE);
  SetFont(CGXFont().SetDefault(), 0);
  SetValue("");
  SetChoiceList(CString());
  SetVerticalScrollbar(FALSE);
  SetMaxLength(0);
  SetEnabled(TRUE);
  SetTriState(FALSE);
  SetDraw3dFrame(0);
  SetAutoSize(FALSE);
  SetDataWord(0);
  SetFloodCell(TRUE);
  SetFloatCell(TRUE);
  SetMergeCell(0);
  SetFormat(0);
  SetPlaces(13);
  return *this;
}

BOOL CGXStyle::IsSubSet(const CGXStyle& other) const {
  CGXAbstractStyleCompareSubsetImp* imp = GXGetAppData()->m_pStyleCompareSubsetImp;
  return imp != nullptr && imp->ContainsStyle(*this, other);
}

void CGXStyle::Serialize(CArchive& ar) { SerializeEx(ar, nullptr); }

void CGXStyle::SerializeEx(CArchive& ar, const CGXStylesMap* map) {
  if (CGXStyleSerializeImp* imp = GXGetAppData()->m_pStyleSerializeImp) imp->SerializeStyle(*this, ar, map);
}

void CGXStyle::WriteProfile(LPCTSTR section, const CGXStylesMap* map) const {
  if (CGXGridProfileImp* imp = GXGetAppData()->m_pGridProfileImp) imp->WriteStyle(*this, section, map);
}

BOOL CGXStyle::ReadProfile(LPCTSTR section, const CGXStylesMap* map) {
  CGXGridProfileImp* imp = GXGetAppData()->m_pGridProfileImp;
  return imp != nullptr ? imp->ReadStyle(*this, section, map) : FALSE;
}

CGXStyle* GXReadStyle(CArchive& ar) { return static_cast<CGXStyle*>(ar.ReadObject(RUNTIME_CLASS(CGXStyle))); }
