// Printer device contexts and print documents. A printer DC draws with the
// layer's CDC on a PDF page at the printer's resolution (text stays text).
// A document goes to its output file when one is named, else to the
// printer: the PDF printer needs a file; a CUPS printer gets the finished
// PDF as one job at EndDoc, with the copies and collation of its DEVMODE.
#pragma once

#include "platform/base/types.h"
#include "platform/print/PrinterDefs.h"

// `device` names a printer of the list; `output` a file (the PDF printer's
// file, or a CUPS printer's print-to-file) or its port; `devMode` the
// settings (the printer's defaults when null). Null when there is no such
// printer.
HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODE* devMode);
// An information context: a printer DC for its metrics only.
HDC CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODE* devMode);
// A job id (> 0) or SP_ERROR.
int StartDoc(HDC dc, const DOCINFO* info);
int StartPage(HDC dc);
// Ends the page; the abort procedure is asked whether to go on
// (SP_APPABORT and the document thrown away when it says no).
int EndPage(HDC dc);
// Finishes the document and delivers it; > 0 on success.
int EndDoc(HDC dc);
// Throws the document away: no file is left behind, nothing is printed.
int AbortDoc(HDC dc);
int SetAbortProc(HDC dc, ABORTPROC proc);
// The escapes of PrinterDefs.h; > 0 when done, 0 when not known or not a
// printer DC.
int Escape(HDC dc, int escape, int inSize, LPCSTR in, void* out);
// The message of the last failing document call on this thread.
const char* LastPrintError();
