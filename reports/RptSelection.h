// The program-wide report selection tables (allocated by the report driver
// for one run: parameter dialogs fill them, builders read them) and the
// report option slots (set by a parameter dialog when accepted, read by the
// same report's builder; each report gives each slot its own meaning).
#pragma once

#include <string>
#include <vector>

// Selection tables; sized by the store's capacities while a run lasts.
extern std::vector<int> AcctList;  // accounts chosen in a dialog
extern int AcctCount;
extern std::vector<int> Type1Acts;  // candidate accounts: income, or assets
extern int Type1Count;
extern std::vector<int> Type1Used;
extern std::vector<int> Type2Acts;  // expense, or liabilities
extern int Type2Count;
extern std::vector<int> Type2Used;
extern std::vector<int> ScoutList;  // live member rows in member index order
// Its count (the store keeps ScoutCount, the live scouts).
extern int ScoutListCount;
extern std::vector<int> ScoutActiv;
extern std::vector<int> EquipList;  // in-service equipment rows in index order
extern int EquipCount;
extern int RptConditionList[4];  // report 5: conditions chosen
// Amounts (cents) per Type1Acts / Type2Acts entry, one array per column
// (twelve months and a total, or another meaning per report).
extern std::vector<long long> Type1Activ[13];
extern std::vector<long long> Type2Activ[13];
extern std::vector<std::string> RptCategory1List;
extern std::vector<std::string> RptCategory2List;
// Per-column totals of the two account groups; cleared before each build.
extern long long Type1Totals[13];
extern long long Type2Totals[13];

// Report option slots.
extern char RptFirstDate[9];   // yyyymmdd
extern char RptSecondDate[9];  // yyyymmdd (a range's end, or "As of")
extern char RptOrder;
extern char RptTransOrder;
extern char RptGroupBy;
extern int RptMonth;       // calendar month index
extern int RptFirstMonth;  // the fiscal first month, copied on OK
extern int RptOptionA, RptOptionB, RptOptionC, RptOptionD;
extern char RptOptionE, RptOptionF;
extern int RptOptionG, RptOptionH;
extern char RptIdFrom[12];
extern char RptIdTo[12];
extern char RptUserTitle[32];
extern char RptColumnHeads[10][9];
extern char RptAddressLines[5][35];

// Allocates the tables for a run of report `reportId` and fills the live
// member and equipment lists; 0 after "Failed alloc: %s".
int AllocRptTables(int reportId);
void FreeRptTables();
// Clears the activity arrays and the column totals (before each build).
void ClearRptActivity();
