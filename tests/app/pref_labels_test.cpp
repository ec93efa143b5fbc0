// The Mailing Labels page of the Preferences sheet on a labels file of two
// predefined stocks and one user sheet: choosing, converting, saving,
// blanking and filtering definitions.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/AppTestUtil.h"
#include "app/PrefDlg.h"
#include "app/Preferences.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/propsheet/PropSheetDefs.h"
#include "platform/window/CtlDefs.h"
#include "reports/MailLabel.h"
#include "res/resource.h"

namespace {

MailLabelDef Sheet(const char* name, int cls, int kind, int across, int down) {
  CMailLabel label;
  label.SetName(name);
  MailLabelDef d = label.Definition();
  d.cls = cls;
  d.kind = kind;
  d.across = across;
  d.down = down;
  d.labelWidth = 2.625f;
  d.labelHeight = 1.0f;
  d.cornerRadius = 0.0625f;
  d.leftMargin = d.rightMargin = 0.1875f;
  d.topMargin = d.bottomMargin = 0.5f;
  d.hPitch = across > 1 ? 2.75f : 2.625f;
  d.vPitch = 1.0f;
  return d;
}

class PrefLabelsTest : public testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", dir.path().c_str());
    SetMailLabelNameAccess({nullptr, nullptr});
    labels = dir / "labels4.dat";
    const MailLabelDef defs[] = {Sheet("Avery 5160 - Address", kLabelClassPredefined, kLabelKindLabel, 3, 10),
                                 Sheet("Avery 5371 - Card", kLabelClassPredefined, kLabelKindCard, 2, 5),
                                 Sheet("*Mine", kLabelClassUser, kLabelKindLabel, 1, 4)};
    std::string bytes;
    for (const MailLabelDef& d : defs) bytes.append(reinterpret_cast<const char*>(&d), sizeof d);
    WriteBytes(labels, bytes);
    MailLabelStore.SetFileName(labels.c_str());
    CurrentMailLabel.SetName("*Mine");
    ASSERT_TRUE(MailLabelStore.Retrieve(CurrentMailLabel));
    XferConfig(1);
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }

  // Runs Options/Preferences... on its Mailing Labels page; it ends with
  // Cancel (and No to saving) unless the script closed it.
  void Run(const std::function<void(HWND page, HWND sheet)>& script) {
    automation::OnDialog(
        "Preferences",
        [&](HWND h) {
          automation::PumpUntilIdle();
          SendMessage(h, PSM_SETCURSEL, 2, 0);
          automation::PumpUntilIdle();
          script(reinterpret_cast<HWND>(SendMessage(h, PSM_GETCURRENTPAGEHWND, 0, 0)), h);
          if (IsWindow(h)) {
            automation::AlwaysAnswer("", "Do you wish to save your changes", ANSWER_NO);
            Press(h, IDCANCEL);
            automation::ClearResponder();
          }
        },
        IDCANCEL);
    RunPreferences();
  }

  static void ChooseName(HWND page, const char* name) {
    HWND combo = GetDlgItem(page, IDC_PREF_LABEL_NAME);
    SendMessage(combo, CB_SETCURSEL,
                static_cast<WPARAM>(SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(name))),
                0);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(IDC_PREF_LABEL_NAME, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    automation::PumpUntilIdle();
  }
  static std::vector<std::string> Names(HWND page) {
    HWND combo = GetDlgItem(page, IDC_PREF_LABEL_NAME);
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[64] = "";
      SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.emplace_back(text);
    }
    return out;
  }
  // Typed into an edit and left with Tab.
  static void Type(HWND page, int id, const char* text) {
    SetFocus(GetDlgItem(page, id));
    SetField(page, id, text);
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(page, IDC_PREF_LABEL_NAME));
    automation::PumpUntilIdle();
  }
  static bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != 0; }
  static void Click(HWND page, int id) {
    SendMessage(GetDlgItem(page, id), BM_CLICK, 0, 0);
    automation::PumpUntilIdle();
  }
  std::vector<MailLabelDef> Records() const {
    const std::string bytes = ReadBytes(labels);
    std::vector<MailLabelDef> out(bytes.size() / sizeof(MailLabelDef));
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * sizeof(MailLabelDef));
    return out;
  }
  static std::string StoredCurrentName() {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, "CONFIG");
    char value[kSettingsValueMax + 1] = "";
    GetSettingText(s, 'L', "", value);
    CloseSettingsSection(s);
    return value;
  }

  class TempFolder dir;
  std::string labels;
};

TEST_F(PrefLabelsTest, APredefinedStockChosenAndConfirmedBecomesCurrentWithTheFileUnchanged) {
  const std::string before = ReadBytes(labels);
  Run([&](HWND page, HWND sheet) {
    // The current label is shown first, a user sheet that can be blanked.
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_NAME), "*Mine");
    EXPECT_TRUE(Enabled(page, IDC_PREF_LABEL_DELETE));
    ChooseName(page, "Avery 5160 - Address");
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_ACROSS), "3");
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_PAGE_WIDTH), "8.500");
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_LEFT), "0.188");
    EXPECT_FALSE(Enabled(page, IDC_PREF_LABEL_DELETE));
    Press(sheet, IDOK);
  });
  EXPECT_EQ(ReadBytes(labels), before);
  EXPECT_STREQ(CurrentMailLabel.GetName(), "Avery 5160 - Address");
  // The stock's own measures, not the three decimals shown.
  EXPECT_FLOAT_EQ(CurrentMailLabel.Definition().leftMargin, 0.1875f);
  EXPECT_EQ(StoredCurrentName(), "Avery 5160 - Address");
}

TEST_F(PrefLabelsTest, AnEditedStockIsSavedAsANewUserSheet) {
  Run([&](HWND page, HWND sheet) {
    ChooseName(page, "Avery 5160 - Address");
    // Measures are read back with three decimals; text that is no number is 0.
    const struct {
      int id;
      const char* typed;
      const char* shown;
    } measures[] = {{IDC_PREF_LABEL_HEIGHT, "0.9", "0.900"},
                    {IDC_PREF_LABEL_LEFT, "abc", "0.000"},
                    {IDC_PREF_LABEL_TOP, "0.25", "0.250"}};
    for (const auto& m : measures) {
      Type(page, m.id, m.typed);
      EXPECT_EQ(FieldText(page, m.id), m.shown) << m.typed;
    }
    EXPECT_TRUE(Enabled(page, IDC_PREF_LABEL_DELETE));  // now the user's own
    SetField(page, IDC_PREF_LABEL_NAME, "**My Sheet");
    Press(sheet, IDOK);
  });
  const std::vector<MailLabelDef> records = Records();
  ASSERT_EQ(records.size(), 4u);
  const MailLabelDef stock = Sheet("Avery 5160 - Address", kLabelClassPredefined, kLabelKindLabel, 3, 10);
  EXPECT_EQ(std::memcmp(&records[0], &stock, sizeof stock), 0);
  const MailLabelDef& mine = records[3];
  EXPECT_STREQ(mine.name, "*My Sheet");
  EXPECT_EQ(mine.cls, kLabelClassUser);
  EXPECT_EQ(mine.kind, kLabelKindLabel);
  EXPECT_FLOAT_EQ(mine.labelHeight, 0.9f);
  EXPECT_FLOAT_EQ(mine.leftMargin, 0.0f);
  EXPECT_FLOAT_EQ(mine.rightMargin, 0.0f);
  EXPECT_FLOAT_EQ(mine.topMargin, 0.25f);
  EXPECT_FLOAT_EQ(mine.bottomMargin, 0.25f);
  EXPECT_FLOAT_EQ(mine.cornerRadius, 0.0f);
  EXPECT_STREQ(CurrentMailLabel.GetName(), "*My Sheet");
}

TEST_F(PrefLabelsTest, OneColumnOrRowTakesItsPitchFromTheLabel) {
  Run([&](HWND page, HWND) {
    // "*Mine": one column of four.
    EXPECT_FALSE(Enabled(page, IDC_PREF_LABEL_HPITCH));
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_HPITCH), "2.625");
    EXPECT_TRUE(Enabled(page, IDC_PREF_LABEL_VPITCH));
    Type(page, IDC_PREF_LABEL_WIDTH, "3");
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_HPITCH), "3.000");
    Type(page, IDC_PREF_LABEL_DOWN, "1");
    Type(page, IDC_PREF_LABEL_HEIGHT, "1.5");
    EXPECT_FALSE(Enabled(page, IDC_PREF_LABEL_VPITCH));
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_VPITCH), "1.500");
  });
}

TEST_F(PrefLabelsTest, TheFiltersChooseWhichKindsAreListed) {
  const struct {
    bool labels, cards;
    std::vector<std::string> names;
  } cases[] = {{true, true, {"*Mine", "Avery 5160 - Address", "Avery 5371 - Card"}},
               {true, false, {"*Mine", "Avery 5160 - Address"}},
               {false, true, {"Avery 5371 - Card"}},
               {false, false, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.labels) + std::to_string(c.cards));
    Run([&](HWND page, HWND) {
      if (!c.labels) Click(page, IDC_PREF_LABEL_LABELS);
      if (!c.cards) Click(page, IDC_PREF_LABEL_CARDS);
      EXPECT_EQ(Names(page), c.names);
    });
  }
}

TEST_F(PrefLabelsTest, DeleteBlanksTheUserSheetAtOnce) {
  Run([&](HWND page, HWND) {
    Press(page, IDC_PREF_LABEL_DELETE);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Avery 5160 - Address", "Avery 5371 - Card"}));
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_PAGE_HEIGHT), "11.000");
    EXPECT_EQ(FieldText(page, IDC_PREF_LABEL_ACROSS), "0");
  });
  const std::vector<MailLabelDef> records = Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2].name[0], '\0');
  EXPECT_STREQ(records[0].name, "Avery 5160 - Address");
}

TEST_F(PrefLabelsTest, AnInvalidSheetKeepsThePreferencesOpen) {
  const struct {
    const char* edit;
    int id;
    const char* text;
    const char* message;
  } cases[] = {{"across", IDC_PREF_LABEL_ACROSS, "0", "The 'Number Across' must be greater than zero"},
               {"page width", IDC_PREF_LABEL_PAGE_WIDTH, "2", "Sum of horizontal label measurements exceeds page width"},
               {"name", IDC_PREF_LABEL_NAME, "***", "A label name must be provided"}};
  const std::string before = ReadBytes(labels);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edit);
    Run([&](HWND page, HWND sheet) {
      if (c.id == IDC_PREF_LABEL_NAME)
        SetField(page, c.id, c.text);
      else
        Type(page, c.id, c.text);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(sheet, IDOK);
      EXPECT_TRUE(IsWindowVisible(sheet));
    });
  }
  EXPECT_EQ(ReadBytes(labels), before);
  EXPECT_STREQ(CurrentMailLabel.GetName(), "*Mine");
}

}  // namespace
