#include "grid/features/GXOleVarUserAttribute.h"

CGXCaptiveManager<COleVariant>& GXGetVariantPool() {
  static CGXCaptiveManager<COleVariant> pool;
  return pool;
}

IMPLEMENT_SERIAL(CGXOleVarUserAttribute, CGXAbstractUserAttribute, 0)

CGXOleVarUserAttribute::~CGXOleVarUserAttribute() {
  if (variant_ != nullptr) GXGetVariantPool().Release(variant_);
}

void CGXOleVarUserAttribute::SetValue(const VARIANT& value) {
  if (variant_ != nullptr) {
    VariantClear(variant_);
  } else {
    variant_ = GXGetVariantPool().Take();
    // A recycled variant still holds the value of its last owner.
    VariantClear(variant_);
  }
  VariantCopy(variant_, &value);
}

CGXAbstractUserAttribute* CGXOleVarUserAttribute::Clone() const {
  auto* clone = new CGXOleVarUserAttribute;
  if (variant_ != nullptr) clone->SetValue(*variant_);
  return clone;
}

BOOL CGXOleVarUserAttribute::IsEmpty() const { return variant_ == nullptr || variant_->vt == VT_EMPTY; }

BOOL CGXOleVarUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const {
  if (&other == this) return TRUE;
  const auto* o = dynamic_cast<const CGXOleVarUserAttribute*>(&other);
  return o != nullptr && m_nId == o->m_nId && variant_ != nullptr && variant_ == o->variant_;
}

void CGXOleVarUserAttribute::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << (variant_ != nullptr ? static_cast<const VARIANT&>(*variant_) : VARIANT());
  } else {
    COleVariant value;
    ar >> value;
    SetValue(value);
  }
}
