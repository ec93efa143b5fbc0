#include "grid/features/GXBrowseParam.h"

#include <memory>

#include "platform/base/Exceptions.h"

IMPLEMENT_SERIAL(CGXBrowseParam, CGXGridParam, 0)

CGXBrowseParam::CGXBrowseParam() = default;

CGXBrowseParam::~CGXBrowseParam() {
  delete m_pFields;
  delete m_pOwned;
  delete m_pStyles;
}

void CGXBrowseParam::Serialize(CArchive& ar) {
  CGXGridParam::Serialize(ar);
  if (ar.IsStoring()) {
    ar << kSchema << m_byStored;
    ar.WriteObject(m_pStyles);
    return;
  }
  WORD schema = 0;
  ar >> schema;
  if (schema > kSchema) AfxThrowArchiveException(CArchiveException::badSchema);
  BYTE stored = 0;
  ar >> stored;
  std::unique_ptr<CGXStylePtrArray> styles;
  if (schema >= 2) {
    const std::size_t mark = ar.LoadMark();
    CObject* object = ar.ReadObject(RUNTIME_CLASS(CGXStylePtrArray));
    // A reference back to an object read before would give it two owners.
    if (object != nullptr && ar.LoadMark() == mark) AfxThrowArchiveException(CArchiveException::badIndex);
    styles.reset(static_cast<CGXStylePtrArray*>(object));
  }
  m_byStored = stored;
  if (schema >= 2) {
    delete m_pStyles;
    m_pStyles = styles.release();
  }
}

void CGXBrowseParam::CopyFrom(const CGXGridParam& other) {
  CGXGridParam::CopyFrom(other);
  const auto* browse = dynamic_cast<const CGXBrowseParam*>(&other);
  if (browse == nullptr || browse == this) return;
  m_dwOptions[0] = browse->m_dwOptions[0];
  m_dwOptions[1] = browse->m_dwOptions[1];
  m_nMaxColWidth = browse->m_nMaxColWidth;
  m_dwOption = browse->m_dwOption;
  m_nMaxValue = browse->m_nMaxValue;
}

short GXBrowseFieldFromCol(ROWCOL dataCol, ROWCOL headerCols) {
  return static_cast<short>(dataCol - headerCols - 1);
}
