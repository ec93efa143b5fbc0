// CArchive: the framework's binary archive over a CFile.
//
// Values are little-endian. Strings are counted: one length byte up to
// 254, else 0xFF and a WORD length up to 65533, else 0xFF, WORD 0xFFFF and
// a DWORD length; then the bytes, no terminator. Reading also accepts the
// wide-character form (0xFF, WORD 0xFFFE, then the length and UTF-16
// units), which it converts to Windows-1252.
//
// Objects (WriteObject/ReadObject): WORD 0 for none; a back-reference to an
// object or class already in the archive as its index (a WORD below
// 0x7FFF, else 0x7FFF and a DWORD); a class already seen as 0x8000 | index
// (or 0x7FFF and 0x80000000 | index as a DWORD); a new class as 0xFFFF,
// WORD schema, WORD name length and the name, followed by the object's own
// Serialize. Classes and objects share one index sequence starting at 1.
//
// Reading never trusts the data: a short read throws the end-of-file
// archive exception, an unknown or unexpected class the bad-class one, an
// index that does not name an earlier entry of the right kind the
// bad-index one, and a stored schema the class does not accept the
// bad-schema one.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/types.h"

class CFile;
class CDocument;

class CArchive {
 public:
  enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return loading_; }
  BOOL IsStoring() const { return !loading_; }
  BOOL IsBufferEmpty() const { return readPos_ >= readBuf_.size(); }
  CFile* GetFile() const { return file_; }

  // Raw bytes. Read returns the count read (short at the end, no throw).
  UINT Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);
  // Reads exactly count bytes or throws the end-of-file exception.
  void EnsureRead(void* buffer, UINT count);

  // Writes what is buffered to the file.
  void Flush();
  // Ends the archive: a storing one is flushed, a loading one gives back
  // the bytes it read ahead (when the file can seek).
  void Close();
  // Ends the archive without writing or throwing.
  void Abort();

  CArchive& operator<<(BYTE v);
  CArchive& operator<<(WORD v);
  CArchive& operator<<(SHORT v) { return *this << static_cast<WORD>(v); }
  CArchive& operator<<(char v) { return *this << static_cast<BYTE>(v); }
  CArchive& operator<<(std::int32_t v) { return *this << static_cast<std::uint32_t>(v); }
  CArchive& operator<<(std::uint32_t v);
  CArchive& operator<<(long long v) { return *this << static_cast<unsigned long long>(v); }
  CArchive& operator<<(unsigned long long v);
  // "long" is 64 bits here and 32 in the files: callers say which they mean.
  CArchive& operator<<(long v) = delete;
  CArchive& operator<<(unsigned long v) = delete;
  CArchive& operator<<(float v);
  CArchive& operator<<(double v);
  CArchive& operator<<(const CObject* object) {
    WriteObject(object);
    return *this;
  }

  CArchive& operator>>(BYTE& v);
  CArchive& operator>>(WORD& v);
  CArchive& operator>>(SHORT& v);
  CArchive& operator>>(char& v);
  CArchive& operator>>(std::int32_t& v);
  CArchive& operator>>(std::uint32_t& v);
  CArchive& operator>>(long long& v);
  CArchive& operator>>(unsigned long long& v);
  CArchive& operator>>(float& v);
  CArchive& operator>>(double& v);
  CArchive& operator>>(CObject*& object) {
    object = ReadObject(nullptr);
    return *this;
  }

  // Element counts: a WORD, or 0xFFFF and a DWORD.
  void WriteCount(DWORD count);
  DWORD ReadCount();
  // A count of elements that each take at least minBytes: refused (bad
  // index) when the file cannot hold that many, so that a corrupt count
  // never makes a huge allocation.
  DWORD ReadCount(UINT minBytesPerElement);

  // Counted strings (see above).
  void WriteCString(const CString& s);
  CString ReadCString();
  // A text line: WriteString writes the bytes as they are; ReadString
  // reads up to and without the next "\n" (and a CR before it).
  void WriteString(LPCTSTR text);
  BOOL ReadString(CString& line);

  void WriteObject(const CObject* object);
  // The object read, of class requested or derived from it (any class
  // when null); the caller owns a new object.
  CObject* ReadObject(const CRuntimeClass* requested);
  void WriteClass(const CRuntimeClass* cls);
  CRuntimeClass* ReadClass(const CRuntimeClass* requested = nullptr, UINT* schema = nullptr,
                           DWORD* objectTag = nullptr);
  void SerializeClass(const CRuntimeClass* cls);
  // The stored schema of the object being read (valid once, inside its
  // Serialize; (UINT)-1 afterwards).
  UINT GetObjectSchema();
  void SetObjectSchema(UINT schema) { objectSchema_ = schema; }
  // Records an object as if it had been written or read, so that later
  // references to it become back-references.
  void MapObject(const CObject* object);
  // After a collection's read failed: of the given objects, those that
  // ReadObject made since `mark` (a LoadMark taken before the read) are
  // deleted, each once, and later references to them are refused. Objects
  // the archive did not make, or made before the mark, are left alone.
  std::size_t LoadMark() const { return loadArray_.size(); }
  void FreeReadObjects(std::size_t mark, const std::vector<CObject*>& objects);

  // An object read only for what the caller copies out of it; deleted, and
  // forgotten by the archive, when the holder goes.
  class ReadCopy {
   public:
    ReadCopy(ReadCopy&& other) noexcept
        : ar_(other.ar_), mark_(other.mark_), object_(other.object_) {
      other.object_ = nullptr;
    }
    ReadCopy(const ReadCopy&) = delete;
    ReadCopy& operator=(const ReadCopy&) = delete;
    ReadCopy& operator=(ReadCopy&&) = delete;
    ~ReadCopy() {
      if (object_ != nullptr) ar_->LetGoOfReadObject(mark_, object_);
    }
    CObject* Get() const { return object_; }
    template <class T>
    T* As() const {
      return dynamic_cast<T*>(object_);
    }

   private:
    friend class CArchive;
    ReadCopy(CArchive* ar, std::size_t mark, CObject* object) : ar_(ar), mark_(mark), object_(object) {}
    CArchive* ar_;
    std::size_t mark_;
    CObject* object_;
  };
  // Reads an object whose contents the caller copies before letting it go
  // (null when none was stored). A reference back to an object read earlier
  // is refused (bad index): that object belongs to someone else and would
  // be freed under them. When the holder goes, the object is deleted (its
  // destructor frees what it holds) and the archive forgets it and every
  // object made while reading it, so a later reference to any of them is
  // refused instead of reaching freed memory.
  ReadCopy ReadObjectToCopy(const CRuntimeClass* requested);

  // Bytes left in the file after the read position, or -1 when unknown.
  std::int64_t BytesAvailable() const;

  CDocument* m_pDocument = nullptr;
  BOOL m_bForceFlat = TRUE;
  UINT m_nMode;

 private:
  [[noreturn]] void Throw(int cause) const;
  void FillFor(UINT count);
  void CheckLoading() const;
  void CheckStoring() const;
  // Forgets the objects recorded since `mark` and deletes `object`.
  void LetGoOfReadObject(std::size_t mark, CObject* object);
  void ForgetObjectsFrom(std::size_t mark);

  struct LoadEntry {
    CObject* object = nullptr;
    CRuntimeClass* cls = nullptr;
    bool made = false;  // made by ReadObject, not recorded by MapObject
  };

  CFile* file_;
  bool loading_;
  bool closed_ = false;
  std::size_t bufferSize_;
  std::vector<BYTE> writeBuf_;
  std::vector<BYTE> readBuf_;
  std::size_t readPos_ = 0;
  bool fileEnded_ = false;

  DWORD mapCount_ = 1;
  std::unordered_map<const void*, DWORD> storeMap_;  // objects and classes
  std::vector<LoadEntry> loadArray_;                 // index 0 is "none"
  std::unordered_map<const CRuntimeClass*, UINT> classSchemas_;  // as stored
  UINT objectSchema_ = static_cast<UINT>(-1);
  int readDepth_ = 0;  // objects being read inside one another
};

CArchive& operator<<(CArchive& ar, const CString& s);
CArchive& operator>>(CArchive& ar, CString& s);
