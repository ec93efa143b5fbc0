// CObject and run-time class information.
//
// Every class declared with DECLARE_DYNAMIC / DECLARE_DYNCREATE /
// DECLARE_SERIAL carries a CRuntimeClass record: its name, object size,
// schema (0xFFFF when it cannot be archived), base class and, for the
// creatable ones, a factory. The IMPLEMENT_ macros register the record so
// that a class can be found and created by name, as the archive does when
// it reads an object.
#pragma once

#include "platform/base/types.h"

class CObject;
class CArchive;

// A schema or-ed with this flag accepts older stored schemas on reading;
// the reader asks CArchive::GetObjectSchema which one it got.
#define VERSIONABLE_SCHEMA 0x80000000u

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: not serializable
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;  // registration chain

  CObject* CreateObject() const;  // null when the class is not creatable
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;

  // Registered classes by name (exact, case-sensitive); null when unknown.
  static CRuntimeClass* FromName(LPCSTR className);
  static CObject* CreateObject(LPCSTR className);
  // Adds a class to the registry; the IMPLEMENT_ macros call it.
  static void Register(CRuntimeClass* cls);
};

struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(CRuntimeClass* cls) { CRuntimeClass::Register(cls); }
};

class CObject {
 public:
  virtual ~CObject() = default;
  virtual CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* cls) const;
  BOOL IsSerializable() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}

  static CRuntimeClass classCObject;

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)   \
 public:                              \
  static CRuntimeClass class##class_name; \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)  \
  DECLARE_DYNCREATE(class_name)     \
  friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define KESTROVA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, factory)          \
  CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                 (schema), (factory), RUNTIME_CLASS(base_class_name), \
                                                 nullptr};                                      \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }       \
  static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  KESTROVA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFFu, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                  \
  CObject* class_name::CreateObject() { return new class_name; }          \
  KESTROVA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFFu, class_name::CreateObject)

// Reading "ar >> pObject" for a serial class checks that the stored object
// is of that class or derived from it (else a bad-class archive exception).
#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                              \
  CObject* class_name::CreateObject() { return new class_name; }                           \
  KESTROVA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, (schema), class_name::CreateObject) \
  [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& object) {              \
    object = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));           \
    return ar;                                                                             \
  }
