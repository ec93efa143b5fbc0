// movrane: converts the data of a previous version into the current files.
#include "platform/host/sdl/SdlHost.h"
#include "wizard/CmdLine.h"
#include "wizard/Conversion.h"
#include "wizard/FolderDialog.h"
#include "wizard/WizardSheet.h"

int main(int argc, char** argv) {
  // Without a display nobody can answer the pages: the sheet then ends as
  // cancelled, which the status file reports.
  platform::SelectHost(argc, argv);
  CConversion& job = TheConversion();
  job.ParseCommandLine(JoinArguments(argc, argv));
  DialogFolderPicker picker;
  RunWizard(job, &picker);
  return 0;
}
