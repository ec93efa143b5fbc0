#include "grid/core/GXGridParam.h"

#include <initializer_list>

#include "grid/core/GXAppData.h"
#include "grid/core/GXIndexMaps.h"

IMPLEMENT_SERIAL(CGXGridParam, CObject, 1)

CGXGridParam::CGXGridParam() : m_pAppData(GXGetAppData()) {
  m_RowHeights.InitHashTable(1021);
  m_ColWidths.InitHashTable(257);
  m_RowHeights[0] = 1400;
  m_ColWidths[0] = 6000;
  m_bLinesAtRightBottom = m_pAppData->m_bLinesAtRightBottom;
  m_wGridLineStyle = m_pAppData->m_wGridLineStyle;
  EnsureCoveredCellPool();
}

CGXGridParam::~CGXGridParam() {
  EmptyUndoList();
  EmptyRedoList();
  delete m_pCoveredCellPool;
  for (CObject** pool : {&m_pFloatSpanPool, &m_pFloatDelayedPool, &m_pPrintFloatSpanPool, &m_pPrintFloatDelayedPool,
                         &m_pMergeHorzPool, &m_pMergeVertPool, &m_pMergeDelayedPool}) {
    delete *pool;
    *pool = nullptr;
  }
  GXDeletePtrArrayObjects(m_ChoiceKeyMaps);
  GXDeletePtrArrayObjects(m_ChoiceTextMaps);
  SetProperties(nullptr, FALSE);
  SetStylesMap(nullptr, FALSE);
  SetData(nullptr, FALSE);
  if (m_bOwnPrintDevice) delete m_pPrintDevice;
  m_sSheetName.Empty();
}

void CGXGridParam::Serialize(CArchive& ar) {
  if (CGXGridDocSerializeImp* imp = GXGetAppData()->m_pDocSerializeImp) imp->SerializeParam(*this, ar);
}

void CGXGridParam::CopyFrom(const CGXGridParam& other) {
  if (CGXAbstractGridParamCopyOperatorImp* imp = GXGetAppData()->m_pParamCopyOperatorImp) imp->CopyParam(*this, other);
}

namespace {

// Replaces an owned-or-borrowed pointer, deleting an owned old object
// unless it is the new one.
template <class T>
void Replace(T*& slot, BOOL& owned, T* object, BOOL ownNew) {
  if (owned && slot != object) delete slot;
  slot = object;
  owned = ownNew;
}

}  // namespace

void CGXGridParam::SetProperties(CGXProperties* p, BOOL owned) { Replace(m_pProperties, m_bOwnProperties, p, owned); }
void CGXGridParam::SetStylesMap(CGXStylesMap* m, BOOL owned) { Replace(m_pStylesMap, m_bOwnStylesMap, m, owned); }
void CGXGridParam::SetData(CGXData* d, BOOL owned) { Replace(m_pData, m_bOwnData, d, owned); }

void CGXGridParam::EmptyRedoList() { GXDeleteListObjects(m_RedoList); }
void CGXGridParam::EmptyUndoList() { GXDeleteListObjects(m_UndoList); }

void CGXGridParam::EnsureCoveredCellPool() {
  if (m_pCoveredCellPool != nullptr) return;
  if (CGXCoveredCellPoolImp* imp = m_pAppData->m_pCoveredCellPoolImp) m_pCoveredCellPool = imp->CreatePool(*this);
}

void CGXGridParam::UpdateCoveredCellPool() {
  if (CGXCoveredCellPoolImp* imp = m_pAppData->m_pCoveredCellPoolImp) imp->RebuildPool(m_pCoveredCellPool, m_CoveredCellsList);
}
