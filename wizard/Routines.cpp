#include "wizard/Routines.h"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "common/Dates.h"
#include "common/FileUtil.h"
#include "platform/base/CString.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/framework/CWinApp.h"
#include "platform/window/Window.h"

namespace wiz {

namespace {

struct KindInfo {
  const char* caption;
  UINT type;
  int beep;  // -1 none, else the MessageBeep type
};

const KindInfo kKinds[5] = {
    {"Error", MB_OK | MB_ICONEXCLAMATION, static_cast<int>(MB_ICONEXCLAMATION)},
    {"Information", MB_OK | MB_ICONINFORMATION, -1},
    {"Prompt", MB_OKCANCEL | MB_ICONINFORMATION, -1},
    {"Information", MB_OK | MB_ICONINFORMATION, static_cast<int>(MB_ICONINFORMATION)},
    {"Fatal Error", MB_OK | MB_ICONSTOP, static_cast<int>(MB_ICONSTOP)},
};

const char* const kTemplates[18] = {
    "Unknown error: %s",
    "Number of %s exceeds List Values max",
    "The system now holds the maximum number of %ss",
    "Failed alloc: %s",
    "Failed create: %s",
    "Failed find: %s",
    "Failed flush: %s",
    "Failed open: %s",
    "Failed read: %s",
    "Failed parse: %s",
    "Could not find %s",
    "Failed seek: %s",
    "Failed write: %s",
    "Incompatible %s",
    "No %ss are defined yet",
    "Unmatched %s",
    "Invalid %s (item must be from the given list)",
    "This %s already exists",
};

bool PathExists(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0;
}

bool IsFolder(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int DispMessage(const char* text, int kind) {
  const int savedErrno = errno;
  if (kind < 0 || kind > 4) kind = 0;
  std::string shown;
  const char* finalText = "An error occurred but could not be reported";
  try {
    shown = text ? text : "";
    if (shown.find('\n') == std::string::npos) shown += '.';
    if (kind == kPrompt) {
      shown += "\n\nSelect OK when ready.";
    } else if (kind == kFatal) {
      std::string err = std::strerror(savedErrno);
      if (!err.empty() && err.back() == '\n') err.pop_back();
      shown += "\n\n\"" + err + "\"";
    }
    finalText = shown.c_str();
  } catch (const std::bad_alloc&) {
  }
  if (kKinds[kind].beep >= 0) MessageBeep(static_cast<UINT>(kKinds[kind].beep));
  return MessageBox(GetActiveWindow(), finalText, kKinds[kind].caption, kKinds[kind].type) == IDOK ? 1 : 0;
}

int AskQuestion(const char* text, char def, int flag) {
  std::string shown = std::string(text ? text : "") + "?";
  UINT type = (flag ? MB_YESNOCANCEL : MB_YESNO) | MB_ICONQUESTION;
  if (def != 'Y') type |= MB_DEFBUTTON2;
  int answer = MessageBox(GetActiveWindow(), shown.c_str(), "Question", type);
  if (answer == IDYES) return 1;
  if (answer == IDNO) return 2;
  return 0;
}

std::string FormatErrorTextStr(int index, const char* item) {
  if (index < 0 || index > 17) index = 0;
  std::string t = kTemplates[index];
  std::size_t at = t.find("%s");
  t.replace(at, 2, item ? item : "???");
  return t;
}

bool IsFloppyDrive(char) { return false; }

int ValidatePath(std::string& path, int flags, std::string& message) {
  message.clear();
  const char* kind = (flags & kPathFile) ? "File" : (flags & kPathFolder) ? "Folder"
                     : (flags & kPathFloppy) ? "Floppy drive" : "Drive";
  std::string allowed = "/";
  if (flags & kPathColon) allowed += ":";
  if (flags & kPathFolder) allowed += ":\\._-~ ";
  if (flags & kPathFile) allowed += "._- ";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c >= 0x80) continue;
    if (allowed.find(static_cast<char>(c)) == std::string::npos) {
      message = std::string("Invalid characters in ") + kind + " name:  \"" + path + "\"";
      return 0;
    }
  }
  // Separators become "/" and a trailing one goes (the root stays "/").
  std::string norm = NormalizePath(path);
  while (norm.size() > 1 && norm.back() == '/') norm.pop_back();
  path = norm;

  const bool isFile = (flags & kPathFile) != 0;
  auto askCreate = [&](const std::string& text) {
    if (AskQuestion((text + ".\n\nDo you wish to create it").c_str(), 'N', 0) == 1) return true;
    message = "Folder creation cancelled";
    return false;
  };
  if (isFile) {
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    if (!IsFolder(folder)) {
      if (!(flags & kPathAskCreate)) {
        message = "Folder does not exist";
        return 0;
      }
      if (!askCreate("Folder does not exist")) return 0;
    }
  }
  bool exists = isFile ? (PathExists(path) && !IsFolder(path)) : IsFolder(path);
  if (flags & kPathMustExist) {
    if (!exists) {
      std::string text = std::string(kind) + " does not exist";
      if (!(flags & kPathAskCreate)) {
        message = text;
        return 0;
      }
      if (!askCreate(text)) return 0;
    }
  } else if (flags & kPathAskOverwrite) {
    if (exists && AskQuestion((std::string(kind) + " already exists.\n\nDo you wish to overwrite it").c_str(),
                              'N', 0) != 1) {
      message = "Overwrite cancelled";
      return 0;
    }
  } else if ((flags & kPathMustNotExist) && exists) {
    message = std::string(kind) + " already exists";
    return 0;
  }
  if (flags & kPathFloppy) {
    message = "Not a floppy drive";
    return 0;
  }
  return 1;
}

namespace {
int badAmounts = 0;
}  // namespace

long ToCents(float dollars) {
  // A stored amount holds at most +-21,474,836.47: anything else (no
  // number, or beyond) is damage, never a value to wrap into one.
  constexpr double kMaxDollars = 21474836.47;
  double d = dollars;
  if (!std::isfinite(d) || std::fabs(d) > kMaxDollars + 0.004) {
    ++badAmounts;
    return 0;
  }
  d += d > 0 ? 0.005 : -0.005;
  return static_cast<long>(d * 100.0);
}

void CountBadAmount() { ++badAmounts; }

int TakeBadAmounts() {
  const int n = badAmounts;
  badAmounts = 0;
  return n;
}

std::string ExpandOldDate(const char* yymmdd) {
  if (!yymmdd || !*yymmdd) return std::string();
  char out[32] = {};
  FormatDate(yymmdd, DF_YYMMDD, DF_YYYYMMDD, out);
  return std::string(out).substr(0, 8);
}

int GetFiscalYearOfMonth(int monthIndex, int fiscalYear, int startMonth) {
  return monthIndex < startMonth ? fiscalYear + 1 : fiscalYear;
}

std::string PrefixFiscalYear(const char* mmdd, int fiscalYear, int startMonth) {
  int year = 0;
  if (mmdd && std::isdigit(static_cast<unsigned char>(mmdd[0])) &&
      std::isdigit(static_cast<unsigned char>(mmdd[1]))) {
    int month = (mmdd[0] - '0') * 10 + (mmdd[1] - '0');
    if (month >= 1 && month <= 12) year = GetFiscalYearOfMonth(month - 1, fiscalYear, startMonth);
  }
  char buf[8];
  std::snprintf(buf, sizeof buf, "%4.4d", year % 10000);
  return std::string(buf) + (mmdd ? mmdd : "");
}

std::string JoinMarkedName(int youth, const char* first, const char* last) {
  return std::string(youth == 0 ? "*" : " ") + (last ? last : "") + ", " + (first ? first : "");
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return CString(a.c_str()).CompareNoCase(b.c_str()) == 0;
}

std::string ToUpper(std::string text) {
  CString s(text.c_str());
  s.MakeUpper();
  return std::string(static_cast<const char*>(s));
}

std::string ToLower(std::string text) {
  CString s(text.c_str());
  s.MakeLower();
  return std::string(static_cast<const char*>(s));
}

std::string Trim(const std::string& text, bool leading, bool trailing) {
  std::size_t b = 0, e = text.size();
  if (leading)
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  if (trailing)
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return text.substr(b, e - b);
}

void SetApplicationName(const std::string& name) {
  // The framework keeps a pointer to the name: it must outlive every job.
  static std::string kept;
  CWinApp* app = AfxGetApp();
  if (!app) return;
  kept = name;
  app->m_pszAppName = kept.c_str();
}

}  // namespace wiz
