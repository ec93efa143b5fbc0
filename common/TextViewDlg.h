// A resizable modal window that shows a text file read-only in a
// fixed-pitch font; it remembers its size in the user settings ("SCAN").
#pragma once

#include "common/DialogSizer.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

struct SettingsSection;

class CTextViewDlg : public CDialog {
 public:
  explicit CTextViewDlg(CWnd* parent = nullptr);
  ~CTextViewDlg() override;

  CString m_strFile;
  CString m_strCaption;
  // The size in pixels: the saved one while opening (0 = none), the current
  // one afterwards.
  int m_cx = 0;
  int m_cy = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;

 private:
  char* m_pBuffer = nullptr;
  CString m_strText;
  int m_bFirstSize = 1;
  DialogSizer m_sizer;
  SettingsSection* m_pSection = nullptr;
};
