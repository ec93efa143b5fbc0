// The printer description blocks and document calls' records: DEVMODE (a
// printer's settings), DEVNAMES (driver, device and output names) and
// DOCINFO (a print job's name and output file).
#pragma once

#include "platform/base/types.h"

#define CCHDEVICENAME 32
#define CCHFORMNAME 32

// DEVMODE dmFields bits.
#define DM_ORIENTATION   0x00000001u
#define DM_PAPERSIZE     0x00000002u
#define DM_PAPERLENGTH   0x00000004u
#define DM_PAPERWIDTH    0x00000008u
#define DM_SCALE         0x00000010u
#define DM_COPIES        0x00000100u
#define DM_DEFAULTSOURCE 0x00000200u
#define DM_PRINTQUALITY  0x00000400u
#define DM_COLOR         0x00000800u
#define DM_DUPLEX        0x00001000u
#define DM_YRESOLUTION   0x00002000u
#define DM_TTOPTION      0x00004000u
#define DM_COLLATE       0x00008000u
#define DM_FORMNAME      0x00010000u

#define DMORIENT_PORTRAIT  1
#define DMORIENT_LANDSCAPE 2

#define DMPAPER_LETTER 1
#define DMPAPER_LEGAL  5
#define DMPAPER_A4     9
#define DMPAPER_A5     11

#define DMCOLLATE_FALSE 0
#define DMCOLLATE_TRUE  1

#define DMTT_BITMAP   1
#define DMTT_DOWNLOAD 2
#define DMTT_SUBDEV   3

#define DM_SPECVERSION 0x0400

struct DEVMODE {
  BYTE dmDeviceName[CCHDEVICENAME] = {};
  WORD dmSpecVersion = DM_SPECVERSION;
  WORD dmDriverVersion = 0;
  WORD dmSize = sizeof(DEVMODE);
  WORD dmDriverExtra = 0;
  DWORD dmFields = 0;
  short dmOrientation = DMORIENT_PORTRAIT;
  short dmPaperSize = DMPAPER_LETTER;
  short dmPaperLength = 0;  // tenths of a millimetre
  short dmPaperWidth = 0;
  short dmScale = 100;
  short dmCopies = 1;
  short dmDefaultSource = 0;
  short dmPrintQuality = 300;  // dots per inch across
  short dmColor = 1;
  short dmDuplex = 1;
  short dmYResolution = 300;
  short dmTTOption = DMTT_DOWNLOAD;
  short dmCollate = DMCOLLATE_TRUE;
  BYTE dmFormName[CCHFORMNAME] = {};
  WORD dmLogPixels = 0;
  DWORD dmBitsPerPel = 0;
  DWORD dmPelsWidth = 0;
  DWORD dmPelsHeight = 0;
  DWORD dmDisplayFlags = 0;
  DWORD dmDisplayFrequency = 0;
};
using LPDEVMODE = DEVMODE*;

#define DN_DEFAULTPRN 0x0001

// Followed in the same block by the three zero-terminated names; the
// offsets count characters from the block's start.
struct DEVNAMES {
  WORD wDriverOffset = 0;
  WORD wDeviceOffset = 0;
  WORD wOutputOffset = 0;
  WORD wDefault = 0;
};
using LPDEVNAMES = DEVNAMES*;

struct DOCINFO {
  int cbSize = sizeof(DOCINFO);
  LPCSTR lpszDocName = nullptr;
  LPCSTR lpszOutput = nullptr;  // a file to print into; null: the printer
  LPCSTR lpszDatatype = nullptr;
  DWORD fwType = 0;
};
using LPDOCINFO = DOCINFO*;

// Results of the document calls.
#define SP_ERROR      (-1)
#define SP_APPABORT   (-2)
#define SP_USERABORT  (-3)
#define SP_OUTOFDISK  (-4)

using ABORTPROC = BOOL (*)(HDC, int);

// Escapes a printer DC answers (Escape): whether an escape is known (its
// number as an int in the input), the paper's size and the printable
// area's offset in device units (a POINT out).
#define QUERYESCSUPPORT   8
#define GETPHYSPAGESIZE   12
#define GETPRINTINGOFFSET 13
