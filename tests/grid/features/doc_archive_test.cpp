#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/GridTestUtil.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXStylesMap.h"
#include "grid/features/FeatureGrid.h"
#include "grid/features/GXBrowseParam.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXPrintDevice.h"
#include "grid/features/GXSpanCellPool.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Kernel.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/print/Printers.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

using gridtest::FeatureGridTest;
using gridtest::Load;
using gridtest::Store;

// The archive exception's cause, or -1 when the call raised none.
template <class F>
int ArchiveCause(F&& f) {
  try {
    f();
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

// Archive bytes written by hand, little-endian.
struct Bytes {
  std::vector<BYTE> v;
  Bytes& W(WORD w) {
    v.push_back(static_cast<BYTE>(w));
    v.push_back(static_cast<BYTE>(w >> 8));
    return *this;
  }
  Bytes& D(DWORD d) { return W(static_cast<WORD>(d)).W(static_cast<WORD>(d >> 16)); }
  Bytes& B(BYTE b) {
    v.push_back(b);
    return *this;
  }
};

std::vector<BYTE> Write(CObject& object) {
  return Store([&](CArchive& ar) { object.Serialize(ar); });
}

HGLOBAL Block(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

class GridDocument : public FeatureGridTest {
 protected:
  // A grid that uses every part of the document: cell and base styles,
  // sizes, covered and hidden cells, a selection, frozen rows, print
  // settings with page breaks and header text, its own printer.
  void Fill() {
    CGXStyle cell("Beaver");
    cell.SetFont(CGXFont().SetBold(TRUE)).SetHorizontalAlignment(DT_RIGHT);
    data()->StoreStyleRowCol(2, 3, &cell, 0, 0);
    CGXStyle other("12.50");
    data()->StoreStyleRowCol(5, 1, &other, 0, 0);
    CGXStyle rowBase;
    rowBase.SetInteriorColor(RGB(1, 2, 3));
    data()->StoreStyleRowCol(4, 0, &rowBase, 0, -1);
    CGXStyle colBase;
    colBase.SetReadOnly(TRUE);
    data()->StoreStyleRowCol(0, 6, &colBase, 0, -1);
    CGXGridParam* p = grid->GetParam();
    p->m_RowHeights.SetAt(3, 40);
    p->m_ColWidths.SetAt(2, 120);
    p->m_CoveredCellsList.AddTail(new CGXRange(7, 2, 8, 4));
    p->m_SelRects.AddTail(new CGXRange(1, 1, 2, 2));
    p->m_abHiddenRows.Add(0x10);
    p->m_nFrozenRows = 1;
    p->m_sSheetName = "Dues";
    p->m_wFloatCellsMode = 1;
    CGXProperties* props = p->GetProperties();
    props->m_nPageOrder = 1;
    props->m_nMargins[2] = 77;
    props->m_awColBreaks.Add(5);
    props->m_bPrintColHeaders = FALSE;
    CGXStyle head("Troop $P");
    props->GetDataHeader().StoreStyleRowCol(2, 1, &head, 0, 0);
    auto* device = new CGXPrintDevice;
    HGLOBAL names = Block("names"), mode = Block("devmode!");
    device->SetDevice(names, mode);
    GlobalFree(names);
    GlobalFree(mode);
    p->m_pPrintDevice = device;
    p->m_bOwnPrintDevice = TRUE;
  }
};

TEST_F(GridDocument, AWholeDocumentReadsBackAsItWasWritten) {
  Fill();
  const std::vector<BYTE> bytes = Write(*grid->GetParam());

  CGXGridParam read;
  Load(bytes, [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_EQ(Write(read), bytes) << "written again byte for byte";

  ASSERT_NE(read.GetData(), nullptr);
  CGXStyle style;
  ASSERT_TRUE(read.GetData()->GetStyleRowCol(2, 3, style, 2, 0));
  EXPECT_EQ(style.GetValue(), "Beaver");
  EXPECT_TRUE(style.GetFont().GetBold());
  EXPECT_EQ(read.GetData()->GetRowCount(), 20u);
  LONG height = 0;
  EXPECT_TRUE(read.m_RowHeights.Lookup(3, height));
  EXPECT_EQ(height, 40);
  EXPECT_EQ(read.m_CoveredCellsList.GetCount(), 1);
  EXPECT_EQ(read.m_sSheetName, "Dues");
  EXPECT_EQ(read.m_nFrozenRows, 1u);
  EXPECT_EQ(read.m_wFloatCellsMode, 1);
  ASSERT_NE(read.GetProperties(), nullptr);
  EXPECT_EQ(read.GetProperties()->m_nPageOrder, 1);
  EXPECT_EQ(read.GetProperties()->m_nMargins[2], 77);
  ASSERT_EQ(read.GetProperties()->m_awColBreaks.GetSize(), 1);
  EXPECT_FALSE(read.GetProperties()->m_bPrintColHeaders);
  ASSERT_TRUE(read.GetProperties()->GetDataHeader().GetStyleRowCol(2, 1, style, 2, 0));
  EXPECT_EQ(style.GetValue(), "Troop $P");
  ASSERT_NE(read.GetStylesMap(), nullptr);
  EXPECT_EQ(read.GetStylesMap()->m_wStyleStandard, grid->GetParam()->GetStylesMap()->m_wStyleStandard);
  auto* device = dynamic_cast<CGXPrintDevice*>(read.m_pPrintDevice);
  ASSERT_NE(device, nullptr);
  CByteArray names, mode;
  device->GetDeviceData(names, mode);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(names.GetData()), names.GetSize()), "names");
}

TEST_F(GridDocument, ATruncatedArchiveIsRefusedAndLeavesTheParameterObjectAsItWas) {
  Fill();
  const std::vector<BYTE> bytes = Write(*grid->GetParam());
  CGXGridParam target;
  CGXData* data = target.GetData();
  target.m_sSheetName = "Before";
  const std::vector<BYTE> before = Write(target);
  // Every cut: inside the counts, the styles, the pools and the last byte.
  for (std::size_t size = 0; size < bytes.size(); size += (size < 64 || bytes.size() - size < 64) ? 1 : 7) {
    const std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
    EXPECT_NE(ArchiveCause([&] { Load(cut, [&](CArchive& ar) { target.Serialize(ar); }); }), -1) << size;
    ASSERT_EQ(target.GetData(), data) << size;
  }
  EXPECT_EQ(Write(target), before) << "nothing of the damaged archives was taken";
}

TEST_F(GridDocument, AnIndexBeyondTheCountIsAFormatError) {
  // A style array of two elements naming element 2.
  const std::vector<BYTE> bytes = Bytes().W(1).D(2).D(2).B(0).D(0xFFFFFFFF).v;
  CGXStylePtrArray styles;
  EXPECT_EQ(ArchiveCause([&] { Load(bytes, [&](CArchive& ar) { styles.Serialize(ar); }); }),
            CArchiveException::badIndex);
  EXPECT_EQ(styles.GetSize(), 0);
}

TEST_F(GridDocument, SparseArraysWriteOnlyTheirElements) {
  CGXStylePtrArray empty;
  EXPECT_EQ(Write(empty), Bytes().W(1).D(0).D(0xFFFFFFFF).v);

  CGXStylePtrArrayPtrArray rows;
  rows.SetSize(3);
  for (int r : {0, 2}) rows.SetAt(r, new CGXStylePtrArray);
  EXPECT_EQ(Write(rows), Bytes().W(1).D(3).D(0).W(1).D(0).D(0xFFFFFFFF).D(2).W(1).D(0).D(0xFFFFFFFF).D(0xFFFFFFFF).v);
  CGXStylePtrArrayPtrArray read;
  Load(Write(rows), [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_EQ(read.GetSize(), 3);
  EXPECT_EQ(read.RowAt(1), nullptr);
  EXPECT_NE(read.RowAt(2), nullptr);
}

TEST_F(GridDocument, ObjectsNotOwnedAreNotWrittenAndBorrowedOnesStay) {
  CGXGridParam* shared = grid->GetParam();
  CGXGridParam borrower;
  borrower.SetStylesMap(shared->GetStylesMap(), FALSE);
  borrower.SetData(shared->GetData(), FALSE);
  borrower.SetProperties(shared->GetProperties(), FALSE);
  const std::vector<BYTE> bytes = Write(borrower);
  EXPECT_EQ(Write(borrower).size(), Write(*std::make_unique<CGXGridParam>()).size()) << "no objects written";

  Load(bytes, [&](CArchive& ar) { borrower.Serialize(ar); });
  EXPECT_EQ(borrower.GetStylesMap(), shared->GetStylesMap());
  EXPECT_EQ(borrower.GetData(), shared->GetData());
  CGXGridParam owner;
  owner.SetData(new CGXData, TRUE);
  Load(bytes, [&](CArchive& ar) { owner.Serialize(ar); });
  EXPECT_EQ(owner.GetData(), nullptr) << "the owned data went and none came";
}

TEST_F(GridDocument, ANewerSchemaIsRefusedBeforeAnythingChanges) {
  CGXGridParam& param = *grid->GetParam();
  CGXData* data = param.GetData();
  for (auto [object, schema] : std::vector<std::pair<CObject*, WORD>>{
           {&param, 11}, {param.GetProperties(), 5}, {param.GetStylesMap(), 3}, {param.GetData(), 2}}) {
    std::vector<BYTE> bytes = Write(*object);
    bytes[0] = static_cast<BYTE>(schema);
    EXPECT_EQ(ArchiveCause([&] { Load(bytes, [&](CArchive& ar) { object->Serialize(ar); }); }),
              CArchiveException::badSchema)
        << schema;
  }
  EXPECT_EQ(param.GetData(), data);
}

TEST_F(GridDocument, PoolsOfSchemaSixWaitForEvaluationAgain) {
  CGXGridParam& param = *grid->GetParam();
  param.m_pFloatDelayedPool = new CGXDelayedRangePool;
  param.m_pFloatSpanPool = new CGXSpanCellPool;
  param.m_pMergeDelayedPool = new CGXDelayedRangePool;
  param.GetData()->StoreRowCount(30);
  param.GetData()->StoreColCount(4);
  std::vector<BYTE> bytes = Write(param);
  // Schema 6 ends after the grid-line pen style: drop the newer fields.
  bytes[0] = 6;
  bytes.resize(bytes.size() - 6);
  CGXGridParam read;
  Load(bytes, [&](CArchive& ar) { read.Serialize(ar); });
  for (CObject* object : {read.m_pFloatDelayedPool, read.m_pMergeDelayedPool}) {
    auto* pool = dynamic_cast<CGXDelayedRangePool*>(object);
    ASSERT_NE(pool, nullptr);
    ASSERT_EQ(pool->GetSize(), 1);
    EXPECT_EQ(pool->GetAt(0)->m_range, CGXRange(0, 0, 30, 4));
  }
  ASSERT_NE(read.m_pFloatSpanPool, nullptr);
  EXPECT_EQ(read.m_pMergeHorzPool, nullptr);
}

TEST_F(GridDocument, AStandardStyleIsReadUnderItsResourceName) {
  CGXStylesMap map;
  map.CreateStandardStyles();
  map.StyleEntries()[map.m_wStyleStandard].name = "Renamed";
  CGXStylesMap read;
  Load(Write(map), [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_EQ(read.FindIdByName("Standard"), map.m_wStyleStandard);
  EXPECT_EQ(read.m_wStyleStandard, map.m_wStyleStandard);
  EXPECT_EQ(read.m_wStyleRowHeader, map.m_wStyleRowHeader);
}

TEST_F(GridDocument, OlderPropertiesReadTheFieldsOfTheirSchema) {
  CGXProperties props;
  props.m_bPrintColHeaders = FALSE;
  props.m_awRowBreaks.Add(9);
  const std::vector<BYTE> current = Write(props);
  // The page breaks are two empty-or-not counted arrays just before the
  // footer body; schema 3 has them and no column-header flag, schema 2
  // the flag and no breaks.
  std::vector<BYTE> schema3(current.begin(), current.end() - 4);
  schema3[0] = 3;
  CGXProperties read3;
  read3.m_bPrintColHeaders = TRUE;
  Load(schema3, [&](CArchive& ar) { read3.Serialize(ar); });
  EXPECT_TRUE(read3.m_bPrintColHeaders);
  EXPECT_EQ(read3.m_awRowBreaks.GetSize(), 1);
}

// -------------------------------------------------- printer settings

TEST_F(GridDocument, PrinterSettingsArchiveTheirBlocks) {
  CGXPrintDevice empty;
  EXPECT_EQ(Write(empty), Bytes().W(1).D(0).D(0).v);
  CGXPrintDevice read;
  HGLOBAL names = Block("x"), mode = Block("y");
  read.SetDevice(names, mode);
  Load(Write(empty), [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_TRUE(read.IsEmpty());
  EXPECT_EQ(ArchiveCause([&] { Load(Bytes().W(2).D(0).D(0).v, [&](CArchive& ar) { read.Serialize(ar); }); }),
            CArchiveException::badSchema);
  EXPECT_EQ(ArchiveCause([&] { Load(Bytes().W(1).D(1000).v, [&](CArchive& ar) { read.Serialize(ar); }); }),
            CArchiveException::endOfFile);

  CGXPrintDevice device;
  device.SetDevice(names, mode);
  EXPECT_TRUE(device.IsSameDevice(names, mode));
  HGLOBAL otherMode = Block("z");
  EXPECT_FALSE(device.IsSameDevice(names, otherMode));
  device = device;
  EXPECT_TRUE(device.IsSameDevice(names, mode)) << "assigned to itself, unchanged";
  for (HGLOBAL block : {names, mode, otherMode}) GlobalFree(block);
}

TEST_F(GridDocument, AnEmptyPrinterTakesTheDefaultPrinterForItsDC) {
  CGXPrintDevice device;
  HDC dc = device.GetPrinterDC();
  ASSERT_NE(dc, nullptr) << "the PDF printer is always there";
  EXPECT_FALSE(device.IsEmpty());
  EXPECT_EQ(device.GetPrinterDC(), dc) << "made once";
}

// The grid's own printer goes into the print setup dialog and takes what
// the user picks there; Cancel leaves it as it was.
TEST_F(GridDocument, PrinterSetupStartsFromTheGridsPrinterAndKeepsTheChoice) {
  CGXAbstractPrintDeviceImp* imp = GXGetAppData()->m_pPrintDeviceImp;
  ASSERT_NE(imp, nullptr);
  CGXPrintDevice device;
  std::string started;
  auto paper = [&device] {
    DEVMODE dm{};
    EXPECT_TRUE(printing::ReadDevMode(device.m_hDevMode, &dm));
    return dm.dmPaperSize;
  };
  auto setup = [&](const char* pick, int button) {
    automation::OnDialog("Print Setup", [&](HWND d) {
      char shown[64] = {};
      GetDlgItemText(d, IDC_PD_PAPER, shown, sizeof shown);
      started = shown;
      const LRESULT i = SendDlgItemMessage(d, IDC_PD_PAPER, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(pick));
      SendDlgItemMessage(d, IDC_PD_PAPER, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_PD_PAPER, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_PD_PAPER)));
      SendDlgItemMessage(d, button, BM_CLICK, 0, 0);
    }, IDCANCEL);
    CPrintDialog dialog(TRUE);
    const INT_PTR result = imp->PrinterSetup(&device, &dialog);
    for (HGLOBAL block : {dialog.m_pd.hDevNames, dialog.m_pd.hDevMode})
      if (block != nullptr) GlobalFree(block);
    return result;
  };
  EXPECT_EQ(setup("A4 210 x 297 mm", IDOK), IDOK);
  EXPECT_FALSE(device.IsEmpty()) << "an empty device starts from the default printer";
  EXPECT_EQ(paper(), DMPAPER_A4);
  EXPECT_EQ(setup("Legal 8 1/2 x 14 in", IDCANCEL), IDCANCEL);
  EXPECT_EQ(started, "A4 210 x 297 mm") << "the dialog starts from the grid's printer";
  EXPECT_EQ(paper(), DMPAPER_A4);
  EXPECT_EQ(imp->PrinterSetup(nullptr, nullptr), 0);
  automation::ClearResponder();
}

// ------------------------------------------------ browse parameters

TEST_F(GridDocument, BrowseParametersStoreTheirByteAndStyleArray) {
  CGXBrowseParam param;
  param.m_byStored = 7;
  param.m_pStyles = new CGXStylePtrArray;
  param.m_pStyles->SetSize(2);
  param.m_pStyles->SetAt(1, new CGXStyle("x"));
  const std::vector<BYTE> bytes = Write(param);
  CGXBrowseParam read;
  Load(bytes, [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_EQ(read.m_byStored, 7);
  ASSERT_NE(read.m_pStyles, nullptr);
  EXPECT_EQ(read.m_pStyles->StyleAt(1)->GetValue(), "x");
  EXPECT_EQ(Write(read), bytes);

  // Schema 1: the byte only; schema 3: refused. A null array is the last
  // two bytes after the schema and the byte.
  CGXBrowseParam plain;
  std::vector<BYTE> base = Write(plain);
  base.resize(base.size() - 5);
  for (auto [schema, cause] : {std::pair<WORD, int>{1, -1}, {3, CArchiveException::badSchema}}) {
    std::vector<BYTE> older = base;
    const std::vector<BYTE> own = Bytes().W(schema).B(3).v;
    older.insert(older.end(), own.begin(), own.end());
    CGXBrowseParam old;
    EXPECT_EQ(ArchiveCause([&] { Load(older, [&](CArchive& ar) { old.Serialize(ar); }); }), cause);
    if (cause == -1) {
      EXPECT_EQ(old.m_byStored, 3);
    }
    EXPECT_EQ(old.m_pStyles, nullptr);
  }
}

TEST_F(GridDocument, CopyingBrowseParametersLeavesFieldsAndStyles) {
  CGXBrowseParam source, target;
  source.m_dwOptions[0] = 5;
  source.m_nMaxValue = 12;
  source.m_pStyles = new CGXStylePtrArray;
  target.CopyFrom(source);
  EXPECT_EQ(target.m_dwOptions[0], 5u);
  EXPECT_EQ(target.m_nMaxValue, 12);
  EXPECT_EQ(target.m_pStyles, nullptr);
  EXPECT_EQ(GXBrowseFieldFromCol(4, 1), 2);
}

TEST_F(GridDocument, BrowseFieldsOwnTheirObjectsOnceAsTheListGrows) {
  CGXBrowseParam param;
  param.m_pFields = new std::vector<CGXBrowseParam::Field>;
  for (const char* name : {"Date", "Payee", "Amount"}) {
    CGXBrowseParam::Field field;
    field.name = name;
    field.owned.reset(new CGXStyle);
    param.m_pFields->push_back(std::move(field));
  }
  EXPECT_EQ((*param.m_pFields)[2].name, "Amount");
}

}  // namespace
