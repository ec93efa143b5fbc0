// Stores of adults, subunits, equipment items, friends and schedules with
// their participants.
#pragma once

#include "store/MemberStore.h"
#include "store/Records.h"

int AddAdult(MemberRow* form, int* rowOut);
int ModifyAdult(MemberRow* form, int row);
int DeleteAdult(const char* lastName, const char* firstName);
int AddSubunit(MemberRow* form, int* rowOut);
int ModifySubunit(MemberRow* form, int row);
int DeleteSubunit(const char* name);
int RenameMembersSubunit(const char* oldName, const char* newName);

int AddEquipItem(EquipmentRecord* item, int noPosting, int* rowOut);
int PostEquipToAccount(EquipmentRecord* item, const char* oldPurchaseDate, int oldPrice, int oldCurrentValue, int row);
// Deletes the first item with the description (several items may share
// one), or the item of a key row, after the treasurer's confirmation.
int DeleteEquipItem(const char* description);
int DeleteEquipItemAt(int row);
int DeleteEquipByTrans(int lineKey, int* valueOut);
// As DeleteEquipByTrans, but an item that no longer carries the posting
// (deleted, or made hand-entered) is no failure: returns -1 and shows
// nothing. 1 when the item was deleted, 0 after a failure shown.
int DeleteEquipOfPosting(int lineKey, int* valueOut);
// Copies description, purchase date and price of a changed posting to 399
// into its item. When the item's current value still equals its old price,
// the current value follows the new price and account 399 moves with it.
// No item holding the posting's key is nothing to do. Returns 1 on success
// (the original reports failures without a result).
int UpdateEquipFromTrans(EquipmentRecord* fromLine);
int FindEquipItem(int prefixMode, const char* text, int useDescription, int* posOut);
// The item a purchase posting to 399 brings along.
EquipmentRecord EquipItemFromPosting(const char* remarks, const char* date, int amount, int lineKey);

int AddFriend(FriendRecord* rec, int* rowOut);
int ModifyFriend(FriendRecord* rec, int row);
int DeleteFriend(const char* lastName, const char* firstName);
int FindFriend(int prefixMode, const char* lastName, const char* firstName, int* posOut);

// `slots` holds kMemberSlots participant slots; schedule row -1 = not taking part.
int AddSchedule(ScheduleRecord* rec, ParticipantRecord* slots, int* rowOut);
int ModifySchedule(ScheduleRecord* rec, ParticipantRecord* slots, int row);
int DeleteSchedule(const char* name, int accountNumber, int byAccount);
int FindScheduleByName(int prefixMode, const char* name, int* posOut);
