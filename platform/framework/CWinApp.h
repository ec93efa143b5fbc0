// The application object and its message loop: CWinThread/CWinApp with Run,
// PumpMessage, OnIdle and the PreTranslateMessage chain.
#pragma once

#include <memory>

#include "platform/framework/CCmdTarget.h"
#include "platform/base/CString.h"
#include "platform/window/Window.h"

class CWnd;
class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread() = default;
  ~CWinThread() override = default;

  CWnd* m_pMainWnd = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  MSG m_msgCur{};

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance();
  // Runs until WM_QUIT: idle processing while the queue is empty, then
  // messages; the exit code of ExitInstance.
  virtual int Run();
  // One message: FALSE on WM_QUIT.
  virtual BOOL PumpMessage();
  // Called while the queue is empty with a growing count; TRUE asks for
  // more idle time. Count 0 updates command UI; later counts free the
  // temporary window objects.
  virtual BOOL OnIdle(LONG count);
  // The chain: the target window and its parents (a dialog checks its
  // keyboard navigation there), up to the main window.
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual BOOL IsIdleMessage(MSG* msg);
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  explicit CWinApp(LPCTSTR appName = nullptr);
  ~CWinApp() override;

  HINSTANCE m_hInstance = nullptr;
  LPCTSTR m_pszAppName = nullptr;
  LPCTSTR m_pszExeName = nullptr;
  LPTSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;

  HCURSOR LoadCursor(LPCTSTR name) const { return ::LoadCursor(nullptr, name); }
  HCURSOR LoadStandardCursor(LPCTSTR name) const { return ::LoadCursor(nullptr, name); }
  HICON LoadIcon(LPCTSTR name) const { return ::LoadIcon(nullptr, name); }
  HICON LoadStandardIcon(LPCTSTR name) const { return ::LoadIcon(nullptr, name); }
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();
  int m_nWaitCursorCount = 0;

  // Help: the help file's name (the program's name + ".hlp" when null);
  // WinHelp opens the manual that stands for it (platform/shell/Help.h)
  // over the main window. Defined with the help stand-in.
  LPCTSTR m_pszHelpFilePath = nullptr;
  void WinHelp(DWORD_PTR data, UINT command);

  // The application's printer: its DEVMODE and DEVNAMES blocks (global
  // memory, freed with the application), null until a printer is chosen or
  // the default one is asked for. Defined with the print loop.
  HGLOBAL m_hDevMode = nullptr;
  HGLOBAL m_hDevNames = nullptr;
  // Runs the print dialog starting from the application's printer and takes
  // the one chosen; IDOK or IDCANCEL.
  INT_PTR DoPrintDialog(class CPrintDialog* dialog);
  // The application's printer (the default one when none is chosen yet)
  // in `pd`; FALSE when there is no printer.
  BOOL GetPrinterDeviceDefaults(struct PRINTDLG* pd);
  // File > Print Setup: the setup dialog on the application's printer.
  void OnFilePrintSetup();

  // The application profile (platform/base/Profile.h: the file set with
  // platform::SetProfileFile, else a store in memory). The registry key is
  // remembered only.
  void SetRegistryKey(LPCTSTR key);
  LPCTSTR m_pszRegistryKey = nullptr;
  UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
  BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
  CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
  // A null value deletes the entry, a null entry the whole section.
  BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
  // Bytes are stored as two upper-case hex digits each. *data is allocated
  // with new[] and belongs to the caller; FALSE (and null, 0) when the entry
  // is missing or not hex.
  BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes);
  BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes);
  HCURSOR m_hcurWaitCursorRestore = nullptr;

  // The colours of every dialog: its background (and that of its static
  // texts and buttons) and their text. Until set, dialogs keep the system's.
  void SetDialogBkColor(COLORREF back = RGB(192, 192, 192), COLORREF text = RGB(0, 0, 0));
  // The dialog background brush, null while the system's colours stand.
  HBRUSH DialogBackBrush() const { return dialogBrush_; }
  COLORREF DialogBackColor() const { return dialogBack_; }
  COLORREF DialogTextColor() const { return dialogText_; }

  // Document templates (platform/framework/DocTemplate.h, which defines these).
  void AddDocTemplate(CDocTemplate* templ);
  virtual void OnFileNew();
  // Fills `info` from m_lpCmdLine; ProcessShellCommand carries it out (FALSE
  // when the asked document or main window could not be made).
  void ParseCommandLine(CCommandLineInfo& info);
  BOOL ProcessShellCommand(CCommandLineInfo& info);
  std::shared_ptr<CDocManager> m_pDocManager;

 private:
  CString appName_;
  CString registryKey_;
  HBRUSH dialogBrush_ = nullptr;
  COLORREF dialogBack_ = 0;
  COLORREF dialogText_ = 0;
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCTSTR AfxGetAppName();
