#include "records/AccountCommands.h"

#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "common/DlgUtil.h"
#include "records/AcctMgmtDlg.h"
#include "records/FriendDlg.h"
#include "records/ProfitCenterDlg.h"
#include "store/AcctGroup.h"

namespace {

void OpenAccounts() {
  CAcctMgmtDlg dlg;
  dlg.DoModal();
}

void OpenProfitCenters() {
  CProfitCenterListDlg dlg;
  dlg.DoModal();
}

void OpenFriends() {
  CFriendListDlg dlg;
  dlg.DoModal();
}

void ShowGroupReview(const char* path, const char* title) { ShowTextFile(path, title); }

}  // namespace

void InstallAccountDialogs() {
  RegisterCommand(ID_EDIT_ACCOUNTS, OpenAccounts);
  RegisterCommand(ID_EDIT_PROFIT_CENTERS, OpenProfitCenters);
  RegisterCommand(ID_EDIT_FRIENDS, OpenFriends);
  // The profit centres' hidden review shows its dump in the text viewer.
  SetAcctGroupReviewViewer(ShowGroupReview);
}
