// tornel: the treasurer's bookkeeping program.
#include "app/Startup.h"
#include "app/TornelApp.h"
#include "platform/host/sdl/SdlHost.h"

int main(int argc, char** argv) {
  platform::SelectHost(argc, argv);
  WireProgram();
  CTornelApp app;
  int code = 1;
  if (app.InitInstance())
    code = app.Run();
  else
    app.ExitInstance();
  return code;
}
