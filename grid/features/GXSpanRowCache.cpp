#include "grid/features/GXSpanRowCache.h"

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"

void GXComposeSpanStyle(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXStyle& style, CGXControl*& control) {
  grid->ComposeStyleRowCol(row, col, style);
  control = grid->GetRegisteredControl(style.GetControl());
  // While a cell is edited its text floats and merges as it is typed.
  if (control != nullptr && grid->IsCurrentCell(row, col) && control->IsInitializedFor(row, col) &&
      control->IsActive()) {
    CString text;
    if (control->GetCurrentText(text)) style.SetValue(text);
  }
}

const CGXStyle& CGXSpanRowCache::Get(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXControl*& control,
                                     BOOL useGridStyles) {
  if (useGridStyles && !grid->IsCurrentCell(row, col)) {
    const CGXStyle& style = grid->GetCachedCellStyle(row, col);
    control = grid->GetRegisteredControl(style.GetControl());
    return style;
  }
  auto& slot = slots_[col];
  if (slot == nullptr) {
    slot = std::make_unique<CGXStyle>();
    GXComposeSpanStyle(grid, row, col, *slot, control);
  } else {
    control = grid->GetRegisteredControl(slot->GetControl());
  }
  return *slot;
}
