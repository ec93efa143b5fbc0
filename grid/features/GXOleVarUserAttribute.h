// A user attribute whose value is an automation variant, for cells that
// hold fields of a data source. The variants are not allocated one by one:
// an application-wide pool hands them out and takes them back.
#pragma once

#include <list>

#include "grid/core/GXUserAttribute.h"
#include "platform/base/OleVariant.h"

// Recycles objects: Take hands out a free one (still holding its old value)
// or a new one; Release puts one back without clearing it.
template <class T>
class CGXCaptiveManager {
 public:
  CGXCaptiveManager() = default;
  CGXCaptiveManager(const CGXCaptiveManager&) = delete;
  CGXCaptiveManager& operator=(const CGXCaptiveManager&) = delete;
  ~CGXCaptiveManager() {
    for (T* object : free_) delete object;
    free_.clear();
  }
  T* Take() {
    if (free_.empty()) return new T;
    T* object = free_.front();
    free_.pop_front();
    return object;
  }
  void Release(T* object) { free_.push_back(object); }
  std::size_t GetFreeCount() const { return free_.size(); }

 private:
  std::list<T*> free_;
};

// The one pool of the program's variants.
CGXCaptiveManager<COleVariant>& GXGetVariantPool();

class CGXOleVarUserAttribute : public CGXAbstractUserAttribute {
  DECLARE_SERIAL(CGXOleVarUserAttribute)

 public:
  CGXOleVarUserAttribute() = default;
  CGXOleVarUserAttribute(const CGXOleVarUserAttribute&) = delete;
  CGXOleVarUserAttribute& operator=(const CGXOleVarUserAttribute&) = delete;
  ~CGXOleVarUserAttribute() override;

  void Serialize(CArchive& ar) override;
  // A text does not change the value.
  CGXAbstractUserAttribute& SetValue(LPCTSTR) override { return *this; }
  // The attribute has no text form.
  CString GetValue() const override { return CString(); }
  CGXAbstractUserAttribute* Clone() const override;
  // An attribute that never got a value reads as an empty variant.
  BOOL IsEmpty() const override;
  // Equal only to itself or to an attribute of the same id holding the very
  // same variant: equal values in separate variants differ.
  BOOL IsEqual(const CGXAbstractUserAttribute& other) const override;

  // Null until a value is set.
  const VARIANT* GetVariant() const { return variant_; }
  void SetValue(const VARIANT& value);

 private:
  COleVariant* variant_ = nullptr;
};
