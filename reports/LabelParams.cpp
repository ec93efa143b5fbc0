#include "reports/LabelParams.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/Address.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "platform/base/Collections.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "reports/MailLabel.h"
#include "reports/RptDlg.h"
#include "reports/RptDriver.h"
#include "reports/RptParams.h"
#include "reports/RptSelection.h"
#include "store/KeyTable.h"
#include "store/Queries.h"
#include "store/TextCompare.h"
#include "store/UnitInfo.h"

namespace {

const char* const kNoLabel = "Label Definition:  You must select a label";

struct LabelType {
  const char* name;
  int id;
};
const LabelType kLabelTypes[] = {{"Members", 150},           {"Parents/Guardians", 151},
                                 {"Parents/Guardians of", 152}, {"Friends of Scouting", 153},
                                 {"Return Address", 154},    {"Manual Address", 155}};

bool LabelExists(const std::string& name) {
  std::vector<std::string> names;
  MailLabelStore.GetNames(3, 3, &names);
  for (const std::string& n : names)
    if (CompareNoCase(n.c_str(), name.c_str()) == 0) return true;
  return false;
}

// Loads the chosen definition as the current label. A name that finds no
// definition leaves the current label (the user's default) as it was.
bool RetrieveLabel(const std::string& name) {
  CMailLabel label;
  label.SetName(name.c_str());
  if (!MailLabelStore.Retrieve(label)) {
    DispMessage(MailLabelStore.GetErrorText(), MSG_WARNING);
    return false;
  }
  CurrentMailLabel = label;
  return true;
}

int AddComboEntries(CWnd* dlg, int id, const std::vector<std::string>& names, const std::string& chosen) {
  for (const std::string& n : names) dlg->SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
  return static_cast<int>(dlg->SendDlgItemMessage(id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(chosen.c_str())));
}

}  // namespace

class CRpt15 : public CRptDlg {
 public:
  explicit CRpt15(RptContext* c) : CRptDlg(IDD_RPT15, c) {}
  bool m_scouts = true, m_adults = false, m_duplicates = false;
  std::string m_type = "Members", m_number, m_definition;
  std::string m_lines[4];
  struct AddressLine {
    int id;
    std::string text;
  };
  std::vector<LabelType> m_types;          // the types offered
  std::vector<AddressLine> m_typeLines;    // the address lines of a type

 protected:
  static constexpr int kEdits[4] = {IDC_ADDR_LINE1, IDC_ADDR_LINE2, IDC_ADDR_LINE3, IDC_ADDR_LINE4};

  int TypeId() const {
    const LRESULT at = SendDlgItemMessage(IDC_LBL_TYPE, CB_GETCURSEL, 0, 0);
    return at < 0 ? 0 : static_cast<int>(SendDlgItemMessage(IDC_LBL_TYPE, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
  }

  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    for (const LabelType& t : m_types) {
      const LRESULT at = SendDlgItemMessage(IDC_LBL_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.name));
      SendDlgItemMessage(IDC_LBL_TYPE, CB_SETITEMDATA, static_cast<WPARAM>(at), t.id);
    }
    // A label report needs a type: the first one offered when the
    // remembered one is not.
    if (SendDlgItemMessage(IDC_LBL_TYPE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(m_type.c_str())) < 0)
      SendDlgItemMessage(IDC_LBL_TYPE, CB_SETCURSEL, 0, 0);
    std::vector<std::string> names;
    MailLabelStore.GetNames(3, 3, &names);
    AddComboEntries(this, IDC_LBL_DEF, names, m_definition);
    SendDlgItemMessage(IDC_LBL_SPIN, UDM_SETRANGE, 0, MAKELPARAM(500, 1));
    for (int id : kEdits) SendDlgItemMessage(id, EM_LIMITTEXT, 26, 0);
    for (int i = 0; i < 4; ++i) SetDlgItemText(kEdits[i], m_lines[i].c_str());
    SetDlgItemText(IDC_LBL_NUMBER, m_number.c_str());
    SetCheck(IDC_LBL_SCOUTS, m_scouts);
    SetCheck(IDC_LBL_ADULTS, m_adults);
    SetCheck(IDC_LBL_DUPLICATES, m_duplicates);
    OnSelChangeType();
    CenterWindow();
    return TRUE;
  }
  void OnSelChangeType() {
    const int id = TypeId();
    if (id && m_pContext) m_pContext->reportId = id;
    std::vector<std::string> lines;
    for (const AddressLine& l : m_typeLines)
      if (l.id == id) lines.push_back(l.text);
    for (size_t i = 0; i < lines.size() && i < 4; ++i) SetDlgItemText(kEdits[i], lines[i].c_str());
    UpdateControls();
  }
  void UpdateControls() {
    const int id = TypeId();
    if (id == 151 || id == 152) {
      SetCheck(IDC_LBL_SCOUTS, true);
      SetCheck(IDC_LBL_ADULTS, false);
    } else if (id >= 153) {
      SetCheck(IDC_LBL_SCOUTS, false);
      SetCheck(IDC_LBL_ADULTS, false);
      SetCheck(IDC_LBL_DUPLICATES, false);
    }
    Enable(IDC_LBL_SCOUTS, id == 150 && ScoutCount > 0);
    Enable(IDC_LBL_ADULTS, id == 150 && AdultCount > 0);
    Enable(IDC_LBL_DUPLICATES, id < 153);
    const bool address = id == 154 || id == 155;
    Enable(IDC_LBL_MANUAL_GROUP, address);
    for (int e : kEdits) Enable(e, address);
    Enable(IDC_LBL_NUMBER, address);
  }
  bool OnControl(int id, int code) override {
    if (id == IDC_LBL_TYPE && code == CBN_SELCHANGE) {
      OnSelChangeType();
      return true;
    }
    return false;
  }
  bool Validate() {
    const int id = TypeId();
    const bool scouts = Checked(IDC_LBL_SCOUTS), adults = Checked(IDC_LBL_ADULTS);
    char text[160];
    if (id >= 150 && id <= 152) {
      if (!scouts && !adults) {
        Warn("Either scouts or adults must be included");
        return false;
      }
      if (!scouts && AdultCount <= 0) {
        FormatErrorText(text, sizeof text, ERR_NONE_DEFINED, "adult");
        Warn(text);
        return false;
      }
      if (!adults && ScoutCount <= 0) {
        FormatErrorText(text, sizeof text, ERR_NONE_DEFINED, "scout");
        Warn(text);
        return false;
      }
    }
    const LRESULT at = SendDlgItemMessage(IDC_LBL_DEF, CB_GETCURSEL, 0, 0);
    char name[64] = "";
    if (at >= 0) SendDlgItemMessage(IDC_LBL_DEF, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(name));
    if (at < 0 || !LabelExists(name)) {
      Warn(kNoLabel);
      return false;
    }
    m_definition = name;
    if (id == 154 || id == 155) {
      bool any = false;
      for (int e : kEdits) any = any || !Text(e).IsEmpty();
      if (!any) {
        std::snprintf(text, sizeof text, "%s Address:  You must supply label text", id == 154 ? "Return" : "Manual");
        Warn(text);
        return false;
      }
      char number[32];
      std::snprintf(number, sizeof number, "%s", static_cast<const char*>(Text(IDC_LBL_NUMBER)));
      char message[300] = "";
      if (!ValidateDlgField("Number of Labels", number, 1, FIELD_NUMBER, VN_WHOLE, "1", "500", Item(IDC_LBL_NUMBER),
                            message)) {
        Warn(message);
        return false;
      }
    }
    return true;
  }
  void OnOK() override {
    if (!Validate() || !RetrieveLabel(m_definition)) return;
    int id = TypeId();
    char typeName[64] = "";
    SendDlgItemMessage(IDC_LBL_TYPE, CB_GETLBTEXT, static_cast<WPARAM>(SendDlgItemMessage(IDC_LBL_TYPE, CB_GETCURSEL, 0, 0)),
                       reinterpret_cast<LPARAM>(typeName));
    m_type = typeName;
    m_scouts = Checked(IDC_LBL_SCOUTS);
    m_adults = Checked(IDC_LBL_ADULTS);
    m_duplicates = Checked(IDC_LBL_DUPLICATES);
    m_number = static_cast<const char*>(Text(IDC_LBL_NUMBER));
    for (int i = 0; i < 4; ++i) m_lines[i] = static_cast<const char*>(Text(kEdits[i]));
    if (m_pContext) m_pContext->clipText = 1;
    RptOptionG = std::atoi(m_number.c_str());
    RptOptionF = m_duplicates ? 'N' : 'Y';
    RptOptionD = (m_scouts ? 1 : 0) + (m_adults ? 2 : 0);
    std::memset(RptAddressLines, 0, sizeof RptAddressLines);
    // The return address prints as a manual address of the lines shown.
    if (id == 154) id = 155;
    if (id == 155)
      for (int i = 0; i < 4; ++i) std::snprintf(RptAddressLines[i], sizeof RptAddressLines[i], "%.34s", m_lines[i].c_str());
    if (m_pContext) m_pContext->reportId = id;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt15Params(RptContext* c) {
  CRpt15 dlg(c);
  RptLaunch launch(15);
  dlg.m_type = RptText('A', "Members");
  const char* type = dlg.m_type.c_str();
  dlg.m_scouts = RptFlag('B', true, type);
  dlg.m_adults = RptFlag('C', false, type);
  dlg.m_duplicates = RptFlag('D', false, type);
  const MailLabelDef& current = CurrentMailLabel.Definition();
  dlg.m_number = RptText('E', std::to_string(current.across * current.down).c_str(), type);
  dlg.m_definition = RptText('F', CurrentMailLabel.GetName(), type);
  for (int i = 0; i < 4; ++i) dlg.m_lines[i] = RptText(static_cast<char>('G' + i), "");
  const bool scouts = ScoutCount > 0;
  for (const LabelType& t : kLabelTypes) {
    const bool offered = t.id <= 152 ? scouts : t.id == 153 ? AnyFriend()
                         : t.id == 154 ? (UnitAddress1[0] || UnitAddress2[0]) : true;
    if (offered) dlg.m_types.push_back(t);
  }
  char city[65];
  FormatCityLine(UnitCity, UnitState, UnitZip, 64, city);
  for (const char* line : {static_cast<const char*>(UnitName), static_cast<const char*>(UnitAddress1),
                           static_cast<const char*>(UnitAddress2), static_cast<const char*>(city)})
    dlg.m_typeLines.push_back({154, line});
  for (int i = 0; i < 4; ++i) dlg.m_typeLines.push_back({155, dlg.m_lines[i]});
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  c->labelFlag = 1;
  PutRptText('A', dlg.m_type);
  const char* chosen = dlg.m_type.c_str();
  PutRptFlag('B', dlg.m_scouts, chosen);
  PutRptFlag('C', dlg.m_adults, chosen);
  PutRptFlag('D', dlg.m_duplicates, chosen);
  PutRptText('E', dlg.m_number, chosen);
  PutRptText('F', dlg.m_definition, chosen);
  if (dlg.m_type == "Manual Address")
    for (int i = 0; i < 4; ++i) PutRptText(static_cast<char>('G' + i), dlg.m_lines[i]);
  return launch.Done(true);
}

class CRpt25 : public CRptDlg {
 public:
  CRpt25(RptContext* c, const ListOfValues& items) : CRptDlg(IDD_RPT25, c), m_items(items) {
    // The dialog keeps its size whether it ends with OK or not.
    m_section = OpenSettingsSection(SettingsFileName, "RPT25");
    m_nWidth = GetSettingInt(m_section, 'X', 0);
    m_nHeight = GetSettingInt(m_section, 'Y', 0);
  }
  ~CRpt25() override {
    PutSettingInt(m_section, 'X', m_nWidth);
    PutSettingInt(m_section, 'Y', m_nHeight);
    CloseSettingsSection(m_section);
  }
  std::string m_definition;

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    for (int i = 0; i < m_items.Count(); ++i) {
      const LRESULT at = SendDlgItemMessage(IDC_EQL_LIST, LB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(m_items.texts[static_cast<size_t>(i)].data()));
      SendDlgItemMessage(IDC_EQL_LIST, LB_SETITEMDATA, static_cast<WPARAM>(at), m_items.ids[static_cast<size_t>(i)]);
    }
    m_toggle = 0;
    std::vector<std::string> names;
    MailLabelStore.GetNames(3, 3, &names);
    if (AddComboEntries(this, IDC_EQL_DEF, names, m_definition) < 0) SetDlgItemText(IDC_EQL_DEF, m_definition.c_str());
    SetupSizing({IDC_EQL_LIST}, true, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  bool OnControl(int id, int code) override {
    if (id != IDC_EQL_BUTTON || code != BN_CLICKED) return false;
    m_toggle = !m_toggle;
    SendDlgItemMessage(IDC_EQL_LIST, LB_SETSEL, m_toggle ? TRUE : FALSE, -1);
    return true;
  }
  void OnOK() override {
    if (SendDlgItemMessage(IDC_EQL_LIST, LB_GETSELCOUNT, 0, 0) <= 0) {
      Warn("Equipment:  No items were selected");
      return;
    }
    const std::string name = static_cast<const char*>(Text(IDC_EQL_DEF));
    // A typed name must name a definition, or the user's default label
    // would give way to an empty one.
    if (name.empty() || !LabelExists(name)) {
      Warn(kNoLabel);
      return;
    }
    if (!RetrieveLabel(name)) return;
    m_definition = name;
    EquipCount = 0;
    const int count = static_cast<int>(SendDlgItemMessage(IDC_EQL_LIST, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      if (SendDlgItemMessage(IDC_EQL_LIST, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
        if (EquipCount >= static_cast<int>(EquipList.size())) EquipList.resize(static_cast<size_t>(EquipCount) + 1);
        EquipList[static_cast<size_t>(EquipCount++)] =
            static_cast<int>(SendDlgItemMessage(IDC_EQL_LIST, LB_GETITEMDATA, static_cast<WPARAM>(i), 0));
      }
    if (m_pContext) m_pContext->clipText = 1;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  const ListOfValues& m_items;
  SettingsSection* m_section = nullptr;
  int m_toggle = 0;
};

int GetRpt25Params(RptContext* c) {
  ListOfValues items;
  RptLaunch launch(25);
  if (!AnyEquipment()) return launch.Missing("equipment item");
  if (!GetListOfValues("EQUIP", 1, &items)) return launch.Done(false);
  CRpt25 dlg(c, items);
  dlg.m_definition = RptText('A', CurrentMailLabel.GetName());
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  c->labelFlag = 1;
  PutRptText('A', dlg.m_definition);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

class CRpt5 : public CRptDlg {
 public:
  CRpt5(RptContext* c, const ListOfValues& cat1, const ListOfValues& cat2)
      : CRptDlg(IDD_RPT5, c), m_cat1(cat1), m_cat2(cat2) {}
  std::string m_idFrom, m_idTo;
  bool m_removed = false, m_extended = false, m_perPage = false;
  char m_order = 'C', m_grouping = 'N';
  CStringArray m_chosen1, m_chosen2, m_chosenConditions;
  std::string m_caption1 = "Category &1:", m_caption2 = "Category &2:";

 protected:
  static constexpr const char* kConditions[4] = {"Excellent", "Good", "Fair", "Poor"};
  static constexpr const char* kUnassigned = "(unassigned)";

  static std::string Without(std::string text, char c) {
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
    return text;
  }
  void FillList(int id, const std::vector<std::string>& entries, const CStringArray& chosen) {
    for (const std::string& e : entries) SendDlgItemMessage(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    SendDlgItemMessage(id, LB_SETSEL, FALSE, -1);
    for (int i = 0; i < chosen.GetSize(); ++i) {
      const LRESULT at = SendDlgItemMessage(id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(static_cast<const char*>(chosen.GetAt(i))));
      if (at >= 0) SendDlgItemMessage(id, LB_SETSEL, TRUE, at);
    }
  }
  static std::vector<std::string> Entries(const ListOfValues& list) {
    std::vector<std::string> out = {kUnassigned};
    for (int i = 0; i < list.Count(); ++i) out.emplace_back(list.texts[static_cast<size_t>(i)].data());
    return out;
  }
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    const std::string c1 = Without(m_caption1, ':'), c2 = Without(m_caption2, ':');
    SetDlgItemText(IDC_EQI_CAT1_BUTTON, (c1 + ":").c_str());
    SetDlgItemText(IDC_EQI_CAT2_BUTTON, (c2 + ":").c_str());
    SetDlgItemText(IDC_EQI_BY_CAT1, ("&By " + Without(c1, '&')).c_str());
    SetDlgItemText(IDC_EQI_BY_CAT2, ("B&y " + Without(c2, '&')).c_str());
    SetDlgItemText(IDC_EQI_FROM, m_idFrom.c_str());
    SetDlgItemText(IDC_EQI_TO, m_idTo.c_str());
    SendDlgItemMessage(IDC_EQI_FROM, EM_LIMITTEXT, 6, 0);
    SendDlgItemMessage(IDC_EQI_TO, EM_LIMITTEXT, 6, 0);
    SetCheck(IDC_EQI_REMOVED, m_removed);
    SetCheck(IDC_EQI_EXTENDED, m_extended);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    if (m_order == 'C') SetCheck(IDC_EQI_BY_DATE, true);
    else if (m_order == 'A') SetCheck(IDC_EQI_BY_DESC, true);
    else if (m_order == 'N') SetCheck(IDC_EQI_BY_ID, true);
    if (m_grouping == 'N') SetCheck(IDC_EQI_NO_GROUPING, true);
    else if (m_grouping == '1') SetCheck(IDC_EQI_BY_CAT1, true);
    else if (m_grouping == '2') SetCheck(IDC_EQI_BY_CAT2, true);
    FillList(IDC_EQI_CAT1, Entries(m_cat1), m_chosen1);
    FillList(IDC_EQI_CAT2, Entries(m_cat2), m_chosen2);
    FillList(IDC_EQI_COND, std::vector<std::string>(std::begin(kConditions), std::end(kConditions)), m_chosenConditions);
    SetupSizing({IDC_EQI_PARAMS, IDC_EQI_CAT1, IDC_EQI_CAT2, IDC_EQI_COND}, true, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED) return false;
    const int lists[3][2] = {{IDC_EQI_CAT1_BUTTON, IDC_EQI_CAT1}, {IDC_EQI_CAT2_BUTTON, IDC_EQI_CAT2},
                             {IDC_EQI_COND_BUTTON, IDC_EQI_COND}};
    for (int i = 0; i < 3; ++i)
      if (id == lists[i][0]) {
        m_toggles[i] = !m_toggles[i];
        SendDlgItemMessage(lists[i][1], LB_SETSEL, m_toggles[i] ? TRUE : FALSE, -1);
        return true;
      }
    if (id == IDC_EQI_NO_GROUPING || id == IDC_EQI_BY_CAT1 || id == IDC_EQI_BY_CAT2) {
      Enable(IDC_RPT_PAGE, !Checked(IDC_EQI_NO_GROUPING));
      return true;
    }
    return false;
  }
  void ReadChosen(int id, CStringArray& out) {
    out.RemoveAll();
    const int count = static_cast<int>(SendDlgItemMessage(id, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      if (SendDlgItemMessage(id, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
        char text[64] = "";
        SendDlgItemMessage(id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.Add(text);
      }
  }
  static std::string Trimmed(const CString& text) {
    std::string s = static_cast<const char*>(text);
    const size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1).substr(0, 6);
  }
  bool Validate() {
    m_idFrom = Trimmed(Text(IDC_EQI_FROM));
    m_idTo = Trimmed(Text(IDC_EQI_TO));
    m_order = Checked(IDC_EQI_BY_DATE) ? 'C' : Checked(IDC_EQI_BY_DESC) ? 'A' : Checked(IDC_EQI_BY_ID) ? 'N' : m_order;
    m_grouping = Checked(IDC_EQI_NO_GROUPING) ? 'N' : Checked(IDC_EQI_BY_CAT1) ? '1'
                 : Checked(IDC_EQI_BY_CAT2) ? '2' : m_grouping;
    ReadChosen(IDC_EQI_CAT1, m_chosen1);
    ReadChosen(IDC_EQI_CAT2, m_chosen2);
    ReadChosen(IDC_EQI_COND, m_chosenConditions);
    if (m_idFrom.empty() != m_idTo.empty()) {
      Warn("Inventory ID Range:  Use of the ID range requires two values");
      return false;
    }
    return true;
  }
  static void TakeCategories(const CStringArray& chosen, const std::vector<std::string>& all,
                             std::vector<std::string>& out) {
    out.clear();
    if (chosen.GetSize() == 0)
      for (const std::string& e : all) out.push_back(e == kUnassigned ? std::string() : e);
    for (int i = 0; i < chosen.GetSize(); ++i) {
      const std::string e = static_cast<const char*>(chosen.GetAt(i));
      out.push_back(e == kUnassigned ? std::string() : e);
    }
  }
  void OnOK() override {
    if (!Validate()) return;
    m_removed = Checked(IDC_EQI_REMOVED);
    m_extended = Checked(IDC_EQI_EXTENDED);
    m_perPage = Checked(IDC_RPT_PAGE);
    std::snprintf(RptIdFrom, sizeof RptIdFrom, "%s", m_idFrom.c_str());
    std::snprintf(RptIdTo, sizeof RptIdTo, "%s", m_idTo.c_str());
    RptOptionE = m_extended ? 'Y' : 'N';
    RptOptionF = m_removed ? 'Y' : 'N';
    RptOrder = m_order;
    RptGroupBy = m_grouping;
    RptOptionG = m_perPage ? 1 : 0;
    if (m_pContext) m_pContext->lineWidth = m_extended ? kRptLandscapeWidth : kRptPortraitWidth;
    EquipCount = 0;
    for (int c = 0; c < 4; ++c) {
      bool chosen = m_chosenConditions.GetSize() == 0;
      for (int i = 0; i < m_chosenConditions.GetSize(); ++i)
        chosen = chosen || m_chosenConditions.GetAt(i) == kConditions[c];
      if (chosen) RptConditionList[EquipCount++] = c;
    }
    TakeCategories(m_chosen1, Entries(m_cat1), RptCategory1List);
    TakeCategories(m_chosen2, Entries(m_cat2), RptCategory2List);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  const ListOfValues& m_cat1;
  const ListOfValues& m_cat2;
  int m_toggles[3] = {};
};

int GetRpt5Params(RptContext* c) {
  ListOfValues cat1, cat2, conditions;
  RptLaunch launch(5);
  if (!AnyEquipment()) return launch.Missing("equipment item");
  GetListOfValues("ECAT1", 0, &cat1);
  GetListOfValues("ECAT2", 0, &cat2);
  GetListOfValues("ECOND", 0, &conditions);
  CRpt5 dlg(c, cat1, cat2);
  SettingsSection* labels = OpenSettingsSection(SettingsFileName, "LABELS");
  char caption[32] = "";
  GetSettingString(labels, 'A', nullptr, "Category &1:", "%s", caption);
  dlg.m_caption1 = caption;
  GetSettingString(labels, 'B', nullptr, "Category &2:", "%s", caption);
  dlg.m_caption2 = caption;
  CloseSettingsSection(labels);
  dlg.m_idFrom = RptText('A', "");
  dlg.m_idTo = RptText('B', "");
  GetSettingArray(RptParamSection, 'C', dlg.m_chosen1);
  GetSettingArray(RptParamSection, 'D', dlg.m_chosen2);
  dlg.m_extended = RptFlag('E', false);
  dlg.m_removed = RptFlag('F', false);
  dlg.m_order = RptText('G', "C")[0];
  dlg.m_grouping = RptText('H', "N")[0];
  dlg.m_perPage = RptFlag('I', false);
  GetSettingArray(RptParamSection, 'J', dlg.m_chosenConditions);
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  PutRptText('A', dlg.m_idFrom);
  PutRptText('B', dlg.m_idTo);
  PutSettingArray(RptParamSection, 'C', &dlg.m_chosen1);
  PutSettingArray(RptParamSection, 'D', &dlg.m_chosen2);
  PutRptFlag('E', dlg.m_extended);
  PutRptFlag('F', dlg.m_removed);
  PutRptText('G', std::string(1, dlg.m_order));
  PutRptText('H', std::string(1, dlg.m_grouping));
  PutRptFlag('I', dlg.m_perPage);
  PutSettingArray(RptParamSection, 'J', &dlg.m_chosenConditions);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

void InstallLabelLaunchers() {
  RegisterRptLauncher(5, GetRpt5Params);
  RegisterRptLauncher(15, GetRpt15Params);
  RegisterRptLauncher(25, GetRpt25Params);
}
