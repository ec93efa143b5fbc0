// Trace: scopes that announce "Entering %s" and "Exiting %s" to a trace
// monitor and, for CTraceLog, into the trace file "trace.txt".
//
// The monitor is a local datagram socket named "ZIZevuzoz" in the user's
// runtime folder ($XDG_RUNTIME_DIR, else the private folder "run" of the
// program folder); each message carries the
// nesting depth (4 bytes, little-endian) and the text with its terminating
// NUL. When nothing listens the message is dropped at once.
#pragma once

#include <cstdio>
#include <string>

#include "platform/base/CString.h"

extern CString TraceFileName;
extern int TraceLogLevel;    // 0 no file, 1 file written
extern int TraceDepth;       // CTraceLog objects alive
extern int TraceScopeDepth;  // CTraceScope objects alive

// Path of the monitor socket.
// Empty when the folder is missing or not private to the user (mode 0700,
// the user's own); `create` makes the program folder's "run" folder.
std::string TraceMonitorPath(bool create = false);
// Sends a formatted text to the monitor with the given depth.
void SendTraceToMonitorDepth(int depth, const char* format, ...) KESTROVA_PRINTF(2, 3);
// Sends with the depth of CTraceScope objects.
void SendTraceToMonitor(const char* format, ...) KESTROVA_PRINTF(1, 2);

class CTraceScope {
 public:
  explicit CTraceScope(const char* name);
  virtual ~CTraceScope();
  CTraceScope(const CTraceScope&) = delete;
  CTraceScope& operator=(const CTraceScope&) = delete;

 private:
  CString name_;
};

class CTraceLog {
 public:
  explicit CTraceLog(const char* name = "");
  virtual ~CTraceLog();
  CTraceLog(const CTraceLog&) = delete;
  CTraceLog& operator=(const CTraceLog&) = delete;

  BOOL Configure(CString fileName, int level, int append);
  BOOL WriteLine(CString text);
  BOOL Write(const char* format, ...) KESTROVA_PRINTF(2, 3);
  BOOL OpenForAppend();
  BOOL WriteHeader();
  static CString GetTimeText();
  CString GetErrorText() const { return error_; }

 private:
  int append_ = 0;
  CString error_;
  CString name_;
  std::FILE* stream_ = nullptr;
};

CTraceLog& TheTraceLog();
// The last error text of a trace log.
inline CString GetTraceErrorText(const CTraceLog& log) { return log.GetErrorText(); }
