#include "grid/features/GXGridParamCopyOperatorImp.h"

#include "grid/core/GXAppData.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXStylesMap.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXSpanCellPool.h"
#include "platform/base/CFile.h"

namespace {

// A copy of a serializable object through its own archive form (the
// printer settings have no other copy), or null when it cannot be made.
CObject* CopyThroughArchive(const CObject* source) {
  if (source == nullptr) return nullptr;
  try {
    CMemFile file;
    {
      CArchive out(&file, CArchive::store);
      out.WriteObject(source);
      out.Close();
    }
    file.SeekToBegin();
    CArchive in(&file, CArchive::load);
    CObject* copy = in.ReadObject(nullptr);
    in.Close();
    return copy;
  } catch (CException* e) {
    e->Delete();
    return nullptr;
  }
}

template <class Pool, class Imp>
CObject* CopyPool(Imp* imp, const CObject* source) {
  if (imp == nullptr || source == nullptr) return nullptr;
  return imp->CreateCopy(static_cast<const Pool*>(source));
}

}  // namespace

void CGXGridParamCopyOperatorImp::CopyParam(CGXGridParam& t, const CGXGridParam& s) {
  if (&t == &s) return;
  // 1: the target's own objects go.
  t.SetStylesMap(nullptr, FALSE);
  t.SetData(nullptr, FALSE);
  t.SetProperties(nullptr, FALSE);
  if (t.m_bOwnPrintDevice) delete t.m_pPrintDevice;
  t.m_pPrintDevice = nullptr;
  t.m_bOwnPrintDevice = FALSE;

  // 2: plain options.
  t.m_bActivateView = s.m_bActivateView;
  t.m_bNoBackgroundPass = s.m_bNoBackgroundPass;
  t.m_bUndoEnabled = s.m_bUndoEnabled;
  t.m_bNumberedRowHeaders = s.m_bNumberedRowHeaders;
  t.m_bNumberedColHeaders = s.m_bNumberedColHeaders;
  t.m_bMoveRows = s.m_bMoveRows;
  t.m_bMoveCols = s.m_bMoveCols;
  t.m_bReadOnlyGuard = s.m_bReadOnlyGuard;
  t.m_bThumbTrack = s.m_bThumbTrack;
  t.m_bMinimalRepaint = s.m_bMinimalRepaint;
  t.m_wAllowSelection = s.m_wAllowSelection;
  t.m_wRowResize = s.m_wRowResize;
  t.m_wColResize = s.m_wColResize;
  t.m_nFrozenRows = s.m_nFrozenRows;
  t.m_nFrozenCols = s.m_nFrozenCols;
  t.m_nDefaultColWidth = s.m_nDefaultColWidth;
  t.m_nDefaultRowHeight = s.m_nDefaultRowHeight;
  t.m_sSheetName = s.m_sSheetName;
  t.m_wActivateCell = s.m_wActivateCell;
  t.m_wCurrentCellFrame = s.m_wCurrentCellFrame;
  t.m_wUndoRemovedRows = s.m_wUndoRemovedRows;
  t.m_wUndoRemovedCols = s.m_wUndoRemovedCols;
  t.m_nHeaderRows = s.m_nHeaderRows;
  t.m_nHeaderCols = s.m_nHeaderCols;
  t.m_archived = s.m_archived;
  t.m_sTitle = s.m_sTitle;

  // 3-6: the owned objects, copied; the target owns what is made for it.
  if (s.m_pStylesMap != nullptr) {
    auto* map = new CGXStylesMap;
    CopyStylesMap(*map, *s.m_pStylesMap);
    t.SetStylesMap(map, TRUE);
  }
  if (s.m_pData != nullptr) {
    CObject* made = s.m_pData->GetRuntimeClass()->CreateObject();
    auto* data = dynamic_cast<CGXData*>(made);
    if (data == nullptr) {
      delete made;
      data = new CGXData;
    }
    *data = *s.m_pData;
    t.SetData(data, TRUE);
  }
  if (s.m_pProperties != nullptr) {
    auto* properties = new CGXProperties;
    CopyProperties(*properties, *s.m_pProperties);
    t.SetProperties(properties, TRUE);
  }
  if (s.m_pPrintDevice != nullptr) {
    t.m_pPrintDevice = CopyThroughArchive(s.m_pPrintDevice);
    t.m_bOwnPrintDevice = t.m_pPrintDevice != nullptr;
  }

  // 7: ranges, sizes and hidden flags.
  t.m_SelRects = s.m_SelRects;
  t.m_CoveredCellsList = s.m_CoveredCellsList;
  t.UpdateCoveredCellPool();
  t.m_RowHeights = s.m_RowHeights;
  t.m_ColWidths = s.m_ColWidths;
  t.m_abHiddenRows.RemoveAll();
  for (int i = 0; i < s.m_abHiddenRows.GetSize(); ++i) t.m_abHiddenRows.Add(s.m_abHiddenRows[i]);
  t.m_abHiddenCols.RemoveAll();
  for (int i = 0; i < s.m_abHiddenCols.GetSize(); ++i) t.m_abHiddenCols.Add(s.m_abHiddenCols[i]);

  // 8: the later options.
  t.m_bPrinterZoom = s.m_bPrinterZoom;
  t.m_wSelectionFlags = s.m_wSelectionFlags;
  t.m_wEnterDirection = s.m_wEnterDirection;
  t.m_nUndoLimit = s.m_nUndoLimit;
  t.m_bSortColsByRowHeader = s.m_bSortColsByRowHeader;
  t.m_bSortRowsByColHeader = s.m_bSortRowsByColHeader;
  t.m_bSendCurrentCellHints = s.m_bSendCurrentCellHints;
  t.m_bSpreadsheetFrame = s.m_bSpreadsheetFrame;
  t.m_bLinesAtRightBottom = s.m_bLinesAtRightBottom;
  t.m_wFloatCellsMode = s.m_wFloatCellsMode;

  // 9: the pools of floating and merged cells.
  CGXAppData* app = GXGetAppData();
  for (auto member : {&CGXGridParam::m_pFloatDelayedPool, &CGXGridParam::m_pMergeDelayedPool}) {
    delete (t.*member);
    t.*member = CopyPool<CGXDelayedRangePool>(app->m_pDelayedRangePoolImp, s.*member);
  }
  for (auto member : {&CGXGridParam::m_pFloatSpanPool, &CGXGridParam::m_pMergeHorzPool,
                      &CGXGridParam::m_pMergeVertPool}) {
    delete (t.*member);
    t.*member = CopyPool<CGXSpanCellPool>(app->m_pSpanCellPoolImp, s.*member);
  }

  // 10
  t.m_wMergeCellsMode = s.m_wMergeCellsMode;
  t.m_wGridLineStyle = s.m_wGridLineStyle;
  t.m_wComposeAllFirst = s.m_wComposeAllFirst;
}

void CGXGridParamCopyOperatorImp::CopyProperties(CGXProperties& t, const CGXProperties& s) {
  if (&t == &s) return;
  t.ColorNames() = s.ColorNames();
  t.ColorValues() = s.ColorValues();
  t.UserProperties().clear();
  for (const auto& [id, entry] : s.UserProperties()) {
    CGXProperties::UserProperty& copy = t.UserProperties()[id];
    copy.id = entry.id;
    copy.name = entry.name;
    copy.style.reset(entry.style != nullptr ? entry.style->Clone() : nullptr);
  }
  t.m_b3dHeader = s.m_b3dHeader;
  t.m_bVertLines = s.m_bVertLines;
  t.m_bHorzLines = s.m_bHorzLines;
  t.m_bMarkRowHeader = s.m_bMarkRowHeader;
  t.m_bMarkColHeader = s.m_bMarkColHeader;
  t.m_sSection = s.m_sSection;
  t.m_nZoom = s.m_nZoom;
  t.m_bPrintColHeaders = s.m_bPrintColHeaders;
  t.m_bPrintRowHeaders = s.m_bPrintRowHeaders;
  t.m_bPrintHorzLines = s.m_bPrintHorzLines;
  t.m_bPrintVertLines = s.m_bPrintVertLines;
  t.m_nPageOrder = s.m_nPageOrder;
  t.m_bBlackWhite = s.m_bBlackWhite;
  t.m_bCenterHorizontal = s.m_bCenterHorizontal;
  t.m_bCenterVertical = s.m_bCenterVertical;
  for (int i = 0; i < 4; ++i) t.m_nMargins[i] = s.m_nMargins[i];
  t.m_bPrintFrame = s.m_bPrintFrame;
  for (int i = 0; i < 2; ++i) t.m_nDistances[i] = s.m_nDistances[i];
  t.m_nFirstPage = s.m_nFirstPage;
  for (int i = 0; i < 2; ++i) t.m_wPrintOptions[i] = s.m_wPrintOptions[i];
  t.m_awColBreaks.Copy(s.m_awColBreaks);
  t.m_awRowBreaks.Copy(s.m_awRowBreaks);
  t.GetDataHeader() = const_cast<CGXProperties&>(s).GetDataHeader();
  t.GetDataFooter() = const_cast<CGXProperties&>(s).GetDataFooter();
}

void CGXGridParamCopyOperatorImp::CopyStylesMap(CGXStylesMap& t, const CGXStylesMap& s) {
  if (&t == &s) return;
  t.RemoveAll();
  t.SetStyleClass(s.GetStyleClass());
  for (const auto& [id, entry] : s.StyleEntries()) {
    CGXStylesMap::StyleEntry& copy = t.StyleEntries()[id];
    copy.id = entry.id;
    copy.resourceId = entry.resourceId;
    copy.name = entry.name;
    copy.style.reset(entry.style != nullptr ? entry.style->Clone() : nullptr);
    copy.builtIn = entry.builtIn;
  }
  t.NameIds() = s.NameIds();
  t.ResourceIds() = s.ResourceIds();
  t.SetNextId(s.GetNextId());
  t.ControlNames() = s.ControlNames();
  t.UserAttributes().clear();
  for (const auto& [id, entry] : s.GetUserAttributeMap()) {
    CGXStylesMap::UserAttributeEntry& copy = t.UserAttributes()[id];
    copy.id = entry.id;
    copy.name = entry.name;
    copy.style.reset(entry.style != nullptr ? entry.style->Clone() : nullptr);
  }
  t.m_sSection = s.m_sSection;
  t.m_wStyleStandard = t.FindIdByResourceId(52768);
  t.m_wStyleColHeader = t.FindIdByResourceId(52770);
  t.m_wStyleRowHeader = t.FindIdByResourceId(52769);
}
