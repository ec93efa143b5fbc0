#include "records/EquipMgmtDlg.h"

#include <cstdio>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "platform/window/CtlDefs.h"
#include "records/EquipDlg.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"

CEquipMgmtDlg::CEquipMgmtDlg() : CRecordListDlg(IDD_EQUIP_MGMT, "EKEY") {}

BOOL CEquipMgmtDlg::OnInitDialog() {
  CRecordListDlg::OnInitDialog();
  CenterWindow();
  return TRUE;
}

void CEquipMgmtDlg::SetupList() {
  int stop = 100;
  SendDlgItemMessage(IDC_REC_LIST, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
}

bool CEquipMgmtDlg::FillRows() {
  for (int pos = 0; pos < EquipTable.rowCount; ++pos) {
    const EquipKey& k = EquipTable.keys[static_cast<size_t>(EquipTable.byDescription[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    char text[48];
    std::snprintf(text, sizeof text, "%-s\t%-s", k.description, k.inventoryId);
    AddRow(text, pos);
  }
  return true;
}

CString CEquipMgmtDlg::CaptionText() {
  char text[96];
  const int n = EquipTable.liveCount;
  std::snprintf(text, sizeof text, "Equipment Management (%d item%s)", n, n == 1 ? "" : "s");
  return text;
}

bool CEquipMgmtDlg::CanAdd() { return EquipTable.freeCount > 0; }

// Several items may share a description: a row stands for its own index
// position, never for the first item found by its text.
int CEquipMgmtDlg::LookupSelected() {
  const int pos = SelectedData();
  return pos >= 0 && pos < EquipTable.rowCount ? pos : -1;
}

bool CEquipMgmtDlg::OpenInfo(bool isNew) {
  CEquipDlg dlg;
  dlg.m_bNew = isNew ? 1 : 0;
  dlg.m_pCurPos = &m_nCurPos;
  if (!dlg.LoadRecord(1)) return false;
  dlg.DoModal();
  return true;
}

void CEquipMgmtDlg::OnDelete() {
  const int row = List().Selected();
  const int pos = LookupSelected();
  if (row < 0 || pos < 0) return;
  if (DeleteEquipItemAt(EquipTable.byDescription[static_cast<size_t>(pos)]) != 1) return;
  List().Remove(row);
  List().Select(-1);
  m_nCurPos = -1;
  UpdateCaption();
  UpdateButtons();
}

void CEquipMgmtDlg::WriteLog(FILE* out) {
  std::fputs("Row Del InvID  Qty Descrip              DatePurch DateRem Price    ", out);
  std::fputs("OpenVal  Value    ReplCost TrID   Year Cond ", out);
  std::fputs("Cat1                           Cat2                             Remarks\r\n", out);
  for (int row = 0; row < EquipTable.rowCount; ++row) {
    EquipmentRecord e;
    if (ReadRecord(EquipFile, e, row) != 1) {
      char text[128];
      FormatErrorText(text, ERR_READ, "equipment item");
      DispMessage(text, MSG_ERROR);
      return;
    }
    std::fprintf(out, "%3d %3d %6s %3d %-20.20s %-8.8s %-8.8s %8d ", row, e.status, e.inventoryId,
                 static_cast<int>(e.quantity), e.description, e.purchaseDate, e.dateRemoved, static_cast<int>(e.price));
    std::fprintf(out, "%8d %8d %8d %6ld %4d %c ", static_cast<int>(e.openingValue), static_cast<int>(e.currentValue),
                 static_cast<int>(e.replacementCost), static_cast<long>(e.lineKey), static_cast<int>(e.fiscalYear),
                 e.condition ? e.condition : ' ');
    std::fprintf(out, "%-30.30s %-30.30s %s\r\n", e.category1, e.category2, e.remarks);
  }
}
