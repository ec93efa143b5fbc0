// The pieces a month calendar is drawn from: a title with the month and
// year and its paging buttons, a bar of weekday names and 42 day boxes.
// A panel is a rectangle object, not a window: it draws a 3-D framed cell
// with a text, can be selected (sunken) and marked (a coloured ring),
// hit-tests points and measures the font size that fits it.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/CTime.h"
#include "platform/base/Geometry.h"
#include "platform/controls/CtlButton.h"
#include "platform/gfx/GdiObject.h"

class CDC;
class CWnd;

class CGXBPanel : public CObject {
 public:
  // Look bits.
  enum Look : DWORD {
    kBevelSelected = 0x02, kBevelNormal = 0x04, kFrameSelected = 0x08, kFrameNormal = 0x10, kMarkSelected = 0x20,
    kMarkNormal = 0x40, kCentered = 0x80, kGreyOutside = 0x100, kFullMonthNames = 0x10000000,
    kFullDayNames = 0x20000000
  };
  // Style bits a panel reads.
  static constexpr DWORD kStyleDoubleClickChooses = 0x100;
  static constexpr DWORD kStyleOtherMonthsLive = 0x200;
  static constexpr DWORD kStyleSelectable = 0x4000;
  static constexpr DWORD kStyleMarkable = 0x8000;

  CGXBPanel() = default;
  ~CGXBPanel() override = default;

  void Init(const CRect& rect, CWnd* owner, BOOL selected, BOOL marked, DWORD look, DWORD style, int ringWidth);
  virtual void DrawMarkRing(CDC* dc);
  virtual void Draw(CDC* dc);
  virtual void DrawBevel(CDC* dc);
  virtual void DrawFrame(CDC* dc);
  virtual void DrawBackground(CDC* dc);
  virtual void DrawContent(CDC* dc);

  CRect SetRect(const CRect& rect);
  const CRect& GetRect() const { return rect_; }
  CRect GetContentRect();
  DWORD SetLook(DWORD look);
  DWORD GetLook() const { return look_; }
  DWORD SetStyle(DWORD style);
  DWORD GetStyle() const { return style_; }
  int SetRingWidth(int width);
  // FALSE when the panel refuses (marks need the markable bit).
  BOOL SetSelected(BOOL on, BOOL redraw);
  BOOL SetMarked(BOOL on, BOOL redraw);
  BOOL IsSelected() const { return selected_; }
  BOOL IsMarked() const { return marked_; }
  void SetText(const CString& text) { text_ = text; }
  const CString& GetText() const { return text_; }
  void SetTextColor(COLORREF c) { textColor_ = c; }
  void SetGreyColor(COLORREF c) { greyColor_ = c; }
  BOOL HitTest(CPoint point) const { return rect_.PtInRect(point); }
  BOOL IsInitialized() const { return initialized_; }
  // The insets of the current state: frame, bevel and mark ring.
  void GetInsets(int& frame, int& bevel, int& mark);
  // The largest mark inset the panel can reach.
  int GetMaxMarkInset() const;

 protected:
  void RecalcInsets();
  void DrawRing(CDC* dc, int from, int to, COLORREF topLeft, COLORREF bottomRight);
  void Redraw();

  CWnd* owner_ = nullptr;
  DWORD style_ = 0;
  DWORD look_ = 0x17F;
  CString text_;
  CRect rect_;
  int ring_ = 3;
  BOOL selected_ = FALSE;
  BOOL marked_ = FALSE;
  COLORREF frameColor_ = 0;
  COLORREF markColor_ = RGB(255, 0, 0);
  COLORREF textColor_ = 0;
  COLORREF greyColor_ = RGB(128, 128, 128);
  int frameInset_ = 0;
  int bevelInset_ = 0;
  int markInset_ = 0;
  BOOL dirty_ = TRUE;
  BOOL initialized_ = FALSE;
};

class CGXBDayBox : public CGXBPanel {
 public:
  void SetDate(const COleDateTime& date) {
    date_ = date;
    hasDate_ = TRUE;
  }
  const COleDateTime& GetDate() const { return date_; }
  BOOL HasDate() const { return hasDate_; }
  void SetOutsideMonth(BOOL outside) { outside_ = outside; }
  BOOL IsOutsideMonth() const { return outside_; }
  void DrawContent(CDC* dc) override;
  CSize CalcSize(CDC* dc);
  void FitFont(CDC* dc, LOGFONT& font);
  // What the calendar does with a click on the box.
  void OnClick();
  void OnDoubleClick();
  void OnRightClick();

 private:
  COleDateTime date_;
  BOOL outside_ = FALSE;
  BOOL hasDate_ = FALSE;
};

class CGXBDayBar : public CGXBPanel {
 public:
  void DrawContent(CDC* dc) override;
  CSize CalcSize(CDC* dc);
  void FitFont(CDC* dc, LOGFONT& font);
  int GetFirstDayOfWeek() const { return firstDay_; }

 private:
  int firstDay_ = 1;  // Sunday
};

class CGXBCalTitle : public CGXBPanel {
 public:
  enum ButtonId : UINT { kPrevMonth = 20032, kNextMonth = 20029, kPrevYear = 20030, kNextYear = 20031 };
  // Makes the paging buttons (hidden) as children of the calendar.
  void CreateButtons(CWnd* parent, BOOL monthButtons, BOOL yearButtons);
  virtual CRect SetRect(const CRect& rect);
  virtual void SetDate(const COleDateTime& date);
  void Draw(CDC* dc) override;
  CSize CalcSize(CDC* dc);
  void FitFont(CDC* dc, LOGFONT& font);
  CButton* GetButton(int index) { return &buttons_[index]; }

 private:
  void PlaceButtons();
  CButton buttons_[4];  // "<<", "<", ">", ">>"
  BOOL showMonth_ = TRUE;
  BOOL showYear_ = TRUE;
};

// Normalised to 12:00 of its day.
COleDateTime GXNormalizeToNoon(const COleDateTime& date);
