#include "exchange/ImportMerge.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "reports/ImportLog.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/StoreUtil.h"
#include "store/TextCompare.h"

namespace {

std::string Name(const char* last, const char* first) {
  char text[64];
  std::snprintf(text, sizeof text, "%s, %s", last, first);
  return text;
}

void ShowFailure(ErrorTextIndex index, const char* item) {
  char text[128];
  FormatErrorText(text, index, item);
  DispMessage(text, MSG_FATAL);
}

const char* Word() { return SubunitWord ? SubunitWord : "subunit"; }

// A field taken over from the imported member: only a value that says
// something, and only when it differs by more than case.
template <size_t N>
bool TakeOver(char (&local)[N], const char (&imported)[N]) {
  if (imported[0] == '\0' || CompareNoCase(local, imported) == 0) return false;
  std::memcpy(local, imported, N);
  return true;
}

struct Change {
  char* (*local)(MemberRow&);
  const char* (*imported)(const MemberRow&);
  std::size_t size;
  const char* text;
};
#define FIELD(member, text)                                                        \
  Change {                                                                         \
    [](MemberRow& m) -> char* { return m.member; },                                \
        [](const MemberRow& m) -> const char* { return m.member; }, sizeof(MemberRow::member), text \
  }
const Change kScoutChanges[] = {
    FIELD(city, "Updated city"),
    FIELD(state, "Updated state"),
    FIELD(zip, "Updated zip"),
    FIELD(homePhone, "Updated phone"),
    FIELD(cellPhone, "Updated cell phone"),
    FIELD(email, "Updated email address"),
    FIELD(dateJoined, "Updated join date"),
    FIELD(motherFirst, "Updated mother's first name"),
    FIELD(motherLast, "Updated mother's last name"),
    FIELD(fatherFirst, "Updated father's first name"),
    FIELD(fatherLast, "Updated father's last name"),
};
const Change kAdultChanges[] = {
    FIELD(city, "Updated city"),
    FIELD(state, "Updated state"),
    FIELD(zip, "Updated zip"),
    FIELD(homePhone, "Updated home phone"),
    FIELD(cellPhone, "Updated cell phone"),
    FIELD(fax, "Updated fax number"),
    FIELD(email, "Updated email address"),
    FIELD(dateJoined, "Updated join date"),
    FIELD(workPhone, "Updated work phone"),
    FIELD(workExt, "Updated work phone extension"),
    FIELD(spouse, "Updated spouse name"),
};
#undef FIELD

bool TakeOverText(const Change& c, MemberRow& local, const MemberRow& imported) {
  char* to = c.local(local);
  const char* from = c.imported(imported);
  if (from[0] == '\0' || CompareNoCase(to, from) == 0) return false;
  std::memset(to, 0, c.size);
  std::strncpy(to, from, c.size - 1);
  return true;
}

// The live member of `type` named so (case ignored), among the rows that
// were there when the pass began; -1 when there is none.
int FindImported(int type, const char* last, const char* first, const ImportRun& run) {
  for (int row = 0; row < MemberTable.rowCount; ++row) {
    const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
    if (k.status == kStatusDeleted || k.type != type || run.addedThisPass[static_cast<std::size_t>(row)]) continue;
    if (CompareNoCase(k.lastName, last) == 0 && CompareNoCase(k.firstName, first) == 0) return row;
  }
  return -1;
}

bool LiveSubunit(const char* name) {
  for (int row = 0; row < MemberTable.rowCount; ++row) {
    const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
    if (k.status != kStatusDeleted && k.type == 2 && CompareNoCase(k.subunit, name) == 0) return true;
  }
  return false;
}

int Merge(MemberRow* imported, ImportRun& run, int type) {
  const bool scout = type == 0;
  const char* word = scout ? "local scout" : "local adult";
  const std::string name = Name(imported->lastName, imported->firstName);
  const int found = FindImported(type, imported->lastName, imported->firstName, run);
  MemberKeyTable& t = MemberTable;
  if (found >= 0) {
    run.checklist[static_cast<std::size_t>(found)] = 1;
    MemberRow local;
    if (ReadMemberRecord(MemberFile, &local, 4, 0, found) != 1) {
      ShowFailure(ERR_READ, word);
      return 1;
    }
    const bool line1 = TakeOver(local.address1, imported->address1);
    const bool line2 = TakeOver(local.address2, imported->address2);
    if (line1 || line2) LogImportChange(type, IMPORT_MODIFIED, name.c_str(), "Updated address");
    for (const Change& c : scout ? kScoutChanges : kAdultChanges)
      if (TakeOverText(c, local, *imported)) LogImportChange(type, IMPORT_MODIFIED, name.c_str(), c.text);
    bool moved = false;
    if (scout && imported->subunit[0] && CompareNoCase(local.subunit, imported->subunit) != 0) {
      char text[64];
      if (EnsureImportSubunit(imported->subunit, run) != 0) {
        std::snprintf(text, sizeof text, "NOTE: Could not add new %s", Word());
      } else {
        std::snprintf(local.subunit, sizeof local.subunit, "%s", imported->subunit);
        std::snprintf(text, sizeof text, "Updated %s", Word());
        moved = true;
      }
      LogImportChange(type, IMPORT_MODIFIED, name.c_str(), text);
    }
    if (WriteMemberRecord(MemberFile, &local, found) != 1) {
      ShowFailure(ERR_WRITE, word);
      return 1;
    }
    if (moved) std::memcpy(t.keys[static_cast<std::size_t>(found)].subunit, KeyOf(local).subunit, sizeof(MemberKey::subunit));
    return 0;
  }
  const auto full = [&, scout] {
    if (t.freeCount > 0 && HasRoomFor(t, FirstFreeRow(t))) return false;
    DispMessage(scout ? "Cannot add scout; system has max # of members" : "Cannot add adult; system has max # of members",
                MSG_INFORMATION);
    return true;
  };
  if (full()) return 0;
  MemberRow added = *imported;
  added.type = type;
  added.status = 0;
  added.passbook = 1;
  added.selected = 0;
  if (scout && EnsureImportSubunit(added.subunit, run) != 0) added.subunit[0] = '\0';
  // The row is taken after the subunit, which may have used the free one.
  if (full()) return 0;
  const int row = FirstFreeRow(t);
  // The table follows the disk only once the record is there.
  if (WriteMemberRecord(MemberFile, &added, row) != 1) {
    ShowFailure(ERR_WRITE, word);
    return 1;
  }
  PutLiveKeyRow(t, row, KeyOf(added));
  ++(scout ? ScoutCount : AdultCount);
  run.checklist[static_cast<std::size_t>(row)] = 1;
  run.addedThisPass[static_cast<std::size_t>(row)] = 1;
  if (scout) AddParticipantToSchedules(row);
  LogImportChange(type, IMPORT_ADDED, name.c_str(), nullptr);
  return 0;
}

}  // namespace

ImportRun::ImportRun()
    : checklist(std::max<std::size_t>(MemberTable.keys.size(), kMemberSlots), 0),
      addedThisPass(checklist.size(), 0),
      deletionAnswer(ANSWER_YES) {}

void ImportRun::StartPass() { std::fill(addedThisPass.begin(), addedThisPass.end(), 0); }

int MergeImportScout(MemberRow* imported, ImportRun& run) { return Merge(imported, run, 0); }
int MergeImportAdult(MemberRow* imported, ImportRun& run) { return Merge(imported, run, 1); }

int EnsureImportSubunit(const char* name, ImportRun& run) {
  if (run.firstSubunitCall) {
    run.firstSubunitCall = false;
    run.limitShown = false;
    run.notAdded.clear();
  }
  if (name == nullptr || name[0] == '\0' || LiveSubunit(name)) return 0;
  MemberKeyTable& t = MemberTable;
  int result = 0;
  if (t.freeCount > 0 && HasRoomFor(t, FirstFreeRow(t)) && SubunitCount < SubunitCapacity) {
    run.limitShown = false;
    MemberRow subunit;
    std::memset(&subunit, 0, sizeof subunit);
    subunit.type = 2;
    std::snprintf(subunit.subunit, sizeof subunit.subunit, "%s", name);
    int row = -1;
    if (AddSubunit(&subunit, &row)) {
      LogImportChange(IMPORT_SUBUNIT, IMPORT_ADDED, name, nullptr);
      return 0;
    }
  } else {
    if (!run.limitShown) {
      char text[64];
      std::snprintf(text, sizeof text, "Max # of %ss reached", Word());
      DispMessage(text, MSG_INFORMATION);
    }
    run.limitShown = true;
    result = 1;
  }
  for (const std::string& listed : run.notAdded)
    if (listed == name) return result;
  // The list holds 25 names; one more is still logged.
  if (static_cast<int>(run.notAdded.size()) < kImportNotAddedNames) run.notAdded.emplace_back(name);
  LogImportChange(IMPORT_SUBUNIT, IMPORT_DELETED, name, nullptr);
  return result;
}

void ImportDeleteMember(int row, int kind, ImportRun& run) {
  if (row < 0 || row >= MemberTable.rowCount || run.deletionAnswer == ANSWER_NOTOALL) return;
  MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
  if (k.status != 0 || k.type != kind || run.checklist[static_cast<std::size_t>(row)]) return;
  const std::string name = Name(k.lastName, k.firstName);
  if (run.deletionAnswer != ANSWER_YESTOALL) {
    const std::string question = "Confirm delete of:  \"" + name + "\"";
    run.deletionAnswer = AskQuestion(question.c_str(), ANSWER_NO, ANSWER_YESTOALL | ANSWER_NOTOALL);
  }
  if (run.deletionAnswer != ANSWER_YES && run.deletionAnswer != ANSWER_YESTOALL) return;
  MemberRow m;
  if (ReadMemberRecord(MemberFile, &m, 4, 0, row) != 1) {
    ShowFailure(ERR_READ, "import delete");
    return;
  }
  if (m.currentBalance != 0) {
    LogImportChange(kind, IMPORT_DELETED, name.c_str(), "Not deleted (has outstanding balance)");
    return;
  }
  const bool quit = m.transCount != 0;
  m.status = quit ? 1 : kStatusDeleted;
  if (quit) std::snprintf(m.dateLeft, sizeof m.dateLeft, "%s", TodayDate);
  // The key row changes only once the record holds the change.
  if (WriteMemberRecord(MemberFile, &m, row) != 1) {
    ShowFailure(ERR_WRITE, "import delete");
    return;
  }
  if (quit) {
    k.status = 1;
    LogImportChange(kind, IMPORT_DELETED, name.c_str(), "Quit Date set to today's date");
    return;
  }
  MarkKeyRowDeleted(MemberTable, row);
  --(kind == 0 ? ScoutCount : AdultCount);
  LogImportChange(kind, IMPORT_DELETED, name.c_str(), "Removed from database");
  DeleteParticipants(-1, row);
}
