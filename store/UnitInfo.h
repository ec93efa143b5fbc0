// The unit information file of a fiscal year: the unit's address, three
// free information lines and the start of the fiscal year.
#pragma once

// The unit's display name ("Troop 123"): formed by the application shell
// from the unit type's word and the stored unit number; the first line of
// the unit's return address.
extern char UnitName[64];
extern char UnitAddress1[27];
extern char UnitAddress2[27];
extern char UnitCity[18];
extern char UnitState[3];
extern char UnitZip[11];
extern char UnitInfo1[32];
extern char UnitInfo2[32];
extern char UnitInfo3[32];
extern int FiscalLastMonth;
extern int FiscalEndYear;

// Mode 0 reads UnitPath into the globals (and the fiscal-year dates), mode 1
// writes them. 1 on success, 0 on failure after its message.
int ReadWriteUnitInfo(int mode);
// Reads the loaded year's unit file again (its dialog does, on every
// opening); when that fails (after its message) the values read before stay.
int ReReadUnitInfo();
