// Account groups (shown to the user as profit centres): named sets of
// accounts kept in two small files beside the year's record files, a group
// file ("_g.dat", 48-byte records) and a link file ("_a.dat", 8-byte
// records). Every public operation opens both files, works and closes them;
// failures are reported only through the error text.
#pragma once

#include <cstdio>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/types.h"
#include "store/Records.h"

using AcctNumberList = std::vector<UINT>;
using GroupNameList = std::vector<CString>;

class CAcctGroup {
 public:
  CAcctGroup();
  virtual ~CAcctGroup();
  CAcctGroup(const CAcctGroup& other) = default;
  CAcctGroup& operator=(const CAcctGroup& other);

  void Clear();
  static int EmptyId() { return 0; }
  int CopyAccounts(AcctNumberList* out) const;
  int Validate();
  void SetName(const CString& name) { name_ = name; }
  const CString& GetName() const { return name_; }
  void AddAccount(UINT account) { accounts_.push_back(account); }
  int GetId() const { return id_; }
  void SetId(int id) { id_ = id; }
  const CString& GetErrorText() const { return error_; }
  int GetValid() const { return valid_; }

 private:
  CString error_;
  int valid_ = -1;
  int id_ = 0;
  CString name_;
  AcctNumberList accounts_;
};

class CAcctGroupDBase {
 public:
  CAcctGroupDBase();
  virtual ~CAcctGroupDBase();
  CAcctGroupDBase(const CAcctGroupDBase&) = delete;
  CAcctGroupDBase& operator=(const CAcctGroupDBase&) = delete;

  int Initialize(const CString& folder, const CString& baseName);
  int Create();
  int Add(const CAcctGroup& group);
  int Delete(const CString& name);
  int Update(const CAcctGroup& old, const CAcctGroup& changed);
  int Get(const CString& name, CAcctGroup* out);
  int RemoveAccount(int account);
  int SelectGroups(const GroupNameList& names);
  int GetSelectedNames(GroupNameList* out) const;
  void GetNames(GroupNameList* out) const;
  int CountNames() const;
  int IsNameUnused(const CString& name) const;
  int GetAdjacentName(int forward, CString* name) const;
  int GetNameWidth() const { return 25; }
  void GetFileNames(GroupNameList* out) const;
  int Review();
  void ClearError() { error_.Empty(); }
  CString GetErrorText() const { return error_; }

 private:
  int Open();
  int Close();
  // Read record `row` of the `count` in the file.
  int GetGrp(int row, int count, AcctGroupRecord* out);
  int GetAct(int row, int count, AcctGroupLinkRecord* out);
  int PutGrp(int row, const AcctGroupRecord* rec);
  int PutAct(int row, const AcctGroupLinkRecord* rec);
  void Sort();
  int FindGrp(const CString& name, int* row) const;
  int FindAct(int groupId, int* fromRow);
  int DeleteActs(int groupId);
  // Frees the links of the group at `row` and empties its row and record.
  void RemoveRow(int row);
  int CountGrps() const;
  int CountActs() const;
  int NextId() const;
  void Reset();
  void SetError(const CString& text);
  int Finish() const { return error_.IsEmpty() ? 1 : 0; }

  CString baseName_, folder_;
  const char* kindWords_[2] = {"definition", "account"};
  CString error_;
  FILE* files_[2] = {nullptr, nullptr};
  CString fileNames_[2];
  int openCount_ = 0;
  std::vector<UINT> ids_;
  std::vector<CString> names_;
  std::vector<UINT> selected_;
  std::vector<UINT> index_;
};

// The one account-group database of the program.
CAcctGroupDBase& TheAcctGroupDBase();

// Shows a text file to the user (the review dump); replaced by the window
// layer, a no-op until then.
void SetAcctGroupReviewViewer(void (*viewer)(const char* path, const char* title));
