#include "common/Version.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <ctime>
#include <string>

#include "common/Question.h"
#include "common/Settings.h"

extern char** environ;

CVersionNumber ProgramVersion;
CVersionNumber DataVersion;

namespace {

ShellOpener shellOpener = nullptr;
std::string programFileOverride;
long long clockOverride = 0;

long long Now() { return clockOverride ? clockOverride : static_cast<long long>(std::time(nullptr)); }

// Starts the desktop's opener in the background through a shell that returns
// at once, so nothing is left waiting. 33 when the opener was started, 2
// when there is none, 0 when the shell itself could not be started.
int XdgOpen(const char* target) {
  const char* argv[] = {"/bin/sh", "-c",
                        "command -v xdg-open >/dev/null 2>&1 || exit 3; "
                        "xdg-open \"$1\" >/dev/null 2>&1 </dev/null & exit 0",
                        "sh", target, nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return 0;
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) return 0;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return 33;
  return 2;
}

}  // namespace

void SetShellOpener(ShellOpener opener) { shellOpener = opener; }

int ShellOpen(const char* target) {
  if (!target || !*target) return 0;
  return shellOpener ? shellOpener(target) : XdgOpen(target);
}

int CWebLink::Open() {
  if (link_.IsEmpty()) return 0;
  return ShellOpen(link_);
}

BOOL CVersionNumber::SetAppName(const char* name) {
  error_.Empty();
  if (!name || !*name) error_ = "Version Number:  The application name may not be blank";
  else appName_ = name;
  return error_.IsEmpty();
}

BOOL CVersionNumber::SetExpiryDays(int days) {
  error_.Empty();
  if (days <= 0) error_ = "Version Number:  The expiration period must be at least one day.";
  else expiryDays_ = days;
  return error_.IsEmpty();
}

BOOL CVersionNumber::SetPatchUrl(const char* link) {
  error_.Empty();
  if (!link || !*link) error_ = "Version Number:  The patch URL may not be blank";
  else patchLink_.SetLink(link);
  return error_.IsEmpty();
}

BOOL CVersionNumber::SetVendorName(const char* name) {
  error_.Empty();
  if (!name || !*name) error_ = "Version Number:  The vendor name may not be blank";
  else vendor_ = name;
  return error_.IsEmpty();
}

BOOL CVersionNumber::SetVersion(const char* major, const char* minor) {
  error_.Empty();
  if (!major || !*major) {
    error_ = "Version Number:  The major version number may not be blank";
  } else {
    major_ = major;
    minor_ = minor ? minor : "";
  }
  return error_.IsEmpty();
}

BOOL CVersionNumber::SetWebSite(const char* link) {
  error_.Empty();
  if (!link || !*link) error_ = "Version Number:  The WebSite URL may not be blank";
  else webSite_.SetLink(link);
  return error_.IsEmpty();
}

CString CVersionNumber::Format(int flags) const {
  CString text;
  if ((flags & 1) && !appName_.IsEmpty()) text += appName_ + " ";
  if ((flags & 2) && !major_.IsEmpty()) text += major_ + ".";
  if ((flags & 4) && !minor_.IsEmpty()) text += minor_;
  text.TrimRight(" .");
  return text;
}

CString GetProgramFilePath() {
  if (!programFileOverride.empty()) return programFileOverride;
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  path[n] = '\0';
  return path;
}

void SetProgramFilePathForTest(const char* path) { programFileOverride = path ? path : ""; }
void SetReminderClockForTest(long long now) { clockOverride = now; }

BOOL CVersionNumber::IsReminderDue() {
  error_.Empty();
  CString path = GetProgramFilePath();
  struct stat st {};
  if (path.IsEmpty() || stat(path, &st) != 0) {
    error_ = "Unable to examine the program file " + path;
    return FALSE;
  }
  long long now = Now();
  if ((now - static_cast<long long>(st.st_mtime)) / 86400 < expiryDays_) return FALSE;
  SettingsSection* patch = OpenSettingsSection(SettingsFileName, "PATCH");
  long long last = GetSettingInt(patch, 'A', 0);
  CloseSettingsSection(patch);
  return (now - last) / 86400 >= expiryDays_ && error_.IsEmpty();
}

BOOL CVersionNumber::RemindIfOld() {
  error_.Empty();
  if (!IsReminderDue()) return error_.IsEmpty();
  CString text;
  text.Format("Your version of %s (v%s) is over %d days old.\n\n", static_cast<LPCTSTR>(appName_),
              static_cast<LPCTSTR>(Format(6)), expiryDays_);
  text += "Periodically, " + vendor_ + " posts free program update\n";
  text += "patches on our web site (" + webSite_.GetLink() + "). \n\nWould you ";
  text += "like to check our web site to see if a newer\nversion of " + appName_ + " is available at this time";
  if (AskQuestion(text, ANSWER_YES, 0) == ANSWER_YES) {
    if (patchLink_.Open() <= 32) error_ = "Unable to start web browser";
  }
  if (error_.IsEmpty()) {
    SettingsSection* patch = OpenSettingsSection(SettingsFileName, "PATCH");
    PutSettingInt(patch, 'A', static_cast<int>(Now()));
    CloseSettingsSection(patch);
  }
  return error_.IsEmpty();
}
