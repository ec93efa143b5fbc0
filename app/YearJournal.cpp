#include "app/YearJournal.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "common/ConfigFile.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/StopPoint.h"
#include "store/DataFiles.h"

namespace {

std::string Trim(const std::string& text) {
  std::size_t a = 0, b = text.size();
  while (a < b && (text[a] == ' ' || text[a] == '\t')) ++a;
  while (b > a && (text[b - 1] == ' ' || text[b - 1] == '\t' || text[b - 1] == '\r')) --b;
  return text.substr(a, b - a);
}

bool EndsWith(const std::string& text, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

bool EndsWithNoCase(const std::string& text, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, tail) == 0;
}

struct Entry {
  std::string name;
  bool folder;
};

std::vector<Entry> EntriesOf(const std::string& folder) {
  std::vector<Entry> entries;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      struct stat st;
      if (::lstat(JoinPath(folder, name).c_str(), &st) != 0) continue;
      entries.push_back({name, S_ISDIR(st.st_mode)});
    }
    ::closedir(d);
  }
  return entries;
}

void Unlink(const std::string& path) {
  StopPoint(path.c_str());
  ::unlink(path.c_str());
}

void Rename(const std::string& from, const std::string& to) {
  StopPoint(to.c_str());
  ::rename(from.c_str(), to.c_str());
}

// The year's record files in `folder`: "*<major><yy>*.dat".
std::vector<std::string> YearFiles(const std::string& folder, const std::string& year) {
  const std::string pattern = std::string(DataFormatMajor()) + (year.size() == 4 ? year.substr(2) : year);
  std::vector<std::string> names;
  for (const Entry& e : EntriesOf(folder)) {
    if (e.folder || !EndsWithNoCase(e.name, ".dat")) continue;
    if (e.name.substr(0, e.name.size() - 4).find(pattern) == std::string::npos) continue;
    names.push_back(e.name);
  }
  return names;
}

// Leftovers of a copy run stopped between its renames.
void TidyCopyLeftovers(const std::string& folder) {
  for (const Entry& e : EntriesOf(folder)) {
    if (e.folder) {
      if (e.name.rfind(".rollover-", 0) == 0) RemoveWorkFolder(JoinPath(folder, e.name));
      continue;
    }
    const std::string path = JoinPath(folder, e.name);
    if (EndsWith(e.name, ".part~")) {
      Unlink(path);
    } else if (EndsWith(e.name, ".old~")) {
      const std::string original = path.substr(0, path.size() - 5);
      struct stat st;
      if (::lstat(original.c_str(), &st) == 0)
        Unlink(path);
      else
        Rename(path, original);
    }
  }
}

bool IsRolloverWorkFolder(const std::string& work) {
  const std::string::size_type slash = work.rfind('/');
  return work.compare(slash == std::string::npos ? 0 : slash + 1, 10, ".rollover-") == 0;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

std::string YearJournalPath(const char* programFolder) {
  return JoinPath(programFolder, std::string("yearop") + DataFormatMajor() + ".jnl");
}

bool WriteYearJournal(const char* programFolder, const YearJournal& j) {
  std::string text = "Operation = " + j.operation + "\r\nState = " + j.state + "\r\nYear = " + j.year +
                     "\r\nFolder = " + j.folder + "\r\n";
  if (!j.oldFolder.empty()) text += "Old Folder = " + j.oldFolder + "\r\n";
  if (!j.work.empty()) text += "Work = " + j.work + "\r\n";
  if (j.madeFolder) text += "Made Folder = 1\r\n";
  for (const std::string& n : j.names) text += "Name = " + n + "\r\n";
  for (const std::string& p : j.placed) text += "Placed = " + p + "\r\n";
  const std::string path = YearJournalPath(programFolder);
  StopPoint(path.c_str());
  return WriteFileAtomic(path.c_str(), text.data(), text.size()) == 0;
}

bool ParseYearJournal(const std::string& text, YearJournal* j, std::string* error) {
  *j = YearJournal{};
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (const std::size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    line = Trim(line);
    if (line.empty()) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) {
      *error = "a line without \"=\"";
      return false;
    }
    const std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
    const char* k = key.c_str();
    if (strcasecmp(k, "Operation") == 0) j->operation = value;
    else if (strcasecmp(k, "State") == 0) j->state = value;
    else if (strcasecmp(k, "Year") == 0) j->year = value;
    else if (strcasecmp(k, "Folder") == 0) j->folder = value;
    else if (strcasecmp(k, "Old Folder") == 0) j->oldFolder = value;
    else if (strcasecmp(k, "Work") == 0) j->work = value;
    else if (strcasecmp(k, "Made Folder") == 0) j->madeFolder = value == "1";
    else if (strcasecmp(k, "Name") == 0) j->names.push_back(value);
    else if (strcasecmp(k, "Placed") == 0) j->placed.push_back(value);
  }
  const bool yearOk = j->year.size() == 4 && std::strspn(j->year.c_str(), "0123456789") == 4;
  const bool kindOk = j->operation == "Restore" || j->operation == "Rollover";
  const bool stateOk = j->state == "Build" || j->state == "Commit" || j->state == "Move";
  // Names are bare file names of the year's folder; a path would let the
  // journal move files elsewhere.
  bool namesOk = true;
  for (const std::string& n : j->names)
    namesOk = namesOk && !n.empty() && n.find('/') == std::string::npos && n != "." && n != "..";
  if (!yearOk || !kindOk || !stateOk || j->folder.empty() || !namesOk ||
      (j->operation == "Rollover" && j->work.empty())) {
    *error = "it is not the journal of a year operation";
    return false;
  }
  return true;
}

bool ReadYearJournal(const char* programFolder, YearJournal* journal, std::string* error) {
  const std::string path = YearJournalPath(programFolder);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && text.size() < (1u << 20)) text.append(buffer, n);
  std::fclose(f);
  return ParseYearJournal(text, journal, error);
}

void RemoveYearJournal(const char* programFolder) {
  const std::string path = YearJournalPath(programFolder);
  Unlink(path);
  SyncFolder(programFolder);
}

void RemoveWorkFolder(const std::string& work) {
  if (work.empty()) return;
  for (const Entry& e : EntriesOf(work)) {
    const std::string path = JoinPath(work, e.name);
    if (e.folder)
      RemoveWorkFolder(path);
    else
      Unlink(path);
  }
  StopPoint(work.c_str());
  ::rmdir(work.c_str());
}

bool FinishRestore(const YearJournal& j) {
  for (const std::string& dest : j.placed) {
    const std::string temp = dest + ".part~";
    if (FileExists(temp.c_str())) Rename(temp, dest);
  }
  FiscalYearNode* node = FindYearNode(j.year.c_str(), 1, &YearList);
  if (!node || j.folder.size() >= sizeof node->folder) return false;
  if (std::strcmp(node->folder, j.folder.c_str()) != 0) {
    std::snprintf(node->folder, sizeof node->folder, "%s", j.folder.c_str());
    SortYearList();
    StopPoint(ConfigFileName);
    if (ReadWriteConfig(1) != 1) return false;
  }
  // The replaced files of the year, in the folder it no longer uses.
  if (!j.oldFolder.empty() && j.oldFolder != j.folder) {
    for (const std::string& name : YearFiles(j.oldFolder, j.year)) Unlink(JoinPath(j.oldFolder, name));
    StopPoint(j.oldFolder.c_str());
    ::rmdir(j.oldFolder.c_str());  // a folder holding other files stays
  }
  return true;
}

void UndoRestore(const YearJournal& j) {
  for (const std::string& dest : j.placed) Unlink(dest + ".part~");
  // The new folder holds only what the restore copied there; a folder that
  // a known year uses is never removed, whatever a damaged journal says.
  for (const FiscalYearNode* n = YearList; n; n = n->next)
    if (j.folder == n->folder) return;
  if (j.folder != j.oldFolder) RemoveWorkFolder(j.folder);
}

void UndoRolloverMove(const YearJournal& j) {
  if (!IsRolloverWorkFolder(j.work)) return;
  for (const std::string& name : j.names) {
    const std::string kept = JoinPath(j.work, name + ".old~");
    const std::string inFolder = JoinPath(j.folder, name);
    if (FileExists(kept.c_str()))
      Rename(kept, inFolder);
    else if (!FileExists(JoinPath(j.work, name).c_str()))
      Unlink(inFolder);  // moved there by the rollover, and nothing was replaced
  }
  SyncFolder(j.folder);
  RemoveWorkFolder(j.work);
  if (j.madeFolder) ::rmdir(j.folder.c_str());
}

void RecoverYearOperations() {
  YearJournal j;
  std::string error;
  if (ReadYearJournal(ProgramFolder, &j, &error)) {
    if (j.operation == "Restore") {
      if (j.state == "Commit") {
        if (!FinishRestore(j)) {
          DispMessage("The restore of a fiscal year could not be finished; it is tried again at the next start",
                      MSG_ERROR);
          return;
        }
      } else {
        UndoRestore(j);
      }
    } else if (IsRolloverWorkFolder(j.work)) {
      const FiscalYearNode* node = FindYearNode(j.year.c_str(), 0, &YearList);
      // The configuration write that makes the new year current is the
      // rollover's last step: before it, the old year is whole.
      const bool committed = std::strcmp(CurrentFiscalYear, j.year.c_str()) == 0 && node &&
                             std::strcmp(node->folder, j.folder.c_str()) == 0 && j.state == "Move";
      if (committed)
        RemoveWorkFolder(j.work);
      else if (j.state == "Move")
        UndoRolloverMove(j);
      else {
        RemoveWorkFolder(j.work);
        if (j.madeFolder) ::rmdir(j.folder.c_str());
      }
    }
    RemoveYearJournal(ProgramFolder);
  } else if (!error.empty()) {
    const std::string text = "The journal " + YearJournalPath(ProgramFolder) + " cannot be read: " + error;
    DispMessage(text.c_str(), MSG_ERROR);
  }
  TidyCopyLeftovers(ProgramFolder);
  for (const FiscalYearNode* node = YearList; node; node = node->next) TidyCopyLeftovers(node->folder);
}
