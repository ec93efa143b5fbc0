// Converters of accounts, budgets, reserves, equipment and friends.
#include <cmath>
#include <cstring>

#include "common/Address.h"
#include "common/PhoneTypes.h"
#include "store/Records.h"
#include "wizard/Conversion.h"
#include "wizard/NewFile.h"
#include "wizard/OldFiles.h"
#include "wizard/Routines.h"

using wiz::OldFloat;
using wiz::OldI16;
using wiz::OldI32;
using wiz::Cleared;
using wiz::OldMoney;
using wiz::OldText;

namespace {

template <int N>
void SetDate(char (&field)[N], int version, const std::string& text) {
  SetText(field, version == 3 ? text.c_str() : wiz::ExpandOldDate(text.c_str()).c_str());
}

}  // namespace

int CConversion::ConvertAccounts(int y) {
  const int version = oldVersion_;
  // Version 1 gains the Reserve Allocation account, which counts against
  // the main program's limit.
  const int limit = version == 1 ? kCapAccounts - 1 : kCapAccounts;
  int read = 0;
  auto map = [&](const BYTE* o, BYTE* out) {
    if (++read > limit) return 0;
    AccountRecord a = Cleared<AccountRecord>();
    a.number = OldI16(o, 0);
    SetText(a.name, OldText(o, 2, 26).c_str());
    a.status = static_cast<char>(o[28]);
    a.openingBalance = OldMoney(version, o, 30);
    a.currentBalance = OldMoney(version, o, 34);
    a.usageCount = OldI16(o, 38);
    if (version == 1) {
      a.budgetRow = OldI16(o, 42);
      a.classRow = OldI16(o, 44);
    } else {
      a.budgetRow = OldI16(o, 40);
      a.classRow = OldI16(o, 42);
      a.memberReserves = OldI16(o, 44);
    }
    Pack(a, out);
    return 1;
  };
  RecordTail tail = nullptr;
  if (version == 1) {
    tail = [this](NewFile& out) {
      AccountRecord a = Cleared<AccountRecord>();
      a.number = 900;
      SetText(a.name, "Reserve Allocation");
      a.budgetRow = -1;
      a.classRow = 8;
      BYTE bytes[kAccountRecordSize];
      Pack(a, bytes);
      if (!out.Write(bytes, sizeof bytes)) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, out.Name()));
    };
  }
  int ok = ConvertRecords(y, kFileAcct, 46, kAccountRecordSize, map, tail);
  NoteCut(y, "accounts", read - limit, std::to_string(kCapAccounts));
  return ok;
}

int CConversion::ConvertBudgets(int y) {
  const int version = oldVersion_;
  return ConvertRecords(y, kFileBudge, 52, kBudgetRecordSize, [&](const BYTE* o, BYTE* out) {
    BudgetRecord b = Cleared<BudgetRecord>();
    b.number = OldI16(o, 0);
    b.status = static_cast<char>(o[2]);
    for (int m = 0; m < 12; ++m) b.months[m] = OldMoney(version, o, 4 + 4 * m);
    Pack(b, out);
    return 1;
  });
}

int CConversion::ConvertReserves(int y) {
  if (oldVersion_ == 1) {
    lastError_.clear();
    CreateEmpty(NewFilePath(y, kFileResrv));
    return Finish();
  }
  return ConvertRecords(y, kFileResrv, 8, kReserveRecordSize, [](const BYTE* o, BYTE* out) {
    ReserveRecord r = Cleared<ReserveRecord>();
    r.memberRow = OldI16(o, 0);
    r.account = OldI16(o, 2);
    r.amount = OldI32(o, 4);
    Pack(r, out);
    return 1;
  });
}

int CConversion::ConvertEquipment(int y) {
  const int version = oldVersion_;
  static const int kSizes[4] = {0, 96, 270, 276};
  int read = 0;
  auto map = [&](const BYTE* o, BYTE* out) {
    if (++read > kCapEquipment) return 0;
    EquipmentRecord e = Cleared<EquipmentRecord>();
    if (version == 1) {
      SetText(e.inventoryId, std::to_string(read).c_str());
      SetText(e.description, OldText(o, 0, 21).c_str());
      SetDate(e.purchaseDate, 1, OldText(o, 21, 7));
      e.status = static_cast<char>(o[28]);
      SetDate(e.dateRemoved, 1, OldText(o, 30, 7));
      e.openingValue = OldMoney(1, o, 38);
      e.price = OldMoney(1, o, 42);
      e.replacementCost = e.price;
      e.quantity = 1;
      SetText(e.remarks, OldText(o, 46, 42).c_str());
      e.lineKey = OldI16(o, 88);
      e.currentValue = OldMoney(1, o, 90);
      e.fiscalYear = OldI16(o, 94);
      float v = OldFloat(o, 90), p = OldFloat(o, 42);
      if (std::isnan(v) || std::isnan(p) || e.currentValue == e.price) e.condition = 'E';
      else if (2 * static_cast<long long>(e.currentValue) < e.price) e.condition = 'P';
      else if (4 * static_cast<long long>(e.currentValue) < 3 * static_cast<long long>(e.price)) e.condition = 'F';
      else e.condition = 'G';
    } else {
      const bool v3 = version == 3;
      SetText(e.inventoryId, OldText(o, 0, 7).c_str());
      SetText(e.description, OldText(o, 7, 21).c_str());
      SetDate(e.purchaseDate, version, OldText(o, 28, v3 ? 9 : 7));
      e.status = static_cast<char>(o[v3 ? 37 : 35]);
      e.condition = static_cast<char>(o[v3 ? 38 : 36]);
      SetDate(e.dateRemoved, version, OldText(o, v3 ? 39 : 37, v3 ? 9 : 7));
      e.openingValue = OldI32(o, v3 ? 48 : 44);
      e.price = OldI32(o, v3 ? 52 : 48);
      e.quantity = OldI16(o, v3 ? 56 : 52);
      std::string remarks;
      for (int i = 0; i < 4; ++i) remarks += OldText(o, (v3 ? 58 : 54) + 51 * i, 51);
      SetText(e.remarks, remarks.c_str());
      e.replacementCost = OldI32(o, v3 ? 262 : 258);
      e.lineKey = v3 ? OldI32(o, 266) : OldI16(o, 262);
      e.currentValue = OldI32(o, v3 ? 270 : 264);
      e.fiscalYear = OldI16(o, v3 ? 274 : 268);
    }
    Pack(e, out);
    return 1;
  };
  int ok = ConvertRecords(y, kFileEquip, kSizes[version >= 1 && version <= 3 ? version : 0], kEquipmentRecordSize, map);
  NoteCut(y, "equipment items", read - kCapEquipment, std::to_string(kCapEquipment));
  return ok;
}

int CConversion::ConvertFriends(int y) {
  const int version = oldVersion_;
  const CPhoneTypes phoneTypes;
  const int home = phoneTypes.GetCodeByName("Home");
  const int other = phoneTypes.GetCodeByName("Other");
  int read = 0;
  auto map = [&](const BYTE* o, BYTE* out) {
    if (++read > kCapFriends) return 0;
    const bool v3 = version == 3;
    FriendRecord f = Cleared<FriendRecord>();
    SetText(f.firstName, OldText(o, 0, 12).c_str());
    SetText(f.lastName, OldText(o, 12, 16).c_str());
    f.status = static_cast<char>(o[32]);
    char line1[32], line2[32];
    CopyText(line1, 28, OldText(o, 34, 27).c_str());
    CopyText(line2, 28, OldText(o, 61, 27).c_str());
    if (v3) {
      SetText(f.city, OldText(o, 88, 18).c_str());
      SetText(f.state, OldText(o, 106, 3).c_str());
      SetText(f.zip, OldText(o, 109, 11).c_str());
    } else {
      char cityLine[32];
      CopyText(cityLine, 28, OldText(o, 88, 27).c_str());
      char* source = cityLine[0] ? cityLine : line2[0] ? line2 : line1;
      char city[32] = {}, state[3] = {}, zip[11] = {};
      SplitCityStateZip(source, city, state, zip);
      SetText(f.city, city);
      SetText(f.state, state);
      SetText(f.zip, zip);
    }
    SetText(f.address1, line1);
    SetText(f.address2, line2);
    SetText(f.phones[0].number, OldText(o, v3 ? 120 : 115, v3 ? 14 : 13).c_str());
    SetText(f.phones[0].extension, OldText(o, v3 ? 134 : 128, 5).c_str());
    f.phones[0].type = home;
    for (int i = 1; i < 4; ++i) f.phones[i].type = other;
    SetText(f.remarks, OldText(o, v3 ? 139 : 133, 51).c_str());
    for (int i = 0; i < 4; ++i) SetText(f.yearLabels[i], OldText(o, (v3 ? 190 : 184) + 5 * i, 5).c_str());
    // Summed in 64 bits: four amounts near the limit overflow 32.
    long long sum = 0;
    for (int i = 0; i < 4; ++i) {
      f.yearAmounts[i] = OldMoney(version, o, (v3 ? 210 : 204) + 4 * i);
      sum += f.yearAmounts[i];
    }
    if (!v3 && (sum > 2147483647LL || sum < -2147483647LL)) {
      wiz::CountBadAmount();
      sum = 0;
    }
    f.total = v3 ? OldI32(o, 28) : static_cast<LONG>(sum);
    Pack(f, out);
    return 1;
  };
  int ok = ConvertRecords(y, kFileFos, version == 3 ? 226 : 220, kFriendRecordSize, map);
  NoteCut(y, "friends", read - kCapFriends, std::to_string(kCapFriends));
  return ok;
}
