// The preference values of settings section "CONFIG": the tool programs of
// the Tools menu, the closing modes, the main window's background, the
// choice of grid or form for transaction entry and the ten colours of the
// two transaction grids. They are process-wide globals, loaded at start-up
// and whenever the Preferences sheet opens (app/Preferences.h), and read by
// the shell and the record and transaction screens alike.
#pragma once

#include "platform/base/types.h"

// Tool programs; empty when none (the Tools item is then disabled).
extern char CalculatorPath[MAX_PATH];  // 'A'
extern char CalendarPath[MAX_PATH];    // 'B'
extern char NotepadPath[MAX_PATH];     // 'C'
// Closing modes: 0 always, 1 ask, 2 never.
extern int BackupMode;          // 'D'
extern int IntegrityCheckMode;  // 'E'
// Default data folder of the sibling membership program (read only here).
extern char ImportFolder[MAX_PATH];  // 'F'
extern char UserPictureFile[MAX_PATH];      // 'G'
extern int StretchPicture;                  // 'H'
extern COLORREF BackgroundColour;           // 'I', red in the low byte
extern char BackgroundColourName[64];       // 'J'
extern int BackgroundMode;                  // 'K': 0 unit picture, 1 user picture, 2 none
extern int UseGridEntry;                    // 'M': 1 register grid, 0 transaction form
// Colours of the register grid (0-4: headers, odd rows, even rows, current
// row, edited row) and of the support-account grid (5-9, the same order).
inline constexpr int kGridColourCount = 10;
extern COLORREF GridColours[kGridColourCount];        // 'a' .. 'j'
extern const COLORREF DefaultGridColours[kGridColourCount];

inline constexpr COLORREF kDefaultBackgroundColour = 0x808000;
inline constexpr const char* kDefaultMailLabel = "Avery 5160 - Address";
