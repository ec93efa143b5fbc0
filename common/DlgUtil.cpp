#include "common/DlgUtil.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/FileUtil.h"
#include "common/Question.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

PrintSetupRecord ThePrintSetup;

namespace {

PrintSetupLoader printSetupLoader = nullptr;

FocusSetter focusSetter = nullptr;
MainTitleSetter mainTitleSetter = nullptr;
WaitCursorSetter waitCursorSetter = nullptr;

void SetProblem(char* message, size_t size, const char* text) {
  if (message) std::snprintf(message, size, "%s", text);
}

bool IsDigits(const std::string& s, std::size_t n) {
  if (s.size() != n) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool IsBlankText(const char* text) {
  for (const char* p = text; p && *p; ++p)
    if (*p != ' ' && *p != '\t') return false;
  return true;
}

}  // namespace

void SetPrintSetupLoader(PrintSetupLoader loader) { printSetupLoader = loader; }

void EnsurePrintSetup() {
  // Taken first: the look-up may show a message whose loop comes back here.
  if (PrintSetupLoader loader = printSetupLoader) {
    printSetupLoader = nullptr;
    loader();
  }
}

bool ValidateNumber(const char* text, int flags, const char* min, const char* max, char* message, size_t size) {
  const char* t = text ? text : "";
  int dots = 0;
  for (const char* p = t; *p; ++p) {
    if (std::isdigit(static_cast<unsigned char>(*p))) continue;
    if ((*p == '-' || *p == '+') && p == t) continue;
    if (*p == '.') {
      if (flags & VN_WHOLE) {
        SetProblem(message, size, "Value must be a whole number");
        return false;
      }
      if (++dots == 1) continue;
    }
    SetProblem(message, size, "Invalid number");
    return false;
  }
  if (min && max && *min && *max) {
    double value = std::atof(t);
    if (value < std::atof(min) || value > std::atof(max)) {
      if (message) std::snprintf(message, size, "Value out of range (%s - %s)", min, max);
      return false;
    }
  }
  return true;
}

bool ValidateDateTimeField(const char* text, int code, const char* min, const char* max, char* message,
                           size_t size) {
  DatePart year4, yy, monthName, monAbbr, mm, ddd, dd, hhh, hh, mi, ss;
  ParseDate(text, code, &year4, &yy, &monthName, &monAbbr, &mm, &ddd, &dd, &hhh, &hh, &mi, &ss);
  auto fail = [&](const char* part, const char* rule) {
    if (message) std::snprintf(message, size, "Invalid %s (%s)", part, rule);
    return false;
  };
  int year = 1;  // no year: not a leap year
  if (*year4) {
    if (!IsDigits(year4, 4)) return fail("year", "0000-9999");
    year = std::atoi(year4);
  }
  if (*yy) {
    if (!IsDigits(yy, 2)) return fail("year", "00-99");
    if (!*year4) year = ExpandYear(std::atoi(yy));
  }
  bool leap = IsLeapYear(year);
  int month = 0;
  if (*monthName) {
    for (int m = 0; m < 12; ++m)
      if (!std::strcmp(monthName, MonthNames[m]) || !std::strcmp(monthName, MonthNamesUpper[m])) month = m + 1;
    if (!month) return fail("month", "JANUARY, etc");
  }
  if (*monAbbr) {
    int found = 0;
    for (int m = 0; m < 12; ++m)
      if (!std::strcmp(monAbbr, MonthAbbrs[m]) || !std::strcmp(monAbbr, MonthAbbrsUpper[m])) found = m + 1;
    if (!found) return fail("month", "JAN, etc");
    month = found;
  }
  if (*mm) {
    int m = std::atoi(mm);
    if (!IsDigits(mm, 2) || m < 1 || m > 12) return fail("month", "01-12");
    month = m;
  }
  if (*ddd) {
    int d = std::atoi(ddd);
    if (!IsDigits(ddd, 3) || d < 1 || d > (leap ? 366 : 365)) return fail("day", leap ? "01-366" : "01-365");
  }
  if (*dd) {
    int length = MonthLengths[(month ? month : 1) - 1];
    if (month == 2 && leap) length = 29;
    int d = std::atoi(dd);
    if (!IsDigits(dd, 2) || d < 1 || d > length) {
      char rule[16];
      std::snprintf(rule, sizeof rule, "01-%d", length);
      return fail("day", rule);
    }
  }
  if (*hhh && !IsDigits(hhh, 3)) return fail("hour", "000-999");
  int hour = 0;
  if (*hh) {
    hour = std::atoi(hh);
    if (!IsDigits(hh, 2) || hour > 24) return fail("hour", "00-24");
  }
  const char* parts[2] = {mi, ss};
  const char* names[2] = {"minute", "second"};
  for (int i = 0; i < 2; ++i) {
    if (!*parts[i]) continue;
    int v = std::atoi(parts[i]);
    if (!IsDigits(parts[i], 2) || v > 59) return fail(names[i], "00-59");
    if (hour == 24 && v != 0) return fail(names[i], "must be 00 when hh is 24");
  }
  if (min && max && *min && *max) {
    if (CompareDates(text, min, code) < 0 || CompareDates(text, max, code) > 0) {
      char lo[32], hi[32];
      FormatDate(min, code, DF_MM_DD_YY_SPLIT, lo);
      FormatDate(max, code, DF_MM_DD_YY_SPLIT, hi);
      if (message) std::snprintf(message, size, "Value out of range (%s - %s)", lo, hi);
      return false;
    }
  }
  return true;
}

bool ValidatePath(char* name, int flags, char* message, size_t size) {
  if (!name) return false;
  // Letters (Windows-1252 letters included), digits and what the flags allow.
  std::string allowed;
  if (flags & VP_FOLDER) allowed += ":\\/$%'-_@ ~`!().:+,;=[]";
  if (flags & VP_FILE) allowed += "$%'-_@ ~`!().:+,;=[]";
  if (flags & VP_COLON) allowed += ":";
  for (const char* p = name; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (std::isalnum(c) || c >= 0x80 || allowed.find(*p) != std::string::npos) continue;
    SetProblem(message, size, "Invalid characters found");
    return false;
  }
  std::string path = NormalizePath(name);
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  // The normal form is never longer: it goes back in place.
  std::memcpy(name, path.c_str(), path.size() + 1);

  const char* kind = (flags & VP_FILE) ? "File" : (flags & VP_FLOPPY) ? "Floppy drive" : (flags & VP_FOLDER) ? "Folder" : "Drive";
  bool exists = (flags & VP_FILE) ? (FileExists(path.c_str()) && !IsDirectory(path.c_str())) : IsDirectory(path.c_str());
  auto ask = [&](const std::string& problem, const char* question) {
    if (AskQuestion((problem + question).c_str(), ANSWER_NO, 0) == ANSWER_YES) return true;
    SetProblem(message, size, problem.c_str());
    return false;
  };
  if ((flags & VP_FILE) && !exists) {
    std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !IsDirectory(path.substr(0, slash).c_str())) {
      if (flags & VP_OFFER_CREATE) return ask("Folder does not exist", ".\n\nDo you wish to create it");
      SetProblem(message, size, "Folder does not exist");
      return false;
    }
  }
  char text[256];
  if ((flags & VP_MUST_EXIST) && !exists) {
    std::snprintf(text, sizeof text, "%s does not exist", kind);
    if (flags & VP_OFFER_CREATE) {
      if (!ask(text, ".\n\nDo you wish to create it")) return false;
    } else {
      SetProblem(message, size, text);
      return false;
    }
  } else if ((flags & VP_ASK_OVERWRITE) && exists) {
    std::snprintf(text, sizeof text, "%s already exists", kind);
    if (!ask(text, ".\n\nDo you wish to overwrite it")) return false;
  } else if ((flags & VP_MUST_NOT_EXIST) && exists) {
    std::snprintf(text, sizeof text, "%s already exists", kind);
    SetProblem(message, size, text);
    return false;
  }
  if (flags & VP_FLOPPY) {
    // There are no floppy drives.
    SetProblem(message, size, "Not a floppy drive");
    return false;
  }
  return true;
}

bool ValidateField(const char* name, char* text, int required, int kind, int flags, const char* min,
                   const char* max, char* message, size_t size) {
  char problem[256] = "";
  bool ok = true;
  if (!text || IsBlankText(text)) {
    if (required) {
      std::snprintf(problem, sizeof problem, "A value must be supplied");
      ok = false;
    }
  } else {
    switch (kind) {
      case FIELD_TEXT:
        if (flags & VF_UPPER) UpperCase(text);
        break;
      case FIELD_NUMBER:
        ok = ValidateNumber(text, flags, min, max, problem);
        break;
      case FIELD_DATE:
        ok = ValidateDateTimeField(text, flags, min, max, problem);
        break;
      case FIELD_PATH:
        // Paths keep their case.
        ok = ValidatePath(text, flags, problem);
        break;
      default:
        break;
    }
  }
  if (!ok && message) {
    std::string text;
    if (name && *name) {
      text = name;
      text[0] = Cp1252ToUpper(text[0]);
      text += ":  ";
    }
    std::string what = problem;
    if (!what.empty()) what[0] = Cp1252ToUpper(what[0]);
    text += what;
    std::snprintf(message, size, "%s", text.c_str());
  }
  return ok;
}

bool ValidateDlgField(const char* name, char* text, int required, int kind, int flags, const char* min,
                      const char* max, HWND focus, char* message, size_t size) {
  bool ok = ValidateField(name, text, required, kind, flags, min, max, message, size);
  if (!ok) SetFocusHwnd(focus);
  return ok;
}

bool ValidateDatePair(const char* first, const char* second, HWND focus1, HWND focus2, char* message, size_t size) {
  char a[32], b[32];
  std::snprintf(a, sizeof a, "%s", first ? first : "");
  std::snprintf(b, sizeof b, "%s", second ? second : "");
  if (!ValidateDlgField("First Date", a, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate, focus1, message,
                        size))
    return false;
  return ValidateDlgField("Second Date", b, 1, FIELD_DATE, DF_YYYYMMDD, a, FiscalEndDate, focus2, message, size);
}

bool ValidateDatePairStr(const CString& first, const CString& second, HWND focus1, HWND focus2, CString& message) {
  char text[256] = "";
  bool ok = ValidateDatePair(first, second, focus1, focus2, text);
  message = text;
  return ok;
}

void SetFocusSetter(FocusSetter setter) { focusSetter = setter; }
void SetFocusHwnd(HWND hwnd) {
  if (!hwnd) return;
  if (focusSetter) focusSetter(hwnd);
  else ::SetFocus(hwnd);
}

void SetMainTitleSetter(MainTitleSetter setter) { mainTitleSetter = setter; }

CString MainTitleText() {
  CString title;
  title.Format("%s %s- FY%s", ProgramTitle, "", CurrentFiscalYear);
  return title;
}

void SetMainTitle(int hint) {
  if (hint != 0 && !(hint & 8)) return;
  if (mainTitleSetter) {
    mainTitleSetter(MainTitleText());
  } else if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) {
    main->SetWindowText(MainTitleText());
  }
}

void SetWaitCursorSetter(WaitCursorSetter setter) { waitCursorSetter = setter; }
void SetWaitCursor(int on) {
  if (waitCursorSetter) {
    waitCursorSetter(on);
    return;
  }
  static HCURSOR replaced = nullptr;
  HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
  if (on) {
    HCURSOR previous = ::SetCursor(wait);
    // A second "on" keeps the cursor the first one replaced.
    if (previous != wait) replaced = previous;
  } else if (::GetCursor() == wait) {
    ::SetCursor(replaced);
  }
}

void MoveControlBy(CWnd* wnd, int dx, int dy, BOOL move) {
  if (!wnd || !wnd->GetSafeHwnd()) return;
  RECT r;
  wnd->GetWindowRect(&r);
  CWnd* parent = (wnd->GetStyle() & WS_CHILD) ? wnd->GetParent() : nullptr;
  if (parent) parent->ScreenToClient(&r);
  if (move) {
    OffsetRect(&r, dx, dy);
  } else {
    r.right += dx;
    r.bottom += dy;
  }
  wnd->MoveWindow(&r, FALSE);
}

namespace {

// The heading fonts: made once, from the first control's own font, and kept
// for the whole run.
HFONT MakeHeadingFont(HWND hwnd, double scale, int weight) {
  HFONT own = reinterpret_cast<HFONT>(::SendMessage(hwnd, WM_GETFONT, 0, 0));
  if (!own) own = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  LOGFONT lf{};
  if (!own || ::GetObject(own, sizeof lf, &lf) == 0) return nullptr;
  lf.lfHeight = static_cast<LONG>(lf.lfHeight * scale);
  if (weight) lf.lfWeight = weight;
  lf.lfQuality = PROOF_QUALITY;
  auto* font = new CFont;  // never freed: the font outlives every dialog
  if (!font->CreateFontIndirect(&lf)) {
    delete font;
    return nullptr;
  }
  return *font;
}

// The heading grows downwards to the font's full height where the
// template made it shorter: its descenders would be cut off otherwise.
void GiveFont(HWND hwnd, HFONT& shared, double scale, int weight) {
  if (!hwnd || !::IsWindow(hwnd)) return;
  if (!shared) shared = MakeHeadingFont(hwnd, scale, weight);
  if (!shared) return;
  ::SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(shared), TRUE);
  TEXTMETRIC tm{};
  {
    CClientDC dc(CWnd::FromHandle(hwnd));
    CFont* old = dc.SelectObject(CFont::FromHandle(shared));
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
  }
  RECT client, outer;
  if (!::GetClientRect(hwnd, &client) || client.bottom >= tm.tmHeight) return;
  ::GetWindowRect(hwnd, &outer);
  ::SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + tm.tmHeight - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void SetLargeFont(HWND hwnd) {
  static HFONT large = nullptr;
  GiveFont(hwnd, large, 1.75, 0);
}

void SetBoldFont(HWND hwnd) {
  static HFONT bold = nullptr;
  GiveFont(hwnd, bold, 2.1, 600);
}

void EditFieldHook(...) {}
void ListFieldHook(...) {}
