// The fixture year (2008) as the program's current year: listed in the
// fiscal-year list and recorded in a configuration file of its program
// folder; and a snapshot of a folder's files to show a year untouched.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/ConfigFile.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "store/Fixture.h"

inline void MakeYearCurrent(const fixture::FiscalYear& fy) {
  FreeYearList();
  FiscalYearNode* node = FindYearNode("2008", 1, &YearList);
  std::snprintf(node->folder, sizeof node->folder, "%s", fy.folder().c_str());
  std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", fy.home().c_str());
  std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s/config4.sl", fy.home().c_str());
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2008");
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
  SortYearList();
  ASSERT_EQ(ReadWriteConfig(1), 1);
}

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of a folder (names and bytes), sub-folders by name alone.
inline std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    files[e.path().filename().string()] = e.is_regular_file() ? FileBytes(e.path().string()) : "<folder>";
  return files;
}

// Answers every box with OK, every question with Yes, and keeps the texts
// shown.
inline std::vector<std::string>& AnswerEveryBox() {
  static std::vector<std::string> texts;
  texts.clear();
  automation::SetResponder([](const automation::ModalInfo& info) {
    texts.push_back(info.text);
    return info.caption == "Question" ? 2 /* Yes */ : IDOK;
  });
  return texts;
}
