// The application object of movrane: all its work is its initialisation,
// which runs the wizard once and returns without a message loop.
#pragma once

#include "platform/framework/CWinApp.h"

class CConversion;
class FolderPicker;

class CMovraneApp : public CWinApp {
 public:
  // `picker` may be null: the browse buttons are then disabled.
  CMovraneApp(CConversion& job, FolderPicker* picker, const char* commandLine);

  // Applies the command line, runs the sheet and writes the status file;
  // always FALSE, so no message loop follows.
  BOOL InitInstance() override;

 private:
  CConversion& job_;
  FolderPicker* picker_;
  const char* commandLine_;
};
