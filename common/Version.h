// Version numbers of the program and of the data format, and the update
// reminder.
#pragma once

#include "platform/base/CString.h"

// A link opened with the desktop's opener.
class CWebLink {
 public:
  CWebLink() = default;
  explicit CWebLink(const char* link) : link_(link) {}
  virtual ~CWebLink() = default;
  void SetLink(const char* link) { link_ = link; }
  CString GetLink() const { return link_; }
  // 0 for an empty link; otherwise above 32 when the opener was started.
  virtual int Open();

 private:
  CString link_;
};

// Replaces the program that opens links and documents (tests); the function
// returns the opener's result (above 32 on success). Null restores xdg-open.
using ShellOpener = int (*)(const char* target);
void SetShellOpener(ShellOpener opener);
// Opens a document or link with the desktop's opener, without waiting.
int ShellOpen(const char* target);

class CVersionNumber {
 public:
  CVersionNumber() = default;
  virtual ~CVersionNumber() = default;

  BOOL SetAppName(const char* name);
  BOOL SetExpiryDays(int days);
  BOOL SetPatchUrl(const char* link);
  BOOL SetVendorName(const char* name);
  BOOL SetVersion(const char* major, const char* minor);
  BOOL SetWebSite(const char* link);

  // Flag bits: 1 name and a blank, 2 major and ".", 4 minor; trailing
  // blanks and full stops removed.
  CString Format(int flags) const;
  BOOL IsReminderDue();
  BOOL RemindIfOld();
  CString GetErrorText() const { return error_; }
  CString GetAppName() const { return appName_; }
  CString GetVendorName() const { return vendor_; }
  CString GetMajor() const { return major_; }
  CString GetMinor() const { return minor_; }
  int GetExpiryDays() const { return expiryDays_; }
  CWebLink& PatchLink() { return patchLink_; }
  CWebLink& WebSite() { return webSite_; }

 private:
  CString appName_;
  int expiryDays_ = 30;
  CString error_;
  CWebLink patchLink_;
  CString minor_;
  CString vendor_;
  CString major_;
  CWebLink webSite_;
};

extern CVersionNumber ProgramVersion;
extern CVersionNumber DataVersion;

// The program file whose age the reminder measures (the running executable).
CString GetProgramFilePath();
// Overrides the program file path and the clock (tests); empty / 0 restore.
void SetProgramFilePathForTest(const char* path);
void SetReminderClockForTest(long long now);
