// The data password: the prompt at start-up and the dialog that sets,
// changes or removes it. The password itself is never kept in clear: the
// object holds the stored salted hash, and a typed password is checked
// against it.
#pragma once

#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

// Asks for the password until it is given, the user gives up or the
// allowed attempts are used up.
class CPasswordDlg : public CDialog {
 public:
  explicit CPasswordDlg(CWnd* parent = nullptr);

  CString m_strPrompt;
  CString m_strTyped;
  CString m_strHash;  // the stored hash to match; empty: accept at once
  int m_nAttempts = 3;
  CString m_strCaption;
  int m_nFailed = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};

// Takes the reminder phrase and the new password twice.
class CNewPasswordDlg : public CDialog {
 public:
  explicit CNewPasswordDlg(CWnd* parent = nullptr);

  CString m_strConfirm;
  CString m_strPrompt;
  CString m_strNew;
  int m_nMinLength = 6;
  int m_nMaxLength = 12;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
};

class CPassword {
 public:
  CPassword();
  virtual ~CPassword() = default;

  // The stored hash (empty: no password).
  void SetPassword(const char* hash) { m_strPassword = hash; }
  CString GetPassword() const { return m_strPassword; }
  void SetPrompt(const char* prompt) { m_strPrompt = prompt; }
  CString GetPrompt() const { return m_strPrompt; }

  // True when the user gave the password (at once when none is set).
  bool Verify();
  // True when a new password (or its removal) was accepted; the new hash
  // and prompt are then in the object.
  bool Change();

  int m_nMinLength = 6;
  int m_nMaxLength = 12;
  int m_nAttempts = 3;

 private:
  CString m_strPassword;
  CString m_strPrompt;
  CString m_strCaption;
  // The password as typed at the last successful Verify, offered for
  // change in place of the hash that cannot be shown.
  CString m_strTyped;
};
