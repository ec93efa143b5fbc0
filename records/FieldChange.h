// Whether a notification of a date or amount edit is an edit of its field.
// Both edits rewrite their own text when they gain or lose the focus (the
// bare number while typing, the short date after it); that is no change.
// An amount edit reports typing through its change flag; a date edit
// changes the field only when the date it holds differs from the one shown.
#pragma once

#include "common/DateEdit.h"
#include "platform/base/CString.h"

inline bool DateFieldDiffers(CDate8& edit, const CString& shown) {
  CString now;
  edit.SaveValue(now);
  return now != shown;
}
