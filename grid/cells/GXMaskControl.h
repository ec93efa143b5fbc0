// The masked edit cell: the style names an input mask, the cell shows the
// mask's literals in place with a prompt character at every position still
// to be typed, and stores only the typed characters. Two mask data objects
// do the work: one for the editor, one for drawing and converting other
// cells. Typing follows the mask: a character that does not fit is
// refused, and pasting undoes itself when the result does not fit.
#pragma once

#include "grid/cells/GXEditControl.h"
#include "grid/cells/GXMaskData.h"

constexpr WORD GX_IDS_UA_INPUTMASK = 51023;
constexpr WORD GX_IDS_UA_INPUTPROMPT = 51024;

// The clipboard format of typed characters without the mask's literals.
UINT GXMaskDataClipboardFormat();

class CGXMaskControl : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGXMaskControl)

 public:
  // The data objects are made from `dataClass`, so that a derived mask
  // data class can take their place.
  CGXMaskControl(CGXGridCore* grid, UINT id, CRuntimeClass* dataClass = RUNTIME_CLASS(CGXMaskData));
  ~CGXMaskControl() override;

  BOOL CreateControl(DWORD style, const RECT* rect) override;
  // The style's mask, prompt and maximum length given to `data`.
  virtual void SetMaskFromStyle(const CGXStyle& style, CGXMaskData* data);

  void Init(ROWCOL row, ROWCOL col) override;
  BOOL OnValidate() override;
  void GetValue(CString& text) override;
  void SetValue(LPCTSTR text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL InsertText(LPCTSTR text) override;
  BOOL Copy() override;
  BOOL Paste() override;
  BOOL CanPaste() override;
  void ReplaceSel(LPCTSTR text) override;
  BOOL ReplaceAll(void* request, ROWCOL row, ROWCOL col) override;
  int GetSelectedText(CString& text) override;

  static void AddUserAttributes(CGXStylesMap* map);

  CGXMaskData* GetEditData() const { return m_pEditData; }

  BOOL m_bDisplayEmpty = FALSE;  // an empty value shows the mask
  BOOL m_bInsertMode = TRUE;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  // The editor shows the edit data; the caret goes to `caret` (-1 keeps
  // the selection).
  void ShowEntry(int caret);
  void Changed();
  // The input position the mouse points at, within the typed part.
  int InputPosFromPoint(CPoint point);
  BOOL StartAt(int caret);

  CRuntimeClass* m_pDataClass;
  CGXMaskData* m_pEditData = nullptr;
  CGXMaskData* m_pDrawData = nullptr;
  BOOL m_bPastingMaskData = FALSE;
};
