#include "platform/base/CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/base/Codepage.h"

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {

std::string NativeName(LPCTSTR name) { return Cp1252ToUtf8(name ? name : ""); }

CString LastPart(const CString& path) {
  int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
  return path.Mid(slash + 1);
}

bool FillStatus(const struct stat& st, LPCTSTR name, CFileStatus& status) {
  status = CFileStatus{};
  status.m_ctime = CTime(st.st_ctime);
  status.m_mtime = CTime(st.st_mtime);
  status.m_atime = CTime(st.st_atime);
  status.m_size = static_cast<LONG>(st.st_size);
  if (S_ISDIR(st.st_mode)) status.m_attribute |= CFile::directory;
  if ((st.st_mode & S_IWUSR) == 0) status.m_attribute |= CFile::readOnly;
  CString base = LastPart(CString(name));
  if (base.GetLength() > 1 && base[0] == '.') status.m_attribute |= CFile::hidden;
  std::snprintf(status.m_szFullName, sizeof status.m_szFullName, "%s", name ? name : "");
  return true;
}

}  // namespace

// ---- CFile

CFile::CFile(int fd) : m_hFile(fd), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
  if (m_hFile != hFileNull) Abort();
  m_strFileName = fileName;
  int flags = O_CLOEXEC;
  switch (openFlags & 3) {
    case modeRead: flags |= O_RDONLY; break;
    case modeWrite: flags |= O_WRONLY; break;
    default: flags |= O_RDWR; break;
  }
  if (openFlags & modeCreate) {
    flags |= O_CREAT;
    if (!(openFlags & modeNoTruncate)) flags |= O_TRUNC;
  }
  int fd = ::open(NativeName(fileName).c_str(), flags, 0600);  // the user's own files
  if (fd < 0) {
    int err = errno;
    if (error) {
      error->m_cause = CFileException::ErrnoToException(err);
      error->m_lOsError = err;
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    if (error) {
      error->m_cause = CFileException::accessDenied;
      error->m_lOsError = EISDIR;
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  m_hFile = fd;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

void CFile::ThrowErrno(int err) const {
  AfxThrowFileException(CFileException::ErrnoToException(err), err, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
  if (count == 0) return 0;
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  UINT done = 0;
  while (done < count) {
    ssize_t n = ::read(m_hFile, static_cast<char*>(buffer) + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    if (n == 0) break;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  UINT done = 0;
  while (done < count) {
    ssize_t n = ::write(m_hFile, static_cast<const char*>(buffer) + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    if (n == 0) AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
    done += static_cast<UINT>(n);
  }
}

LONG CFile::Seek(LONG offset, UINT from) {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  int whence = from == begin ? SEEK_SET : (from == current ? SEEK_CUR : SEEK_END);
  off_t pos = ::lseek(m_hFile, offset, whence);
  if (pos < 0) AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  return static_cast<LONG>(pos);
}

DWORD CFile::GetPosition() const {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
  if (pos < 0) ThrowErrno(errno);
  return static_cast<DWORD>(pos);
}

DWORD CFile::GetLength() const {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  struct stat st;
  if (::fstat(m_hFile, &st) != 0) ThrowErrno(errno);
  return static_cast<DWORD>(st.st_size);
}

void CFile::SetLength(DWORD newLength) {
  if (m_hFile == hFileNull) ThrowErrno(EBADF);
  if (::ftruncate(m_hFile, static_cast<off_t>(newLength)) != 0) ThrowErrno(errno);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) ThrowErrno(errno);
}

void CFile::Close() {
  int fd = m_hFile;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  if (fd != hFileNull && ::close(fd) != 0 && errno != EINTR) ThrowErrno(errno);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) ::close(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const { return LastPart(m_strFileName); }

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot > 0 ? name.Left(dot) : name;
}

BOOL CFile::GetStatus(CFileStatus& status) const {
  struct stat st;
  if (m_hFile == hFileNull || ::fstat(m_hFile, &st) != 0) return FALSE;
  return FillStatus(st, m_strFileName, status);
}

BOOL CFile::GetStatus(LPCTSTR fileName, CFileStatus& status) {
  struct stat st;
  if (fileName == nullptr || ::stat(NativeName(fileName).c_str(), &st) != 0) return FALSE;
  return FillStatus(st, fileName, status);
}

void CFile::Remove(LPCTSTR fileName) {
  if (::unlink(NativeName(fileName).c_str()) != 0) {
    int err = errno;
    AfxThrowFileException(CFileException::ErrnoToException(err), err, fileName);
  }
}

void CFile::Rename(LPCTSTR oldName, LPCTSTR newName) {
  // The framework refuses to rename onto an existing file; keep that, so
  // that a rename never silently destroys another file.
  std::string to = NativeName(newName);
  struct stat st;
  if (::stat(to.c_str(), &st) == 0) AfxThrowFileException(CFileException::accessDenied, EEXIST, oldName);
  if (::rename(NativeName(oldName).c_str(), to.c_str()) != 0) {
    int err = errno;
    AfxThrowFileException(CFileException::ErrnoToException(err), err, oldName);
  }
}

// ---- CStdioFile

CStdioFile::CStdioFile(LPCTSTR fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

BOOL CStdioFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
  DropReadAhead();
  text_ = (openFlags & typeBinary) == 0;
  pendingCR_ = false;
  return CFile::Open(fileName, openFlags & ~static_cast<UINT>(typeText | typeBinary), error);
}

void CStdioFile::DropReadAhead() {
  if (m_hFile != hFileNull && aheadPos_ < ahead_.size()) {
    ::lseek(m_hFile, -static_cast<off_t>(ahead_.size() - aheadPos_), SEEK_CUR);
  }
  ahead_.clear();
  aheadPos_ = 0;
  sawEof_ = false;
}

int CStdioFile::NextByte() {
  if (aheadPos_ >= ahead_.size()) {
    if (sawEof_) return -1;
    ahead_.resize(4096);
    aheadPos_ = 0;
    UINT n = CFile::Read(ahead_.data(), static_cast<UINT>(ahead_.size()));
    ahead_.resize(n);
    if (n == 0) return -1;
  }
  unsigned char c = static_cast<unsigned char>(ahead_[aheadPos_]);
  if (text_ && c == 0x1A) {
    sawEof_ = true;
    ahead_.resize(aheadPos_);  // nothing after Ctrl-Z is text
    return -1;
  }
  ++aheadPos_;
  return c;
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  char* out = static_cast<char*>(buffer);
  UINT n = 0;
  while (n < count) {
    int c = NextByte();
    if (c < 0) break;
    if (text_ && c == '\r') {
      int next = NextByte();
      if (next == '\n') c = '\n';
      else if (next >= 0) --aheadPos_;
    }
    out[n++] = static_cast<char>(c);
  }
  return n;
}

BOOL CStdioFile::ReadString(CString& line) {
  std::string s;
  int c = NextByte();
  if (c < 0) {
    line.Empty();
    return FALSE;
  }
  while (c >= 0 && c != '\n') {
    s += static_cast<char>(c);
    c = NextByte();
  }
  if (!s.empty() && s.back() == '\r') s.pop_back();
  line = s;
  return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR buffer, UINT maxChars) {
  if (buffer == nullptr || maxChars == 0) return nullptr;
  UINT n = 0;
  bool any = false;
  while (n + 1 < maxChars) {
    int c = NextByte();
    if (c < 0) break;
    any = true;
    if (text_ && c == '\r') {
      int next = NextByte();
      if (next == '\n') c = '\n';
      else if (next >= 0) --aheadPos_;
    }
    buffer[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[n] = 0;
  return any ? buffer : nullptr;
}

void CStdioFile::Write(const void* buffer, UINT count) {
  DropReadAhead();
  if (!text_) {
    CFile::Write(buffer, count);
    return;
  }
  const char* in = static_cast<const char*>(buffer);
  std::string out;
  out.reserve(count + count / 16 + 2);
  for (UINT i = 0; i < count; ++i) {
    // A "\n" already preceded by CR stays as it is, so that texts that
    // carry their own CR LF are not doubled to CR CR LF.
    if (in[i] == '\n' && !pendingCR_) out += '\r';
    out += in[i];
    pendingCR_ = in[i] == '\r';
  }
  CFile::Write(out.data(), static_cast<UINT>(out.size()));
}

void CStdioFile::WriteString(LPCTSTR text) {
  if (text == nullptr) AfxThrowInvalidArgException();
  Write(text, static_cast<UINT>(std::strlen(text)));
}

LONG CStdioFile::Seek(LONG offset, UINT from) {
  DropReadAhead();
  pendingCR_ = false;
  return CFile::Seek(offset, from);
}

DWORD CStdioFile::GetPosition() const {
  return CFile::GetPosition() - static_cast<DWORD>(ahead_.size() - aheadPos_);
}

void CStdioFile::Close() {
  ahead_.clear();
  aheadPos_ = 0;
  sawEof_ = false;
  CFile::Close();
}

void CStdioFile::Abort() {
  ahead_.clear();
  aheadPos_ = 0;
  sawEof_ = false;
  CFile::Abort();
}

// ---- CMemFile

CMemFile::CMemFile(UINT growBytes) : growBytes_(growBytes ? growBytes : 1024) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : growBytes_(growBytes) {
  Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile() = default;

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes) {
  owned_.clear();
  attached_ = buffer;
  capacity_ = buffer ? size : 0;
  // A fixed buffer is the file's contents (data to read, or to overwrite);
  // a growable one is empty room to write into.
  size_ = growBytes == 0 ? capacity_ : 0;
  pos_ = 0;
  growBytes_ = growBytes;
}

BYTE* CMemFile::Detach() {
  BYTE* result;
  if (attached_) {
    result = attached_;
  } else {
    result = new BYTE[size_ ? size_ : 1];
    if (size_) std::memcpy(result, owned_.data(), size_);
  }
  attached_ = nullptr;
  owned_.clear();
  capacity_ = size_ = pos_ = 0;
  return result;
}

void CMemFile::Reserve(DWORD size) {
  if (attached_) {
    if (size <= capacity_) return;
    if (growBytes_ == 0) AfxThrowMemoryException();
    owned_.assign(attached_, attached_ + size_);
    attached_ = nullptr;
    capacity_ = 0;
  }
  if (size > owned_.size()) {
    std::size_t grown = owned_.size() + growBytes_;
    owned_.resize(std::max<std::size_t>(size, grown), 0);
  }
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (pos_ >= size_ || count == 0) return 0;
  UINT n = std::min<UINT>(count, size_ - pos_);
  std::memcpy(buffer, GetData() + pos_, n);
  pos_ += n;
  return n;
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  if (static_cast<std::uint64_t>(pos_) + count > 0xFFFFFFFFu) AfxThrowMemoryException();
  DWORD endPos = pos_ + count;
  Reserve(endPos);
  BYTE* data = attached_ ? attached_ : owned_.data();
  if (pos_ > size_) std::memset(data + size_, 0, pos_ - size_);
  std::memcpy(data + pos_, buffer, count);
  pos_ = endPos;
  if (pos_ > size_) size_ = pos_;
}

LONG CMemFile::Seek(LONG offset, UINT from) {
  std::int64_t base = from == begin ? 0 : (from == current ? static_cast<std::int64_t>(pos_) : size_);
  std::int64_t target = base + offset;
  if (target < 0 || target > 0x7FFFFFFF) AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
  pos_ = static_cast<DWORD>(target);
  return static_cast<LONG>(pos_);
}

void CMemFile::SetLength(DWORD newLength) {
  if (newLength > size_) {
    Reserve(newLength);
    BYTE* data = attached_ ? attached_ : owned_.data();
    std::memset(data + size_, 0, newLength - size_);
  }
  size_ = newLength;
  if (pos_ > size_) pos_ = size_;
}

void CMemFile::Close() {
  owned_.clear();
  attached_ = nullptr;
  capacity_ = size_ = pos_ = 0;
}
