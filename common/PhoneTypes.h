// The table of phone types a phone entry of a record can carry.
#pragma once

#include <string>
#include <vector>

class CPhoneTypes {
 public:
  CPhoneTypes();
  virtual ~CPhoneTypes() = default;
  // The code of the first type whose name contains `text`; -1 when none.
  int GetCodeByName(const std::string& text) const;
  int Count() const { return static_cast<int>(types_.size()); }

 private:
  struct Type {
    int code;
    std::string name;
  };
  std::vector<Type> types_;
};
