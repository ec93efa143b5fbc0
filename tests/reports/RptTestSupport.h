// A report run for tests: a private program folder with its temporary
// folder and settings file, a context prepared for a build at scale 100
// (letter paper, default print settings), and the records read back.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/ConfigFile.h"
#include "common/TempFolder.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Settings.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "reports/RptContext.h"
#include "reports/RptDriver.h"
#include "store/UnitInfo.h"

class RptTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kestrova-rpt-XXXXXX";
    home_ = ::mkdtemp(tmpl);
    std::snprintf(TempFolder, sizeof TempFolder, "%s", home_.c_str());
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", home_.c_str());
    std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", home_.c_str());
    std::snprintf(TodayDate, sizeof TodayDate, "20261211");
    std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2026");
    std::snprintf(UnitName, sizeof UnitName, "Troop 123");
    ThePrintSetup = PrintSetupRecord{};  // no printer: letter paper
  }
  void TearDown() override {
    FreeRpt(&ctx_);
    std::error_code ec;
    std::filesystem::remove_all(home_, ec);
  }
  // A context ready for a builder, as the generator leaves it.
  RptContext* Prepare(int reportId = 91, int lineWidth = 77) {
    FreeRpt(&ctx_);
    EXPECT_TRUE(InitRpt(&ctx_));
    ctx_->reportId = reportId;
    ctx_->lineWidth = lineWidth;
    EXPECT_TRUE(PrepareRptBuild(ctx_));
    return ctx_;
  }
  // Every record's text, in file order.
  std::vector<std::string> Records() const {
    std::vector<std::string> lines;
    std::FILE* f = std::fopen(ctx_->tempName, "rb");
    if (f == nullptr) return lines;
    char record[256];
    while (std::fread(record, 256, 1, f) == 1) {
      CutRptRecord(record);
      lines.emplace_back(record);
    }
    std::fclose(f);
    return lines;
  }
  std::string WriteFile(const std::string& name, const std::string& text) const {
    const std::string path = home_ + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
  }
  std::string home_;
  RptContext* ctx_ = nullptr;
};
