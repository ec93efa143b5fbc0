#include "common/PhoneTypes.h"

#include <cstring>

const CPhoneTypes PhoneTypeList;

CPhoneTypes::CPhoneTypes() {
  static const struct {
    UINT code;
    const char* letter;
    const char* name;
  } kTypes[] = {{10, "h", "Home Phone"}, {20, "w", "Work Phone"}, {30, "c", "Cellular"},
                {40, "f", "Fax"},        {50, "p", "Pager"},      {60, "v", "Voice Mail"},
                {70, "e", "Emergency"},  {80, "o", "Other"}};
  for (const auto& t : kTypes) {
    m_codes.Add(t.code);
    m_letters.Add(CString(t.letter));
    m_names.Add(CString(t.name));
  }
  m_nCount = static_cast<int>(sizeof kTypes / sizeof kTypes[0]);
}

int CPhoneTypes::GetCodeByName(const char* text) const {
  if (text == nullptr) return -1;
  for (int i = 0; i < m_nCount; ++i)
    if (std::strstr(static_cast<LPCTSTR>(m_names[i]), text) != nullptr) return static_cast<int>(m_codes[i]);
  return -1;
}

int CPhoneTypes::IndexOfCode(int code) const {
  for (int i = 0; i < m_nCount; ++i)
    if (static_cast<int>(m_codes[i]) == code) return i;
  return -1;
}

CString CPhoneTypes::GetLetterByCode(int code) const {
  const int i = IndexOfCode(code);
  return i < 0 ? CString() : m_letters[i];
}

CString CPhoneTypes::GetNameByCode(int code) const {
  const int i = IndexOfCode(code);
  return i < 0 ? CString() : m_names[i];
}
