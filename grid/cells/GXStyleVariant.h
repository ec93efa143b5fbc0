// Byte arrays kept in a cell style's variant attribute (a picture, an
// embedded object).
#pragma once

#include <vector>

#include "grid/core/GXStyle.h"
#include "grid/features/GXOleVarUserAttribute.h"

inline bool GXIsByteArray(const VARIANT& v) { return v.vt == (VT_ARRAY | VT_UI1); }

inline COleVariant GXByteArrayVariant(std::vector<BYTE> bytes) {
  COleVariant v;
  v.vt = VT_ARRAY | VT_UI1;
  v.byteArray = std::move(bytes);
  return v;
}

// The variant a style keeps under `id`, null when it keeps none there.
inline const VARIANT* GXStyleVariant(const CGXStyle& style, WORD id) {
  if (!style.HasUserAttribute(id)) return nullptr;
  const auto* attribute = dynamic_cast<const CGXOleVarUserAttribute*>(&style.GetUserAttribute(id));
  return attribute != nullptr ? attribute->GetVariant() : nullptr;
}
