// The financial reports: monthly and annual income/expense (1, 3), the
// financial statement with its passbook attachment (2), the annual budget
// and budget status (6, 7), the reconciliation statement (16), the account
// list and summary (18, 30) and the account detail (4).
//
// Each builder reads the option slots and selection tables its parameter
// dialog filled (reports/RptSelection.h) and the loaded year; it returns 1
// when the report was written, 0 after its failure was shown.
#pragma once

#include "reports/RptContext.h"

int BuildMonthlyIncExpReport(RptContext* context);
int BuildFinancialStatement(RptContext* context);
int BuildAnnualIncExpSummary(RptContext* context);
int BuildAccountDetailReport(RptContext* context);
int BuildAnnualBudgetReport(RptContext* context);
int BuildBudgetStatusReport(RptContext* context);
// Reads the balancing state handed over as the context's owner (a
// ReconContext, store/ReconState.h).
int BuildReconciliationStatement(RptContext* context);
int BuildAccountListReport(RptContext* context);
int BuildAccountSummaryReport(RptContext* context);

// The passbook holders' liability as of `date` by member type (scouts,
// adults, subunits), each member's available funds left in ScoutActiv.
// false after its failure was shown.
bool SumMemberLiability(const char* date, long long* scouts, long long* adults, long long* subunits);

void InstallFinancialReports();
