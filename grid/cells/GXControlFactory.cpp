// The control factory: the library's cell types by control id.
#include "grid/cells/GXControlFactory.h"

#include "grid/features/GXFeatureRegistrars.h"
#include "grid/features/GXTabWnd.h"

#include "grid/cells/GXCellTip.h"
#include "grid/cells/GXCheckBox.h"
#include "grid/cells/GXCheckListComboBox.h"
#include "grid/cells/GXPushbutton.h"
#include "grid/cells/GXRadioButton.h"
#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXComboBoxWnd.h"
#include "grid/cells/GXCurrencyCell.h"
#include "grid/cells/GXDateTimeCell.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "grid/cells/GXTabbedComboBoxWnd.h"
#include "grid/cells/GXEditControl.h"
#include "grid/cells/GXDaoBitmap.h"
#include "grid/cells/GXEditVariants.h"
#include "grid/cells/GXListBox.h"
#include "grid/cells/GXOlePreview.h"
#include "grid/cells/GXMaskControl.h"
#include "grid/cells/GXPasswordControl.h"
#include "grid/cells/GXProgressCtrl.h"
#include "grid/cells/GXRichEditCtrl.h"
#include "grid/cells/GXStatic.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXGridWnd.h"
#include "grid/core/GXStylesMap.h"

CGXControl* CGXControlFactory::CreateControl(WORD id, CGXGridCore* grid) {
  CGXControl* control = nullptr;
  switch (id) {
    case GX_IDS_CTRL_STATIC: control = new CGXStatic(grid); break;
    case GX_IDS_CTRL_HEADER: control = new CGXHeader(grid); break;
    case GX_IDS_CTRL_PUSHBTN: control = new CGXPushbutton(grid); break;
    case GX_IDS_CTRL_RADIOBTN: return new CGXRadioButton(grid, FALSE);
    case GX_IDS_CTRL_RADIOBTN3D: return new CGXRadioButton(grid, TRUE);
    case GX_IDS_CTRL_RADIOBTNEX: return new CGXRadioButtonEx(grid, FALSE);
    case GX_IDS_CTRL_RADIOBTN3DEX: return new CGXRadioButtonEx(grid, TRUE);
    case GX_IDS_CTRL_CHECKBOX: return new CGXCheckBox(grid, FALSE);
    case GX_IDS_CTRL_CHECKBOX3D: return new CGXCheckBox(grid, TRUE);
    case GX_IDS_CTRL_CHECKBOXEX: return new CGXCheckBoxEx(grid, FALSE);
    case GX_IDS_CTRL_CHECKBOX3DEX: return new CGXCheckBoxEx(grid, TRUE);
    case GX_IDS_CTRL_COMBOBOX: return new CGXComboBox(grid, id, id, GXCOMBO_NOTEXTFIT);
    case GX_IDS_CTRL_ZEROBASED: return new CGXComboBox(grid, id, id, GXCOMBO_ZEROBASED);
    case GX_IDS_CTRL_ONEBASED: return new CGXComboBox(grid, id, id, GXCOMBO_ONEBASED);
    case GX_IDS_CTRL_TEXTFIT: return new CGXComboBox(grid, id, id, GXCOMBO_TEXTFIT);
    case GX_IDS_CTRL_ONEBASED_EX: return new CGXComboBox(grid, id, id, GXCOMBO_ONEBASED | GXCOMBO_DISPLAYCHOICE);
    case GX_IDS_CTRL_ZEROBASED_EX: return new CGXComboBox(grid, id, id, GXCOMBO_ZEROBASED | GXCOMBO_DISPLAYCHOICE);
    case GX_IDS_CTRL_CBS_DROPDOWN:
    case GX_IDS_CTRL_CBS_DROPDOWNLIST: {
      auto* combo = new CGXComboBoxWnd(grid);
      combo->CreateComboWindow(id == GX_IDS_CTRL_CBS_DROPDOWN ? CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL
                                                              : CBS_DROPDOWNLIST | WS_VSCROLL,
                               id);
      return combo;
    }
    case GX_IDS_CTRL_CBS_TABBED_DROPDOWN:
    case GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST: {
      auto* combo = new CGXTabbedComboBoxWnd(grid);
      const BOOL list = id == GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST;
      combo->CreateComboWindow(list ? CBS_DROPDOWNLIST : CBS_DROPDOWN, id);
      // The list drops down when the cell is activated by a click.
      combo->m_bDropDownOnClick = list;
      return combo;
    }
    case GX_IDS_CTRL_TABBED_COMBOBOX: return new CGXTabbedComboBox(grid, id, id);
    case GX_IDS_CTRL_MASKEDIT: {
      auto* mask = new CGXMaskControl(grid, id, RUNTIME_CLASS(CGXMaskData));
      mask->CreateControl(0, nullptr);
      return mask;
    }
    case GX_IDS_CTRL_CHECKLIST_COMBOBOX: return new CGXCheckListComboBox(grid, 0, 0);
    case GX_IDS_CTRL_RICHEDIT: {
      auto* rich = new CGXRichEditCtrl(grid, id);
      rich->CreateControl(ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, nullptr);
      return rich;
    }
    case GX_IDS_CTRL_LISTBOX: return new CGXListBox(grid, id);
    case GX_IDS_CTRL_PASSWORD: return new CGXPasswordControl(grid, id);
    case GX_IDS_CTRL_PROGRESS: return new CGXProgressCtrl(grid);
    case GX_IDS_CTRL_DAOBITMAP: return new CGXDaoBitmap(grid);
    case GX_IDS_CTRL_SCROLLEDIT: return new CGXVScrollEdit(grid, id);
    case GX_IDS_CTRL_HOTSPOT: return new CGXHotSpotEdit(grid, id);
    case GX_IDS_CTRL_SPINEDIT: return new CGXSpinEdit(grid, id);
    case GX_IDS_CTRL_CURRENCY: {
      auto* currency = new CGXCurrencyEdit(grid, id);
      currency->CreateCurrencyWnds(WS_CHILD);
      return currency;
    }
    case GX_IDS_CTRL_DATETIME:
    case GX_IDS_CTRL_DATETIMENOCAL: {
      auto* dates = new CGXDateTimeCtrl(grid, id);
      dates->CreateWindows(WS_CHILD, CRect(0, 0, 0, 0));
      return dates;
    }
    // Object cells only in grids that hand out their viewers.
    case GX_IDS_CTRL_OLEPREVIEW:
      return dynamic_cast<CGXOleViewerHost*>(grid) != nullptr ? new CGXOlePreview(grid) : nullptr;
    // Every id the library does not know makes the edit cell.
    default: return new CGXEditControl(grid, GX_IDS_CTRL_EDIT);
  }
  // Static, push-button and header cells show what does not fit in a cell tip.
  control->AttachCellTip(new CGXCellTipStatic(control));
  return control;
}

void CGXControlFactory::RegisterControlNames(CGXStylesMap* map) {
  static constexpr WORD kIds[] = {52512, 52520, 52527, 52517, 52526, 52525, 52531, 52532, 52528, 52529,
                                  52522, 52513, 52514, 52515, 52524, 52516, 52523, 20130, 20131, 20137,
                                  20136, 52535, 52536, 52537, 52539, 52540, 52541, 52534, 52542, 52519,
                                  52518, 52521, 52543, 52544, 52545, 20128, 20132};
  for (WORD id : kIds) map->AddControl(id);
}

void CGXControlFactory::RegisterUserAttributes(CGXStylesMap* map) {
  CGXControl::AddUserAttributes(map);
  CGXSpinEdit::AddUserAttributes(map);
  CGXCheckBox::AddUserAttributes(map);
  CGXRadioButtonEx::AddUserAttributes(map);
  CGXMaskControl::AddUserAttributes(map);
  CGXProgressCtrl::AddUserAttributes(map);
  CGXTabbedComboBox::AddUserAttributes(map);
  CGXTabbedComboBoxWnd::AddUserAttributes(map);
  CGXCurrencyEdit::AddUserAttributes(map);
  CGXDateTimeCtrl::AddUserAttributes(map);
  CGXStyle tooltip;
  tooltip.SetWrapText(TRUE).SetAutoSize(TRUE);
  map->AddUserAttribute(51022, &tooltip);
  CGXStyle ellipsis;
  ellipsis.SetControl(52529).SetChoiceList(GXGetString(20126));
  map->AddUserAttribute(52792, &ellipsis);
}

// The feature objects register themselves through their own registrars;
// with none built, a new grid keeps the core's own behaviour.
// Every grid of the program gets every feature there is, in this order.
void CGXControlFactory::EnableGridFeatures(CGXGridCore* grid) {
  grid->EnableHideCells();
  grid->EnableAutoScroll();
  grid->EnableResizeToFit();
  grid->EnableCommandFactory();
  grid->EnableCoveredCells();
  grid->EnablePrint();
  grid->EnableUserSelectRange();
  grid->EnableExcelLikeFrame();
  grid->EnableUserDragSelectRange();
  grid->EnableUserResizeCells();
  grid->EnableOptimizedUpdate();
  grid->EnableMarkEditHeader();
  grid->EnableFreezeMenuHelper();
  grid->EnableTextDataExchange();
  grid->EnableStyleDataExchange();
  grid->EnableCutPaste();
  grid->EnableClearCells();
  grid->EnableFloatCells();
  grid->EnableMergeCells();
  grid->EnableOldDrawing();
  grid->EnableExcelLikeFill();
  grid->EnableDirectCopyMoveCells();
  grid->EnableSort();
  grid->EnableFindReplace();
  grid->EnableUpdateHint();
}

void CGXControlFactory::EnableAppFeatures() {
  GXEnablePrintDevice();
  GXEnableStyleSerialize();
  GXEnableSerializeQVX5Compatible();
  GXEnableProfile();
  GXEnableDocSerialize();
  GXEnableDrawRotatedText();
  GXEnableNumberFormatting();
  GXEnableOleDateTime();
  GXEnableNoOleDateTime();
  GXEnableLongOperation();
  GXEnableCoveredCellPool();
  GXEnableSpanCellPool();
  GXEnableDelayedRangePool();
  GXEnableStyleCompareSubset();
  GXEnableParamCopyOperator();
}
// The tab window registers its own class and its tab strip's.
void CGXControlFactory::RegisterWndClasses(HINSTANCE instance) {
  GXRegisterGridWndClass(instance);
  GXRegisterTabWndClass(instance);
}
void CGXControlFactory::UnregisterWndClasses(HINSTANCE instance) {
  GXUnregisterGridWndClass(instance);
  GXUnregisterTabWndClass(instance);
}
