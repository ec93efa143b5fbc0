#include "common/PhoneTypes.h"

CPhoneTypes::CPhoneTypes() {
  static const char* const kNames[] = {"Home Phone", "Work Phone", "Cellular",  "Fax",
                                       "Pager",      "Voice Mail", "Emergency", "Other"};
  int code = 10;
  for (const char* name : kNames) {
    types_.push_back({code, name});
    code += 10;
  }
}

int CPhoneTypes::GetCodeByName(const std::string& text) const {
  for (const Type& t : types_)
    if (t.name.find(text) != std::string::npos) return t.code;
  return -1;
}
