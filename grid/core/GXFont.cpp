#include "grid/core/GXFont.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "grid/core/GXAppData.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/FontEngine.h"
#include "platform/gfx/GdiObject.h"
#include "platform/base/Kernel.h"
#include "platform/window/Painting.h"
#include "platform/window/Window.h"

// ---------------------------------------------------------------- face table

GXFontState::GXFontState() {
  HDC dc = ::GetDC(nullptr);
  if (dc != nullptr) {
    // Without a display the table stays empty and faces are added by name.
    FillFromDisplay();
    m_nLogPixelsY = ::GetDeviceCaps(dc, LOGPIXELSY);
    m_nLogPixelsX = ::GetDeviceCaps(dc, LOGPIXELSX);
    ::ReleaseDC(nullptr, dc);
  }
  if (m_nLogPixelsY <= 0) m_nLogPixelsY = 96;
  if (m_nLogPixelsX <= 0) m_nLogPixelsX = 96;
  // "Arial" takes the first index when the display has it.
  FindOrAddFace("Arial", 0, 0);
  fontData.InitHashTable(1001);
}

void GXFontState::FillFromDisplay() {
  // The platform's scalable families are all outline fonts drawn in the
  // program's one single-byte character set, so every family yields its
  // plain face and one face-and-script entry for that set.
  constexpr UINT kTrueType = 4;
  constexpr BYTE kAnsiCharset = 0;
  constexpr std::size_t kMaxEntries = 256 * 256;
  const std::vector<std::string> families = fonts::ScalableFamilies();
  const char* script = ScriptName(kAnsiCharset);
  auto add = [&](const CString& name, int baseNameLength, BOOL plain) {
    if (enumerated_.size() >= kMaxEntries) return;
    auto entry = std::make_unique<GXFaceEntry>();
    entry->name = name;
    entry->baseNameLength = baseNameLength;
    entry->charSet = kAnsiCharset;
    entry->fontType = kTrueType;
    entry->enumerated = TRUE;
    entry->plainFace = plain;
    enumerated_.push_back(std::move(entry));
  };
  const std::string* previous = nullptr;
  for (const std::string& family : families) {
    if (family.empty()) continue;
    if (previous == nullptr || *previous != family) add(CString(family.c_str()), 0, TRUE);
    previous = &family;
    CString scripted;
    scripted.Format("%s (%s)", family.c_str(), script);
    add(scripted, static_cast<int>(family.size()), FALSE);
  }
  std::sort(enumerated_.begin(), enumerated_.end(),
            [](const auto& a, const auto& b) { return std::strcmp(a->name, b->name) < 0; });
  // A family listed twice must not leave two entries of one name behind.
  enumerated_.erase(std::unique(enumerated_.begin(), enumerated_.end(),
                                [](const auto& a, const auto& b) { return std::strcmp(a->name, b->name) == 0; }),
                    enumerated_.end());
}

GXFontState::~GXFontState() {
  for (auto& [key, data] : fontData.Entries()) delete data;
  fontData.RemoveAll();
}

const char* GXFontState::ScriptName(BYTE charSet) {
  switch (charSet) {
    case 0: return "Western";
    case 2: return "Symbol";
    case 128: return "Japanese";
    case 129: return "Hangul";
    case 134: return "CHINESE_GB2312";
    case 136: return "CHINESE_BIG5";
    case 161: return "Greek";
    case 162: return "Turkish";
    case 163: return "Vietnamese";
    case 177: return "Hebrew";
    case 178: return "Arabic";
    case 186: return "Baltic";
    case 204: return "Cyrillic";
    case 222: return "Thai";
    case 238: return "Central European";
    case 255: return "OEM/DOS";
    default: return "";
  }
}

namespace {

using Entries = std::vector<std::unique_ptr<GXFaceEntry>>;

GXFaceEntry* Search(const Entries& entries, const char* name) {
  auto it = std::lower_bound(entries.begin(), entries.end(), name,
                             [](const std::unique_ptr<GXFaceEntry>& e, const char* n) { return std::strcmp(e->name, n) < 0; });
  return it != entries.end() && std::strcmp((*it)->name, name) == 0 ? it->get() : nullptr;
}

}  // namespace

UINT GXFontState::FindOrAddFace(LPCTSTR name, BYTE pitchAndFamily, BYTE charSet, int baseNameLength) {
  if (name == nullptr || *name == '\0') return CGXFont::kFaceNotSet;
  GXFaceEntry* entry = Search(enumerated_, name);
  if (entry == nullptr) entry = Search(added_, name);
  if (entry == nullptr) {
    if (indexTable_.size() > 1022) return CGXFont::kFaceNotSet;
    auto fresh = std::make_unique<GXFaceEntry>();
    fresh->name = name;
    fresh->pitchAndFamily = pitchAndFamily;
    fresh->charSet = charSet;
    fresh->baseNameLength = baseNameLength;
    entry = fresh.get();
    added_.push_back(std::move(fresh));
    std::sort(added_.begin(), added_.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a->name, b->name) < 0; });
  }
  if (entry->index == CGXFont::kFaceNotSet && indexTable_.size() < 1023) {
    entry->index = static_cast<UINT>(indexTable_.size());
    indexTable_.push_back(entry);
  }
  return entry->index;
}

const GXFaceEntry* GXFontState::EntryOfIndex(UINT index) const {
  return index < indexTable_.size() ? indexTable_[index] : nullptr;
}

GXFontState& GXGetFontState() {
  static GXFontState state;
  return state;
}

UINT GXFindFaceIndex(LPCTSTR name) { return GXGetFontState().FindOrAddFace(name, 0, 0); }

LPCTSTR GXGetFaceName(UINT index) {
  const GXFaceEntry* e = GXGetFontState().EntryOfIndex(index);
  return e ? static_cast<LPCTSTR>(e->name) : nullptr;
}

BYTE GXGetFaceCharset(UINT index) {
  const GXFaceEntry* e = GXGetFontState().EntryOfIndex(index);
  return e ? e->charSet : 0;
}

UINT GXPointsToQuarterPoints(double points) {
  const double q = std::fabs(std::trunc(points * 4));
  return q > 1023 ? 1023u : static_cast<UINT>(q);
}

double GXQuarterPointsToPoints(UINT quarterPoints) { return quarterPoints * 0.25; }

UINT GXTenthsToDegrees(LONG tenths) {
  // Every angle lands in 0..3599 tenths before it becomes whole degrees.
  long long t = tenths % 3600;
  if (t < 0) t += 3600;
  return static_cast<UINT>(t / 10);
}

// ---------------------------------------------------------------------- font

IMPLEMENT_SERIAL(CGXFont, CObject, 0)

CGXFont::CGXFont(const CGXFont& other) : CObject() { *this = other; }

std::uint64_t CGXFont::Key() const {
  std::uint64_t k = 0;
  int shift = 0;
  auto put = [&](std::uint64_t v, int bits) {
    k |= (v & ((1ull << bits) - 1)) << shift;
    shift += bits;
  };
  put(italicSet_, 1);
  put(underlineSet_, 1);
  put(strikeSet_, 1);
  put(weight_, 4);
  put(size_, 10);
  put(italic_, 1);
  put(underline_, 1);
  put(strike_, 1);
  put(orientation_, 9);
  put(0, 2);
  put(face_, 10);
  return k;
}

CGXFont& CGXFont::operator=(const CGXFont& other) {
  if (&other == this || Key() == other.Key()) return *this;
  ReleaseFontData();
  italicSet_ = other.italicSet_;
  underlineSet_ = other.underlineSet_;
  strikeSet_ = other.strikeSet_;
  weight_ = other.weight_;
  size_ = other.size_;
  italic_ = other.italic_;
  underline_ = other.underline_;
  strike_ = other.strike_;
  orientation_ = other.orientation_;
  face_ = other.face_;
  if (other.holds_) GetFontData();
  return *this;
}

void CGXFont::ReleaseFontData() const {
  if (!holds_) return;
  holds_ = FALSE;
  auto& map = GXGetFontState().fontData;
  const GXByte8Key key{static_cast<DWORD>(heldKey_), static_cast<DWORD>(heldKey_ >> 32)};
  GXFontData* data = nullptr;
  if (!map.Lookup(key, data) || data == nullptr) return;
  if (--data->refCount <= 0) {
    map.RemoveKey(key);
    delete data;
  }
}

GXFontData& CGXFont::GetFontData() const {
  auto& state = GXGetFontState();
  const std::uint64_t k = Key();
  GXFontData*& slot = state.fontData[GXByte8Key{static_cast<DWORD>(k), static_cast<DWORD>(k >> 32)}];
  if (slot == nullptr) slot = new GXFontData;
  GXFontData& data = *slot;
  if (!holds_) {
    ++data.refCount;
    holds_ = TRUE;
    heldKey_ = k;
  }
  if (!data.built) {
    LOGFONT& lf = data.logFont;
    lf = LOGFONT{};
    if (italicSet_) lf.lfItalic = static_cast<BYTE>(italic_);
    if (underlineSet_) lf.lfUnderline = static_cast<BYTE>(underline_);
    if (strikeSet_) lf.lfStrikeOut = static_cast<BYTE>(strike_);
    if (size_ != 0) lf.lfHeight = -MulDiv(static_cast<int>(size_), state.m_nLogPixelsY, 288);
    if (weight_ != kWeightNotSet) lf.lfWeight = GXCodeToWeight(weight_);
    if (orientation_ != kOrientationNotSet) lf.lfEscapement = lf.lfOrientation = GXDegreesToTenths(orientation_);
    if (const GXFaceEntry* e = state.EntryOfIndex(face_)) {
      const int n = e->baseNameLength > 0 ? e->baseNameLength : e->name.GetLength();
      const int copy = std::min<int>(n, LF_FACESIZE - 1);
      std::memcpy(lf.lfFaceName, static_cast<LPCTSTR>(e->name), static_cast<std::size_t>(copy));
      lf.lfFaceName[copy] = '\0';
      lf.lfPitchAndFamily = static_cast<BYTE>(e->pitchAndFamily | (orientation_ != kOrientationNotSet && orientation_ > 0 ? 4 : 0));
      lf.lfCharSet = e->charSet;
    }
    data.built = TRUE;
  }
  return data;
}

const LOGFONT& CGXFont::GetLogFont() const { return GetFontData().logFont; }

LOGFONT CGXFont::GetZoomedLogFont(int zoomPercent) const {
  LOGFONT lf = GetLogFont();
  lf.lfHeight = lf.lfHeight * zoomPercent / 100;
  return lf;
}

CGXFont& CGXFont::SetLogFont(const LOGFONT& lf) {
  ReleaseFontData();
  auto& state = GXGetFontState();
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
  if (lf.lfCharSet != ANSI_CHARSET && lf.lfCharSet != DEFAULT_CHARSET) {
    CString name;
    name.Format("%s (%s)", face, GXFontState::ScriptName(lf.lfCharSet));
    face_ = state.FindOrAddFace(name, lf.lfPitchAndFamily, lf.lfCharSet, static_cast<int>(std::strlen(face)));
  } else {
    face_ = GXFindFaceIndex(face);
  }
  if (lf.lfHeight == 0) {
    size_ = 0;
  } else {
    // The magnitude of the most negative height does not fit an int; any
    // height this tall is capped at the largest size anyway.
    const long long height = std::llabs(static_cast<long long>(lf.lfHeight));
    const int pixels = static_cast<int>(std::min<long long>(height, 0x7FFFFFFF));
    const int quarters = MulDiv(pixels, 288, state.m_nLogPixelsY);
    size_ = static_cast<UINT>(quarters < 0 ? 1023 : std::min(quarters, 1023));
  }
  weight_ = GXWeightToCode(lf.lfWeight) & 15;
  orientation_ = GXTenthsToDegrees(lf.lfEscapement);
  SetStrikeOut(lf.lfStrikeOut);
  SetUnderline(lf.lfUnderline);
  SetItalic(lf.lfItalic);
  return *this;
}

CGXFont& CGXFont::SetDefault() {
  LOGFONT lf{};
  std::strcpy(lf.lfFaceName, "Arial");
  lf.lfPitchAndFamily = 34;
  if (::GetSystemMetrics(SM_DBCSENABLED)) {
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (stock == nullptr) stock = ::GetStockObject(SYSTEM_FONT);
    if (stock != nullptr) ::GetObject(stock, sizeof lf, &lf);
  }
  lf.lfHeight = -11;
  lf.lfWeight = 400;
  lf.lfItalic = 0;
  lf.lfUnderline = 0;
  return SetLogFont(lf);
}

CGXFont& CGXFont::Reset() {
  ReleaseFontData();
  *this = CGXFont();
  return *this;
}

CGXFont& CGXFont::SetSize(double points) {
  ReleaseFontData();
  size_ = GXPointsToQuarterPoints(points);
  return *this;
}

CGXFont& CGXFont::SetIncludeSize(BOOL include) {
  ReleaseFontData();
  if (!include) size_ = 0;
  return *this;
}

CGXFont& CGXFont::SetWeight(LONG weight) {
  ReleaseFontData();
  weight_ = GXWeightToCode(weight) & 15;
  return *this;
}

CGXFont& CGXFont::SetIncludeWeight(BOOL include) {
  ReleaseFontData();
  if (!include) weight_ = kWeightNotSet;
  return *this;
}

CGXFont& CGXFont::SetItalic(BOOL v) {
  ReleaseFontData();
  italic_ = v ? TRUE : FALSE;
  italicSet_ = TRUE;
  return *this;
}
CGXFont& CGXFont::SetUnderline(BOOL v) {
  ReleaseFontData();
  underline_ = v ? TRUE : FALSE;
  underlineSet_ = TRUE;
  return *this;
}
CGXFont& CGXFont::SetStrikeOut(BOOL v) {
  ReleaseFontData();
  strike_ = v ? TRUE : FALSE;
  strikeSet_ = TRUE;
  return *this;
}
CGXFont& CGXFont::SetIncludeItalic(BOOL v) {
  ReleaseFontData();
  italicSet_ = v ? TRUE : FALSE;
  return *this;
}
CGXFont& CGXFont::SetIncludeUnderline(BOOL v) {
  ReleaseFontData();
  underlineSet_ = v ? TRUE : FALSE;
  return *this;
}
CGXFont& CGXFont::SetIncludeStrikeOut(BOOL v) {
  ReleaseFontData();
  strikeSet_ = v ? TRUE : FALSE;
  return *this;
}

CGXFont& CGXFont::SetOrientation(LONG tenths) {
  ReleaseFontData();
  orientation_ = GXTenthsToDegrees(tenths);
  return *this;
}

CGXFont& CGXFont::SetFaceIndex(UINT index) {
  ReleaseFontData();
  face_ = index & 1023;
  return *this;
}

CString CGXFont::GetFaceName() const {
  const GXFaceEntry* e = GXGetFontState().EntryOfIndex(face_);
  if (e == nullptr) return CString();
  return e->baseNameLength > 0 ? e->name.Left(e->baseNameLength) : e->name;
}

CGXFont& CGXFont::ChangeFont(const CGXFont& other, int mode) {
  const std::uint64_t before = Key();
  if (mode == 3) {
    if (other.GetIncludeWeight()) weight_ = kWeightNotSet;
    if (other.italicSet_) italicSet_ = FALSE;
    if (other.underlineSet_) underlineSet_ = FALSE;
    if (other.strikeSet_) strikeSet_ = FALSE;
    if (other.GetIncludeSize()) size_ = 0;
    if (other.GetIncludeOrientation()) orientation_ = kOrientationNotSet;
    if (other.GetIncludeFaceName()) face_ = kFaceNotSet;
  } else if (mode == 2) {
    // The key is still the old one here, so the reference is released right.
    *this = other;
    return *this;
  } else {
    const bool all = mode == 0;
    if (other.GetIncludeWeight() && (all || !GetIncludeWeight())) weight_ = other.weight_;
    if (other.italicSet_ && (all || !italicSet_)) {
      italic_ = other.italic_;
      italicSet_ = TRUE;
    }
    if (other.underlineSet_ && (all || !underlineSet_)) {
      underline_ = other.underline_;
      underlineSet_ = TRUE;
    }
    if (other.strikeSet_ && (all || !strikeSet_)) {
      strike_ = other.strike_;
      strikeSet_ = TRUE;
    }
    if (other.GetIncludeSize() && (all || !GetIncludeSize())) size_ = other.size_;
    if (other.GetIncludeOrientation() && (all || !GetIncludeOrientation())) orientation_ = other.orientation_;
    if (other.GetIncludeFaceName() && (all || !GetIncludeFaceName())) face_ = other.face_;
  }
  if (holds_ && Key() != before) ReleaseFontData();
  return *this;
}

BOOL CGXFont::IsSubSet(const CGXFont& o) const {
  if (o.GetIncludeWeight() && weight_ != o.weight_) return FALSE;
  if (o.italicSet_ && (!italicSet_ || italic_ != o.italic_)) return FALSE;
  if (o.underlineSet_ && (!underlineSet_ || underline_ != o.underline_)) return FALSE;
  if (o.strikeSet_ && (!strikeSet_ || strike_ != o.strike_)) return FALSE;
  if (o.GetIncludeSize() && size_ != o.size_) return FALSE;
  if (o.GetIncludeOrientation() && orientation_ != o.orientation_) return FALSE;
  if (o.GetIncludeFaceName() && face_ != o.face_) return FALSE;
  return TRUE;
}

void CGXFont::Serialize(CArchive& ar) {
  if (CGXStyleSerializeImp* imp = GXGetAppData()->m_pStyleSerializeImp) imp->SerializeFont(*this, ar);
}

CGXFont* GXReadFont(CArchive& ar) { return static_cast<CGXFont*>(ar.ReadObject(RUNTIME_CLASS(CGXFont))); }

void GXWriteFontProfile(const CGXFont& font, LPCTSTR section, LPCTSTR key) {
  if (CGXGridProfileImp* imp = GXGetAppData()->m_pGridProfileImp) imp->WriteFont(font, section, key);
}
