// Robustness against damaged files: every file of the fixture year is
// truncated, extended, filled with garbage, byte-flipped at seeded places
// and given impossible field values; then the year is opened and, when the
// open succeeds, checked with recalculation and worked on. The run must not
// crash, trip a sanitizer, hang, write outside a file's records or fail an
// open without a message. Which message a case shows is not asserted.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/FiltSplits.h"
#include "store/Fixture.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/ReserveAudit.h"
#include "store/SplitStore.h"
#include "store/TransStore.h"
#include "store/WriteFailures.h"
#include "store/Xfer.h"

namespace {

namespace fs = std::filesystem;

// A file of the year and the size of its records (text files: a nominal
// line length, used only to place the cuts).
struct FileKind {
  const char* name;
  int recordSize;
};
constexpr FileKind kFiles[] = {
    {"acct408.dat", kAccountRecordSize},     {"budge408.dat", kBudgetRecordSize},
    {"equip408.dat", kEquipmentRecordSize},  {"fos408.dat", kFriendRecordSize},
    {"scout408.dat", kMemberRecordSize},     {"split408.dat", kSplitRecordSize},
    {"subac408.dat", kSubAccountRecordSize}, {"suppt408.dat", kSupportLineRecordSize},
    {"trans408.dat", kTransactionRecordSize}, {"sched408.dat", kScheduleRecordSize},
    {"part408.dat", kParticipantRecordSize}, {"resrv408.dat", kReserveRecordSize},
    {"ag408_g.dat", kAcctGroupRecordSize},   {"ag408_a.dat", kAcctGroupLinkRecordSize},
    {"unit408.dat", 24},
};
constexpr unsigned kFlipSeeds = 20;
constexpr unsigned kGarbageSeeds = 2;
constexpr unsigned kCaseSeconds = 20;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// One damage: a label and what it does to the file's bytes.
struct Damage {
  std::string label;
  std::function<void(std::string&)> apply;
};

// A field value put at a record's byte offset.
Damage Poke(const char* what, int recordSize, int row, int offset, LONG value) {
  return {what, [=](std::string& b) {
            size_t at = static_cast<size_t>(row) * recordSize + offset;
            if (at + 4 > b.size()) return;
            for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((static_cast<ULONG>(value) >> (8 * i)) & 0xFF);
          }};
}
Damage PokeText(const char* what, int recordSize, int row, int offset, const char* text) {
  return {what, [=](std::string& b) {
            size_t at = static_cast<size_t>(row) * recordSize + offset;
            size_t n = std::strlen(text) + 1;
            if (at + n > b.size()) return;
            std::memcpy(&b[at], text, n);
          }};
}

std::vector<Damage> GenericDamages(const FileKind& kind, size_t size) {
  const size_t rec = static_cast<size_t>(kind.recordSize);
  std::vector<Damage> out;
  auto cut = [](size_t n) { return [n](std::string& b) { b.resize(std::min(n, b.size())); }; };
  out.push_back({"truncated to 0", cut(0)});
  out.push_back({"truncated to 1", cut(1)});
  out.push_back({"cut mid-record", cut(rec + rec / 2 < size ? rec + rec / 2 : size / 2)});
  out.push_back({"one byte short", cut(size ? size - 1 : 0)});
  out.push_back({"extended by a partial record", [rec](std::string& b) {
                   std::mt19937 rng(7);
                   for (size_t i = 0; i < rec / 2 + 1; ++i) b.push_back(static_cast<char>(rng()));
                 }});
  for (unsigned seed = 1; seed <= kGarbageSeeds; ++seed)
    out.push_back({"garbage seed " + std::to_string(seed), [seed](std::string& b) {
                     std::mt19937 rng(seed);
                     for (char& c : b) c = static_cast<char>(rng());
                   }});
  for (unsigned seed = 1; seed <= kFlipSeeds; ++seed)
    out.push_back({"flips seed " + std::to_string(seed), [seed](std::string& b) {
                     if (b.empty()) return;
                     std::mt19937 rng(seed * 7919u);
                     int flips = 1 + static_cast<int>(rng() % 4);
                     for (int i = 0; i < flips; ++i) b[rng() % b.size()] ^= static_cast<char>(1 + rng() % 255);
                   }});
  return out;
}

// Impossible values in the fields the key tables and the integrity check
// use as indexes, counts and keys.
std::map<std::string, std::vector<Damage>> FieldDamages() {
  std::map<std::string, std::vector<Damage>> d;
  const int acct = kAccountRecordSize, trans = kTransactionRecordSize, line = kSupportLineRecordSize;
  d["acct408.dat"] = {Poke("account number outside every class", acct, 0, 0, 5000),
                      Poke("negative account number", acct, 1, 0, -7),
                      Poke("budget row beyond the table", acct, 7, 52, 99999),
                      Poke("class row beyond the class table", acct, 1, 56, 1234),
                      Poke("huge balance", acct, 1, 44, 0x7FFFFFFF)};
  d["trans408.dat"] = {Poke("transaction id at the top of the range", trans, 0, 0, 0x7FFFFFFF),
                       Poke("negative transaction id", trans, 1, 0, -5),
                       Poke("month beyond the year", trans, 0, 8, 99),
                       Poke("negative month", trans, 1, 8, -3),
                       Poke("factor of zero", trans, 0, 104, 0),
                       Poke("huge factor and amount", trans, 1, 104, 0x40000000),
                       PokeText("a date that is no date", trans, 2, 21, "2008x3y9"),
                       Poke("account outside every class", trans, 2, 4, 4242)};
  d["suppt408.dat"] = {Poke("line of a missing transaction", line, 0, 0, 77),
                       Poke("line id beyond the key range", line, 1, 0, 0x7FFFFFF0),
                       Poke("line number beyond ten", line, 0, 4, 55),
                       Poke("negative line number", line, 1, 4, -2),
                       Poke("split flag without a split", line, 1, 44, 1),
                       Poke("reserve account outside every class", line, 1, 12, 8888),
                       Poke("huge reserve amount", line, 1, 32, 0x7FFFFFFF)};
  d["split408.dat"] = {Poke("split factor of zero", kSplitRecordSize, 0, 16, 0),
                       Poke("split of a missing line", kSplitRecordSize, 0, 0, 12345),
                       Poke("huge unit share", kSplitRecordSize, 0, 12, -0x7FFFFFFF)};
  d["subac408.dat"] = {Poke("member row beyond the table", kSubAccountRecordSize, 0, 16, 9999),
                       Poke("negative member row", kSubAccountRecordSize, 1, 16, -4),
                       Poke("member row at the slot bound", kSubAccountRecordSize, 0, 16, kMemberSlots),
                       Poke("huge cash share", kSubAccountRecordSize, 0, 8, 0x7FFFFFFF)};
  d["scout408.dat"] = {Poke("member type beyond subunit", kMemberRecordSize, 0, 336, 7),
                       Poke("negative member type", kMemberRecordSize, 1, 336, -1),
                       Poke("huge member balance", kMemberRecordSize, 0, 324, 0x7FFFFFFF)};
  d["sched408.dat"] = {PokeText("due date of four letters", kScheduleRecordSize, 0, 291, "zz01"),
                       PokeText("due date of month 99", kScheduleRecordSize, 0, 291 + 9, "9901"),
                       Poke("schedule account outside every class", kScheduleRecordSize, 0, 0, 31337)};
  d["part408.dat"] = {Poke("participant of a schedule beyond the table", kParticipantRecordSize, 0, 0, 4000),
                      Poke("participant member beyond the table", kParticipantRecordSize, 1, 4, -9)};
  d["resrv408.dat"] = {Poke("reserve of a member beyond the table", kReserveRecordSize, 0, 0, 7777),
                       Poke("reserve of a missing account", kReserveRecordSize, 1, 4, 777)};
  d["equip408.dat"] = {Poke("equipment line key of a missing line", kEquipmentRecordSize, 0, 56, 0x7FFFFFFF),
                       PokeText("purchase date that is no date", kEquipmentRecordSize, 0, 28, "99999999")};
  d["fos408.dat"] = {Poke("contributions that overflow", kFriendRecordSize, 0, 40, 0x7FFFFFFF)};
  d["ag408_a.dat"] = {Poke("group link to a missing group", kAcctGroupLinkRecordSize, 0, 0, -1)};
  return d;
}

// Amounts at the ends of the 32-bit range in the records that the sums of
// money read, and a call that reaches each sum. Every total leaves the
// 32-bit range (some leave the 64-bit range too): the call must refuse with
// a message instead of wrapping or tripping a sanitizer.
struct HugeField {
  const char* file;
  int recordSize;
  int row;
  int offset;
  LONG value;
};
struct HugeCase {
  const char* label;
  std::vector<HugeField> fields;
  std::function<int()> call;  // the call's result
  bool showsMessage = true;   // false: the failure is left in an error text
};

constexpr LONG kTop = 0x7FFFFFFF;
constexpr LONG kBottom = -0x7FFFFFFF - 1;
constexpr int kTrans = kTransactionRecordSize, kLine = kSupportLineRecordSize, kSplit = kSplitRecordSize,
              kShare = kSubAccountRecordSize, kEquip = kEquipmentRecordSize, kAcct = kAccountRecordSize;
// Record offsets of the amounts, factors and keys.
constexpr int kTransFactor = 104, kTransAmount = 108, kLineReserveAccount = 12, kLineAmount = 24, kLineFactor = 28,
              kLineReserveAmount = 32, kLineReserveFactor = 36, kSplitUnitShare = 12, kSplitFactor = 16,
              kShareCash = 8, kShareAmount = 12, kEquipPrice = 44, kEquipLineKey = 56, kEquipCurrent = 60,
              kAcctOpening = 40, kAcctCurrent = 44, kMemberOpening = 320, kMemberCurrent = 324;
// Fixture rows: transactions 1-3 on 101; their lines on 520 (split 40/60
// between Anna and Ben), 620 (reserve 710) and 399; the tent and the canoe;
// accounts 101, 399 and 710.
constexpr int kRow101 = 1, kRow399 = 3, kRow710 = 9;

// A list of accounts for the filtered splits (the arrays do not copy).
struct Accounts {
  CUIntArray list;
  Accounts(std::initializer_list<UINT> numbers) {
    for (UINT n : numbers) list.Add(n);
  }
};

std::vector<HugeCase> HugeCases(const std::string& folder) {
  const std::vector<HugeField> threeHugePostings = {
      {"trans408.dat", kTrans, 0, kTransFactor, kBottom}, {"trans408.dat", kTrans, 0, kTransAmount, kBottom},
      {"trans408.dat", kTrans, 1, kTransFactor, kBottom}, {"trans408.dat", kTrans, 1, kTransAmount, kBottom},
      {"trans408.dat", kTrans, 2, kTransFactor, kBottom}, {"trans408.dat", kTrans, 2, kTransAmount, kBottom}};
  const std::vector<HugeField> hugeShare = {{"split408.dat", kSplit, 0, kSplitFactor, kTop},
                                            {"subac408.dat", kShare, 0, kShareCash, kTop}};
  auto withReserve = [](std::vector<HugeField> f) {
    f.push_back({"suppt408.dat", kLine, 0, kLineReserveAccount, 710});
    return f;
  };
  int month = 0, total = 0;
  return {
      {"account activity beyond 64 bits", threeHugePostings,
       [=]() mutable { return SumAcctActivity(101, 'A', 11, nullptr, &month, &total); }},
      {"support-line activity",
       {{"suppt408.dat", kLine, 1, kLineAmount, kTop}, {"suppt408.dat", kLine, 1, kLineFactor, kTop}},
       [=]() mutable { return SumAcctActivity(620, 'E', 11, nullptr, &month, &total); }},
      {"reserve-line activity",
       {{"suppt408.dat", kLine, 1, kLineReserveAmount, kTop}, {"suppt408.dat", kLine, 1, kLineReserveFactor, kTop}},
       [=]() mutable { return SumAcctActivity(710, 'R', 0, "20081231", nullptr, &total); }},
      {"equipment activity",
       {{"equip408.dat", kEquip, 0, kEquipCurrent, kTop}, {"equip408.dat", kEquip, 1, kEquipCurrent, kTop}},
       [=]() mutable { return SumAcctActivity(399, 'A', 0, "20081231", nullptr, &total); }},
      {"member shares", hugeShare,
       [=]() mutable { return SumSplitsForAcct(520, fixture::kAnna, "20080101", "20081231", &total); }},
      {"member reserves",
       withReserve({{"resrv408.dat", kReserveRecordSize, 0, 8, kTop},
                    {"resrv408.dat", kReserveRecordSize, 1, 8, kTop}}),
       [=]() mutable {
         OpenReserveFile();
         return SumMemberReserves(710, fixture::kAnna, &month, nullptr, &total);
       }},
      {"passbook", {{"scout408.dat", kMemberRecordSize, fixture::kAnna, kMemberOpening, kTop}},
       [=]() mutable {
         OpenReserveFile();
         return SumPassbook(fixture::kAnna, -1, "20080101", "20081231", &month, &total, nullptr);
       }},
      {"reserve audit", withReserve({{"split408.dat", kSplit, 0, kSplitFactor, kTop},
                                     {"subac408.dat", kShare, 0, kShareCash, kTop},
                                     {"subac408.dat", kShare, 0, kShareAmount, kTop}}),
       [] {
         CResAudit audit;
         return audit.IsNegative(fixture::kAnna);
       }},
      {"filtered split rows",
       {{"split408.dat", kSplit, 0, kSplitUnitShare, kBottom}, {"split408.dat", kSplit, 0, kSplitFactor, kBottom}},
       [folder]() -> int {
         CFiltSplits fs;
         return fs.Initialize(folder.c_str(), "20080101", "20081231", Accounts({520}).list) ||
                fs.GetErrorText().Find("beyond") < 0;
       },
       false},
      {"filtered split totals",
       {{"subac408.dat", kShare, 0, kShareCash, kTop}, {"subac408.dat", kShare, 1, kShareCash, kTop}},
       [folder]() -> int {
         CFiltSplits fs;
         if (!fs.Initialize(folder.c_str(), "20080101", "20081231", Accounts({520}).list)) return 1;
         int unit = -1, member = -1;
         return fs.Sum(1, Accounts({520}).list, CUIntArray(), &unit, &member) || fs.GetErrorText().Find("beyond") < 0 ||
                member != 0;
       },
       false},
      {"filtered passbook group",
       {{"suppt408.dat", kLine, 1, kLineAmount, kTop}, {"suppt408.dat", kLine, 1, kLineFactor, 1},
        {"suppt408.dat", kLine, 2, kLineAmount, kBottom}},
       [folder]() -> int {
         CFiltSplits fs;
         if (!fs.Initialize(folder.c_str(), "20080101", "20081231", Accounts({620, 399}).list)) return 1;
         int passbook = 0, income = 0, other = -1;
         return fs.GetNextPass(1, 1, Accounts({620, 399}).list, &passbook, &income, &other) ||
                fs.GetErrorText().Find("beyond") < 0 || other != 0;
       },
       false},
      {"participant dues",
       {{"sched408.dat", kScheduleRecordSize, 0, 32, kTop}, {"sched408.dat", kScheduleRecordSize, 0, 36, kTop}},
       [] {
         OpenScheduleFiles();
         MemberRow anna;
         ReadMemberRecord(MemberFile, &anna, 4, 0, fixture::kAnna);
         int owed = 0, paid = 0;
         return GetParticipantDues(0, 0, fixture::kAnna, "20081231", 1, 1, &anna, nullptr, &owed, nullptr, &paid,
                                   nullptr);
       }},
      {"equipment value change",
       {{"equip408.dat", kEquip, 0, kEquipCurrent, kTop}, {"equip408.dat", kEquip, 1, kEquipCurrent, kTop}},
       [=]() mutable { return GetEquipValueChange("20080101", "20081231", &total); }},
      {"equipment value at",
       {{"equip408.dat", kEquip, 0, kEquipPrice, kTop}, {"equip408.dat", kEquip, 1, kEquipPrice, kTop},
        {"equip408.dat", kEquip, 1, kEquipLineKey, -1}},
       [=]() mutable { return GetEquipValueAt("20070101", "20081231", &total); }},
      {"equipment original value",
       {{"equip408.dat", kEquip, 0, kEquipCurrent, kTop}, {"equip408.dat", kEquip, 1, kEquipCurrent, kTop}},
       [=]() mutable { return GetEquipOriginalValue("20081231", &total); }},
      {"equipment posting", {{"acct408.dat", kAcct, kRow399, kAcctCurrent, kTop}},
       [] {
         EquipmentRecord item;
         SetText(item.description, "Stove");
         SetText(item.purchaseDate, "20080601");
         item.price = item.currentValue = 100;
         item.quantity = 1;
         item.lineKey = -1;
         item.fiscalYear = 8;
         return AddEquipItem(&item, 0, nullptr);
       }},
      {"account opening balance edit", {{"acct408.dat", kAcct, kRow101, kAcctCurrent, kTop}},
       [] {
         int pos = -1;
         AccountRecord edited, stored;
         if (!FindAcctIndex(101, &pos) || !XferAccount(0, 0, &pos, &edited, &stored, nullptr, nullptr, nullptr))
           return 1;
         edited = stored;
         edited.openingBalance += 1;
         return XferAccount(1, 0, &pos, &edited, &stored, nullptr, nullptr, nullptr);
       }},
      {"scout opening balance edit", {{"scout408.dat", kMemberRecordSize, fixture::kAnna, kMemberCurrent, kTop}},
       [] {
         int pos = -1;
         for (int p = 0; p < MemberTable.rowCount; ++p)
           if (MemberTable.byTypeName[static_cast<size_t>(p)] == fixture::kAnna) pos = p;
         MemberRow form, stored;
         if (!XferScout(0, 0, &pos, &form, &stored)) return 1;
         form = stored;
         form.openingBalance += 1;
         return XferScout(1, 0, &pos, &form, &stored);
       }},
      {"reserve close-out", {{"acct408.dat", kAcct, kRow710, kAcctOpening, kBottom}},
       [] {
         char message[256];
         return AutoCloseReserves(710, "20081231", message);
       }},
      {"account recalculation beyond 64 bits", threeHugePostings,
       [] {
         int position = 0;
         return RecalcAccountBalances(IntegrityProgressTotal(), &position);
       }},
      {"member recalculation", hugeShare,
       [] {
         int position = 0;
         return RecalcMemberBalances(IntegrityProgressTotal(), &position);
       }},
  };
}

// The record file behind a handle, for the write check.
struct Watched {
  FILE* const* file;
  int recordSize;
  const int* capacity;  // null: no table bounds the file
};
int ScheduleCap = kScheduleCapacity;
const Watched kWatched[] = {
    {&AcctFile, kAccountRecordSize, &AcctCapacity},      {&BudgetFile, kBudgetRecordSize, &AcctCapacity},
    {&EquipFile, kEquipmentRecordSize, &EquipCapacity},  {&FriendFile, kFriendRecordSize, &FriendCapacity},
    {&MemberFile, kMemberRecordSize, &MemberCapacity},   {&SplitFile, kSplitRecordSize, &SplitCapacity},
    {&SubAcctFile, kSubAccountRecordSize, &SubAcctCapacity},
    {&SupportFile, kSupportLineRecordSize, &SupportCapacity},
    {&TransFile, kTransactionRecordSize, &TransCapacity}, {&ScheduleFile, kScheduleRecordSize, &ScheduleCap},
    {&ParticipantFile, kParticipantRecordSize, nullptr}, {&ReserveFile, kReserveRecordSize, nullptr},
};

// The watchdog: a case that runs too long is an endless loop.
char g_case[256];
void OnAlarm(int) {
  const char head[] = "\nrobustness case hung: ";
  ssize_t ignored = ::write(2, head, sizeof head - 1);
  ignored = ::write(2, g_case, std::strlen(g_case));
  ignored = ::write(2, "\n", 1);
  (void)ignored;
  _exit(3);
}

// Questions: Yes To All where offered, else Yes; every box: OK.
int Answer(const automation::ModalInfo& info) {
  if (info.kind == "dialog" && info.caption == "Question")
    return (info.type & ANSWER_YESTOALL) ? ANSWER_YESTOALL : ANSWER_YES;
  if (info.kind == "messagebox") return IDOK;
  return 0;
}

int MessagesShown() {
  int n = 0;
  for (const auto& m : automation::ModalLog()) n += m.kind == "messagebox";
  return n;
}

class Robustness : public ::testing::Test {
 protected:
  void SetUp() override {
    // The damaged copies live in memory-backed storage when there is one:
    // every record write is committed to the disk.
    std::string base = fs::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string tmpl = base + "/kestrova-robust-XXXXXX";
    char* made = ::mkdtemp(tmpl.data());
    ASSERT_NE(made, nullptr);
    root_ = made;
    pristine_ = root_ + "/pristine";
    work_ = root_ + "/fy2008";
    CloseDataFiles();
    fs::create_directories(pristine_);
    for (const auto& f : fs::directory_iterator(fy_.folder()))
      fs::copy_file(f.path(), fs::path(pristine_) / f.path().filename());
    ::signal(SIGALRM, OnAlarm);
  }
  void TearDown() override {
    ::alarm(0);
    write_failures::Reset();
    CloseDataFiles();
    CloseReserveFile();
    CloseScheduleFiles();
    std::error_code ec;
    fs::remove_all(root_, ec);
    fy_.Reopen();
  }

  // Lays the pristine year into the work folder with one file damaged.
  void Lay(const char* name, const Damage& damage) { Lay({{name, damage}}); }
  // The same with damages to several files.
  void Lay(const std::vector<std::pair<std::string, Damage>>& damages) {
    CloseDataFiles();
    CloseReserveFile();
    CloseScheduleFiles();
    std::error_code ec;
    fs::remove_all(work_, ec);
    fs::create_directories(work_);
    for (const auto& f : fs::directory_iterator(pristine_)) {
      std::string bytes = ReadAll(f.path().string());
      for (const auto& [name, damage] : damages)
        if (f.path().filename() == name) damage.apply(bytes);
      WriteAll(work_ + "/" + f.path().filename().string(), bytes);
    }
  }

  // Runs one case; true when the year opened.
  bool Run(const char* name, const Damage& damage) {
    std::snprintf(g_case, sizeof g_case, "%s: %s", name, damage.label.c_str());
    SCOPED_TRACE(g_case);
    Lay(name, damage);
    automation::ClearResponder();
    automation::SetResponder(Answer);
    write_failures::Set([](FILE* file, int row) {
      for (const Watched& w : kWatched) {
        if (*w.file != file) continue;
        struct stat st;
        long rows = ::fstat(fileno(file), &st) == 0 ? static_cast<long>(st.st_size / w.recordSize) : 0;
        EXPECT_GE(row, 0) << g_case;
        if (w.capacity) {
          EXPECT_LT(row, *w.capacity) << g_case << ": write beyond the table";
          EXPECT_LE(row, rows) << g_case << ": write leaves a hole in the file";
        }
        return true;
      }
      return true;
    });
    ::alarm(kCaseSeconds);
    const int opened = OpenDatabase(work_.c_str(), "08", 1);
    if (!opened) {
      EXPECT_GT(MessagesShown(), 0) << g_case << ": a failing open shows a message";
    } else {
      CheckDataIntegrity(0);
      WorkOnTheYear();
    }
    ::alarm(0);
    write_failures::Reset();
    automation::ClearResponder();
    return opened != 0;
  }

  // A budget read and saved, a split deposit added, a transaction deleted,
  // a member deleted.
  static void WorkOnTheYear() {
    int pos = -1;
    if (FindAcctIndex(620, &pos)) {
      AccountRecord acct;
      BudgetRecord budget;
      if (XferBudget(0, 0, &pos, &acct, &budget)) {
        budget.months[3] += 100;
        XferBudget(1, 0, &pos, &acct, &budget);
      }
    }
    auto d = std::make_unique<TransactionDetail>();
    TransactionRecord& t = fixture::StartTransaction(*d, NextTransId, 4, "20080520", 1, 3000, "DEP9");
    fixture::SplitFundraisingLine(*d, 1000, 2000);
    AddTransaction(&t, d->lines, d->splits, d->shares);
    DeleteTransaction(2, 0);
    DeleteScout("Smith", "Anna");
  }

  fixture::FiscalYear fy_;
  std::string root_, pristine_, work_;
};

TEST_F(Robustness, EveryFileOfTheYearSurvivesCutsGarbageAndFlips) {
  const auto fields = FieldDamages();
  for (const FileKind& kind : kFiles) {
    const std::string path = pristine_ + "/" + kind.name;
    ASSERT_TRUE(fs::exists(path)) << kind.name;
    std::vector<Damage> damages = GenericDamages(kind, static_cast<size_t>(fixture::FileSize(path)));
    if (auto it = fields.find(kind.name); it != fields.end())
      damages.insert(damages.end(), it->second.begin(), it->second.end());
    int opened = 0;
    for (const Damage& d : damages) opened += Run(kind.name, d);
    std::printf("[ robust   ] %-13s %2zu cases, %2d opened\n", kind.name, damages.size(), opened);
  }
}

// Transaction 3 and its line (on 399) damaged to an id beyond kMaxTransId:
// the line's key wraps onto the key of transaction 1's split line. The
// check removes the line like a line without its transaction; the split
// and the shares of the real line stay.
TEST_F(Robustness, LineOfAnIdBeyondTheKeyRangeIsRemovedAsDangling) {
  // 10 x 429496730 + 6 wraps to 10, the key of transaction 1's line 0.
  constexpr LONG kBeyond = 429496730;
  static_assert(kBeyond > kMaxTransId);
  ASSERT_EQ(LineKey(kBeyond, 6), LineKey(1, 0));
  Lay({{"trans408.dat", Poke("id", kTransactionRecordSize, 2, 0, kBeyond)},
       {"suppt408.dat", Poke("id", kSupportLineRecordSize, 2, 0, kBeyond)},
       {"suppt408.dat", Poke("line", kSupportLineRecordSize, 2, 4, 6)}});
  automation::ClearResponder();
  automation::SetResponder(Answer);
  ASSERT_EQ(OpenDatabase(work_.c_str(), "08", 1), 1);
  ASSERT_EQ(SupportTable.keys[2].status, kStatusLive);
  CheckDataIntegrity(0);

  int removed = 0;
  for (const auto& m : automation::ModalLog())
    removed += m.text.find("Removed dangling support account: 399") != std::string::npos;
  EXPECT_EQ(removed, 1);
  EXPECT_EQ(SupportTable.keys[2].status, kStatusDeleted);
  EXPECT_NE(SupportTable.keys[0].status, kStatusDeleted);
  int splits = 0, shares = 0;
  for (int r = 0; r < SplitTable.rowCount; ++r) splits += SplitTable.keys[static_cast<size_t>(r)] == LineKey(1, 0);
  for (int r = 0; r < SubAcctTable.rowCount; ++r) shares += SubAcctTable.keys[static_cast<size_t>(r)] == LineKey(1, 0);
  EXPECT_EQ(splits, 1);
  EXPECT_EQ(shares, 2);
  // Their shares of the deposit of 100.00, as the fixture posted them.
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kAnna), 4000);
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kBen), 6000);
  automation::ClearResponder();
}

TEST_F(Robustness, SumsOfHugeAmountsRefuseInsteadOfWrapping) {
  for (const HugeCase& c : HugeCases(work_)) {
    std::snprintf(g_case, sizeof g_case, "huge amounts: %s", c.label);
    SCOPED_TRACE(g_case);
    std::vector<std::pair<std::string, Damage>> damages;
    for (const HugeField& f : c.fields)
      damages.push_back({f.file, Poke(c.label, f.recordSize, f.row, f.offset, f.value)});
    Lay(damages);
    automation::ClearResponder();
    automation::SetResponder(Answer);
    ::alarm(kCaseSeconds);
    ASSERT_EQ(OpenDatabase(work_.c_str(), "08", 1), 1);
    const int shownAtOpen = MessagesShown();
    EXPECT_EQ(c.call(), 0);
    if (c.showsMessage) {
      bool parse = false;
      for (const auto& m : automation::ModalLog()) parse = parse || m.text.find("Failed parse") != std::string::npos;
      EXPECT_GT(MessagesShown(), shownAtOpen);
      EXPECT_TRUE(parse) << "the refusal is the parse failure";
    }
    ::alarm(0);
    CloseReserveFile();
    CloseScheduleFiles();
    automation::ClearResponder();
  }
}

}  // namespace
