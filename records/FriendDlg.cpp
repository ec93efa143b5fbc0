#include "records/FriendDlg.h"

#include <strings.h>

#include <cstring>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/PhoneTypes.h"
#include "common/StrUtil.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/LogDump.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/Xfer.h"

namespace {

// The trimmed text of a field into a record's fixed field.
template <size_t N>
void TakeText(char (&out)[N], const CString& text) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "%s", static_cast<const char*>(text));
  TrimString(buf, 3);
  std::memset(out, 0, N);
  std::memcpy(out, buf, std::min(std::strlen(buf), N - 1));
}

template <size_t N>
CString Text(const char (&field)[N]) {
  char buf[N + 1] = {};
  std::memcpy(buf, field, N);
  return CString(buf);
}

struct FieldLimit {
  int id;
  int limit;
};
const FieldLimit kLimits[] = {{IDC_FOS_LAST, 15},  {IDC_FOS_FIRST, 11}, {IDC_FOS_ADDR1, 26}, {IDC_FOS_ADDR2, 26},
                              {IDC_FOS_CITY, 17},  {IDC_FOS_STATE, 2},  {IDC_FOS_ZIP, 10},   {IDC_FOS_REMARKS, 50},
                              {IDC_FOS_PHONE0, 13}, {IDC_FOS_PHONE1, 13}, {IDC_FOS_PHONE2, 13}, {IDC_FOS_PHONE3, 13},
                              {IDC_FOS_EXT0, 4},   {IDC_FOS_EXT1, 4},   {IDC_FOS_EXT2, 4},   {IDC_FOS_EXT3, 4}};

}  // namespace

// ---- Friend-of-Scouting Information ----

CFriendDlg::CFriendDlg(CWnd* parent) : CRecordInfoDlg(IDD_FRIENDINFO, parent) {}

void CFriendDlg::DoDataExchange(CDataExchange* pDX) {
  CRecordInfoDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FOS_LAST, m_strLast);
  DDX_Text(pDX, IDC_FOS_FIRST, m_strFirst);
  DDX_Text(pDX, IDC_FOS_ADDR1, m_strAddress1);
  DDX_Text(pDX, IDC_FOS_ADDR2, m_strAddress2);
  DDX_Text(pDX, IDC_FOS_CITY, m_strCity);
  DDX_Text(pDX, IDC_FOS_STATE, m_strState);
  DDX_Text(pDX, IDC_FOS_ZIP, m_strZip);
  DDX_Text(pDX, IDC_FOS_REMARKS, m_strRemarks);
  for (int i = 0; i < 4; ++i) {
    DDX_PickLabel(pDX, m_phoneTypes[i], m_strPhoneType[i]);
    DDX_Text(pDX, IDC_FOS_PHONE0 + i, m_strPhone[i]);
    DDX_Text(pDX, IDC_FOS_EXT0 + i, m_strExt[i]);
    DDX_Text(pDX, IDC_FOS_YEAR0 + i, m_strYear[i]);
    DDX_Amount(pDX, m_amounts[i], m_strAmount[i]);
  }
}

void CFriendDlg::SetupFields() {
  for (const FieldLimit& f : kLimits) SendDlgItemMessage(f.id, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
  for (int i = 0; i < 4; ++i) {
    m_phoneTypes[i].SubclassDlgItem(IDC_FOS_PHONE_TYPE0 + i, this, &m_bChanged);
    m_phoneTypes[i].AddChoices(PhoneTypeList.GetNames());
    m_amounts[i].SubclassDlgItem(IDC_FOS_AMOUNT0 + i, this);
    m_amounts[i].SetFormat(CAmountEdit::kDecimals, "-999.99", "9999.99", 2);
    m_amounts[i].SetLimitText(7);
    m_amounts[i].SetChangeFlag(&m_bChanged);
  }
}

int CFriendDlg::LoadFields() {
  if (!XferFriend(0, m_bNew, m_pCurPos, &m_loaded)) return 0;
  m_edited = m_loaded;
  m_strLast = Text(m_loaded.lastName);
  m_strFirst = Text(m_loaded.firstName);
  m_strAddress1 = Text(m_loaded.address1);
  m_strAddress2 = Text(m_loaded.address2);
  m_strCity = Text(m_loaded.city);
  m_strState = Text(m_loaded.state);
  m_strZip = Text(m_loaded.zip);
  m_strRemarks = Text(m_loaded.remarks);
  for (int i = 0; i < 4; ++i) {
    const PhoneEntry& p = m_loaded.phones[i];
    m_strPhone[i] = Text(p.number);
    m_strExt[i] = Text(p.extension);
    m_strPhoneType[i] = PhoneTypeList.GetNameByCode(p.type);
    // "2004" is shown as "200&4:": the last digit is the access key.
    const char* y = m_loaded.yearLabels[i];
    m_strYear[i].Format("%c%c%c&%c:", y[0], y[1], y[2], y[3]);
    m_strAmount[i] = FormatCents(m_loaded.yearAmounts[i]);
  }
  return 1;
}

bool CFriendDlg::TableFull() const { return FriendTable.freeCount <= 0; }
int CFriendDlg::LiveCount() const { return FriendTable.liveCount; }
int CFriendDlg::IndexSize() const { return FriendTable.rowCount; }
bool CFriendDlg::IsLiveAt(int pos) const {
  if (pos < 0 || pos >= FriendTable.rowCount) return false;
  return FriendTable.keys[static_cast<size_t>(FriendTable.byName[static_cast<size_t>(pos)])].status != kStatusDeleted;
}

bool CFriendDlg::IsEditableField(int id) const {
  // The amounts report their own changes.
  return id < IDC_FOS_AMOUNT0 || id > IDC_FOS_AMOUNT3 ? CRecordInfoDlg::IsEditableField(id) : false;
}

int CFriendDlg::Validate() {
  if (!UpdateData(TRUE)) return 0;
  FriendRecord& r = m_edited;
  TakeText(r.lastName, m_strLast);
  TakeText(r.firstName, m_strFirst);
  TakeText(r.address1, m_strAddress1);
  TakeText(r.address2, m_strAddress2);
  TakeText(r.city, m_strCity);
  TakeText(r.state, m_strState);
  TakeText(r.zip, m_strZip);
  TakeText(r.remarks, m_strRemarks);
  long total = 0;
  for (int i = 0; i < 4; ++i) {
    TakeText(r.phones[i].number, m_strPhone[i]);
    TakeText(r.phones[i].extension, m_strExt[i]);
    r.phones[i].type = PhoneTypeList.GetCodeByName(m_strPhoneType[i]);
    CString amount;
    m_amounts[i].GetText(amount);
    r.yearAmounts[i] = static_cast<LONG>(ParseDollars(amount));
    total += r.yearAmounts[i];
  }
  r.total = static_cast<LONG>(total);

  char message[300];
  HWND lastField = ::GetDlgItem(GetSafeHwnd(), IDC_FOS_LAST);
  const struct {
    char* text;
    size_t size;
    int id;
  } names[2] = {{r.lastName, sizeof r.lastName, IDC_FOS_LAST}, {r.firstName, sizeof r.firstName, IDC_FOS_FIRST}};
  for (const auto& n : names) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*s", static_cast<int>(n.size - 1), n.text);
    if (!ValidateDlgField("Name (Last,First)", text, 1, FIELD_TEXT, 0, nullptr, nullptr,
                          ::GetDlgItem(GetSafeHwnd(), n.id), message)) {
      DispMessage(message, MSG_WARNING);
      return 0;
    }
  }
  const bool renamed = strcasecmp(Text(r.lastName), Text(m_loaded.lastName)) != 0 ||
                       strcasecmp(Text(r.firstName), Text(m_loaded.firstName)) != 0;
  if (renamed && FindFriend(0, Text(r.lastName), Text(r.firstName), nullptr)) {
    SetFocusHwnd(lastField);
    DispMessage("Name (Last,First):  A friend already exists with this name", MSG_WARNING);
    return 0;
  }
  for (int i = 0; i < 4; ++i) {
    const char* problem = r.yearAmounts[i] < 0        ? "May not be less than zero"
                          : r.yearAmounts[i] > 999999 ? "Exceeds capacity ($9999.99)"
                                                      : nullptr;
    if (!problem) continue;
    std::snprintf(message, sizeof message, "%s Contribution:  %s", static_cast<const char*>(Text(r.yearLabels[i])),
                  problem);
    SetFocusHwnd(::GetDlgItem(GetSafeHwnd(), IDC_FOS_AMOUNT0 + i));
    DispMessage(message, MSG_WARNING);
    return 0;
  }
  return XferFriend(1, m_bNew, m_pCurPos, &m_edited);
}

// ---- Friend Management ----

CFriendListDlg::CFriendListDlg(CWnd* parent) : CRecordListDlg(IDD_FRIENDLIST, "FKEY", parent) {}

BOOL CFriendListDlg::OnInitDialog() {
  CRecordListDlg::OnInitDialog();
  SetDefID(IDC_REC_EDIT);
  return TRUE;
}

void CFriendListDlg::SetupList() {
  const int stop = 80;
  ::SendMessage(List().Handle(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
}

bool CFriendListDlg::FillRows() {
  for (int pos = 0; pos < FriendTable.rowCount; ++pos) {
    const FriendKey& k = FriendTable.keys[static_cast<size_t>(FriendTable.byName[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    CString text;
    text.Format("%-s\t%-s", static_cast<const char*>(Text(k.lastName)), static_cast<const char*>(Text(k.firstName)));
    AddRow(text, pos);
  }
  return true;
}

CString CFriendListDlg::CaptionText() {
  CString s;
  const int n = FriendTable.liveCount;
  s.Format("Friend Management (%d friend%s)", n, n == 1 ? "" : "s");
  return s;
}

bool CFriendListDlg::CanAdd() { return FriendTable.freeCount > 0; }

bool CFriendListDlg::SelectedNames(CString* last, CString* first) {
  const int row = List().Selected();
  if (row < 0) return false;
  const CString text = List().Text(row);
  const int tab = text.Find('\t');
  *last = tab >= 0 ? text.Left(tab) : text;
  *first = tab >= 0 ? text.Mid(tab + 1) : CString();
  return true;
}

int CFriendListDlg::LookupSelected() {
  CString last, first;
  int pos = -1;
  if (!SelectedNames(&last, &first) || !FindFriend(0, last, first, &pos)) return -1;
  return pos;
}

bool CFriendListDlg::OpenInfo(bool isNew) {
  CFriendDlg dlg;
  dlg.m_bNew = isNew ? 1 : 0;
  dlg.m_pCurPos = &m_nCurPos;
  if (!dlg.LoadRecord(1)) return false;
  dlg.DoModal();
  return true;
}

bool CFriendListDlg::DeleteSelected() {
  CString last, first;
  return SelectedNames(&last, &first) && DeleteFriend(last, first) == 1;
}

void CFriendListDlg::OnDelete() {
  const int row = List().Selected();
  if (row < 0 || !DeleteSelected()) return;
  List().Remove(row);
  UpdateButtons();
  UpdateCaption();
}

void CFriendListDlg::WriteFriendLog(FILE* out) {
  std::fputs("Row Contrib FName----- LName---------- D Year1-- Year2-- Year3-- Year4-- ", out);
  std::fputs("Address1------------------ Address2------------------ City------------- St Zip------- ", out);
  for (int i = 0; i < 4; ++i) std::fputs("Number------- Ext- Cod ", out);
  LogLine(out, "Remarks------------------------------------------- Yr1- Yr2- Yr3- Yr4-");
  FriendRecord r;
  for (int row = 0; row < FriendTable.rowCount; ++row) {
    if (ReadRecord(FriendFile, r, row) != 1) return;
    std::fprintf(out, "%3d %7ld %-11s %-15s %c ", row, static_cast<long>(r.total), static_cast<const char*>(Text(r.firstName)),
                 static_cast<const char*>(Text(r.lastName)), r.status ? '0' + r.status : '0');
    for (int i = 0; i < 4; ++i) std::fprintf(out, "%7ld ", static_cast<long>(r.yearAmounts[i]));
    std::fprintf(out, "%-26s %-26s ", static_cast<const char*>(Text(r.address1)), static_cast<const char*>(Text(r.address2)));
    std::fprintf(out, "%-17s %2s %-10s ", static_cast<const char*>(Text(r.city)), static_cast<const char*>(Text(r.state)),
                 static_cast<const char*>(Text(r.zip)));
    for (int i = 0; i < 4; ++i)
      std::fprintf(out, "%-13s %-4s %3d ", static_cast<const char*>(Text(r.phones[i].number)),
                   static_cast<const char*>(Text(r.phones[i].extension)), static_cast<int>(r.phones[i].type));
    std::fprintf(out, "%-50s ", static_cast<const char*>(Text(r.remarks)));
    for (int i = 0; i < 4; ++i) std::fprintf(out, "%-4s ", static_cast<const char*>(Text(r.yearLabels[i])));
    LogLine(out, "%s", "");
  }
}
