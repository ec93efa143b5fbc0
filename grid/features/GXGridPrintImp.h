// Printing a grid through the framework's print loop: the grid is cut into
// pages by columns and rows (user page breaks honoured), the pages are
// ordered across or down, the cells are centred on the page inside an
// optional frame, and each page gets its header and footer, whose texts
// may hold tokens for the page number, the page count, the date and
// titles.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridPrintImp : public CGXAbstractGridPrintImp {
 public:
  void OnBeginPrinting(CGXGridCore* grid, CDC* dc, void* info) override;
  void OnPrint(CGXGridCore* grid, CDC* dc, void* info) override;
  void OnEndPrinting(CGXGridCore* grid, CDC* dc, void* info) override;
  void PrintHeaderFooter(CGXProperties& properties, CDC* dc, void* info, CDocument* document,
                         CGXGridParam* param) override;
  int CalcHeaderFooterHeight(CGXProperties& properties, CDC* dc, CGXData* data, CGXStylesMap* map) override;
  void DrawHeaderFooter(CGXProperties& properties, CDC* dc, void* info, const RECT& rect, CGXData* data,
                        CGXStylesMap* map) override;
  CString SubstTokens(CGXProperties& properties, LPCTSTR text) override;
  CString GetTokenValue(CGXProperties& properties, int index, CString& rest) override;
  CString GetTokenArgs(CGXProperties& properties, CString& rest) override;
};

// Formats a time with the conversions of a "$D{...}" header token: the
// known date and time conversions are formatted, any other text (an
// unknown conversion included) is copied as it stands. Empty when the
// result would pass 255 characters.
CString GXFormatHeaderDate(LPCTSTR format, const struct tm& time);
