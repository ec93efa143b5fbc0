#include "grid/core/GXProperties.h"

#include "grid/core/GXAppData.h"
#include "grid/core/GXFont.h"
#include "grid/core/GXGridCore.h"
#include "platform/base/Exceptions.h"
#include "platform/window/Messages.h"

IMPLEMENT_SERIAL(CGXProperties, CObject, 0)

namespace {

constexpr UINT kFrameNameIds[5] = {51006, 51007, 51008, 51009, 20059};

COLORREF SystemColor(int index) { return GXPackedColor{3, static_cast<DWORD>(index)}.Transfer(); }

}  // namespace

CGXProperties::CGXProperties() {
  for (int i = 0; i < 5; ++i) m_frameNames[i] = GXGetString(kFrameNameIds[i]);
  for (const char* token : {"$F", "$A", "$P", "$N", "$D", "$R"}) tokens_.emplace_back(token);
  AddColorById(52232, SystemColor(COLOR_GRAYTEXT));
  AddColorById(52233, SystemColor(COLOR_ACTIVECAPTION));
  AddColorById(52234, RGB(255, 0, 0));
  AddColorById(52236, RGB(255, 0, 0));
  AddColorById(52235, SystemColor(COLOR_BTNFACE));

  const int dpiX = GXGetFontState().m_nLogPixelsX;
  m_nMargins[0] = dpiX * 3 / 2;
  m_nMargins[1] = dpiX;
  m_nMargins[2] = dpiX * 3 / 2;
  m_nMargins[3] = dpiX;
  m_nDistances[0] = m_nDistances[1] = dpiX * 4 / 10;

  footer_.StoreRowCount(10);
  footer_.StoreColCount(3);
  CGXStyle date("$D");
  footer_.StoreStyleRowCol(1, 1, &date, 0, 0);
  CGXStyle pages("$P/$N");
  footer_.StoreStyleRowCol(1, 3, &pages, 0, 0);
  header_.StoreRowCount(10);
  header_.StoreColCount(3);
  CGXStyle title("$R");
  title.SetFont(CGXFont().SetBold(TRUE).SetSize(16));
  header_.StoreStyleRowCol(1, 2, &title, 0, 0);
}

CGXProperties::CGXProperties(const CGXProperties& other) : CObject() { *this = other; }

CGXProperties& CGXProperties::operator=(const CGXProperties& other) {
  if (&other == this) return *this;
  if (CGXAbstractGridParamCopyOperatorImp* imp = GXGetAppData()->m_pParamCopyOperatorImp) imp->CopyProperties(*this, other);
  return *this;
}

void CGXProperties::Serialize(CArchive& ar) {
  if (CGXGridDocSerializeImp* imp = GXGetAppData()->m_pDocSerializeImp) imp->SerializeProperties(*this, ar);
}

void CGXProperties::WriteProfile() {
  if (CGXGridProfileImp* imp = GXGetAppData()->m_pGridProfileImp) imp->WriteProperties(*this);
}

BOOL CGXProperties::ReadProfile() {
  CGXGridProfileImp* imp = GXGetAppData()->m_pGridProfileImp;
  return imp != nullptr ? imp->ReadProperties(*this) : FALSE;
}

int CGXProperties::AddColor(LPCTSTR name, COLORREF color) {
  for (std::size_t i = 0; i < colorNames_.size(); ++i)
    if (colorNames_[i] == name) return static_cast<int>(i);
  colorNames_.emplace_back(name);
  colorValues_.push_back(GXPackedColor::FromColorRef(color));
  return static_cast<int>(colorNames_.size() - 1);
}

int CGXProperties::AddColorById(UINT stringId, COLORREF color) {
  CString name;
  if (!GXLoadString(stringId, name) || name.IsEmpty()) name.Format("COLOR%u", stringId);
  return AddColor(name, color);
}

COLORREF CGXProperties::GetColor(int index) const {
  if (index < 0 || index >= GetColorCount()) return 0;
  return colorValues_[static_cast<std::size_t>(index)].Drawing();
}

LPCTSTR CGXProperties::GetColorName(int index) const {
  if (index < 0 || index >= GetColorCount()) return nullptr;
  return colorNames_[static_cast<std::size_t>(index)];
}

int CGXProperties::AddToken(LPCTSTR text) {
  tokens_.emplace_back(text);
  return static_cast<int>(tokens_.size() - 1);
}

void CGXProperties::SetUserProperty(WORD id, const CGXStyle& style) {
  auto it = userProperties_.find(id);
  if (it != userProperties_.end()) {
    it->second.style.reset(style.Clone());
    return;
  }
  UserProperty& p = userProperties_[id];
  p.id = id;
  if (!GXLoadString(id, p.name)) p.name.Format("USERPROP%u", static_cast<unsigned>(id));
  p.style.reset(style.Clone());
}

void CGXProperties::ChangeUserProperty(WORD id, const CGXStyle& style) {
  auto it = userProperties_.find(id);
  if (it == userProperties_.end()) AfxThrowResourceException();
  it->second.style->ChangeStyle(style, 0);
}

const CGXStyle& CGXProperties::GetUserProperty(WORD id) const {
  auto it = userProperties_.find(id);
  return it == userProperties_.end() ? empty_ : *it->second.style;
}

void CGXProperties::AddDefaultUserProperties() {
  CString choices;
  for (int i = 0; i < 5; ++i) {
    if (i > 0) choices += "\n";
    choices += m_frameNames[i];
  }
  CGXStyle frame;
  frame.SetControl(52529).SetChoiceList(choices).SetValue(m_frameNames[0]);
  SetUserProperty(51005, frame);
}

void CGXProperties::RemoveAll() {
  colorNames_.clear();
  colorValues_.clear();
  userProperties_.clear();
}

CGXGridCore* CGXProperties::GetPrintGrid() const { return GXLookupAppEntry(this); }

CGXAbstractGridPrintImp* CGXProperties::PrintFeature() const {
  CGXGridCore* grid = GetPrintGrid();
  return grid != nullptr ? grid->m_pPrintImp : nullptr;
}

void CGXProperties::PrintHeaderFooter(CDC* dc, void* info, CDocument* document, CGXGridParam* param) {
  if (CGXAbstractGridPrintImp* imp = PrintFeature()) imp->PrintHeaderFooter(*this, dc, info, document, param);
}

int CGXProperties::CalcHeaderFooterHeight(CDC* dc, CGXData* headerOrFooter, CGXStylesMap* map) {
  CGXAbstractGridPrintImp* imp = PrintFeature();
  return imp != nullptr ? imp->CalcHeaderFooterHeight(*this, dc, headerOrFooter, map) : 0;
}

void CGXProperties::DrawHeaderFooter(CDC* dc, void* info, const RECT& rect, CGXData* headerOrFooter,
                                     CGXStylesMap* map) {
  if (CGXAbstractGridPrintImp* imp = PrintFeature()) imp->DrawHeaderFooter(*this, dc, info, rect, headerOrFooter, map);
}

CString CGXProperties::SubstTokenText(LPCTSTR text) {
  CGXAbstractGridPrintImp* imp = PrintFeature();
  return imp != nullptr ? imp->SubstTokens(*this, text) : CString();
}

CString CGXProperties::GetTokenValue(int token, CString& rest) {
  CGXAbstractGridPrintImp* imp = PrintFeature();
  return imp != nullptr ? imp->GetTokenValue(*this, token, rest) : CString();
}

CString CGXProperties::GetTokenArgs(CString& rest) {
  CGXAbstractGridPrintImp* imp = PrintFeature();
  return imp != nullptr ? imp->GetTokenArgs(*this, rest) : CString();
}
