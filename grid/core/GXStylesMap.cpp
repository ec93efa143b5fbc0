#include "grid/core/GXStylesMap.h"

#include <iterator>

#include "grid/core/GXAppData.h"
#include "platform/base/Exceptions.h"
#include "platform/window/Messages.h"

IMPLEMENT_SERIAL(CGXStylesMap, CObject, 0)

CGXStylesMap::CGXStylesMap(CRuntimeClass* styleClass)
    : styleClass_(styleClass != nullptr ? styleClass : RUNTIME_CLASS(CGXStyle)) {}

CGXStylesMap::CGXStylesMap(const CGXStylesMap& other) : CObject(), styleClass_(other.styleClass_) { *this = other; }

CGXStylesMap& CGXStylesMap::operator=(const CGXStylesMap& other) {
  if (&other == this) return *this;
  if (CGXAbstractGridParamCopyOperatorImp* imp = GXGetAppData()->m_pParamCopyOperatorImp) imp->CopyStylesMap(*this, other);
  return *this;
}

void CGXStylesMap::Serialize(CArchive& ar) {
  if (CGXGridDocSerializeImp* imp = GXGetAppData()->m_pDocSerializeImp) imp->SerializeStylesMap(*this, ar);
}

void CGXStylesMap::WriteProfile() {
  if (CGXGridProfileImp* imp = GXGetAppData()->m_pGridProfileImp) imp->WriteStylesMap(*this);
}

BOOL CGXStylesMap::ReadProfile() {
  CGXGridProfileImp* imp = GXGetAppData()->m_pGridProfileImp;
  return imp != nullptr ? imp->ReadStylesMap(*this) : FALSE;
}

CGXStyle* CGXStylesMap::NewStyle() const {
  CObject* object = styleClass_->CreateObject();
  auto* style = dynamic_cast<CGXStyle*>(object);
  if (style == nullptr) {
    delete object;
    style = new CGXStyle;
  }
  return style;
}

void CGXStylesMap::CreateStandardStyles() {
  CGXStyle standard;
  standard.SetDefaultStyle();
  CGXFont small;
  small.SetDefault().SetSize(8);
  standard.SetFont(small, 0);
  m_wStyleStandard = RegisterStyle(52768, standard, TRUE);

  const COLORREF buttonFace = GXPackedColor{3, COLOR_BTNFACE}.Transfer();
  CGXStyle columnHeader;
  columnHeader.SetFont(CGXFont().SetBold(TRUE))
      .SetInterior(CGXStyleInterior(buttonFace))
      .SetHorizontalAlignment(DT_CENTER)
      .SetVerticalAlignment(DT_VCENTER)
      .SetControl(52520);
  m_wStyleColHeader = RegisterStyle(52770, columnHeader, TRUE);

  CGXStyle rowHeader;
  rowHeader.SetInterior(CGXStyleInterior(buttonFace)).SetControl(52520);
  m_wStyleRowHeader = RegisterStyle(52769, rowHeader, TRUE);
}

WORD CGXStylesMap::RegisterStyle(UINT stringId, const CGXStyle& style, BOOL builtIn) {
  CString name;
  if (!GXLoadString(stringId, name)) name.Format("UA%u", stringId);
  WORD id;
  auto known = resourceIds_.find(stringId);
  if (known != resourceIds_.end()) {
    id = known->second;
  } else {
    id = nextId_++;
    resourceIds_[stringId] = id;
  }
  names_[name] = id;
  SetStyleEntry(id, style, name, stringId, builtIn);
  return id;
}

WORD CGXStylesMap::RegisterStyleByName(LPCTSTR name, const CGXStyle& style, BOOL builtIn) {
  WORD id;
  auto known = names_.find(CString(name));
  if (known != names_.end()) {
    id = known->second;
  } else {
    id = nextId_++;
    names_[CString(name)] = id;
  }
  SetStyleEntry(id, style, name, 0, builtIn);
  return id;
}

void CGXStylesMap::SetStyleEntry(WORD id, const CGXStyle& style, LPCTSTR name, UINT resourceId, BOOL builtIn) {
  auto it = styles_.find(id);
  if (it != styles_.end()) {
    it->second.style.reset(style.Clone());
    return;
  }
  StyleEntry& e = styles_[id];
  e.id = id;
  e.resourceId = resourceId;
  e.name = name;
  e.style.reset(style.Clone());
  e.builtIn = builtIn;
}

BOOL CGXStylesMap::LookupStyle(WORD id, const CGXStyle*& style) const {
  auto it = styles_.find(id);
  if (it == styles_.end()) return FALSE;
  style = it->second.style.get();
  return TRUE;
}

BOOL CGXStylesMap::LookupStyle(WORD id, CGXStyle*& style) {
  auto it = styles_.find(id);
  if (it == styles_.end()) return FALSE;
  style = it->second.style.get();
  return TRUE;
}

LPCTSTR CGXStylesMap::GetStyleEntry(WORD id, UINT& resourceId) const {
  auto it = styles_.find(id);
  if (it == styles_.end()) {
    resourceId = 0;
    return nullptr;
  }
  resourceId = it->second.resourceId;
  return it->second.name;
}

WORD CGXStylesMap::FindIdByName(LPCTSTR name) const {
  auto it = names_.find(CString(name));
  return it == names_.end() ? 0 : it->second;
}

WORD CGXStylesMap::FindIdByResourceId(UINT stringId) const {
  auto it = resourceIds_.find(stringId);
  return it == resourceIds_.end() ? 0 : it->second;
}

// Positions are 1-based indexes into the name map.
POSITION CGXStylesMap::GetFirstStylePosition() const {
  return names_.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(1));
}

void CGXStylesMap::GetNextStyle(POSITION& pos, WORD& id, CString& name, UINT& resourceId,
                                const CGXStyle*& style) const {
  const auto index = reinterpret_cast<std::uintptr_t>(pos);
  auto it = std::next(names_.begin(), static_cast<std::ptrdiff_t>(index - 1));
  name = it->first;
  id = it->second;
  style = nullptr;
  resourceId = 0;
  auto entry = styles_.find(id);
  if (entry != styles_.end()) {
    style = entry->second.style.get();
    resourceId = entry->second.resourceId;
  }
  pos = index < names_.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
}

void CGXStylesMap::AddControl(WORD controlId) {
  if (controlNames_.count(controlId) != 0) return;
  CString name;
  if (!GXLoadString(controlId, name)) AfxThrowResourceException();
  controlNames_[controlId] = name;
}

LPCTSTR CGXStylesMap::GetControlName(WORD controlId) const {
  auto it = controlNames_.find(controlId);
  return it == controlNames_.end() ? nullptr : static_cast<LPCTSTR>(it->second);
}

void CGXStylesMap::AddUserAttribute(WORD id, const CGXStyle* style) {
  if (userAttributes_.count(id) != 0) return;
  CString name;
  if (!GXLoadString(id, name)) AfxThrowResourceException();
  UserAttributeEntry& e = userAttributes_[id];
  e.id = id;
  e.name = name;
  e.style.reset(NewStyle());
  if (style != nullptr) e.style->Assign(*style);
}

void CGXStylesMap::RemoveAllStyles() {
  styles_.clear();
  names_.clear();
  nextId_ = 0;
}

void CGXStylesMap::RemoveAll() {
  RemoveAllStyles();
  RemoveAllControls();
  userAttributes_.clear();
}
