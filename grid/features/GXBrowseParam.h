// The parameter object of grids that browse the records of a data source:
// besides what every parameter object shares between views, it keeps the
// field list and browsing options, copies its options with the parameter
// object and stores a byte and a style array of its own in archives.
#pragma once

#include <memory>
#include <vector>

#include "grid/core/GXGridParam.h"

class CGXBrowseParam : public CGXGridParam {
  DECLARE_SERIAL(CGXBrowseParam)

 public:
  static constexpr WORD kSchema = 2;

  // One field of the data source: its name and an object the field owns
  // (moved, never copied, as the list grows).
  struct Field {
    DWORD reserved = 0;
    CString name;
    std::unique_ptr<CObject> owned;
  };

  CGXBrowseParam();
  CGXBrowseParam(const CGXBrowseParam&) = delete;
  CGXBrowseParam& operator=(const CGXBrowseParam&) = delete;
  ~CGXBrowseParam() override;

  void Serialize(CArchive& ar) override;
  // Copies the options; the field list and the style array stay this
  // object's own.
  void CopyFrom(const CGXGridParam& other) override;

  DWORD m_dwOptions[2] = {0, 0};
  DWORD m_nMaxColWidth = 255;
  DWORD m_dwOption = 1;
  DWORD m_nWords[2] = {0, 0};
  BYTE m_byStored = 0;
  CDWordArray m_awFirst;
  CDWordArray m_awSecond;
  std::vector<Field>* m_pFields = nullptr;
  short m_nShort = 0;
  DWORD m_nMore[2] = {0, 0};
  CObject* m_pOwned = nullptr;
  DWORD m_nWord1 = 1;
  LONG m_nCursor[2] = {-1, -1};
  LONG m_nMaxValue = 2147483647;
  CGXStylePtrArray* m_pStyles = nullptr;
};

// A browsing grid's field of a column: its column in the data less the
// header columns and one.
short GXBrowseFieldFromCol(ROWCOL dataCol, ROWCOL headerCols);
