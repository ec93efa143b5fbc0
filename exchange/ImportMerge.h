// What the member import does with each imported scout and adult: the
// local member of the same name takes over the changed fields, a new one is
// added (with its subunit when that is new too), and the local members the
// import did not bring are offered for deletion. Every outcome goes to the
// import's change log.
#pragma once

#include <string>
#include <vector>

#include "store/MemberStore.h"

// The state of one import, shared by its scout and adult passes.
struct ImportRun {
  ImportRun();
  // One entry per member row: set for every local member the import
  // matched or added.
  std::vector<char> checklist;
  // Rows added by the running pass; a later record of the same name is a
  // member of its own, not a match.
  std::vector<char> addedThisPass;
  // Yes, Yes To All, No or No To All, kept across both passes.
  int deletionAnswer;
  bool firstSubunitCall = true;
  bool limitShown = false;
  // New subunit names that could not be made, each listed once.
  std::vector<std::string> notAdded;

  void StartPass();
};

inline constexpr int kImportNotAddedNames = 25;

// 0 on success; non-zero after a failure they have shown, which stops the
// import.
int MergeImportScout(MemberRow* imported, ImportRun& run);
int MergeImportAdult(MemberRow* imported, ImportRun& run);
// Makes sure a subunit of this name exists; non-zero only when the member
// table or the subunit capacity is full.
int EnsureImportSubunit(const char* name, ImportRun& run);
// Offers member `row` of `kind` (0 scouts, 1 adults) for deletion when the
// import did not bring it; shows its own failures.
void ImportDeleteMember(int row, int kind, ImportRun& run);
