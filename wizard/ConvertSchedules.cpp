// Converters of schedules and participants. Version 1 had neither file: its
// one dues plan lived in the DUES lines of the unit file and the amounts
// owed in the member records.
#include <cstdio>
#include <cstdlib>

#include "store/Records.h"
#include "wizard/Conversion.h"
#include "wizard/NewFile.h"
#include "wizard/OldFiles.h"
#include "wizard/Routines.h"

using wiz::OldI16;
using wiz::OldI32;
using wiz::Cleared;
using wiz::OldMoney;
using wiz::OldText;

namespace {

constexpr int kDueDates = 60;

}  // namespace

int CConversion::ConvertSchedules(int y) {
  const int version = oldVersion_;
  if (version == 1) {
    lastError_.clear();
    const std::string newName = NewFilePath(y, kFileSched);
    if (duesDates_.empty()) {
      CreateEmpty(newName);
      return Finish();
    }
    ScheduleRecord s = Cleared<ScheduleRecord>();
    s.account = 599;
    SetText(s.name, "Scout Dues");
    for (std::size_t i = 0; i < duesDates_.size() && i < kDueDates; ++i) {
      SetText(s.dueDates[i], duesDates_[i].c_str());
      s.amounts[i] = std::atol(duesAmounts_[i].c_str());
    }
    NoteCut(y, "dues dates", static_cast<int>(duesDates_.size()) - kDueDates, std::to_string(kDueDates));
    BYTE bytes[kScheduleRecordSize];
    Pack(s, bytes);
    NewFile out;
    if (!out.Open(newName)) Fail(wiz::FormatErrorTextStr(wiz::kErrOpen, newName));
    else if (!out.Write(bytes, sizeof bytes) || !out.Close()) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, newName));
    return Finish();
  }
  const bool v3 = version == 3;
  return ConvertRecords(y, kFileSched, v3 ? 822 : 702, kScheduleRecordSize, [&](const BYTE* o, BYTE* out) {
    ScheduleRecord s = Cleared<ScheduleRecord>();
    SetText(s.name, OldText(o, 0, 26).c_str());
    s.account = OldI16(o, 26);
    s.status = static_cast<char>(o[28]);
    s.frequency = static_cast<char>(o[30]);
    if (s.frequency != ' ' && s.frequency != 0) {
      SetText(s.firstDate, wiz::PrefixFiscalYear(OldText(o, 31, 5).c_str(), fiscalStartYear_, fiscalStartMonth_).c_str());
      SetText(s.secondDate, wiz::PrefixFiscalYear(OldText(o, 36, 5).c_str(), fiscalStartYear_, fiscalStartMonth_).c_str());
    }
    const int dateWidth = v3 ? 9 : 7, amounts = v3 ? 582 : 462;
    for (int i = 0; i < kDueDates; ++i) {
      std::string date = OldText(o, 41 + dateWidth * i, dateWidth);
      if (date.empty()) continue;
      SetText(s.dueDates[i], v3 ? date.c_str() : wiz::ExpandOldDate(date.c_str()).c_str());
      s.amounts[i] = OldI32(o, amounts + 4 * i);
    }
    Pack(s, out);
    return 1;
  });
}

int CConversion::ConvertParticipants(int y) {
  if (oldVersion_ != 1) {
    return ConvertRecords(y, kFilePart, 12, kParticipantRecordSize, [](const BYTE* o, BYTE* out) {
      ParticipantRecord p = Cleared<ParticipantRecord>();
      p.scheduleRow = OldI16(o, 0);
      p.memberRow = OldI16(o, 2);
      p.initialOwed = OldI32(o, 4);
      p.initialPaid = OldI32(o, 8);
      Pack(p, out);
      return 1;
    });
  }
  lastError_.clear();
  const std::string newName = NewFilePath(y, kFilePart);
  if (duesDates_.empty()) {
    CreateEmpty(newName);
    return Finish();
  }
  const std::string memberName = OldFilePath(y, kFileScout);
  FILE* in = nullptr;
  NewFile out;
  if (OpenBoth(memberName, in, newName, out)) {
    BYTE rec[216];
    // Rows past the member limit were not converted.
    for (int row = 0; row < kCapMembers && lastError_.empty(); ++row) {
      if (std::fread(rec, 1, sizeof rec, in) != sizeof rec) {
        if (std::ferror(in)) Fail(wiz::FormatErrorTextStr(wiz::kErrRead, memberName));
        break;
      }
      std::string sub = OldText(rec, 28, 14);
      if (rec[42] == kStatusDeleted || (!sub.empty() && wiz::EqualNoCase(sub, adultSubunit_))) continue;
      ParticipantRecord p = Cleared<ParticipantRecord>();
      p.memberRow = row;
      p.initialOwed = wiz::ToCents(wiz::OldFloat(rec, 212));
      BYTE bytes[kParticipantRecordSize];
      Pack(p, bytes);
      if (!out.Write(bytes, sizeof bytes)) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, newName));
    }
  }
  CloseBoth(in, out);
  return Finish();
}
