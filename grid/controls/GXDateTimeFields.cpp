#include "grid/controls/GXDateTimeFields.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "grid/controls/GXDateTimeGadgets.h"
#include "platform/base/Locale.h"
#include "platform/host/Keys.h"
#include "platform/window/Window.h"

namespace {

// The value as a range check compares it in a mode.
COleDateTime Compared(const COleDateTime& v, int mode) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(v, p)) return COleDateTime();
  if (mode == CGXBDateTimeFields::kTimeOnly) return COleDateTime(1899, 12, 30, p.hour, p.minute, p.second);
  if (mode == CGXBDateTimeFields::kDateOnly) return COleDateTime(p.year, p.month, p.day, 0, 0, 0);
  return v;
}

// Whole seconds between two values, rounded.
long long SecondsBetween(const COleDateTime& a, const COleDateTime& b) {
  return static_cast<long long>(std::fabs(static_cast<double>(a) - static_cast<double>(b)) * 86400.0 + 0.5);
}

int Capped(int step) { return step > 2 ? 2 : step; }

// Minutes and seconds answer their gadget alike: steps wrap over 0-59, a set
// value outside it is refused (false), and Home or End reach one level above
// the field's own.
bool ApplySixtyField(int code, int value, int& field, int& level) {
  using F = CGXBDateTimeFields;
  switch (code) {
    case F::kStepUp:
    case F::kSpinUp:
      field += Capped(code == F::kStepUp ? 1 : value);
      if (field > 59) field = 0;
      break;
    case F::kStepDown:
    case F::kSpinDown:
      field -= Capped(code == F::kStepDown ? 1 : value);
      if (field < 0) field = 59;
      break;
    case F::kQuery:
    case F::kSet:
      if (value < 0 || value > 59) return false;
      field = value;
      break;
    case F::kHome: field = 0; ++level; break;
    case F::kEnd: field = 59; ++level; break;
    default: break;
  }
  return true;
}

// A rebuilt value whose day is lowered (not below 28) until it exists.
COleDateTime FitDay(GXDateTimeParts& p) {
  COleDateTime v = GXPartsToDateTime(p);
  while (v.GetStatus() != COleDateTime::valid && p.day > 28) {
    --p.day;
    v = GXPartsToDateTime(p);
  }
  return v;
}

}  // namespace

BOOL GXDateTimeToParts(const COleDateTime& value, GXDateTimeParts& parts) {
  std::tm tm{};
  if (!value.GetParts(tm)) return FALSE;
  parts.second = tm.tm_sec;
  parts.minute = tm.tm_min;
  parts.hour = tm.tm_hour;
  parts.day = tm.tm_mday;
  parts.month = tm.tm_mon + 1;
  parts.year = tm.tm_year + 1900;
  parts.dayOfWeek = tm.tm_wday + 1;
  parts.dayOfYear = tm.tm_yday + 1;
  return TRUE;
}

COleDateTime GXPartsToDateTime(const GXDateTimeParts& p) {
  COleDateTime v;
  v.SetDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
  return v;
}

CGXBDateTimeFields::CGXBDateTimeFields() {
  value_ = COleDateTime::GetCurrentTime();
  GXDateTimeParts p;
  if (GXDateTimeToParts(value_, p)) pm_ = p.hour >= 12;
}

CGXBDateTimeFields::~CGXBDateTimeFields() {
  ResetGadgetState();
  for (CGXBDTGadget* g : gadgets_) delete g;
  gadgets_.clear();
}

void CGXBDateTimeFields::Beep() { ::MessageBeep(0xFFFFFFFF); }

BOOL CGXBDateTimeFields::SetDateTime(const COleDateTime& value) {
  if (value.GetStatus() != COleDateTime::valid) return FALSE;
  ApplyDateTime(value);
  return TRUE;
}

BOOL CGXBDateTimeFields::SetRange(const COleDateTime& minimum, const COleDateTime& maximum, int mode) {
  GXDateTimeParts lo;
  GXDateTimeParts hi;
  if (minimum.GetStatus() != COleDateTime::valid || maximum.GetStatus() != COleDateTime::valid ||
      minimum > maximum || !GXDateTimeToParts(minimum, lo) || !GXDateTimeToParts(maximum, hi))
    return FALSE;
  if (mode == kTimeOnly) {
    min_ = COleDateTime(1899, 12, 30, lo.hour, lo.minute, lo.second);
    max_ = COleDateTime(1899, 12, 30, hi.hour, hi.minute, hi.second);
  } else if (mode == kDateOnly) {
    min_ = COleDateTime(lo.year, lo.month, lo.day, 0, 0, 0);
    max_ = COleDateTime(hi.year, hi.month, hi.day, 0, 0, 0);
  } else {
    min_ = minimum;
    max_ = maximum;
  }
  mode_ = mode;
  COleDateTime copy = value_;
  if (!ValidateDateTime(copy, -1)) return FALSE;
  ApplyDateTime(copy);
  return TRUE;
}

BOOL CGXBDateTimeFields::IsInRange(const COleDateTime& value) const {
  GXDateTimeParts p;
  if (value.GetStatus() != COleDateTime::valid || !GXDateTimeToParts(value, p)) return FALSE;
  if (mode_ == kNoValidation) return TRUE;
  if (mode_ != kTimeOnly && mode_ != kDateOnly && mode_ != kDateAndTime) return FALSE;
  const COleDateTime c = Compared(value, mode_);
  // Less than half a second outside a bound still counts as on it.
  if (c < min_ && SecondsBetween(c, min_) != 0) return FALSE;
  if (c > max_ && SecondsBetween(c, max_) != 0) return FALSE;
  return TRUE;
}

BOOL CGXBDateTimeFields::ValidateDateTime(COleDateTime& value, int level) {
  if (IsInRange(value)) return TRUE;
  GXDateTimeParts v;
  if (value.GetStatus() != COleDateTime::valid || !GXDateTimeToParts(value, v)) return FALSE;
  const COleDateTime c = Compared(value, mode_);
  const COleDateTime& bound = c < min_ ? min_ : max_;
  GXDateTimeParts b;
  if (!GXDateTimeToParts(bound, b)) return FALSE;
  switch (level) {
    case 1:
      if (v.minute != b.minute || v.hour != b.hour || v.day != b.day || v.month != b.month || v.year != b.year)
        return FALSE;
      v.second = b.second;
      break;
    case 2:
      if (v.hour != b.hour || v.day != b.day || v.month != b.month || v.year != b.year) return FALSE;
      v.minute = b.minute;
      v.second = b.second;
      break;
    case 3:
      if (v.day != b.day || v.month != b.month || v.year != b.year) return FALSE;
      v.hour = b.hour;
      v.minute = b.minute;
      v.second = b.second;
      break;
    case 4:
      if (v.month != b.month || v.year != b.year) return FALSE;
      v.day = b.day;
      v.hour = b.hour;
      v.minute = b.minute;
      v.second = b.second;
      break;
    case 5:
      if (v.year != b.year) return FALSE;
      v.month = b.month;
      v.day = b.day;
      v.hour = b.hour;
      v.minute = b.minute;
      v.second = b.second;
      break;
    case -1:
      // A time-only range says nothing about the date: the value keeps it.
      if (mode_ != kTimeOnly) {
        v.year = b.year;
        v.month = b.month;
        v.day = b.day;
      }
      v.hour = b.hour;
      v.minute = b.minute;
      v.second = b.second;
      break;
    default:
      return FALSE;
  }
  const COleDateTime rebuilt = GXPartsToDateTime(v);
  if (rebuilt.GetStatus() != COleDateTime::valid) return FALSE;
  value = rebuilt;
  return IsInRange(value);
}

void CGXBDateTimeFields::ApplyDateTime(const COleDateTime& value) {
  GXDateTimeParts o;
  GXDateTimeParts n;
  if (!GXDateTimeToParts(value_, o) || !GXDateTimeToParts(value, n)) {
    // An old value that cannot be split (never the case after the first
    // store) refreshes every field.
    if (!GXDateTimeToParts(value, n)) return;
    value_ = value;
    pm_ = n.hour >= 12;
    UpdateGadgets(0xFFFF);
    return;
  }
  UINT mask = 0;
  if (o.hour != n.hour) mask |= 0x13;
  if (o.minute != n.minute) mask |= 0x04;
  if (o.second != n.second) mask |= 0x08;
  if (o.dayOfWeek != n.dayOfWeek) mask |= 0x40;
  if (o.day != n.day) mask |= 0x20;
  if (o.month != n.month) mask |= 0x180;
  if (o.year != n.year) mask |= 0x600;
  value_ = value;
  // The 12-hour field reads the half of the day even without an AM/PM field.
  pm_ = n.hour >= 12;
  UpdateGadgets(mask);
}

void CGXBDateTimeFields::UpdateGadgets(UINT mask) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return;
  for (CGXBDTGadget* g : gadgets_) {
    const int id = g->GetId();
    if (id <= 0 || (static_cast<UINT>(id) & mask) == 0) continue;
    switch (id) {
      case kHour12: g->SetValue(p.hour % 12 == 0 ? 12 : p.hour % 12); break;
      case kHour24: g->SetValue(p.hour); break;
      case kMinute: g->SetValue(p.minute); break;
      case kSecond: g->SetValue(p.second); break;
      case kAmPm:
        pm_ = p.hour >= 12;
        g->SetValue(pm_ ? 1 : 0);
        break;
      case kDay: g->SetValue(p.day); break;
      case kDayOfWeek: g->SetValue(p.dayOfWeek - 1); break;
      case kMonth: g->SetValue(p.month); break;
      case kMonthName: g->SetValue(p.month - 1); break;
      case kYear2: g->SetValue(p.year % 100); break;
      case kYear4: g->SetValue(p.year); break;
      default: continue;
    }
    InvalidateGadget(g, FALSE);
  }
}

int CGXBDateTimeFields::OnGadgetNotify(int code, int id, int value) {
  if (code == kTyping) {
    flags_ = value ? (flags_ | kTypingFlag) : (flags_ & ~kTypingFlag);
    return 1;
  }
  if (code == kComplete) {
    if (GetAutoAdvance()) {
      const int next = NextEditable(current_, +1);
      if (next >= 0) MoveToGadget(next);
    }
    return 1;
  }
  switch (id) {
    case kHour12:
    case kHour24: return OnHourNotify(code, id, value);
    case kMinute: return OnMinuteNotify(code, id, value);
    case kSecond: return OnSecondNotify(code, id, value);
    case kAmPm: return OnAmPmNotify(code, id, value);
    case kDay:
    case kDayOfWeek: return OnDayNotify(code, id, value);
    case kMonth:
    case kMonthName: return OnMonthNotify(code, id, value);
    case kYear2:
    case kYear4: return OnYearNotify(code, id, value);
    case kCalendarButton: return OpenCalendar();
    case kSpin:
      if (current_ < 0 || current_ >= static_cast<int>(gadgets_.size())) return 0;
      return OnGadgetNotify(code, gadgets_[static_cast<size_t>(current_)]->GetId(), value);
    default: return 0;
  }
}

int CGXBDateTimeFields::Commit(int code, COleDateTime candidate, int level) {
  if (candidate.GetStatus() != COleDateTime::valid) return 0;
  if (!ValidateDateTime(candidate, level)) return 0;
  if (code == kQuery) return 1;
  if (!CanAcceptDateTime(candidate)) return 0;
  ApplyDateTime(candidate);
  SetModified(TRUE);
  NotifyChanged();
  UpdateNow();
  return 1;
}

int CGXBDateTimeFields::Finish(int code, GXDateTimeParts parts, int level, bool fitDay) {
  const COleDateTime candidate = fitDay ? FitDay(parts) : GXPartsToDateTime(parts);
  return Commit(code, candidate, level);
}

int CGXBDateTimeFields::OnHourNotify(int code, int id, int value) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return 0;
  int level = 2;
  switch (code) {
    case kStepUp:
    case kSpinUp:
      p.hour += Capped(code == kStepUp ? 1 : value);
      if (p.hour > 23) p.hour = 0;
      break;
    case kStepDown:
    case kSpinDown:
      p.hour -= Capped(code == kStepDown ? 1 : value);
      if (p.hour < 0) p.hour = 23;
      break;
    case kQuery:
    case kSet:
      if (id == kHour24) {
        if (value < 0 || value > 23) return 0;
        p.hour = value;
      } else {
        if (value < 1 || value > 12) return 0;
        p.hour = value == 12 ? (pm_ ? 12 : 0) : (pm_ ? value + 12 : value);
      }
      break;
    case kHome: p.hour = 0; level = 3; break;
    case kEnd: p.hour = 23; level = 3; break;
    default: break;
  }
  return Finish(code, p, level, false);
}

int CGXBDateTimeFields::OnMinuteNotify(int code, int /*id*/, int value) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return 0;
  int level = 1;
  if (!ApplySixtyField(code, value, p.minute, level)) return 0;
  return Finish(code, p, level, false);
}

int CGXBDateTimeFields::OnSecondNotify(int code, int /*id*/, int value) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return 0;
  int level = 0;
  if (!ApplySixtyField(code, value, p.second, level)) return 0;
  return Finish(code, p, level, false);
}

int CGXBDateTimeFields::OnAmPmNotify(int code, int /*id*/, int value) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return 0;
  const bool afternoon = p.hour >= 12;
  switch (code) {
    case kStepUp:
    case kStepDown:
    case kSpinUp:
    case kSpinDown: p.hour += afternoon ? -12 : 12; break;
    case kQuery:
    case kSet:
      if (value == 1 && !afternoon) p.hour += 12;
      if (value == 0 && afternoon) p.hour -= 12;
      break;
    case kHome:
      if (!afternoon) return 1;
      p.hour -= 12;
      break;
    case kEnd:
      if (afternoon) return 1;
      p.hour += 12;
      break;
    default: break;
  }
  const int result = Finish(code, p, 2, false);
  if (result && code != kQuery) pm_ = p.hour >= 12;
  return result;
}

int CGXBDateTimeFields::OnDayNotify(int code, int id, int value) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return 0;
  if (id == kDayOfWeek && (code == kQuery || code == kSet || code == kHome || code == kEnd)) {
    int target = p.dayOfWeek;
    if (code == kHome) target = 1;
    if (code == kEnd) target = 7;
    if (code == kQuery || code == kSet) {
      if (value < 0 || value > 6) return 0;
      target = value + 1;
    }
    COleDateTime candidate(static_cast<double>(value_) + (target - p.dayOfWeek));
    GXDateTimeParts check;
    if (!GXDateTimeToParts(candidate, check)) return 0;
    return Commit(code, candidate, (code == kHome || code == kEnd) ? 4 : 3);
  }
  int level = 3;
  bool fit = false;
  switch (code) {
    case kStepUp:
    case kSpinUp: {
      p.day += Capped(code == kStepUp ? 1 : value);
      if (GXPartsToDateTime(p).GetStatus() != COleDateTime::valid) p.day = 1;
      break;
    }
    case kStepDown:
    case kSpinDown:
      p.day -= Capped(code == kStepDown ? 1 : value);
      if (p.day < 1) p.day = 31;
      fit = true;
      break;
    case kQuery:
    case kSet: p.day = value; break;
    case kHome: p.day = 1; level = 4; break;
    case kEnd:
      p.day = 31;
      level = 4;
      fit = true;
      break;
    default: break;
  }
  return Finish(code, p, level, fit);
}

int CGXBDateTimeFields::OnMonthNotify(int code, int id, int value) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return 0;
  int level = 4;
  switch (code) {
    case kStepUp:
    case kSpinUp: p.month = p.month == 12 ? 1 : p.month + 1; break;
    case kStepDown:
    case kSpinDown: p.month = p.month == 1 ? 12 : p.month - 1; break;
    case kQuery:
    case kSet:
      if (id == kMonthName) value += 1;
      if (value < 1 || value > 12) return 0;
      p.month = value;
      break;
    case kHome: p.month = 1; level = 5; break;
    case kEnd: p.month = 12; level = 5; break;
    default: break;
  }
  return Finish(code, p, level, true);
}

int CGXBDateTimeFields::OnYearNotify(int code, int id, int value) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(value_, p)) return 0;
  switch (code) {
    case kStepUp:
    case kSpinUp:
      p.year += code == kStepUp ? 1 : value;
      if (p.year > 9998) p.year = 9999;
      break;
    case kStepDown:
    case kSpinDown:
      p.year -= code == kStepDown ? 1 : value;
      if (p.year <= 100) p.year = 100;
      break;
    case kQuery:
    case kSet:
      if (id == kYear2) {
        const int century = (m_dwStyle & kStyleFixedCentury) ? p.year / 100 * 100 : GetCenturyForTwoDigitYear(value);
        if (century < 0) return 0;
        p.year = value + century;
      } else {
        p.year = value;
      }
      break;
    case kHome: p.year = min_.GetYear(); break;
    case kEnd: p.year = max_.GetYear(); break;
    default: break;
  }
  return Finish(code, p, 5, true);
}

int CGXBDateTimeFields::GetCenturyForTwoDigitYear(int year) {
  // The date parser's own window decides the century of a two-digit year.
  CString text;
  text.Format("1/1/%d", year);
  COleDateTime parsed;
  if (!parsed.ParseDateTime(text) || parsed.GetStatus() != COleDateTime::valid) return -1;
  return parsed.GetYear() - year;
}

// ---- Fields -----------------------------------------------------------------

CString CGXBDateTimeFields::GetLocalePicture(int type) const {
  char buf[256] = {};
  LCTYPE what = LOCALE_SSHORTDATE;
  if (type == kTime) what = LOCALE_STIMEFORMAT;
  if (type == kLongDate) what = LOCALE_SLONGDATE;
  ::GetLocaleInfo(LOCALE_USER_DEFAULT, what, buf, sizeof buf);
  CString picture(buf);
  if (type == kDateTime) {
    char time[256] = {};
    ::GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time, sizeof time);
    picture += " ";
    picture += time;
  }
  return picture;
}

CString CGXBDateTimeFields::GetFormatString() const {
  if (formatType_ == kCustom) return custom_;
  return GetLocalePicture(formatType_);
}

void CGXBDateTimeFields::SetFormatType(int type) {
  custom_.Empty();
  formatType_ = type;
  RebuildGadgets();
}

void CGXBDateTimeFields::SetCustomFormat(const CString& picture) {
  custom_ = picture;
  formatType_ = kCustom;
  RebuildGadgets();
}

void CGXBDateTimeFields::SetNoEdit(UINT mask) {
  noEdit_ = mask;
  RebuildGadgets();
}

void CGXBDateTimeFields::AddFixedGadget(CGXBDTGadget* gadget) {
  gadget->SetStyle(gadget->GetStyle() | CGXBDTGadget::kFixed);
  gadgets_.insert(gadgets_.begin() + fixedCount_, gadget);
  ++fixedCount_;
}

void CGXBDateTimeFields::CreateGadgets() {
  if (built_) return;
  built_ = TRUE;
  if (m_dwStyle & kStyleCalendarButton) {
    auto* button = new CGXBDTButtonGadget;
    if (button->Init(this, m_nButtonBitmap, kCalendarButton)) {
      AddFixedGadget(button);
    } else {
      delete button;
    }
  }
  if (m_dwStyle & kStyleSpin) {
    auto* spin = new CGXBDTSpinGadget;
    spin->Init(this, kSpin);
    AddFixedGadget(spin);
  }
  RebuildGadgets();
}

void CGXBDateTimeFields::ResetGadgetState() {
  if (capture_ != nullptr) {
    CGXBDTGadget* g = capture_;
    ReleaseGadget();
    g->CancelMode();
  }
  current_ = 0;
}

namespace {

struct PictureField {
  char letter;
  int maxRepeat;
};

void NameList(bool months, bool full, CStringArray& items) {
  const int count = months ? 12 : 7;
  for (int i = 1; i <= count; ++i) {
    CString name;
    if (months) {
      GXGetMonthName(i, full, name);
    } else {
      GXGetDayName(i, full, name);
    }
    items.Add(name);
  }
}

CString LocaleText(LCTYPE type) {
  char buf[256] = {};
  ::GetLocaleInfo(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
  return CString(buf);
}

}  // namespace

void CGXBDateTimeFields::RebuildGadgets() {
  if (!built_) return;
  ResetGadgetState();
  for (size_t i = static_cast<size_t>(fixedCount_); i < gadgets_.size(); ++i) delete gadgets_[i];
  gadgets_.resize(static_cast<size_t>(fixedCount_));
  hasDateFields_ = FALSE;

  const CString picture = GetFormatString();
  const int length = picture.GetLength();
  CString literal;
  auto flushLiteral = [&] {
    if (literal.IsEmpty()) return;
    auto* g = new CGXBDTStaticGadget;
    g->Init(this, literal);
    gadgets_.push_back(g);
    literal.Empty();
  };
  auto addNumeric = [&](int id, int lo, int hi, bool zero, UINT noEditBit) {
    auto* g = new CGXBDTNumericGadget;
    g->Init(this, lo, hi, lo, zero, id);
    if (noEdit_ & noEditBit) g->SetStyle(g->GetStyle() & ~CGXBDTGadget::kEditable);
    gadgets_.push_back(g);
  };
  auto addList = [&](int id, const CStringArray& items, UINT noEditBit) {
    auto* g = new CGXBDTListGadget;
    g->Init(this, items, 0, id);
    if (noEdit_ & noEditBit) g->SetStyle(g->GetStyle() & ~CGXBDTGadget::kEditable);
    gadgets_.push_back(g);
  };

  int i = 0;
  while (i < length) {
    const char c = picture[i];
    if (c == '\'' || c == '"') {
      flushLiteral();
      const int close = picture.Find(c, i + 1);
      if (close < 0) {
        literal = picture.Mid(i + 1);
        i = length;
        break;
      }
      literal = picture.Mid(i + 1, close - i - 1);
      flushLiteral();
      i = close + 1;
      continue;
    }
    int maxRepeat = 0;
    switch (c) {
      case 'h': case 'H': case 'm': case 's': case 't': maxRepeat = 2; break;
      case 'd': case 'M': maxRepeat = 4; break;
      case 'y': maxRepeat = 4; break;
      case 'g': maxRepeat = 2; break;
      default: maxRepeat = 0; break;
    }
    if (maxRepeat == 0) {
      literal += c;
      ++i;
      continue;
    }
    flushLiteral();
    int count = 1;
    while (count < maxRepeat && i + count < length && picture[i + count] == c) ++count;
    i += count;
    switch (c) {
      case 'h': addNumeric(kHour12, 1, 12, count == 2, kFixedHour); break;
      case 'H': addNumeric(kHour24, 0, 23, count == 2, kFixedHour); break;
      case 'm': addNumeric(kMinute, 0, 59, count == 2, kFixedMinute); break;
      case 's': addNumeric(kSecond, 0, 59, count == 2, kFixedSecond); break;
      case 't': {
        CStringArray items;
        const CString am = LocaleText(LOCALE_S1159);
        const CString pm = LocaleText(LOCALE_S2359);
        items.Add(count == 1 ? am.Left(1) : am);
        items.Add(count == 1 ? pm.Left(1) : pm);
        addList(kAmPm, items, kFixedHour);
        break;
      }
      case 'd':
        hasDateFields_ = TRUE;
        if (count <= 2) {
          addNumeric(kDay, 1, 31, count == 2, kFixedDay);
        } else {
          CStringArray names;
          NameList(false, count == 4, names);
          addList(kDayOfWeek, names, kFixedDay);
        }
        break;
      case 'M':
        hasDateFields_ = TRUE;
        if (count <= 2) {
          addNumeric(kMonth, 1, 12, count == 2, kFixedMonth);
        } else {
          CStringArray names;
          NameList(true, count == 4, names);
          addList(kMonthName, names, kFixedMonth);
        }
        break;
      case 'y':
        hasDateFields_ = TRUE;
        if (count <= 2) {
          addNumeric(kYear2, 0, 99, count == 2, kFixedYear);
        } else {
          addNumeric(kYear4, 0, 9999, false, kFixedYear);
        }
        break;
      case 'g': hasDateFields_ = TRUE; break;
      default: break;
    }
  }
  flushLiteral();
  UpdateGadgets(0xFFFF);
  // The first editable field is current, so keys reach a field at once.
  const int first = FirstEditable();
  current_ = first >= 0 ? first : 0;
}

int CGXBDateTimeFields::NextEditable(int from, int dir) const {
  const int n = static_cast<int>(gadgets_.size());
  for (int i = from + dir; i >= fixedCount_ && i < n; i += dir)
    if (gadgets_[static_cast<size_t>(i)]->IsEditable()) return i;
  return -1;
}

int CGXBDateTimeFields::LastEditable() const {
  return NextEditable(static_cast<int>(gadgets_.size()), -1);
}

void CGXBDateTimeFields::MoveToGadget(int index) {
  if (index < 0 || index >= static_cast<int>(gadgets_.size())) return;
  if (current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
    gadgets_[static_cast<size_t>(current_)]->SetFocus(FALSE);
  current_ = index;
  gadgets_[static_cast<size_t>(current_)]->SetFocus(TRUE);
  EnsureVisible(current_);
}

void CGXBDateTimeFields::FieldKeyDown(UINT key, BOOL shift) {
  if (gadgets_.empty()) return;
  int next = -1;
  switch (key) {
    case VK_LEFT: next = NextEditable(current_, -1); break;
    case VK_RIGHT: next = NextEditable(current_, +1); break;
    case VK_TAB: next = NextEditable(current_, shift ? -1 : +1); break;
    case VK_F4:
      if (m_dwStyle & kStyleCalendarButton) OpenCalendar();
      return;
    default:
      if (current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
        gadgets_[static_cast<size_t>(current_)]->OnKeyDown(key);
      return;
  }
  if (next >= 0) MoveToGadget(next);
}

void CGXBDateTimeFields::FieldChar(UINT ch) {
  if (gadgets_.empty() || ch == '\t') return;
  const size_t after = static_cast<size_t>(current_) + 1;
  if (after < gadgets_.size()) {
    if (auto* literal = dynamic_cast<CGXBDTStaticGadget*>(gadgets_[after])) {
      CString text = literal->GetText();
      text.Trim(' ');
      const bool separator = (text.IsEmpty() && ch == ' ') || (text.GetLength() == 1 && static_cast<UINT>(static_cast<unsigned char>(text[0])) == ch);
      if (separator) {
        // Typing the separator skips to the next field.
        const int next = NextEditable(current_, +1);
        if (next >= 0) MoveToGadget(next);
        return;
      }
    }
  }
  if (current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
    gadgets_[static_cast<size_t>(current_)]->OnChar(ch);
}
