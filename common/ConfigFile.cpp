#include "common/ConfigFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Version.h"
#include "platform/base/Resources.h"

char CurrentFiscalYear[5] = "";
char FiscalYearYY[3] = "";
char ProgramFolder[MAX_PATH] = "";
char FaqFolder[MAX_PATH] = "";
int TraceLevel = 0;
FiscalYearNode* YearList = nullptr;
FiscalYearNode* CurrentYearNode = nullptr;
int YearCount = 0;
char ConfigFileName[MAX_PATH] = "";

namespace {

std::string DataMajor() {
  CString major = DataVersion.Format(2);
  return major.IsEmpty() ? std::string("4") : major.str();
}

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  std::size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

void ShowFormatted(const char* format, const std::string& arg, int kind) {
  char text[600];
  std::snprintf(text, sizeof text, format, arg.c_str());
  DispMessage(text, kind);
}

void ShowTemplate(ErrorTextIndex index, const char* item) {
  char text[256];
  FormatErrorText(text, index, item);
  DispMessage(text, MSG_FATAL);
}

bool AllDigits(const std::string& text) {
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return !text.empty();
}

// A value the reader cannot take: named with its line and the file, and the
// start fails as it does for a missing value.
void RefuseValue(const char* what, const std::string& value, int lineNumber) {
  char text[700];
  std::snprintf(text, sizeof text, "Invalid %s '%.60s' on line %d of %s", what, value.c_str(), lineNumber,
                ConfigFileName);
  DispMessage(text, MSG_ERROR);
}

bool SetFiscalYear(const std::string& value) {
  if (value.size() != 4 || !AllDigits(value)) return false;
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "%s", value.c_str());
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "%s", CurrentFiscalYear + 2);
  return true;
}

bool AddDataFolder(const std::string& value) {
  // The year: four digits, or two that stand for the year in full; then "/"
  // and the folder.
  std::size_t digits = 0;
  while (digits < value.size() && std::isdigit(static_cast<unsigned char>(value[digits]))) ++digits;
  if ((digits != 2 && digits != 4) || (digits < value.size() && value[digits] != '/')) return false;
  std::string year = value.substr(0, digits);
  if (digits == 2) year = std::to_string(ExpandYear(std::atoi(year.c_str())));
  std::string folder = digits + 1 < value.size() ? value.substr(digits + 1) : "";
  FiscalYearNode* node = FindYearNode(year.c_str(), 1, &YearList);
  if (!node) {
    DispMessage("Could not create data folder node", MSG_FATAL);
    return true;
  }
  if (folder.size() >= sizeof node->folder) {
    ShowFormatted("The data folder of fiscal year %s is too long", year, MSG_ERROR);
    folder.clear();
  }
  std::snprintf(node->folder, sizeof node->folder, "%s", folder.c_str());
  return true;
}

// False when the line's value was refused.
bool ApplyLine(const std::string& line, int lineNumber) {
  std::size_t eq = line.find('=');
  std::string key = Trim(line.substr(0, eq));
  if (eq == std::string::npos || eq + 1 >= line.size()) {
    ShowFormatted("Missing value for '%s'", key, MSG_ERROR);
    return true;
  }
  std::string value = Trim(line.substr(eq + 1));
  std::string upper = Upper(key);
  if (upper == "FISCAL YEAR") {
    if (!SetFiscalYear(value)) {
      RefuseValue("fiscal year", value, lineNumber);
      return false;
    }
  } else if (upper == "PROGRAM FOLDER") {
    if (value.size() >= sizeof ProgramFolder) {
      DispMessage("The program folder is too long", MSG_ERROR);
      return true;
    }
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", value.c_str());
    // The question-and-answer files ship with the program, read-only.
    std::snprintf(FaqFolder, sizeof FaqFolder, "%s", ResourcePath("FAQ").c_str());
  } else if (upper == "DATA FOLDER") {
    if (!AddDataFolder(value)) {
      RefuseValue("data folder year", value, lineNumber);
      return false;
    }
  } else if (upper == "TRACE") {
    TraceLevel = std::atoi(value.c_str());
  } else if (upper == "VERSION") {
    // Accepted; the data version is the program's own.
  } else {
    ShowFormatted("Unknown option - %s", key, MSG_ERROR);
  }
  return true;
}

int ReadConfig() {
  std::FILE* f = std::fopen(ConfigFileName, "rb");
  if (!f) {
    ShowTemplate(ERR_OPEN, ConfigFileName);
    return 0;
  }
  FiscalYearYY[0] = CurrentFiscalYear[0] = ProgramFolder[0] = FaqFolder[0] = '\0';
  TraceLevel = 0;
  // A line is one setting, whatever its length: a long line read in pieces
  // would make its tail a setting of its own.
  std::string line;
  int lineNumber = 0;
  bool refused = false;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    line = Trim(line);
    if (!line.empty() && !ApplyLine(line, lineNumber)) refused = true;
  }
  bool readError = std::ferror(f) != 0;
  std::fclose(f);
  if (readError) {
    // The start must not go on with half a configuration.
    ShowTemplate(ERR_READ, ConfigFileName);
    return 0;
  }
  if (refused) return 0;
  if (!CurrentFiscalYear[0]) {
    DispMessage("Unknown current fiscal year", MSG_ERROR);
    return 0;
  }
  if (!ProgramFolder[0]) {
    DispMessage("Unknown program folder", MSG_ERROR);
    return 0;
  }
  if (!SortYearList()) {
    DispMessage("Unknown or missing data folders", MSG_ERROR);
    return 0;
  }
  if (!CurrentYearNode) {
    ShowFormatted("Unknown or missing data folder for fiscal year %s", CurrentFiscalYear, MSG_ERROR);
    return 0;
  }
  return 1;
}

int WriteConfig() {
  std::string text;
  char line[700];
  std::snprintf(line, sizeof line, "Fiscal Year\t= %s\r\n", CurrentFiscalYear);
  text += line;
  std::snprintf(line, sizeof line, "Program Folder  = %s\r\n", ProgramFolder);
  text += line;
  for (FiscalYearNode* n = YearList; n; n = n->next) {
    std::snprintf(line, sizeof line, "Data Folder\t= %s/%s\r\n", n->year, n->folder);
    text += line;
  }
  std::snprintf(line, sizeof line, "Version         = %s\r\n", DataMajor().c_str());
  text += line;
  std::snprintf(line, sizeof line, "Trace           = %d\r\n", TraceLevel);
  text += line;
  int failed = WriteFileAtomic(ConfigFileName, text.data(), text.size());
  if (failed) {
    // WriteFileAtomic answers with the index of its template.
    ShowTemplate(failed == static_cast<int>(ERR_OPEN) ? ERR_OPEN : ERR_WRITE, ConfigFileName);
    return 0;
  }
  return 1;
}

}  // namespace

void InitConfigFileName() {
  std::string name = "config" + DataMajor() + ".sl";
  JoinPath(ConfigFileName, sizeof ConfigFileName, DefaultProgramFolder().c_str(), name.c_str());
}

int ReadWriteConfig(int mode) { return mode == 0 ? ReadConfig() : WriteConfig(); }

FiscalYearNode* FindYearNode(const char* year, int create, FiscalYearNode** head) {
  if (!head || !year) return nullptr;
  FiscalYearNode** link = head;
  for (FiscalYearNode* n = *head; n; n = n->next) {
    if (std::strcmp(n->year, year) == 0) return n;
    link = &n->next;
  }
  if (!create) return nullptr;
  FiscalYearNode* node = new (std::nothrow) FiscalYearNode{};
  if (!node) return nullptr;
  std::snprintf(node->year, sizeof node->year, "%s", year);
  *link = node;
  return node;
}

int SortYearList() {
  for (FiscalYearNode* a = YearList; a; a = a->next) {
    for (FiscalYearNode* b = a->next; b; b = b->next) {
      if (std::strcmp(a->year, b->year) > 0) {
        std::swap(a->year, b->year);
        std::swap(a->folder, b->folder);
      }
    }
  }
  bool ok = YearList != nullptr;
  int count = 0;
  for (FiscalYearNode* n = YearList; n; n = n->next) {
    ++count;
    if (!n->year[0] || !n->folder[0]) ok = false;
  }
  CurrentYearNode = nullptr;
  if (ok)
    for (FiscalYearNode* n = YearList; n; n = n->next)
      if (std::strcmp(n->year, CurrentFiscalYear) == 0) CurrentYearNode = n;
  YearCount = count;
  return ok ? 1 : 0;
}

void FreeYearList() {
  while (YearList) {
    FiscalYearNode* next = YearList->next;
    delete YearList;
    YearList = next;
  }
  CurrentYearNode = nullptr;
  YearCount = 0;
}

int RemoveYearNode(const char* year) {
  for (FiscalYearNode** link = &YearList; *link; link = &(*link)->next) {
    FiscalYearNode* n = *link;
    if (year && std::strcmp(n->year, year) == 0) {
      *link = n->next;
      if (CurrentYearNode == n) CurrentYearNode = nullptr;
      delete n;
      --YearCount;
      return 1;
    }
  }
  return 0;
}

int ExpandYear(int yy) { return yy > 50 ? 1900 + yy : 2000 + yy; }

void GetYearFolder(int whole, const char* root, const char* year, char* out, size_t size) {
  if (!out || size == 0) return;
  if (whole) {
    std::snprintf(out, size, "%s", root ? root : "");
    return;
  }
  std::string name = "fy";
  for (const char* p = year ? year : ""; *p; ++p) name += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
  // A year folder that older data wrote as "FY2004" is that folder.
  std::string folder = ResolvePathCase(JoinPath(root ? root : "", name));
  if (folder.size() >= size) folder.clear();
  std::memcpy(out, folder.c_str(), folder.size() + 1);
}

int CompareWithFiscalYear() {
  if (std::strcmp(TodayDate, FiscalStartDate) < 0) return -1;
  if (std::strcmp(TodayDate, FiscalEndDate) > 0) return 1;
  return 0;
}
