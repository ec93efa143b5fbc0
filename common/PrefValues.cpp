#include "common/PrefValues.h"

char CalculatorPath[MAX_PATH];
char CalendarPath[MAX_PATH];
char NotepadPath[MAX_PATH];
int BackupMode = 0;
int IntegrityCheckMode = 0;
char ImportFolder[MAX_PATH];
char UserPictureFile[MAX_PATH];
int StretchPicture = 0;
COLORREF BackgroundColour = kDefaultBackgroundColour;
char BackgroundColourName[64];
int BackgroundMode = 0;
int UseGridEntry = 1;
COLORREF GridColours[kGridColourCount] = {0x8ead5b, 0xccffcc, 0xe6ffe6, 0x7fffff, 0xb1b1ff,
                                          0xcccc33, 0xffffb4, 0xffffe6, 0x7fffff, 0xb1b1ff};
const COLORREF DefaultGridColours[kGridColourCount] = {0x8ead5b, 0xccffcc, 0xe6ffe6, 0x7fffff, 0xb1b1ff,
                                                       0xcccc33, 0xffffb4, 0xffffe6, 0x7fffff, 0xb1b1ff};
