#include "records/CancelQuestion.h"

#include "common/Messages.h"
#include "platform/dialogs/Dialog.h"
#include "common/Question.h"
#include "platform/base/MessageBoxDefs.h"

void CancelAskingToSave(CDialog& dlg, bool changed, const char* question, const std::function<void()>& save) {
  if (!changed) {
    dlg.EndDialog(IDCANCEL);
    return;
  }
  switch (AskSaveChanges(question)) {
    case ANSWER_YES:
      save();
      break;
    case ANSWER_NO:
      dlg.EndDialog(IDCANCEL);
      break;
    default:
      break;
  }
}
