#include "reports/RptAddress.h"

#include <cstdio>
#include <cstring>

#include "common/Settings.h"
#include "platform/base/Collections.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "reports/RptDlg.h"
#include "reports/RptSelection.h"
#include "store/Queries.h"

namespace {

constexpr int kLineRoom = 34;
const char* const kFormats[] = {"Scout Names", "Parents/Guardians", "Parents/Guardians of"};

std::string Cut(const std::string& text) { return text.substr(0, kLineRoom); }

void SetLine(int n, const std::string& text) {
  std::snprintf(RptAddressLines[n], sizeof RptAddressLines[n], "%.34s", text.c_str());
}

void ClearLines() { std::memset(RptAddressLines, 0, sizeof RptAddressLines); }

}  // namespace

std::vector<std::string> DefaultReturnAddress() {
  CStringArray lines;
  GetReturnAddress(lines);
  std::vector<std::string> out;
  for (int i = 0; i < lines.GetSize(); ++i)
    if (!lines.GetAt(i).IsEmpty()) out.push_back(Cut(static_cast<const char*>(lines.GetAt(i))));
  return out;
}

void LoadRptAddress() {
  ClearLines();
  const std::vector<std::string> def = DefaultReturnAddress();
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "RPTADDR");
  RptOptionG = GetSettingInt(s, 'A', 0);
  if (GetSettingFlag(s, 'B', 0)) {
    for (int n = 0; n < 5; ++n) {
      char text[kSettingsValueMax + 1] = "";
      GetSettingString(s, static_cast<char>('C' + n), nullptr, n < static_cast<int>(def.size()) ? def[n].c_str() : "",
                       "%s", text);
      SetLine(n, text);
    }
  } else {
    for (size_t n = 0; n < def.size() && n < 4; ++n) SetLine(static_cast<int>(n), def[n]);
  }
  CloseSettingsSection(s);
}

void SaveRptAddress() {
  const std::vector<std::string> def = DefaultReturnAddress();
  bool custom = def.empty();
  for (int n = 0; n < 5 && !custom; ++n)
    custom = std::string(RptAddressLines[n]) != (n < static_cast<int>(def.size()) ? def[n] : std::string());
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "RPTADDR");
  PutSettingInt(s, 'A', RptOptionG);
  PutSettingFlag(s, 'B', custom);
  if (custom)
    for (int n = 0; n < 5; ++n) PutSettingString(s, static_cast<char>('C' + n), nullptr, RptAddressLines[n]);
  CloseSettingsSection(s);
}

class CAddressDlg : public CRptDlg {
 public:
  CAddressDlg() : CRptDlg(IDD_RPT_ADDRESSES, nullptr) {}
  int m_format = -1;
  std::vector<std::string> m_lines;
  std::vector<std::string> m_formatNames;

 protected:
  static constexpr int kEdits[4] = {IDC_ADDR_LINE1, IDC_ADDR_LINE2, IDC_ADDR_LINE3, IDC_ADDR_LINE4};

  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    for (int id : kEdits) SendDlgItemMessage(id, EM_LIMITTEXT, kLineRoom, 0);
    for (const std::string& name : m_formatNames)
      SendDlgItemMessage(IDC_ADDR_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ShowLines();
    SendDlgItemMessage(IDC_ADDR_FORMAT, CB_SETCURSEL, static_cast<WPARAM>(m_format), 0);
    CenterWindow();
    return TRUE;
  }
  void ShowLines() {
    for (int i = 0; i < 4; ++i)
      SetDlgItemText(kEdits[i], i < static_cast<int>(m_lines.size()) ? m_lines[static_cast<size_t>(i)].c_str() : "");
  }
  bool OnControl(int id, int code) override {
    if (id != IDC_ADDR_RESET || code != BN_CLICKED) return false;
    // Back to the unit's address; the format stays as chosen.
    m_lines = DefaultReturnAddress();
    ShowLines();
    return true;
  }
  void OnOK() override {
    m_lines.clear();
    for (int id : kEdits) {
      const CString text = Text(id);
      if (!text.IsEmpty()) m_lines.push_back(Cut(static_cast<const char*>(text)));
    }
    m_format = static_cast<int>(SendDlgItemMessage(IDC_ADDR_FORMAT, CB_GETCURSEL, 0, 0));
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

void EditLabelAddresses() {
  CAddressDlg dlg;
  for (const char* line : RptAddressLines)
    if (line[0]) dlg.m_lines.emplace_back(line);
  dlg.m_formatNames.assign(std::begin(kFormats), std::end(kFormats));
  dlg.m_format = RptOptionG;
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return;
  ClearLines();
  for (size_t n = 0; n < dlg.m_lines.size() && n < 5; ++n) SetLine(static_cast<int>(n), dlg.m_lines[n]);
  RptOptionG = dlg.m_format;
}
