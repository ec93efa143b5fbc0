// The windowless half of the date edit: parsing, formatting and arithmetic.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/DateEdit.h"
#include "common/Dates.h"
#include "common/Messages.h"
#include "common/StrUtil.h"

char LastDateText[12] = {};

namespace {

// Status words by the position of their letter in "XCWN".
const char kStatusLetters[] = "XCWN";
const char kStatusWords[4][9] = {"Transfer", "Complete", "Waived", "N/A"};

// Copies `text` into a fixed field, cut to the field's room.
template <std::size_t N>
void CopyField(char (&field)[N], const char* text) {
  std::snprintf(field, N, "%s", text);
}

int MonthLength(int month, int year) {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && CDate8::IsLeapYear(year)) return 29;
  return MonthLengths[month - 1];
}

CString NormaliseWithParser(const CString& text);

// The date edit installs its parse as the normaliser of "today" before any
// caller asks for it.
const bool kNormaliserInstalled = (SetDateNormaliser(&NormaliseWithParser), true);

}  // namespace

IMPLEMENT_DYNAMIC(CDate8, CEdit)

CDate8 DateParser;

namespace {

// "Today" in stored form goes through the program's parser like any date.
CString NormaliseWithParser(const CString& text) { return DateParser.ToStored(text); }

}  // namespace

CDate8::CDate8(const CString& letters, int century19) : m_bCentury19(century19 & 0xFF) {
  CopyField(m_szAllowed, static_cast<LPCTSTR>(letters));
}

bool CDate8::IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

void CDate8::ClearValue() {
  m_szMonth[0] = m_szDay[0] = m_szYear[0] = m_szDate[0] = '\0';
  m_nMonth = m_nDay = m_nYear = 0;
}

bool CDate8::Parse(const CString& text) {
  CopyField(m_szPrevDate, m_szDate);
  ClearValue();
  if (text.IsEmpty()) return true;
  if (!std::isdigit(static_cast<unsigned char>(text[0]))) return ParseLetter(text);

  const CString kept = FilterChars(TrimCharSets(text, " ", " "), "1234567890/-. ", true);
  if (kept.IsEmpty()) return true;
  char fields[3][9];
  if (kept.GetLength() == 6 && IsDigitsText(kept, false)) {
    std::memset(fields, 0, sizeof fields);
    for (int f = 0; f < 3; ++f) std::memcpy(fields[f], static_cast<LPCTSTR>(kept) + 2 * f, 2);
  } else {
    SplitFields(3, 9, kept, &fields[0][0], "/-. ", 1);
    if (fields[2][0] == '\0') {
      const CString today = GetDefaultDateText(false);
      CopyField(fields[2], today.GetLength() >= 2 ? static_cast<LPCTSTR>(today.Right(2)) : "");
    }
    for (const char* f : fields)
      if (std::strlen(f) > 2 || !IsDigitsText(f, false)) return false;
  }
  const int month = std::atoi(fields[0]);
  const int day = std::atoi(fields[1]);
  const int yy = std::atoi(fields[2]);
  if (month < 1 || month > 12 || day < 1 || day > 31 || yy < 0 || yy > 99) return false;
  if ((month == 4 || month == 6 || month == 9 || month == 11) && day > 30) return false;
  if (month == 2 && (day > 29 || (day > 28 && yy % 4 != 0))) return false;

  const int year = (yy >= 51 || m_bCentury19 ? 1900 : 2000) + yy;
  // The checks above bound every field; the remainders tell the compiler so.
  const unsigned y4 = static_cast<unsigned>(year) % 10000u;
  const unsigned m2 = static_cast<unsigned>(month) % 100u;
  const unsigned d2 = static_cast<unsigned>(day) % 100u;
  std::snprintf(m_szDate, sizeof m_szDate, "%04u%02u%02u", y4, m2, d2);
  std::snprintf(m_szMonth, sizeof m_szMonth, "%02u", m2);
  std::snprintf(m_szDay, sizeof m_szDay, "%02u", d2);
  std::snprintf(m_szYear, sizeof m_szYear, "%04u", y4);
  m_nMonth = month;
  m_nDay = day;
  m_nYear = year;
  if (std::strcmp(m_szDate, m_szPrevDate) != 0) CopyField(LastDateText, m_szDate);
  return true;
}

// The letter commands: T today, L or S the last date, a status letter the
// control allows; the rest of the text is ignored.
bool CDate8::ParseLetter(const CString& text) {
  // "Transfer" is read by its X, not as T.
  const char first = text == "Transfer" ? 'X' : text[0];
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(first)));
  if (letter == 'T') {
    SetStored(GetDefaultDateText(true));
    return true;
  }
  if (letter == 'L' || letter == 'S') {
    SetStored(CString(LastDateText));
    return true;
  }
  if (letter != '\0' && std::strchr(m_szAllowed, letter) != nullptr) {
    const char* at = std::strchr(kStatusLetters, letter);
    if (at != nullptr) {
      CopyField(m_szDate, kStatusWords[at - kStatusLetters]);
      return true;
    }
  }
  return false;
}

bool CDate8::SetText(const CString& text) {
  m_szDate[0] = '\0';
  return Parse(text);
}

void CDate8::SetStored(const CString& text) {
  ClearValue();
  if (text.IsEmpty()) return;
  if (std::isalpha(static_cast<unsigned char>(text[0]))) {
    if (!ParseLetter(text)) ClearValue();
    return;
  }
  if (text.GetLength() > 8 || !IsDigitsText(text, false)) return;
  CopyField(m_szDate, text);
  const char* s = m_szDate;
  const std::size_t len = std::strlen(s);
  std::snprintf(m_szYear, sizeof m_szYear, "%.*s", static_cast<int>(len < 4 ? len : 4), s);
  std::snprintf(m_szMonth, sizeof m_szMonth, "%.*s", len > 4 ? static_cast<int>(len - 4 < 2 ? len - 4 : 2) : 0,
                len > 4 ? s + 4 : "");
  std::snprintf(m_szDay, sizeof m_szDay, "%s", len >= 2 ? s + len - 2 : s);
  m_nYear = std::atoi(m_szYear);
  m_nMonth = std::atoi(m_szMonth);
  m_nDay = std::atoi(m_szDay);
}

CString CDate8::ToStored(const CString& text) { return Parse(text) ? CString(m_szDate) : CString(); }

CString CDate8::Format(const CString& stored, bool emptyPattern, int format) {
  SetStored(stored);
  return FormatFields(emptyPattern, format);
}

CString CDate8::Format(const char* stored, bool emptyPattern, int format) {
  return Format(CString(stored ? stored : ""), emptyPattern, format);
}

CString CDate8::FormatFields(bool emptyPattern, int format) const {
  if (m_szDate[0] == '\0') return emptyPattern ? CString("__/__/__") : CString();
  if (!std::isdigit(static_cast<unsigned char>(m_szDate[0]))) return CString(m_szDate);
  const int m = m_nMonth >= 1 && m_nMonth <= 12 ? m_nMonth - 1 : -1;
  char out[40];
  switch (format) {
    case 0:
      std::snprintf(out, sizeof out, "%02d/%02d/%02d", m_nMonth, m_nDay, m_nYear % 100);
      break;
    case 1:
      std::snprintf(out, sizeof out, "%02d/%02d/%04d", m_nMonth, m_nDay, m_nYear);
      break;
    case 2:
      std::snprintf(out, sizeof out, "%s %d, %04d", m < 0 ? "" : MonthAbbrs[m], m_nDay, m_nYear);
      break;
    case 3:
      std::snprintf(out, sizeof out, "%s %d, %04d", m < 0 ? "" : MonthNames[m], m_nDay, m_nYear);
      break;
    case 4:
      std::snprintf(out, sizeof out, "%02d/%02d", m_nMonth, m_nDay);
      break;
    default:
      return CString();
  }
  return CString(out);
}

CString CDate8::FormatText(const CString& text) {
  return Parse(text) ? FormatFields(false, 0) : text;
}

void CDate8::StepDays(int sign, int months, int days) {
  for (int i = 0; i < months; ++i) {
    m_nMonth += sign;
    if (m_nMonth > 12) {
      m_nMonth = 1;
      ++m_nYear;
    } else if (m_nMonth < 1) {
      m_nMonth = 12;
      --m_nYear;
    }
  }
  if (months > 0 && m_nDay > MonthLength(m_nMonth, m_nYear)) m_nDay = MonthLength(m_nMonth, m_nYear);
  for (int i = 0; i < days; ++i) {
    m_nDay += sign;
    if (sign > 0 && m_nDay > MonthLength(m_nMonth, m_nYear)) {
      m_nDay = 1;
      if (++m_nMonth > 12) {
        m_nMonth = 1;
        ++m_nYear;
      }
    } else if (sign < 0 && m_nDay < 1) {
      if (--m_nMonth < 1) {
        m_nMonth = 12;
        --m_nYear;
      }
      m_nDay = MonthLength(m_nMonth, m_nYear);
    }
  }
}

CString CDate8::AddMonthsDays(int months, int days) {
  StepDays(1, months, days);
  char out[32];
  std::snprintf(out, sizeof out, "%04d%02d%02d", m_nYear, m_nMonth, m_nDay);
  SetStored(CString(out));
  return CString(m_szDate);
}

CString CDate8::SubtractMonthsDays(int months, int days) {
  StepDays(-1, months, days);
  char out[32];
  std::snprintf(out, sizeof out, "%04d%02d%02d", m_nYear, m_nMonth, m_nDay);
  SetStored(CString(out));
  return CString(m_szDate);
}

CString CDate8::DateAfter(const CString& stored, int months, int days) {
  SetStored(stored);
  return m_szDate[0] == '\0' ? CString() : AddMonthsDays(months, days);
}

CString CDate8::DateBefore(const CString& stored, int months, int days) {
  SetStored(stored);
  return m_szDate[0] == '\0' ? CString() : SubtractMonthsDays(months, days);
}

bool CDate8::Validate(const char* label) {
  if (!Parse(m_strText)) {
    ShowInfoBox("Invalid date.", "Info");
    if (m_hWnd) SetFocus();
    return false;
  }
  if (m_szDate[0] == '\0' && label != nullptr) {
    ShowRequiredError(label);
    if (m_hWnd) SetFocus();
    return false;
  }
  return true;
}
