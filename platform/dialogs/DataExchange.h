// Data exchange between a dialog's members and its controls: DDX_ moves a
// value one way or the other (m_bSaveAndValidate: controls to members),
// DDV_ checks a saved value. A value that does not convert or does not pass
// is reported in a message box, the focus goes back to the control and the
// exchange stops (CDataExchange::Fail throws CUserException, which
// CDialog::UpdateData catches and turns into FALSE).
#pragma once

#include <functional>

#include "platform/base/CString.h"
#include "platform/framework/CWnd.h"
#include "platform/base/types.h"

class CDataExchange;

// Runs an exchange over a window's controls: FALSE when a field did not
// convert or pass (its problem has been shown and the focus is back on it).
BOOL RunDataExchange(CWnd* window, BOOL saveAndValidate, const std::function<void(CDataExchange*)>& exchange);

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;

  // The control of an id (remembered as the one to return to on failure).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Focus back to the last control (its text selected when it is an edit),
  // then throws CUserException.
  [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// UINT and DWORD are the same type here.
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC: the first radio button of the group; value: the index of the
// checked one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Subclasses the control by the object on the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Saving: the text may hold at most nChars characters. Loading: limits the
// last control (edit or combo box) to nChars.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal);
