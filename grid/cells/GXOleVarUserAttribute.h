// A user attribute whose value is a variant: for the cells that keep
// binary data (a picture, an embedded object) in their style. Only the
// kinds those cells read are carried: empty, null and a byte array; any
// other kind keeps its type so that a reader can refuse it.
#pragma once

#include <optional>
#include <vector>

#include "grid/core/GXStyle.h"
#include "grid/core/GXUserAttribute.h"

using VARTYPE = unsigned short;
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_ARRAY = 0x2000;

struct GXVariant {
  VARTYPE vt = VT_EMPTY;
  std::vector<BYTE> bytes;  // the array of a VT_ARRAY | VT_UI1 variant

  bool IsByteArray() const { return vt == (VT_ARRAY | VT_UI1); }
  void Clear() {
    vt = VT_EMPTY;
    bytes.clear();
  }
  static GXVariant ByteArray(std::vector<BYTE> data) {
    GXVariant v;
    v.vt = VT_ARRAY | VT_UI1;
    v.bytes = std::move(data);
    return v;
  }
};

class CGXOleVarUserAttribute : public CGXAbstractUserAttribute {
 public:
  CGXOleVarUserAttribute() = default;
  CGXOleVarUserAttribute(const CGXOleVarUserAttribute&) = delete;
  CGXOleVarUserAttribute& operator=(const CGXOleVarUserAttribute&) = delete;

  // Set from text: no effect; as text: empty.
  CGXAbstractUserAttribute& SetValue(LPCTSTR) override { return *this; }
  CString GetValue() const override { return CString(); }
  CGXAbstractUserAttribute* Clone() const override {
    auto* copy = new CGXOleVarUserAttribute;
    if (held_) copy->SetVariant(*held_);
    return copy;
  }
  // Only the very same attribute is equal: two separate byte arrays are
  // never compared byte by byte.
  BOOL IsEqual(const CGXAbstractUserAttribute& other) const override { return &other == this; }
  BOOL IsEmpty() const override { return !held_ || held_->vt == VT_EMPTY; }

  const GXVariant* GetVariant() const { return held_ ? &*held_ : nullptr; }
  CGXOleVarUserAttribute& SetVariant(const GXVariant& value) {
    held_ = value;
    return *this;
  }

  DWORD m_dwFlag = 0;

 private:
  std::optional<GXVariant> held_;
};

// The variant a style keeps under `id`, null when it keeps none there.
inline const GXVariant* GXStyleVariant(const CGXStyle& style, WORD id) {
  if (!style.HasUserAttribute(id)) return nullptr;
  const auto* attribute = dynamic_cast<const CGXOleVarUserAttribute*>(&style.GetUserAttribute(id));
  return attribute != nullptr ? attribute->GetVariant() : nullptr;
}
