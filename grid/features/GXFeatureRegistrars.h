// The application-wide registrars: each installs its feature object in the
// library record once and puts it on the library's auto-delete list.
#pragma once

void GXEnableLongOperation();
void GXEnableCoveredCellPool();
void GXEnableNumberFormatting();
void GXEnableOleDateTime();
void GXEnableNoOleDateTime();
void GXEnableStyleSerialize();
void GXEnableSerializeQVX5Compatible();
void GXEnableSpanCellPool();
void GXEnableDelayedRangePool();
void GXEnableDrawRotatedText();
// Also enables the style archive and both span pools, on every call.
void GXEnableDocSerialize();
void GXEnablePrintDevice();
void GXEnableProfile();
void GXEnableStyleCompareSubset();
void GXEnableDataCopyMoveCells();
void GXEnableSortMoveData();
void GXEnableParamCopyOperator();
