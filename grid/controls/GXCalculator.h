// A four-function calculator drawn by itself in one window: a display line
// above 20 keys. Immediate execution: each operator applies the operation
// that was pending to the accumulator; no precedence, no memory key.
#pragma once

#include <memory>
#include <vector>

#include "platform/Afx.h"
#include "platform/framework/CWnd.h"
#include "platform/base/CString.h"
#include "platform/gfx/GdiObject.h"

class CDC;

// The look of a key.
struct CGXBCalcBtnAttributes {
  HFONT font = nullptr;
  HBITMAP* picture = nullptr;  // the picture's handle, or null for none
  COLORREF textColor = 0;
  DWORD reserved = 0;
};

class CGXBCalcBtn : public CObject {
 public:
  enum Flags : UINT { kPressed = 1, kNewRow = 2 };

  CGXBCalcBtn& SetButton(const CGXBCalcBtnAttributes& look, int id, LPCTSTR label, LPCTSTR keys, int width,
                         BOOL newRow);
  CGXBCalcBtn& SetButton(const CGXBCalcBtnAttributes& look, int id, LPCTSTR label, int width = 1,
                         BOOL newRow = FALSE) {
    return SetButton(look, id, label, label, width, newRow);
  }
  CGXBCalcBtn& SetButton(const CGXBCalcBtnAttributes& look, int id, LPCTSTR label, char key, int width,
                         BOOL newRow);
  CGXBCalcBtn& SetVirtualKey(int vk) {
    virtualKey = vk;
    return *this;
  }
  virtual void Draw(CDC* dc);

  BOOL IsPressed() const { return (flags & kPressed) != 0; }
  void SetPressed(BOOL on) { flags = on ? (flags | kPressed) : (flags & ~kPressed); }

  CGXBCalcBtnAttributes look;
  CString label;
  CString keys;  // lower case
  int virtualKey = 0;
  int width = 1;
  CRect rect;
  UINT flags = 0;
  int id = 0;
};

class CGXBCalculator : public CWnd {
 public:
  // Command ids of the keys.
  enum Command : int {
    kMultiply = 1, kAdd = 2, kSubtract = 3, kDivide = 4, kPercent = 5, kEquals = 6, kClear = 7, kClearEntry = 8,
    kDigit0 = 9, kDigit9 = 18, kSeparator = 19, kBackspace = 20
  };
  // State flag bits.
  enum State : UINT { kCaptured = 1, kLeadByte = 2, kPreset = 4, kError = 8 };
  // Style bits read by the calculator.
  static constexpr DWORD kStyleRaisedFrame = 0x0001;
  static constexpr DWORD kStyleTopLine = 0x0002;

  CGXBCalculator();
  ~CGXBCalculator() override;

  using CWnd::Create;
  BOOL Create(DWORD exStyle, DWORD style, int x, int y, CWnd* parent, UINT id, void* param = nullptr);
  void SetValue(double value);
  void Reset();

  // Slots added after those of the window.
  virtual BOOL CreateButtons(CWnd* parent);
  virtual BOOL CreateDisplayFont(CWnd* parent);
  virtual int HandleCommand(int id);
  virtual CString GetDecimalSeparator();
  virtual UINT GetClassStyle() { return 0; }
  virtual void Draw(CDC* dc);

  int OnDigit(int id);
  int OnDecimalSeparator(int id);
  int OnBackspace(int id);
  int OnOperator(int id);
  int OnClear(int id);
  int OnClearEntry(int id);
  void PressButton(int index);

  // Keys, fonts and layout, as the first creation builds them; callable
  // before a window exists.
  void PrepareLayout(CWnd* parent, DWORD style);

  const CString& GetEntryText() const { return entry_; }
  CString GetDisplayText() const;
  double GetAccumulator() const { return accumulator_; }
  BOOL IsError() const { return (flags_ & kError) != 0; }
  int GetPendingOperation() const { return pending_; }
  int GetCapacity() const { return capacity_; }
  int GetDecimals() const { return decimals_; }
  const CString& GetSeparator() const { return separator_; }
  const std::vector<std::unique_ptr<CGXBCalcBtn>>& GetButtons() const { return buttons_; }
  int FindButtonByKey(const CString& typed) const;
  const CRect& GetDisplayRect() const { return display_; }

 protected:
  // The digits of a number text before and after the separator, a leading
  // minus sign not counted.
  struct NumberParts {
    int separator = -1;
    int integerDigits = 0;
    int fractionDigits = 0;
    bool leadingZero = false;
  };
  NumberParts SplitNumber(const CString& text) const;
  // In the error state a key beeps and does nothing.
  BOOL RefusedInError();
  // The first key of a new number clears what the display showed.
  void StartEntry();
  void FormatValue();
  CString PrintNumber(int places) const;
  void CalcLayout(DWORD style);
  void CalcDisplayCapacity();
  void DrawDisplay(CDC* dc);
  void RedrawDisplay();
  void RedrawButton(int index);
  void Beep();
  int ButtonFromPoint(CPoint point) const;
  void LoadPicture();

  void OnPaint() override;
  void OnSysColorChange() override;
  void OnNcPaint() override;
  void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnCancelMode() override;
  UINT OnGetDlgCode() override;
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }

  char leadByte_ = 0;
  UINT flags_ = 0;
  double accumulator_ = 0;
  int pending_ = 0;
  BOOL newEntry_ = TRUE;
  int decimals_ = 15;
  int capacity_ = 0;
  CRect display_;
  CString entry_;
  CString separator_;
  CFont keyFont_;
  CFont displayFont_;
  HBITMAP picture_ = nullptr;
  int keyWidth_ = 0;
  int keyHeight_ = 0;
  int topMargin_ = 1;
  int leftMargin_ = 4;
  int rowGap_ = 1;
  int keyGap_ = 0;
  int held_ = -1;
  std::vector<std::unique_ptr<CGXBCalcBtn>> buttons_;
  CSize clientSize_;
  DWORD style_ = 0;
  BOOL isPopup_ = FALSE;  // Tab stays inside a drop-down calculator
};

// Key size and the like: dialog units of a font in pixels.
CSize GXDialogUnitsToPixels(CFont* font, CSize units);
