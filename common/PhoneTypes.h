// The fixed table of telephone-number kinds a phone entry of a record can
// carry: numeric code, one-letter abbreviation and name.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Collections.h"

class CPhoneTypes {
 public:
  CPhoneTypes();
  virtual ~CPhoneTypes() = default;
  // The code of the first type (in table order) whose name contains `text`
  // (case-sensitive); -1 when none.
  int GetCodeByName(const char* text) const;
  // The letter / name of the first type with `code`; empty when none.
  CString GetLetterByCode(int code) const;
  CString GetNameByCode(int code) const;
  int GetCount() const { return m_nCount; }
  // The names in table order, for the pick labels of the friend dialog.
  const CStringArray& GetNames() const { return m_names; }

 private:
  int IndexOfCode(int code) const;

  CStringArray m_letters;
  CUIntArray m_codes;
  CStringArray m_names;
  int m_nCount = 0;
};

// The one table of the program, built before the application starts.
extern const CPhoneTypes PhoneTypeList;
