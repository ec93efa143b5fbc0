// The question box and the progress window as real windows, driven headless
// through the automation.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "WindowTestUtil.h"
#include "common/DialogPresenters.h"
#include "common/ProgressDlg.h"
#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/gfx/Dc.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/gfx/SysColors.h"
#include "platform/framework/WindowDc.h"
#include "res/resource.h"

namespace {

constexpr int kStillOpen = 99;  // what the box ends with when nothing answered it

class QuestionDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    UseDialogPresenters(true);
  }
  void TearDown() override {
    UseDialogPresenters(false);
    automation::ResetWindows();
  }

  // Asks with the real box; `act` runs inside its modal loop.
  int Ask(const char* text, int defaultAnswer, int extra, std::function<void(HWND)> act) {
    automation::OnDialog(
        "Question",
        [&](HWND h) {
          act(h);
          automation::PumpUntilIdle();
        },
        kStillOpen);
    return AskQuestion(text, defaultAnswer, extra);
  }
};

RECT RectIn(HWND dialog, HWND child) { return RectInClient(dialog, child); }

std::string TextOf(HWND h) {
  char buf[512] = "";
  GetWindowText(h, buf, sizeof buf);
  return buf;
}

int LineHeight(HWND dialog) {
  CClientDC dc(CWnd::FromHandle(dialog));
  dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0))));
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  return tm.tmHeight;
}

TEST_F(QuestionDlgTest, AnswersEachButtonByClickKeyAndAccessKey) {
  const int all = ANSWER_YESTOALL | ANSWER_NOTOALL | ANSWER_CANCEL;
  struct Case {
    const char* what;
    int defaultAnswer;
    int extra;
    std::function<void(HWND)> act;
    int answer;
  };
  auto click = [](int id) { return [id](HWND h) { automation::Click(automation::FindById(h, id), POINT{6, 6}); }; };
  auto key = [](UINT vk, bool alt = false) { return [vk, alt](HWND) { automation::PressKey(vk, false, false, alt); }; };
  const Case cases[] = {
      {"click Yes", ANSWER_NO, all, click(IDC_QUESTION_YES), ANSWER_YES},
      {"click Yes To All", ANSWER_NO, all, click(IDC_QUESTION_YESTOALL), ANSWER_YESTOALL},
      {"click No", ANSWER_YES, all, click(IDC_QUESTION_NO), ANSWER_NO},
      {"click No To All", ANSWER_YES, all, click(IDC_QUESTION_NOTOALL), ANSWER_NOTOALL},
      {"click Cancel", ANSWER_YES, all, click(IDCANCEL), ANSWER_CANCEL},
      {"Enter gives the default No", ANSWER_NO, 0, key(VK_RETURN), ANSWER_NO},
      {"Enter gives the default Yes", ANSWER_YES, ANSWER_CANCEL, key(VK_RETURN), ANSWER_YES},
      {"Enter gives the default Cancel", ANSWER_CANCEL, all, key(VK_RETURN), ANSWER_CANCEL},
      {"Esc with Cancel offered", ANSWER_YES, ANSWER_CANCEL, key(VK_ESCAPE), ANSWER_CANCEL},
      {"Esc without Cancel does nothing", ANSWER_NO, 0, key(VK_ESCAPE), kStillOpen},
      {"close box without Cancel does nothing", ANSWER_NO, ANSWER_YESTOALL,
       [](HWND h) { SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0); }, kStillOpen},
      {"close box with Cancel", ANSWER_NO, ANSWER_CANCEL, [](HWND h) { SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0); },
       ANSWER_CANCEL},
      {"access key Y", ANSWER_NO, all, key('Y'), ANSWER_YES},
      {"access key E", ANSWER_NO, all, key('E', true), ANSWER_YESTOALL},
      {"access key N", ANSWER_YES, all, key('N', true), ANSWER_NO},
      {"access key O", ANSWER_YES, all, key('O'), ANSWER_NOTOALL},
      {"hidden Yes To All ignores its access key", ANSWER_NO, 0, key('E', true), kStillOpen},
      {"hidden No To All ignores its access key", ANSWER_NO, ANSWER_CANCEL, key('O'), kStillOpen},
      {"hidden Cancel ignores a stray command", ANSWER_NO, ANSWER_YESTOALL,
       [](HWND h) { SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }, kStillOpen},
      {"hidden No To All ignores a stray command", ANSWER_NO, 0,
       [](HWND h) { SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_QUESTION_NOTOALL, BN_CLICKED), 0); }, kStillOpen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Ask("Delete the entry", c.defaultAnswer, c.extra, c.act), c.answer);
    EXPECT_EQ(automation::FindByCaption("Question"), nullptr);  // the box is gone either way
  }
}

TEST_F(QuestionDlgTest, ShowsTheOfferedButtonsOnOneCentredRowBelowTheQuestion) {
  const int order[] = {IDC_QUESTION_YES, IDC_QUESTION_YESTOALL, IDC_QUESTION_NO, IDC_QUESTION_NOTOALL, IDCANCEL};
  struct Case {
    int defaultAnswer;
    int extra;
    std::vector<int> shown;
    int defaultId;
  } cases[] = {
      {ANSWER_NO, 0, {IDC_QUESTION_YES, IDC_QUESTION_NO}, IDC_QUESTION_NO},
      {ANSWER_YES, ANSWER_CANCEL, {IDC_QUESTION_YES, IDC_QUESTION_NO, IDCANCEL}, IDC_QUESTION_YES},
      {ANSWER_NOTOALL, ANSWER_YESTOALL | ANSWER_NOTOALL | ANSWER_CANCEL,
       {IDC_QUESTION_YES, IDC_QUESTION_YESTOALL, IDC_QUESTION_NO, IDC_QUESTION_NOTOALL, IDCANCEL}, IDC_QUESTION_NOTOALL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown.size());
    Ask("Keep the changes", c.defaultAnswer, c.extra, [&](HWND h) {
      EXPECT_EQ(TextOf(automation::FindById(h, IDC_QUESTION_TEXT)), "Keep the changes?");
      RECT client;
      GetClientRect(h, &client);
      RECT text = RectIn(h, automation::FindById(h, IDC_QUESTION_TEXT));
      RECT icon = RectIn(h, automation::FindById(h, IDC_QUESTION_ICON));
      std::vector<RECT> row;
      for (int id : order) {
        HWND b = automation::FindById(h, id);
        bool offered = std::find(c.shown.begin(), c.shown.end(), id) != c.shown.end();
        EXPECT_EQ(IsWindowVisible(b) != FALSE, offered) << id;
        if (offered) row.push_back(RectIn(h, b));
      }
      ASSERT_EQ(row.size(), c.shown.size());
      for (size_t i = 1; i < row.size(); ++i) {
        EXPECT_EQ(row[i].top, row[0].top);
        EXPECT_GT(row[i].left, row[i - 1].right);  // in order, apart
      }
      EXPECT_NEAR(row.front().left - client.left, client.right - row.back().right, 1);
      EXPECT_GE(row[0].top, std::max(text.bottom, icon.bottom));
      EXPECT_LE(row[0].bottom, client.bottom);
      // The default answer's button is the default one and has the focus.
      EXPECT_EQ(LOWORD(SendMessage(h, DM_GETDEFID, 0, 0)), c.defaultId);
      EXPECT_EQ(GetFocus(), automation::FindById(h, c.defaultId));
    });
  }
}

TEST_F(QuestionDlgTest, SizesItselfSoThatEveryLineOfTheQuestionShows) {
  const std::string longLine(150, 'W');
  struct Shown {
    int windowHeight, windowWidth, textHeight, textWidth, textRight, clientRight, lineHeight;
  };
  auto measure = [&](const std::string& text) {
    Shown s{};
    Ask(text.c_str(), ANSWER_YES, 0, [&](HWND h) {
      RECT wr, client;
      GetWindowRect(h, &wr);
      GetClientRect(h, &client);
      RECT t = RectIn(h, automation::FindById(h, IDC_QUESTION_TEXT));
      s = Shown{wr.bottom - wr.top, wr.right - wr.left, t.bottom - t.top, t.right - t.left, t.right, client.right,
                LineHeight(h)};
    });
    return s;
  };
  Shown three = measure("First line\nSecond line\nThird line");
  Shown four = measure("First line\nSecond line\nThird line\nFourth line");
  EXPECT_GE(three.textHeight, 3 * three.lineHeight);
  EXPECT_EQ(four.windowHeight - three.windowHeight, three.lineHeight);
  // A long line widens the box; the text keeps its width inside it.
  Shown wide = measure(longLine);
  EXPECT_GT(wide.windowWidth, three.windowWidth);
  EXPECT_LE(wide.textRight, wide.clientRight);
  EXPECT_GE(wide.textHeight, wide.lineHeight);
}

// ---- Progress window ---------------------------------------------------------

// The bar's pixels: where the fill ends, and the columns of the percentage
// (pixels that differ from the part they lie in: light on the fill, dark on
// the rest).
struct BarPicture {
  int fillEnd = 0;  // first column (from the bar's left) that is not filled
  int textLeft = -1, textRight = -1;
  bool textOnFill = false, textOnRest = false;
};

BarPicture Picture(HWND h, const RECT& bar) {
  BarPicture p;
  const COLORREF fill = GetSysColor(COLOR_ACTIVECAPTION), light = RGB(192, 192, 192);
  int row = bar.top + 1;  // above the text
  while (p.fillEnd < bar.right - bar.left && automation::PixelAt(h, bar.left + p.fillEnd, row) == fill) ++p.fillEnd;
  for (int x = bar.left; x < bar.right; ++x) {
    bool onFill = x < bar.left + p.fillEnd;
    for (int y = bar.top; y < bar.bottom; ++y) {
      if (automation::PixelAt(h, x, y) == (onFill ? fill : light)) continue;
      if (p.textLeft < 0) p.textLeft = x;
      p.textRight = x + 1;
      (onFill ? p.textOnFill : p.textOnRest) = true;
    }
  }
  return p;
}

int TextWidth(HWND h, const char* text) {
  CClientDC dc(CWnd::FromHandle(h));
  dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0))));
  return dc.GetTextExtent(text, static_cast<int>(std::char_traits<char>::length(text))).cx;
}

TEST_F(QuestionDlgTest, ProgressWindowOpensAdvancesWithThePercentageDrawnAndCloses) {
  EXPECT_EQ(automation::FindByCaption("Progress"), nullptr);
  EXPECT_EQ(ReportProgress("Copying files", 0, 4), 0);
  HWND h = automation::FindByCaption("Progress");
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_FALSE(IsWindowVisible(automation::FindById(h, IDC_PROGRESS_HELP)));
  const RECT bar = ProgressWindow().BarRect();
  const int width = bar.right - bar.left;
  ASSERT_GT(width, 100);

  struct Step {
    const char* caption;
    int position;
    const char* percent;
    const char* captionShown;
  } steps[] = {
      {nullptr, 0, "0%", "Copying files"},
      {nullptr, 1, "25%", "Copying files"},
      {"Checking files", 1, "25%", "Checking files"},
      {nullptr, 2, "50%", "Checking files"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.percent);
    if (s.position) {
      EXPECT_EQ(ReportProgress(s.caption, s.position, 4), s.position);
    }
    EXPECT_EQ(TextOf(automation::FindById(h, IDC_PROGRESS_CAPTION)), s.captionShown);
    BarPicture p = Picture(h, bar);
    EXPECT_EQ(p.fillEnd, width * s.position / 4);
    EXPECT_NEAR(p.textRight - p.textLeft, TextWidth(h, s.percent), 2);
    EXPECT_NEAR((p.textLeft + p.textRight) / 2, bar.left + width / 2, 2);
    EXPECT_TRUE(p.textOnRest);
    EXPECT_EQ(p.textOnFill, s.position == 2);  // where the fill reaches the text
  }
  // A repaint shows the last step again.
  InvalidateRect(h, nullptr, TRUE);
  automation::PumpUntilIdle();
  EXPECT_EQ(Picture(h, bar).fillEnd, width / 2);

  EXPECT_EQ(ReportProgress(nullptr, 4, 4), 1);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(IsCancelRequested(), 0);
  // The next piece of work opens a fresh window.
  ReportProgress("Again", 0, 2);
  HWND again = automation::FindByCaption("Progress");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(Picture(again, ProgressWindow().BarRect()).fillEnd, 0);
  ReportProgress(nullptr, 2, 2);
  EXPECT_EQ(automation::FindByCaption("Progress"), nullptr);
}

}  // namespace
