// The exchange tests run on the store's fixture year with a report run's
// folders (the export and import offer reports at their end).
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/Question.h"
#include "common/Settings.h"
#include "platform/testing/Automation.h"
#include "reports/RptYear.h"

class ExchangeTest : public RptYearTest {
 protected:
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The file's lines without their CR LF; every line must end in CR LF.
  static std::vector<std::string> Lines(const std::string& path) {
    const std::string all = ReadAll(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = all.find("\r\n"); end != std::string::npos; end = all.find("\r\n", start)) {
      lines.push_back(all.substr(start, end - start));
      start = end + 2;
    }
    EXPECT_EQ(start, all.size()) << "every line ends in CR LF";
    return lines;
  }
  // Fields as a spreadsheet reads them: a field that starts with `quote`
  // runs to the next single quote; doubled quotes stand for one.
  static std::vector<std::string> Fields(const std::string& line, char delimiter, char quote) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false, inQuotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char ch = line[i];
      if (inQuotes) {
        if (ch == quote && i + 1 < line.size() && line[i + 1] == quote) {
          field += quote;
          ++i;
        } else if (ch == quote) {
          inQuotes = false;
        } else {
          field += ch;
        }
      } else if (ch == quote && field.empty() && !quoted) {
        inQuotes = quoted = true;
      } else if (ch == delimiter) {
        fields.push_back(field);
        field.clear();
        quoted = false;
      } else {
        field += ch;
      }
    }
    fields.push_back(field);
    return fields;
  }
};

// The exchange dialogs' tests: every box a test expects must have shown, and
// the dialog's choices are read back from its settings section.
class ExchangeDialogTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    automation::ResetWindows();
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
    ExchangeTest::TearDown();
  }
  static std::string SettingText(const char* section, char key, const char* item = nullptr) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, section);
    char text[300] = "";
    GetSettingString(s, key, item, "", "%s", text);
    CloseSettingsSection(s);
    return text;
  }
};
