// The elements of a date-time field row: numeric fields, name lists,
// literal texts, the spin buttons and the calendar button. They are not
// windows: each measures and draws itself in its owner's client area,
// takes the owner's input while it is current or holds the mouse, and
// tells the owner everything it wants done to the value.
#pragma once

#include "grid/controls/GXDateTimeFields.h"
#include "platform/base/CObject.h"
#include "platform/base/Collections.h"
#include "platform/base/Geometry.h"
#include "platform/gfx/GdiObject.h"

class CDC;

class CGXBDTGadget : public CObject {
 public:
  // Style bits.
  static constexpr UINT kEditable = 1;
  static constexpr UINT kTakesMouse = 2;
  static constexpr UINT kFixed = 4;

  CGXBDTGadget() = default;
  ~CGXBDTGadget() override;

  void Init(CGXBDateTimeFields* owner, int id) {
    owner_ = owner;
    id_ = id;
  }
  virtual void CalcSize(CDC* dc) = 0;
  virtual void Draw(CDC* dc) = 0;
  virtual BOOL SetFocus(BOOL on);
  virtual void OnKeyDown(UINT /*key*/) {}
  virtual void OnChar(UINT /*ch*/) {}
  virtual void OnLButtonDown(UINT /*flags*/, CPoint /*point*/) {}
  virtual void OnLButtonUp(UINT /*flags*/, CPoint /*point*/) {}
  virtual void OnMouseMove(UINT /*flags*/, CPoint /*point*/) {}
  virtual void CancelMode() {}
  virtual void OnTimer() {}
  virtual void OnSysColorChange() {}

  const CRect& GetRect() const { return rect_; }
  void SetRect(const CRect& r) { rect_ = r; }
  int GetId() const { return id_; }
  int GetValue() const { return value_; }
  void SetValue(int value) { value_ = value; }
  UINT GetStyle() const { return style_; }
  void SetStyle(UINT style) { style_ = style; }
  BOOL IsEditable() const { return (style_ & kEditable) != 0; }
  BOOL HasFocus() const { return focus_; }

 protected:
  int Notify(int code, int id, int value) { return owner_ != nullptr ? owner_->OnGadgetNotify(code, id, value) : 0; }
  int Notify(int code, int value = 0) { return Notify(code, id_, value); }
  void Invalidate(BOOL update = FALSE) {
    if (owner_ != nullptr) owner_->InvalidateGadget(this, update);
  }
  void Beep() {
    if (owner_ != nullptr) owner_->Beep();
  }
  void StartTimer(UINT ms);
  void StopTimer();
  BOOL HasTimer() const;
  void Capture() {
    if (owner_ != nullptr) owner_->CaptureGadget(this);
  }
  void Release() {
    if (owner_ != nullptr) owner_->ReleaseGadget();
  }

  CRect rect_;
  BOOL focus_ = FALSE;
  UINT style_ = kEditable;
  int id_ = -1;
  int value_ = 0;
  CGXBDateTimeFields* owner_ = nullptr;
};

class CGXBDTNumericGadget : public CGXBDTGadget {
 public:
  void Init(CGXBDateTimeFields* owner, int minimum, int maximum, int value, BOOL leadingZero, int id);
  void CalcSize(CDC* dc) override;
  void Draw(CDC* dc) override;
  BOOL SetFocus(BOOL on) override;
  void OnKeyDown(UINT key) override;
  void OnChar(UINT ch) override;
  void CancelMode() override { Commit(); }
  // Hands the typed number to the owner; FALSE when it was refused.
  BOOL Commit();
  // The text shown: the typed digits while typing, else the value.
  CString GetText() const;
  BOOL IsTyping() const { return typed_ > 0; }
  int GetPending() const { return pending_; }
  int GetDigits() const { return digits_; }
  BOOL HasLeadingZero() const { return leadingZero_; }

 private:
  int minimum_ = 0;
  int maximum_ = 0;
  int digits_ = 1;
  int pending_ = 0;
  int typed_ = 0;
  BOOL leadingZero_ = FALSE;
};

class CGXBDTListGadget : public CGXBDTGadget {
 public:
  static constexpr UINT kTypeAheadMs = 2000;
  void Init(CGXBDateTimeFields* owner, const CStringArray& items, int value, int id);
  void CalcSize(CDC* dc) override;
  void Draw(CDC* dc) override;
  BOOL SetFocus(BOOL on) override;
  void OnKeyDown(UINT key) override;
  void OnChar(UINT ch) override;
  void OnTimer() override;
  // The first item from `start` on (wrapping once) that begins with
  // `prefix` and that the owner accepts becomes the value; -1 when none.
  int SelectMatchingItem(const CString& prefix, int start);
  CString GetText() const;
  const CStringArray& GetItems() const { return items_; }
  const CString& GetPrefix() const { return prefix_; }

 private:
  CStringArray items_;
  CString prefix_;
};

class CGXBDTStaticGadget : public CGXBDTGadget {
 public:
  void Init(CGXBDateTimeFields* owner, const CString& text, int id = -1);
  void CalcSize(CDC* dc) override;
  void Draw(CDC* dc) override;
  const CString& GetText() const { return text_; }

 private:
  CString text_;
};

class CGXBDTSpinGadget : public CGXBDTGadget {
 public:
  enum State : UINT { kUpPressed = 1, kDownPressed = 2, kTrackUp = 4, kTrackDown = 8, kTimer = 0x10, kFirstDelay = 0x20 };
  static constexpr UINT kFirstDelayMs = 500;
  static constexpr UINT kRepeatMs = 100;
  void Init(CGXBDateTimeFields* owner, int id);
  void CalcSize(CDC* dc) override;
  void Draw(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void CancelMode() override;
  void OnTimer() override;
  UINT GetState() const { return state_; }
  int GetRepeatCount() const { return repeat_; }

 private:
  BOOL InUpperHalf(CPoint point) const { return point.y <= rect_.top + rect_.Height() / 2; }
  UINT state_ = 0;
  int repeat_ = 0;
};

class CGXBDTButtonGadget : public CGXBDTGadget {
 public:
  enum State : UINT { kTracking = 1, kPressed = 2 };
  BOOL Init(CGXBDateTimeFields* owner, UINT bitmapId, int id);
  void CalcSize(CDC* dc) override;
  void Draw(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void CancelMode() override;
  void OnSysColorChange() override;
  UINT GetState() const { return state_; }

 private:
  UINT state_ = 0;
  CBitmap bitmap_;
  UINT bitmapId_ = 0;
};

// One spin button: raised or pressed, an arrow up or down.
void GXDrawSpinArrowButton(CDC* dc, const CRect& rect, BOOL down, BOOL pressed);
// Localised names: day 1 Sunday .. 7 Saturday, month 1 .. 12.
BOOL GXGetDayName(int day, BOOL full, CString& name);
BOOL GXGetMonthName(int month, BOOL full, CString& name);
