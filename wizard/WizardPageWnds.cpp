// The nine page windows of the wizard: each moves the window-free page logic
// (wizard/WizardPages.h) into its controls on activation and the controls'
// answers back on Next.
#include <string>
#include <vector>

#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "wizard/Conversion.h"
#include "wizard/WizardPages.h"
#include "wizard/WizardSheet.h"

namespace {

// The selected item's text of a drop-down list; empty without a selection.
std::string ComboSelection(const CWnd& page, int id) {
  int sel = static_cast<int>(page.SendDlgItemMessage(id, CB_GETCURSEL));
  if (sel < 0) return {};
  std::string text(static_cast<std::size_t>(page.SendDlgItemMessage(id, CB_GETLBTEXTLEN, sel)) + 1, '\0');
  page.SendDlgItemMessage(id, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text.data()));
  text.resize(text.find('\0'));
  return text;
}

void FillCombo(CWnd& page, int id, const std::vector<std::string>& items, int selected) {
  page.SendDlgItemMessage(id, CB_RESETCONTENT);
  for (const std::string& item : items)
    page.SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  page.SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(selected));
}

class ModeWnd : public CWizPage {
 public:
  ModeWnd() : CWizPage(IDD_WIZ_MODE, kSlotMode) {}

 protected:
  void Load() override {
    logic_.Activate(Job());
    SetMessage(logic_.text);
    FillCombo(*this, IDC_WIZ_TYPE, logic_.types, logic_.selected);
    SetText(IDC_WIZ_FOLDER, logic_.folder);
    EnableBrowse(IDC_WIZ_BROWSE, true);
  }
  bool Save() override {
    return logic_.Next(Job(), static_cast<int>(SendDlgItemMessage(IDC_WIZ_TYPE, CB_GETCURSEL)),
                       GetText(IDC_WIZ_FOLDER));
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_WIZ_BROWSE && HIWORD(wParam) == BN_CLICKED) {
      Browse("Installation Folder", IDC_WIZ_FOLDER);
      return TRUE;
    }
    return CWizPage::OnCommand(wParam, lParam);
  }

 private:
  ModePage logic_;
};

// The welcome and start pages show only their text.
template <class Logic>
class TextWnd : public CWizPage {
 public:
  TextWnd(UINT id, int slot) : CWizPage(id, slot) {}

 protected:
  void Load() override {
    logic_.Activate(Job());
    SetMessage(logic_.text);
  }
  Logic logic_;
};

class WelcomeWnd : public TextWnd<WelcomePage> {
 public:
  WelcomeWnd() : TextWnd(IDD_WIZ_WELCOME, kSlotWelcome) {}
};

class StartWnd : public TextWnd<StartPage> {
 public:
  StartWnd() : TextWnd(IDD_WIZ_START, kSlotStart) {}

 protected:
  bool Save() override { return logic_.Next(Job()); }
};

class SourceWnd : public CWizPage {
 public:
  SourceWnd() : CWizPage(IDD_WIZ_SOURCE, kSlotSource) {}

 protected:
  void Load() override {
    logic_.Activate(Job());
    SetMessage(logic_.text);
    SetText(IDC_WIZ_SOURCE_LABEL, logic_.label);
    SetText(IDC_WIZ_SOURCE_FOLDER, logic_.folder);
    SetText(IDC_WIZ_DRIVE_ROOT, logic_.driveRoot);
    EnableBrowse(IDC_WIZ_BROWSE, true);
  }
  bool Save() override {
    return logic_.Next(Job(), Sheet().Flow(), GetText(IDC_WIZ_SOURCE_FOLDER), GetText(IDC_WIZ_DRIVE_ROOT));
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_WIZ_BROWSE && HIWORD(wParam) == BN_CLICKED) {
      Browse(logic_.BrowseTitle(), IDC_WIZ_SOURCE_FOLDER);
      return TRUE;
    }
    return CWizPage::OnCommand(wParam, lParam);
  }

 private:
  SourcePage logic_;
};

class AdultWnd : public CWizPage {
 public:
  AdultWnd() : CWizPage(IDD_WIZ_ADULT, kSlotAdult) {}

 protected:
  void Load() override {
    logic_.Activate(Job());
    SetText(IDC_WIZ_ADULT_LABEL, logic_.label);
    SetTitle(logic_.title);
    SetMessage(logic_.text);
    FillCombo(*this, IDC_WIZ_ADULT_LIST, logic_.items, logic_.selected);
  }
  bool Save() override {
    return logic_.Next(Job(), Sheet().Flow(), ComboSelection(*this, IDC_WIZ_ADULT_LIST));
  }

 private:
  AdultPage logic_;
};

class SubunitQuestionWnd : public CWizPage {
 public:
  SubunitQuestionWnd() : CWizPage(IDD_WIZ_SUBUNIT_QUESTION, kSlotSubunitQuestion) {}

 protected:
  void Load() override {
    logic_.Activate(Job());
    SetTitle(logic_.title);
    SetMessage(logic_.text);
    // The answer starts at No; a later visit shows the last answer.
    CheckRadioButton(IDC_WIZ_YES, IDC_WIZ_NO, logic_.yes ? IDC_WIZ_YES : IDC_WIZ_NO);
  }
  bool Save() override {
    logic_.Next(Job(), Sheet().Flow(), IsDlgButtonChecked(IDC_WIZ_YES) == BST_CHECKED);
    return true;
  }

 private:
  SubunitQuestionPage logic_;
};

class IdentificationWnd : public CWizPage {
 public:
  IdentificationWnd() : CWizPage(IDD_WIZ_IDENTIFICATION, kSlotIdentification) {}

 protected:
  void Load() override {
    logic_.Activate(Job());
    SetTitle(logic_.title);
    SetMessage(logic_.text);
    SendDlgItemMessage(IDC_WIZ_MEMBERS, LB_RESETCONTENT);
    for (const std::string& item : logic_.items)
      SendDlgItemMessage(IDC_WIZ_MEMBERS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    for (int index : logic_.selected) SendDlgItemMessage(IDC_WIZ_MEMBERS, LB_SETSEL, TRUE, index);
  }
  bool Save() override {
    int count = static_cast<int>(SendDlgItemMessage(IDC_WIZ_MEMBERS, LB_GETSELCOUNT));
    std::vector<int> indexes(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0)
      SendDlgItemMessage(IDC_WIZ_MEMBERS, LB_GETSELITEMS, static_cast<WPARAM>(count),
                         reinterpret_cast<LPARAM>(indexes.data()));
    std::vector<std::string> texts;
    for (int index : indexes) {
      std::string text(static_cast<std::size_t>(SendDlgItemMessage(IDC_WIZ_MEMBERS, LB_GETTEXTLEN, index)) + 1, '\0');
      SendDlgItemMessage(IDC_WIZ_MEMBERS, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
      text.resize(text.find('\0'));
      texts.push_back(text);
    }
    logic_.Next(Job(), texts);
    return true;
  }

 private:
  IdentificationPage logic_;
};

class FiscalYearWnd : public CWizPage {
 public:
  FiscalYearWnd() : CWizPage(IDD_WIZ_FISCAL_YEARS, kSlotFiscalYears) {}

 protected:
  static constexpr int kChecks[FiscalYearPage::kRows] = {1026, 1027, 1034, 1037, 1040, 1043};
  static constexpr int kEdits[FiscalYearPage::kRows] = {1028, 1032, 1035, 1038, 1041, 1044};
  static constexpr int kBrowses[FiscalYearPage::kRows] = {1029, 1033, 1036, 1039, 1042, 1045};

  void Load() override {
    logic_.Activate(Job());
    SetMessage(logic_.text);
    SetText(IDC_WIZ_FOLDER, logic_.rootEdit);
    EnableBrowse(IDC_WIZ_ROOT_BROWSE, true);
    SendDlgItemMessage(IDC_WIZ_YEAR_SCROLL, SBM_SETRANGE, 0, logic_.RangeMax());
    if (CWnd* bar = GetDlgItem(IDC_WIZ_YEAR_SCROLL)) bar->EnableWindow(logic_.ScrollEnabled());
    ShowRows();
  }
  bool Save() override {
    SaveRows();
    return logic_.Next(Job());
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (code == BN_CLICKED) {
      if (id == IDC_WIZ_RESET) {
        logic_.rootEdit = GetText(IDC_WIZ_FOLDER);
        logic_.ResetFolders(Job());
        ShowRows();
        return TRUE;
      }
      if (id == IDC_WIZ_ROOT_BROWSE) {
        Browse(logic_.BrowseTitle(-1), IDC_WIZ_FOLDER);
        return TRUE;
      }
      for (int row = 0; row < FiscalYearPage::kRows; ++row) {
        if (id == kChecks[row]) {
          EnableRow(row, IsDlgButtonChecked(id) == BST_CHECKED);
          return TRUE;
        }
        if (id == kBrowses[row]) {
          Browse(logic_.BrowseTitle(row), kEdits[row]);
          return TRUE;
        }
      }
    }
    if (code == EN_KILLFOCUS)
      for (int edit : kEdits)
        if (id == edit) SendDlgItemMessage(id, EM_SETSEL, 0, -1);
    return CWizPage::OnCommand(wParam, lParam);
  }
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override {
    static const struct {
      UINT bar;
      int page;
    } kCodes[] = {{SB_LINEUP, FiscalYearPage::kLineUp},   {SB_LINEDOWN, FiscalYearPage::kLineDown},
                  {SB_PAGEUP, FiscalYearPage::kPageUp},   {SB_PAGEDOWN, FiscalYearPage::kPageDown},
                  {SB_TOP, FiscalYearPage::kTop},         {SB_BOTTOM, FiscalYearPage::kBottom},
                  {SB_THUMBPOSITION, FiscalYearPage::kThumb}, {SB_THUMBTRACK, FiscalYearPage::kThumb}};
    for (const auto& c : kCodes) {
      if (c.bar != code) continue;
      const int before = logic_.Position();
      SaveRows();
      logic_.Scroll(c.page, static_cast<int>(pos));
      if (logic_.Position() != before) ShowRows();
      return;
    }
    CWizPage::OnVScroll(code, pos, bar);
  }

 private:
  FiscalYearPage logic_;

  void ShowRows() {
    const std::vector<FiscalYearPage::Row> rows = logic_.Rows();
    for (int i = 0; i < FiscalYearPage::kRows; ++i) {
      const FiscalYearPage::Row& row = rows[static_cast<std::size_t>(i)];
      for (int id : {kChecks[i], kEdits[i], kBrowses[i]})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(row.visible ? SW_SHOW : SW_HIDE);
      SetText(kChecks[i], row.caption);
      CheckDlgButton(kChecks[i], row.checked ? BST_CHECKED : BST_UNCHECKED);
      SetText(kEdits[i], row.folder);
      EnableRow(i, row.editEnabled);
    }
    SendDlgItemMessage(IDC_WIZ_YEAR_SCROLL, SBM_SETPOS, static_cast<WPARAM>(logic_.Position()), TRUE);
  }
  void SaveRows() {
    const std::vector<FiscalYearPage::Row> rows = logic_.Rows();
    for (int i = 0; i < FiscalYearPage::kRows; ++i)
      if (rows[static_cast<std::size_t>(i)].visible)
        logic_.EditRow(i, IsDlgButtonChecked(kChecks[i]) == BST_CHECKED, GetText(kEdits[i]));
  }
  void EnableRow(int row, bool enable) {
    if (CWnd* edit = GetDlgItem(kEdits[row])) edit->EnableWindow(enable);
    EnableBrowse(kBrowses[row], enable);
  }
};

class StatusWnd : public CWizPage {
 public:
  StatusWnd() : CWizPage(IDD_WIZ_STATUS, kSlotStatus) {}

 protected:
  void Load() override {
    logic_.Activate(Job());
    SetMessage(logic_.text);
    SendDlgItemMessage(IDC_WIZ_STATUS_LIST, LB_RESETCONTENT);
    for (const std::string& line : logic_.lines)
      SendDlgItemMessage(IDC_WIZ_STATUS_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }

 private:
  StatusPage logic_;
};

}  // namespace

std::unique_ptr<CWizPage> MakeWizardPage(int slot) {
  switch (slot) {
    case kSlotMode: return std::make_unique<ModeWnd>();
    case kSlotWelcome: return std::make_unique<WelcomeWnd>();
    case kSlotSource: return std::make_unique<SourceWnd>();
    case kSlotAdult: return std::make_unique<AdultWnd>();
    case kSlotSubunitQuestion: return std::make_unique<SubunitQuestionWnd>();
    case kSlotIdentification: return std::make_unique<IdentificationWnd>();
    case kSlotFiscalYears: return std::make_unique<FiscalYearWnd>();
    case kSlotStart: return std::make_unique<StartWnd>();
    default: return std::make_unique<StatusWnd>();
  }
}
