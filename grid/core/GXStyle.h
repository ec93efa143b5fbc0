// The cell style: value, control id, colours, font, borders, alignment,
// flags and user attributes, each with its own "is set" flag, so that
// styles layer: a more specific style hides the attributes it sets.
#pragma once

#include <array>
#include <memory>

#include "grid/core/GXFont.h"
#include "grid/core/GXUserAttribute.h"
#include "platform/Afx.h"
#include "platform/base/CArchive.h"
#include "platform/base/CString.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"

class CGXStylesMap;

// A colour as the styles keep it: a 2-bit mode and a 24-bit value; mode 3
// is a system colour index.
struct GXPackedColor {
  BYTE mode = 0;
  DWORD value = 0;

  static GXPackedColor FromColorRef(COLORREF color);
  COLORREF Drawing() const;   // system colours resolved to plain RGB
  COLORREF Transfer() const;  // system colours as RGB with 254 - index on top
  bool operator==(const GXPackedColor&) const = default;
};

// Pen record of borders and grid lines.
struct CGXStyleBorder {
  static constexpr UINT kNotSet = 7;

  CGXStyleBorder() = default;
  CGXStyleBorder(UINT style, UINT width, COLORREF color) { Set(style, width, color); }

  CGXStyleBorder& Set(UINT style, UINT width, COLORREF color);
  CGXStyleBorder& SetStyle(UINT style);
  CGXStyleBorder& SetWidth(UINT width);
  CGXStyleBorder& SetColor(COLORREF color);
  CGXStyleBorder& SetInclude(BOOL include);
  BOOL GetInclude() const { return style != kNotSet; }
  COLORREF GetColor() const { return color.Drawing(); }
  const LOGPEN& GetLogPen() const;  // a shared record, overwritten by the next call
  LOGPEN GetLogPenCopy() const;
  BOOL MakeLineBrush(struct CGXStyleInterior& out, const struct CGXStyleInterior& lineBrush, BOOL horizontal,
                     BOOL monochrome) const;
  bool operator==(const CGXStyleBorder&) const = default;
  // One-line text form "style width red green blue kind".
  CString GetDescription() const;
  CGXStyleBorder& SetDescription(LPCTSTR text);

  UINT style = kNotSet;  // 3 bits
  UINT width = 1;        // 16 bits
  GXPackedColor color;
};

// Brush record of cell interiors.
struct CGXStyleInterior {
  CGXStyleInterior() = default;
  explicit CGXStyleInterior(COLORREF fill) { Set(BS_SOLID, fill, 0); }

  CGXStyleInterior& SetDefault();
  CGXStyleInterior& Set(UINT brushStyle, COLORREF fill, UINT hatch);
  CGXStyleInterior& SetStyle(UINT brushStyle);
  CGXStyleInterior& SetColor(COLORREF fill);
  CGXStyleInterior& SetBackColor(COLORREF back);
  CGXStyleInterior& SetPattern(UINT index);
  COLORREF GetColor() const { return fill.Drawing(); }
  COLORREF GetBackColor() const { return back.Drawing(); }
  const LOGBRUSH& GetLogBrush() const;  // a shared record, overwritten by the next call
  LOGBRUSH GetLogBrushCopy() const;
  // The two 32-bit words, as the brush caches key them.
  DWORD Word1() const;
  DWORD Word2() const;
  bool operator==(const CGXStyleInterior&) const = default;
  // One-line text form "style pattern-or-hatch fill(3) back(3) kind".
  CString GetDescription() const;
  CGXStyleInterior& SetDescription(LPCTSTR text);

  UINT hatch = 0;  // 3 bits
  GXPackedColor fill;
  GXPackedColor back;
  UINT pattern = 0;     // 6 bits
  UINT brushStyle = 0;  // 2 bits
};

// The monochrome 8 x 8 pattern bitmap of an index (0-40), null beyond.
HBITMAP GXGetPatternBitmapHandle(int index);
// The number of patterns, and a word (row) of a pattern's entry.
int GXGetPatternCount();
WORD GXGetPatternWord(int index, int word);

class CGXStyle : public CObject {
  DECLARE_SERIAL(CGXStyle)

 public:
  // Include flags in the style's own order.
  enum Attr : int {
    kHorzAlign = 0, kVertAlign, kReadOnly, kControl, kInterior, kTextColor, kWrapText, kAllowEnter, kBorders,
    kFont, kValue, kChoiceList, kVertScroll, kMaxLength, kBaseStyle, kEnabled, kTriState, kDraw3dFrame,
    kUserAttr, kAutoSize, kDataWord, kFloodCell, kFloatCell, kMergeCell, kFormat, kPlaces, kAttrCount
  };
  enum Side : int { kAllSides = -1, kTop = 0, kLeft = 1, kBottom = 2, kRight = 3 };

  CGXStyle() = default;
  explicit CGXStyle(LPCTSTR value) { SetValue(value); }
  CGXStyle(const CGXStyle& other);
  CGXStyle& operator=(const CGXStyle& other) { return Assign(other); }
  ~CGXStyle() override;

  // Slots in their fixed order after the runtime class and destructor.
  void Serialize(CArchive& ar) override;
  virtual CGXStyle* Clone() const;
  virtual CGXStyle& SetValueText(LPCTSTR text) { return SetValue(text); }
  virtual CGXStyle& Assign(const CGXStyle& other);
  virtual CGXStyle& SetDefaultStyle();
  virtual BOOL IsSubSet(const CGXStyle& other) const;
  virtual void SerializeEx(CArchive& ar, const CGXStylesMap* map);
  // The style's keys in a profile section; base styles are named through
  // the styles map.
  virtual void WriteProfile(LPCTSTR section, const CGXStylesMap* map) const;
  virtual BOOL ReadProfile(LPCTSTR section, const CGXStylesMap* map);
  virtual CGXStyle& LoadBaseStyle(const CGXStylesMap& map);
  virtual CGXStyle& ChangeStyle(const CGXStyle& other, int mode);
  virtual void Free();

  // Include flags.
  BOOL GetInclude(Attr a) const { return (include_ >> a) & 1u; }
  CGXStyle& SetInclude(Attr a, BOOL on);
  BOOL HasAnyInclude() const { return include_ != 0; }
  DWORD ConvertIncludeBits() const;
  CGXStyle& SetIncludeMask(DWORD mask);

#define GX_INCLUDE(Name, A) \
  BOOL GetInclude##Name() const { return GetInclude(A); } \
  CGXStyle& SetInclude##Name(BOOL on) { return SetInclude(A, on); }
  GX_INCLUDE(HorizontalAlignment, kHorzAlign)
  GX_INCLUDE(VerticalAlignment, kVertAlign)
  GX_INCLUDE(ReadOnly, kReadOnly)
  GX_INCLUDE(Control, kControl)
  GX_INCLUDE(Interior, kInterior)
  GX_INCLUDE(TextColor, kTextColor)
  GX_INCLUDE(WrapText, kWrapText)
  GX_INCLUDE(AllowEnter, kAllowEnter)
  GX_INCLUDE(Borders, kBorders)
  GX_INCLUDE(Font, kFont)
  GX_INCLUDE(Value, kValue)
  GX_INCLUDE(ChoiceList, kChoiceList)
  GX_INCLUDE(VerticalScrollbar, kVertScroll)
  GX_INCLUDE(MaxLength, kMaxLength)
  GX_INCLUDE(BaseStyle, kBaseStyle)
  GX_INCLUDE(Enabled, kEnabled)
  GX_INCLUDE(TriState, kTriState)
  GX_INCLUDE(Draw3dFrame, kDraw3dFrame)
  GX_INCLUDE(UserAttributes, kUserAttr)
  GX_INCLUDE(AutoSize, kAutoSize)
  GX_INCLUDE(DataWord, kDataWord)
  GX_INCLUDE(FloodCell, kFloodCell)
  GX_INCLUDE(FloatCell, kFloatCell)
  GX_INCLUDE(MergeCell, kMergeCell)
  GX_INCLUDE(Format, kFormat)
  GX_INCLUDE(Places, kPlaces)
#undef GX_INCLUDE

  // Setters set the value and its include flag.
  CGXStyle& SetHorizontalAlignment(UINT dtFlag);
  CGXStyle& SetVerticalAlignment(UINT dtFlag);
  CGXStyle& SetReadOnly(BOOL on);
  CGXStyle& SetControl(WORD id);
  CGXStyle& SetInterior(const CGXStyleInterior& interior);
  CGXStyle& SetInterior(COLORREF color) { return SetInteriorColor(color); }
  CGXStyle& SetInteriorColor(COLORREF color);
  CGXStyle& SetTextColor(COLORREF color);
  CGXStyle& SetWrapText(BOOL on);
  CGXStyle& SetAllowEnter(BOOL on);
  CGXStyle& SetBorder(int side, const CGXStyleBorder& border);
  CGXStyle& SetBorders(const CGXStyleBorder* fourOrNull);
  CGXStyle& SetIncludeBorder(int side, BOOL on);
  CGXStyle& SetFont(const CGXFont& font, int mode = 0);
  CGXStyle& SetValue(LPCTSTR text);
  CGXStyle& SetValueFromString(const CString& text) { return SetValue(text); }
  CGXStyle& SetValueType(UINT type) {
    valueType_ = type & 7;
    return *this;
  }
  CGXStyle& SetValueNumber(DWORD number);
  CGXStyle& SetChoiceList(const CString& list);
  CGXStyle& SetChoiceListText(LPCTSTR list) { return SetChoiceList(CString(list)); }
  CGXStyle& SetVerticalScrollbar(BOOL on);
  CGXStyle& SetMaxLength(WORD n);
  CGXStyle& SetBaseStyle(UINT id);
  CGXStyle& SetEnabled(BOOL on);
  CGXStyle& SetTriState(BOOL on);
  CGXStyle& SetDraw3dFrame(UINT code);
  CGXStyle& SetUserAttribute(WORD id, CGXAbstractUserAttribute* attribute);
  CGXStyle& SetUserAttribute(WORD id, LPCTSTR text) { return SetUserAttributeText(id, text); }
  CGXStyle& SetUserAttributeText(WORD id, LPCTSTR text);
  CGXStyle& AttachStringAttr(WORD id, const CString& text) { return SetUserAttributeText(id, text); }
  CGXStyle& SetUserAttributes(const CGXUserAttributeMap* map);
  CGXStyle& SetAutoSize(BOOL on);
  CGXStyle& SetDataWord(DWORD word);
  CGXStyle& SetFloodCell(BOOL on);
  CGXStyle& SetFloatCell(BOOL on);
  CGXStyle& SetMergeCell(UINT mode);
  CGXStyle& SetFormat(UINT code);
  CGXStyle& SetPlaces(UINT places);

  // Getters; a value whose flag is clear is not meaningful.
  UINT GetHorizontalAlignment() const;  // as a text-drawing flag
  UINT GetVerticalAlignment() const;
  BOOL GetReadOnly() const { return readOnly_; }
  WORD GetControl() const { return controlId_; }
  const CGXStyleInterior& GetInterior() const { return interior_; }
  COLORREF GetTextColorRGB() const { return textColor_.Drawing(); }
  COLORREF ResolveTextColor() const { return textColor_.Transfer(); }
  COLORREF GetTextColor() const { return GetTextColorRGB(); }
  BOOL GetWrapText() const { return wrapText_; }
  BOOL GetAllowEnter() const { return allowEnter_; }
  BOOL HasBorder(int side) const;
  const CGXStyleBorder& GetBorders(int side) const;
  const CGXFont& GetFont() const;
  CGXFont& GetFontRef();
  const CString& GetValue() const { return value_; }
  CString GetValueRef() const { return value_; }
  UINT GetValueType() const { return valueType_; }
  const CString& GetChoiceList() const { return choices_; }
  BOOL GetVerticalScrollbar() const { return vertScroll_; }
  WORD GetMaxLength() const { return maxLength_; }
  UINT GetBaseStyle() const { return baseStyle_; }
  BOOL GetEnabled() const { return enabled_; }
  BOOL GetTriState() const { return triState_; }
  UINT GetDraw3dFrame() const { return draw3d_; }
  BOOL HasUserAttribute(WORD id) const;
  const CGXAbstractUserAttribute& GetUserAttribute(WORD id) const;
  const CGXUserAttributeMap* GetUserAttributeMap() const { return userAttrs_.get(); }
  BOOL GetAutoSize() const { return autoSize_; }
  DWORD GetDataWord() const { return dataWord_; }
  BOOL GetFloodCell() const { return floodCell_; }
  BOOL GetFloatCell() const { return floatCell_; }
  UINT GetMergeCell() const { return mergeCell_; }
  UINT GetFormat() const { return format_; }
  UINT GetPlaces() const { return places_; }

 private:
  void TakeScalar(const CGXStyle& o, Attr a);
  void TakeValueAttrs(const CGXStyle& o, Attr a);
  void EnsureBorders();
  void ReleaseUserAttributes();

  DWORD include_ = 0;
  WORD maxLength_ = 0;
  CGXStyleInterior interior_;
  WORD controlId_ = 0;
  // Packed attributes.
  UINT draw3d_ = 0;
  BOOL readOnly_ = FALSE, vertScroll_ = FALSE, wrapText_ = FALSE, allowEnter_ = FALSE, enabled_ = FALSE;
  BOOL triState_ = FALSE, autoSize_ = FALSE, floodCell_ = FALSE, floatCell_ = FALSE;
  UINT mergeCell_ = 0, horzAlign_ = 0, vertAlign_ = 0, valueType_ = 0;
  GXPackedColor textColor_;
  UINT baseStyle_ = 0;  // 8 bits
  UINT format_ = 0, places_ = 0;
  std::unique_ptr<std::array<CGXStyleBorder, 4>> borders_;
  std::unique_ptr<CGXFont> font_;
  CString value_;
  CString choices_;
  std::unique_ptr<CGXUserAttributeMap> userAttrs_;
  DWORD dataWord_ = 0;
};

CGXStyle* GXReadStyle(CArchive& ar);
