// The font of a cell style: every attribute may be "not set", so fonts
// merge attribute by attribute like the styles that hold them. The face is
// an index into the application-wide face table, and the platform font
// description is built once per distinct description and shared.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "grid/core/GXHashMap.h"
#include "grid/core/GXIndexMaps.h"
#include "platform/Afx.h"
#include "platform/base/CArchive.h"
#include "platform/gfx/GdiDefs.h"

struct GXFontData {
  LONG refCount = 0;
  LOGFONT logFont{};
  BOOL built = FALSE;
};

struct GXFaceEntry {
  CString name;             // face, or "face (script)"
  int baseNameLength = 0;   // length of the face part of a face-and-script entry
  BYTE pitchAndFamily = 0;
  BYTE charSet = 0;
  UINT index = 1023;        // 1023: none yet
  UINT fontType = 0;
  BOOL enumerated = FALSE;
  BOOL plainFace = FALSE;
};

// The face table and the shared font data of the application.
class GXFontState {
 public:
  GXFontState();
  GXFontState(const GXFontState&) = delete;
  GXFontState& operator=(const GXFontState&) = delete;
  ~GXFontState();

  UINT FindOrAddFace(LPCTSTR name, BYTE pitchAndFamily, BYTE charSet, int baseNameLength = 0);
  const GXFaceEntry* EntryOfIndex(UINT index) const;
  // The classic name of a character set's script ("" when it has none).
  static const char* ScriptName(BYTE charSet);
  // Number of faces taken from the display at start-up.
  std::size_t EnumeratedCount() const { return enumerated_.size(); }

  int m_nLogPixelsY = 96;
  int m_nLogPixelsX = 96;
  GXHashMap<GXByte8Key, GXFontData*, GXByte8Hash> fontData{257};

 private:
  void FillFromDisplay();

  std::vector<std::unique_ptr<GXFaceEntry>> enumerated_;  // sorted by name
  std::vector<std::unique_ptr<GXFaceEntry>> added_;       // sorted by name
  std::vector<GXFaceEntry*> indexTable_;
};

GXFontState& GXGetFontState();

UINT GXFindFaceIndex(LPCTSTR name);
LPCTSTR GXGetFaceName(UINT index);
BYTE GXGetFaceCharset(UINT index);
UINT GXPointsToQuarterPoints(double points);
double GXQuarterPointsToPoints(UINT quarterPoints);
inline UINT GXWeightToCode(LONG weight) { return static_cast<UINT>(weight / 100); }
inline LONG GXCodeToWeight(UINT code) { return static_cast<LONG>(code) * 100; }
UINT GXTenthsToDegrees(LONG tenths);
inline LONG GXDegreesToTenths(UINT degrees) { return static_cast<LONG>(degrees) * 10; }

class CGXFont : public CObject {
  DECLARE_SERIAL(CGXFont)

 public:
  static constexpr UINT kWeightNotSet = 15;
  static constexpr UINT kOrientationNotSet = 511;
  static constexpr UINT kFaceNotSet = 1023;

  CGXFont() = default;
  CGXFont(const CGXFont& other);
  explicit CGXFont(const LOGFONT& lf) { SetLogFont(lf); }
  ~CGXFont() override { ReleaseFontData(); }
  CGXFont& operator=(const CGXFont& other);
  void Serialize(CArchive& ar) override;

  CGXFont& SetLogFont(const LOGFONT& lf);
  CGXFont& AssignLogFont(const LOGFONT& lf) { return SetLogFont(lf); }
  CGXFont& SetDefault();
  CGXFont& Reset();
  CGXFont& SetSize(double points);
  CGXFont& SetWeight(LONG weight);
  CGXFont& SetBold(BOOL bold) { return SetWeight(bold ? 700 : 400); }
  CGXFont& SetIncludeWeight(BOOL include);
  CGXFont& SetItalic(BOOL italic);
  CGXFont& SetUnderline(BOOL underline);
  CGXFont& SetStrikeOut(BOOL strikeOut);
  CGXFont& SetIncludeItalic(BOOL include);
  CGXFont& SetIncludeUnderline(BOOL include);
  CGXFont& SetIncludeStrikeOut(BOOL include);
  CGXFont& SetIncludeSize(BOOL include);
  CGXFont& SetOrientation(LONG tenths);
  CGXFont& SetFaceIndex(UINT index);
  CGXFont& SetFaceName(LPCTSTR name) { return SetFaceIndex(GXFindFaceIndex(name)); }

  BOOL GetIncludeWeight() const { return weight_ != kWeightNotSet; }
  LONG GetWeight() const { return GXCodeToWeight(weight_); }
  BOOL GetBold() const { return weight_ != kWeightNotSet && weight_ >= 7; }
  BOOL GetIncludeSize() const { return size_ != 0; }
  double GetSize() const { return GXQuarterPointsToPoints(size_); }
  UINT GetQuarterPoints() const { return size_; }
  BOOL GetIncludeItalic() const { return italicSet_; }
  BOOL GetItalic() const { return italic_; }
  BOOL GetIncludeUnderline() const { return underlineSet_; }
  BOOL GetUnderline() const { return underline_; }
  BOOL GetIncludeStrikeOut() const { return strikeSet_; }
  BOOL GetStrikeOut() const { return strike_; }
  BOOL GetIncludeOrientation() const { return orientation_ != kOrientationNotSet; }
  UINT GetOrientationDegrees() const { return orientation_; }
  BOOL GetIncludeFaceName() const { return face_ != kFaceNotSet; }
  UINT GetFaceIndex() const { return face_; }
  CString GetFaceName() const;
  BOOL IsEmpty() const { return Key() == CGXFont().Key(); }

  // The shared platform description (built on first use).
  const LOGFONT& GetLogFont() const;
  LOGFONT GetZoomedLogFont(int zoomPercent) const;
  CGXFont& ChangeFont(const CGXFont& other, int mode);
  BOOL IsSubSet(const CGXFont& other) const;

  // The 63-bit description that keys the shared data.
  std::uint64_t Key() const;
  BOOL HoldsFontData() const { return holds_; }
  void ReleaseFontData() const;

  bool operator==(const CGXFont& other) const { return Key() == other.Key(); }

  // One-line text form "face,size,weight,italic,underline,strike,tenths",
  // empty fields for attributes not set; a null text changes nothing.
  CString GetDescription() const;
  CGXFont& SetDescription(LPCTSTR text);
  static CGXFont CGXFontFromText(LPCTSTR text);

 private:
  GXFontData& GetFontData() const;

  mutable BOOL holds_ = FALSE;
  mutable std::uint64_t heldKey_ = 0;  // key of the data referenced
  BOOL italicSet_ = FALSE, underlineSet_ = FALSE, strikeSet_ = FALSE;
  UINT weight_ = kWeightNotSet;
  UINT size_ = 0;
  BOOL italic_ = FALSE, underline_ = FALSE, strike_ = FALSE;
  UINT orientation_ = kOrientationNotSet;
  UINT face_ = kFaceNotSet;
};

CGXFont* GXReadFont(CArchive& ar);
void GXWriteFontProfile(const CGXFont& font, LPCTSTR section, LPCTSTR key);
