// Command ids of the main window's menu, accelerators and tool bar
// (res/menus/tornel.mnu uses the same numbers).
#pragma once

#include "platform/base/types.h"

inline constexpr UINT kMainResourceId = 92;
inline constexpr UINT kAltToolbarResourceId = 254;

enum : UINT {
  // File
  ID_FILE_ROLLOVER = 32940,
  ID_FILE_OPEN_YEAR = 32941,
  ID_FILE_DELETE_YEAR = 32773,
  ID_FILE_BACKUP = 32774,
  ID_FILE_RESTORE = 32775,
  ID_FILE_IMPORT = 32974,
  ID_FILE_EXPORT = 32777,
  ID_FILE_TRANSFER = 32975,
  ID_FILE_EXIT = 57665,
  // Edit
  ID_EDIT_ACCOUNTS = 32859,
  ID_EDIT_SCHEDULES = 32874,
  ID_EDIT_PROFIT_CENTERS = 32930,
  ID_EDIT_SCOUTS = 32780,
  ID_EDIT_ADULTS = 32781,
  ID_EDIT_EQUIPMENT = 32783,
  ID_EDIT_FRIENDS = 32782,
  ID_EDIT_UNIT_INFO = 32976,
  ID_EDIT_SUBUNITS = 32977,
  ID_EDIT_INTEGRITY = 32785,
  // Options
  ID_OPTIONS_PREFERENCES = 32772,
  // Tools
  ID_TOOLS_NOTEPAD = 32823,
  ID_TOOLS_CALCULATOR = 32824,
  ID_TOOLS_CALENDAR = 32825,
  // Help
  ID_HELP_TOPICS = 32939,
  ID_HELP_TIP = 32894,
  ID_HELP_FAQS = 32828,
  ID_HELP_MANUAL = 32978,
  ID_HELP_README = 32829,
  ID_HELP_ABOUT = 57664,
  // Reports menu: the general-ledger detail and roster items carry unit words.
  ID_REPORT_GL_DETAIL = 32963,
  ID_REPORT_ROSTER = 32944,
};
