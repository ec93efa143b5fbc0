// movrane: converts the data of a previous version into the current files.
#include <string>

#include "platform/host/sdl/SdlHost.h"
#include "wizard/CmdLine.h"
#include "wizard/Conversion.h"
#include "wizard/FolderDialog.h"
#include "wizard/MovraneApp.h"

int main(int argc, char** argv) {
  // Without a display nobody can answer the pages: the sheet then ends as
  // cancelled, which the status file reports.
  platform::SelectHost(argc, argv);
  const std::string commandLine = JoinArguments(argc, argv);
  DialogFolderPicker picker;
  CMovraneApp app(TheConversion(), &picker, commandLine.c_str());
  app.InitInstance();
  return 0;
}
