// The behaviour of a grid cell. The grid keeps one control per control id
// and binds it to one cell at a time; the control draws the cell, holds its
// value while it is edited, validates it and reports back to the grid.
// Virtual operations are declared in their fixed slot order, because the
// cell types and the application's grids override by slot.
#pragma once

#include "grid/cells/GXChild.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXStyle.h"
#include "platform/Afx.h"

class CGXControl;
class CGXStylesMap;

// A control class's own kind record: its name and its base's record. The
// tree is the controls' own and need not follow the C++ hierarchy.
struct GXControlClass {
  LPCTSTR name;
  const GXControlClass* base;
};

// The cell-tip object a control forwards its tip questions to.
class CGXCellTipBase {
 public:
  virtual ~CGXCellTipBase() = default;
  virtual UINT NeedsCellTip(ROWCOL row, ROWCOL col, const CGXStyle& style) = 0;
  virtual int GetCellTipKind(ROWCOL row, ROWCOL col, const CGXStyle& style) = 0;
  virtual void InitCellTipWnd(ROWCOL row, ROWCOL col, const CGXStyle& style, CWnd* tipWnd) = 0;
};

#define GX_DECLARE_CONTROL_CLASS(Name) \
 public:                               \
  static const GXControlClass Name##Record; \
  const GXControlClass* GetControlClass() override { return &Name##Record; }

// User attributes the default validation reads.
constexpr WORD GX_IDS_UA_VALID_MIN = 51011;
constexpr WORD GX_IDS_UA_VALID_MAX = 51012;
constexpr WORD GX_IDS_UA_VALID_MSG = 51013;
constexpr WORD GX_IDS_UA_RTLREADING = 52570;

class CGXControl {
 public:
  static const GXControlClass CGXControlRecord;

  explicit CGXControl(CGXGridCore* grid);
  CGXControl(const CGXControl&) = delete;
  CGXControl& operator=(const CGXControl&) = delete;

  virtual ~CGXControl();
  virtual const GXControlClass* GetControlClass() { return &CGXControlRecord; }
  virtual CRuntimeClass* GetWndRuntimeClass() { return nullptr; }
  virtual CWnd* GetWnd() { return nullptr; }
  virtual void SetActive(BOOL on);
  virtual BOOL IsActive() { return FALSE; }
  virtual int StaysShownWhenScrolled() { return 0; }
  virtual void SetModify(BOOL modified);
  virtual BOOL GetModify() { return FALSE; }
  virtual void Init(ROWCOL row, ROWCOL col);
  virtual void Reset();
  virtual BOOL Store() { return FALSE; }
  virtual BOOL OnValidate();
  virtual BOOL OnStartEditing();
  virtual BOOL OnModifyCell();
  virtual BOOL OnCancelEditing();
  virtual BOOL OnCanceledEditing();
  virtual BOOL OnEndEditing();
  virtual BOOL NotifyLeftCell(ROWCOL newRow, ROWCOL newCol);
  virtual BOOL OnDeleteCell();
  virtual CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr);
  virtual CSize CalcSize(int width, int height, const CGXStyle& style);
  virtual CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2);
  virtual BOOL CanFloatCell(ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats);
  virtual BOOL CanMergeCell(ROWCOL row, ROWCOL col, const CGXStyle& style, int mode);
  virtual void DrawFrame(CDC* dc, const CRect& cellRect);
  virtual void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                    const CGXStyle* baseStyle);
  virtual void GetValue(CString& text);
  virtual void SetValue(LPCTSTR text);
  virtual BOOL GetCurrentText(CString& text);
  virtual void SetCurrentText(const CString& text);
  virtual BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style);
  virtual BOOL SetControlText(ROWCOL row, ROWCOL col, const CString& text, UINT flags, const CGXStyle* style);
  virtual BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style);
  // The value SetControlText stores, cut to the style's maximum length.
  virtual void LimitConvertedValue(CString& value, const CGXStyle& style);
  virtual const CGXStyle* StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                           const CGXStyle* currentStyle);
  virtual int GetCurrentStyleValue(ROWCOL row, ROWCOL col, CGXStyle& target);
  virtual BOOL GetChoiceListItem(CString& text, LPCTSTR choices, int index);
  virtual int FindStringInChoiceList(CString& text, LPCTSTR find, LPCTSTR choices, BOOL exact);
  virtual void Hide() {}
  virtual void Refresh();
  virtual BOOL MouseMove(UINT flags, CPoint point, UINT hit);
  virtual BOOL MouseMoveOver(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL LButtonDown(UINT flags, CPoint point, UINT hit);
  virtual BOOL LButtonUp(UINT flags, CPoint point, UINT hit);
  virtual BOOL LButtonDblClk(UINT flags, CPoint point);
  virtual BOOL MButtonDown(UINT flags, CPoint point, UINT hit);
  virtual BOOL MButtonUp(UINT flags, CPoint point, UINT hit);
  virtual BOOL MButtonDblClk(UINT flags, CPoint point);
  virtual BOOL RButtonDown(UINT flags, CPoint point, UINT hit);
  virtual BOOL RButtonUp(UINT flags, CPoint point, UINT hit);
  virtual BOOL RButtonDblClk(UINT flags, CPoint point);
  virtual BOOL OnMouseActivate(CWnd* desktop, UINT hitCode, UINT message, int& result);
  virtual int PreTranslateCellMessage(MSG* message) { (void)message; return 0; }
  virtual BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags);
  virtual BOOL KeyDown(UINT key, UINT repeat, UINT flags);
  virtual BOOL KeyUp(UINT key, UINT repeat, UINT flags);
  virtual BOOL HandleChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL InsertText(LPCTSTR text);
  virtual BOOL DeadChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL SysKeyDown(UINT key, UINT repeat, UINT flags);
  virtual BOOL SysKeyUp(UINT key, UINT repeat, UINT flags);
  virtual BOOL SysChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL SysDeadChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL Copy();
  virtual BOOL Paste();
  virtual BOOL Cut();
  virtual BOOL CanCopy() { return m_bInit; }
  virtual BOOL CanCut();
  virtual BOOL CanPaste();
  virtual void GetSortKey(ROWCOL row, ROWCOL col, void* sortInfo, const CGXStyle& style, CString& key);
  virtual BOOL FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select);
  virtual void ReplaceSel(LPCTSTR text);
  virtual BOOL ReplaceAll(void* request, ROWCOL row, ROWCOL col);
  virtual int GetSelectedText(CString& text);
  virtual void OnClickedButton(CGXChild* child);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual void OnGridScroll(MSG* message);
  virtual BOOL OnCtlColor(CDC* dc, CWnd* window, UINT type);
  virtual void OnWinIniChange(LPCTSTR section);
  virtual void OnSysColorChange();
  virtual BOOL IsReadOnly();
  virtual void OnCancelMode();
  virtual UINT NeedsCellTip(ROWCOL row, ROWCOL col, const CGXStyle& style);
  virtual int GetCellTipKind(ROWCOL row, ROWCOL col, const CGXStyle& style);
  virtual void InitCellTipWnd(ROWCOL row, ROWCOL col, const CGXStyle& style, CWnd* tipWnd);
  virtual BOOL HandlesCoveredClick() { return FALSE; }
  virtual void AddChild(CGXChild* child);
  virtual void RemoveChild(CGXChild* child);
  virtual CGXChild* GetChild(int index);
  virtual int GetChildCount();
  virtual CGXChild* GetCapturedChild() { return m_pChildFocus; }
  virtual void SetCapturedChild(CGXChild* child) { m_pChildFocus = child; }
  virtual void OnInitChildren(ROWCOL row, ROWCOL col, const CRect& cellRect);
  virtual void DrawBackground(CDC* dc, const CRect& rect, const CGXStyle& style, BOOL erase);
  virtual void Draw3dFrame(CDC* dc, const CRect& rect, const CGXStyle& style);
  virtual BOOL ValidateString(const CString& text);
  virtual BOOL ValidateInsertion(const CString& text);
  virtual void OnInvalidKeyPressed(UINT ch);
  virtual BOOL MarkEditHeader(ROWCOL row, ROWCOL col, const CGXStyle& style);

  CGXGridCore* GetGrid() const { return m_pGrid; }
  CWnd* GetGridWnd() const { return m_pGrid->m_pGridWnd; }
  BOOL IsInitialized() const { return m_bInit; }
  BOOL IsInitializedFor(ROWCOL row, ROWCOL col) const { return m_bInit && m_nRow == row && m_nCol == col; }
  BOOL IsKindOfControl(const GXControlClass* record);
  BOOL IsWndKindOf(CRuntimeClass* runtimeClass);
  CGXStyle& GetStyle();
  void FreeStyle(BOOL alsoCurrent);
  // Selects the style's font into the device context through the grid; the
  // font to select back afterwards (null when nothing was selected).
  CFont* GetGridGdiObject(CDC* dc, const CGXStyle& style, const CGXStyle* standard);
  // Leaves a rectangle (a window of the control) out of the grid's next
  // painting pass.
  void AddExcludeRect(const CRect& rect);
  CGXCellTipBase* GetCellTip() const { return m_pCellTip; }
  // Gives the control its cell-tip object, which it owns from now on.
  void AttachCellTip(CGXCellTipBase* tip) {
    if (tip == m_pCellTip) return;
    delete m_pCellTip;
    m_pCellTip = tip;
  }
  // Tells the grid window that the focus left the cell's window for a
  // window outside the grid.
  void ForwardKillFocus(CWnd* newFocus);
  // Registers the validation and reading-order attributes with the style
  // their attribute editor uses.
  static void AddUserAttributes(CGXStylesMap* map);

  // Redraw the cell whenever it becomes current.
  BOOL m_bRefreshOnSetCurrentCell = FALSE;

 protected:
  BOOL IsCurrentCell() const;
  BOOL ReadOnlyByGuard(const CGXStyle& style);
  CRect PrepareChildren();
  BOOL MayPasteText();
  // The cell's editing window, placed at `place` in a covered block scrolled
  // partly under the frozen rows or columns, still spans the whole block,
  // over the frozen cells: it may only paint the part this paint draws (the
  // dc's clip box), its caret hidden meanwhile. Returns the part of `place`
  // in view, which is what the grid's next paint is to leave out.
  CRect PaintWindowInViewOnly(CWnd* window, CDC* dc, const CRect& place, ROWCOL row, ROWCOL col);

  CGXGridCore* m_pGrid;
  ROWCOL m_nRow = static_cast<ROWCOL>(-1);
  ROWCOL m_nCol = static_cast<ROWCOL>(-1);
  CGXStyle* m_pStyle = nullptr;
  BOOL m_bInit = FALSE;
  CPtrArray* m_pChildList = nullptr;
  CGXChild* m_pChildFocus = nullptr;
  BOOL m_bDbcsLeadPending = FALSE;
  char m_cDbcsLead = 0;
  CGXCellTipBase* m_pCellTip = nullptr;
  BOOL m_bCaretHiddenInView = FALSE;  // see PaintWindowInViewOnly
};
