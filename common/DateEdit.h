// The date edit: an eight-character edit that turns what is typed into the
// stored date yyyymmdd and shows dates as mm/dd/yy. The same class serves
// without a window as the program's date calculator (DateParser and
// short-lived objects).
#pragma once

#include "platform/base/CString.h"
#include "platform/controls/CtlEdit.h"

class CDataExchange;

// The last date entered in any date field (stored form, or empty).
extern char LastDateText[12];

class CDate8 : public CEdit {
  DECLARE_DYNAMIC(CDate8)
 public:
  explicit CDate8(const CString& letters = CString(), int century19 = 0);
  ~CDate8() override = default;

  // Attaches to the parent's edit item; silently nothing for a null id or
  // parent, a parent that is not a dialog or form view, or a failed attach.
  void SubclassEdit(UINT id, CWnd* parent, const CString& letters, int century19);
  bool IsSubclassed() const { return m_bSubclassed; }

  // ---- Value operations (no window needed) ----
  bool Parse(const CString& text);
  bool SetText(const CString& text);
  void SetStored(const CString& text);
  CString ToStored(const CString& text);
  CString Format(const CString& stored, bool emptyPattern, int format);
  CString Format(const char* stored, bool emptyPattern, int format);
  CString FormatFields(bool emptyPattern, int format) const;
  CString FormatText(const CString& text);
  CString GetText() const { return CString(m_szDate); }
  int GetMonth() const { return m_nMonth; }
  int GetDay() const { return m_nDay; }
  int GetYear(bool fourDigits) const { return fourDigits ? m_nYear : m_nYear % 100; }
  CString AddMonthsDays(int months, int days);
  CString SubtractMonthsDays(int months, int days);
  CString DateAfter(const CString& stored, int months, int days);
  CString DateBefore(const CString& stored, int months, int days);
  static bool IsLeapYear(int year);
  // Checks the text the last exchange read; `label` null makes an empty
  // date acceptable.
  bool Validate(const char* label);

  // ---- Data exchange ----
  void SaveValue(CString& value);
  void LoadValue(const CString& value);

  // ---- Menu commands ----
  void OnCopyDate();
  void OnPasteDate();
  void OnCalendar();

 protected:
  void OnKillFocus(CWnd* newWnd) override;
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  // Letter commands typed into a wholly selected field (step shared by both
  // key handlers).
  void TypeLetter(char letter);
  void ShowShortForm();

  char m_szAllowed[12] = {};
  CString m_strText;
  int m_bCentury19 = 0;
  bool m_bSubclassed = false;
  char m_szMonth[9] = {};
  char m_szDay[9] = {};
  char m_szYear[9] = {};
  char m_szDate[9] = {};
  int m_nMonth = 0;
  int m_nDay = 0;
  int m_nYear = 0;
  char m_szPrevDate[9] = {};

 private:
  void ClearValue();
  void StepDays(int sign, int months, int days);
  bool ParseLetter(const CString& text);
};

// The date edit every dialog places: adds the right-button menu and the
// plus/minus keys that also make the stepped date the last date.
class CDateEditEx : public CDate8 {
  DECLARE_DYNAMIC(CDateEditEx)
 public:
  CDateEditEx() : CDate8(CString(), 0) {}
  static CString GetLastDate();

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
};

// The program's windowless date parser.
extern CDate8 DateParser;

void DDX_Date(CDataExchange* pDX, CDate8& control, CString& value);
