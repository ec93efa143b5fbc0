// The rich edit control: runs made by typing and formatting a selection,
// rich text through the streams and the clipboard, find, resize requests,
// drawing on another device, and mouse selection.
#include <string>
#include <vector>

#include "ctl_support.h"
#include "platform/base/Rtf.h"
#include "platform/gfx/Dc.h"
#include "platform/host/Keys.h"
#include "platform/window/Clipboard.h"

using namespace ctltest;

namespace {

class RichEdit : public ControlTest {
 protected:
  CRichEditCtrl& rich(RECT r = RECT{10, 10, 310, 110}, DWORD style = ES_MULTILINE) {
    HWND h = make(RICHEDIT_CLASS, style, r);
    wrappers.push_back(std::make_unique<CRichEditCtrl>());
    wrappers.back()->Attach(h);
    SetFocus(h);
    pump();
    return *wrappers.back();
  }
  void TearDown() override {
    for (auto& w : wrappers) w->Detach();
    ControlTest::TearDown();
  }
  static void key(UINT vk, bool shift = false, bool ctrl = false) {
    automation::PressKey(vk, shift, ctrl);
    pump();
  }
  static void type(const std::string& s) {
    automation::TypeText(s);
    pump();
  }
  static RtfDocument doc(CRichEditCtrl& r) { return ReadRtf(r.StreamOutString()); }
  std::vector<std::unique_ptr<CRichEditCtrl>> wrappers;
};

RtfRun MakeRun(const char* text, bool bold = false, bool italic = false) {
  RtfRun run{text, {}};
  run.format.bold = bold;
  run.format.italic = italic;
  return run;
}

TEST_F(RichEdit, TypingAndFormattingTheSelectionMakeRuns) {
  CRichEditCtrl& r = rich();
  type("Dues paid");
  key(VK_LEFT, true, true);  // selects "paid"
  key('B', false, true);
  key(VK_END);
  type(" today");  // typing goes on in the format before the caret
  key(VK_RETURN);
  key('E', false, true);
  key('I', false, true);  // nothing selected: the next typing is italic
  type("Thanks");

  const RtfDocument d = doc(r);
  ASSERT_EQ(d.paragraphs.size(), 2u);
  EXPECT_EQ(d.paragraphs[0].runs, (std::vector<RtfRun>{MakeRun("Dues "), MakeRun("paid today", true)}));
  EXPECT_EQ(d.paragraphs[1].align, RtfAlign::kCenter);
  EXPECT_EQ(d.paragraphs[1].runs, (std::vector<RtfRun>{MakeRun("Thanks", true, true)}));
  EXPECT_EQ(text(r.m_hWnd), "Dues paid today\r\nThanks");
  EXPECT_TRUE(r.GetModify());

  // A selection over both formats reports bold as mixed, the face as shared.
  r.SetSel(0, 9);
  CHARFORMAT cf;
  r.GetSelectionCharFormat(cf);
  EXPECT_FALSE(cf.dwMask & CFM_BOLD);
  EXPECT_TRUE(cf.dwMask & CFM_FACE);
  EXPECT_STREQ(cf.szFaceName, "Arial");

  // A character format on the selection: colour and size, bold left alone.
  cf = CHARFORMAT();
  cf.dwMask = CFM_COLOR | CFM_SIZE;
  cf.crTextColor = RGB(0, 128, 0);
  cf.yHeight = 280;
  r.SetSelectionCharFormat(cf);
  const RtfRun paid = doc(r).paragraphs[0].runs[1];
  EXPECT_EQ(paid.text, "paid");
  EXPECT_TRUE(paid.format.bold);
  EXPECT_EQ(paid.format.colour, RGB(0, 128, 0));
  EXPECT_EQ(paid.format.halfPoints, 28);

  // Backspace and Delete take characters and selections, read-only nothing.
  r.SetSel(0, 5);
  key(VK_DELETE);
  key(VK_END, false, true);
  key(VK_BACK);
  EXPECT_EQ(text(r.m_hWnd), "paid today\r\nThank");
  r.SetReadOnly(TRUE);
  type("xyz");
  EXPECT_EQ(text(r.m_hWnd), "paid today\r\nThank");
}

TEST_F(RichEdit, RichTextRoundTripsThroughTheWindow) {
  CRichEditCtrl& r = rich();
  const std::string in =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red200\\green0\\blue0;}"
      "\\pard\\qr\\f1\\fs28 Troop \\b\\cf1 funds\\b0\\cf0\\par\\pard C:\\\\temp \\{x\\} caf\\'e9}";
  r.StreamInString(in);
  EXPECT_FALSE(r.GetModify()) << "loading is not an edit";
  EXPECT_EQ(text(r.m_hWnd), "Troop funds\r\nC:\\temp {x} caf\xe9");
  EXPECT_EQ(r.StreamOutString(), WriteRtf(ReadRtf(in)));
  EXPECT_EQ(r.StreamOutString(SF_TEXT), "Troop funds\r\nC:\\temp {x} caf\xe9");

  // Into the selection: the stream's runs replace it and keep their formats.
  r.SetSel(6, 11);
  r.StreamInString("{\\rtf1\\ansi \\i money}", SF_RTF | SFF_SELECTION);
  const RtfDocument d = doc(r);
  EXPECT_EQ(d.PlainText(), "Troop money\r\nC:\\temp {x} caf\xe9");
  EXPECT_TRUE(d.paragraphs[0].runs.back().format.italic);
  EXPECT_EQ(d.paragraphs[0].align, RtfAlign::kRight);
  EXPECT_EQ(ReadRtf(r.StreamOutString(SF_RTF | SFF_SELECTION)).PlainText(), "") << "the caret follows the insertion";
  r.SetSel(6, 11);
  EXPECT_EQ(ReadRtf(r.StreamOutString(SF_RTF | SFF_SELECTION)).PlainText(), "money");

  // The clipboard carries both the text and the rich text.
  r.Copy();
  CRichEditCtrl& other = rich(RECT{10, 120, 310, 200});
  other.Paste();
  EXPECT_EQ(doc(other).paragraphs[0].runs, (std::vector<RtfRun>{doc(r).paragraphs[0].runs.back()}));
  ASSERT_TRUE(OpenClipboard(parent));
  HANDLE plain = GetClipboardData(CF_TEXT);
  ASSERT_NE(plain, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(plain)), "money");
  GlobalUnlock(plain);
  CloseClipboard();
}

TEST_F(RichEdit, FindsTextForwardsBackwardsWithCaseAndWholeWords) {
  CRichEditCtrl& r = rich();
  r.SetWindowText("Cash cash\r\nCASH cashbox");  // paragraph ends count as one character
  const struct {
    const char* what;
    DWORD flags;
    LONG from, to;
    LONG hit;
  } cases[] = {
      {"cash", FR_DOWN, 0, -1, 0},
      {"cash", FR_DOWN | FR_MATCHCASE, 0, -1, 5},
      {"cash", FR_DOWN | FR_MATCHCASE, 6, -1, 15},
      {"cash", FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD, 6, -1, -1},
      {"CASH", FR_DOWN | FR_MATCHCASE, 0, 12, -1},  // the range ends inside it
      {"cash", 0, 14, 0, 10},                       // backwards: the last before the start
      {"cash\r\ncash", FR_DOWN, 0, -1, 5},
      {"", FR_DOWN, 0, -1, -1},
  };
  for (const auto& c : cases) {
    FINDTEXTEX find{{c.from, c.to}, c.what, {0, 0}};
    EXPECT_EQ(r.FindText(c.flags, &find), c.hit) << c.what << " from " << c.from;
    if (c.hit >= 0) {
      EXPECT_EQ(find.chrgText.cpMin, c.hit);
    }
  }
}

TEST_F(RichEdit, AsksToResizeAsItsContentsGrowAndShrink) {
  std::vector<LONG> heights;
  replies().onNotify = [&](const NMHDR& h) {
    if (h.code == EN_REQUESTRESIZE) {
      const RECT& rc = reinterpret_cast<const REQRESIZE&>(h).rc;
      heights.push_back(rc.bottom - rc.top);
    }
  };
  CRichEditCtrl& r = rich(RECT{10, 10, 90, 30});
  r.SetEventMask(ENM_REQUESTRESIZE | ENM_CHANGE);
  r.RequestResize();
  ASSERT_EQ(heights.size(), 1u) << "asked for, it always answers";
  const LONG oneLine = heights[0];
  EXPECT_GT(oneLine, 0);

  type("paid in full at the camp");  // wraps in an 80-pixel window
  ASSERT_GE(heights.size(), 2u);
  EXPECT_GE(heights.back(), 2 * oneLine);
  const size_t asked = heights.size();
  type("x");  // a character that changes no height asks for nothing
  EXPECT_EQ(heights.size(), asked);

  r.SetSel(0, -1);
  key(VK_DELETE);
  EXPECT_EQ(heights.back(), oneLine);

  // Taller text, taller request.
  CHARFORMAT cf;
  cf.dwMask = CFM_SIZE;
  cf.yHeight = 480;
  r.SetSel(0, -1);
  type("Big");
  r.SetSel(0, -1);
  r.SetSelectionCharFormat(cf);
  EXPECT_GT(heights.back(), oneLine);
}

TEST_F(RichEdit, FormatRangeDrawsOnAnotherDeviceAndTellsWhatFitted) {
  CRichEditCtrl& r = rich();
  r.SetWindowText("First line\r\nSecond line\r\nThird line");
  HDC screen = GetDC(parent);
  CDC* dc = CDC::FromHandle(screen);
  // Twips at the device's resolution: 1440 per inch.
  const int res = dc->GetDeviceCaps(LOGPIXELSY);
  FORMATRANGE fr{screen, screen, {0, 0, 3 * 1440, 3 * 1440}, {0, 0, 3 * 1440, 3 * 1440}, {0, -1}};
  EXPECT_EQ(r.FormatRange(&fr, FALSE), 33) << "every character fits; a paragraph end counts one";
  // Room for one line only: the next starts at the second paragraph.
  fr.rc.bottom = 20 * 1440 / res;
  EXPECT_EQ(r.FormatRange(&fr, FALSE), 11);
  fr.chrg.cpMin = 11;
  EXPECT_EQ(r.FormatRange(&fr, FALSE), 23);
  EXPECT_EQ(r.FormatRange(nullptr, FALSE), 0);
  ReleaseDC(parent, screen);
}

TEST_F(RichEdit, MouseDragSelectsAndDrawsTheSelection) {
  CRichEditCtrl& r = rich();
  r.SetWindowText("Camp fees");
  pump();
  const auto at = [&](int i) {
    const auto packed = static_cast<DWORD>(r.SendMessage(EM_POSFROMCHAR, static_cast<WPARAM>(i)));
    return POINT{static_cast<SHORT>(LOWORD(packed)) + 1, static_cast<SHORT>(HIWORD(packed)) + 3};
  };
  automation::MouseDown(r.m_hWnd, at(5));
  automation::MouseMove(r.m_hWnd, at(9));
  automation::MouseUp(r.m_hWnd, at(9));
  pump();
  CHARRANGE range{0, 0};
  r.GetSel(range);
  EXPECT_EQ(range.cpMin, 5);
  EXPECT_EQ(range.cpMax, 9);
  EXPECT_EQ(r.GetSelText(), "fees");
  EXPECT_EQ(automation::PixelAt(r.m_hWnd, at(6).x, at(6).y - 2), GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF);
  EXPECT_EQ(automation::PixelAt(r.m_hWnd, at(1).x, 1), GetSysColor(COLOR_WINDOW) & 0xFFFFFF);
}

}  // namespace
