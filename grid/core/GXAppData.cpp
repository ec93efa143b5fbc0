#include "grid/core/GXAppData.h"

#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXGridWnd.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "grid/formula/GXFormulaSheet.h"
#include "platform/gfx/GdiObject.h"

#include <algorithm>

#include "platform/framework/CWinApp.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Window.h"

CGXAppData::~CGXAppData() {
  DeleteAutoDeleteObjects();
  delete m_pControlFactory;
}

void CGXAppData::AddWindowOnce(HWND window) {
  if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) windows_.push_back(window);
}

void CGXAppData::DeleteAutoDeleteObjects() {
  // Deleting may register more objects; take the list first.
  auto pending = std::move(autoDelete_);
  autoDelete_.clear();
  for (auto& del : pending) del();
}

void CGXAppData::RegisterGrid(const void* key, CGXGridCore* grid) { registry_[key].push_back(grid); }

void CGXAppData::UnregisterGrid(CGXGridCore* grid) {
  for (auto it = registry_.begin(); it != registry_.end();) {
    auto& grids = it->second;
    grids.erase(std::remove(grids.begin(), grids.end(), grid), grids.end());
    it = grids.empty() ? registry_.erase(it) : std::next(it);
  }
}

CGXGridCore* CGXAppData::LookupFirstGrid(const void* key) const {
  auto it = registry_.find(key);
  return it == registry_.end() || it->second.empty() ? nullptr : it->second.front();
}

CGXAppData* GXGetAppData() {
  static CGXAppData data;
  return &data;
}

CGXGridCore* GXLookupAppEntry(const void* key) { return GXGetAppData()->LookupFirstGrid(key); }

namespace {

struct LibraryText {
  UINT id;
  const char* text;
};

// The library's own string table.
constexpr LibraryText kTexts[] = {
    {20059, "No Border."},
    {20060, "No Edit\nFixed Year\nFixed Month\nFixed Day\nFixed Hour\nFixed Minute\nFixed Second"},
    {20061, "No Validation\t0\nTime\t1\nDate\t2\nDate and Time\t3\n"},
    {20062, "Time\t0\nShortDate\t1\nLongDate\t2\nCustom\t3\nDateTime\t4\n"},
    {20064, "($1)\n-$1\n$-1\n$1-\n(1$)\n-1$\n1-$\n1$-\n-1 $\n-$ 1\n$ 1-\n"},
    {20065, "$1\n1$\n$ 1\n1 $\n(1$)\n"},
    {20075, "Processing..."},
    {20076, "Done."},
    {20077, "Press ESC to cancel"},
    {20081, "Do you want to abort the operation?"},
    {20082, "Operation is too large for the undo buffer. Do you want to continue?"},
    {20124, "Enter"},
    {20125, "Error "},
    {20126, "No ellipse\nDotted....\nPound###"},
    {20128, "Dao bitmap control"},
    {20130, "Checkbox with modify state"},
    {20131, "3D Checkbox with modify state"},
    {20132, "Dao object preview control"},
    {20134, "The binary data is not valid."},
    {20136, "Radio Buttons, 3d-Effect and active state"},
    {20137, "Radio Buttons, with active state"},
    {20139, "Redoing %1 ..."},
    {20140, "Undoing %1 ..."},
    {20141, "Generating undo information ..."},
    {20142, "Storing cells ...."},
    {20143, "Restoring cells ..."},
    {20144, "Cells."},
    {20145, "Removing rows ..."},
    {20146, "Removing columns ..."},
    {20147, "Copying text format ..."},
    {20148, "Copying internal format ..."},
    {20150, "Cut Data."},
    {20151, "Cutting data ..."},
    {20152, "Pasting data from clipboard..."},
    {20154, "Paste."},
    {20155, "Replacing values ..."},
    {20156, "Replace All"},
    {20157, "Searching values ..."},
    {20162, "Move Rows"},
    {20163, "Move Columns"},
    {20164, "Insert Rows"},
    {20165, "Insert Columns"},
    {20168, "Freeze Columns"},
    {20169, "Freeze Rows"},
    {20172, "Resizing Rows"},
    {20173, "Resizing Columns"},
    {20174, "Current Cell"},
    {20175, "Clipboard size is different from selected range"},
    {20178, "Copy"},
    {20179, "Move"},
    {20180, "Clear Cells"},
    {20203, "The copy operation failed"},
    {20204, "The cut operation failed"},
    {20205, "Quorvel Grid Insert Object"},
    {20206, "You have already spawned a viewer. Please use this for editing"},
    {20207, "Failed to invoke insert object dialog."},
    {51005, "Current Cell."},
    {51006, "Invert Thin."},
    {51007, "Invert Thick."},
    {51008, "Thin Border."},
    {51009, "Thick Border."},
    {51011, "Valid: Min. Value"},
    {51012, "Valid: Max. Value"},
    {51013, "Valid: Warning Msg"},
    {51014, "SpinBound: Min. Value"},
    {51015, "SpinBound: Max. Value"},
    {51016, "SpinBound: Wrap Value"},
    {51019, "Checkbox: Checked Value"},
    {51020, "Checkbox: Unchecked Value"},
    {51021, "SpinEdit: start value"},
    {51022, "Tooltip-Text"},
    {51023, "Maskedit: Input Mask"},
    {51024, "Maskedit: Prompt Char"},
    {51025, "Progress: Lower Bound"},
    {51026, "Progress: Upper Bound"},
    {51027, "Progress: Caption"},
    {51028, "TabList: Key Column"},
    {51029, "TabList: Text Column"},
    {51030, "TabList: Show all columns"},
    {51031, "TabList: Display Column Titles"},
    {51032, "TabList: Column Widths"},
    {51033, "TabList: Sort Columns"},
    {51034, "DateTime: Non editable fields"},
    {51035, "DateTime: Minimum allowed date"},
    {51036, "DateTime: Maximum allowed date"},
    {51037, "DateTime: Validation mode"},
    {51038, "DateTime: Date format type"},
    {51039, "DateTime: Custom date format "},
    {51044, "DateTime: Fast Input"},
    {51045, "Currency: Separators"},
    {51046, "Currency: Attributes"},
    {51047, "Currency: Positive Format"},
    {51048, "Currency: Negative Format"},
    {51049, "Currency: Number of decimals"},
    {51050, "Currency: Number of fractional digits "},
    {51051, "Currency: Enable calculator button"},
    {51054, "Currency: Monetary Symbol. "},
    {51055, "TabList: Unique choicelist id"},
    {51057, "RadioButton: Alignment"},
    {52232, "Grid Lines"},
    {52233, "Fixed Lines"},
    {52234, "Tracking Line"},
    {52235, "Background"},
    {52236, "Dragging Line"},
    {52512, "Edit Control"},
    {52513, "Static Text"},
    {52514, "Pushbutton"},
    {52515, "Radio Buttons"},
    {52516, "Checkbox, 1/0"},
    {52517, "ComboBox, no text-fit"},
    {52518, "Hotspot Edit"},
    {52519, "Spin Edit"},
    {52520, "Header"},
    {52521, "Edit Control, Scrollbar"},
    {52522, "Listbox"},
    {52523, "Checkbox, 3d-Effect"},
    {52524, "Radio Buttons, 3d-Effect"},
    {52525, "ComboBox, zero-based"},
    {52526, "ComboBox, one-based"},
    {52527, "ComboBox, text-fit"},
    {52528, "MFC ComboBox"},
    {52529, "MFC DropDownList"},
    {52530, "Arrow Header"},
    {52531, "Combo, disp.choice, 1-base"},
    {52532, "Combo, disp.choice, 0-base"},
    {52533, "Row Header"},
    {52534, "Rich Edit"},
    {52535, "Masked Edit"},
    {52536, "Progressbar"},
    {52537, "Password Edit"},
    {52538, "Colorwell"},
    {52539, "Tabbed MFC ComboBox"},
    {52540, "Tabbed MFC DropDownList"},
    {52541, "Tabbed ComboBox"},
    {52542, "Dropdown CheckListBox"},
    {52543, "Date Time Control with popup calendar"},
    {52544, "Date time control without calendar"},
    {52545, "Currency control"},
    {52568, "RadioButton: Text Alignment"},
    {52569, "Pushbutton face color"},
    {52570, "RTL Reading Value"},
    {52571, "Force DateTime input as number"},
    {52768, "Standard"},
    {52769, "Row Header"},
    {52770, "Column Header"},
    {52792, "Type of ellipses that will be drawn"},
    {52794, "Dao bitmap user attribute"},
    {52801, "The ID for the external ole viewer"},
};

}  // namespace

BOOL GXLoadString(UINT id, CString& text) {
  if (text.LoadString(id) && !text.IsEmpty()) return TRUE;
  for (const auto& t : kTexts) {
    if (t.id == id) {
      text = t.text;
      return TRUE;
    }
  }
  text.Empty();
  return FALSE;
}

CString GXGetString(UINT id) {
  CString text;
  GXLoadString(id, text);
  return text;
}

CGXSysColorCache::~CGXSysColorCache() {
  if (dropArrow_ != nullptr) ::DeleteObject(dropArrow_);
  if (dimmedDropArrow_ != nullptr) ::DeleteObject(dimmedDropArrow_);
}

HBITMAP CGXSysColorCache::GetDropArrowBitmap() {
  if (dropArrow_ == nullptr) {
    CBitmap arrow;
    if (GXLoadResourceBitmap(arrow, 20028)) dropArrow_ = static_cast<HBITMAP>(arrow.Detach());
  }
  return dropArrow_;
}

HBITMAP CGXSysColorCache::GetDimmedDropArrowBitmap() {
  if (dimmedDropArrow_ == nullptr) {
    CBitmap arrow;
    if (GXLoadResourceBitmap(arrow, 20211)) dimmedDropArrow_ = static_cast<HBITMAP>(arrow.Detach());
  }
  return dimmedDropArrow_;
}

void CGXSysColorCache::Refresh() {
  for (int i = 0; i < 24; ++i) colors_[i] = ::GetSysColor(i);
  clrBtnFace = colors_[COLOR_BTNFACE];
  clrBtnShadow = colors_[COLOR_BTNSHADOW];
  clrBtnHilite = colors_[COLOR_BTNHIGHLIGHT];
  clrWindowFrame = colors_[COLOR_WINDOWFRAME];
  clr3DLight = colors_[COLOR_3DLIGHT];
  clr3DDkShadow = colors_[COLOR_3DDKSHADOW];
  clrWindowText = colors_[COLOR_WINDOWTEXT];
  clrWindow = colors_[COLOR_WINDOW];
  clrHighlight = colors_[COLOR_HIGHLIGHT];
  clrHighlightText = colors_[COLOR_HIGHLIGHTTEXT];
  if (hcurArrow == nullptr) hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
  // The picture follows the colours: it is made again when next asked for.
  if (dropArrow_ != nullptr) ::DeleteObject(dropArrow_);
  dropArrow_ = nullptr;
  if (dimmedDropArrow_ != nullptr) ::DeleteObject(dimmedDropArrow_);
  dimmedDropArrow_ = nullptr;
}

COLORREF CGXSysColorCache::GetColor(int index) const {
  return index >= 0 && index < 24 ? colors_[index] : ::GetSysColor(index);
}

CGXSysColorCache& GXGetSysColorCache() {
  static CGXSysColorCache cache;
  return cache;
}

namespace {

constexpr UINT kLibraryTextIds[30] = {20139, 20140, 20141, 20142, 20143, 20144, 20145, 20146, 20162, 20163,
                                      20164, 20165, 20147, 20148, 20150, 20180, 20151, 20152, 20154, 20155,
                                      20156, 20157, 20172, 20173, 20169, 20168, 20174, 20175, 20178, 20179};

// Registers a class under `name` unless one of that name exists.
void RegisterOnce(LPCTSTR name, const WNDCLASS& wc) {
  WNDCLASS existing{};
  if (::GetClassInfo(AfxGetInstanceHandle(), name, &existing)) return;
  WNDCLASS copy = wc;
  copy.lpszClassName = name;
  copy.hInstance = AfxGetInstanceHandle();
  ::RegisterClass(&copy);
}

// A copy of a system control class under a library name.
void RegisterCopy(LPCTSTR name, LPCTSTR source) {
  WNDCLASS wc{};
  if (!::GetClassInfo(nullptr, source, &wc)) return;
  wc.style |= CS_GLOBALCLASS;
  RegisterOnce(name, wc);
}

void RegisterNew(LPCTSTR name, UINT style) {
  WNDCLASS wc{};
  wc.style = style;
  wc.lpfnWndProc = ::DefWindowProc;
  RegisterOnce(name, wc);
}

}  // namespace

GXLongOperationTexts& GXGetLongOperationTexts() {
  static GXLongOperationTexts texts;
  return texts;
}

void GXInitLibrary(CObject* controlFactory) {
  CGXAppData* app = GXGetAppData();
  CString format;
  format.Format("Grid Styles %08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(AfxGetInstanceHandle())));
  app->m_uiStylesClipboardFormat = ::RegisterClipboardFormat(format);

  if (app->m_pControlFactory != controlFactory) {
    delete app->m_pControlFactory;
    app->m_pControlFactory = controlFactory;
  }

  // The platform reports itself as a version 4 system of the NT line.
  app->m_wPlatformVersion = 0x0400;
  app->m_bNotNT = FALSE;
  app->m_bVersion4 = TRUE;
  app->m_bBelowVersion4 = FALSE;
  app->m_b16BitBased = FALSE;

  // The application-wide features come before the texts and classes, so
  // that what follows may already use them.
  if (auto* factory = dynamic_cast<CGXControlFactory*>(app->m_pControlFactory)) factory->EnableAppFeatures();

  for (int i = 0; i < 30; ++i) app->m_texts[i] = GXGetString(kLibraryTextIds[i]);
  GXLongOperationTexts& texts = GXGetLongOperationTexts();
  texts.abortQuestion = GXGetString(20081);
  texts.processing = GXGetString(20075);
  texts.done = GXGetString(20076);
  texts.pressEscape = GXGetString(20077);

  app->m_texts[30] = "GXDragLine";
  RegisterNew(app->m_texts[30], CS_SAVEBITS);
  RegisterCopy("GXEDIT", "edit");
  RegisterCopy("GXLISTBOX", "listbox");
  RegisterCopy("GXCOMBOBOX", "combobox");
  RegisterNew("GXWND", 0x400B);
  RegisterNew("GXNDBLCLKSWND", 0x4003);
  RegisterNew("GxMdiFrame", 0x4008);
  // Dialog templates name grids by this class; a factory may register more.
  GXRegisterGridWndClass(AfxGetInstanceHandle());
  if (auto* factory = dynamic_cast<CGXControlFactory*>(app->m_pControlFactory))
    factory->RegisterWndClasses(AfxGetInstanceHandle());

  // A grid archive may name the formula sheet as its data object; its class
  // must be known by name when the archive is read.
  GXRegisterFormulaSheetClass();

  GXGetSysColorCache().Refresh();
  GXNotifyDateTimeImp();
  app->m_bInitDone = TRUE;
}

void GXInit(DWORD, void*, void*) { GXInitLibrary(new CGXControlFactory); }

void GXNotifyDateTimeImp() {
  if (CGXAbstractDateTimeImp* imp = GXGetAppData()->m_pDateTimeImp) imp->RefreshLocale();
}

void GXTerminate() {
  CGXAppData* app = GXGetAppData();
  delete app->m_pControlFactory;
  app->m_pControlFactory = nullptr;
  app->DeleteAutoDeleteObjects();
}

CWnd* GXGetMainWnd() {
  if (CWnd* main = AfxGetMainWnd()) return main;
  CWinApp* app = AfxGetApp();
  return app != nullptr ? app->GetMainWnd() : nullptr;
}

HWND GXGetParentOfClass(HWND window, LPCTSTR className, BOOL acceptHidden) {
  HWND parent = ::GetParent(window);
  if (parent == nullptr) return nullptr;
  char name[64] = {};
  ::GetClassName(parent, name, sizeof name);
  if (CString(name).CompareNoCase(className) != 0) return nullptr;
  if (!acceptHidden) {
    for (HWND w = parent; w != nullptr; w = ::GetParent(w))
      if (::IsIconic(w)) return nullptr;
  }
  return parent;
}

BOOL GXAssembleDbcsChar(UINT ch, CString& out, BOOL& pending, char& leadByte) {
  if (pending) {
    pending = FALSE;
    const char two[2] = {leadByte, static_cast<char>(ch)};
    out = CString(two, 2);
    return TRUE;
  }
  const char one[1] = {static_cast<char>(ch)};
  out = CString(one, 1);
  return FALSE;
}

GXFindReplaceState& GXGetFindReplaceState() {
  static GXFindReplaceState state;
  return state;
}
