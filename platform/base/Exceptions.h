// The framework's exception family.
//
// Exceptions are thrown as pointers to heap objects ("throw new ..." through
// the AfxThrow functions) and caught as pointers; the catcher ends one with
// Delete(). The TRY/CATCH/END_CATCH macros delete the caught exception at
// the end of the handler unless it is thrown on with THROW_LAST().
#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/base/types.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)

 public:
  explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
  ~CException() override = default;

  // Fills buffer (maxChars including the terminator) with the message;
  // FALSE when the exception has none.
  virtual BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const;
  // Shows the message in a message box (or the text of messageId / a
  // generic text when there is none) and returns the box's answer.
  virtual int ReportError(UINT type = 0 /* MB_OK */, UINT messageId = 0) const;
  // Frees a heap exception; an exception made with autoDelete FALSE stays.
  void Delete();

  BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)

 public:
  CSimpleException() = default;
  explicit CSimpleException(BOOL autoDelete) : CException(autoDelete) {}
  BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

 protected:
  virtual LPCTSTR MessageText() const;
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)

 protected:
  LPCTSTR MessageText() const override;
};

class CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)

 protected:
  LPCTSTR MessageText() const override;
};

class CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)

 protected:
  LPCTSTR MessageText() const override;
};

class CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)

 protected:
  LPCTSTR MessageText() const override;
};

// An argument out of range: a collection index past the end, a removal
// from an empty list.
class CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)

 protected:
  LPCTSTR MessageText() const override;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)

 public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  explicit CFileException(int cause = none, LONG osError = -1, LPCTSTR fileName = nullptr)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

  BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

  // The cause of a POSIX errno value.
  static int ErrnoToException(int err);
  static void ThrowErrno(int err, LPCTSTR fileName = nullptr);
  static void ThrowOsError(LONG osError, LPCTSTR fileName = nullptr) { ThrowErrno(osError, fileName); }

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)

 public:
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,
    endOfFile = 3,
    writeOnly = 4,
    badIndex = 5,
    badClass = 6,
    badSchema = 7,
  };

  explicit CArchiveException(int cause = none, LPCTSTR fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}

  BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

  int m_cause;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR fileName = nullptr);

namespace afx_detail {
// Deletes a caught exception when its handler ends, unless released.
class CatchGuard {
 public:
  explicit CatchGuard(CException* e) : e_(e) {}
  ~CatchGuard() {
    if (e_) e_->Delete();
  }
  CatchGuard(const CatchGuard&) = delete;
  CatchGuard& operator=(const CatchGuard&) = delete;
  void Release() { e_ = nullptr; }

 private:
  CException* e_;
};
}  // namespace afx_detail

#define TRY try
#define CATCH(class_name, e) \
  catch (class_name * e) {   \
    ::afx_detail::CatchGuard afxCatchGuard(e);
#define AND_CATCH(class_name, e) \
  }                              \
  catch (class_name * e) {       \
    ::afx_detail::CatchGuard afxCatchGuard(e);
#define END_CATCH }
#define CATCH_ALL(e)      \
  catch (CException * e) { \
    ::afx_detail::CatchGuard afxCatchGuard(e);
#define AND_CATCH_ALL(e)   \
  }                        \
  catch (CException * e) { \
    ::afx_detail::CatchGuard afxCatchGuard(e);
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST()          \
  do {                        \
    afxCatchGuard.Release();  \
    throw;                    \
  } while (0)

namespace platform {
// Shows an error to the user (the program's message box) and returns the
// button pressed. The exceptions above and the window layer's dispatch report
// through it; the dialogs layer provides it.
int ShowErrorMessage(LPCSTR text, UINT type);
}  // namespace platform
