#include "store/AcctGroup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

#include "common/FileUtil.h"
#include "store/RecordWrites.h"
#include "store/TextCompare.h"

namespace {

void (*g_viewer)(const char*, const char*) = nullptr;

long FileLength(const CString& path) {
  struct stat st;
  if (::stat(path, &st) != 0) return 0;
  return static_cast<long>(st.st_size);
}

}  // namespace

void SetAcctGroupReviewViewer(void (*viewer)(const char*, const char*)) { g_viewer = viewer; }

CAcctGroupDBase& TheAcctGroupDBase() {
  static CAcctGroupDBase db;
  return db;
}

// ---- CAcctGroup ----

CAcctGroup::CAcctGroup() { Clear(); }
CAcctGroup::~CAcctGroup() { Clear(); }

CAcctGroup& CAcctGroup::operator=(const CAcctGroup& other) {
  if (this == &other) {
    error_ = "Attempted assignment of a CAcctGroup to itself";
    return *this;
  }
  name_ = other.name_;
  accounts_ = other.accounts_;
  return *this;
}

void CAcctGroup::Clear() {
  id_ = EmptyId();
  name_.Empty();
  accounts_.clear();
}

int CAcctGroup::CopyAccounts(AcctNumberList* out) const {
  out->assign(accounts_.begin(), accounts_.end());
  return static_cast<int>(accounts_.size());
}

int CAcctGroup::Validate() {
  error_.Empty();
  if (name_.IsEmpty()) error_ = "A name is mandatory";
  else if (accounts_.empty()) error_ = "At least one account must be identified";
  valid_ = error_.IsEmpty() ? 1 : 0;
  return valid_;
}

// ---- CAcctGroupDBase ----

CAcctGroupDBase::CAcctGroupDBase() = default;

CAcctGroupDBase::~CAcctGroupDBase() {
  baseName_.Empty();
  folder_.Empty();
  for (FILE*& f : files_) {
    if (f) std::fclose(f);
    f = nullptr;
  }
}

void CAcctGroupDBase::SetError(const CString& text) {
  if (!text.IsEmpty()) error_ = text;
}

void CAcctGroupDBase::Reset() {
  openCount_ = 0;
  ids_.clear();
  names_.clear();
  selected_.clear();
  index_.clear();
}

int CAcctGroupDBase::Initialize(const CString& folder, const CString& baseName) {
  error_.Empty();
  if (baseName.IsEmpty()) {
    SetError("Empty filename given to CAcctGroupDBase::Initialize");
    return 0;
  }
  if (folder.IsEmpty()) {
    SetError("Empty folder given to CAcctGroupDBase::Initialize");
    return 0;
  }
  folder_ = folder;
  baseName_ = baseName;
  fileNames_[0] = CString(ResolvePathCase(std::string(baseName.str()) + "_g.dat"));
  fileNames_[1] = CString(ResolvePathCase(std::string(baseName.str()) + "_a.dat"));
  for (FILE*& f : files_) {
    if (f) std::fclose(f);
    f = nullptr;
  }
  Reset();
  if (Open()) {
    int count = CountGrps();
    for (int row = 0; row < count; ++row) {
      AcctGroupRecord rec;
      // The reading stops at the first record that cannot be read.
      if (!GetGrp(row, count, &rec)) break;
      ids_.push_back(static_cast<UINT>(rec.id));
      names_.push_back(CString(rec.name));
      selected_.push_back(static_cast<UINT>(rec.selected));
    }
    Sort();
    Close();
  }
  return Finish();
}

int CAcctGroupDBase::Create() {
  error_.Empty();
  for (const CString& name : fileNames_) {
    int fd = ::open(name, O_CREAT | O_TRUNC | O_RDWR, 0600);
    if (fd < 0) {
      SetError(CString("Could not open ") + name);
      return 0;
    }
    ::close(fd);
  }
  return Initialize(folder_, baseName_);
}

int CAcctGroupDBase::Open() {
  if (++openCount_ != 1) return Finish();
  for (int i = 0; i < 2 && error_.IsEmpty(); ++i) {
    if (fileNames_[i].IsEmpty()) {
      SetError(CString("Missing account group ") + kindWords_[i] + " filename in CAcctGroupDBase::_Open");
      break;
    }
    files_[i] = std::fopen(fileNames_[i], "r+b");
    if (files_[i] == nullptr) SetError(CString("Could not open ") + fileNames_[i]);
  }
  if (!error_.IsEmpty()) {
    Close();
    return 0;
  }
  return 1;
}

int CAcctGroupDBase::Close() {
  if (openCount_ > 0) --openCount_;
  if (openCount_ != 0) return 1;
  int ok = 1;
  for (int i = 0; i < 2; ++i) {
    if (files_[i] && std::fclose(files_[i]) != 0) {
      SetError(CString("Could not close ") + fileNames_[i] + " in CAcctGroupDBase::_Close");
      ok = 0;
    }
    files_[i] = nullptr;
  }
  return ok;
}

int CAcctGroupDBase::CountGrps() const { return static_cast<int>(FileLength(fileNames_[0]) / kAcctGroupRecordSize); }
int CAcctGroupDBase::CountActs() const { return static_cast<int>(FileLength(fileNames_[1]) / kAcctGroupLinkRecordSize); }

namespace {

// Reads record `row` of the `count` in `file`. Null when it was read, else
// the start of the error text that names the reading function.
template <class Rec>
const char* ReadGroupFileRecord(FILE* file, int row, int count, Rec* out) {
  if (row < 0 || row >= count) return "Record number is out of range for ";
  if (file == nullptr) return "Invalid file pointer for ";
  if (std::fseek(file, static_cast<long>(row) * RecordSize<Rec>::value, SEEK_SET) != 0) return "Seek failed in ";
  BYTE buf[RecordSize<Rec>::value];
  if (std::fread(buf, sizeof buf, 1, file) != 1) return "Read failed in ";
  Unpack(buf, *out);
  return nullptr;
}

}  // namespace

int CAcctGroupDBase::GetGrp(int row, int count, AcctGroupRecord* out) {
  if (const char* failed = ReadGroupFileRecord(files_[0], row, count, out)) {
    SetError(CString(failed) + "CAcctGroupDBase::_GetGrp");
    return 0;
  }
  return 1;
}

int CAcctGroupDBase::GetAct(int row, int count, AcctGroupLinkRecord* out) {
  if (const char* failed = ReadGroupFileRecord(files_[1], row, count, out)) {
    SetError(CString(failed) + "CAcctGroupDBase::_GetAct");
    return 0;
  }
  return 1;
}

namespace {

template <class Rec>
CString PutRecord(FILE* f, int row, const Rec* rec, const char* me) {
  if (f == nullptr) return CString("Invalid file pointer for ") + me;
  if (std::fseek(f, static_cast<long>(row) * RecordSize<Rec>::value, SEEK_SET) != 0)
    return CString("Seek failed in ") + me;
  BYTE buf[RecordSize<Rec>::value];
  Pack(*rec, buf);
  // Within a store operation the group files are put back with the record
  // files when it fails.
  NoteRecordWrite(f, static_cast<long long>(row) * RecordSize<Rec>::value, RecordSize<Rec>::value);
  if (std::fwrite(buf, sizeof buf, 1, f) != 1) return CString("Write failed in ") + me;
  // Committed to the disk on each flush.
  if (std::fflush(f) != 0 || ::fsync(fileno(f)) != 0) return CString("Flush failed in ") + me;
  return CString();
}

}  // namespace

int CAcctGroupDBase::PutGrp(int row, const AcctGroupRecord* rec) {
  CString e = PutRecord(files_[0], row, rec, "CAcctGroupDBase::_PutGrp");
  SetError(e);
  return e.IsEmpty();
}

int CAcctGroupDBase::PutAct(int row, const AcctGroupLinkRecord* rec) {
  CString e = PutRecord(files_[1], row, rec, "CAcctGroupDBase::_PutAct");
  SetError(e);
  return e.IsEmpty();
}

void CAcctGroupDBase::Sort() {
  // Stable: names equal but for case keep their row order.
  index_.resize(names_.size());
  std::iota(index_.begin(), index_.end(), 0u);
  std::stable_sort(index_.begin(), index_.end(),
                   [this](UINT a, UINT b) { return CompareNoCase(names_[a], names_[b]) < 0; });
}

int CAcctGroupDBase::FindGrp(const CString& name, int* row) const {
  for (size_t r = 0; r < names_.size(); ++r)
    if (!names_[r].IsEmpty() && names_[r].str() == name.str()) {
      *row = static_cast<int>(r);
      return 1;
    }
  *row = -1;
  return 0;
}

int CAcctGroupDBase::FindAct(int groupId, int* fromRow) {
  int count = CountActs();
  for (int r = std::max(0, *fromRow); r < count; ++r) {
    AcctGroupLinkRecord link;
    if (!GetAct(r, count, &link)) return 0;
    if (link.groupId == groupId) {
      *fromRow = r;
      return 1;
    }
  }
  *fromRow = -1;
  return 0;
}

int CAcctGroupDBase::DeleteActs(int groupId) {
  int row = 0;
  const AcctGroupLinkRecord freed;
  while (FindAct(groupId, &row)) {
    if (!PutAct(row, &freed)) return 0;
    ++row;
  }
  return Finish();
}

int CAcctGroupDBase::NextId() const {
  UINT highest = 0;
  for (UINT id : ids_) highest = std::max(highest, id);
  return static_cast<int>(highest) + 1;
}

int CAcctGroupDBase::Add(const CAcctGroup& group) {
  error_.Empty();
  CAcctGroup checked = group;
  if (!checked.Validate()) {
    SetError(checked.GetErrorText());
    return 0;
  }
  if (!Open()) return 0;
  int row = -1;
  for (size_t r = 0; r < names_.size(); ++r)
    if (names_[r].IsEmpty()) {
      row = static_cast<int>(r);
      break;
    }
  if (row < 0) {
    row = static_cast<int>(names_.size());
    ids_.push_back(0);
    names_.push_back(CString());
    selected_.push_back(0);
  }
  int id = NextId();
  ids_[static_cast<size_t>(row)] = static_cast<UINT>(id);
  names_[static_cast<size_t>(row)] = group.GetName();
  selected_[static_cast<size_t>(row)] = 0;
  AcctGroupRecord rec;
  rec.id = id;
  rec.selected = 0;
  CopyText(rec.name, sizeof rec.name, group.GetName());
  if (PutGrp(row, &rec)) {
    AcctNumberList accounts;
    group.CopyAccounts(&accounts);
    int from = 0;
    for (UINT account : accounts) {
      // The first freed link record, else the end of the file.
      int count = CountActs();
      int target = count;
      for (int r = from; r < count; ++r) {
        AcctGroupLinkRecord link;
        if (!GetAct(r, count, &link)) break;
        if (link.groupId == 0) {
          target = r;
          break;
        }
      }
      if (!error_.IsEmpty()) break;
      AcctGroupLinkRecord link{id, static_cast<LONG>(account)};
      if (!PutAct(target, &link)) break;
      from = target + 1;
    }
  }
  Sort();
  Close();
  return Finish();
}

int CAcctGroupDBase::Delete(const CString& name) {
  error_.Empty();
  if (!Open()) return 0;
  int row = -1;
  if (FindGrp(name, &row)) {
    RemoveRow(row);
    Sort();
  }
  Close();
  return Finish();
}

void CAcctGroupDBase::RemoveRow(int row) {
  if (!DeleteActs(static_cast<int>(ids_[static_cast<size_t>(row)]))) return;
  // Memory follows the file: a group record that could not be emptied
  // stays listed.
  AcctGroupRecord zero;
  if (!PutGrp(row, &zero)) return;
  names_[static_cast<size_t>(row)].Empty();
  ids_[static_cast<size_t>(row)] = 0;
  selected_[static_cast<size_t>(row)] = 0;
}

int CAcctGroupDBase::Update(const CAcctGroup& old, const CAcctGroup& changed) {
  error_.Empty();
  // A changed group that cannot be added is refused before the old one is
  // deleted.
  CAcctGroup checked = changed;
  if (!checked.Validate()) {
    SetError(checked.GetErrorText());
    return 0;
  }
  if (!Delete(old.GetName())) return 0;
  const int newId = NextId();
  if (Add(changed)) return 1;
  // The add failed part way: what it wrote goes, and the old group is put
  // back. The failure of the add stays the one reported.
  const CString failure = error_;
  error_.Empty();
  if (Open()) {
    for (size_t r = 0; r < ids_.size(); ++r)
      if (ids_[r] == static_cast<UINT>(newId)) {
        RemoveRow(static_cast<int>(r));
        break;
      }
    Sort();
    Close();
  }
  error_.Empty();
  const bool restored = Add(old) == 1;
  error_ = failure;
  if (!restored) SetError(CString(failure) + "; the group \"" + old.GetName() + "\" could not be put back");
  return 0;
}

int CAcctGroupDBase::Get(const CString& name, CAcctGroup* out) {
  error_.Empty();
  out->Clear();
  if (!Open()) return 0;
  int row = -1;
  AcctGroupRecord rec;
  if (FindGrp(name, &row) && GetGrp(row, static_cast<int>(ids_.size()), &rec)) {
    out->SetName(rec.name);
    int count = CountActs();
    for (int r = 0; r < count; ++r) {
      AcctGroupLinkRecord link;
      if (!GetAct(r, count, &link)) break;
      if (link.groupId == rec.id) out->AddAccount(static_cast<UINT>(link.account));
    }
  }
  Close();
  return Finish();
}

int CAcctGroupDBase::RemoveAccount(int account) {
  error_.Empty();
  if (!Open()) return 0;
  int count = CountActs();
  const AcctGroupLinkRecord freed;
  for (int r = 0; r < count; ++r) {
    AcctGroupLinkRecord link;
    if (!GetAct(r, count, &link)) break;
    if (link.account == account && link.groupId != 0 && !PutAct(r, &freed)) break;
  }
  Close();
  return Finish();
}

int CAcctGroupDBase::SelectGroups(const GroupNameList& names) {
  error_.Empty();
  for (size_t r = 0; r < names_.size(); ++r) {
    selected_[r] = 0;
    for (const CString& n : names)
      if (!names_[r].IsEmpty() && names_[r].str() == n.str()) selected_[r] = 1;
  }
  if (!Open()) return 0;
  for (size_t r = 0; r < names_.size(); ++r) {
    AcctGroupRecord rec;
    rec.id = static_cast<LONG>(ids_[r]);
    rec.selected = static_cast<LONG>(selected_[r]);
    CopyText(rec.name, sizeof rec.name, names_[r]);
    if (!PutGrp(static_cast<int>(r), &rec)) break;
  }
  Close();
  return Finish();
}

int CAcctGroupDBase::GetSelectedNames(GroupNameList* out) const {
  out->clear();
  for (size_t r = 0; r < names_.size(); ++r)
    if (selected_[r]) out->push_back(names_[r]);
  return static_cast<int>(names_.size());
}

void CAcctGroupDBase::GetNames(GroupNameList* out) const {
  out->clear();
  for (UINT r : index_)
    if (!names_[r].IsEmpty()) out->push_back(names_[r]);
}

int CAcctGroupDBase::CountNames() const {
  int n = 0;
  for (const CString& name : names_)
    if (!name.IsEmpty()) ++n;
  return n;
}

int CAcctGroupDBase::IsNameUnused(const CString& name) const {
  int row;
  return FindGrp(name, &row) ? 0 : 1;
}

int CAcctGroupDBase::GetAdjacentName(int forward, CString* name) const {
  GroupNameList names;
  GetNames(&names);
  if (names.empty()) return 0;  // nothing to step to; the name stays
  int at = -1;
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i].str() == name->str()) at = static_cast<int>(i);
  int n = static_cast<int>(names.size());
  if (forward) {
    if (at < 0 || at + 1 >= n) {
      *name = names.front();
      return 1;
    }
    *name = names[static_cast<size_t>(at + 1)];
  } else {
    if (at <= 0) {
      *name = names.back();
      return 1;
    }
    *name = names[static_cast<size_t>(at - 1)];
  }
  return 0;
}

void CAcctGroupDBase::GetFileNames(GroupNameList* out) const {
  out->clear();
  out->push_back(fileNames_[0]);
  out->push_back(fileNames_[1]);
}

int CAcctGroupDBase::Review() {
  error_.Empty();
  std::string path = JoinPath(folder_.str(), "acctgroup.txt");
  FILE* f = OpenPrivateFile(path.c_str(), "w");
  if (f == nullptr) {
    SetError(CString("Open failed for ") + path.c_str() + " in CAcctGroupDBase::Review");
    return 0;
  }
  if (Open()) {
    std::fprintf(f, "Idx\tRow\n");
    for (size_t i = 0; i < index_.size(); ++i) std::fprintf(f, "%d\t%d\n", static_cast<int>(i), static_cast<int>(index_[i]));
    std::fprintf(f, "\nRow\tGID\tSel\tName\n");
    for (size_t r = 0; r < names_.size(); ++r) {
      AcctGroupRecord rec;
      if (GetGrp(static_cast<int>(r), static_cast<int>(ids_.size()), &rec))
        std::fprintf(f, "%d\t%d\t%d\t%s\n", static_cast<int>(r), rec.id, rec.selected, rec.name);
    }
    std::fprintf(f, "\nRow\tGID\tAID\n");
    int count = CountActs();
    for (int r = 0; r < count; ++r) {
      AcctGroupLinkRecord link;
      if (GetAct(r, count, &link)) std::fprintf(f, "%d\t%d\t%d\n", r, link.groupId, link.account);
    }
  }
  std::fclose(f);
  Close();
  if (g_viewer) g_viewer(path.c_str(), "Account Group Database");
  std::remove(path.c_str());
  return Finish();
}
