// Converter of members and sub-units: the kind of every old member comes
// from the user's answers (adults-only sub-unit, members that stood for
// sub-units); sub-units of the unit file that no member stood for are
// appended.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "common/Address.h"
#include "common/StrUtil.h"
#include "store/MemberStore.h"
#include "store/Records.h"
#include "wizard/Conversion.h"
#include "wizard/NewFile.h"
#include "wizard/OldFiles.h"
#include "wizard/Routines.h"

using wiz::OldFloat;
using wiz::OldI16;
using wiz::OldI32;
using wiz::OldText;

namespace {

// Field offsets of the old member records of versions 1 and 2.
struct OldMemberLayout {
  int size;
  int subunit, subunitWidth, status, address1, address2, phone, joined, quit, text1, text1Width, text2, text3,
      opening, current, count, remarks;
};
const OldMemberLayout kV1 = {216, 28, 14, 42, 44, 71, 98, 111, 118, 125, 19, -1, 144, 160, 164, 168, 170};
const OldMemberLayout kV2 = {224, 28, 24, 54, 56, 83, 110, 123, 130, 137, 13, 150, 156, 172, 176, 180, 182};

// City, state and zip from address line 2 when it holds text, else line 1;
// the line they came from is emptied.
void SplitAddress(MemberRow& m) {
  char* source = m.address2[0] ? m.address2 : m.address1;
  char city[32] = {}, state[3] = {}, zip[11] = {};
  SplitCityStateZip(source, city, state, zip);
  SetText(m.city, city);
  SetText(m.state, state);
  SetText(m.zip, zip);
}

bool OldFileFound(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

int CConversion::FindSubunitFor(int youth, const std::string& last, const std::string& first, std::string& name) {
  std::string display = wiz::JoinMarkedName(youth, first.c_str(), last.c_str());
  name.clear();
  int kind = youth ? 0 : 1;
  bool marked = std::any_of(subunitMembers_.begin(), subunitMembers_.end(),
                            [&](const std::string& s) { return wiz::EqualNoCase(s, display); });
  if (!marked) return kind;
  for (auto it = oldSubunits_.begin(); it != oldSubunits_.end(); ++it) {
    if (wiz::EqualNoCase(*it, last) || wiz::EqualNoCase(*it, first)) {
      name = *it;
      oldSubunits_.erase(it);
      return 2;
    }
  }
  name = display;
  return 2;
}

int CConversion::ConvertMembers(int y) {
  lastError_.clear();
  // Without its member file a year would convert as a unit without members,
  // its passbooks and participants pointing at nobody.
  if (const std::string oldName = OldFilePath(y, kFileScout); !OldFileFound(oldName)) {
    Fail(wiz::FormatErrorTextStr(wiz::kErrOpen, oldName));
    return Finish();
  }
  const int version = oldVersion_;
  int read = 0, written = 0, subunits = 0;
  auto map = [&](const BYTE* o, BYTE* out) {
    if (++read > kCapMembers) return 0;
    ++written;
    std::string first, last, name;
    int youth;
    if (version == 3) {
      last = OldText(o, 0, 16);
      first = OldText(o, 16, 12);
      youth = OldI16(o, 330) != 0;
    } else if (version == 2) {
      first = OldText(o, 0, 12);
      last = OldText(o, 12, 16);
      youth = OldI16(o, 52) != 0;
    } else {
      first = OldText(o, 0, 12);
      last = OldText(o, 12, 16);
      std::string sub = OldText(o, kV1.subunit, kV1.subunitWidth);
      youth = !(!adultSubunit_.empty() && !sub.empty() && sub == adultSubunit_);
    }
    int kind = FindSubunitFor(youth, last, first, name);
    if (kind == 2) ++subunits;
    if (version == 3) {
      if (kind != 2) {
        std::memcpy(out, o, 320);
      } else {
        PutText(out + 150, 9, OldText(o, youth ? 150 : 156, 9).c_str());
        PutText(out + 160, 30, name.c_str());
      }
      PutI32(out + 320, OldI32(o, 320));
      PutI32(out + 324, OldI32(o, 324));
      PutI32(out + 328, OldI16(o, 328));
      PutI32(out + 332, 1);
      PutI32(out + 336, kind);
      PutI32(out + 340, 0);
      PutText(out + 344, 9, OldText(o, 332, 9).c_str());
      out[353] = o[341];
      PutText(out + 354, 158, OldText(o, 342, 170).c_str());
      return 1;
    }
    const OldMemberLayout& L = version == 1 ? kV1 : kV2;
    std::string sub = OldText(o, L.subunit, L.subunitWidth);
    if (version == 1 && kind == 0 && !adultSubunit_.empty() && !sub.empty() && wiz::EqualNoCase(sub, adultSubunit_))
      kind = 1;
    MemberRow m;
    std::memset(&m, 0, sizeof m);
    m.type = kind;
    m.status = static_cast<char>(o[L.status]);
    std::string joined = wiz::ExpandOldDate(OldText(o, L.joined, 7).c_str());
    SetText(m.dateJoined, joined.c_str());
    if (kind == 2) {
      SetText(m.subunit, name.c_str());
      auto it = std::find(oldSubunits_.begin(), oldSubunits_.end(), name);
      if (it != oldSubunits_.end()) oldSubunits_.erase(it);
    } else {
      SetText(m.firstName, first.c_str());
      SetText(m.lastName, last.c_str());
      SetText(m.address1, OldText(o, L.address1, 27).c_str());
      SetText(m.address2, OldText(o, L.address2, 27).c_str());
      SplitAddress(m);
      SetText(m.homePhone, OldText(o, L.phone, 13).c_str());
      std::string text1 = OldText(o, L.text1, L.text1Width), text3 = OldText(o, L.text3, 16);
      if (kind == 0) {
        SetText(m.subunit, sub.c_str());
        SetText(m.fatherLast, text3.c_str());
        SetText(m.fatherFirst, text1.substr(0, 11).c_str());
      } else if (version == 2) {
        SetText(m.spouse, text3.c_str());
        SetText(m.workPhone, text1.c_str());
        SetText(m.workExt, OldText(o, L.text2, 6).c_str());
      }
    }
    m.openingBalance = version == 1 ? wiz::ToCents(OldFloat(o, L.opening)) : OldI32(o, L.opening);
    m.currentBalance = version == 1 ? wiz::ToCents(OldFloat(o, L.current)) : OldI32(o, L.current);
    m.transCount = OldI16(o, L.count);
    m.passbook = 1;
    SetText(m.dateLeft, wiz::ExpandOldDate(OldText(o, L.quit, 7).c_str()).c_str());
    SetText(m.remarks, OldText(o, L.remarks, 42).c_str());
    MemberRecord rec;
    ConvertMemberRecord(&m, 0, 0, &rec, 0);
    std::memcpy(out, rec.bytes, kMemberRecordSize);
    return 1;
  };
  int unplaced = 0;
  auto tail = [&](NewFile& out) {
    // Sub-units of the unit file that no member stood for.
    for (const std::string& name : oldSubunits_) {
      if (!lastError_.empty()) break;
      if (subunits >= kCapSubunits || written >= kCapMembers) {
        ++unplaced;
        continue;
      }
      BYTE rec[kMemberRecordSize] = {};
      PutText(rec + 160, 30, name.c_str());
      PutI32(rec + 336, 2);
      if (!out.Write(rec, sizeof rec)) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, out.Name()));
      ++subunits;
      ++written;
    }
  };
  static const int kSizes[4] = {0, 216, 224, 512};
  int ok = ConvertRecords(y, kFileScout, kSizes[version >= 1 && version <= 3 ? version : 0], kMemberRecordSize, map, tail);
  NoteCut(y, "members", read - kCapMembers, std::to_string(kCapMembers));
  NoteCut(y, "sub-units", unplaced, written >= kCapMembers ? std::to_string(kCapMembers) + " members" : std::to_string(kCapSubunits));
  return ok;
}
