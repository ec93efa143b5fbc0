#include "platform/base/CObject.h"

#include <cstring>

namespace {

CRuntimeClass*& FirstClass() {
  static CRuntimeClass* first = nullptr;
  return first;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFFu, nullptr,
                                       nullptr, nullptr};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
    if (c == base) return TRUE;
  }
  return FALSE;
}

void CRuntimeClass::Register(CRuntimeClass* cls) {
  for (CRuntimeClass* c = FirstClass(); c != nullptr; c = c->m_pNextClass) {
    if (c == cls) return;
  }
  cls->m_pNextClass = FirstClass();
  FirstClass() = cls;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR className) {
  if (className == nullptr) return nullptr;
  for (CRuntimeClass* c = FirstClass(); c != nullptr; c = c->m_pNextClass) {
    if (std::strcmp(c->m_lpszClassName, className) == 0) return c;
  }
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR className) {
  CRuntimeClass* c = FromName(className);
  return c ? c->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFFu; }

void CObject::Serialize(CArchive&) {}
