// Automation variants: a tagged value of one of the common automation
// types, as data sources hand their fields over. Only the scalar kinds, the
// string, the error code and a byte array (a picture or an embedded object
// kept in a cell; it has no archive form) are carried; the archive form is the kind (16
// bits) followed by the value in the archive's own encoding.
#pragma once

#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CString.h"
#include "platform/base/types.h"

using VARTYPE = WORD;

enum : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_UI1 = 17,
  VT_ARRAY = 0x2000,  // with VT_UI1: a byte array
};

struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  union {
    SHORT iVal;
    LONG lVal;
    float fltVal;
    double dblVal;
    long long cyVal;  // currency in ten-thousandths
    double date;
    LONG scode;
    SHORT boolVal;  // -1 true, 0 false
    BYTE bVal;
  };
  CString bstrVal;
  std::vector<BYTE> byteArray;  // the bytes of a VT_ARRAY | VT_UI1 variant
  VARIANT() : dblVal(0) {}
};

// Empties a variant (kind VT_EMPTY, string freed).
void VariantClear(VARIANT* v);
// Makes `dest` an equal copy of `source`.
void VariantCopy(VARIANT* dest, const VARIANT* source);
// Same kind and equal value.
bool VariantEquals(const VARIANT& a, const VARIANT& b);

class COleVariant : public VARIANT {
 public:
  COleVariant() = default;
  COleVariant(const VARIANT& other) { VariantCopy(this, &other); }
  COleVariant(const COleVariant& other) : VARIANT() { VariantCopy(this, &other); }
  COleVariant(LPCTSTR text) {
    vt = VT_BSTR;
    bstrVal = text;
  }
  COleVariant(LONG value, VARTYPE kind = VT_I4);
  COleVariant(double value) {
    vt = VT_R8;
    dblVal = value;
  }
  ~COleVariant() { VariantClear(this); }
  COleVariant& operator=(const VARIANT& other) {
    if (&other != this) VariantCopy(this, &other);
    return *this;
  }
  COleVariant& operator=(const COleVariant& other) { return *this = static_cast<const VARIANT&>(other); }
  void Clear() { VariantClear(this); }
};

// A kind the archive form does not carry throws the generic archive
// exception; a cut-off archive the end-of-file one.
CArchive& operator<<(CArchive& ar, const VARIANT& v);
CArchive& operator>>(CArchive& ar, VARIANT& v);
