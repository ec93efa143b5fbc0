// Converters of transactions, support lines, splits and sub-accounts.
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/FileUtil.h"
#include "store/Records.h"
#include "wizard/Conversion.h"
#include "wizard/OldFiles.h"
#include "wizard/Routines.h"

using wiz::OldFloat;
using wiz::OldI16;
using wiz::OldI32;
using wiz::Cleared;
using wiz::OldMoney;
using wiz::OldText;

int CConversion::ConvertTransactions(int y) {
  const int version = oldVersion_;
  const int d = version == 3 ? 2 : 0;  // version 3's longer date shifts the rest
  int numbersCut = 0;
  int ok = ConvertRecords(y, kFileTrans, version == 3 ? 78 : 76, kTransactionRecordSize,
                          [&](const BYTE* o, BYTE* out) {
    TransactionRecord t = Cleared<TransactionRecord>();
    t.id = OldI16(o, 0);
    t.account = OldI16(o, 2);
    // The number text holds 8 characters; a longer number keeps its first 8.
    std::string number = std::to_string(static_cast<long>(OldI32(o, 4)));
    if (number.size() > 8) {
      number.resize(8);
      ++numbersCut;
    }
    SetText(t.number, number.c_str());
    std::string date = OldText(o, 8, version == 3 ? 9 : 7);
    SetText(t.date, version == 3 ? date.c_str() : wiz::ExpandOldDate(date.c_str()).c_str());
    SetText(t.payee, OldText(o, 15 + d, 26).c_str());
    SetText(t.remarks, OldText(o, 41 + d, 21).c_str());
    t.month = OldI16(o, 62 + d);
    t.status = static_cast<char>(o[64 + d]);
    t.factor = OldI16(o, 66 + d);
    t.amount = OldMoney(version, o, 68 + d);
    t.cleared = OldI16(o, 72 + d);
    t.multiLine = OldI16(o, 74 + d);
    Pack(t, out);
    return 1;
  });
  NoteCut(y, "transaction numbers", numbersCut, "8 characters");
  return ok;
}

int CConversion::ConvertSupportTrans(int y) {
  const int version = oldVersion_;
  return ConvertRecords(y, kFileSuppt, version == 1 ? 40 : 48, kSupportLineRecordSize, [&](const BYTE* o, BYTE* out) {
    SupportLineRecord s = Cleared<SupportLineRecord>();
    s.id = OldI16(o, 0);
    s.line = OldI16(o, 2);
    s.account = OldI16(o, 4);
    if (version == 1) {
      s.status = static_cast<char>(o[6]);
      s.amount = OldMoney(1, o, 8);
      SetText(s.remarks, OldText(o, 12, 22).c_str());
      s.factor = OldI16(o, 34);
      s.cleared = OldI16(o, 36);
      s.split = OldI16(o, 38);
    } else {
      s.reserveAccount = OldI16(o, 6);
      s.status = static_cast<char>(o[8]);
      s.amount = OldI32(o, 10);
      s.factor = OldI16(o, 14);
      s.reserveAmount = OldI32(o, 16);
      s.reserveFactor = OldI16(o, 20);
      s.cleared = OldI16(o, 22);
      s.split = OldI16(o, 24);
      SetText(s.remarks, OldText(o, 26, 22).c_str());
    }
    Pack(s, out);
    return 1;
  });
}

int CConversion::ConvertSplits(int y) {
  const int version = oldVersion_;
  return ConvertRecords(y, kFileSplit, version == 3 ? 18 : 16, kSplitRecordSize, [&](const BYTE* o, BYTE* out) {
    SplitRecord s = Cleared<SplitRecord>();
    const int d = version == 3 ? 2 : 0;
    s.lineKey = version == 3 ? OldI32(o, 0) : OldI16(o, 0);
    if (s.lineKey == -1) return 0;
    s.amountPerUnit = OldMoney(version, o, 2 + d);
    s.rounding = OldMoney(version, o, 6 + d);
    s.unitShare = OldMoney(version, o, 10 + d);
    s.factor = OldI16(o, 14 + d);
    Pack(s, out);
    return 1;
  });
}

int CConversion::ConvertSubAccounts(int y) {
  const int version = oldVersion_;
  static const int kSizes[4] = {0, 10, 14, 16};
  FILE* splits = nullptr;
  if (version == 1 && GetFileSize(OldFilePath(y, kFileSubac).c_str()) >= kSizes[1]) {
    const std::string splitName = OldFilePath(y, kFileSplit);
    splits = std::fopen(splitName.c_str(), "rb");
    if (!splits) {
      lastError_.clear();
      Fail(wiz::FormatErrorTextStr(wiz::kErrOpen, splitName));
      return Finish();
    }
  }
  // Version 1 kept one amount: cash when the split of the same line adds,
  // else the account amount.
  auto splitFactor = [splits](LONG key) -> LONG {
    BYTE rec[16];
    std::rewind(splits);
    while (std::fread(rec, 1, sizeof rec, splits) == sizeof rec)
      if (OldI16(rec, 0) == key) return OldI16(rec, 14);
    return 1;
  };
  int ok = ConvertRecords(y, kFileSubac, kSizes[version >= 1 && version <= 3 ? version : 0], kSubAccountRecordSize, [&](const BYTE* o, BYTE* out) {
    SubAccountRecord s = Cleared<SubAccountRecord>();
    if (version == 3) {
      s.lineKey = OldI32(o, 0);
      s.units = OldI16(o, 4);
      s.cash = OldI32(o, 6);
      s.accountAmount = OldI32(o, 10);
      s.memberRow = OldI16(o, 14);
    } else {
      s.lineKey = OldI16(o, 0);
      s.units = OldI16(o, 2);
      if (version == 2) {
        s.cash = OldI32(o, 4);
        s.accountAmount = OldI32(o, 8);
        s.memberRow = OldI16(o, 12);
      } else {
        LONG cents = wiz::ToCents(OldFloat(o, 4));
        if (s.lineKey != -1 && splitFactor(s.lineKey) > 0) s.cash = cents;
        else s.accountAmount = cents;
        s.memberRow = OldI16(o, 8);
      }
    }
    if (s.lineKey == -1) return 0;
    Pack(s, out);
    return 1;
  });
  if (splits) std::fclose(splits);
  return ok;
}
