#include "common/Trace.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "common/FileUtil.h"

CString TraceFileName;
int TraceLogLevel = 0;
int TraceDepth = 0;
int TraceScopeDepth = 0;

namespace {

int monitorSocket = -1;

void SendToMonitor(int depth, const char* text) {
  std::string path = TraceMonitorPath();
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof addr.sun_path) return;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  if (access(path.c_str(), F_OK) != 0) return;  // no monitor: costs one lookup
  if (monitorSocket < 0) {
    monitorSocket = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (monitorSocket < 0) return;
  }
  std::string msg(4, '\0');
  std::uint32_t d = static_cast<std::uint32_t>(depth);
  for (int i = 0; i < 4; ++i) msg[i] = static_cast<char>((d >> (8 * i)) & 0xFF);
  msg += text;
  msg += '\0';
  // A monitor that stopped leaves its socket file behind; the send then
  // fails at once and the message is dropped.
  (void)sendto(monitorSocket, msg.data(), msg.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
               reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
}

std::string FormatV(const char* format, va_list args) {
  CString text;
  text.FormatV(format, args);
  return text.str();
}

}  // namespace

std::string TraceMonitorPath(bool create) {
  // Only a folder of the user's own that no one else can open: another user
  // must neither read the trace (names and amounts) nor stand in as monitor.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder;
  if (runtime && *runtime) {
    folder = runtime;
  } else {
    folder = JoinPath(DefaultProgramFolder(), "run");
    if (create) MakePath(folder.c_str());
  }
  struct stat st {};
  if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077) != 0)
    return "";
  return JoinPath(folder, "ZIZevuzoz");
}

void SendTraceToMonitorDepth(int depth, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  SendToMonitor(depth, text.c_str());
}

void SendTraceToMonitor(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  SendToMonitor(TraceScopeDepth, text.c_str());
}

CTraceScope::CTraceScope(const char* name) : name_(name) {
  if (!name_.IsEmpty()) SendToMonitor(TraceScopeDepth, ("Entering " + name_.str()).c_str());
  ++TraceScopeDepth;
}

CTraceScope::~CTraceScope() {
  --TraceScopeDepth;
  if (!name_.IsEmpty()) SendToMonitor(TraceScopeDepth, ("Exiting " + name_.str()).c_str());
}

CTraceLog::CTraceLog(const char* name) : name_(name) {
  if (!name_.IsEmpty()) {
    CString line = "Entering " + name_;
    WriteLine(line);
    SendToMonitor(TraceDepth, line);
  }
  ++TraceDepth;
}

CTraceLog::~CTraceLog() {
  --TraceDepth;
  if (!name_.IsEmpty()) {
    CString line = "Exiting " + name_;
    WriteLine(line);
    SendToMonitor(TraceDepth, line);
  }
  if (stream_) std::fclose(stream_);
}

BOOL CTraceLog::Configure(CString fileName, int level, int append) {
  TraceLogLevel = level < 0 ? 0 : (level > 1 ? 1 : level);
  append_ = append;
  TraceFileName = fileName;
  WriteHeader();
  SendToMonitor(TraceDepth, "clear");
  return error_.IsEmpty();
}

BOOL CTraceLog::OpenForAppend() {
  error_.Empty();
  if (TraceLogLevel != 0 && !TraceFileName.IsEmpty()) {
    stream_ = OpenPrivateFile(TraceFileName, "ab");
    if (!stream_) error_ = "Failed trace file open: " + TraceFileName;
  }
  return error_.IsEmpty() && stream_ != nullptr;
}

BOOL CTraceLog::WriteLine(CString text) {
  error_.Empty();
  if (OpenForAppend()) {
    int indent = 4 * (TraceDepth > 0 ? TraceDepth : 0);
    std::fprintf(stream_, "%*.*s%s\r\n", indent, indent, "", static_cast<LPCTSTR>(text));
    if (std::ferror(stream_)) error_ = "Failed trace write:  '" + text + "'";
    if (std::fclose(stream_) != 0 && error_.IsEmpty()) error_ = "Failed trace write:  '" + text + "'";
    stream_ = nullptr;
  }
  return error_.IsEmpty();
}

BOOL CTraceLog::Write(const char* format, ...) {
  va_list args;
  va_start(args, format);
  CString text;
  text.FormatV(format, args);
  va_end(args);
  return WriteLine(text);
}

BOOL CTraceLog::WriteHeader() {
  error_.Empty();
  if (TraceLogLevel == 0 || TraceFileName.IsEmpty()) return TRUE;
  std::FILE* f = OpenPrivateFile(TraceFileName, append_ ? "ab" : "wb");
  if (!f) {
    error_ = "Failed trace file open: " + TraceFileName;
    return FALSE;
  }
  std::fclose(f);
  CString rule('=', 51);
  if (WriteLine(rule) && WriteLine(GetTimeText())) WriteLine(rule);
  return error_.IsEmpty();
}

CString CTraceLog::GetTimeText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[96];
  std::strftime(text, sizeof text, "%A, %B %d, %Y @ %H:%M", &local);
  return text;
}

CTraceLog& TheTraceLog() {
  static CTraceLog log;
  return log;
}

namespace {
// The global log exists before the program's own code runs, so that its
// depth of 1 is counted from the start.
const bool traceLogBuilt = (TheTraceLog(), true);
}  // namespace
