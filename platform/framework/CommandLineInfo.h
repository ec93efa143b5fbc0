// CCommandLineInfo: what a program's command line asks of the framework (a
// new document, a file to open, no splash screen), filled by
// CWinApp::ParseCommandLine one parameter at a time.
#pragma once

#include <string>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"

class CCommandLineInfo : public CObject {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

  CCommandLineInfo() = default;
  ~CCommandLineInfo() override = default;

  // One parameter: `flag` when it began with "-" or "/" (which is dropped),
  // `last` for the final one.
  virtual void ParseParam(LPCTSTR param, BOOL flag, BOOL last);

  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  int m_nShellCommand = FileNew;
  CString m_strFileName;
  CString m_strPrinterName;
};

// Splits a command line into parameters: blanks separate them, double
// quotes group blanks into one (the quotes are dropped).
std::vector<std::string> SplitCommandLine(const char* line);
