// Update hints between the views of one document: a grid that changed
// shared state packs the arguments of the operation into a hint; every other
// view replays the operation's update step without sending again.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridHint : public CObject {
  DECLARE_DYNAMIC(CGXGridHint)

 public:
  CGXGridHint(UINT id, long group) : m_id(id), m_nGroup(group) {}

  UINT m_id;
  CGXRange range;
  DWORD lParam = 0, lParam2 = 0;  // the extra arguments of the style hint
  ROWCOL nRow1 = 0, nRow2 = 0, nRow3 = 0;
  ROWCOL nCol1 = 0, nCol2 = 0, nCol3 = 0;
  DWORD dwValue = 0;
  DWORD nNumber = 0;
  void* pData = nullptr;
  UINT flags = 0;
  long m_nGroup;
};

class CGXGridUpdateHintImp : public CGXAbstractGridUpdateHintImp {
 public:
  BOOL OnHint(CGXGridCore* grid, CObject* hint) override;
};

// Broadcasts a hint to the other views of the grid's document (nothing for a
// grid without one, or without the feature).
void GXSendGridHint(CGXGridCore* grid, CGXGridHint& hint);
// The rows- (columns-) reordered hint of a sort.
void GXSendMoveDataHint(CGXGridCore* grid, BOOL rows, const CGXRange& range, UINT flags);
