#include "records/MemberCommands.h"

#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "records/EquipMgmtDlg.h"
#include "records/MemberMgmtDlgs.h"
#include "records/SchMgmtDlg.h"

namespace {

void Scouts() {
  CScoutMgmtDlg dlg;
  dlg.DoModal();
}

void Adults() {
  CAdultMgmtDlg dlg;
  dlg.DoModal();
}

void Equipment() {
  CEquipMgmtDlg dlg;
  dlg.DoModal();
}

void Subunits() {
  CSubunitMgmtDlg dlg;
  dlg.DoModal();
}

}  // namespace

void InstallMemberDialogs() {
  RegisterCommand(ID_EDIT_SCOUTS, Scouts);
  RegisterCommand(ID_EDIT_ADULTS, Adults);
  RegisterCommand(ID_EDIT_SUBUNITS, Subunits);
  RegisterCommand(ID_EDIT_SCHEDULES, RunScheduleManagement);
  RegisterCommand(ID_EDIT_EQUIPMENT, Equipment);
}
