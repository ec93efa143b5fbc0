#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "grid/GridWindowTest.h"
#include "grid/controls/GXPopupCalculator.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "platform/draw_canvas.h"
#include "platform/testing/Automation.h"
#include "platform/framework/CWnd.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Window.h"

namespace {

// Runs a key sequence through the command handler: digits, '.', + - * / %,
// '=' equals, 'c' clear, 'e' clear entry, '<' backspace.
void Keys(CGXBCalculator& calc, const std::string& keys) {
  for (char k : keys) {
    int id = 0;
    switch (k) {
      case '+': id = CGXBCalculator::kAdd; break;
      case '-': id = CGXBCalculator::kSubtract; break;
      case '*': id = CGXBCalculator::kMultiply; break;
      case '/': id = CGXBCalculator::kDivide; break;
      case '%': id = CGXBCalculator::kPercent; break;
      case '=': id = CGXBCalculator::kEquals; break;
      case 'c': id = CGXBCalculator::kClear; break;
      case 'e': id = CGXBCalculator::kClearEntry; break;
      case '<': id = CGXBCalculator::kBackspace; break;
      case '.': id = CGXBCalculator::kSeparator; break;
      default: id = CGXBCalculator::kDigit0 + (k - '0'); break;
    }
    calc.HandleCommand(id);
  }
}

// A plain top-level window class for owners and parents.
const char* FrameClass() { return gridtest::FrameClass("GridTestFrame"); }

class Calculator : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    calc.PrepareLayout(nullptr, 0);
  }
  void TearDown() override { automation::ResetWindows(); }
  bool OpenParent() {
    return parent.CreateEx(0, FrameClass(), "Owner", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 300, 300, nullptr, nullptr);
  }
  CGXBCalculator calc;
  CWnd parent;
};

TEST_F(Calculator, LayoutHoldsTwentyKeysAndARoomyDisplay) {
  ASSERT_EQ(calc.GetButtons().size(), 20u);
  EXPECT_EQ(calc.GetSeparator(), ".");
  EXPECT_GE(calc.GetCapacity(), 10);
  EXPECT_EQ(calc.GetDecimals(), std::min(15, calc.GetCapacity()));
  const auto& keys = calc.GetButtons();
  EXPECT_EQ(keys[16]->rect.Width(), 2 * keys[12]->rect.Width()) << "the 0 key is two keys wide";
  EXPECT_EQ(keys[19]->rect.Width(), calc.GetDisplayRect().Width()) << "Enter spans the row";
  EXPECT_EQ(keys[0]->rect.left, calc.GetDisplayRect().left);
}

TEST_F(Calculator, KeySequences) {
  struct Case {
    const char* keys;
    const char* display;
  } cases[] = {
      {"", "0."},
      {"7+3=", "10."},
      {"7+3*2=", "20."},
      {"200*10%", "20."},
      {"200/10%", "20."},
      {"200+10%", "0."},
      {"5+*", "10."},
      {"12.5+0.25=", "12.75"},
      {"0", "0."},
      {"007", "7."},
      {"12=3", "3."},
      {"12=<", "12."},
      {"123<", "12."},
      {"1..5", "1.5"},
      {"9-12=", "-3."},
      {"5/0=", "Error "},
      {"5/0=7", "Error "},
      {"5/0=c", "0."},
      {"5/0=e4", "4."},
      {"8+5e2=", "10."},
      {"99999999999*99999=", "Error "},
  };
  for (const auto& c : cases) {
    CGXBCalculator k;
    k.PrepareLayout(nullptr, 0);
    Keys(k, c.keys);
    EXPECT_EQ(std::string(k.GetDisplayText()), c.display) << "keys " << c.keys;
  }
}

TEST_F(Calculator, OneThirdFillsTheDisplay) {
  Keys(calc, "1/3=");
  const std::string shown(calc.GetDisplayText());
  const int limit = std::min(calc.GetCapacity(), 16);
  EXPECT_EQ(shown, "0." + std::string(static_cast<std::size_t>(limit - 1), '3'));
}

TEST_F(Calculator, RefusedKeysBeep) {
  Keys(calc, "5/0=");
  const std::size_t before = automation::Beeps().size();
  Keys(calc, "7.<+");
  EXPECT_EQ(automation::Beeps().size(), before + 4);
  Keys(calc, "1234567890123");
  EXPECT_EQ(automation::Beeps().size(), before + 4 + 13) << "still in the error state";
  Keys(calc, "c1234567890123");
  EXPECT_EQ(std::string(calc.GetEntryText()), "1234567890123");
  Keys(calc, "4");
  EXPECT_EQ(std::string(calc.GetEntryText()), "1234567890123") << "no fourteenth integer digit";
}

TEST_F(Calculator, PresetValueSurvivesCreation) {
  ASSERT_TRUE(OpenParent());
  CGXBCalculator c;
  c.SetValue(12.5);
  ASSERT_TRUE(c.Create(0, WS_CHILD | WS_VISIBLE, 5, 5, &parent, 100));
  EXPECT_EQ(std::string(c.GetDisplayText()), "12.5");
  Keys(c, "3");
  EXPECT_EQ(std::string(c.GetDisplayText()), "3.") << "typing replaces the shown value";
}

TEST_F(Calculator, WindowByKeysAndMouse) {
  ASSERT_TRUE(OpenParent());
  CGXBCalculator c;
  ASSERT_TRUE(c.Create(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, &parent, 100));
  c.SetFocus();
  automation::PumpUntilIdle();
  automation::TypeText("12+30=");
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(c.GetDisplayText()), "42.");
  automation::TypeText("C");
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(c.GetDisplayText()), "0.");

  // Clicking 7, then pressing on 8 and leaving it before the release.
  const auto& keys = c.GetButtons();
  automation::Click(c.m_hWnd, keys[4]->rect.CenterPoint());
  automation::MouseDown(c.m_hWnd, keys[5]->rect.CenterPoint());
  automation::MouseMove(c.m_hWnd, keys[0]->rect.CenterPoint());
  automation::MouseUp(c.m_hWnd, keys[0]->rect.CenterPoint());
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(c.GetDisplayText()), "7.");
  EXPECT_FALSE(keys[5]->IsPressed());
  automation::PressKey(VK_DELETE);
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(c.GetDisplayText()), "0.");

  // The display shows the entry in black on the button face.
  const CRect d = c.GetDisplayRect();
  bool ink = false;
  for (int x = d.left + 2; x < d.right - 2; ++x)
    for (int y = d.top + 2; y < d.bottom - 2; ++y) ink = ink || automation::PixelAt(c.m_hWnd, x, y) != GetSysColor(COLOR_BTNFACE);
  EXPECT_TRUE(ink);
}

// An owner field that records what the pop-up sends.
// With `takeFocus` it takes the focus while it handles the result, as the
// currency edit and the register's amount cell do.
class ResultField : public CWnd {
 public:
  std::vector<std::string> results;
  bool takeFocus = false;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_GX_CALCULATOR_RESULT) {
      results.emplace_back(reinterpret_cast<LPCTSTR>(lParam));
      if (takeFocus) SetFocus();
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class PopupCalculator : public Calculator {
 protected:
  void SetUp() override {
    Calculator::SetUp();
    ASSERT_TRUE(frame.CreateEx(0, FrameClass(), "Dialog", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr));
    ASSERT_TRUE(field.CreateEx(0, "edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, frame.m_hWnd, nullptr));
  }
  CGXBPopupCalculator* Open(const RECT& fieldScreen, double value) {
    auto* popup = new CGXBPopupCalculator;
    popup->m_bAutoDelete = TRUE;
    if (!popup->CreatePopup(0x90000010, fieldScreen, &field)) {
      delete popup;
      return nullptr;
    }
    popup->SetOwner(&field);
    popup->SetValue(value);
    automation::PumpUntilIdle();
    return popup;
  }
  RECT FieldOnScreen() {
    CRect r;
    field.GetWindowRect(&r);
    return r;
  }
  CWnd frame;
  ResultField field;
};

TEST_F(PopupCalculator, EnterSendsTheResultAndCloses) {
  CGXBPopupCalculator* popup = Open(FieldOnScreen(), 12);
  ASSERT_NE(popup, nullptr);
  HWND h = popup->m_hWnd;
  CRect r;
  popup->GetWindowRect(&r);
  EXPECT_EQ(r.top, FieldOnScreen().bottom) << "opens under the field";
  EXPECT_EQ(r.left, FieldOnScreen().left);
  automation::TypeText("*2");
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(field.results, std::vector<std::string>{"24."});
}

// A locale with a decimal comma: the owner still gets a "." to parse.
class CommaCalculator : public CGXBPopupCalculator {
 public:
  CString GetDecimalSeparator() override { return ","; }
};

TEST_F(PopupCalculator, ResultUsesAPointWhateverTheLocale) {
  auto* popup = new CommaCalculator;
  popup->m_bAutoDelete = TRUE;
  ASSERT_TRUE(popup->CreatePopup(0x90000010, FieldOnScreen(), &field));
  popup->SetOwner(&field);
  popup->SetValue(2.5);
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(popup->GetDisplayText()).find(','), 1u);
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_EQ(field.results, std::vector<std::string>{"2.5"});
}

TEST_F(PopupCalculator, EqualsKeyAndEscape) {
  CGXBPopupCalculator* popup = Open(FieldOnScreen(), 0);
  ASSERT_NE(popup, nullptr);
  automation::TypeText("12=");
  automation::PumpUntilIdle();
  EXPECT_EQ(field.results, std::vector<std::string>{"12."});

  popup = Open(FieldOnScreen(), 5);
  ASSERT_NE(popup, nullptr);
  HWND h = popup->m_hWnd;
  automation::PressKey(VK_ESCAPE);
  automation::PumpUntilIdle();
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(field.results.size(), 1u) << "Escape sends nothing";
}

TEST_F(PopupCalculator, ErrorClosesWithoutResultAndFocusLossCloses) {
  CGXBPopupCalculator* popup = Open(FieldOnScreen(), 5);
  ASSERT_NE(popup, nullptr);
  HWND h = popup->m_hWnd;
  automation::TypeText("/0");
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_TRUE(field.results.empty());

  popup = Open(FieldOnScreen(), 5);
  ASSERT_NE(popup, nullptr);
  h = popup->m_hWnd;
  field.SetFocus();
  automation::PumpUntilIdle();
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_TRUE(field.results.empty());
}

// The owner's focus change closes the pop-up while it still sends; it must
// not touch itself afterwards (the sanitizer build catches that).
TEST_F(PopupCalculator, AnOwnerTakingTheFocusForTheResultClosesItOnce) {
  field.takeFocus = true;
  struct Case {
    const char* keys;
    int key;
  };
  const Case cases[] = {{"3*3", VK_RETURN}, {"4*4=", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    field.results.clear();
    CGXBPopupCalculator* popup = Open(FieldOnScreen(), 0);
    ASSERT_NE(popup, nullptr);
    HWND h = popup->m_hWnd;
    automation::TypeText(c.keys);
    if (c.key != 0) automation::PressKey(c.key);
    automation::PumpUntilIdle();
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(field.results.size(), 1u);
  }
}

TEST_F(PopupCalculator, FieldsAtTheScreenEdgesOpenAboveOrAligned) {
  RECT work{};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  const RECT low{work.right - 60, work.bottom - 20, work.right - 5, work.bottom - 2};
  CGXBPopupCalculator* popup = Open(low, 1);
  ASSERT_NE(popup, nullptr);
  CRect r;
  popup->GetWindowRect(&r);
  EXPECT_EQ(r.bottom, low.top) << "above the field";
  EXPECT_EQ(r.right, low.right) << "aligned to the field's right edge";
  automation::PressKey(VK_ESCAPE);
  automation::PumpUntilIdle();
}

}  // namespace

namespace {

TEST(GridLibraryBitmaps, PicturesFollowTheSystemColours) {
  CBitmap equals;
  ASSERT_TRUE(GXLoadResourceBitmap(equals, 20037));
  BITMAP bm{};
  equals.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidth, 17);
  EXPECT_EQ(bm.bmHeight, 10);
  CBitmap arrow;
  ASSERT_TRUE(GXLoadResourceBitmap(arrow, 20028));
  arrow.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidth, 7);
  EXPECT_EQ(bm.bmHeight, 4);
  CBitmap none;
  EXPECT_FALSE(GXLoadResourceBitmap(none, 1));

  drawtest::Canvas c(17, 10);
  CDC mem;
  mem.CreateCompatibleDC(&c.dc);
  CBitmap* old = mem.SelectObject(&equals);
  c.dc.BitBlt(0, 0, 17, 10, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(c.At(8, 2), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(c.At(8, 4), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(c.At(8, 7), GetSysColor(COLOR_BTNTEXT));
}

}  // namespace

namespace {

TEST(GridLibraryBitmaps, CheckBoxAndRadioStrips) {
  struct {
    UINT id;
    int w, h;
  } sizes[] = {{20024, 65, 13}, {20025, 65, 13}, {20026, 65, 13}, {20019, 70, 39}};
  for (auto s : sizes) {
    CBitmap b;
    ASSERT_TRUE(GXLoadResourceBitmap(b, s.id)) << s.id;
    BITMAP bm{};
    b.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, s.w) << s.id;
    EXPECT_EQ(bm.bmHeight, s.h) << s.id;
  }
  // The flat strip: the checked image holds ink where the unchecked one is white.
  CBitmap flat;
  GXLoadResourceBitmap(flat, 20026);
  drawtest::Canvas c(65, 13);
  CDC mem;
  mem.CreateCompatibleDC(&c.dc);
  CBitmap* old = mem.SelectObject(&flat);
  c.dc.BitBlt(0, 0, 65, 13, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNTEXT)) << "frame";
  EXPECT_EQ(c.At(5, 7), GetSysColor(COLOR_BTNHIGHLIGHT)) << "unchecked interior";
  EXPECT_EQ(c.At(13 + 5, 7), GetSysColor(COLOR_BTNTEXT)) << "the check mark";
  EXPECT_EQ(c.At(52 + 5, 7), GetSysColor(COLOR_BTNSHADOW)) << "undetermined in grey";
}

}  // namespace

namespace {

// Set KESTROVA_CALC_SHOT to a file name to look at the calculator.
TEST(CalculatorPicture, DrawsDisplayAndKeys) {
  automation::ResetWindows();
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, FrameClass(), "Owner", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 300, 300, nullptr, nullptr));
  CGXBCalculator c;
  c.SetValue(1234.5);
  ASSERT_TRUE(c.Create(0, WS_CHILD | WS_VISIBLE | CGXBCalculator::kStyleRaisedFrame, 5, 5, &parent, 100));
  automation::PumpUntilIdle();
  if (const char* shot = std::getenv("KESTROVA_CALC_SHOT")) automation::RenderToPng(c.m_hWnd, shot);
  // Digit labels in dark red, operators in dark blue, on the button face.
  auto inks = [&](const CRect& r, COLORREF ink) {
    int n = 0;
    for (int x = r.left; x < r.right; ++x)
      for (int y = r.top; y < r.bottom; ++y) n += automation::PixelAt(c.m_hWnd, x, y) == ink;
    return n;
  };
  const auto& keys = c.GetButtons();
  EXPECT_GT(inks(keys[4]->rect, RGB(128, 0, 0)), 0) << "7";
  EXPECT_GT(inks(keys[3]->rect, RGB(0, 0, 128)), 0) << "%";
  EXPECT_GT(inks(c.GetDisplayRect(), RGB(0, 0, 0)), 0) << "the display's text";
  automation::ResetWindows();
}

}  // namespace
