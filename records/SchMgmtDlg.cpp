#include "records/SchMgmtDlg.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "platform/window/CtlDefs.h"
#include "records/SchDlg.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"

CSchMgmtDlg::CSchMgmtDlg() : CRecordListDlg(IDD_SCHED_MGMT, "SCHK") {}

void CSchMgmtDlg::SetupList() {
  int stop = 136;
  SendDlgItemMessage(IDC_REC_LIST, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
}

bool CSchMgmtDlg::FillRows() {
  for (int pos = 0; pos < ScheduleTable.rowCount; ++pos) {
    const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(ScheduleTable.byName[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    char text[64];
    std::snprintf(text, sizeof text, "%-s\t%-d", k.name, static_cast<int>(k.account));
    AddRow(text, pos);
  }
  return true;
}

CString CSchMgmtDlg::CaptionText() {
  char text[96];
  const int n = ScheduleTable.liveCount;
  std::snprintf(text, sizeof text, "Schedule Management (%d schedule%s)", n, n == 1 ? "" : "s");
  return text;
}

bool CSchMgmtDlg::CanAdd() { return ScheduleTable.freeCount > 0; }

CString CSchMgmtDlg::SelectedName() {
  const int row = List().Selected();
  if (row < 0) return CString();
  CString text = List().Text(row);
  const int tab = text.Find('\t');
  return tab >= 0 ? text.Left(tab) : text;
}

int CSchMgmtDlg::LookupSelected() {
  int pos = -1;
  return FindScheduleByName(0, SelectedName(), &pos) ? pos : -1;
}

bool CSchMgmtDlg::OpenInfo(bool isNew) {
  auto sheet = std::make_unique<CSchDlg>();
  sheet->m_bNew = isNew ? 1 : 0;
  sheet->m_pCurPos = &m_nCurPos;
  sheet->DoModal();
  return true;
}

void CSchMgmtDlg::OnDelete() {
  const int row = List().Selected();
  if (row < 0) return;
  if (DeleteSchedule(SelectedName(), 0, 0) != 1) return;
  List().Remove(row);
  List().Select(-1);
  m_nCurPos = -1;
  UpdateCaption();
  UpdateButtons();
}

void CSchMgmtDlg::MoveControls(int dx, int dy) {
  CRecordListDlg::MoveControls(dx, dy);
  MoveItem(IDC_REC_LOG, -dx, 0, true);
}

void CSchMgmtDlg::WriteLog(FILE* out) {
  std::fputs("Row Del AcctID Name                      Freq  Date1    Date2    Date     Amount\r\n", out);
  for (int row = 0; row < ScheduleTable.rowCount; ++row) {
    ScheduleRecord s;
    if (ReadRecord(ScheduleFile, s, row) != 1) {
      char text[128];
      FormatErrorText(text, ERR_READ, "schedule");
      DispMessage(text, MSG_FATAL);
      return;
    }
    std::fprintf(out, "%3d %3d   %3d  %-25.25s   %c  %8s %8s\r\n", row, s.status, static_cast<int>(s.account), s.name,
                 s.frequency ? s.frequency : ' ', s.firstDate, s.secondDate);
    for (int i = 0; i < 60 && s.dueDates[i][0] && s.amounts[i] != 0; ++i)
      std::fprintf(out, "%64s %8s %ld\r\n", " ", s.dueDates[i], static_cast<long>(s.amounts[i]));
    std::fputs("Row Sched Mem InitOwed  InitPaid\r\n", out);
    for (int r = 0;; ++r) {
      ParticipantRecord p;
      const int got = ReadRecord(ParticipantFile, p, r);
      if (got == -1) break;
      if (got != 1) {
        char text[128];
        FormatErrorText(text, ERR_READ, "participant");
        DispMessage(text, MSG_FATAL);
        return;
      }
      if (p.scheduleRow == row)
        std::fprintf(out, "%3d  %3d  %3d %9ld %9ld\r\n", r, static_cast<int>(p.scheduleRow),
                     static_cast<int>(p.memberRow), static_cast<long>(p.initialOwed),
                     static_cast<long>(p.initialPaid));
    }
  }
}

void RunScheduleManagement() {
  if (OpenScheduleFiles() != 1) return;
  {
    CSchMgmtDlg dlg;
    dlg.DoModal();
  }
  CloseScheduleFiles();
}
