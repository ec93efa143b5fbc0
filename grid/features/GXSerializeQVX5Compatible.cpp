#include "grid/features/GXSerializeQVX5Compatible.h"


#include "grid/core/GXStyle.h"
#include "grid/core/GXUserAttribute.h"
#include "platform/base/Exceptions.h"

IMPLEMENT_SERIAL(CGXCollMapDWordToString, CObject, 0)

void CGXCollMapDWordToString::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(GetCount() & 0xFFFF);
    for (const auto& [key, value] : map_.Entries()) {
      ar << static_cast<std::uint32_t>(key);
      ar.WriteCString(value);
    }
    return;
  }
  // Each pair takes at least five bytes: a count the archive cannot hold is
  // a damaged archive, not a reason to loop for long.
  WORD count = 0;
  ar >> count;
  const std::int64_t available = ar.BytesAvailable();
  if (available >= 0 && static_cast<std::int64_t>(count) * 5 > available)
    AfxThrowArchiveException(CArchiveException::endOfFile);
  for (WORD i = 0; i < count; ++i) {
    std::uint32_t key = 0;
    ar >> key;
    map_[key] = ar.ReadCString();
  }
}

void CGXSerializeQVX5CompatibleImp::SerializeUserAttributes(CGXStyle& style, CArchive& ar) {
  if (ar.IsStoring()) return;
  // The style takes copies of the texts.
  const CArchive::ReadCopy read = ar.ReadObjectToCopy(RUNTIME_CLASS(CGXCollMapDWordToString));
  auto* texts = read.As<CGXCollMapDWordToString>();
  if (texts == nullptr) return;
  CGXUserAttributeMap attributes;
  for (POSITION pos = texts->GetStartPosition(); pos != nullptr;) {
    DWORD id = 0;
    CString text;
    texts->GetNextAssoc(pos, id, text);
    attributes.SetAttributeCopy(static_cast<WORD>(id), CGXUserAttribute(text));
  }
  attributes.Sort();
  // An empty map still gives the style a map of its own.
  style.SetUserAttributes(nullptr);
  for (int i = 0; i < attributes.GetSize(); ++i) {
    const CGXAbstractUserAttribute* a = attributes.At(i);
    style.SetUserAttribute(a->m_nId, a->Clone());
  }
  if (attributes.IsEmpty()) style.SetInclude(CGXStyle::kUserAttr, TRUE);
}
