// The report driver and generator, and the report-number table.
//
// Every report is requested the same way: ReportDriver(number, argument).
// The driver allocates the selection tables, creates the context and loops:
// parameter dialog (the report's launcher), "First Label" for label
// reports, generation and preview, until the dialog is cancelled; numbers
// without a dialog (16, 24, 27, 91, 92, 260-265) run once.
//
// Builders and launchers register themselves by number at start-up, one
// install function per group of reports (see reports/RptInstall.cpp):
//   RegisterRptBuilder(18, BuildAccountListReport);
//   RegisterRptLauncher(18, GetRpt18Params);
// A number whose builder is not registered is refused like an unknown one.
#pragma once

#include "reports/RptContext.h"

// Both return 1 or 0. A launcher returns 1 when its dialog was accepted.
using RptLauncher = int (*)(RptContext* context);
using RptBuilder = int (*)(RptContext* context);
// Label reports: the "First Label" dialog; 1 on OK with context->firstLabel
// set.
using RptFirstLabelAsker = int (*)(RptContext* context);

void RegisterRptBuilder(int reportId, RptBuilder builder);
void RegisterRptLauncher(int reportId, RptLauncher launcher);
void SetRptFirstLabelAsker(RptFirstLabelAsker asker);
RptBuilder FindRptBuilder(int reportId);
RptLauncher FindRptLauncher(int reportId);
// Forgets every registration (tests).
void ClearRptRegistry();

// Whether a number runs once, without a parameter dialog.
bool IsRunOnceReport(int reportId);
// Whether the driver knows the number at all (the report-number table).
bool IsKnownReport(int reportId);

void ReportDriver(int reportId, void* argument);
// One generation loop for the current parameters: build, preview, and
// rebuild while the preview asks for it.
void ReportGenerator(RptContext* context);
// The build's set-up: print settings into the context (margins, base font;
// a label report's margins from its sheet), the printer's orientation,
// ResetRpt and the fonts at scale 100. 0 when the fonts cannot be made.
int PrepareRptBuild(RptContext* context);
// PrepareRptBuild, then the report's builder; 1 when it built the report.
int BuildRpt(RptContext* context);

// The preview the generator shows after a build; the default is the
// preview dialog. Replaced by tests and tools that render without a window.
using RptPreviewer = int (*)(RptContext* context, int* rebuild);
void SetRptPreviewer(RptPreviewer previewer);
