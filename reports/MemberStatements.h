// The member statements, one per chosen member, each numbering its own
// pages: income/expense totals (9), transaction details (17), payment
// details per dues schedule (20) and reserve totals (29). Each opens with
// the member's head (reports/MemberHead.h).
#pragma once

#include "reports/RptContext.h"
#include "store/MemberStore.h"

// The one builder of the four; the context's reportId picks the statement.
int BuildMemberStatements(RptContext* context);

// The bodies. The sums come back through the pointers (the optional ones
// may be null); `member` is the member's row. Each returns 1, or 0 after a
// failure whose text is in `error` (a blank text when it was shown already).
int WriteMemberAcctTotals(RptContext* context, int member, long long* income, long long* expense,
                          long long* otherNet, long long* reserves, long long* otherReserves, char* error);
int WriteMemberTransDetails(RptContext* context, int member, long long* opening, long long* income,
                            long long* expense, long long* otherNet, long long* openingReserve, long long* reserves,
                            long long* otherReserves, char* error);
int WriteMemberReserveTotals(RptContext* context, int member, long long* reserveTotal, bool* negative, char* error);

void InstallMemberStatements();
