// Data exchange: round trips between members and controls, conversions and
// range checks that fail with a message and leave the focus on the field.
#include <cfloat>

#include "dlg_support.h"
#include "platform/dialogs/DataExchange.h"

using namespace dlgtest;

namespace {

TEST_F(DialogTest, ExchangeLoadsTheControlsAndSavesThemBack) {
  open(true);
  dlg->name = "Pack 42";
  dlg->check = 1;
  dlg->radio = 2;
  dlg->number = -17;
  dlg->amount = 12.5;
  ASSERT_TRUE(dlg->UpdateData(FALSE));
  char buf[32];
  GetDlgItemText(dlg->m_hWnd, kName, buf, sizeof buf);
  EXPECT_STREQ(buf, "Pack 42");
  EXPECT_EQ(IsDlgButtonChecked(dlg->m_hWnd, kCheck), BST_CHECKED);
  EXPECT_EQ(dlg->GetCheckedRadioButton(kRed, kBlue), kBlue);
  GetDlgItemText(dlg->m_hWnd, kNumber, buf, sizeof buf);
  EXPECT_STREQ(buf, "-17");
  GetDlgItemText(dlg->m_hWnd, kAmount, buf, sizeof buf);
  EXPECT_STREQ(buf, "12.5");
  // DDV_MaxChars limits the edit while loading.
  EXPECT_EQ(SendMessage(item(kName), EM_GETLIMITTEXT, 0, 0), 10);

  SetDlgItemText(dlg->m_hWnd, kName, "Troop 7");
  CheckDlgButton(dlg->m_hWnd, kCheck, BST_UNCHECKED);
  CheckRadioButton(dlg->m_hWnd, kRed, kBlue, kRed);
  SetDlgItemText(dlg->m_hWnd, kNumber, " 55 ");
  SetDlgItemText(dlg->m_hWnd, kAmount, "-0.25");
  ASSERT_TRUE(dlg->UpdateData(TRUE));
  EXPECT_STREQ(static_cast<LPCTSTR>(dlg->name), "Troop 7");
  EXPECT_EQ(dlg->check, 0);
  EXPECT_EQ(dlg->radio, 0);
  EXPECT_EQ(dlg->number, 55);
  EXPECT_DOUBLE_EQ(dlg->amount, -0.25);

  // No radio button checked saves -1; -1 loaded unchecks them all.
  CheckRadioButton(dlg->m_hWnd, kRed, kBlue, 0);
  ASSERT_TRUE(dlg->UpdateData(TRUE));
  EXPECT_EQ(dlg->radio, -1);
}

TEST_F(DialogTest, AFailingFieldShowsItsMessageKeepsTheFocusAndStopsTheExchange) {
  struct Case {
    const char* what;
    int field;
    const char* text;
    const char* message;
  } cases[] = {
      {"not a number", kNumber, "12a", "Please enter an integer."},
      {"empty number", kNumber, "", "Please enter an integer."},
      {"out of the type's range", kNumber, "99999999999", "Please enter an integer."},
      {"out of the validator's range", kNumber, "101", "Please enter an integer between 0 and 100."},
      {"below the validator's range", kNumber, "-1", "Please enter an integer between 0 and 100."},
      {"not a real number", kAmount, "1.2.3", "Please enter a number."},
      {"too many characters", kName, "12345678901", "Please enter no more than 10 characters."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    open(true);
    ASSERT_TRUE(dlg->UpdateData(FALSE));
    SendMessage(item(kName), EM_LIMITTEXT, 0, 0);  // so that the long name can be set
    SetDlgItemText(dlg->m_hWnd, kNumber, "5");
    SetDlgItemText(dlg->m_hWnd, kAmount, "1");
    SetDlgItemText(dlg->m_hWnd, c.field, c.text);
    dlg->number = 77;
    dlg->amount = 77;
    SetFocus(item(IDOK));
    automation::ExpectMessageBox("", c.message, IDOK);
    EXPECT_FALSE(dlg->UpdateData(TRUE));
    EXPECT_TRUE(automation::PendingExpectations().empty());
    EXPECT_EQ(GetFocus(), item(c.field));
    // Fields after the failing one keep their old values.
    if (c.field != kAmount) {
      EXPECT_DOUBLE_EQ(dlg->amount, 77);
    }
    automation::ClearResponder();
    delete dlg;
    dlg = nullptr;
  }
}

TEST_F(DialogTest, OkWithABadFieldKeepsTheModalDialogOpen) {
  TestDialog d;
  d.exchange = true;
  automation::ExpectMessageBox("", "Please enter an integer between 0 and 100.", IDOK);
  bool openAfterFirstOk = false;
  automation::OnDialog("Test Dialog", [&](HWND h) {
    SetDlgItemText(h, kNumber, "500");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    openAfterFirstOk = IsWindowVisible(h) && GetFocus() == GetDlgItem(h, kNumber);
    SetDlgItemText(h, kNumber, "50");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
  }, IDCANCEL);
  EXPECT_EQ(d.DoModal(), IDOK);
  EXPECT_TRUE(openAfterFirstOk);
  EXPECT_EQ(d.number, 50);
}

// Integer conversions of every DDX_Text type, by a dialog of one edit.
class NumberDialog : public CDialog {
 public:
  NumberDialog() : CDialog(7001) {}
  int which = 0;
  int i = 0;
  UINT u = 0;
  long l = 0;
  short s = 0;
  BYTE b = 0;
  float f = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    switch (which) {
      case 0: DDX_Text(pDX, kNumber, i); break;
      case 1: DDX_Text(pDX, kNumber, u); break;
      case 2: DDX_Text(pDX, kNumber, l); break;
      case 3: DDX_Text(pDX, kNumber, s); break;
      case 4: DDX_Text(pDX, kNumber, b); break;
      case 5: DDX_Text(pDX, kNumber, f); break;
      default: break;
    }
  }
};

TEST_F(DialogTest, NumberConversionsByType) {
  struct Case {
    int which;
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {0, "-2147483648", true, -2147483648.0}, {0, "2147483648", false, 0}, {0, "+12", true, 12},
      {1, "4294967295", true, 4294967295.0},   {1, "-1", false, 0},         {2, "-5", true, -5},
      {3, "-32768", true, -32768},             {3, "32768", false, 0},      {4, "255", true, 255},
      {4, "256", false, 0},                    {5, "1e3", true, 1000},      {5, "1e39", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " as type " + std::to_string(c.which));
    NumberDialog d;
    d.which = c.which;
    ASSERT_TRUE(d.Create(7001));
    SetDlgItemText(d.m_hWnd, kNumber, c.text);
    if (!c.ok) automation::ExpectMessageBox("", "Please enter", IDOK);
    EXPECT_EQ(d.UpdateData(TRUE), c.ok ? TRUE : FALSE);
    if (c.ok) {
      const double values[] = {static_cast<double>(d.i), static_cast<double>(d.u), static_cast<double>(d.l),
                               static_cast<double>(d.s), static_cast<double>(d.b), static_cast<double>(d.f)};
      double got = values[c.which];
      EXPECT_DOUBLE_EQ(got, c.value);
    }
    EXPECT_TRUE(automation::PendingExpectations().empty());
  }
}

}  // namespace

namespace {

const char* kListTemplate = R"(
dialog 7003
  caption "Lists"
  rect 0 0 200 100
  control ComboBox 201 "" 5 5 80 60 CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP
  control ComboBox 202 "" 5 25 80 60 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
  control ListBox 203 "" 100 5 80 60 LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP
end
)";

class ListDialog : public CDialog {
 public:
  ListDialog() : CDialog(7003) {}
  bool exact = false;
  CString edit, pick, item;
  int editIndex = -2, pickIndex = -2, itemIndex = -2;
  CWnd list;

 protected:
  BOOL OnInitDialog() override {
    for (const char* s : {"Apple", "Applesauce", "Banana"}) {
      SendDlgItemMessage(201, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      SendDlgItemMessage(202, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      SendDlgItemMessage(203, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    }
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, 203, list);
    if (exact) {
      DDX_CBStringExact(pDX, 201, edit);
      DDX_CBStringExact(pDX, 202, pick);
      DDX_LBStringExact(pDX, 203, item);
    } else {
      DDX_CBString(pDX, 201, edit);
      DDX_CBString(pDX, 202, pick);
      DDX_LBString(pDX, 203, item);
    }
    if (pDX->m_bSaveAndValidate) {
      DDX_CBIndex(pDX, 201, editIndex);
      DDX_CBIndex(pDX, 202, pickIndex);
      DDX_LBIndex(pDX, 203, itemIndex);
    }
  }
};

TEST_F(DialogTest, ComboAndListExchangeByTextAndIndex) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(kListTemplate, "lists", &error)) << error;
  struct Case {
    bool exact;
    const char* value;
    int index;             // the item selected after loading
    const char* editText;  // what the editable combo box shows
  } cases[] = {
      {false, "App", 0, "Apple"},          // a prefix selects the first item it begins
      {true, "App", -1, "App"},            // exactly: no item, the text stays in the edit
      {true, "Applesauce", 1, "Applesauce"},
      {false, "", -1, ""},                 // empty selects nothing
      {false, "Cherry", -1, "Cherry"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.value) + (c.exact ? " exact" : ""));
    ListDialog d;
    d.exact = c.exact;
    d.edit = d.pick = d.item = c.value;
    ASSERT_TRUE(d.Create(7003));  // OnInitDialog loads the members
    EXPECT_EQ(d.list.m_hWnd, ::GetDlgItem(d.m_hWnd, 203));  // DDX_Control subclassed it
    EXPECT_EQ(d.SendDlgItemMessage(201, CB_GETCURSEL), c.index);
    EXPECT_EQ(d.SendDlgItemMessage(202, CB_GETCURSEL), c.index);
    EXPECT_EQ(d.SendDlgItemMessage(203, LB_GETCURSEL), c.index);
    CString shown;
    d.GetDlgItemText(201, shown);
    EXPECT_STREQ(static_cast<LPCTSTR>(shown), c.editText);
    ASSERT_TRUE(d.UpdateData(TRUE));
    EXPECT_STREQ(static_cast<LPCTSTR>(d.edit), c.editText);
    const char* picked = c.index < 0 ? "" : c.index == 0 ? "Apple" : "Applesauce";
    EXPECT_STREQ(static_cast<LPCTSTR>(d.pick), picked);
    EXPECT_STREQ(static_cast<LPCTSTR>(d.item), picked);
    EXPECT_EQ(d.pickIndex, c.index);
    EXPECT_EQ(d.itemIndex, c.index);
  }
}

}  // namespace
