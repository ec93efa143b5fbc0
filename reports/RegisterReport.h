// The account register report (31) and the blank transaction register form
// (23).
//
// Report 31 does not compute registers itself: it has the register export
// write the chosen accounts into a private temporary file and prints each
// line of it, one or two lines per posting, with the account's header at
// every change of account.
#pragma once

#include <string>

#include "reports/RptContext.h"

// Each returns 1 when the report was written, 0 after a failure (shown).
int BuildAccountRegisterReport(RptContext* context);
int BuildTransactionRegisterForm(RptContext* context);
// Report 31's body: the lines of a register export file (tab-delimited, no
// names row) on the open report, an account header at every change of
// account. 0 when the file cannot be read; a write failure goes to `error`.
int PrintRegisterExport(RptContext* context, const char* path, int lineCount, std::string& error);

// Whether report 31 can run: its builder and its parameter dialog are both
// installed. The register screens enable their Print button by it.
bool AccountRegisterReportReady();
// Report 31 from a register screen: its dialog opens with only `account`
// chosen; `display` '2' asks for the two-line display, '1' for one line.
void PrintAccountRegister(int account, char display);

// Reports 23 and 31 into the report driver.
void InstallRegisterReports();
