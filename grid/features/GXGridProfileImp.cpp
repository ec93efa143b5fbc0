#include "grid/features/GXGridProfileImp.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "grid/core/GXFont.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXStyle.h"
#include "grid/core/GXStylesMap.h"
#include "grid/core/GXUserAttribute.h"
#include "grid/features/GXTextForms.h"
#include "platform/base/Profile.h"

namespace {

void Write(LPCTSTR section, LPCTSTR key, LPCTSTR value) { ::WriteProfileString(section, key, value); }

void WriteNumber(LPCTSTR section, LPCTSTR key, long value) {
  CString text;
  text.Format("%ld", value);
  Write(section, key, text);
}

void WriteUnsigned(LPCTSTR section, LPCTSTR key, unsigned long value) {
  CString text;
  text.Format("%lu", value);
  Write(section, key, text);
}

// The whole value: a long one is read with a growing buffer.
CString Read(LPCTSTR section, LPCTSTR key) {
  std::vector<char> buffer(256);
  for (;;) {
    const DWORD n = ::GetProfileString(section, key, "", buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n + 1 < buffer.size()) return CString(buffer.data());
    buffer.resize(buffer.size() * 2);
  }
}

// The names of a section's values (or of every section with a null
// section), read whole.
std::vector<CString> ReadNames(LPCTSTR section) {
  std::vector<char> buffer(1024);
  DWORD n = 0;
  for (;;) {
    n = ::GetProfileString(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n + 2 < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  std::vector<CString> names;
  for (const char* p = buffer.data(); *p != '\0' && p < buffer.data() + n; p += std::strlen(p) + 1) names.emplace_back(p);
  return names;
}

// A decimal number, 0 when the text is none.
long Number(const CString& text) { return std::strtol(text, nullptr, 10); }

// Reads a number value into a member unless it is absent or empty.
template <class T>
void ReadNumber(LPCTSTR section, LPCTSTR key, T& member) {
  const CString text = Read(section, key);
  if (!text.IsEmpty()) member = static_cast<T>(Number(text));
}

// Reads the numbers of a comma list into the members, as far as the
// commas reach.
void ReadList(const CString& text, std::initializer_list<int*> members) {
  if (text.IsEmpty()) return;
  const char* p = text;
  bool first = true;
  for (int* member : members) {
    if (!first) {
      p = std::strchr(p, ',');
      if (p == nullptr) return;
      ++p;
    }
    first = false;
    while (*p == ' ') ++p;
    *member = static_cast<int>(std::strtol(p, nullptr, 10));
  }
}

CString EscapeChoices(const CString& list) {
  std::string out;
  for (const char* p = list; *p != '\0'; ++p) {
    if (*p == '\r') continue;
    if (*p == '\n') {
      out += "\\n";
    } else if (*p == '\\') {
      out += "\\\\";
    } else {
      out += *p;
    }
  }
  return CString(out.c_str());
}

CString UnescapeChoices(const CString& text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (p[0] == '\\' && p[1] == '\\') {
      out += '\\';
      ++p;
    } else if (p[0] == '\\' && p[1] == 'n') {
      out += "\r\n";
      ++p;
    } else {
      out += *p;
    }
  }
  return CString(out.c_str());
}

// The identifier of a base style in the profile: "#" and its resource id,
// or its name.
CString Identifier(LPCTSTR name, UINT resourceId) {
  if (resourceId == 0) return CString(name);
  CString id;
  id.Format("#%u", resourceId);
  return id;
}

CString StyleSection(const CGXStylesMap& map, const CString& identifier) {
  return map.m_sSection + "." + identifier;
}

}  // namespace

// ----------------------------------------------------------- properties

void CGXGridProfileImpl::WriteProperties(CGXProperties& p) {
  const CString& section = p.m_sSection;
  for (int i = 0; i < p.GetColorCount(); ++i)
    WriteUnsigned(section, p.GetColorName(i), p.ColorValues()[static_cast<std::size_t>(i)].Transfer());
  WriteNumber(section, "MarkColumnHeader", p.m_bMarkColHeader);
  WriteNumber(section, "MarkRowHeader", p.m_bMarkRowHeader);
  WriteNumber(section, "3dHeader", p.m_b3dHeader);
  WriteNumber(section, "HorizontalLines", p.m_bHorzLines);
  WriteNumber(section, "VerticalLines", p.m_bVertLines);
  for (auto& [id, entry] : p.UserProperties()) {
    if (!entry.style || !entry.style->GetIncludeValue()) continue;
    CString key;
    key.Format("UP%u", static_cast<unsigned>(id));
    Write(section, key, entry.style->GetValue());
  }
  WriteNumber(section, "Page Order", p.m_nPageOrder);
  WriteNumber(section, "Print Vertical Lines", p.m_bPrintVertLines);
  WriteNumber(section, "Print Horizontal Lines", p.m_bPrintHorzLines);
  WriteNumber(section, "Print Only Black&White", p.m_bBlackWhite);
  WriteNumber(section, "Print Row Headers", p.m_bPrintRowHeaders);
  WriteNumber(section, "Print Column Headers", p.m_bPrintColHeaders);
  WriteNumber(section, "Center Vertical", p.m_bCenterVertical);
  WriteNumber(section, "Center Horizontal", p.m_bCenterHorizontal);
  WriteNumber(section, "Print Frame", p.m_bPrintFrame);
  CString text;
  // Kept bottom, left, top, right; written top, left, bottom, right.
  text.Format("%ld,%ld,%ld,%ld", static_cast<long>(p.m_nMargins[2]), static_cast<long>(p.m_nMargins[1]),
              static_cast<long>(p.m_nMargins[0]), static_cast<long>(p.m_nMargins[3]));
  Write(section, "Margins", text);
  WriteNumber(section, "Start Page Numbering", p.m_nFirstPage);
  text.Format("%ld,%ld", static_cast<long>(p.m_nDistances[0]), static_cast<long>(p.m_nDistances[1]));
  Write(section, "Distances", text);
}

BOOL CGXGridProfileImpl::ReadProperties(CGXProperties& p) {
  const CString& section = p.m_sSection;
  ::WriteProfileString(nullptr, nullptr, nullptr);
  if (ReadNames(section).empty()) return FALSE;
  for (int i = 0; i < p.GetColorCount(); ++i) {
    const CString text = Read(section, p.GetColorName(i));
    if (!text.IsEmpty())
      p.ColorValues()[static_cast<std::size_t>(i)] =
          GXPackedColor::FromColorRef(static_cast<COLORREF>(std::strtoul(text, nullptr, 10)));
  }
  ReadNumber(section, "MarkColumnHeader", p.m_bMarkColHeader);
  ReadNumber(section, "MarkRowHeader", p.m_bMarkRowHeader);
  ReadNumber(section, "3dHeader", p.m_b3dHeader);
  ReadNumber(section, "HorizontalLines", p.m_bHorzLines);
  ReadNumber(section, "VerticalLines", p.m_bVertLines);
  for (auto& [id, entry] : p.UserProperties()) {
    CString key;
    key.Format("UP%u", static_cast<unsigned>(id));
    if (!entry.style) entry.style = std::make_unique<CGXStyle>();
    entry.style->SetValue(Read(section, key));
  }
  ReadNumber(section, "Page Order", p.m_nPageOrder);
  ReadNumber(section, "Print Vertical Lines", p.m_bPrintVertLines);
  ReadNumber(section, "Print Horizontal Lines", p.m_bPrintHorzLines);
  ReadNumber(section, "Print Only Black&White", p.m_bBlackWhite);
  ReadNumber(section, "Print Row Headers", p.m_bPrintRowHeaders);
  ReadNumber(section, "Print Column Headers", p.m_bPrintColHeaders);
  ReadNumber(section, "Center Vertical", p.m_bCenterVertical);
  ReadNumber(section, "Center Horizontal", p.m_bCenterHorizontal);
  ReadNumber(section, "Print Frame", p.m_bPrintFrame);
  ReadNumber(section, "Start Page Numbering", p.m_nFirstPage);
  ReadList(Read(section, "Margins"), {&p.m_nMargins[2], &p.m_nMargins[1], &p.m_nMargins[0], &p.m_nMargins[3]});
  ReadList(Read(section, "Distances"), {&p.m_nDistances[0], &p.m_nDistances[1]});
  return TRUE;
}

// -------------------------------------------------------------- styles

void CGXGridProfileImpl::WriteStyle(const CGXStyle& style, LPCTSTR section, const CGXStylesMap* map) {
  if (section == nullptr || *section == '\0') return;
  auto put = [section](LPCTSTR key, BOOL set, unsigned long value) {
    if (set) {
      WriteUnsigned(section, key, value);
    } else {
      Write(section, key, nullptr);
    }
  };
  auto putText = [section](LPCTSTR key, BOOL set, const CString& value) { Write(section, key, set ? LPCTSTR(value) : nullptr); };

  // Alignments are kept as 0 left, 1 centre, 2 right and 0 top, 4 centre,
  // 8 bottom, the text-drawing flags' own values.
  put("HorizontalAlignment", style.GetIncludeHorizontalAlignment(), style.GetHorizontalAlignment());
  put("VerticalAlignment", style.GetIncludeVerticalAlignment(), style.GetVerticalAlignment());
  put("ReadOnly", style.GetIncludeReadOnly(), style.GetReadOnly() ? 1 : 0);
  put("FloatCell", style.GetIncludeFloatCell(), style.GetFloatCell() ? 1 : 0);
  put("FloodCell", style.GetIncludeFloodCell(), style.GetFloodCell() ? 1 : 0);
  put("MergeCell", style.GetIncludeMergeCell(), style.GetMergeCell());
  put("Draw3dFrame", style.GetIncludeDraw3dFrame(), style.GetDraw3dFrame());
  put("ControlId", style.GetIncludeControl(), style.GetControl());
  put("MaxLength", style.GetIncludeMaxLength(), style.GetMaxLength());
  put("VerticalScrollbar", style.GetIncludeVerticalScrollbar(), style.GetVerticalScrollbar() ? 1 : 0);
  // A base style can only be named through a styles map.
  CString base;
  BOOL baseSet = FALSE;
  if (style.GetIncludeBaseStyle() && map != nullptr) {
    UINT resourceId = 0;
    if (LPCTSTR name = map->GetStyleEntry(static_cast<WORD>(style.GetBaseStyle()), resourceId)) {
      baseSet = TRUE;
      base = resourceId != 0 ? Identifier(name, resourceId) : CString(name);
    }
  }
  putText("BaseStyle", baseSet, base);
  CString color;
  if (style.GetIncludeTextColor()) {
    const COLORREF rgb = style.GetTextColorRGB();
    color.Format("%d %d %d", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
  }
  putText("TextColor", style.GetIncludeTextColor(), color);
  put("WrapText", style.GetIncludeWrapText(), style.GetWrapText() ? 1 : 0);
  put("AutoSize", style.GetIncludeAutoSize(), style.GetAutoSize() ? 1 : 0);
  put("AllowEnter", style.GetIncludeAllowEnter(), style.GetAllowEnter() ? 1 : 0);
  put("Enabled", style.GetIncludeEnabled(), style.GetEnabled() ? 1 : 0);
  put("TriState", style.GetIncludeTriState(), style.GetTriState() ? 1 : 0);
  putText("Value", style.GetIncludeValue(), style.GetValue());
  putText("Interior", style.GetIncludeInterior(),
          style.GetIncludeInterior() ? style.GetInterior().GetDescription() : CString());
  put("Format", style.GetIncludeFormat(), style.GetFormat());
  put("Places", style.GetIncludePlaces(), style.GetPlaces());
  putText("ChoicesList", style.GetIncludeChoiceList(), EscapeChoices(style.GetChoiceList()));
  putText("Font", style.GetIncludeFont(), style.GetIncludeFont() ? style.GetFont().GetDescription() : CString());
  putText("Borders", style.GetIncludeBorders(), "1");
  if (style.GetIncludeBorders()) {
    const char* keys[4] = {"Top", "Left", "Bottom", "Right"};
    for (int side = 0; side < 4; ++side) {
      const CGXStyleBorder& border = style.GetBorders(side);
      putText(keys[side], border.GetInclude(), border.GetInclude() ? border.GetDescription() : CString());
    }
  }
  if (const CGXUserAttributeMap* attributes = style.GetUserAttributeMap()) {
    for (int i = 0; i < attributes->GetSize(); ++i) {
      CString key;
      key.Format("UA%lu", static_cast<unsigned long>(attributes->At(i)->m_nId));
      Write(section, key, attributes->At(i)->GetValue());
    }
  }
}

BOOL CGXGridProfileImpl::ReadStyle(CGXStyle& style, LPCTSTR section, const CGXStylesMap* map) {
  if (section == nullptr || *section == '\0') return 0;
  style.Free();
  auto value = [section](LPCTSTR key) { return Read(section, key); };
  auto number = [&value](LPCTSTR key, unsigned long& out) {
    const CString text = value(key);
    if (text.IsEmpty()) return false;
    out = static_cast<unsigned long>(std::strtol(text, nullptr, 10));
    return true;
  };
  unsigned long n = 0;
  if (number("HorizontalAlignment", n)) style.SetHorizontalAlignment(n == 1 ? DT_CENTER : n == 2 ? DT_RIGHT : DT_LEFT);
  if (number("VerticalAlignment", n)) style.SetVerticalAlignment(n == 4 ? DT_VCENTER : n == 8 ? DT_BOTTOM : DT_TOP);
  if (number("ReadOnly", n)) style.SetReadOnly(n & 1);
  if (number("FloatCell", n)) style.SetFloatCell(n & 1);
  if (number("FloodCell", n)) style.SetFloodCell(n & 1);
  if (number("MergeCell", n)) style.SetMergeCell(n & 7);
  if (number("Draw3dFrame", n)) style.SetDraw3dFrame(n & 3);
  if (number("ControlId", n)) style.SetControl(static_cast<WORD>(n));
  if (number("MaxLength", n)) style.SetMaxLength(static_cast<WORD>(n));
  if (number("VerticalScrollbar", n)) style.SetVerticalScrollbar(n & 1);
  if (number("WrapText", n)) style.SetWrapText(n & 1);
  if (number("AutoSize", n)) style.SetAutoSize(n & 1);
  if (number("AllowEnter", n)) style.SetAllowEnter(n & 1);
  if (number("Enabled", n)) style.SetEnabled(n & 1);
  if (number("TriState", n)) style.SetTriState(n & 1);
  if (number("Format", n)) style.SetFormat(n & 31);
  if (number("Places", n)) style.SetPlaces(n & 15);
  const CString text = value("Value");
  if (!text.IsEmpty()) style.SetValue(text);

  const CString color = value("TextColor");
  if (!color.IsEmpty()) {
    const char* p = color;
    while (*p == ' ') ++p;
    char* end = nullptr;
    const long red = std::strtol(p, &end, 10);
    const char* g = end != p ? std::strchr(end, ' ') : nullptr;
    if (g != nullptr) {
      const long green = std::strtol(g + 1, &end, 10);
      const char* b = end != g + 1 ? std::strchr(end, ' ') : nullptr;
      if (b != nullptr) {
        const long blue = std::strtol(b + 1, &end, 10);
        if (end != b + 1)
          style.SetTextColor(RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue)));
      }
    }
  }
  if (map != nullptr) {
    const CString base = value("BaseStyle");
    if (!base.IsEmpty()) {
      const WORD id = base[0] == '#'
                          ? map->FindIdByResourceId(static_cast<UINT>(std::strtoul(LPCTSTR(base) + 1, nullptr, 10)))
                          : map->FindIdByName(base);
      style.SetBaseStyle(id);
    }
  }
  const CString choices = value("ChoicesList");
  if (!choices.IsEmpty()) style.SetChoiceList(UnescapeChoices(choices));
  const CString font = value("Font");
  if (!font.IsEmpty()) style.SetFont(CGXFont::CGXFontFromText(font));
  const CString interior = value("Interior");
  if (!interior.IsEmpty()) {
    CGXStyleInterior read;
    read.SetDescription(interior);
    style.SetInterior(read);
  }
  if (value("Borders") == "1") {
    const char* keys[4] = {"Top", "Left", "Bottom", "Right"};
    for (int side = 0; side < 4; ++side) {
      const CString border = value(keys[side]);
      if (border.IsEmpty()) continue;
      CGXStyleBorder read;
      read.SetDescription(border);
      style.SetBorder(side, read);
    }
  }
  if (map != nullptr) {
    for (const auto& [id, entry] : map->GetUserAttributeMap()) {
      CString key;
      key.Format("UA%u", static_cast<unsigned>(id));
      const CString attribute = value(key);
      if (!attribute.IsEmpty()) style.SetUserAttributeText(id, attribute);
    }
  }
  return 1;
}

// ------------------------------------------------------------- fonts

void CGXGridProfileImpl::WriteFont(const CGXFont& font, LPCTSTR section, LPCTSTR key) {
  if (section == nullptr || key == nullptr) return;
  Write(section, key, font.GetDescription());
}

BOOL CGXGridProfileImpl::ReadFont(CGXFont& font, LPCTSTR section, LPCTSTR key) {
  if (section == nullptr || key == nullptr) return FALSE;
  const CString text = Read(section, key);
  if (text.IsEmpty()) return FALSE;
  font.SetDescription(text);
  return TRUE;
}

// ---------------------------------------------------------- styles map

void CGXGridProfileImpl::WriteStylesMap(CGXStylesMap& map) {
  // The old list goes with its sections.
  for (const CString& identifier : ReadNames(map.m_sSection))
    Write(StyleSection(map, identifier), nullptr, nullptr);
  Write(map.m_sSection, nullptr, nullptr);
  for (const auto& [name, id] : map.NameIds()) {
    const CGXStyle* style = nullptr;
    if (!map.LookupStyle(id, style) || style == nullptr) continue;
    UINT resourceId = 0;
    map.GetStyleEntry(id, resourceId);
    const CString identifier = Identifier(name, resourceId);
    Write(map.m_sSection, identifier, "1");
    WriteStyle(*style, StyleSection(map, identifier), &map);
  }
}

BOOL CGXGridProfileImpl::ReadStylesMap(CGXStylesMap& map) {
  // The whole list, however long.
  const std::vector<CString> identifiers = ReadNames(map.m_sSection);
  if (identifiers.empty()) return FALSE;
  for (const CString& identifier : identifiers) {
    CObject* object = map.GetStyleClass()->CreateObject();
    std::unique_ptr<CGXStyle> style(dynamic_cast<CGXStyle*>(object));
    if (!style) {
      delete object;
      style = std::make_unique<CGXStyle>();
    }
    ReadStyle(*style, StyleSection(map, identifier), &map);
    if (identifier[0] == '#') {
      map.RegisterStyle(static_cast<UINT>(std::strtoul(LPCTSTR(identifier) + 1, nullptr, 10)), *style, FALSE);
    } else {
      map.RegisterStyleByName(identifier, *style, FALSE);
    }
  }
  map.m_wStyleStandard = map.FindIdByResourceId(52768);
  map.m_wStyleColHeader = map.FindIdByResourceId(52770);
  map.m_wStyleRowHeader = map.FindIdByResourceId(52769);
  const CGXStyle* standard = nullptr;
  CGXStyle* editable = nullptr;
  if (map.LookupStyle(map.m_wStyleStandard, standard) && standard != nullptr &&
      map.LookupStyle(map.m_wStyleStandard, editable) && editable != nullptr) {
    CGXStyle defaults;
    defaults.SetDefaultStyle();
    editable->ChangeStyle(defaults, 1);
  }
  return TRUE;
}
