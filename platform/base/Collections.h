// The framework's collections: the CArray / CList / CMap templates, the
// named arrays, lists and maps built on them, and the typed-pointer
// wrappers.
//
// Behaviour worth knowing:
// - Indexes out of range, positions that are null, and removals from an
//   empty list throw CInvalidArgException instead of touching memory that
//   is not there. InsertAt past the end grows the array, as SetAtGrow does.
// - A POSITION stays valid while its element stays in the collection.
//   Removing the element just returned by GetNext / GetNextAssoc is safe
//   (the position has already moved on); removing others during a walk is
//   not.
// - Maps hash into a fixed table of buckets (17 unless InitHashTable says
//   otherwise, before the first insertion) and walk bucket by bucket, the
//   newest entry of a bucket first, so the order of a walk, and with it
//   the archived order, is the same on every run for the same insertions.
// - Pointer collections never delete what they point to.
// - Serialize writes the element count (WriteCount) and then the elements:
//   numbers little-endian, strings counted, CObject pointers as archive
//   objects. Other element types need a SerializeElements specialisation.
// - Reading refuses a damaged archive without keeping half of it: when an
//   element cannot be read, the elements this read added are taken out
//   again and the objects it made for them are deleted (the pointer
//   collections never delete otherwise); a map key found twice (or already
//   in the map) throws the generic archive exception.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CObject.h"
#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"
#include "platform/base/types.h"

struct PositionTag;
using POSITION = PositionTag*;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<std::intptr_t>(-1)))

// ---- element helpers (may be specialised for a type)

template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* elements, int count) {
  if constexpr (requires(CArchive& a, TYPE& e) {
                  a << e;
                  a >> e;
                }) {
    if (ar.IsStoring()) {
      for (int i = 0; i < count; ++i) ar << elements[i];
    } else {
      for (int i = 0; i < count; ++i) ar >> elements[i];
    }
  } else {
    (void)elements;
    (void)count;
    AfxThrowNotSupportedException();
  }
}

template <class TYPE, class ARG_TYPE>
BOOL CompareElements(const TYPE* element, const ARG_TYPE* key) {
  return *element == *key;
}

inline UINT HashString(LPCTSTR key) {
  UINT hash = 0;
  if (key == nullptr) return 0;
  // Characters are signed, as the framework's hash took them.
  while (*key) hash = (hash << 5) + hash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key++)));
  return hash;
}

template <class ARG_KEY>
UINT HashKey(ARG_KEY key) {
  using K = std::remove_cvref_t<ARG_KEY>;
  if constexpr (std::is_same_v<K, CString>) {
    return HashString(key);
  } else if constexpr (std::is_same_v<K, const char*> || std::is_same_v<K, char*>) {
    return HashString(key);
  } else if constexpr (std::is_pointer_v<K>) {
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(key) >> 4);
  } else {
    return static_cast<UINT>(static_cast<std::uintptr_t>(key)) >> 4;
  }
}

namespace afx_detail {
template <class TYPE>
constexpr UINT MinArchivedSize() {
  if constexpr (std::is_arithmetic_v<TYPE>) return sizeof(TYPE);
  else if constexpr (std::is_pointer_v<TYPE>) return 2;  // an object tag
  else return 1;
}
inline void CheckIndex(int index, int size) {
  if (index < 0 || index >= size) AfxThrowInvalidArgException();
}
// A collection whose read failed keeps nothing of it: the objects the read
// made for it are freed (pointer collections never free them otherwise),
// and so are those the read made inside the archivable pointer collections
// among them.
void FreeReadObjectGraph(CArchive& ar, std::size_t mark, const std::vector<CObject*>& objects);
// The given objects and every object reachable from them through the
// archivable pointer collections (CObArray, CObList, CMapStringToOb,
// CMapWordToOb), each once, shared and cyclic references included.
std::vector<CObject*> ReachableObjects(std::vector<CObject*> objects);
template <class TYPE>
void FreeReadElements(CArchive& ar, std::size_t mark, const std::vector<TYPE>& read) {
  if constexpr (std::is_convertible_v<TYPE, CObject*>) {
    FreeReadObjectGraph(ar, mark, std::vector<CObject*>(read.begin(), read.end()));
  } else {
    (void)ar;
    (void)mark;
    (void)read;
  }
}
}  // namespace afx_detail

// ---- CArray

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  using BASE_TYPE = TYPE;
  using BASE_ARG_TYPE = ARG_TYPE;

  CArray() = default;
  CArray(const CArray&) = delete;
  CArray& operator=(const CArray&) = delete;

  int GetSize() const { return static_cast<int>(data_.size()); }
  int GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return data_.empty(); }
  int GetUpperBound() const { return GetSize() - 1; }
  void SetSize(int newSize, int growBy = -1) {
    (void)growBy;
    if (newSize < 0) AfxThrowInvalidArgException();
    try {
      data_.resize(static_cast<std::size_t>(newSize));
    } catch (const std::bad_alloc&) {
      AfxThrowMemoryException();
    } catch (const std::length_error&) {
      AfxThrowMemoryException();
    }
  }
  void FreeExtra() { data_.shrink_to_fit(); }
  void RemoveAll() { data_.clear(); }

  TYPE GetAt(int index) const {
    afx_detail::CheckIndex(index, GetSize());
    return data_[static_cast<std::size_t>(index)];
  }
  void SetAt(int index, ARG_TYPE element) {
    afx_detail::CheckIndex(index, GetSize());
    data_[static_cast<std::size_t>(index)] = element;
  }
  TYPE& ElementAt(int index) {
    afx_detail::CheckIndex(index, GetSize());
    return data_[static_cast<std::size_t>(index)];
  }
  const TYPE& ElementAt(int index) const {
    afx_detail::CheckIndex(index, GetSize());
    return data_[static_cast<std::size_t>(index)];
  }
  TYPE& operator[](int index) { return ElementAt(index); }
  const TYPE& operator[](int index) const { return ElementAt(index); }
  TYPE* GetData() { return data_.empty() ? nullptr : data_.data(); }
  const TYPE* GetData() const { return data_.empty() ? nullptr : data_.data(); }

  void SetAtGrow(int index, ARG_TYPE element) {
    if (index < 0) AfxThrowInvalidArgException();
    TYPE copy(element);  // element may live in this array
    if (index >= GetSize()) SetSize(index + 1);
    data_[static_cast<std::size_t>(index)] = std::move(copy);
  }
  int Add(ARG_TYPE element) {
    int index = GetSize();
    SetAtGrow(index, element);
    return index;
  }
  int Append(const CArray& src) {
    int old = GetSize();
    if (&src == this) {
      std::vector<TYPE> copy(data_);
      data_.insert(data_.end(), copy.begin(), copy.end());
    } else {
      data_.insert(data_.end(), src.data_.begin(), src.data_.end());
    }
    return old;
  }
  void Copy(const CArray& src) {
    if (&src != this) data_ = src.data_;
  }
  void InsertAt(int index, ARG_TYPE element, int count = 1) {
    if (index < 0 || count < 0) AfxThrowInvalidArgException();
    if (count == 0) return;
    TYPE copy(element);
    if (index > GetSize()) SetSize(index);
    try {
      data_.insert(data_.begin() + index, static_cast<std::size_t>(count), copy);
    } catch (const std::bad_alloc&) {
      AfxThrowMemoryException();
    }
  }
  void InsertAt(int startIndex, CArray* newArray) {
    if (newArray == nullptr || startIndex < 0) AfxThrowInvalidArgException();
    std::vector<TYPE> copy(newArray->data_);
    if (startIndex > GetSize()) SetSize(startIndex);
    data_.insert(data_.begin() + startIndex, copy.begin(), copy.end());
  }
  void RemoveAt(int index, int count = 1) {
    if (index < 0 || count < 0 || index + static_cast<long long>(count) > GetSize()) {
      AfxThrowInvalidArgException();
    }
    data_.erase(data_.begin() + index, data_.begin() + index + count);
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(data_.size()));
      SerializeElements<TYPE>(ar, GetData(), GetSize());
      return;
    }
    std::size_t mark = ar.LoadMark();
    DWORD count = ar.ReadCount(afx_detail::MinArchivedSize<TYPE>());
    if (count > 0x7FFFFFFFu) AfxThrowArchiveException(CArchiveException::badIndex);
    SetSize(static_cast<int>(count));
    try {
      SerializeElements<TYPE>(ar, GetData(), GetSize());
    } catch (...) {
      afx_detail::FreeReadElements(ar, mark, data_);
      data_.clear();
      throw;
    }
  }

 protected:
  std::vector<TYPE> data_;
};

// ---- CList

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
  struct Node {
    Node* next;
    Node* prev;
    TYPE data;
  };

 public:
  using BASE_TYPE = TYPE;
  using BASE_ARG_TYPE = ARG_TYPE;

  explicit CList(int blockSize = 10) { (void)blockSize; }
  ~CList() override { RemoveAll(); }
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;

  int GetCount() const { return count_; }
  int GetSize() const { return count_; }
  BOOL IsEmpty() const { return count_ == 0; }

  TYPE& GetHead() { return NonEmpty(head_)->data; }
  const TYPE& GetHead() const { return NonEmpty(head_)->data; }
  TYPE& GetTail() { return NonEmpty(tail_)->data; }
  const TYPE& GetTail() const { return NonEmpty(tail_)->data; }

  TYPE RemoveHead() {
    Node* n = NonEmpty(head_);
    TYPE value = std::move(n->data);
    Unlink(n);
    return value;
  }
  TYPE RemoveTail() {
    Node* n = NonEmpty(tail_);
    TYPE value = std::move(n->data);
    Unlink(n);
    return value;
  }
  POSITION AddHead(ARG_TYPE element) { return Pos(LinkBefore(head_, element)); }
  POSITION AddTail(ARG_TYPE element) { return Pos(LinkAfter(tail_, element)); }
  void AddHead(CList* other) {
    if (other == nullptr) AfxThrowInvalidArgException();
    std::vector<TYPE> copy = other->Values();
    for (auto it = copy.rbegin(); it != copy.rend(); ++it) AddHead(*it);
  }
  void AddTail(CList* other) {
    if (other == nullptr) AfxThrowInvalidArgException();
    std::vector<TYPE> copy = other->Values();
    for (const TYPE& v : copy) AddTail(v);
  }
  void RemoveAll() {
    Node* n = head_;
    while (n) {
      Node* next = n->next;
      delete n;
      n = next;
    }
    head_ = tail_ = nullptr;
    count_ = 0;
  }

  POSITION GetHeadPosition() const { return Pos(head_); }
  POSITION GetTailPosition() const { return Pos(tail_); }
  TYPE& GetNext(POSITION& pos) {
    Node* n = At(pos);
    pos = Pos(n->next);
    return n->data;
  }
  const TYPE& GetNext(POSITION& pos) const {
    Node* n = At(pos);
    pos = Pos(n->next);
    return n->data;
  }
  TYPE& GetPrev(POSITION& pos) {
    Node* n = At(pos);
    pos = Pos(n->prev);
    return n->data;
  }
  const TYPE& GetPrev(POSITION& pos) const {
    Node* n = At(pos);
    pos = Pos(n->prev);
    return n->data;
  }
  TYPE& GetAt(POSITION pos) { return At(pos)->data; }
  const TYPE& GetAt(POSITION pos) const { return At(pos)->data; }
  void SetAt(POSITION pos, ARG_TYPE element) { At(pos)->data = element; }
  void RemoveAt(POSITION pos) { Unlink(At(pos)); }
  // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
  POSITION InsertBefore(POSITION pos, ARG_TYPE element) {
    return Pos(LinkBefore(pos ? At(pos) : head_, element));
  }
  POSITION InsertAfter(POSITION pos, ARG_TYPE element) {
    return Pos(LinkAfter(pos ? At(pos) : tail_, element));
  }

  POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
    Node* n = startAfter ? At(startAfter)->next : head_;
    for (; n; n = n->next) {
      if (CompareElements<TYPE, TYPE>(&n->data, &value)) return Pos(n);
    }
    return nullptr;
  }
  POSITION FindIndex(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    Node* n = head_;
    while (index-- > 0) n = n->next;
    return Pos(n);
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(count_));
      for (Node* n = head_; n; n = n->next) SerializeElements<TYPE>(ar, &n->data, 1);
    } else {
      std::size_t mark = ar.LoadMark();
      DWORD count = ar.ReadCount(afx_detail::MinArchivedSize<TYPE>());
      std::vector<TYPE> read;
      try {
        while (count-- > 0) {
          TYPE value{};
          SerializeElements<TYPE>(ar, &value, 1);
          AddTail(value);
          read.push_back(value);
        }
      } catch (...) {
        for (std::size_t i = 0; i < read.size(); ++i) RemoveTail();
        afx_detail::FreeReadElements(ar, mark, read);
        throw;
      }
    }
  }

 private:
  static POSITION Pos(Node* n) { return reinterpret_cast<POSITION>(n); }
  static Node* At(POSITION pos) {
    if (pos == nullptr) AfxThrowInvalidArgException();
    return reinterpret_cast<Node*>(pos);
  }
  static Node* NonEmpty(Node* n) {
    if (n == nullptr) AfxThrowInvalidArgException();
    return n;
  }
  std::vector<TYPE> Values() const {
    std::vector<TYPE> v;
    for (Node* n = head_; n; n = n->next) v.push_back(n->data);
    return v;
  }
  Node* LinkBefore(Node* at, ARG_TYPE element) {
    Node* n = new Node{at, at ? at->prev : nullptr, TYPE(element)};
    if (at) {
      if (at->prev) at->prev->next = n;
      else head_ = n;
      at->prev = n;
    } else {  // empty list
      head_ = tail_ = n;
    }
    ++count_;
    return n;
  }
  Node* LinkAfter(Node* at, ARG_TYPE element) {
    Node* n = new Node{at ? at->next : nullptr, at, TYPE(element)};
    if (at) {
      if (at->next) at->next->prev = n;
      else tail_ = n;
      at->next = n;
    } else {
      head_ = tail_ = n;
    }
    ++count_;
    return n;
  }
  void Unlink(Node* n) {
    if (n->prev) n->prev->next = n->next;
    else head_ = n->next;
    if (n->next) n->next->prev = n->prev;
    else tail_ = n->prev;
    delete n;
    --count_;
  }

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  int count_ = 0;
};

// ---- CMap

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
  struct Assoc {
    Assoc* next;
    UINT hash;  // full hash value; the bucket is hash % table size
    KEY key;
    VALUE value;
  };

 public:
  using BASE_KEY = KEY;
  using BASE_ARG_KEY = ARG_KEY;
  using BASE_VALUE = VALUE;
  using BASE_ARG_VALUE = ARG_VALUE;

  explicit CMap(int blockSize = 10) { (void)blockSize; }
  ~CMap() override { RemoveAll(); }
  CMap(const CMap&) = delete;
  CMap& operator=(const CMap&) = delete;

  int GetCount() const { return count_; }
  int GetSize() const { return count_; }
  BOOL IsEmpty() const { return count_ == 0; }
  UINT GetHashTableSize() const { return tableSize_; }
  // Sets the number of buckets; ignored once the map holds entries (the
  // order of a walk must not change under its feet).
  void InitHashTable(UINT hashSize, BOOL allocNow = TRUE) {
    if (count_ != 0 || hashSize == 0) return;
    table_.clear();
    tableSize_ = hashSize;
    if (allocNow) table_.assign(tableSize_, nullptr);
  }

  BOOL Lookup(ARG_KEY key, VALUE& value) const {
    UINT hash;
    Assoc* a = Find(key, hash);
    if (a == nullptr) return FALSE;
    value = a->value;
    return TRUE;
  }
  VALUE& operator[](ARG_KEY key) {
    UINT hash;
    Assoc* a = Find(key, hash);
    if (a == nullptr) {
      if (table_.empty()) table_.assign(tableSize_, nullptr);
      a = new Assoc{table_[hash % tableSize_], hash, KEY(key), VALUE()};
      table_[hash % tableSize_] = a;
      ++count_;
    }
    return a->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
  BOOL RemoveKey(ARG_KEY key) {
    if (table_.empty()) return FALSE;
    UINT hash = HashKey<ARG_KEY>(key);
    Assoc** link = &table_[hash % tableSize_];
    for (Assoc* a = *link; a; link = &a->next, a = a->next) {
      if (CompareElements<KEY, ARG_KEY>(&a->key, &key)) {
        *link = a->next;
        delete a;
        --count_;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (Assoc*& head : table_) {
      Assoc* a = head;
      while (a) {
        Assoc* next = a->next;
        delete a;
        a = next;
      }
      head = nullptr;
    }
    table_.clear();
    count_ = 0;
  }

  POSITION GetStartPosition() const { return count_ == 0 ? nullptr : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
    if (pos == nullptr || table_.empty()) AfxThrowInvalidArgException();
    Assoc* a = pos == BEFORE_START_POSITION ? NextFrom(0) : reinterpret_cast<Assoc*>(pos);
    if (a == nullptr) AfxThrowInvalidArgException();
    Assoc* next = a->next ? a->next : NextFrom(a->hash % tableSize_ + 1);
    pos = reinterpret_cast<POSITION>(next);
    key = a->key;
    value = a->value;
  }

  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(count_));
      for (Assoc* a = NextFrom(0); a; a = a->next ? a->next : NextFrom(a->hash % tableSize_ + 1)) {
        SerializeElements<KEY>(ar, &a->key, 1);
        SerializeElements<VALUE>(ar, &a->value, 1);
      }
    } else {
      std::size_t mark = ar.LoadMark();
      DWORD count = ar.ReadCount(afx_detail::MinArchivedSize<KEY>() + afx_detail::MinArchivedSize<VALUE>());
      std::vector<KEY> keys;
      std::vector<VALUE> values;
      try {
        while (count-- > 0) {
          KEY key{};
          VALUE value{};
          SerializeElements<KEY>(ar, &key, 1);
          SerializeElements<VALUE>(ar, &value, 1);
          values.push_back(value);
          // A key twice is a damaged file: the second would silently
          // replace the first.
          UINT hash = 0;
          if (Find(key, hash) != nullptr) AfxThrowArchiveException(CArchiveException::genericException);
          (*this)[key] = value;
          keys.push_back(key);
        }
      } catch (...) {
        for (const KEY& key : keys) RemoveKey(key);
        afx_detail::FreeReadElements(ar, mark, values);
        throw;
      }
    }
  }

 private:
  Assoc* Find(ARG_KEY key, UINT& hash) const {
    hash = HashKey<ARG_KEY>(key);
    if (table_.empty()) return nullptr;
    for (Assoc* a = table_[hash % tableSize_]; a; a = a->next) {
      if (CompareElements<KEY, ARG_KEY>(&a->key, &key)) return a;
    }
    return nullptr;
  }
  Assoc* NextFrom(UINT bucket) const {
    for (; bucket < table_.size(); ++bucket) {
      if (table_[bucket]) return table_[bucket];
    }
    return nullptr;
  }

  std::vector<Assoc*> table_;
  UINT tableSize_ = 17;
  int count_ = 0;
};

// ---- named collections
// The serial ones can be archived as objects (schema 0); the pointer ones
// only carry run-time class information.

class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)

 public:
  using CArray<BYTE, BYTE>::CArray;
};

class CWordArray : public CArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)

 public:
  using CArray<WORD, WORD>::CArray;
};

class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)

 public:
  using CArray<DWORD, DWORD>::CArray;
};

class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)

 public:
  using CArray<UINT, UINT>::CArray;
};

class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)

 public:
  using CArray<void*, void*>::CArray;
};

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)

 public:
  using CArray<CObject*, CObject*>::CArray;
};

class CStringArray : public CArray<CString, const CString&> {
  DECLARE_SERIAL(CStringArray)

 public:
  using CArray<CString, const CString&>::CArray;
};

class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)

 public:
  using CList<void*, void*>::CList;
};

class CObList : public CList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)

 public:
  using CList<CObject*, CObject*>::CList;
};

class CStringList : public CList<CString, const CString&> {
  DECLARE_SERIAL(CStringList)

 public:
  using CList<CString, const CString&>::CList;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)

 public:
  using CMap<CString, LPCTSTR, void*, void*>::CMap;
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
  DECLARE_SERIAL(CMapStringToOb)

 public:
  using CMap<CString, LPCTSTR, CObject*, CObject*>::CMap;
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
  DECLARE_SERIAL(CMapStringToString)

 public:
  using CMap<CString, LPCTSTR, CString, LPCTSTR>::CMap;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
  DECLARE_DYNAMIC(CMapPtrToPtr)

 public:
  using CMap<void*, void*, void*, void*>::CMap;
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
  DECLARE_DYNAMIC(CMapPtrToWord)

 public:
  using CMap<void*, void*, WORD, WORD>::CMap;
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
  DECLARE_DYNAMIC(CMapWordToPtr)

 public:
  using CMap<WORD, WORD, void*, void*>::CMap;
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
  DECLARE_SERIAL(CMapWordToOb)

 public:
  using CMap<WORD, WORD, CObject*, CObject*>::CMap;
};

// ---- typed pointer wrappers

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
  using Base = typename BASE_CLASS::BASE_TYPE;

 public:
  TYPE GetAt(int index) const { return static_cast<TYPE>(BASE_CLASS::GetAt(index)); }
  TYPE& ElementAt(int index) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(index)); }
  void SetAt(int index, TYPE ptr) { BASE_CLASS::SetAt(index, ptr); }
  void SetAtGrow(int index, TYPE ptr) { BASE_CLASS::SetAtGrow(index, ptr); }
  int Add(TYPE ptr) { return BASE_CLASS::Add(ptr); }
  int Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
  void InsertAt(int index, TYPE ptr, int count = 1) { BASE_CLASS::InsertAt(index, ptr, count); }
  void InsertAt(int startIndex, CTypedPtrArray* newArray) { BASE_CLASS::InsertAt(startIndex, newArray); }
  TYPE& operator[](int index) { return ElementAt(index); }
  TYPE operator[](int index) const { return GetAt(index); }
  TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  explicit CTypedPtrList(int blockSize = 10) : BASE_CLASS(blockSize) {}

  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  POSITION AddHead(TYPE ptr) { return BASE_CLASS::AddHead(ptr); }
  POSITION AddTail(TYPE ptr) { return BASE_CLASS::AddTail(ptr); }
  void AddHead(CTypedPtrList* other) { BASE_CLASS::AddHead(other); }
  void AddTail(CTypedPtrList* other) { BASE_CLASS::AddTail(other); }
  TYPE& GetNext(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(pos)); }
  TYPE GetNext(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetNext(pos)); }
  TYPE& GetPrev(POSITION& pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(pos)); }
  TYPE GetPrev(POSITION& pos) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(pos)); }
  TYPE& GetAt(POSITION pos) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(pos)); }
  TYPE GetAt(POSITION pos) const { return static_cast<TYPE>(BASE_CLASS::GetAt(pos)); }
  void SetAt(POSITION pos, TYPE ptr) { BASE_CLASS::SetAt(pos, ptr); }
  POSITION InsertBefore(POSITION pos, TYPE ptr) { return BASE_CLASS::InsertBefore(pos, ptr); }
  POSITION InsertAfter(POSITION pos, TYPE ptr) { return BASE_CLASS::InsertAfter(pos, ptr); }
  POSITION Find(TYPE ptr, POSITION startAfter = nullptr) const { return BASE_CLASS::Find(ptr, startAfter); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
  using BaseKey = typename BASE_CLASS::BASE_KEY;
  using BaseValue = typename BASE_CLASS::BASE_VALUE;

 public:
  explicit CTypedPtrMap(int blockSize = 10) : BASE_CLASS(blockSize) {}

  BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& value) const {
    BaseValue v{};
    if (!BASE_CLASS::Lookup(key, v)) return FALSE;
    value = (VALUE)v;
    return TRUE;
  }
  VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) {
    return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
  }
  void SetAt(KEY key, VALUE value) { BASE_CLASS::SetAt((typename BASE_CLASS::BASE_ARG_KEY)key, value); }
  BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey((typename BASE_CLASS::BASE_ARG_KEY)key); }
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
    BaseKey k{};
    BaseValue v{};
    BASE_CLASS::GetNextAssoc(pos, k, v);
    key = (KEY)k;
    value = (VALUE)v;
  }
};
