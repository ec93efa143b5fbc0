#include "platform/base/OleVariant.h"

#include "platform/base/Exceptions.h"

void VariantClear(VARIANT* v) {
  v->vt = VT_EMPTY;
  v->dblVal = 0;
  v->bstrVal.Empty();
  v->byteArray.clear();
}

void VariantCopy(VARIANT* dest, const VARIANT* source) {
  if (dest == source) return;
  dest->vt = source->vt;
  dest->cyVal = source->cyVal;  // the widest member carries every scalar
  dest->bstrVal = source->bstrVal;
  dest->byteArray = source->byteArray;
}

bool VariantEquals(const VARIANT& a, const VARIANT& b) {
  if (a.vt != b.vt) return false;
  switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_I2: return a.iVal == b.iVal;
    case VT_BOOL: return a.boolVal == b.boolVal;
    case VT_I4:
    case VT_ERROR: return a.lVal == b.lVal;
    case VT_R4: return a.fltVal == b.fltVal;
    case VT_R8:
    case VT_DATE: return a.dblVal == b.dblVal;
    case VT_CY: return a.cyVal == b.cyVal;
    case VT_UI1: return a.bVal == b.bVal;
    case VT_BSTR: return a.bstrVal == b.bstrVal;
    case VT_ARRAY | VT_UI1: return a.byteArray == b.byteArray;
    default: return false;
  }
}

COleVariant::COleVariant(LONG value, VARTYPE kind) {
  vt = kind;
  switch (kind) {
    case VT_I2: iVal = static_cast<SHORT>(value); break;
    case VT_BOOL: boolVal = static_cast<SHORT>(value != 0 ? -1 : 0); break;
    case VT_UI1: bVal = static_cast<BYTE>(value); break;
    case VT_ERROR: scode = value; break;
    default:
      vt = VT_I4;
      lVal = value;
      break;
  }
}

CArchive& operator<<(CArchive& ar, const VARIANT& v) {
  ar << v.vt;
  switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_I2:
    case VT_BOOL: ar << v.iVal; break;
    case VT_I4:
    case VT_ERROR: ar << v.lVal; break;
    case VT_R4: ar << v.fltVal; break;
    case VT_R8:
    case VT_DATE: ar << v.dblVal; break;
    case VT_CY: ar << v.cyVal; break;
    case VT_UI1: ar << v.bVal; break;
    case VT_BSTR: ar << v.bstrVal; break;
    default: AfxThrowArchiveException(CArchiveException::genericException);
  }
  return ar;
}

CArchive& operator>>(CArchive& ar, VARIANT& v) {
  VARTYPE kind = VT_EMPTY;
  ar >> kind;
  VARIANT value;
  value.vt = kind;
  switch (kind) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_I2:
    case VT_BOOL: ar >> value.iVal; break;
    case VT_I4:
    case VT_ERROR: ar >> value.lVal; break;
    case VT_R4: ar >> value.fltVal; break;
    case VT_R8:
    case VT_DATE: ar >> value.dblVal; break;
    case VT_CY: ar >> value.cyVal; break;
    case VT_UI1: ar >> value.bVal; break;
    case VT_BSTR: ar >> value.bstrVal; break;
    default: AfxThrowArchiveException(CArchiveException::genericException);
  }
  VariantCopy(&v, &value);
  return ar;
}
