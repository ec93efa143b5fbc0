// Files: CFile over a POSIX descriptor, CStdioFile for text lines, and
// CMemFile in memory.
//
// Names are Windows-1252 text like every other text of the system and are
// converted to UTF-8 for the file system. Failures throw CFileException
// (Open reports them through its exception argument instead). Share modes
// are accepted and not enforced.
#pragma once

#include <string>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/CTime.h"
#include "platform/base/Exceptions.h"
#include "platform/base/types.h"

struct CFileStatus {
  CTime m_ctime;
  CTime m_mtime;
  CTime m_atime;
  LONG m_size = 0;
  BYTE m_attribute = 0;  // CFile::Attribute bits
  char m_szFullName[MAX_PATH] = {};
};

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)

 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum Attribute : BYTE {
    normal = 0x00,
    readOnly = 0x01,
    hidden = 0x02,
    system = 0x04,
    volume = 0x08,
    directory = 0x10,
    archive = 0x20,
  };
  enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
  static constexpr int hFileNull = -1;

  CFile() = default;
  explicit CFile(int fd);  // adopts an open descriptor
  CFile(LPCTSTR fileName, UINT openFlags);  // throws on failure
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE on failure, with the cause in error when given.
  virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual LONG Seek(LONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  DWORD SeekToEnd() { return static_cast<DWORD>(Seek(0, end)); }
  virtual DWORD GetPosition() const;
  virtual DWORD GetLength() const;
  virtual void SetLength(DWORD newLength);
  // Writes everything out to the disk (fsync).
  virtual void Flush();
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();
  virtual BOOL IsOpen() const { return m_hFile != hFileNull; }

  CString GetFilePath() const { return m_strFileName; }
  CString GetFileName() const;
  CString GetFileTitle() const;
  void SetFilePath(LPCTSTR path) { m_strFileName = path; }
  BOOL GetStatus(CFileStatus& status) const;

  static BOOL GetStatus(LPCTSTR fileName, CFileStatus& status);
  static void Remove(LPCTSTR fileName);
  static void Rename(LPCTSTR oldName, LPCTSTR newName);

  int m_hFile = hFileNull;

 protected:
  [[noreturn]] void ThrowErrno(int err) const;

  CString m_strFileName;
  BOOL m_bCloseOnDelete = FALSE;
};

// Text lines. In text mode (the default) a written "\n" becomes CR LF and
// reading takes CR LF or LF as a line end; a Ctrl-Z byte ends the text.
// typeBinary writes and reads bytes unchanged.
class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)

 public:
  CStdioFile() = default;
  CStdioFile(LPCTSTR fileName, UINT openFlags);

  BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
  // The next line without its line end; FALSE at the end of the file.
  virtual BOOL ReadString(CString& line);
  // At most maxChars - 1 bytes of the next line, keeping its "\n"; null at
  // the end of the file.
  virtual LPTSTR ReadString(LPTSTR buffer, UINT maxChars);
  virtual void WriteString(LPCTSTR text);

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  LONG Seek(LONG offset, UINT from) override;
  DWORD GetPosition() const override;
  void Close() override;
  void Abort() override;

 private:
  int NextByte();  // -1 at the end
  void DropReadAhead();

  bool text_ = true;
  bool pendingCR_ = false;  // a CR written last; a following "\n" must not double it
  std::vector<char> ahead_;
  std::size_t aheadPos_ = 0;
  bool sawEof_ = false;
};

// A file in memory that grows as it is written (by growBytes steps), or a
// fixed caller's buffer (growBytes 0: writing past its end throws
// CMemoryException).
class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)

 public:
  explicit CMemFile(UINT growBytes = 1024);
  CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
  // Hands the contents to the caller (ownership of an attached buffer goes
  // back; a grown buffer is copied into one allocated with new[]) and
  // empties the file.
  BYTE* Detach();

  BOOL Open(LPCTSTR, UINT, CFileException* = nullptr) override { return FALSE; }
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  LONG Seek(LONG offset, UINT from) override;
  DWORD GetPosition() const override { return pos_; }
  DWORD GetLength() const override { return size_; }
  void SetLength(DWORD newLength) override;
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }
  BOOL IsOpen() const override { return TRUE; }

  // The contents as bytes (for tests and clipboard hand-over).
  const BYTE* GetData() const { return attached_ ? attached_ : owned_.data(); }

 private:
  void Reserve(DWORD size);

  std::vector<BYTE> owned_;
  BYTE* attached_ = nullptr;
  DWORD capacity_ = 0;  // of the attached buffer
  DWORD size_ = 0;
  DWORD pos_ = 0;
  UINT growBytes_;
};

// A memory file that trades its contents as a global memory block (the
// clipboard's currency, platform/base/Kernel.h). SetHandle loads a copy of the
// block's bytes and starts at the beginning (the block stays the caller's);
// Detach hands the contents over as a new block (owned by the caller) and
// empties the file.
class CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)

 public:
  explicit CSharedFile(UINT allocFlags = 0x2002u /* GMEM_MOVEABLE | GMEM_DDESHARE */, UINT growBytes = 4096);
  ~CSharedFile() override;

  void SetHandle(HGLOBAL mem, BOOL allowGrow = TRUE);
  HGLOBAL Detach();

 private:
  UINT allocFlags_;
};
