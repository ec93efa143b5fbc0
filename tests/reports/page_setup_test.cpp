// The page setup dialog on its own: margins held between the printer's
// unprintable edge and two inches, and what Cancel asks.
#include "RptTestSupport.h"
#include "common/PrintSettings.h"
#include "common/Question.h"
#include "platform/window/Messages.h"
#include "reports/PageSetupDlg.h"
#include "res/resource.h"

namespace {

class PageSetupTest : public RptTest {
 protected:
  static std::string Text(HWND h, int id) {
    char text[32] = {};
    ::GetDlgItemText(h, id, text, sizeof text);
    return text;
  }
  static void Notify(HWND h, int id, int code) {
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(h, id)));
  }
  // Runs the dialog for report 18 with `body` inside it; its result.
  int Run(const std::function<void(HWND)>& body, int endCode) {
    CPageSetupDlg dlg;
    dlg.SetReportNumber(18);
    automation::OnDialog("Page Setup", [&](HWND h) {
      automation::PumpUntilIdle();
      body(h);
    }, endCode);
    return static_cast<int>(dlg.DoModal());
  }
};

TEST_F(PageSetupTest, AMarginIsHeldToThePrintersEdgeAndTwoInchesWhenLeft) {
  ThePrintSetup.unprintableLeft = 0.25f;
  struct Case {
    const char* typed;
    const char* shown;
  } const cases[] = {{"0.1", "0.25"}, {"3", "2.00"}, {"1.3", "1.30"}};
  Run([&](HWND h) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed);
      ::SetDlgItemText(h, IDC_PSU_LEFT, c.typed);
      Notify(h, IDC_PSU_LEFT, EN_CHANGE);
      Notify(h, IDC_PSU_LEFT, EN_KILLFOCUS);
      EXPECT_EQ(Text(h, IDC_PSU_LEFT), c.shown);
    }
  }, IDCANCEL);
}

TEST_F(PageSetupTest, CancelAsksOnlyAfterAChange) {
  struct Case {
    bool changeMargin;
    int answer;  // 0: no question expected
    int result;
    float savedLeft;
  } const cases[] = {
      {false, 0, IDCANCEL, 0.75f},           // the scope alone is no change
      {true, ANSWER_NO, IDCANCEL, 0.75f},    // closes, nothing saved
      {true, ANSWER_YES, IDOK, 1.25f},       // saves as OK would
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    const int result = Run([&](HWND h) {
      ::CheckRadioButton(h, IDC_PSU_ALL, IDC_PSU_CURRENT, IDC_PSU_ALL);
      Notify(h, IDC_PSU_ALL, BN_CLICKED);
      if (c.changeMargin) {
        ::SetDlgItemText(h, IDC_PSU_LEFT, "1.25");
        Notify(h, IDC_PSU_LEFT, EN_CHANGE);
      }
      if (c.answer) automation::ExpectMessageBox("", "Do you wish to save your changes", c.answer);
      ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }, -1);
    EXPECT_EQ(result, c.result);
    EXPECT_TRUE(automation::PendingExpectations().empty());
    float left = 0;
    GetPrintSettings(18, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr, &left, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(left, c.savedLeft);
  }
}

}  // namespace
