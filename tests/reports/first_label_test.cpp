// The First Label dialog: the sheet drawn to scale (a golden picture), a
// click on a label choosing it, the number's range, a definition that
// cannot be drawn, and the question the report driver asks through it.
#include <gtest/gtest.h>

#include <string>

#include "app/AppTestUtil.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "reports/FirstLabelDlg.h"
#include "reports/RptContext.h"
#include "res/resource.h"
#include "support/GoldenImage.h"

namespace {

// A full-sized sheet of 30 address labels, 3 across and 10 down.
MailLabelDef AddressSheet() {
  CMailLabel label;
  label.SetName("Avery 5160 - Address");
  MailLabelDef d = label.Definition();
  d.cls = kLabelClassPredefined;
  d.across = 3;
  d.down = 10;
  d.labelWidth = 2.625f;
  d.labelHeight = 1.0f;
  d.cornerRadius = 0.0625f;
  d.leftMargin = d.rightMargin = 0.1875f;
  d.topMargin = d.bottomMargin = 0.5f;
  d.hPitch = 2.75f;
  d.vPitch = 1.0f;
  return d;
}

// Nine big labels with wide gaps between them, so that a click can miss.
MailLabelDef WideGaps() {
  MailLabelDef d = AddressSheet();
  d.across = d.down = 3;
  d.labelWidth = 2.0f;
  d.labelHeight = 3.0f;
  d.hPitch = 2.5f;
  d.vPitch = 3.5f;
  d.leftMargin = d.rightMargin = d.topMargin = d.bottomMargin = 0.5f;
  d.cornerRadius = 0;
  return d;
}

class FirstLabelTest : public testing::Test {
 protected:
  void SetUp() override { automation::ResetWindows(); }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }

  // Runs the dialog on `def` while `script` drives it; the dialog's result.
  INT_PTR Run(const MailLabelDef& def, const std::function<void(HWND)>& script, int* chosen = nullptr) {
    label_.SetDefinition(&def);
    CFirstLabelDlg dlg;
    dlg.SetLabel(&label_);
    dlg.SetFirstLabel(1);
    automation::OnDialog(
        "First Label",
        [&](HWND h) {
          automation::PumpUntilIdle();
          script(h);
        },
        IDABORT);
    const INT_PTR result = dlg.DoModal();
    if (chosen) *chosen = dlg.GetFirstLabel();
    return result;
  }

  // A click at a fraction of the sheet's width and height (0,0 its top left).
  static void ClickSheet(HWND h, double fx, double fy) {
    RECT r;
    GetWindowRect(GetDlgItem(h, IDC_FIRST_LABEL_SHEET), &r);
    POINT p{r.left + static_cast<int>(fx * (r.right - r.left)), r.top + static_cast<int>(fy * (r.bottom - r.top))};
    ScreenToClient(h, &p);
    SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    automation::PumpUntilIdle();
  }

  CMailLabel label_;
};

TEST_F(FirstLabelTest, TheSheetIsDrawnToScaleWithItsNumbers) {
  const struct {
    const char* golden;
    int feed;
  } cases[] = {{"reports/first_label_sheet.png", 1}, {"reports/first_label_continuous.png", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    MailLabelDef d = AddressSheet();
    d.feed = c.feed;
    Run(d, [&](HWND h) {
      EXPECT_EQ(FieldText(h, IDC_FIRST_LABEL_NUMBER), "1");
      EXPECT_TRUE(golden::Matches(c.golden, [&](const std::string& path) { return automation::RenderToPng(h, path); }));
      Press(h, IDCANCEL);
    });
  }
}

TEST_F(FirstLabelTest, ASheetNarrowerThanItsTractorHolesStillDraws) {
  // Two holes and their gaps are wider than this sheet: one column of holes.
  MailLabelDef d = WideGaps();
  d.feed = 2;
  d.across = d.down = 1;
  d.pageWidth = 0.4f;
  d.labelWidth = d.hPitch = 0.3f;
  d.leftMargin = d.rightMargin = 0.05f;
  Run(d, [&](HWND h) {
    SetField(h, IDC_FIRST_LABEL_NUMBER, "9");
    ClickSheet(h, 0.5, 0.2);
    EXPECT_EQ(FieldText(h, IDC_FIRST_LABEL_NUMBER), "1");
    Press(h, IDCANCEL);
  });
}

TEST_F(FirstLabelTest, AClickOnALabelChoosesItAndMissesChangeNothing) {
  const struct {
    const char* where;
    double fx, fy;
    const char* shown;
  } cases[] = {
      {"label 7: row 3, column 1", 1.5 / 8.5, 9.0 / 11, "7"},
      {"label 3: row 1, column 3", 6.5 / 8.5, 2.0 / 11, "3"},
      {"the gap between labels 1 and 2", 2.75 / 8.5, 2.0 / 11, "5"},
      {"the margin above label 1", 1.5 / 8.5, 0.25 / 11, "5"},
      {"the shadow beside the sheet", 1.02, 0.5, "5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    Run(WideGaps(), [&](HWND h) {
      SetField(h, IDC_FIRST_LABEL_NUMBER, "5");
      ClickSheet(h, c.fx, c.fy);
      EXPECT_EQ(FieldText(h, IDC_FIRST_LABEL_NUMBER), c.shown);
      Press(h, IDCANCEL);
    });
  }
}

TEST_F(FirstLabelTest, OkTakesOnlyANumberOfTheSheet) {
  int chosen = 0;
  const INT_PTR result = Run(AddressSheet(), [&](HWND h) {
    for (const char* typed : {"0", "31", "x"}) {
      SetField(h, IDC_FIRST_LABEL_NUMBER, typed);
      automation::ExpectMessageBox("Warning", "Invalid label number (1-30).", IDOK);
      Press(h, IDOK);
      EXPECT_TRUE(IsWindowVisible(h)) << typed;
    }
    SetField(h, IDC_FIRST_LABEL_NUMBER, "30");
    Press(h, IDOK);
  }, &chosen);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(chosen, 30);
}

TEST_F(FirstLabelTest, ABrokenDefinitionIsToldOnceAndOnlyCancelLeaves) {
  MailLabelDef d = AddressSheet();
  d.across = 0;
  automation::ExpectMessageBox("Warning", "The 'Number Across' must be greater than zero", IDOK);
  const INT_PTR result = Run(d, [&](HWND h) {
    const size_t shown = automation::ModalLog().size();
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    automation::PumpUntilIdle();
    EXPECT_EQ(automation::ModalLog().size(), shown);
    automation::ExpectMessageBox("Warning", "Invalid label number (1-0).", IDOK);
    Press(h, IDOK);
    EXPECT_TRUE(IsWindowVisible(h));
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(FirstLabelTest, LabelReportsStartAtTheChosenLabel) {
  const MailLabelDef d = AddressSheet();
  CurrentMailLabel.SetDefinition(&d);
  RptContext context{};
  context.firstLabel = 1;
  automation::OnDialog("First Label", [&](HWND h) {
    automation::PumpUntilIdle();
    SetField(h, IDC_FIRST_LABEL_NUMBER, "14");
    Press(h, IDOK);
  }, IDABORT);
  EXPECT_EQ(AskFirstLabel(&context), 1);
  EXPECT_EQ(context.firstLabel, 14);
  automation::OnDialog("First Label", [&](HWND h) { Press(h, IDCANCEL); }, IDABORT);
  EXPECT_EQ(AskFirstLabel(&context), 0);
}

}  // namespace
