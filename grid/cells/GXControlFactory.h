// Makes the library's cell controls by control id, registers their display
// names and user attributes, and switches the grid features on. One
// stateless object, installed into the library at start-up.
#pragma once

#include "platform/Afx.h"

class CGXControl;
class CGXGridCore;
class CGXStylesMap;

// Control ids of the library's cell types.
constexpr WORD GX_IDS_CTRL_EDIT = 52512;
constexpr WORD GX_IDS_CTRL_STATIC = 52513;
constexpr WORD GX_IDS_CTRL_PUSHBTN = 52514;
constexpr WORD GX_IDS_CTRL_RADIOBTN = 52515;
constexpr WORD GX_IDS_CTRL_CHECKBOX = 52516;
constexpr WORD GX_IDS_CTRL_COMBOBOX = 52517;
constexpr WORD GX_IDS_CTRL_HOTSPOT = 52518;
constexpr WORD GX_IDS_CTRL_SPINEDIT = 52519;
constexpr WORD GX_IDS_CTRL_HEADER = 52520;
constexpr WORD GX_IDS_CTRL_SCROLLEDIT = 52521;
constexpr WORD GX_IDS_CTRL_LISTBOX = 52522;
constexpr WORD GX_IDS_CTRL_CHECKBOX3D = 52523;
constexpr WORD GX_IDS_CTRL_RADIOBTN3D = 52524;
constexpr WORD GX_IDS_CTRL_CBS_DROPDOWN = 52528;
constexpr WORD GX_IDS_CTRL_CBS_DROPDOWNLIST = 52529;
constexpr WORD GX_IDS_CTRL_CBS_TABBED_DROPDOWN = 52539;
constexpr WORD GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST = 52540;
constexpr WORD GX_IDS_CTRL_TABBED_COMBOBOX = 52541;
constexpr WORD GX_IDS_CTRL_CHECKBOXEX = 20130;
constexpr WORD GX_IDS_CTRL_CHECKBOX3DEX = 20131;
constexpr WORD GX_IDS_CTRL_RADIOBTN3DEX = 20136;
constexpr WORD GX_IDS_CTRL_RADIOBTNEX = 20137;
constexpr WORD GX_IDS_CTRL_ARROWHEADER = 52530;
constexpr WORD GX_IDS_CTRL_ROWHEADER = 52533;
constexpr WORD GX_IDS_CTRL_COLORWELL = 52538;
constexpr WORD GX_IDS_CTRL_OLEPREVIEW = 20132;
constexpr WORD GX_IDS_CTRL_RICHEDIT = 52534;
constexpr WORD GX_IDS_CTRL_MASKEDIT = 52535;
constexpr WORD GX_IDS_CTRL_PROGRESS = 52536;
constexpr WORD GX_IDS_CTRL_PASSWORD = 52537;
constexpr WORD GX_IDS_CTRL_CHECKLIST_COMBOBOX = 52542;
constexpr WORD GX_IDS_CTRL_DAOBITMAP = 20128;

class CGXControlFactory : public CObject {
 public:
  // The new control for `id` in `grid`, or null when this id's cell type
  // cannot be made here (the grid then uses its default control).
  virtual CGXControl* CreateControl(WORD id, CGXGridCore* grid);
  virtual void RegisterControlNames(CGXStylesMap* map);
  virtual void RegisterUserAttributes(CGXStylesMap* map);
  virtual void EnableGridFeatures(CGXGridCore* grid);
  virtual void EnableAppFeatures();
  virtual void RegisterWndClasses(HINSTANCE instance);
  virtual void UnregisterWndClasses(HINSTANCE instance);
};
