// Mailing and equipment labels (150-155, 25): one positioned label per
// member, parent household, friend, address copy or equipment unit on the
// current label sheet, starting at any label of a used sheet.
#pragma once

#include <string>

#include "reports/MailLabel.h"
#include "reports/RptContext.h"

// Five text lines of a label (at most 34 characters each).
struct LabelText {
  std::string lines[5];
};

// Places one label at `index` (from 0) of the sheet and moves on; a new
// sheet starts a page, except the first one. 0 after a failed write
// (shown).
int WriteLabelFrame(RptContext* context, const MailLabelDef& sheet, const LabelText& text, int* firstSheet,
                    int* index);
int BuildLabels(RptContext* context);
void InstallLabelReports();
