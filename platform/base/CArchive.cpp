#include "platform/base/CArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <unordered_set>

#include "platform/base/CFile.h"
#include "platform/base/Codepage.h"

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
// Objects read inside objects: deeper nesting is a damaged file, and
// following it would run the stack out.
constexpr int kMaxReadDepth = 64;
constexpr UINT kMaxClassName = 64;

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void*)
    : m_nMode(mode),
      file_(file),
      loading_((mode & load) != 0),
      bufferSize_(bufferSize < 128 ? 128 : static_cast<std::size_t>(bufferSize)) {
  if (file_ == nullptr) AfxThrowInvalidArgException();
  loadArray_.emplace_back();  // index 0: no object
}

CArchive::~CArchive() {
  if (closed_) return;
  if (!loading_ && (m_nMode & bNoFlushOnDelete)) {
    Abort();
    return;
  }
  try {
    Close();
  } catch (CException* e) {
    e->Delete();
  }
}

void CArchive::Throw(int cause) const {
  AfxThrowArchiveException(cause, file_ ? static_cast<LPCTSTR>(file_->GetFilePath()) : nullptr);
}

void CArchive::CheckLoading() const {
  if (!loading_) Throw(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const {
  if (loading_) Throw(CArchiveException::readOnly);
}

std::int64_t CArchive::BytesAvailable() const {
  std::int64_t buffered = static_cast<std::int64_t>(readBuf_.size() - readPos_);
  if (!loading_ || fileEnded_) return buffered;
  try {
    std::int64_t length = file_->GetLength();
    std::int64_t pos = file_->GetPosition();
    return buffered + std::max<std::int64_t>(0, length - pos);
  } catch (CException* e) {
    e->Delete();
    return -1;
  }
}

void CArchive::FillFor(UINT count) {
  CheckLoading();
  std::size_t have = readBuf_.size() - readPos_;
  if (have >= count) return;
  if (readPos_ > 0) {
    readBuf_.erase(readBuf_.begin(), readBuf_.begin() + static_cast<std::ptrdiff_t>(readPos_));
    readPos_ = 0;
  }
  while (readBuf_.size() < count && !fileEnded_) {
    std::size_t want = std::max<std::size_t>(bufferSize_, count - readBuf_.size());
    std::size_t old = readBuf_.size();
    readBuf_.resize(old + want);
    UINT n = file_->Read(readBuf_.data() + old, static_cast<UINT>(want));
    readBuf_.resize(old + n);
    if (n == 0) fileEnded_ = true;
  }
  if (readBuf_.size() < count) Throw(CArchiveException::endOfFile);
}

UINT CArchive::Read(void* buffer, UINT count) {
  CheckLoading();
  if (count == 0) return 0;
  BYTE* out = static_cast<BYTE*>(buffer);
  UINT fromBuffer = static_cast<UINT>(std::min<std::size_t>(count, readBuf_.size() - readPos_));
  if (fromBuffer) std::memcpy(out, readBuf_.data() + readPos_, fromBuffer);
  readPos_ += fromBuffer;
  UINT done = fromBuffer;
  if (done < count && !fileEnded_) {
    UINT n = file_->Read(out + done, count - done);
    if (n < count - done) fileEnded_ = true;
    done += n;
  }
  return done;
}

void CArchive::EnsureRead(void* buffer, UINT count) {
  if (Read(buffer, count) != count) Throw(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, UINT count) {
  CheckStoring();
  if (count == 0) return;
  const BYTE* in = static_cast<const BYTE*>(buffer);
  writeBuf_.insert(writeBuf_.end(), in, in + count);
  if (writeBuf_.size() >= bufferSize_) Flush();
}

void CArchive::Flush() {
  if (loading_) {
    std::size_t unread = readBuf_.size() - readPos_;
    readBuf_.clear();
    readPos_ = 0;
    if (unread) file_->Seek(-static_cast<LONG>(unread), CFile::current);
    fileEnded_ = false;
    return;
  }
  if (writeBuf_.empty()) return;
  std::vector<BYTE> out;
  out.swap(writeBuf_);
  file_->Write(out.data(), static_cast<UINT>(out.size()));
}

void CArchive::Close() {
  if (closed_) return;
  closed_ = true;
  if (loading_) {
    try {
      Flush();
    } catch (CException* e) {  // a file that cannot seek keeps its position
      e->Delete();
    }
  } else {
    Flush();
  }
}

void CArchive::Abort() {
  closed_ = true;
  writeBuf_.clear();
  readBuf_.clear();
  readPos_ = 0;
}

// ---- primitive values

CArchive& CArchive::operator<<(BYTE v) {
  Write(&v, 1);
  return *this;
}

CArchive& CArchive::operator<<(WORD v) {
  BYTE b[2] = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8)};
  Write(b, 2);
  return *this;
}

CArchive& CArchive::operator<<(std::uint32_t v) {
  BYTE b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<BYTE>(v >> (8 * i));
  Write(b, 4);
  return *this;
}

CArchive& CArchive::operator<<(unsigned long long v) {
  BYTE b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<BYTE>(v >> (8 * i));
  Write(b, 8);
  return *this;
}

CArchive& CArchive::operator<<(float v) { return *this << std::bit_cast<std::uint32_t>(v); }
CArchive& CArchive::operator<<(double v) { return *this << static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v)); }

CArchive& CArchive::operator>>(BYTE& v) {
  FillFor(1);
  v = readBuf_[readPos_++];
  return *this;
}

CArchive& CArchive::operator>>(WORD& v) {
  FillFor(2);
  v = static_cast<WORD>(readBuf_[readPos_] | (readBuf_[readPos_ + 1] << 8));
  readPos_ += 2;
  return *this;
}

CArchive& CArchive::operator>>(std::uint32_t& v) {
  FillFor(4);
  v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | readBuf_[readPos_ + static_cast<std::size_t>(i)];
  readPos_ += 4;
  return *this;
}

CArchive& CArchive::operator>>(unsigned long long& v) {
  FillFor(8);
  v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | readBuf_[readPos_ + static_cast<std::size_t>(i)];
  readPos_ += 8;
  return *this;
}

CArchive& CArchive::operator>>(SHORT& v) {
  WORD w;
  *this >> w;
  v = static_cast<SHORT>(w);
  return *this;
}

CArchive& CArchive::operator>>(char& v) {
  BYTE b;
  *this >> b;
  v = static_cast<char>(b);
  return *this;
}

CArchive& CArchive::operator>>(std::int32_t& v) {
  std::uint32_t u;
  *this >> u;
  v = static_cast<std::int32_t>(u);
  return *this;
}

CArchive& CArchive::operator>>(long long& v) {
  unsigned long long u;
  *this >> u;
  v = static_cast<long long>(u);
  return *this;
}

CArchive& CArchive::operator>>(float& v) {
  std::uint32_t u;
  *this >> u;
  v = std::bit_cast<float>(u);
  return *this;
}

CArchive& CArchive::operator>>(double& v) {
  unsigned long long u;
  *this >> u;
  v = std::bit_cast<double>(static_cast<std::uint64_t>(u));
  return *this;
}

// ---- counts and strings

void CArchive::WriteCount(DWORD count) {
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
  } else {
    *this << static_cast<WORD>(0xFFFF);
    *this << count;
  }
}

DWORD CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD d;
  *this >> d;
  return d;
}

DWORD CArchive::ReadCount(UINT minBytesPerElement) {
  DWORD count = ReadCount();
  std::int64_t available = BytesAvailable();
  if (available >= 0 && minBytesPerElement > 0 &&
      static_cast<std::int64_t>(count) * minBytesPerElement > available) {
    Throw(CArchiveException::endOfFile);
  }
  return count;
}

void CArchive::WriteCString(const CString& s) {
  DWORD len = static_cast<DWORD>(s.GetLength());
  if (len < 255) {
    *this << static_cast<BYTE>(len);
  } else if (len < 0xFFFE) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(len);
  } else {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << len;
  }
  Write(s.GetString(), len);
}

CString CArchive::ReadCString() {
  bool wide = false;
  DWORD len;
  for (;;) {
    BYTE b;
    *this >> b;
    if (b < 0xFF) {
      len = b;
      break;
    }
    WORD w;
    *this >> w;
    if (w == 0xFFFE && !wide) {  // wide-character marker: the length follows
      wide = true;
      continue;
    }
    if (w == 0xFFFF) {
      *this >> len;
    } else {
      len = w;
    }
    break;
  }
  std::uint64_t bytes = static_cast<std::uint64_t>(len) * (wide ? 2 : 1);
  std::int64_t available = BytesAvailable();
  if (available >= 0 && static_cast<std::int64_t>(bytes) > available) Throw(CArchiveException::endOfFile);
  std::string raw;
  while (raw.size() < bytes) {
    std::size_t chunk = std::min<std::uint64_t>(bytes - raw.size(), 1u << 16);
    std::size_t old = raw.size();
    raw.resize(old + chunk);
    EnsureRead(raw.data() + old, static_cast<UINT>(chunk));
  }
  if (!wide) return CString(std::move(raw));
  // UTF-16 little-endian to Windows-1252; characters it cannot hold are
  // dropped.
  std::string out;
  for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
    char32_t u = static_cast<BYTE>(raw[i]) | (static_cast<BYTE>(raw[i + 1]) << 8);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < raw.size()) {
      char32_t lo = static_cast<BYTE>(raw[i + 2]) | (static_cast<BYTE>(raw[i + 3]) << 8);
      if (lo >= 0xDC00 && lo < 0xE000) {
        u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
        i += 2;
      }
    }
    int c = UnicodeToCp1252(u);
    if (c >= 0) out += static_cast<char>(c);
  }
  return CString(std::move(out));
}

void CArchive::WriteString(LPCTSTR text) {
  if (text) Write(text, static_cast<UINT>(std::strlen(text)));
}

BOOL CArchive::ReadString(CString& line) {
  std::string s;
  BYTE b;
  bool any = false;
  while (Read(&b, 1) == 1) {
    any = true;
    if (b == '\n') break;
    s += static_cast<char>(b);
  }
  if (!s.empty() && s.back() == '\r') s.pop_back();
  line = s;
  return any ? TRUE : FALSE;
}

CArchive& operator<<(CArchive& ar, const CString& s) {
  ar.WriteCString(s);
  return ar;
}

CArchive& operator>>(CArchive& ar, CString& s) {
  s = ar.ReadCString();
  return ar;
}

// ---- objects

void CArchive::WriteClass(const CRuntimeClass* cls) {
  CheckStoring();
  if (cls == nullptr || (cls->m_wSchema & 0xFFFFu) == 0xFFFFu) AfxThrowNotSupportedException();
  auto it = storeMap_.find(cls);
  if (it != storeMap_.end()) {
    DWORD index = it->second;
    if (index < kBigObjectTag) {
      *this << static_cast<WORD>(kClassTag | index);
    } else {
      *this << kBigObjectTag << static_cast<DWORD>(kBigClassTag | index);
    }
    return;
  }
  std::size_t nameLen = std::strlen(cls->m_lpszClassName);
  if (nameLen >= kMaxClassName) AfxThrowNotSupportedException();
  *this << kNewClassTag;
  *this << static_cast<WORD>(cls->m_wSchema & 0xFFFFu);
  *this << static_cast<WORD>(nameLen);
  Write(cls->m_lpszClassName, static_cast<UINT>(nameLen));
  if (mapCount_ >= kMaxMapCount) Throw(CArchiveException::badIndex);
  storeMap_[cls] = mapCount_++;
}

void CArchive::WriteObject(const CObject* object) {
  CheckStoring();
  if (object == nullptr) {
    *this << kNullTag;
    return;
  }
  auto it = storeMap_.find(object);
  if (it != storeMap_.end()) {
    DWORD index = it->second;
    if (index < kBigObjectTag) {
      *this << static_cast<WORD>(index);
    } else {
      *this << kBigObjectTag << index;
    }
    return;
  }
  WriteClass(object->GetRuntimeClass());
  if (mapCount_ >= kMaxMapCount) Throw(CArchiveException::badIndex);
  storeMap_[object] = mapCount_++;
  const_cast<CObject*>(object)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objectTag) {
  CheckLoading();
  WORD tag;
  *this >> tag;
  DWORD obTag;
  if (tag == kBigObjectTag) {
    *this >> obTag;
  } else {
    obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
  }
  if (objectTag) *objectTag = obTag;
  if (tag != kNewClassTag && !(obTag & kBigClassTag)) {
    // An object tag: ReadObject resolves it; anybody else expected a class.
    if (objectTag) return nullptr;
    Throw(CArchiveException::badClass);
  }

  CRuntimeClass* cls;
  UINT stored;
  if (tag == kNewClassTag) {
    WORD storedSchema, nameLen;
    *this >> storedSchema >> nameLen;
    if (nameLen >= kMaxClassName) Throw(CArchiveException::badClass);
    char name[kMaxClassName + 1] = {};
    EnsureRead(name, nameLen);
    cls = CRuntimeClass::FromName(name);
    if (cls == nullptr || (cls->m_wSchema & 0xFFFFu) == 0xFFFFu) Throw(CArchiveException::badClass);
    stored = storedSchema;
    if ((cls->m_wSchema & ~VERSIONABLE_SCHEMA) != stored && !(cls->m_wSchema & VERSIONABLE_SCHEMA)) {
      Throw(CArchiveException::badSchema);
    }
    if (mapCount_ >= kMaxMapCount) Throw(CArchiveException::badIndex);
    LoadEntry entry;
    entry.cls = cls;
    loadArray_.push_back(entry);
    ++mapCount_;
    classSchemas_[cls] = stored;
  } else {
    DWORD index = obTag & ~kBigClassTag;
    if (index == 0 || index >= loadArray_.size() || loadArray_[index].cls == nullptr) {
      Throw(CArchiveException::badIndex);
    }
    cls = loadArray_[index].cls;
    stored = classSchemas_[cls];
  }
  if (requested && !cls->IsDerivedFrom(requested)) Throw(CArchiveException::badClass);
  if (schema) *schema = stored;
  return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested) {
  UINT schema = 0;
  DWORD obTag = 0;
  CRuntimeClass* cls = ReadClass(requested, &schema, &obTag);
  if (cls == nullptr) {
    if (obTag >= loadArray_.size()) Throw(CArchiveException::badIndex);
    const LoadEntry& entry = loadArray_[obTag];
    if (obTag != 0 && entry.object == nullptr) Throw(CArchiveException::badIndex);  // a class or a failed object
    CObject* object = entry.object;
    if (object && requested && !object->IsKindOf(requested)) Throw(CArchiveException::badClass);
    return object;
  }
  if (readDepth_ >= kMaxReadDepth) Throw(CArchiveException::badIndex);
  CObject* object = cls->CreateObject();
  if (object == nullptr) Throw(CArchiveException::badClass);
  std::size_t slot = loadArray_.size();
  LoadEntry entry;
  entry.object = object;
  entry.made = true;
  loadArray_.push_back(entry);
  ++mapCount_;
  objectSchema_ = schema;
  ++readDepth_;
  try {
    object->Serialize(*this);
  } catch (...) {
    // The object is half read: nobody outside its own reading holds it,
    // so it goes, and later references to it are refused.
    // What it made inside itself went with it (or is now nobody's): those
    // are forgotten as well.
    --readDepth_;
    ForgetObjectsFrom(slot);
    delete object;
    objectSchema_ = static_cast<UINT>(-1);
    throw;
  }
  --readDepth_;
  objectSchema_ = static_cast<UINT>(-1);
  return object;
}

CArchive::ReadCopy CArchive::ReadObjectToCopy(const CRuntimeClass* requested) {
  const std::size_t mark = loadArray_.size();
  CObject* object = ReadObject(requested);
  // A back-reference adds nothing to the load array.
  if (object != nullptr && loadArray_.size() == mark) Throw(CArchiveException::badIndex);
  return ReadCopy(this, mark, object);
}

void CArchive::ForgetObjectsFrom(std::size_t mark) {
  for (std::size_t i = mark; i < loadArray_.size(); ++i) loadArray_[i].object = nullptr;
}

void CArchive::LetGoOfReadObject(std::size_t mark, CObject* object) {
  ForgetObjectsFrom(mark);
  delete object;
}

void CArchive::FreeReadObjects(std::size_t mark, const std::vector<CObject*>& objects) {
  std::unordered_set<const CObject*> wanted(objects.begin(), objects.end());
  for (std::size_t i = mark; i < loadArray_.size(); ++i) {
    LoadEntry& entry = loadArray_[i];
    if (!entry.made || entry.object == nullptr || wanted.count(entry.object) == 0) continue;
    delete entry.object;
    entry.object = nullptr;
  }
}

void CArchive::SerializeClass(const CRuntimeClass* cls) {
  if (IsStoring()) WriteClass(cls);
  else ReadClass(cls);
}

UINT CArchive::GetObjectSchema() {
  UINT schema = objectSchema_;
  objectSchema_ = static_cast<UINT>(-1);
  return schema;
}

void CArchive::MapObject(const CObject* object) {
  if (object == nullptr) return;
  if (IsStoring()) {
    if (storeMap_.count(object) == 0) storeMap_[object] = mapCount_++;
  } else {
    LoadEntry entry;
    entry.object = const_cast<CObject*>(object);
    loadArray_.push_back(entry);
    ++mapCount_;
  }
}
