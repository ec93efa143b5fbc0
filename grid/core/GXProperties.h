// Grid-wide display and print settings of a parameter object: grid lines,
// 3-D headers, named colours, user properties, margins, print options and
// the page header and footer.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "grid/core/GXData.h"
#include "grid/core/GXStyle.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXGridCore;
class CGXGridParam;
class CDC;
class CGXAbstractGridPrintImp;
class CGXStylesMap;
class CDocument;

class CGXProperties : public CObject {
  DECLARE_SERIAL(CGXProperties)

 public:
  struct UserProperty {
    WORD id = 0;
    CString name;
    std::unique_ptr<CGXStyle> style;
  };

  CGXProperties();
  CGXProperties(const CGXProperties& other);
  CGXProperties& operator=(const CGXProperties& other);
  ~CGXProperties() override { RemoveAll(); }

  // Virtual operations in their fixed order, which the features rely on.
  void Serialize(CArchive& ar) override;
  virtual void AddDefaultUserProperties();
  virtual void WriteProfile();
  virtual BOOL ReadProfile();
  virtual CString SubstTokenText(LPCTSTR text);
  virtual CString GetTokenValue(int token, CString& rest);

  int AddColor(LPCTSTR name, COLORREF color);
  int AddColorById(UINT stringId, COLORREF color);
  COLORREF GetColor(int index) const;
  int GetColorCount() const { return static_cast<int>(colorValues_.size()); }
  LPCTSTR GetColorName(int index) const;
  int AddToken(LPCTSTR text);
  const std::vector<CString>& GetTokens() const { return tokens_; }

  void SetUserProperty(WORD id, const CGXStyle& style);
  void ChangeUserProperty(WORD id, const CGXStyle& style);
  const CGXStyle& GetUserProperty(WORD id) const;
  void RemoveAll();

  // The first grid that shows these properties, and the page work its
  // print feature does for them (nothing, 0 or empty without one).
  CGXGridCore* GetPrintGrid() const;
  void PrintHeaderFooter(CDC* dc, void* info, CDocument* document, CGXGridParam* param);
  int CalcHeaderFooterHeight(CDC* dc, CGXData* headerOrFooter, CGXStylesMap* map);
  void DrawHeaderFooter(CDC* dc, void* info, const RECT& rect, CGXData* headerOrFooter, CGXStylesMap* map);
  CString GetTokenArgs(CString& rest);

  CGXData& GetDataHeader() { return header_; }
  CGXData& GetDataFooter() { return footer_; }

  BOOL GetDisplay3dButtons() const { return m_b3dHeader; }
  BOOL GetDisplayVertLines() const { return printState_ ? m_bPrintVertLines : m_bVertLines; }
  BOOL GetDisplayHorzLines() const { return printState_ ? m_bPrintHorzLines : m_bHorzLines; }
  void SetPrintState(void* state) { printState_ = state; }
  void* GetPrintState() const { return printState_; }

  // The whole state, for the features that archive, copy and keep it in
  // the profile.
  std::vector<CString>& Tokens() { return tokens_; }
  std::map<WORD, UserProperty>& UserProperties() { return userProperties_; }
  const std::map<WORD, UserProperty>& UserProperties() const { return userProperties_; }
  std::vector<CString>& ColorNames() { return colorNames_; }
  std::vector<GXPackedColor>& ColorValues() { return colorValues_; }
  const std::vector<CString>& ColorNames() const { return colorNames_; }
  const std::vector<GXPackedColor>& ColorValues() const { return colorValues_; }

  CString m_frameNames[5];
  BOOL m_b3dHeader = TRUE;
  BOOL m_bVertLines = TRUE;
  BOOL m_bHorzLines = TRUE;
  BOOL m_bMarkRowHeader = TRUE;
  BOOL m_bMarkColHeader = TRUE;
  CString m_sSection = "Grid";
  int m_nZoom = 100;
  int m_nMargins[4] = {};
  BOOL m_bCenterHorizontal = TRUE;
  BOOL m_bCenterVertical = FALSE;
  BOOL m_bPrintColHeaders = TRUE;
  BOOL m_bPrintHorzLines = TRUE;
  BOOL m_bPrintRowHeaders = TRUE;
  BOOL m_bPrintVertLines = TRUE;
  int m_nPageOrder = 0;
  BOOL m_bBlackWhite = TRUE;
  BOOL m_bPrintFrame = TRUE;
  int m_nDistances[2] = {};
  int m_nFirstPage = -1;
  WORD m_wPrintOptions[2] = {};
  // User page breaks: the columns and rows that start a printed page.
  CDWordArray m_awColBreaks;
  CDWordArray m_awRowBreaks;
  // The token values of the page being printed, by token index.
  std::vector<CString> m_tokenValues;

 private:
  CGXStyle empty_;
  std::vector<CString> tokens_;
  std::map<WORD, UserProperty> userProperties_;
  CGXAbstractGridPrintImp* PrintFeature() const;

  void* printState_ = nullptr;
  std::vector<CString> colorNames_;
  std::vector<GXPackedColor> colorValues_;
  CGXData footer_;
  CGXData header_;
};
