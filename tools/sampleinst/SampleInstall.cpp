#include "tools/sampleinst/SampleInstall.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/FileUtil.h"
#include "common/Settings.h"
#include "common/StrUtil.h"
#include "common/UnitSettings.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/TransStore.h"
#include "store/UnitInfo.h"
#include "store/Xfer.h"
#include "reports/MailLabel.h"

namespace {

const char* const kStems[] = {"acct", "budge", "equip", "fos", "scout", "split", "subac",
                              "suppt", "trans", "sched", "part", "resrv"};

bool Fail(const std::string& text) {
  std::fprintf(stderr, "sampleinst: %s\n", text.c_str());
  return false;
}

// The predefined label stocks of the installation; the store never writes
// predefined records, so they are written here as the file's first records.
bool WriteLabelsFile(const std::string& path) {
  struct Stock {
    const char* name;
    int kind;
    float width, height;
    int across, down;
    float top, bottom, left, right, hPitch, vPitch, radius;
  };
  const Stock stocks[] = {
      {"Avery 5160 - Address", kLabelKindLabel, 2.625f, 1.0f, 3, 10, 0.5f, 0.5f, 0.1875f, 0.1875f, 2.75f, 1.0f, 0.0625f},
      {"Avery 5161 - Address", kLabelKindLabel, 4.0f, 1.0f, 2, 10, 0.5f, 0.5f, 0.15625f, 0.15625f, 4.1875f, 1.0f,
       0.0625f},
      {"Avery 5163 - Shipping", kLabelKindLabel, 4.0f, 2.0f, 2, 5, 0.5f, 0.5f, 0.15625f, 0.15625f, 4.1875f, 2.0f,
       0.0625f},
      {"Avery 5371 - Business Card", kLabelKindCard, 3.5f, 2.0f, 2, 5, 0.5f, 0.5f, 0.75f, 0.75f, 3.5f, 2.0f, 0.0f},
  };
  FILE* f = OpenPrivateFile(path.c_str(), "wb");
  if (!f) return Fail("cannot create " + path);
  bool ok = true;
  for (const Stock& st : stocks) {
    CMailLabel label;
    label.SetName(st.name);
    MailLabelDef d;
    label.GetDefinition(&d);
    d.kind = st.kind;
    d.cls = kLabelClassPredefined;
    d.labelWidth = st.width;
    d.labelHeight = st.height;
    d.across = st.across;
    d.down = st.down;
    d.topMargin = st.top;
    d.bottomMargin = st.bottom;
    d.leftMargin = st.left;
    d.rightMargin = st.right;
    d.hPitch = st.hPitch;
    d.vPitch = st.vPitch;
    d.cornerRadius = st.radius;
    ok = ok && std::fwrite(&d, sizeof d, 1, f) == 1;
  }
  ok = std::fclose(f) == 0 && ok;
  return ok || Fail("cannot write " + path);
}

bool Touch(const std::string& path) {
  FILE* f = OpenPrivateFile(path.c_str(), "ab");
  if (!f) return Fail("cannot create " + path);
  std::fclose(f);
  return true;
}

// The configuration, the stored unit settings and the empty files of the
// one fiscal year; then the year is opened.
bool MakeFiles(const InstallOptions& o) {
  const std::string yearText = std::to_string(o.year);
  const std::string yy = yearText.substr(2, 2);
  const std::string yearFolder = JoinPath(o.folder, "fy" + yearText);
  ::mkdir(o.folder.c_str(), 0700);
  ::mkdir(yearFolder.c_str(), 0700);
  ::mkdir(JoinPath(yearFolder, "temp").c_str(), 0700);

  UnitSettings unit;
  unit.unitType = o.unitType;
  unit.unitNumber = o.unitNumber;
  if (!WriteUnitSettings(UnitSettingsPath(o.folder), unit)) return Fail("cannot write the unit settings");

  for (const char* stem : kStems)
    if (!Touch(JoinPath(yearFolder, std::string(stem) + "4" + yy + ".dat"))) return false;
  if (!Touch(JoinPath(yearFolder, "ag4" + yy + "_g.dat")) || !Touch(JoinPath(yearFolder, "ag4" + yy + "_a.dat")))
    return false;
  if (!Touch(JoinPath(o.folder, "udata4.dat")) || !Touch(JoinPath(o.folder, "worksht4.dat")) ||
      !WriteLabelsFile(JoinPath(o.folder, "labels4.dat")))
    return false;

  std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", JoinPath(o.folder, "udata4.dat").c_str());
  std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", o.folder.c_str());
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "%s", yearText.c_str());
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "%s", yy.c_str());
  FiscalYearNode* node = FindYearNode(CurrentFiscalYear, 1, &YearList);
  if (!node) return Fail("out of memory");
  std::snprintf(node->folder, sizeof node->folder, "%s", yearFolder.c_str());
  if (!SortYearList() || !ReadWriteConfig(1)) return Fail("cannot write the configuration");

  // The unit information file with the start of the fiscal year.
  BuildDataFileNames(yearFolder.c_str(), yy.c_str());
  FiscalFirstMonth = o.firstMonth - 1;
  FiscalStartYear = o.year;
  SetText(UnitAddress1, o.empty ? "" : "12 Oak Lane");
  SetText(UnitCity, o.empty ? "" : "Springfield");
  SetText(UnitState, o.empty ? "" : "IL");
  SetText(UnitZip, o.empty ? "" : "62701");
  if (!ReadWriteUnitInfo(1)) return Fail("cannot write the unit information");
  SetCapacities();
  if (!OpenDatabase(yearFolder.c_str(), yy.c_str(), 1)) return Fail("the new fiscal year does not open");
  return true;
}

MemberRow Member(int type, const char* last, const char* first, const char* subunit) {
  MemberRow m;
  std::memset(&m, 0, sizeof m);
  m.type = type;
  SetText(m.lastName, last);
  SetText(m.firstName, first);
  SetText(m.subunit, subunit);
  m.passbook = 1;
  return m;
}

std::string Date(int year, int month, int day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year % 10000, month % 100, day % 100);
  return std::string(text, 8);
}

bool AddAccount(int number, const char* name, int opening, const int* rows = nullptr, int count = 0,
                const int* shares = nullptr, bool reserves = false) {
  AccountRecord a;
  a.number = number;
  SetText(a.name, name);
  a.openingBalance = opening;
  a.currentBalance = opening;
  a.budgetRow = -1;
  a.classRow = GetAcctClassRow(number);
  a.memberReserves = reserves ? 1 : 0;
  return AddAcct(&a, rows, count, shares, nullptr) == 1 || Fail("account " + std::to_string(number));
}

bool AddBudget(int number, int monthly) {
  int pos = -1;
  if (FindAcctIndex(number, &pos) != 1) return Fail("budget account");
  AccountRecord acct;
  BudgetRecord budget;
  if (!XferBudget(0, 0, &pos, &acct, &budget)) return false;
  for (LONG& m : budget.months) m = monthly;
  return XferBudget(1, 0, &pos, &acct, &budget) == 1 || Fail("budget");
}

bool AddSystemAccounts() {
  return AddAccount(399, "Equipment", 0) && AddAccount(599, "Dues", 0) && AddAccount(900, "Reserve Allocation", 0);
}

// Members, accounts of every class, a budget, equipment, friends, a dues
// schedule and transactions with support lines and splits.
bool FillSample(int year) {
  int anna, ben, carl, eagles, hawks;
  MemberRow m1 = Member(0, "Smith", "Anna", "Eagles"), m2 = Member(0, "Jones", "Ben", "Hawks");
  MemberRow m3 = Member(1, "Brown", "Carl", "Adults");
  MemberRow s1 = Member(2, "", "", "Eagles"), s2 = Member(2, "", "", "Hawks");
  if (AddMember(&m1, &anna) != 1 || AddMember(&m2, &ben) != 1 || AddAdult(&m3, &carl) != 1 ||
      AddSubunit(&s1, &eagles) != 1 || AddSubunit(&s2, &hawks) != 1)
    return Fail("members");

  const struct {
    int number;
    const char* name;
    int opening;
  } accounts[] = {{1, "Petty Cash", 5000},  {101, "Checking", 150000}, {201, "Savings", 40000},
                  {399, "Equipment", 0},    {401, "Loan", 0},          {520, "Fundraising", 0},
                  {599, "Dues", 0},         {620, "Camping", 0},       {900, "Reserve Allocation", 0}};
  for (const auto& a : accounts)
    if (!AddAccount(a.number, a.name, a.opening)) return false;
  const int rows[] = {anna, ben};
  const int shares[] = {3000, 5000};
  if (!AddAccount(710, "Camp Reserve", 8000, rows, 2, shares, true)) return false;
  if (!AddBudget(620, 2500) || !AddBudget(520, 4000)) return false;

  EquipmentRecord tent;
  SetText(tent.inventoryId, "12");
  SetText(tent.description, "Tent");
  SetText(tent.purchaseDate, Date(year - 1, 5, 10).c_str());
  tent.price = 15000;
  tent.currentValue = 12000;
  tent.quantity = 1;
  tent.lineKey = -1;
  tent.fiscalYear = (year - 1) % 100;
  tent.condition = 'G';
  if (AddEquipItem(&tent, 0, nullptr) != 1) return Fail("equipment");

  FriendRecord f1, f2;
  SetText(f1.lastName, "Miller");
  SetText(f1.firstName, "Dana");
  SetText(f2.lastName, "Adams");
  SetText(f2.firstName, "Eve");
  // A friend's total is the sum of the four yearly contributions (the
  // integrity check resets it to that); the last year is the current one.
  for (FriendRecord* f : {&f1, &f2})
    for (int i = 0; i < 4; ++i) std::snprintf(f->yearLabels[i], sizeof f->yearLabels[i], "%d", year - 3 + i);
  f1.yearAmounts[3] = 7500;
  f2.yearAmounts[2] = 20000;
  f2.yearAmounts[3] = 30000;
  f1.total = 7500;
  f2.total = 50000;
  if (AddFriend(&f1, nullptr) != 1 || AddFriend(&f2, nullptr) != 1) return Fail("friends");

  if (OpenScheduleFiles() != 1) return Fail("schedule files");
  ScheduleRecord dues;
  dues.account = 599;
  SetText(dues.name, "Monthly Dues");
  // A monthly schedule names the range its dates were generated from; the
  // integrity check erases a frequency without one.
  dues.frequency = 'M';
  SetText(dues.firstDate, Date(year, 1, 1).c_str());
  SetText(dues.secondDate, Date(year, 3, 1).c_str());
  for (int i = 0; i < 3; ++i) {
    dues.amounts[i] = 500;
    SetText(dues.dueDates[i], Date(year, i + 1, 1).c_str());
  }
  auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  slots[static_cast<size_t>(anna)].scheduleRow = 0;
  slots[static_cast<size_t>(anna)].memberRow = anna;
  slots[static_cast<size_t>(ben)].scheduleRow = 0;
  slots[static_cast<size_t>(ben)].memberRow = ben;
  const bool scheduled = AddSchedule(&dues, slots.get(), nullptr) == 1;
  CloseScheduleFiles();
  if (!scheduled) return Fail("schedule");

  auto d = std::make_unique<TransactionDetail>();
  auto start = [&](int month, int day, int factor, int amount, const char* number, const char* payee) -> TransactionRecord& {
    ResetTransactionDetail(d->lines, d->splits, d->shares);
    TransactionRecord& t = d->transaction;
    t = TransactionRecord{};
    t.id = NextTransId++;
    t.account = 101;
    t.month = month;
    SetText(t.number, number);
    SetText(t.date, Date(year, month, day).c_str());
    SetText(t.payee, payee);
    t.factor = factor;
    t.amount = amount;
    return t;
  };
  // A popcorn-sale deposit split among the two scouts.
  TransactionRecord& t1 = start(1, 20, 1, 10000, "DEP1", "Popcorn sale");
  d->lines[0].account = 520;
  d->lines[0].amount = 10000;
  d->lines[0].factor = static_cast<int>(SignedAmountByType('A', 1, 520));
  d->lines[0].split = 1;
  d->splits[0].factor = 1;
  d->shares[0][static_cast<size_t>(anna)].cash = 4000;
  d->shares[0][static_cast<size_t>(ben)].cash = 6000;
  if (AddTransaction(&t1, d->lines, d->splits, d->shares) != 1) return Fail("deposit");
  // A camp-store check, partly from the camp reserve.
  TransactionRecord& t2 = start(2, 5, -1, 5000, "1001", "Camp store");
  d->lines[0].account = 620;
  d->lines[0].amount = 5000;
  d->lines[0].factor = static_cast<int>(SignedAmountByType('A', -1, 620));
  d->lines[0].reserveAccount = 710;
  d->lines[0].reserveAmount = 2000;
  d->lines[0].reserveFactor = -1;
  if (AddTransaction(&t2, d->lines, d->splits, d->shares) != 1) return Fail("check");
  // A canoe bought for the unit: the posting on 399 makes an equipment item.
  TransactionRecord& t3 = start(3, 12, -1, 8000, "1002", "Outfitters");
  SetText(t3.remarks, "Canoe");
  d->lines[0].account = 399;
  d->lines[0].amount = 8000;
  d->lines[0].factor = 1;
  if (AddTransaction(&t3, d->lines, d->splits, d->shares) != 1) return Fail("purchase");
  return true;
}

}  // namespace

bool MakeInstallation(const InstallOptions& options) {
  ::setenv("KESTROVA_HOME", options.folder.c_str(), 1);
  InitConfigFileName();
  if (FileExists(ConfigFileName)) {
    std::fprintf(stderr, "sampleinst: %s exists; nothing was changed\n", ConfigFileName);
    return false;
  }
  GetTimestamp(18, TodayDate);
  if (!MakeFiles(options)) {
    CloseDataFiles();
    return false;
  }
  // Every installation, an empty one too, has the accounts the postings
  // need: equipment purchases, dues and the reserve allocation.
  const bool ok = options.empty ? AddSystemAccounts() : FillSample(options.year);
  CloseDataFiles();
  FreeYearList();
  return ok;
}
