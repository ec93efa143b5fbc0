// The installer's switches: the command line split into switch names and
// their values.
#pragma once

#include <string>
#include <vector>

class CCmdLine {
 public:
  virtual ~CCmdLine() = default;
  void Parse(const std::string& commandLine);
  // Empties `value`, then copies the value of the first switch called
  // `name`; the number of entries.
  int Find(const std::string& name, std::string& value) const;
  int GetValue(const std::string& name, std::string& value) const { return Find(name, value); }
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<std::string>& Values() const { return values_; }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> values_;
};

// The program's arguments as one command line: an argument holding a blank
// or a tab is quoted (with single quotes when it holds a double quote).
std::string JoinArguments(int argc, char** argv);
