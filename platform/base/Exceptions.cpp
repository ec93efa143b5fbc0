#include "platform/base/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>


IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

BOOL CopyMessage(const CString& text, LPTSTR buffer, UINT maxChars) {
  if (buffer == nullptr || maxChars == 0) return FALSE;
  std::snprintf(buffer, maxChars, "%s", static_cast<LPCTSTR>(text));
  return TRUE;
}

CString NameOr(const CString& name) { return name.IsEmpty() ? CString("an unnamed file") : name; }

// The message of a file or archive exception: the text of its cause
// (texts[0 ... last]; `generic` for a cause out of range) naming the file.
BOOL CauseMessage(const char* const* texts, int cause, int last, int generic, const CString& file, LPTSTR buffer,
                  UINT maxChars) {
  if (cause < 0 || cause > last) cause = generic;
  CString text;
  text.Format(texts[cause], static_cast<LPCTSTR>(NameOr(file)));
  return CopyMessage(text, buffer, maxChars);
}

}  // namespace

BOOL CException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  if (buffer && maxChars) *buffer = 0;
  return FALSE;
}

int CException::ReportError(UINT type, UINT messageId) const {
  char text[512];
  CString message;
  if (GetErrorMessage(text, sizeof text)) {
    message = text;
  } else if (messageId == 0 || !message.LoadString(messageId)) {
    message = "An unsupported operation was attempted.";
  }
  return platform::ShowErrorMessage(message, type);
}

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CSimpleException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(MessageText(), buffer, maxChars);
}

LPCTSTR CSimpleException::MessageText() const { return "An unknown error has occurred."; }
LPCTSTR CMemoryException::MessageText() const { return "Out of memory."; }
LPCTSTR CNotSupportedException::MessageText() const { return "An unsupported operation was attempted."; }
LPCTSTR CResourceException::MessageText() const { return "A required resource was unavailable."; }
LPCTSTR CUserException::MessageText() const { return "The operation was cancelled."; }
LPCTSTR CInvalidArgException::MessageText() const { return "An invalid argument was encountered."; }

BOOL CFileException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  static const char* const kTexts[] = {
      "No error occurred while accessing %s.",
      "An unknown error occurred while accessing %s.",
      "%s was not found.",
      "%s contains an incorrect path.",
      "%s could not be opened because there are too many open files.",
      "Access to %s was denied.",
      "An incorrect file handle was associated with %s.",
      "%s could not be removed because it is the current directory.",
      "%s could not be created because the directory is full.",
      "Seek failed on %s.",
      "A hardware I/O error was reported while accessing %s.",
      "A sharing violation occurred while accessing %s.",
      "A locking violation occurred while accessing %s.",
      "Disk full while accessing %s.",
      "An attempt was made to access %s past its end.",
  };
  return CauseMessage(kTexts, m_cause, endOfFile, genericException, m_strFileName, buffer, maxChars);
}

BOOL CArchiveException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  static const char* const kTexts[] = {
      "No error occurred while reading or writing %s.",
      "An unexpected error occurred while reading or writing %s.",
      "An attempt was made to write to %s while it was being read.",
      "An attempt was made to read %s past its end.",
      "An attempt was made to read from %s while it was being written.",
      "%s has a bad format.",
      "%s contained an unexpected object.",
      "%s contained an unsupported version of an object.",
  };
  return CauseMessage(kTexts, m_cause, badSchema, genericException, m_strFileName, buffer, maxChars);
}

int CFileException::ErrnoToException(int err) {
  switch (err) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST: return accessDenied;
    case EBADF: return invalidFile;
    case EBUSY: return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    case ESPIPE:
    case EINVAL: return badSeek;
    case EIO: return hardIO;
    default: return genericException;
  }
}

void CFileException::ThrowErrno(int err, LPCTSTR fileName) {
  if (err != 0) AfxThrowFileException(ErrnoToException(err), err, fileName);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName) {
  throw new CFileException(cause, osError, fileName);
}
void AfxThrowArchiveException(int cause, LPCTSTR fileName) { throw new CArchiveException(cause, fileName); }
