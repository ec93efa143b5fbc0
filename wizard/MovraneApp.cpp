#include "wizard/MovraneApp.h"

#include "wizard/Conversion.h"
#include "wizard/WizardSheet.h"

CMovraneApp::CMovraneApp(CConversion& job, FolderPicker* picker, const char* commandLine)
    : CWinApp("movrane"), job_(job), picker_(picker), commandLine_(commandLine) {}

BOOL CMovraneApp::InitInstance() {
  job_.ParseCommandLine(commandLine_ ? commandLine_ : "");
  RunWizard(job_, picker_);
  return FALSE;
}
