#include "grid/core/GXUserAttribute.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "grid/core/GXAppData.h"
#include "grid/core/GXReadOwned.h"
#include "platform/framework/CWinApp.h"
#include "platform/base/Exceptions.h"

BOOL GXTextToNumber(LPCTSTR text, double& number) {
  CGXNumberFormattingImp* imp = GXGetAppData()->m_pNumberFormattingImp;
  if (imp == nullptr || text == nullptr) return FALSE;
  double value = 0;
  if (!imp->TextToNumber(text, value, FALSE, FALSE)) return FALSE;
  char back[64];
  std::snprintf(back, sizeof back, "%.13g", value);
  if (std::strcmp(back, text) != 0) return FALSE;
  number = value;
  return TRUE;
}

// ------------------------------------------------------------- abstract value

IMPLEMENT_SERIAL(CGXAbstractUserAttribute, CObject, 0)

void CGXAbstractUserAttribute::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCString(GetValue());
  } else {
    SetValue(ar.ReadCString());
  }
}

CGXAbstractUserAttribute& CGXAbstractUserAttribute::SetValue(LPCTSTR) { return *this; }
CString CGXAbstractUserAttribute::GetValue() const { return CString(); }
LONG CGXAbstractUserAttribute::GetLongValue() const { return std::atol(GetValue()); }
DWORD CGXAbstractUserAttribute::GetDWordValue() const { return static_cast<DWORD>(GetLongValue()); }
double CGXAbstractUserAttribute::GetDoubleValue() const { return std::atof(GetValue()); }

BOOL CGXAbstractUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const {
  return m_nId == other.m_nId && GetValue() == other.GetValue();
}

// ---------------------------------------------------------------- text/number

IMPLEMENT_SERIAL(CGXUserAttribute, CGXAbstractUserAttribute, 0)

CGXUserAttribute::CGXUserAttribute(const CGXUserAttribute& other) : CGXAbstractUserAttribute() {
  m_nId = other.m_nId;
  kind_ = other.kind_;
  if (kind_ == longText) {
    SetText(other.longText_, std::strlen(other.longText_));
  } else {
    std::memcpy(value_, other.value_, sizeof value_);
  }
}

void CGXUserAttribute::ReleaseText() {
  delete[] longText_;
  longText_ = nullptr;
}

void CGXUserAttribute::SetText(const char* text, std::size_t length) {
  ReleaseText();
  std::memset(value_, 0, sizeof value_);
  if (length == 0) {
    kind_ = none;
  } else if (length > sizeof value_) {
    kind_ = longText;
    longText_ = new char[length + 1];
    std::memcpy(longText_, text, length);
    longText_[length] = '\0';
  } else {
    kind_ = shortText;
    std::memcpy(value_, text, length);
  }
}

CString CGXUserAttribute::Text() const {
  if (kind_ == longText) return CString(longText_);
  // Up to 8 bytes, not terminated when it fills them.
  const char* p = reinterpret_cast<const char*>(value_);
  return CString(p, static_cast<int>(strnlen(p, sizeof value_)));
}

CGXAbstractUserAttribute& CGXUserAttribute::SetValue(LPCTSTR text) {
  ReleaseText();
  const char* t = text != nullptr ? text : "";
  double number = 0;
  if (*t != '\0' && GXTextToNumber(t, number)) {
    SetDouble(number);
  } else {
    SetText(t, std::strlen(t));
  }
  return *this;
}

CGXUserAttribute& CGXUserAttribute::SetDWord(DWORD value) {
  ReleaseText();
  std::memset(value_, 0, sizeof value_);
  kind_ = unsignedNumber;
  std::memcpy(value_, &value, sizeof value);
  return *this;
}

CGXUserAttribute& CGXUserAttribute::SetLong(LONG value) {
  SetDWord(static_cast<DWORD>(value));
  kind_ = signedNumber;
  return *this;
}

CGXUserAttribute& CGXUserAttribute::SetDouble(double value) {
  ReleaseText();
  kind_ = real;
  std::memcpy(value_, &value, sizeof value);
  return *this;
}

CGXUserAttribute& CGXUserAttribute::SetBytes(const BYTE (&value)[8]) {
  ReleaseText();
  kind_ = bytes;
  std::memcpy(value_, value, sizeof value_);
  return *this;
}

namespace {

DWORD Word(const BYTE* p) {
  DWORD v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

double Real(const BYTE* p) {
  double v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

CString CGXUserAttribute::GetValue() const {
  char buf[64];
  switch (kind_) {
    case none:
      return CString();
    case unsignedNumber:
      std::snprintf(buf, sizeof buf, "%lu", static_cast<unsigned long>(Word(value_)));
      return buf;
    case signedNumber:
      std::snprintf(buf, sizeof buf, "%ld", static_cast<long>(static_cast<LONG>(Word(value_))));
      return buf;
    case shortText:
    case longText:
      return Text();
    case real:
      std::snprintf(buf, sizeof buf, "%.13g", Real(value_));
      return buf;
    case bytes:
      std::snprintf(buf, sizeof buf, "%08x%08x", static_cast<unsigned>(Word(value_)),
                    static_cast<unsigned>(Word(value_ + 4)));
      return buf;
    default:
      return "Value?";
  }
}

LONG CGXUserAttribute::GetLongValue() const {
  switch (kind_) {
    case unsignedNumber:
    case signedNumber:
      return static_cast<LONG>(Word(value_));
    case shortText:
    case longText:
      return std::atol(Text());
    case real:
      return static_cast<LONG>(Real(value_));
    default:
      return 0;
  }
}

double CGXUserAttribute::GetDoubleValue() const {
  switch (kind_) {
    case unsignedNumber:
      return Word(value_);
    case signedNumber:
      return static_cast<LONG>(Word(value_));
    case shortText:
    case longText:
      return std::atof(Text());
    case real:
      return Real(value_);
    default:
      return 0;
  }
}

BOOL CGXUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const {
  const auto* o = dynamic_cast<const CGXUserAttribute*>(&other);
  if (o == nullptr || m_nId != o->m_nId || kind_ != o->kind_) return FALSE;
  switch (kind_) {
    case unsignedNumber:
    case signedNumber:
      return Word(value_) == Word(o->value_);
    case shortText:
    case longText:
      return Text() == o->Text();
    case real:
      return Real(value_) == Real(o->value_);
    case bytes:
      return std::memcmp(value_, o->value_, sizeof value_) == 0;
    default:
      return TRUE;
  }
}

void CGXUserAttribute::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << kind_;
    if (kind_ == shortText || kind_ == longText) {
      ar.WriteCString(Text());
    } else {
      for (BYTE b : value_) ar << b;
    }
    return;
  }
  BYTE kind = 0;
  ar >> kind;
  if (kind == shortText || kind == longText) {
    // A loaded text is classified by its length only, never as a number.
    const CString text = ar.ReadCString();
    SetText(text, static_cast<std::size_t>(text.GetLength()));
    if (text.IsEmpty()) kind_ = shortText;
  } else {
    BYTE raw[8];
    for (BYTE& b : raw) ar >> b;
    ReleaseText();
    kind_ = kind;
    std::memcpy(value_, raw, sizeof value_);
  }
}

// ------------------------------------------------------------------ ellipses

IMPLEMENT_SERIAL(CGXEllipseUserAttribute, CGXAbstractUserAttribute, 0)

void CGXEllipseUserAttribute::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(number_);
  } else {
    WORD n = 0;
    ar >> n;
    number_ = n;
  }
}

BOOL CGXEllipseUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const {
  return other.GetDWordValue() == number_ && dynamic_cast<const CGXEllipseUserAttribute*>(&other) != nullptr;
}

// ----------------------------------------------------------------------- map

IMPLEMENT_SERIAL(CGXUserAttributeMap, CObArray, 0)

int CGXUserAttributeMap::Find(WORD id) const {
  int lo = 0, hi = GetSize() - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const WORD at = At(mid)->m_nId;
    if (at == id) return mid;
    if (at < id) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return -1;
}

const CGXAbstractUserAttribute* CGXUserAttributeMap::Lookup(WORD id) const {
  const int i = Find(id);
  return i < 0 ? nullptr : At(i);
}

void CGXUserAttributeMap::SetAttribute(WORD id, CGXAbstractUserAttribute* value) {
  value->m_nId = id;
  const int i = Find(id);
  if (i >= 0) {
    delete At(i);
    SetAt(i, value);
    return;
  }
  Add(value);
  Sort();
}

void CGXUserAttributeMap::SetAttributeCopy(WORD id, const CGXAbstractUserAttribute& value) {
  if (CGXAbstractUserAttribute* clone = value.Clone()) SetAttribute(id, clone);
}

void CGXUserAttributeMap::Remove(WORD id) {
  const int i = Find(id);
  if (i < 0) return;
  delete At(i);
  RemoveAt(i);
}

void CGXUserAttributeMap::DeleteAll() {
  for (int i = 0; i < GetSize(); ++i) delete At(i);
  RemoveAll();
}

void CGXUserAttributeMap::Sort() {
  std::vector<CGXAbstractUserAttribute*> v;
  v.reserve(static_cast<std::size_t>(GetSize()));
  for (int i = 0; i < GetSize(); ++i) v.push_back(At(i));
  std::stable_sort(v.begin(), v.end(), [](auto* a, auto* b) { return a->m_nId < b->m_nId; });
  for (int i = 0; i < GetSize(); ++i) SetAt(i, v[static_cast<std::size_t>(i)]);
}

void CGXUserAttributeMap::ChangeMap(const CGXUserAttributeMap& other, int mode) {
  if (&other == this) return;
  if (mode == 3) {
    for (int i = 0; i < other.GetSize(); ++i) Remove(other.At(i)->m_nId);
    return;
  }
  if (mode == 2) DeleteAll();
  std::vector<CGXAbstractUserAttribute*> added;
  for (int i = 0; i < other.GetSize(); ++i) {
    const CGXAbstractUserAttribute* src = other.At(i);
    const int here = Find(src->m_nId);
    if (here >= 0 && mode != 0 && mode != 2) continue;
    CGXAbstractUserAttribute* clone = src->Clone();
    if (clone == nullptr) continue;
    clone->m_nId = src->m_nId;
    if (here >= 0) {
      delete At(here);
      SetAt(here, clone);
    } else {
      added.push_back(clone);
    }
  }
  if (added.empty()) return;
  for (auto* a : added) Add(a);
  Sort();
}

void CGXUserAttributeMap::WriteProfile(LPCTSTR section) const {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  for (int i = 0; i < GetSize(); ++i) {
    CString key;
    key.Format("UA%lu", static_cast<unsigned long>(At(i)->m_nId));
    app->WriteProfileString(section, key, At(i)->GetValue());
  }
}

void CGXUserAttributeMap::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    if (GetSize() > 0xFFFF) AfxThrowArchiveException(CArchiveException::genericException);
    ar << static_cast<WORD>(GetSize());
    for (int i = 0; i < GetSize(); ++i) {
      ar << static_cast<const CObject*>(At(i));
      ar << static_cast<WORD>(At(i)->m_nId);
    }
    return;
  }
  DeleteAll();
  WORD count = 0;
  ar >> count;
  // Each entry takes at least a class reference and its id.
  const std::int64_t available = ar.BytesAvailable();
  if (available >= 0 && static_cast<std::int64_t>(count) * 4 > available)
    AfxThrowArchiveException(CArchiveException::endOfFile);
  for (WORD i = 0; i < count; ++i) {
    CObject* object = GXReadOwnedObject(ar, RUNTIME_CLASS(CGXAbstractUserAttribute));
    auto* value = static_cast<CGXAbstractUserAttribute*>(object);
    WORD id = 0;
    try {
      ar >> id;
    } catch (...) {
      delete value;
      throw;
    }
    if (value == nullptr) continue;
    value->m_nId = id;
    Add(value);
  }
}

CGXUserAttributeMap* GXReadUserAttributeMap(CArchive& ar) {
  return static_cast<CGXUserAttributeMap*>(ar.ReadObject(RUNTIME_CLASS(CGXUserAttributeMap)));
}

CGXAbstractUserAttribute* GXReadAbstractUserAttribute(CArchive& ar) {
  return static_cast<CGXAbstractUserAttribute*>(ar.ReadObject(RUNTIME_CLASS(CGXAbstractUserAttribute)));
}
