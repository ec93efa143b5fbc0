// The account choices of the transaction screens: the support and reserve
// drop lists filled from the store's account lists, selection by account
// number, and a new account made through Account Information.
#pragma once

#include <functional>

#include "platform/base/CString.h"
#include "platform/base/types.h"
#include "store/Queries.h"

class CWnd;

// Items of a drop list (window `combo`).
void ComboClear(HWND combo);
void ComboAdd(HWND combo, const char* text);
CString ComboText(HWND combo);
// Selects the first item that begins with `prefix`; clears the selection
// when none does (or the prefix is empty). True when one was selected.
bool ComboSelectPrefix(HWND combo, const char* prefix);
// Selects the account whose item begins with its number ("%d / ...").
bool ComboSelectAccount(HWND combo, int number);

// Whether Account Information may add another account.
bool AccountSlotFree();

// The support list: for the reserve allocation account (900) " " and the
// reserve accounts but 900, otherwise every non-reserve account but the
// register's own; then "Split" when asked and "New" while an account slot
// is free.
void FillSupportChoices(HWND combo, const ListOfValues& nonReserve, const ListOfValues& reserve,
                        int registerAccount, bool withSplit);
// The reserve list: " ", every reserve account and "New" while a slot is free.
void FillReserveChoices(HWND combo, const ListOfValues& reserve);

// Opens Account Information for a new account; the new account's number,
// 0 when none was added.
int CreateAccountByDialog(CWnd* parent);

// "New" chosen in the support list (`forSupport`) or the reserve list: opens
// Account Information; with an account added, refills the lists through
// `refill` (flags 1 support, 2 reserve) and selects the new account in
// `target`. When the new account took the last free slot both lists lose
// "New", so both are refilled and `other` keeps its choice. Returns the new
// number; 0 when none was added (the target's choice is then cleared).
int CreateAccountFromChoice(CWnd* parent, HWND target, HWND other, bool forSupport,
                            const std::function<void(int flags)>& refill);

// The number an account text starts with (0 for " " or text without one).
int LeadingNumber(const char* text);
