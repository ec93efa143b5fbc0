// The date-time field editor without its window: one value shown as a row
// of fields laid out from a date or time picture, the rules by which each
// field changes the value (steps, typed numbers, chosen names, Home and
// End), the range with its validation mode and the correction that pulls a
// value back to the bound it crossed, and moving between the fields. The
// date-time control is this editor on a window; tests drive it alone.
#pragma once

#include <vector>

#include "platform/Afx.h"
#include "platform/base/CString.h"
#include "platform/base/CTime.h"

class CGXBDTGadget;
using CGXBDTGadgetArray = std::vector<CGXBDTGadget*>;

// The parts of a value, rounded to the nearest second.
struct GXDateTimeParts {
  int second = 0;
  int minute = 0;
  int hour = 0;
  int day = 1;
  int month = 1;
  int year = 1900;
  int dayOfWeek = 1;  // 1 Sunday .. 7 Saturday
  int dayOfYear = 1;
};
BOOL GXDateTimeToParts(const COleDateTime& value, GXDateTimeParts& parts);
// A value from parts; its status is invalid when the parts make no date.
COleDateTime GXPartsToDateTime(const GXDateTimeParts& parts);

class CGXBDateTimeFields {
 public:
  // Field (gadget) ids.
  enum GadgetId : int {
    kHour12 = 1, kHour24 = 2, kMinute = 4, kSecond = 8, kAmPm = 16, kDay = 32, kDayOfWeek = 64, kMonth = 128,
    kMonthName = 256, kYear2 = 512, kYear4 = 1024, kCalendarButton = 0x4000, kSpin = 0x8000
  };
  // What a gadget asks of its owner.
  enum Notify : int {
    kStepUp = 1, kStepDown = 2, kSpinUp = 3, kSpinDown = 4, kClicked = 5, kQuery = 6, kSet = 7, kHome = 8,
    kEnd = 9, kTyping = 10, kComplete = 11
  };
  enum Mode : int { kNoValidation = 0, kTimeOnly = 1, kDateOnly = 2, kDateAndTime = 3 };
  enum FormatType : int { kTime = 0, kShortDate = 1, kLongDate = 2, kCustom = 3, kDateTime = 4 };
  // Own window style bits.
  static constexpr DWORD kStyleCalendarButton = 0x0001;
  static constexpr DWORD kStyleSpin = 0x0002;
  static constexpr DWORD kStyleFixedCentury = 0x0010;
  // Flag bits.
  static constexpr UINT kModified = 1;
  static constexpr UINT kTypingFlag = 4;
  // No-edit bits.
  enum NoEdit : UINT { kFixedYear = 1, kFixedMonth = 2, kFixedDay = 4, kFixedHour = 8, kFixedMinute = 0x10, kFixedSecond = 0x20 };

  static constexpr double kMinDate = -657434.0;  // 1 January 100
  static constexpr double kMaxDate = 2958465.0;  // 31 December 9999
  static constexpr UINT kCalendarBitmap = 20028;

  CGXBDateTimeFields();
  virtual ~CGXBDateTimeFields();
  CGXBDateTimeFields(const CGXBDateTimeFields&) = delete;
  CGXBDateTimeFields& operator=(const CGXBDateTimeFields&) = delete;

  // Value and range.
  BOOL SetDateTime(const COleDateTime& value);
  const COleDateTime& GetDateTime() const { return value_; }
  BOOL SetRange(const COleDateTime& minimum, const COleDateTime& maximum, int mode);
  const COleDateTime& GetMinimum() const { return min_; }
  const COleDateTime& GetMaximum() const { return max_; }
  int GetMode() const { return mode_; }
  BOOL IsInRange(const COleDateTime& value) const;
  void ApplyDateTime(const COleDateTime& value);
  void UpdateGadgets(UINT mask);

  // Fields.
  void SetFormatType(int type);
  int GetFormatType() const { return formatType_; }
  void SetCustomFormat(const CString& picture);
  CString GetFormatString() const;
  void SetNoEdit(UINT mask);
  UINT GetNoEdit() const { return noEdit_; }
  // Makes the calendar button and the spin (as the style asks) and the
  // fields of the picture; the window does this once it exists.
  void CreateGadgets();
  // Replaces the fields after the fixed ones by those of the picture.
  void RebuildGadgets();
  BOOL FormatHasDateFields() const { return hasDateFields_; }
  const CGXBDTGadgetArray& GetGadgets() const { return gadgets_; }
  int GetCurrentGadget() const { return current_; }
  int GetFixedCount() const { return fixedCount_; }
  BOOL IsFirstEditableGadget() const { return NextEditable(current_, -1) < 0; }
  BOOL IsLastEditableGadget() const { return NextEditable(current_, +1) < 0; }
  // The next editable gadget after (dir +1) or before (dir -1) `from`; -1 when none.
  int NextEditable(int from, int dir) const;
  int FirstEditable() const { return NextEditable(fixedCount_ - 1, +1); }
  int LastEditable() const;
  // Moves the focus state to gadget `index`.
  void MoveToGadget(int index);
  void ResetGadgetState();

  // Input, as the window's handlers pass it on.
  void FieldKeyDown(UINT key, BOOL shift);
  void FieldChar(UINT ch);

  UINT GetFlags() const { return flags_; }
  void SetModified(BOOL on) { flags_ = on ? (flags_ | kModified) : (flags_ & ~kModified); }
  BOOL IsPM() const { return pm_; }
  DWORD m_dwStyle = 0;
  BOOL m_bAutoAdvance = TRUE;
  UINT m_nButtonBitmap = kCalendarBitmap;

  // What the gadgets call.
  virtual int OnGadgetNotify(int code, int id, int value);
  virtual void InvalidateGadget(CGXBDTGadget* /*gadget*/, BOOL /*update*/) {}
  virtual void CaptureGadget(CGXBDTGadget* gadget) { capture_ = gadget; }
  virtual void ReleaseGadget() { capture_ = nullptr; }
  CGXBDTGadget* GetCaptureGadget() const { return capture_; }
  virtual void Beep();

  // Hooks.
  virtual BOOL GetAutoAdvance() { return m_bAutoAdvance; }
  virtual BOOL ValidateDateTime(COleDateTime& value, int level);
  virtual BOOL CanAcceptDateTime(const COleDateTime& /*value*/) { return TRUE; }
  virtual void NotifyChanged() {}
  virtual int GetCenturyForTwoDigitYear(int year);
  virtual BOOL OpenCalendar() { return TRUE; }
  // After the value changed through a field: the window repaints at once.
  virtual void UpdateNow() {}
  // The focused field is scrolled into view.
  virtual void EnsureVisible(int /*index*/) {}
  // The picture for a format type from the user's locale.
  virtual CString GetLocalePicture(int type) const;

  // Field rules; 1 when accepted (or, for kQuery, acceptable).
  int OnHourNotify(int code, int id, int value);
  int OnMinuteNotify(int code, int id, int value);
  int OnSecondNotify(int code, int id, int value);
  int OnAmPmNotify(int code, int id, int value);
  int OnDayNotify(int code, int id, int value);
  int OnMonthNotify(int code, int id, int value);
  int OnYearNotify(int code, int id, int value);

 protected:
  // Adds a fixed gadget (calendar button, spin) before the fields.
  void AddFixedGadget(CGXBDTGadget* gadget);
  // Stores a candidate value after the checks every field rule shares.
  int Commit(int code, COleDateTime candidate, int level);
  int Finish(int code, GXDateTimeParts parts, int level, bool fitDay);

  COleDateTime value_;
  COleDateTime min_{kMinDate};
  COleDateTime max_{kMaxDate};
  int mode_ = kNoValidation;
  int formatType_ = kShortDate;
  CString custom_;
  UINT noEdit_ = 0;
  UINT flags_ = 0;
  BOOL pm_ = FALSE;
  BOOL hasDateFields_ = FALSE;
  CGXBDTGadgetArray gadgets_;
  int current_ = 0;
  int fixedCount_ = 0;
  CGXBDTGadget* capture_ = nullptr;
  // Whether the gadgets exist (the window was created); rebuilding waits
  // for it.
  BOOL built_ = FALSE;
};
