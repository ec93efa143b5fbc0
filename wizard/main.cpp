// movrane: converts the data of a previous version into the current files.
#include "wizard/CmdLine.h"
#include "wizard/Conversion.h"

int main(int argc, char** argv) {
  CConversion& job = TheConversion();
  job.ParseCommandLine(JoinArguments(argc, argv));
  // The wizard's pages are not built yet: without them nobody can answer
  // what the switches left open, so the run ends as cancelled.
  job.SetStatus(kStatusCancelled);
  job.WriteStatusFile();
  return 0;
}
