// The named base styles of a grid (the standard style, the header styles
// and any style a cell refers to by its BaseStyle id), and the registry of
// cell types and user attributes with their display names.
#pragma once

#include <map>
#include <memory>

#include "grid/core/GXStyle.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXStylesMap : public CObject {
  DECLARE_SERIAL(CGXStylesMap)

 public:
  struct StyleEntry {
    WORD id = 0;
    UINT resourceId = 0;
    CString name;
    std::unique_ptr<CGXStyle> style;
    BOOL builtIn = FALSE;
  };
  struct UserAttributeEntry {
    WORD id = 0;
    CString name;
    std::unique_ptr<CGXStyle> style;
  };

  explicit CGXStylesMap(CRuntimeClass* styleClass = nullptr);
  CGXStylesMap(const CGXStylesMap& other);
  CGXStylesMap& operator=(const CGXStylesMap& other);
  ~CGXStylesMap() override { RemoveAll(); }

  void Serialize(CArchive& ar) override;
  virtual void WriteProfile();
  virtual BOOL ReadProfile();

  void CreateStandardStyles();
  WORD RegisterStyle(UINT stringId, const CGXStyle& style, BOOL builtIn);
  WORD RegisterStyleByName(LPCTSTR name, const CGXStyle& style, BOOL builtIn);
  void SetStyleEntry(WORD id, const CGXStyle& style, LPCTSTR name, UINT resourceId, BOOL builtIn);
  BOOL LookupStyle(WORD id, const CGXStyle*& style) const;
  BOOL LookupStyle(WORD id, CGXStyle*& style);
  // Name and resource id of an entry; null and 0 when the id is unknown.
  LPCTSTR GetStyleEntry(WORD id, UINT& resourceId) const;
  WORD FindIdByName(LPCTSTR name) const;
  WORD FindIdByResourceId(UINT stringId) const;

  // Iteration over the names.
  POSITION GetFirstStylePosition() const;
  void GetNextStyle(POSITION& pos, WORD& id, CString& name, UINT& resourceId, const CGXStyle*& style) const;

  void AddControl(WORD controlId);
  LPCTSTR GetControlName(WORD controlId) const;
  void AddUserAttribute(WORD id, const CGXStyle* style = nullptr);
  const std::map<WORD, UserAttributeEntry>& GetUserAttributeMap() const { return userAttributes_; }

  // The whole state, for the features that archive, copy and keep it in
  // the profile.
  CRuntimeClass* GetStyleClass() const { return styleClass_; }
  void SetStyleClass(CRuntimeClass* styleClass) { styleClass_ = styleClass; }
  std::map<WORD, StyleEntry>& StyleEntries() { return styles_; }
  const std::map<WORD, StyleEntry>& StyleEntries() const { return styles_; }
  std::map<CString, WORD>& NameIds() { return names_; }
  const std::map<CString, WORD>& NameIds() const { return names_; }
  std::map<UINT, WORD>& ResourceIds() { return resourceIds_; }
  const std::map<UINT, WORD>& ResourceIds() const { return resourceIds_; }
  std::map<WORD, CString>& ControlNames() { return controlNames_; }
  const std::map<WORD, CString>& ControlNames() const { return controlNames_; }
  std::map<WORD, UserAttributeEntry>& UserAttributes() { return userAttributes_; }
  WORD GetNextId() const { return nextId_; }
  void SetNextId(WORD id) { nextId_ = id; }

  void RemoveAll();
  void RemoveAllStyles();
  void RemoveAllControls() { controlNames_.clear(); }

  WORD m_wStyleStandard = 0;
  WORD m_wStyleColHeader = 0;
  WORD m_wStyleRowHeader = 0;
  CString m_sSection = "Styles";

 private:
  CGXStyle* NewStyle() const;

  CRuntimeClass* styleClass_;
  std::map<WORD, StyleEntry> styles_;
  std::map<UINT, WORD> resourceIds_;
  std::map<CString, WORD> names_;
  WORD nextId_ = 0;
  std::map<WORD, CString> controlNames_;
  std::map<WORD, UserAttributeEntry> userAttributes_;
};
