#include "reports/RptDriver.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/PrintSettings.h"
#include "common/Question.h"
#include "common/Trace.h"
#include "platform/base/Kernel.h"
#include "platform/gfx/GdiApi.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"
#include "reports/MailLabel.h"
#include "reports/PrevDlg.h"
#include "reports/RptFonts.h"
#include "reports/RptSelection.h"

namespace {

std::map<int, RptBuilder>& Builders() {
  static std::map<int, RptBuilder> table;
  return table;
}
std::map<int, RptLauncher>& Launchers() {
  static std::map<int, RptLauncher> table;
  return table;
}
RptFirstLabelAsker firstLabelAsker = nullptr;
RptPreviewer previewer = ShowRptPreview;

void Unrecognized() { DispMessage("Unrecognized report request", MSG_ERROR); }

// The report-number table: the numbers that have a parameter dialog.
bool HasParameterDialog(int id) {
  switch (id) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 10:
    case 11: case 12: case 13: case 14: case 15: case 17: case 18: case 20: case 21:
    case 22: case 23: case 25: case 28: case 29: case 30: case 31: case 32: case 33: case 34:
      return true;
    default:
      return false;
  }
}

// The printer's orientation for this build: into its settings when it has
// any (and a fresh context made with them), else into the record; then the
// page geometry is read again.
void ApplyOrientation(int portrait) {
  PrintSetupRecord& r = ThePrintSetup;
  const short wanted = portrait ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE;
  DEVMODE mode;
  if (r.printDlg.hDevMode && printing::ReadDevMode(r.printDlg.hDevMode, &mode)) {
    if (mode.dmOrientation != wanted) {
      if (auto* stored = static_cast<DEVMODE*>(::GlobalLock(r.printDlg.hDevMode))) {
        stored->dmOrientation = wanted;
        ::GlobalUnlock(r.printDlg.hDevMode);
      }
      mode.dmOrientation = wanted;
      std::string driver, device, output;
      if (printing::ReadDevNames(r.printDlg.hDevNames, &driver, &device, &output)) {
        if (HDC fresh = ::CreateDC(driver.c_str(), device.c_str(), output.c_str(), &mode)) {
          if (r.dc != nullptr && r.dc == r.printDlg.hDC) ::DeleteDC(r.dc);
          r.dc = r.printDlg.hDC = fresh;
        }
      }
    }
  } else {
    r.orientation = portrait ? 1 : 2;
  }
  PRINTDLG current = r.printDlg;
  SetupPrinter(&current, &r);
}

}  // namespace

void RegisterRptBuilder(int reportId, RptBuilder builder) {
  if (builder)
    Builders()[reportId] = builder;
  else
    Builders().erase(reportId);
}

void RegisterRptLauncher(int reportId, RptLauncher launcher) {
  if (launcher)
    Launchers()[reportId] = launcher;
  else
    Launchers().erase(reportId);
}

void SetRptFirstLabelAsker(RptFirstLabelAsker asker) { firstLabelAsker = asker; }
void SetRptPreviewer(RptPreviewer p) { previewer = p; }

RptBuilder FindRptBuilder(int reportId) {
  // Label sheets share one builder, export format reports another.
  auto& table = Builders();
  auto it = table.find(reportId);
  if (it != table.end()) return it->second;
  if (reportId >= 150 && reportId <= 155) it = table.find(150);
  if (reportId >= 260 && reportId <= 265) it = table.find(260);
  return it != table.end() ? it->second : nullptr;
}

RptLauncher FindRptLauncher(int reportId) {
  auto it = Launchers().find(reportId);
  return it != Launchers().end() ? it->second : nullptr;
}

void ClearRptRegistry() {
  Builders().clear();
  Launchers().clear();
  firstLabelAsker = nullptr;
}

bool IsRunOnceReport(int id) {
  return (id >= 260 && id <= 265) || id == 16 || id == 24 || id == 27 || id == 91 || id == 92;
}

bool IsKnownReport(int id) { return IsRunOnceReport(id) || HasParameterDialog(id) || (id >= 150 && id <= 155); }

int PrepareRptBuild(RptContext* c) {
  char face[LF_FACESIZE] = {};
  int size = 10, weight = 400, italic = 0, portrait = 1;
  float left = 0, right = 0, top = 0, bottom = 0;
  GetPrintSettings(c->reportId, c->lineWidth == kRptPortraitWidth ? 1 : 0, face, sizeof face, &size, &weight,
                   &italic, &portrait, &left, &right, &top, &bottom);
  LOGFONT& base = c->fontSpecs[RPT_FONT_BODY];
  base = LOGFONT{};
  std::snprintf(base.lfFaceName, sizeof base.lfFaceName, "%s", face);
  base.lfWeight = weight;
  base.lfItalic = italic ? 1 : 0;
  c->baseSize = size;
  c->leftMargin = left;
  c->rightMargin = right;
  c->topMargin = top;
  c->bottomMargin = bottom;
  if (c->labelFlag) {
    const MailLabelDef& sheet = CurrentMailLabel.Definition();
    c->topMargin = sheet.topMargin;
    c->bottomMargin = sheet.bottomMargin;
    c->leftMargin = sheet.leftMargin;
    c->rightMargin = sheet.rightMargin;
  }
  ApplyOrientation(portrait);
  ResetRpt(c);
  return CreateRptFonts(c, 100);
}

int BuildRpt(RptContext* c) {
  if (!PrepareRptBuild(c)) return 0;
  const RptBuilder builder = FindRptBuilder(c->reportId);
  if (builder == nullptr) {
    Unrecognized();
    return 0;
  }
  ReportProgress(nullptr, 0, 100);
  const int built = builder(c);
  ReportProgress(nullptr, 100, 100);
  return built;
}

void ReportGenerator(RptContext* c) {
  CTraceLog trace("ReportGenerator");
  int rebuild = 1;
  while (rebuild) {
    rebuild = 0;
    ClearRptActivity();
    if (BuildRpt(c) && previewer) previewer(c, &rebuild);
  }
  DeleteRptFonts(c);
}

void ReportDriver(int reportId, void* argument) {
  CTraceLog trace("ReportDriver");
  EnsurePrintSetup();
  RptContext* c = nullptr;
  int id = reportId;
  if (AllocRptTables(reportId) && InitRpt(&c)) {
    c->reportId = reportId;
    c->owner = argument;
  } else {
    id = 0;
  }
  bool again = true;
  while (again) {
    int run = 0;
    if (id > 265 || c == nullptr) {
      Unrecognized();
      break;
    }
    if (IsRunOnceReport(id)) {
      run = 1;
      again = false;
    } else if (HasParameterDialog(id) && FindRptLauncher(id) != nullptr) {
      run = FindRptLauncher(id)(c);
      again = run != 0;
    } else {
      Unrecognized();
      break;
    }
    if (run && c->labelFlag) {
      if (firstLabelAsker != nullptr) run = firstLabelAsker(c);
      else c->firstLabel = 1;
    }
    if (run) ReportGenerator(c);
  }
  FreeRptTables();
  FreeRpt(&c);
}
