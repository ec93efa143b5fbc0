#include "records/MemberMgmtDlgs.h"

#include <cstdio>
#include <cstring>

#include "common/UnitVocab.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/AdultDlg.h"
#include "records/LogDump.h"
#include "records/ScoutDlg.h"
#include "records/SubunitDlg.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"

namespace {

const MemberKey& KeyAt(int pos) {
  return MemberTable.keys[static_cast<size_t>(MemberTable.byTypeName[static_cast<size_t>(pos)])];
}

const char* Plural(int count) { return count == 1 ? "" : "s"; }

void SetTabStops(CWnd* dlg, std::initializer_list<int> stops) {
  std::vector<int> values(stops);
  dlg->SendDlgItemMessage(IDC_REC_LIST, LB_SETTABSTOPS, static_cast<WPARAM>(values.size()),
                          reinterpret_cast<LPARAM>(values.data()));
}

}  // namespace

CMemberMgmtDlg::CMemberMgmtDlg(UINT templateId, const char* section, int memberType)
    : CRecordListDlg(templateId, section), m_memberType(memberType) {}

bool CMemberMgmtDlg::FillRows() {
  for (int pos = 0; pos < MemberTable.rowCount; ++pos) {
    const MemberKey& k = KeyAt(pos);
    if (k.type != m_memberType || k.status == kStatusDeleted) continue;
    AddRow(RowText(pos), pos);
  }
  return true;
}

void CMemberMgmtDlg::SelectedName(char* last, size_t lastSize, char* first, size_t firstSize) {
  const int row = List().Selected();
  CString text = row >= 0 ? List().Text(row) : CString();
  const char* s = text;
  const char* tab = std::strchr(s, '\t');
  const size_t lastLen = tab ? static_cast<size_t>(tab - s) : std::strlen(s);
  std::snprintf(last, lastSize, "%.*s", static_cast<int>(lastLen), s);
  first[0] = '\0';
  if (tab) {
    const char* f = tab + 1;
    const char* tab2 = std::strchr(f, '\t');
    const size_t firstLen = tab2 ? static_cast<size_t>(tab2 - f) : std::strlen(f);
    std::snprintf(first, firstSize, "%.*s", static_cast<int>(firstLen), f);
  }
}

int CMemberMgmtDlg::LookupSelected() {
  char last[64], first[64];
  SelectedName(last, sizeof last, first, sizeof first);
  int pos = -1;
  return FindMember(0, 1 << m_memberType, last, first, &pos) ? pos : -1;
}

void CMemberMgmtDlg::OnDelete() {
  const int row = List().Selected();
  if (row < 0) return;
  char last[64], first[64];
  SelectedName(last, sizeof last, first, sizeof first);
  if (!DeleteMember(last, first)) return;
  // The row goes without a refill; nothing is selected afterwards.
  List().Remove(row);
  List().Select(-1);
  m_nCurPos = -1;
  UpdateCaption();
  UpdateButtons();
}

void CMemberMgmtDlg::MoveControls(int dx, int dy) {
  CRecordListDlg::MoveControls(dx, dy);
  // The hidden Log button stays where it was.
  MoveItem(IDC_REC_LOG, -dx, 0, true);
}

// ---- scouts ----

CScoutMgmtDlg::CScoutMgmtDlg() : CMemberMgmtDlg(IDD_SCOUT_MGMT, "SKEY", 0) {}

void CScoutMgmtDlg::SetupList() {
  SetTabStops(this, {80, 140});
  SetDlgItemText(IDC_MEM_HEAD3, SubunitNoun);
}

CString CScoutMgmtDlg::RowText(int pos) const {
  const MemberKey& k = KeyAt(pos);
  char text[128];
  std::snprintf(text, sizeof text, "%-s\t%-s\t%s", k.lastName, k.firstName, k.subunit);
  return text;
}

CString CScoutMgmtDlg::CaptionText() {
  char text[96];
  std::snprintf(text, sizeof text, "Scout Information (%d scout%s)", ScoutCount, Plural(ScoutCount));
  return text;
}

bool CScoutMgmtDlg::CanAdd() { return MemberTable.freeCount > 0; }

bool CScoutMgmtDlg::OpenInfo(bool isNew) {
  CScoutDlg dlg;
  dlg.m_bNew = isNew ? 1 : 0;
  dlg.m_pCurPos = &m_nCurPos;
  if (!dlg.LoadRecord(1)) return false;
  dlg.DoModal();
  return true;
}

bool CScoutMgmtDlg::DeleteMember(const char* last, const char* first) { return DeleteScout(last, first) == 1; }

void CScoutMgmtDlg::WriteLog(FILE* out) {
  std::fputs("Row  Del Typ Pbk Sel FName       LName           Subunit                        ", out);
  std::fputs("Phone         Cell          DateJoin DateQuit DadFName    DadLName        MomFName    MomLName        ",
             out);
  std::fputs("OpenBal  CurrBal  TranCnt EMail                                 Remarks\r\n", out);
  for (int row = 0; row < MemberTable.rowCount; ++row) {
    MemberRow m;
    if (ReadMemberRecord(MemberFile, &m, 4, 0, row) != 1) return;
    std::fprintf(out, "%4d %3d %3d %3d %3d %-11.11s %-15.15s %-30.30s ", row, m.status, static_cast<int>(m.type),
                 static_cast<int>(m.passbook), static_cast<int>(m.selected), m.firstName, m.lastName, m.subunit);
    std::fprintf(out, "%-13.13s %-13.13s %-8.8s %-8.8s %-11.11s %-15.15s %-11.11s %-15.15s ", m.homePhone,
                 m.cellPhone, m.dateJoined, m.dateLeft, m.fatherFirst, m.fatherLast, m.motherFirst, m.motherLast);
    std::fprintf(out, "%8ld %8ld %7d %-37.37s %-40.40s\r\n", static_cast<long>(m.openingBalance),
                 static_cast<long>(m.currentBalance), static_cast<int>(m.transCount), m.email, m.remarks);
  }
}

// ---- adults ----

CAdultMgmtDlg::CAdultMgmtDlg() : CMemberMgmtDlg(IDD_ADULT_MGMT, "AKEY", 1) {}

void CAdultMgmtDlg::SetupList() { SetTabStops(this, {80}); }

CString CAdultMgmtDlg::RowText(int pos) const {
  const MemberKey& k = KeyAt(pos);
  char text[96];
  std::snprintf(text, sizeof text, "%-s\t%-s", k.lastName, k.firstName);
  return text;
}

CString CAdultMgmtDlg::CaptionText() {
  char text[96];
  std::snprintf(text, sizeof text, "Adult Management (%d adult%s)", AdultCount, Plural(AdultCount));
  return text;
}

bool CAdultMgmtDlg::CanAdd() { return MemberTable.freeCount > 0; }

bool CAdultMgmtDlg::OpenInfo(bool isNew) {
  CAdultDlg dlg;
  dlg.m_nMode = isNew ? 0 : 1;
  dlg.m_pCurPos = &m_nCurPos;
  if (!dlg.LoadRecord(1)) return false;
  dlg.DoModal();
  return true;
}

bool CAdultMgmtDlg::DeleteMember(const char* last, const char* first) { return DeleteAdult(last, first) == 1; }

// ---- subunits ----

CSubunitMgmtDlg::CSubunitMgmtDlg() : CMemberMgmtDlg(IDD_SUBUNIT_MGMT, "SUBKEY", 2) {}

void CSubunitMgmtDlg::SetupList() {
  char text[96];
  std::snprintf(text, sizeof text, "%s Management", SubunitNoun);
  SetDlgItemText(IDC_REC_TITLE, text);
}

CString CSubunitMgmtDlg::RowText(int pos) const { return KeyAt(pos).subunit; }

CString CSubunitMgmtDlg::CaptionText() {
  char text[128];
  std::snprintf(text, sizeof text, "%s Management (%d %s%s)", SubunitNoun, SubunitCount, SubunitWord,
                Plural(SubunitCount));
  return text;
}

bool CSubunitMgmtDlg::CanAdd() { return MemberTable.freeCount > 0 && SubunitCount < SubunitCapacity; }

bool CSubunitMgmtDlg::OpenInfo(bool isNew) {
  CSubunitDlg dlg;
  dlg.m_bNew = isNew ? 1 : 0;
  dlg.m_pCurPos = &m_nCurPos;
  if (!dlg.LoadRecord(1)) return false;
  dlg.DoModal();
  return true;
}

bool CSubunitMgmtDlg::DeleteMember(const char* last, const char* /*first*/) { return DeleteSubunit(last) == 1; }
