#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/controls/GXDateTimeFields.h"
#include "grid/controls/GXDateTimeGadgets.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"

namespace {

using F = CGXBDateTimeFields;

COleDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return COleDateTime(y, mo, d, h, mi, s); }

std::string Text(const COleDateTime& v) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(v, p)) return "invalid";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute, p.second);
  return buf;
}

// A field row on a picture, without a window; it records what changed.
class Fields : public CGXBDateTimeFields {
 public:
  explicit Fields(const char* picture = "M/d/yyyy", DWORD style = 0) {
    m_dwStyle = style;
    custom_ = picture;
    formatType_ = kCustom;
    CreateGadgets();
  }
  void NotifyChanged() override { ++changes; }
  int OnGadgetNotify(int code, int id, int value) override {
    if ((code == kSpinUp || code == kSpinDown) && id == kSpin) spinSteps.push_back(value);
    return CGXBDateTimeFields::OnGadgetNotify(code, id, value);
  }
  void Beep() override { ++beeps; }
  CGXBDTGadget* Gadget(int id) const {
    for (CGXBDTGadget* g : gadgets_)
      if (g->GetId() == id) return g;
    return nullptr;
  }
  void Focus(int id) {
    for (size_t i = 0; i < gadgets_.size(); ++i)
      if (gadgets_[i]->GetId() == id) MoveToGadget(static_cast<int>(i));
  }
  void Type(const std::string& keys) {
    for (char c : keys) FieldChar(static_cast<unsigned char>(c));
  }
  int changes = 0;
  int beeps = 0;
  std::vector<int> spinSteps;
};

TEST(DateTimeFields, FieldRulesRangesAndCorrection) {
  struct Case {
    const char* what;
    COleDateTime min, max;
    int mode;
    COleDateTime start;
    int id, code, value;
    const char* expect;  // the value afterwards
    int result;
  };
  const COleDateTime lo = COleDateTime(F::kMinDate);
  const COleDateTime hi = COleDateTime(F::kMaxDate);
  const Case cases[] = {
      {"hour up into the maximum's hour clamps the rest", At(2000, 3, 15, 9), At(2000, 3, 15, 17, 30), 3,
       At(2000, 3, 15, 16, 45), F::kHour24, F::kStepUp, 0, "2000-03-15 17:30:00", 1},
      {"hour up past the maximum is refused", At(2000, 3, 15, 9), At(2000, 3, 15, 17, 30), 3,
       At(2000, 3, 15, 17, 30), F::kHour24, F::kStepUp, 0, "2000-03-15 17:30:00", 0},
      {"End on the hour corrects at day level", At(2000, 3, 15, 9), At(2000, 3, 15, 17, 30), 3,
       At(2000, 3, 15, 16, 45), F::kHour24, F::kEnd, 0, "2000-03-15 17:30:00", 1},
      {"day wraps inside the month", At(2000, 3, 1), At(2000, 3, 31), 2, At(2000, 3, 31), F::kDay, F::kStepUp, 0,
       "2000-03-01 00:00:00", 1},
      {"day down from the first fits the month's end", lo, hi, 0, At(2001, 4, 1, 8), F::kDay, F::kStepDown, 0,
       "2001-04-30 08:00:00", 1},
      {"typed day that does not exist", lo, hi, 0, At(2001, 4, 1), F::kDay, F::kSet, 31, "2001-04-01 00:00:00", 0},
      {"month up fits the day (leap)", lo, hi, 0, At(2000, 1, 31), F::kMonth, F::kStepUp, 0, "2000-02-29 00:00:00",
       1},
      {"month up fits the day", lo, hi, 0, At(2001, 1, 31), F::kMonthName, F::kSpinUp, 5, "2001-02-28 00:00:00", 1},
      {"month name chosen", lo, hi, 0, At(2001, 1, 31), F::kMonthName, F::kSet, 3, "2001-04-30 00:00:00", 1},
      {"year up from 29 February", lo, hi, 0, At(2000, 2, 29), F::kYear4, F::kStepUp, 0, "2001-02-28 00:00:00", 1},
      {"year stays at 9999", lo, hi, 0, At(9999, 6, 1), F::kYear4, F::kStepUp, 0, "9999-06-01 00:00:00", 1},
      {"year down by 5 stops at 100", lo, hi, 0, At(101, 6, 1), F::kYear4, F::kSpinDown, 5, "0100-06-01 00:00:00", 1},
      {"weekday chosen in the same week", lo, hi, 0, At(2000, 3, 15, 10), F::kDayOfWeek, F::kSet, 0,
       "2000-03-12 10:00:00", 1},
      {"weekday End goes to Saturday", lo, hi, 0, At(2000, 3, 15), F::kDayOfWeek, F::kEnd, 0, "2000-03-18 00:00:00",
       1},
      {"12 on the 12-hour field keeps 00:30", lo, hi, 0, At(2000, 1, 1, 0, 30), F::kHour12, F::kSet, 12,
       "2000-01-01 00:30:00", 1},
      {"12 on the 12-hour field in the afternoon", lo, hi, 0, At(2000, 1, 1, 13, 30), F::kHour12, F::kSet, 12,
       "2000-01-01 12:30:00", 1},
      {"13 is no 12-hour value", lo, hi, 0, At(2000, 1, 1, 13, 30), F::kHour12, F::kSet, 13, "2000-01-01 13:30:00",
       0},
      {"hour past 23 wraps, the date stays", lo, hi, 0, At(2000, 1, 1, 23, 15), F::kHour24, F::kStepUp, 0,
       "2000-01-01 00:15:00", 1},
      {"spin steps on minutes are capped at 2", lo, hi, 0, At(2000, 1, 1, 10, 10), F::kMinute, F::kSpinUp, 5,
       "2000-01-01 10:12:00", 1},
      {"AM/PM toggles", lo, hi, 0, At(2000, 1, 1, 9), F::kAmPm, F::kStepUp, 0, "2000-01-01 21:00:00", 1},
      {"AM/PM Home when AM already", lo, hi, 0, At(2000, 1, 1, 9), F::kAmPm, F::kHome, 0, "2000-01-01 09:00:00", 1},
      {"a query stores nothing", lo, hi, 0, At(2000, 1, 1), F::kMonth, F::kQuery, 5, "2000-01-01 00:00:00", 1},
      {"seconds are refused at the bound", At(2000, 1, 1), At(2000, 1, 1, 10, 0, 30), 3, At(2000, 1, 1, 10, 0, 30),
       F::kSecond, F::kStepUp, 0, "2000-01-01 10:00:30", 0},
      {"two-digit year takes the parser's century", lo, hi, 0, At(1990, 5, 5), F::kYear2, F::kSet, 5,
       "2005-05-05 00:00:00", 1},
      {"two-digit year 75", lo, hi, 0, At(2010, 5, 5), F::kYear2, F::kSet, 75, "1975-05-05 00:00:00", 1},
  };
  for (const Case& c : cases) {
    Fields f;
    ASSERT_TRUE(f.SetDateTime(c.start)) << c.what;
    ASSERT_TRUE(f.SetRange(c.min, c.max, c.mode)) << c.what;
    EXPECT_EQ(f.OnGadgetNotify(c.code, c.id, c.value), c.result) << c.what;
    EXPECT_EQ(Text(f.GetDateTime()), c.expect) << c.what;
  }
}

TEST(DateTimeFields, RangeEdges) {
  Fields f;
  f.SetDateTime(At(2000, 3, 15, 12));
  // A reversed or invalid range is refused and the old one stays.
  EXPECT_FALSE(f.SetRange(At(2001, 1, 1), At(2000, 1, 1), 3));
  COleDateTime bad;
  bad.SetStatus(COleDateTime::invalid);
  EXPECT_FALSE(f.SetRange(bad, At(2000, 1, 1), 3));
  EXPECT_EQ(f.GetMode(), 0);

  ASSERT_TRUE(f.SetRange(At(2000, 3, 15, 9), At(2000, 3, 15, 17), 3));
  const double halfSecond = 0.49 / 86400.0;
  EXPECT_TRUE(f.IsInRange(COleDateTime(static_cast<double>(At(2000, 3, 15, 17)) + halfSecond)));
  EXPECT_FALSE(f.IsInRange(COleDateTime(static_cast<double>(At(2000, 3, 15, 17)) + 1.5 / 86400.0)));

  // A time-only range corrects only the time of an out-of-range value.
  f.SetDateTime(At(2010, 7, 4, 20, 15));
  ASSERT_TRUE(f.SetRange(At(2000, 1, 1, 8), At(2000, 1, 1, 18, 30), 1));
  EXPECT_EQ(Text(f.GetDateTime()), "2010-07-04 18:30:00");
  EXPECT_EQ(Text(f.GetMinimum()), "1899-12-30 08:00:00");

  // A date-only range stores its bounds at midnight and corrects the date.
  f.SetDateTime(At(2010, 7, 4, 20, 15));
  ASSERT_TRUE(f.SetRange(At(2000, 1, 1, 8), At(2000, 1, 31, 18, 30), 2));
  EXPECT_EQ(Text(f.GetMaximum()), "2000-01-31 00:00:00");
  EXPECT_EQ(Text(f.GetDateTime()), "2000-01-31 00:00:00");

  EXPECT_FALSE(f.SetDateTime(bad));
  EXPECT_EQ(Text(f.GetDateTime()), "2000-01-31 00:00:00");
}

// The gadgets of a picture: N<id>[z] numeric (z: leading zero), L<id> list,
// S<text> literal, with '!' after a gadget that cannot be edited.
std::string Layout(const Fields& f) {
  std::string out;
  for (int i = f.GetFixedCount(); i < static_cast<int>(f.GetGadgets().size()); ++i) {
    const CGXBDTGadget* g = f.GetGadgets()[static_cast<size_t>(i)];
    if (!out.empty()) out += ' ';
    if (auto* n = dynamic_cast<const CGXBDTNumericGadget*>(g)) {
      out += "N" + std::to_string(n->GetId()) + (n->HasLeadingZero() ? "z" : "");
    } else if (auto* l = dynamic_cast<const CGXBDTListGadget*>(g)) {
      out += "L" + std::to_string(l->GetId());
    } else if (auto* s = dynamic_cast<const CGXBDTStaticGadget*>(g)) {
      out += "S" + std::string(s->GetText());
    }
    if (!g->IsEditable() && g->GetId() > 0) out += '!';
  }
  return out;
}

TEST(DateTimeFields, PicturesBecomeFields) {
  const struct {
    const char* picture;
    const char* layout;
  } cases[] = {
      {"M/d/yyyy", "N128 S/ N32 S/ N1024"},
      {"hh':'mm tt", "N1z S: N4z S  L16"},
      {"dd MMMM yyyy", "N32z S  L256 S  N1024"},
      {"yyyyy", "N1024 N512"},
      {"ddddd", "L64 N32"},
      {"H\"h\"m", "N2 Sh N4"},
      {"gg yy", "S  N512z"},
      {"d 'of MMM", "N32 S  Sof MMM"},
  };
  for (const auto& c : cases) {
    Fields f(c.picture);
    EXPECT_EQ(Layout(f), c.layout) << c.picture;
  }
  Fields f("M/d/yyyy");
  EXPECT_TRUE(f.FormatHasDateFields());
  f.SetNoEdit(F::kFixedYear | F::kFixedDay);
  EXPECT_EQ(Layout(f), "N128 S/ N32! S/ N1024!");
  // Arrow keys skip fields that cannot be edited.
  EXPECT_TRUE(f.IsLastEditableGadget());
  f.FieldKeyDown(VK_RIGHT, FALSE);
  EXPECT_EQ(f.GetGadgets()[static_cast<size_t>(f.GetCurrentGadget())]->GetId(), F::kMonth);

  Fields time("HH:mm");
  EXPECT_FALSE(time.FormatHasDateFields());
  // The locale's short date on the default format type.
  Fields locale("", F::kStyleSpin | F::kStyleCalendarButton);
  locale.SetFormatType(F::kShortDate);
  EXPECT_EQ(Layout(locale), "N128 S/ N32 S/ N1024");
  EXPECT_EQ(locale.GetFixedCount(), 2);
  // After a rebuild the first field is current, so typing reaches it.
  EXPECT_EQ(locale.GetGadgets()[static_cast<size_t>(locale.GetCurrentGadget())]->GetId(), F::kMonth);
}

TEST(DateTimeFields, TypingMovesThroughTheFields) {
  Fields f("M/d/yyyy", F::kStyleSpin);
  f.SetDateTime(At(2000, 1, 1, 9, 30));
  f.MoveToGadget(f.FirstEditable());
  // A lone 3 waits for a second digit; the slash commits it and moves on.
  f.Type("3");
  EXPECT_TRUE(f.GetFlags() & F::kTypingFlag);
  EXPECT_EQ(Text(f.GetDateTime()), "2000-01-01 09:30:00");
  f.Type("/4/2001");
  EXPECT_EQ(Text(f.GetDateTime()), "2001-03-04 09:30:00");
  EXPECT_FALSE(f.GetFlags() & F::kTypingFlag);
  EXPECT_TRUE(f.GetFlags() & F::kModified);
  EXPECT_EQ(f.changes, 3);

  // A full field moves on by itself; 0 0 5 into a two-digit field is 5.
  f.Focus(F::kMonth);
  f.Type("12");
  EXPECT_EQ(f.GetGadgets()[static_cast<size_t>(f.GetCurrentGadget())]->GetId(), F::kDay);
  f.Type("005");
  EXPECT_EQ(Text(f.GetDateTime()), "2001-12-05 09:30:00");
  // A number the rules refuse beeps and leaves the value.
  f.Focus(F::kMonth);
  f.Type("13");
  EXPECT_EQ(f.beeps, 1);
  EXPECT_EQ(Text(f.GetDateTime()), "2001-12-05 09:30:00");
  // A letter while digits wait drops them.
  f.Type("1x");
  EXPECT_EQ(f.beeps, 2);
  EXPECT_EQ(Text(f.GetDateTime()), "2001-12-05 09:30:00");
  // Up and Down step the current field; Tab never leaves the row.
  f.FieldKeyDown(VK_UP, FALSE);
  EXPECT_EQ(Text(f.GetDateTime()), "2001-01-05 09:30:00");
  f.Focus(F::kYear4);
  EXPECT_TRUE(f.IsLastEditableGadget());
  f.FieldKeyDown(VK_TAB, FALSE);
  EXPECT_EQ(f.GetGadgets()[static_cast<size_t>(f.GetCurrentGadget())]->GetId(), F::kYear4);
  f.FieldKeyDown(VK_TAB, TRUE);
  EXPECT_EQ(f.GetGadgets()[static_cast<size_t>(f.GetCurrentGadget())]->GetId(), F::kDay);
  // The spin steps the current field.
  f.OnGadgetNotify(F::kSpinDown, F::kSpin, 1);
  EXPECT_EQ(Text(f.GetDateTime()), "2001-01-04 09:30:00");
}

class DateTimeGadgets : public ::testing::Test {
 protected:
  void SetUp() override { automation::ResetWindows(); }
  void TearDown() override { automation::ResetWindows(); }
};

TEST_F(DateTimeGadgets, MonthNamesTypeAhead) {
  Fields f("MMMM");
  f.SetDateTime(At(2000, 1, 10));
  f.Focus(F::kMonthName);
  auto* list = dynamic_cast<CGXBDTListGadget*>(f.Gadget(F::kMonthName));
  ASSERT_NE(list, nullptr);
  f.Type("J");
  EXPECT_EQ(f.GetDateTime().GetMonth(), 6);
  f.Type("j");
  EXPECT_EQ(f.GetDateTime().GetMonth(), 7);
  f.Type("u");  // "Ju" from the current month on
  EXPECT_EQ(f.GetDateTime().GetMonth(), 7);
  EXPECT_EQ(std::string(list->GetPrefix()), "Ju");
  f.Type("n");  // "Jun" found again from July, wrapping
  EXPECT_EQ(f.GetDateTime().GetMonth(), 6);
  automation::AdvanceClock(1999);
  EXPECT_EQ(std::string(list->GetPrefix()), "Jun");
  automation::AdvanceClock(1);
  EXPECT_EQ(std::string(list->GetPrefix()), "");
  f.Type("Q");
  EXPECT_EQ(f.beeps, 1);
  f.Type("m");
  EXPECT_EQ(f.GetDateTime().GetMonth(), 3);
  f.Type("x");  // "mx" matches nothing: beep, the prefix is forgotten
  EXPECT_EQ(f.beeps, 2);
  EXPECT_EQ(std::string(list->GetPrefix()), "");
  EXPECT_EQ(f.GetDateTime().GetMonth(), 3);
}

TEST_F(DateTimeGadgets, HeldSpinAccelerates) {
  Fields f("HH:mm", F::kStyleSpin);
  f.SetDateTime(At(2000, 1, 1, 10, 0));
  f.Focus(F::kMinute);
  auto* spin = dynamic_cast<CGXBDTSpinGadget*>(f.Gadget(F::kSpin));
  ASSERT_NE(spin, nullptr);
  spin->SetRect(CRect(100, 0, 116, 20));
  spin->OnLButtonDown(0, CPoint(108, 3));
  EXPECT_EQ(f.spinSteps, std::vector<int>{1});
  EXPECT_EQ(f.GetCaptureGadget(), spin);
  automation::AdvanceClock(499);
  EXPECT_EQ(f.spinSteps.size(), 1u);
  automation::AdvanceClock(1);
  EXPECT_EQ(f.spinSteps.size(), 2u);
  automation::AdvanceClock(100 * 19);  // repeats 2..20
  EXPECT_EQ(f.spinSteps.size(), 21u);
  EXPECT_EQ(f.spinSteps.back(), 1);
  automation::AdvanceClock(100);
  EXPECT_EQ(f.spinSteps.back(), 2);  // the 21st repeat
  automation::AdvanceClock(100 * 30);
  EXPECT_EQ(f.spinSteps.back(), 5);  // the 51st
  EXPECT_EQ(spin->GetRepeatCount(), 51);
  // Leaving the button stops the repeat, coming back starts it afresh.
  spin->OnMouseMove(0, CPoint(108, 15));
  const size_t held = f.spinSteps.size();
  automation::AdvanceClock(500);
  EXPECT_EQ(f.spinSteps.size(), held);
  spin->OnMouseMove(0, CPoint(108, 3));
  automation::AdvanceClock(100);
  EXPECT_EQ(f.spinSteps.back(), 1);
  spin->OnLButtonUp(0, CPoint(108, 3));
  EXPECT_EQ(spin->GetState(), 0u);
  EXPECT_EQ(f.GetCaptureGadget(), nullptr);
  automation::AdvanceClock(1000);
  EXPECT_EQ(f.spinSteps.size(), held + 1);
  // The lower half steps down.
  const int minute = f.GetDateTime().GetMinute();
  spin->OnLButtonDown(0, CPoint(108, 15));
  spin->CancelMode();
  EXPECT_EQ(f.GetDateTime().GetMinute(), minute - 1);
}

TEST_F(DateTimeGadgets, CalendarButtonClicksOnlyWhenReleasedOverIt) {
  struct Opening : Fields {
    Opening() : Fields("M/d/yyyy", F::kStyleCalendarButton) {}
    BOOL OpenCalendar() override {
      ++opened;
      return TRUE;
    }
    int opened = 0;
  } f;
  auto* button = f.Gadget(F::kCalendarButton);
  ASSERT_NE(button, nullptr);
  button->SetRect(CRect(100, 0, 116, 20));
  button->OnLButtonDown(0, CPoint(105, 5));
  button->OnMouseMove(0, CPoint(50, 5));
  button->OnLButtonUp(0, CPoint(50, 5));
  EXPECT_EQ(f.opened, 0);
  button->OnLButtonDown(0, CPoint(105, 5));
  button->OnLButtonUp(0, CPoint(106, 6));
  EXPECT_EQ(f.opened, 1);
  f.FieldKeyDown(VK_F4, FALSE);
  EXPECT_EQ(f.opened, 2);
}

}  // namespace
