// The report fonts and rule pens, and the page geometry they are made for.
//
// Fonts 0-4 are made from the base font (fontSpecs[4]) at a scale of
// device units per inch: 100 while a report is built and printed, the zoom
// percentage in the preview. The geometry (usable width, page height,
// origin) comes from the margins and the paper: the printer's, or for a
// label report the sheet of the current mailing label.
#pragma once

#include "reports/RptContext.h"

struct PrintSetupRecord;

// Geometry, pens and fonts at scale `a` for the paper of ThePrintSetup (or
// the label sheet). 0 after "Pen creation failed" / "Font creation failed".
int CreateRptFonts(RptContext* context, int a);
int CreateRptFonts(RptContext* context, int a, const PrintSetupRecord& setup);
// Deletes every font and pen made.
int DeleteRptFonts(RptContext* context);
