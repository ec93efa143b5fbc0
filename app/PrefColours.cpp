#include "app/PrefColours.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/commctrl/UpDown.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

NamedColour BackgroundColourNames[kBackgroundColourNames] = {
    {"", 0, 0, 0},          {"Aquamarine", 0, 127, 127}, {"Black", 0, 0, 0},          {"Blue", 0, 0, 255},
    {"Cyan", 0, 255, 255},  {"Dark Blue", 0, 0, 127},    {"Dark Green", 0, 127, 0},   {"Dark Red", 127, 0, 0},
    {"Green", 0, 255, 0},   {"Grey", 127, 127, 127},     {"Khaki", 127, 127, 0},      {"Magenta", 255, 0, 255},
    {"Purple", 127, 0, 127}, {"Red", 255, 0, 0},         {"White", 255, 255, 255},    {"Windows Default", 0, 0, 0},
    {"Yellow", 255, 255, 0},
};

const NamedColour GridColourNames[kGridColourNames] = {
    {"Blue - Deep", 51, 204, 204},      {"Blue - Pale", 180, 255, 255},    {"Blue - Light", 230, 255, 255},
    {"Brick - Deep", 153, 102, 102},    {"Brick - Pale", 204, 153, 153},   {"Brick - Light", 255, 225, 225},
    {"Green - Deep", 91, 173, 142},     {"Green - Pale", 204, 255, 204},   {"Green - Light", 230, 255, 230},
    {"Grey - Deep", 127, 127, 127},     {"Grey - Pale", 192, 192, 192},    {"Grey - Light", 225, 225, 225},
    {"Orange - Deep", 255, 153, 0},     {"Orange - Pale", 255, 204, 0},    {"Orange - Light", 255, 204, 153},
    {"Purple - Deep", 152, 51, 153},    {"Purple - Pale", 204, 102, 204},  {"Purple - Light", 255, 204, 255},
    {"Red - Deep", 255, 127, 127},      {"Red - Pale", 255, 177, 177},     {"Red - Light", 255, 230, 230},
    {"Yellow - Bright", 255, 255, 0},   {"Yellow - Pale", 255, 255, 127},  {"Yellow - Light", 255, 255, 200},
    {"White", 255, 255, 255},
};

namespace {

const int kPartIds[3] = {IDC_PREF_RED, IDC_PREF_GREEN, IDC_PREF_BLUE};
const int kSpinIds[3] = {IDC_PREF_RED_SPIN, IDC_PREF_GREEN_SPIN, IDC_PREF_BLUE_SPIN};

bool IsPart(int id) { return id == IDC_PREF_RED || id == IDC_PREF_GREEN || id == IDC_PREF_BLUE; }

CString PartText(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%d", value);
  return CString(text);
}

}  // namespace

const NamedColour* MatchColourName(const NamedColour* table, int count, int red, int green, int blue) {
  for (int i = 0; i < count; ++i)
    if (table[i].red == red && table[i].green == green && table[i].blue == blue) return &table[i];
  return nullptr;
}

int ClampColourPart(const char* text) {
  const long value = std::strtol(text ? text : "", nullptr, 10);
  return value < 0 ? 0 : value > 255 ? 255 : static_cast<int>(value);
}

CColourPage::CColourPage(UINT templateId, const NamedColour* table, int count)
    : CPrefPage(templateId), table_(table), count_(count) {}

COLORREF CColourPage::PartsColour() const {
  return RGB(ClampColourPart(m_strRed), ClampColourPart(m_strGreen), ClampColourPart(m_strBlue));
}

void CColourPage::SetParts(COLORREF colour) {
  m_strRed = PartText(GetRValue(colour));
  m_strGreen = PartText(GetGValue(colour));
  m_strBlue = PartText(GetBValue(colour));
}

void CColourPage::DoDataExchange(CDataExchange* pDX) {
  CPrefPage::DoDataExchange(pDX);
  ++updating_;
  DDX_Text(pDX, IDC_PREF_COLOUR_NAME, m_strName);
  DDX_Text(pDX, IDC_PREF_RED, m_strRed);
  DDX_Text(pDX, IDC_PREF_GREEN, m_strGreen);
  DDX_Text(pDX, IDC_PREF_BLUE, m_strBlue);
  --updating_;
}

void CColourPage::InitColourControls() {
  for (int i = 0; i < count_; ++i)
    SendDlgItemMessage(IDC_PREF_COLOUR_NAME, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table_[i].name));
  for (int id : kSpinIds)
    if (CWnd* spin = GetDlgItem(id)) spin->SendMessage(UDM_SETRANGE32, 0, 255);
  m_bChanged = 0;
}

void CColourPage::MatchName() {
  const NamedColour* row = MatchColourName(table_, count_, ClampColourPart(m_strRed), ClampColourPart(m_strGreen),
                                           ClampColourPart(m_strBlue));
  m_strName = row ? row->name : "";
  if (Opened()) {
    ++updating_;
    SetDlgItemText(IDC_PREF_COLOUR_NAME, m_strName);
    --updating_;
  }
}

void CColourPage::ApplyParts() {
  CString* texts[3] = {&m_strRed, &m_strGreen, &m_strBlue};
  ++updating_;
  for (int i = 0; i < 3; ++i) {
    char text[32] = "";
    GetDlgItemText(kPartIds[i], text, sizeof text);
    *texts[i] = PartText(ClampColourPart(text));
    char shown[32] = "";
    GetDlgItemText(kPartIds[i], shown, sizeof shown);
    if (std::strcmp(shown, *texts[i]) != 0) SetDlgItemText(kPartIds[i], *texts[i]);
  }
  --updating_;
  MatchName();
  OnColourChanged();
}

BOOL CColourPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (IsPart(id) && !updating_) {
    if (code == EN_CHANGE) {
      m_bChanged = 1;
      if (m_bSpinPending) {
        m_bSpinPending = 0;
        ApplyParts();
      }
    } else if (code == EN_KILLFOCUS) {
      ApplyParts();
    }
  }
  if (id == IDC_PREF_COLOUR_NAME && code == CBN_SELCHANGE && !updating_) {
    const LRESULT index = SendDlgItemMessage(IDC_PREF_COLOUR_NAME, CB_GETCURSEL, 0, 0);
    char text[64] = "";
    if (index >= 0 && SendDlgItemMessage(IDC_PREF_COLOUR_NAME, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) <
                          static_cast<LRESULT>(sizeof text))
      SendDlgItemMessage(IDC_PREF_COLOUR_NAME, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    const CString chosen(text);
    for (int i = 0; i < count_; ++i) {
      // The empty name stands for no name: choosing it changes nothing.
      if (chosen.IsEmpty() || chosen != table_[i].name) continue;
      m_bChanged = 1;
      SetParts(RGB(table_[i].red, table_[i].green, table_[i].blue));
      m_strName = table_[i].name;
      ++updating_;
      for (int p = 0; p < 3; ++p) SetDlgItemText(kPartIds[p], p == 0 ? m_strRed : p == 1 ? m_strGreen : m_strBlue);
      SetDlgItemText(IDC_PREF_COLOUR_NAME, m_strName);
      --updating_;
      OnNameChosen();
      break;
    }
  }
  return CPrefPage::OnCommand(wParam, lParam);
}

LRESULT CColourPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CPrefPage::WindowProc(message, wParam, lParam);
  if (message == WM_VSCROLL && lParam) {
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    for (int spin : kSpinIds) {
      if (spin != id) continue;
      // The spinner has written its number into the part's edit.
      m_bChanged = 1;
      m_bSpinPending = 0;
      ApplyParts();
    }
  }
  return result;
}
