#include "app/PrefLabels.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/DialogHelp.h"
#include "common/Messages.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

// The ten edits, in the order of the page's texts.
enum Text { kAcross, kDown, kPageWidth, kPageHeight, kWidth, kHeight, kLeft, kTop, kHPitch, kVPitch, kTextCount };
const int kEditIds[kTextCount] = {IDC_PREF_LABEL_ACROSS,     IDC_PREF_LABEL_DOWN,   IDC_PREF_LABEL_PAGE_WIDTH,
                                  IDC_PREF_LABEL_PAGE_HEIGHT, IDC_PREF_LABEL_WIDTH,  IDC_PREF_LABEL_HEIGHT,
                                  IDC_PREF_LABEL_LEFT,       IDC_PREF_LABEL_TOP,    IDC_PREF_LABEL_HPITCH,
                                  IDC_PREF_LABEL_VPITCH};

int TextIndex(int id) {
  for (int i = 0; i < kTextCount; ++i)
    if (kEditIds[i] == id) return i;
  return -1;
}

CString Measure(float value) {
  CString text;
  text.Format("%.3f", static_cast<double>(value));
  return text;
}

float Number(const CString& text) { return static_cast<float>(std::atof(text)); }

// The user's own definitions are told apart by one leading "*". A name
// left empty stays empty, so that saving asks for one.
void MarkUserName(CString& name) {
  const char* text = name;
  while (*text == '*') ++text;
  CString bare = text;
  name = bare.IsEmpty() ? bare : "*" + bare;
}

}  // namespace

CMailLblDlg::CMailLblDlg() : CPrefPage(IDD_PREF_LABELS) {}

void CMailLblDlg::LoadValues() {
  SetStore(&MailLabelStore);
  CopyLabelFrom(CurrentMailLabel);
}

void CMailLblDlg::Refresh() {
  if (Opened()) SelectCurrentLabel();
  m_bModified = 0;
}

void CMailLblDlg::CopyLabelFrom(const CMailLabel& label) {
  m_label.SetDefinition(&label.Definition());
  m_strName = label.GetName();
}

void CMailLblDlg::CopyLabelTo(CMailLabel& label) const { label.SetDefinition(&m_label.Definition()); }

void CMailLblDlg::SelectCurrentLabel() {
  if (!m_bInitialised || !m_label.GetName()[0]) return;
  const LRESULT at = SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(m_label.GetName()));
  SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  OnSelChangeName();
}

bool CMailLblDlg::SaveLabel(CString& error) {
  error.Empty();
  ReadFields();
  if (m_label.Definition().cls & kLabelClassPredefined) {
    // A predefined definition only becomes the current one: its stored
    // record stays as it is. Renamed, it is the user's own from now on.
    MailLabelDef stored{};
    int n = 0;
    bool found = false;
    if (m_pStore && m_pStore->Open()) {
      found = m_pStore->Find(m_label.GetName(), &n) && m_pStore->Get(n, &stored) &&
              (stored.cls & kLabelClassPredefined);
      m_pStore->Close();
    }
    if (found) {
      m_label.SetDefinition(&stored);
      return true;
    }
    m_buffer = m_label.Definition();
    m_buffer.cls = kLabelClassUser;
    m_buffer.kind = kLabelKindLabel;
    m_label.SetDefinition(&m_buffer);
    ReadFields();
  }
  if (!m_label.Validate(error)) return false;
  if (m_pStore && !m_pStore->Store(m_label)) error = m_pStore->GetErrorText();
  return error.IsEmpty();
}

BOOL CMailLblDlg::OnInitDialog() {
  ++writing_;
  CPrefPage::OnInitDialog();
  --writing_;
  m_bInitialised = 1;
  SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_LIMITTEXT, sizeof(MailLabelDef::name) - 1, 0);
  for (int id : kEditIds) SendDlgItemMessage(id, EM_LIMITTEXT, 10, 0);
  if (CWnd* picture = GetDlgItem(IDC_PREF_LABEL_PICTURE)) {
    RECT r;
    picture->GetClientRect(&r);
    auto bitmap = static_cast<HBITMAP>(
        LoadImage(nullptr, "310", IMAGE_BITMAP, r.right - r.left, r.bottom - r.top, LR_LOADMAP3DCOLORS));
    if (bitmap) {
      m_picture.DeleteObject();
      m_picture.Attach(bitmap);
      picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
  }
  WriteControls();
  FillNames();
  SelectCurrentLabel();
  m_bModified = 0;
  return TRUE;
}

void CMailLblDlg::ReadControls() {
  if (!GetSafeHwnd()) return;
  char text[64];
  GetDlgItemText(IDC_PREF_LABEL_NAME, text, sizeof text);
  m_strName = text;
  m_bLabels = IsDlgButtonChecked(IDC_PREF_LABEL_LABELS) == BST_CHECKED;
  m_bCards = IsDlgButtonChecked(IDC_PREF_LABEL_CARDS) == BST_CHECKED;
  m_nFeed = IsDlgButtonChecked(IDC_PREF_LABEL_CONTINUOUS) == BST_CHECKED ? 1 : 0;
  for (int i = 0; i < kTextCount; ++i) {
    GetDlgItemText(kEditIds[i], text, sizeof text);
    m_texts[i] = text;
  }
}

void CMailLblDlg::WriteControls() {
  if (!GetSafeHwnd()) return;
  ++writing_;
  SetDlgItemText(IDC_PREF_LABEL_NAME, m_strName);
  CheckDlgButton(IDC_PREF_LABEL_LABELS, m_bLabels ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_PREF_LABEL_CARDS, m_bCards ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(IDC_PREF_LABEL_SHEET_FEED, IDC_PREF_LABEL_CONTINUOUS,
                   m_nFeed ? IDC_PREF_LABEL_CONTINUOUS : IDC_PREF_LABEL_SHEET_FEED);
  for (int i = 0; i < kTextCount; ++i)
    if (GetDlgItem(kEditIds[i])) {
      char shown[64];
      GetDlgItemText(kEditIds[i], shown, sizeof shown);
      if (m_texts[i] != shown) SetDlgItemText(kEditIds[i], m_texts[i]);
    }
  --writing_;
}

void CMailLblDlg::FillNames() {
  ReadControls();
  m_bModified = 1;
  SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_RESETCONTENT, 0, 0);
  std::vector<std::string> names;
  const int kinds = (m_bCards ? kLabelKindCard : 0) + (m_bLabels ? kLabelKindLabel : 0);
  if (m_pStore && kinds) m_pStore->GetNames(3, kinds, &names);
  for (const std::string& name : names)
    SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  const LRESULT at = SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(static_cast<const char*>(m_strName)));
  SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  OnSelChangeName();
}

void CMailLblDlg::OnSelChangeName() {
  m_strName.Empty();
  m_bModified = 1;
  const LRESULT at = SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_GETCURSEL, 0, 0);
  if (at >= 0) {
    char text[64] = "";
    SendDlgItemMessage(IDC_PREF_LABEL_NAME, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    m_strName = text;
  }
  m_label.SetDefaults();
  m_label.SetName(m_strName);
  if (m_pStore && m_pStore->Retrieve(m_label)) ShowFields();
}

void CMailLblDlg::ShowFields() {
  m_label.GetDefinition(&m_buffer);
  const MailLabelDef& b = m_buffer;
  m_strName = b.name;
  m_nFeed = b.feed == 1 ? 0 : 1;
  m_texts[kAcross].Format("%d", b.across);
  m_texts[kDown].Format("%d", b.down);
  m_texts[kPageWidth] = Measure(b.pageWidth);
  m_texts[kPageHeight] = Measure(b.pageHeight);
  m_texts[kWidth] = Measure(b.labelWidth);
  m_texts[kHeight] = Measure(b.labelHeight);
  m_texts[kLeft] = Measure(b.leftMargin);
  m_texts[kTop] = Measure(b.topMargin);
  m_texts[kHPitch] = Measure(b.hPitch);
  m_texts[kVPitch] = Measure(b.vPitch);
  WriteControls();
  UpdateControls();
}

void CMailLblDlg::ReadFields() {
  ReadControls();
  MailLabelDef& b = m_buffer;
  std::memset(b.name, 0, sizeof b.name);
  std::snprintf(b.name, sizeof b.name, "%s", static_cast<const char*>(m_strName));
  b.feed = m_nFeed ? 2 : 1;
  b.pageWidth = Number(m_texts[kPageWidth]);
  b.pageHeight = Number(m_texts[kPageHeight]);
  b.labelHeight = Number(m_texts[kHeight]);
  b.labelWidth = Number(m_texts[kWidth]);
  b.topMargin = Number(m_texts[kTop]);
  b.leftMargin = Number(m_texts[kLeft]);
  b.hPitch = Number(m_texts[kHPitch]);
  b.vPitch = Number(m_texts[kVPitch]);
  b.across = std::atoi(m_texts[kAcross]);
  b.down = std::atoi(m_texts[kDown]);
  if (b.cls == kLabelClassUser) {
    CString name = m_strName;
    MarkUserName(name);
    std::memset(b.name, 0, sizeof b.name);
    std::snprintf(b.name, sizeof b.name, "%s", static_cast<const char*>(name));
    b.cornerRadius = 0;
    b.bottomMargin = b.topMargin;
    b.rightMargin = b.leftMargin;
  }
  m_label.SetDefinition(&b);
}

void CMailLblDlg::OnFieldChange() {
  m_bModified = 1;
  ReadFields();
  if (m_buffer.cls != kLabelClassUser) {
    m_buffer.cls = kLabelClassUser;
    m_buffer.kind = kLabelKindLabel;
    std::memset(m_buffer.name, 0, sizeof m_buffer.name);
    m_label.SetDefinition(&m_buffer);
    UpdateControls();
  }
}

void CMailLblDlg::UpdateControls() {
  ReadControls();
  const bool across = std::atoi(m_texts[kAcross]) > 1, down = std::atoi(m_texts[kDown]) > 1;
  // With one column (or one row) the pitch is the label's own size.
  if (!across) m_texts[kHPitch] = m_texts[kWidth];
  if (!down) m_texts[kVPitch] = m_texts[kHeight];
  if (CWnd* edit = GetDlgItem(IDC_PREF_LABEL_HPITCH)) edit->EnableWindow(across);
  if (CWnd* edit = GetDlgItem(IDC_PREF_LABEL_VPITCH)) edit->EnableWindow(down);
  if (CWnd* button = GetDlgItem(IDC_PREF_LABEL_DELETE))
    button->EnableWindow(m_label.Definition().cls == kLabelClassUser);
  WriteControls();
}

void CMailLblDlg::FormatMeasure(int id) {
  ReadControls();
  const int i = TextIndex(id);
  if (i < 0) return;
  CString text = m_texts[i].Left(10);
  const CString formatted = Measure(Number(text));
  // Replaced as the user's own edit: it may turn a predefined copy.
  if (formatted != m_texts[i]) SetDlgItemText(id, formatted);
}

void CMailLblDlg::OnReset() {
  m_label.SetDefaults();
  ShowFields();
}

void CMailLblDlg::OnDelete() {
  ReadFields();
  if (m_pStore && m_pStore->Delete(m_label)) {
    FillNames();
    OnReset();
  } else if (m_pStore) {
    DispMessage(m_pStore->GetErrorText(), MSG_WARNING);
  }
}

BOOL CMailLblDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_PREF_LABELS))) return TRUE;
  const int text = TextIndex(id);
  if (text >= 0 && code == EN_CHANGE) {
    if (!writing_) OnFieldChange();
    return TRUE;
  }
  if (text >= 0 && code == EN_KILLFOCUS) {
    if (text != kAcross && text != kDown) FormatMeasure(id);
    if (text == kAcross || text == kDown || text == kWidth || text == kHeight) UpdateControls();
    return TRUE;
  }
  switch (id) {
    case IDC_PREF_LABEL_SHEET_FEED:
    case IDC_PREF_LABEL_CONTINUOUS:
      if (code == BN_CLICKED && !writing_) OnFieldChange();
      return TRUE;
    case IDC_PREF_LABEL_LABELS:
    case IDC_PREF_LABEL_CARDS:
      if (code == BN_CLICKED && !writing_) FillNames();
      return TRUE;
    case IDC_PREF_LABEL_NAME:
      if (code == CBN_SELCHANGE && !writing_) OnSelChangeName();
      return TRUE;
    case IDC_PREF_LABEL_RESET:
      if (code == BN_CLICKED) OnReset();
      return TRUE;
    case IDC_PREF_LABEL_DELETE:
      if (code == BN_CLICKED) OnDelete();
      return TRUE;
    default:
      break;
  }
  return CPrefPage::OnCommand(wParam, lParam);
}
