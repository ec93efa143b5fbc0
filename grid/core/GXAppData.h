// The grid library's application-wide record: the feature objects that the
// application enables, the objects deleted at exit, the registry of which
// grids use which parameter, properties, styles-map and data objects, the
// library's texts and the cache of system colours.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "grid/core/GXFeatures.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXGridCore;
class CGXDrawingAndFormatting;
class CWnd;

class CGXAppData {
 public:
  CGXAppData() = default;
  CGXAppData(const CGXAppData&) = delete;
  CGXAppData& operator=(const CGXAppData&) = delete;
  ~CGXAppData();

  // Objects the library deletes at exit, the newest first.
  template <class T>
  void AddAutoDelete(T* object) {
    autoDelete_.insert(autoDelete_.begin(), [object] { delete object; });
  }
  void DeleteAutoDeleteObjects();

  void RegisterGrid(const void* key, CGXGridCore* grid);
  void UnregisterGrid(CGXGridCore* grid);
  CGXGridCore* LookupFirstGrid(const void* key) const;
  std::size_t RegistryKeyCount() const { return registry_.size(); }

  void AddWindowOnce(HWND window);
  const std::vector<HWND>& GetRegisteredWindows() const { return windows_; }

  BOOL m_bInitDone = FALSE;
  UINT m_uiStylesClipboardFormat = 0;
  CString m_texts[31];  // library texts; the last is the drag-line class name
  WORD m_wPlatformVersion = 0;
  BOOL m_bNotNT = FALSE, m_bVersion4 = FALSE, m_bBelowVersion4 = FALSE, m_b16BitBased = FALSE;
  CObject* m_pControlFactory = nullptr;  // owned
  BOOL m_bActivationLock = FALSE;
  BOOL m_bInDropDown = FALSE;  // while a cell's drop-down window is made or handled
  BOOL m_bLinesAtRightBottom = FALSE;  // copied into new parameter objects
  WORD m_wGridLineStyle = 0;

  // Application-wide feature slots, empty until the registrars that the
  // control factory calls at initialisation fill them, in the order the
  // feature library relies on.
  CGXCoveredCellPoolImp* m_pCoveredCellPoolImp = nullptr;
  CGXAbstractSpanCellPoolImp* m_pSpanCellPoolImp = nullptr;
  CGXAbstractDelayedRangePoolImp* m_pDelayedRangePoolImp = nullptr;
  CGXAbstractPrintDeviceImp* m_pPrintDeviceImp = nullptr;
  CGXAbstractStyleCompareSubsetImp* m_pStyleCompareSubsetImp = nullptr;
  CGXStyleSerializeImp* m_pStyleSerializeImp = nullptr;
  CGXGridDocSerializeImp* m_pDocSerializeImp = nullptr;
  CGXGridProfileImp* m_pGridProfileImp = nullptr;
  CGXAbstractGridParamCopyOperatorImp* m_pParamCopyOperatorImp = nullptr;
  CGXAbstractGridSortMoveDataImp* m_pSortMoveDataImp = nullptr;
  CGXAbstractDrawRotatedTextImp* m_pDrawRotatedTextImp = nullptr;
  CGXAbstractDateTimeImp* m_pDateTimeImp = nullptr;
  CGXAbstractDataCopyMoveCellsImp* m_pDataCopyMoveCellsImp = nullptr;
  CGXLongOperationImp* m_pLongOperationImp = nullptr;
  CGXAbstractSerializeQVX5CompatibleImp* m_pSerializeQVX5Imp = nullptr;
  CGXNumberFormattingImp* m_pNumberFormattingImp = nullptr;
  CGXAbstractTabWndInterface* m_pTabWndInt = nullptr;

 private:
  std::vector<std::function<void()>> autoDelete_;
  std::map<const void*, std::vector<CGXGridCore*>> registry_;
  std::vector<HWND> windows_;
};

// Initialises the library once at start-up: clipboard format, the
// application-wide features (through the factory), texts, window classes,
// system colours. A factory given replaces the one held.
void GXInitLibrary(CObject* controlFactory = nullptr);
// The program's start-up: makes the library's control factory and
// initialises the library with it. The three arguments (the library
// version the program was built for and two module-state pointers) are
// kept for the callers' sake; this library needs none of them.
void GXInit(DWORD version = 0x600, void* moduleState = nullptr, void* instance = nullptr);
// Lets the date and time feature, when there is one, read the locale's
// settings again (at start-up and when the system settings change).
void GXNotifyDateTimeImp();
// At program end: deletes the factory and the objects of the auto-delete list.
void GXTerminate();
// The four long-operation texts loaded at initialisation.
struct GXLongOperationTexts {
  CString abortQuestion, processing, done, pressEscape;
};
GXLongOperationTexts& GXGetLongOperationTexts();
// The flag that a drop-down window of a cell control is being created or
// handled; the grid reads it while it processes focus changes.
CGXAppData* GXGetAppData();
inline void GXSetInDropDown(BOOL on) { GXGetAppData()->m_bInDropDown = on; }
inline BOOL GXGetInDropDown() { return GXGetAppData()->m_bInDropDown; }
inline BOOL GXGetActivationLock() { return GXGetAppData()->m_bActivationLock; }

// The application's main window, or the one its application object reports.
CWnd* GXGetMainWnd();
// The window's parent when it is of the class (and, unless acceptHidden,
// neither it nor an ancestor is minimised).
HWND GXGetParentOfClass(HWND window, LPCTSTR className, BOOL acceptHidden);
// Joins the bytes of a character typed as two messages; the system's text
// is single-byte, so every character stands alone and the result is FALSE.
BOOL GXAssembleDbcsChar(UINT ch, CString& out, BOOL& pending, char& leadByte);

// The one record.
CGXAppData* GXGetAppData();
CGXGridCore* GXLookupAppEntry(const void* key);

// A library text by string id: the application's string table first, else
// the library's own texts; empty when neither has it.
BOOL GXLoadString(UINT id, CString& text);
CString GXGetString(UINT id);

// The 24 system colours as cached at the last refresh.
class CGXSysColorCache {
 public:
  CGXSysColorCache() { Refresh(); }
  CGXSysColorCache(const CGXSysColorCache&) = delete;
  CGXSysColorCache& operator=(const CGXSysColorCache&) = delete;
  ~CGXSysColorCache();
  void Refresh();
  COLORREF GetColor(int index) const;

  COLORREF clrBtnFace = 0, clrBtnShadow = 0, clrBtnHilite = 0, clrWindowFrame = 0, clr3DLight = 0,
           clr3DDkShadow = 0, clrWindowText = 0, clrWindow = 0, clrHighlight = 0, clrHighlightText = 0;
  // The drop-down arrow picture in the current colours (null when missing),
  // made on first use after each refresh.
  HBITMAP GetDropArrowBitmap();
  // The same arrow dimmed, for disabled buttons.
  HBITMAP GetDimmedDropArrowBitmap();
  HCURSOR hcurArrow = nullptr;
  int cxBorder2 = 2, cyBorder2 = 2;
  BOOL bVersion4 = TRUE;

 private:
  COLORREF colors_[24] = {};
  HBITMAP dropArrow_ = nullptr;
  HBITMAP dimmedDropArrow_ = nullptr;
};

CGXSysColorCache& GXGetSysColorCache();
inline COLORREF GXGetSysColor(int index) { return GXGetSysColorCache().GetColor(index); }
