// A month shown as six weeks of day boxes under a title and a bar of
// weekday names. The user pages through months and years with the title's
// buttons or the keyboard, selects a date by clicking it or moving the
// keyboard cursor, and marks dates with the right button. The owner hears
// of selections, marks and the final choice through posted messages.
#pragma once

#include <set>

#include "grid/controls/GXCalendarPanels.h"
#include "platform/framework/CWnd.h"

// Posted to the owner.
constexpr UINT WM_GX_CAL_SELECTED = 0x7D5;   // wParam 1 selected / 0 not, lParam the day box
constexpr UINT WM_GX_CAL_MARKED = 0x7D6;     // wParam 1 marked / 0 not, lParam the day box
constexpr UINT WM_GX_CAL_CHOSEN = 0x7D7;     // the user chose a date
constexpr UINT WM_GX_CAL_CANCELLED = 0x7D8;  // the user cancelled

class CGXBCalendar : public CWnd {
 public:
  // Style bits.
  enum Style : DWORD {
    kChooseOnRelease = 0x100, kOtherMonthsLive = 0x200, kSelectable = 0x4000, kMarkable = 0x8000,
    kFitFonts = 0x10000, kSizeToContent = 0x20000, kChooseOnSelect = 0x40000, kMonthButtons = 0x80000,
    kYearButtons = 0x100000, kKeyboard = 0x200000, kFixedMonth = 0x400000, kResizable = 0x800000,
    kClickSelects = 0x1000000
  };
  static constexpr int kBoxes = 42;

  CGXBCalendar();
  ~CGXBCalendar() override;

  using CWnd::Create;
  virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
  virtual BOOL NextDay(BOOL moveSelection);
  virtual BOOL PrevDay(BOOL moveSelection);
  virtual BOOL NextWeek(BOOL moveSelection);
  virtual BOOL PrevWeek(BOOL moveSelection);
  virtual BOOL NextMonth(BOOL moveSelection);
  virtual BOOL PrevMonth(BOOL moveSelection);
  virtual BOOL NextYear(BOOL moveSelection);
  virtual BOOL PrevYear(BOOL moveSelection);
  virtual BOOL MoveSelectionBySeconds(long long seconds);
  virtual BOOL MoveSelection(const COleDateTimeSpan& span);
  virtual BOOL MoveDisplayBySeconds(long long seconds);
  virtual BOOL MoveDisplay(const COleDateTimeSpan& span);
  virtual BOOL MarkDate(const COleDateTime& date, BOOL on);
  virtual BOOL SelectDate(const COleDateTime& date, BOOL on);
  virtual BOOL ToggleSelection(const COleDateTime& date);
  virtual BOOL ToggleMark(const COleDateTime& date);
  virtual BOOL IsValidMonth(int year, int month, int day) const;
  virtual void LoadColors();
  virtual void Refuse();
  virtual UINT GetClassStyle() { return CS_DBLCLKS; }

  BOOL SetDisplayDate(const COleDateTime& date, BOOL redraw);
  const COleDateTime& GetDisplayDate() const { return displayed_; }
  CGXBDayBox* GetCurrentBox() { return current_ >= 0 ? &boxes_[current_] : nullptr; }
  COleDateTime GetCurrentDate() const;
  BOOL HasSelection() const { return hasSelection_; }
  const COleDateTime& GetSelectedDate() const { return selected_; }
  const COleDateTime& GetFocusDate() const { return focus_; }
  void SetStyle(DWORD style) { style_ = style; }
  DWORD GetStyle() const { return style_; }
  void SetInMonthLook(DWORD look) { inLook_ = look; }
  void SetOutOfMonthLook(DWORD look) { outLook_ = look; }
  DWORD GetOutOfMonthLook() const { return outLook_; }
  BOOL IsMarkedDate(const COleDateTime& date) const;
  size_t GetMarkCount() const { return marks_.size(); }
  CGXBDayBox& GetBox(int index) { return boxes_[index]; }
  CGXBDayBar& GetDayBar() { return bar_; }
  CGXBCalTitle& GetTitle() { return title_; }
  // The owner that hears of the calendar's choices.
  void SetOwnerWindow(HWND owner) { owner_ = owner; }

  // What a click on a day box does.
  void ClickBox(int index);
  void DoubleClickBox(int index);
  void RightClickBox(int index);
  int BoxFromPoint(CPoint point) const;
  // Posts the choice (or the cancel) to the owner and hides.
  void Choose(WPARAM wParam = 0, LPARAM lParam = 0);
  void Cancel();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnCancelMode() override;
  LRESULT OnNcHitTest(CPoint point) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnSysColorChange() override;
  UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  void Layout();
  void FitFonts();
  void RefillBoxes();
  void Post(UINT message, WPARAM wParam, LPARAM lParam);
  // The date a month or year step lands on from `from`.
  static BOOL MonthStep(const COleDateTime& from, int direction, COleDateTime& to);
  BOOL YearStep(const COleDateTime& from, int direction, COleDateTime& to);
  BOOL Step(BOOL moveSelection, const COleDateTime& target, BOOL reselect);
  COleDateTime Reference(BOOL moveSelection) const;
  void ReleaseTracking();

  CGXBDayBar bar_;
  CGXBCalTitle title_;
  int ring_ = 2;
  HWND owner_ = nullptr;
  BOOL created_ = FALSE;
  COleDateTime displayed_;
  COleDateTime selected_;
  BOOL hasSelection_ = FALSE;
  COleDateTime focus_;
  CGXBDayBox boxes_[kBoxes];
  int current_ = -1;
  BOOL tracking_ = FALSE;
  COleDateTime saved_;
  BOOL hasSaved_ = FALSE;
  std::set<double> marks_;
  LOGFONT titleLog_{};
  LOGFONT barLog_{};
  LOGFONT dayLog_{};
  CFont titleFont_;
  CFont barFont_;
  CFont dayFont_;
  COLORREF textColor_ = 0;
  COLORREF greyColor_ = 0;
  DWORD outLook_ = 0x101;
  DWORD inLook_ = 0x1000017F;
  DWORD style_ = 0x39C000;
};
