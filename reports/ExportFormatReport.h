// The export format reports 260-265: the line layout of each export data
// set, one numbered row per field with its description, documented length
// and a format hint. They run without a dialog, usually right after an
// export.
#pragma once

#include "reports/RptContext.h"

// One row of the layout table: a record-name row (it names the set in the
// subtitle) is followed by the set's field rows.
struct ExportFieldDoc {
  char set;  // 'S', 'D', 'F', 'E', 'A', 'R'
  char description[35];
  int maxLength;
  char comment[32];
};

inline constexpr int kExportFormatRows = 120;
extern const ExportFieldDoc ExportFormatTable[kExportFormatRows];

// 1 when every line was written, 0 after a shown write failure.
int BuildExportFormatReport(RptContext* context);
void InstallExportFormatReport();
