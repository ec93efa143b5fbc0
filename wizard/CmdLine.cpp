#include "wizard/CmdLine.h"

#include <cstdlib>

#include "common/FileUtil.h"
#include "wizard/Conversion.h"
#include "wizard/Routines.h"

void CCmdLine::Parse(const std::string& text) {
  names_.clear();
  values_.clear();
  bool pending = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::string word;
    char quote = 0;
    for (; pos < text.size(); ++pos) {
      char c = text[pos];
      if (c == ' ' || c == '\t') {
        if (word.empty() || quote) {
          word += c;
          continue;
        }
        ++pos;
        break;
      }
      if (c == '"' || c == '\'') {
        if (quote == c) {
          ++pos;
          break;
        }
        if (quote) {
          word += c;
          continue;
        }
        quote = c;
        continue;
      }
      word += c;
    }
    word = wiz::Trim(word, true, false);
    if (word.empty()) continue;
    // Paths begin with "/" here: a "/" word is a switch only as "/" and one
    // letter (every switch is one), so absolute paths stay values.
    if (word[0] == '-' || (word[0] == '/' && word.size() == 2)) {
      names_.push_back(word.substr(1));
      values_.emplace_back();
      pending = true;
    } else if (pending) {
      values_.back() = word;
      pending = false;
    } else {
      names_.emplace_back();
      values_.push_back(word);
    }
  }
}

int CCmdLine::Find(const std::string& name, std::string& value) const {
  value.clear();
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == name) {
      value = values_[i];
      break;
    }
  }
  return static_cast<int>(names_.size());
}

std::string JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (!line.empty()) line += ' ';
    if (arg.find_first_of(" \t") != std::string::npos || arg.empty()) {
      char q = arg.find('"') != std::string::npos ? '\'' : '"';
      line += q + arg + q;
    } else {
      line += arg;
    }
  }
  return line;
}

int CConversion::ParseCommandLine(const std::string& commandLine) {
  CCmdLine cmd;
  cmd.Parse(commandLine);
  std::string value;
  auto refused = [this] { wiz::DispMessage(lastError_, wiz::kError); };
  cmd.Find("t", value);
  if (!value.empty() && !SetAppType(std::atoi(value.c_str()))) refused();
  cmd.Find("o", value);
  if (!value.empty() && !SetOldFolder(value)) refused();
  cmd.Find("n", value);
  if (!value.empty() && !SetInstallFolder(value)) refused();
  cmd.Find("i", value);
  if (!value.empty()) SetImportFolder(value);
  cmd.Find("a", value);
  if (!value.empty()) SetAdultSubunit(value);
  cmd.Find("s", value);
  if (!value.empty()) SetStatusFile(value);
  // The folder for the drive letters of the old configuration's paths.
  cmd.Find("r", value);
  if (!value.empty()) SetDriveRoot(NormalizePath(value));
  if (!oldFolder_.empty()) {
    if (!ReadOldConfig()) refused();
    else if (!ScanOldData()) refused();
  }
  return 1;
}
