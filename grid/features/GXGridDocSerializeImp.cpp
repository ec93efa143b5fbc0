#include "grid/features/GXGridDocSerializeImp.h"

#include <memory>
#include <utility>
#include <vector>

#include "grid/core/GXAppData.h"
#include "grid/core/GXData.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXStyle.h"
#include "grid/core/GXStylesMap.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXPrintDevice.h"
#include "grid/features/GXSpanCellPool.h"
#include "platform/base/Exceptions.h"

namespace {

constexpr DWORD kEndOfPairs = 0xFFFFFFFFu;
// Arrays up to this many elements are sized to their archived count at
// once; a larger count grows the array only as far as its entries reach.
constexpr DWORD kEagerSize = 1u << 16;

DWORD ReadDword(CArchive& ar) {
  DWORD v = 0;
  ar >> v;
  return v;
}
WORD ReadWord(CArchive& ar) {
  WORD v = 0;
  ar >> v;
  return v;
}
BYTE ReadByte(CArchive& ar) {
  BYTE v = 0;
  ar >> v;
  return v;
}

WORD ReadSchema(CArchive& ar, WORD newest) {
  const WORD schema = ReadWord(ar);
  if (schema > newest) AfxThrowArchiveException(CArchiveException::badSchema);
  return schema;
}

[[noreturn]] void Refuse() { AfxThrowArchiveException(CArchiveException::badIndex); }

// Reads an OBJECT that the caller will own: a reference back to an object
// read earlier would give one object two owners, so it is refused.
template <class T>
std::unique_ptr<T> ReadOwned(CArchive& ar, const CRuntimeClass* cls) {
  const std::size_t mark = ar.LoadMark();
  CObject* object = ar.ReadObject(cls);
  if (object == nullptr) return nullptr;
  if (ar.LoadMark() == mark) Refuse();
  auto* typed = dynamic_cast<T*>(object);
  if (typed == nullptr) {
    delete object;
    AfxThrowArchiveException(CArchiveException::badClass);
  }
  return std::unique_ptr<T>(typed);
}

// Points the archive's document at a styles map while styles are written
// or read, so that their base-style names find it.
class DocumentScope {
 public:
  DocumentScope(CArchive& ar, CGXStylesMap* map) : ar_(ar), saved_(ar.m_pDocument) {
    ar.m_pDocument = reinterpret_cast<CDocument*>(static_cast<CObject*>(map));
  }
  ~DocumentScope() { ar_.m_pDocument = saved_; }
  DocumentScope(const DocumentScope&) = delete;
  DocumentScope& operator=(const DocumentScope&) = delete;

 private:
  CArchive& ar_;
  CDocument* saved_;
};

// Exchanges the contents of two pointer arrays.
void SwapPointers(CPtrArray& a, CPtrArray& b) {
  std::vector<void*> held(a.GetSize());
  for (int i = 0; i < a.GetSize(); ++i) held[static_cast<std::size_t>(i)] = a.GetAt(i);
  a.SetSize(b.GetSize());
  for (int i = 0; i < b.GetSize(); ++i) a.SetAt(i, b.GetAt(i));
  b.SetSize(static_cast<int>(held.size()));
  for (std::size_t i = 0; i < held.size(); ++i) b.SetAt(static_cast<int>(i), held[i]);
}

// The count of a sparse array and the size it is given before its pairs.
DWORD ReadElementCount(CArchive& ar, CPtrArray& out) {
  const DWORD count = ReadDword(ar);
  if (count <= kEagerSize) out.SetSize(static_cast<int>(count));
  return count;
}

// Checks an index of a sparse array and makes room for it; FALSE ends.
bool NextIndex(CArchive& ar, CPtrArray& out, DWORD count, DWORD& index) {
  index = ReadDword(ar);
  if (index == kEndOfPairs) return false;
  // An index beyond the count would write past the array's end.
  if (index >= count || index > CGXGridDocSerializeImpl::kMaxIndex) Refuse();
  if (static_cast<int>(index) >= out.GetSize()) out.SetSize(static_cast<int>(index) + 1);
  // An index given twice would lose the first element.
  if (out.GetAt(static_cast<int>(index)) != nullptr) Refuse();
  return true;
}

void WriteDwordArray(CArchive& ar, const CDWordArray& values) {
  ar.WriteCount(static_cast<DWORD>(values.GetSize()));
  for (int i = 0; i < values.GetSize(); ++i) ar << static_cast<DWORD>(values.GetAt(i));
}

void ReadDwordArray(CArchive& ar, CDWordArray& values) {
  const DWORD count = ar.ReadCount(4);
  values.SetSize(static_cast<int>(count));
  for (DWORD i = 0; i < count; ++i) values.SetAt(static_cast<int>(i), ReadDword(ar));
}

}  // namespace

// ------------------------------------------------------- sparse arrays

void CGXGridDocSerializeImpl::WriteStyleArray(const CGXStylePtrArray& styles, CArchive& ar) {
  ar << kArraySchema << static_cast<DWORD>(styles.GetSize());
  for (int i = 0; i < styles.GetSize(); ++i) {
    if (const CGXStyle* style = styles.StyleAt(i)) {
      ar << static_cast<DWORD>(i);
      ar.WriteObject(style);
    }
  }
  ar << kEndOfPairs;
}

void CGXGridDocSerializeImpl::ReadStyleArray(CGXStylePtrArray& out, CArchive& ar) {
  ReadSchema(ar, kArraySchema);
  const DWORD count = ReadElementCount(ar, out);
  DWORD index = 0;
  while (NextIndex(ar, out, count, index)) out.SetAt(static_cast<int>(index), ReadOwned<CGXStyle>(ar, RUNTIME_CLASS(CGXStyle)).release());
}

void CGXGridDocSerializeImpl::WriteRowArrays(const CGXStylePtrArrayPtrArray& rows, CArchive& ar) {
  ar << kArraySchema << static_cast<DWORD>(rows.GetSize());
  for (int i = 0; i < rows.GetSize(); ++i) {
    if (const CGXStylePtrArray* row = rows.RowAt(i)) {
      ar << static_cast<DWORD>(i);
      WriteStyleArray(*row, ar);
    }
  }
  ar << kEndOfPairs;
}

void CGXGridDocSerializeImpl::ReadRowArrays(CGXStylePtrArrayPtrArray& out, CArchive& ar) {
  ReadSchema(ar, kArraySchema);
  const DWORD count = ReadElementCount(ar, out);
  DWORD index = 0;
  while (NextIndex(ar, out, count, index)) {
    auto row = std::make_unique<CGXStylePtrArray>();
    ReadStyleArray(*row, ar);
    out.SetAt(static_cast<int>(index), row.release());
  }
}

void CGXGridDocSerializeImpl::SerializeStyleArray(CObject& object, CArchive& ar) {
  auto& styles = dynamic_cast<CGXStylePtrArray&>(object);
  if (ar.IsStoring()) {
    WriteStyleArray(styles, ar);
    return;
  }
  CGXStylePtrArray read;
  ReadStyleArray(read, ar);
  SwapPointers(styles, read);
}

void CGXGridDocSerializeImpl::SerializeRowArrays(CObject& object, CArchive& ar) {
  auto& rows = dynamic_cast<CGXStylePtrArrayPtrArray&>(object);
  if (ar.IsStoring()) {
    WriteRowArrays(rows, ar);
    return;
  }
  CGXStylePtrArrayPtrArray read;
  ReadRowArrays(read, ar);
  SwapPointers(rows, read);
}

// ---------------------------------------------------------------- data

void CGXGridDocSerializeImpl::WriteData(const CGXData& data, CArchive& ar) {
  ar << kDataSchema << static_cast<DWORD>(data.rowCount_) << static_cast<DWORD>(data.colCount_);
  WriteRowArrays(data.cells_, ar);
  WriteStyleArray(data.rowStyles_, ar);
  WriteStyleArray(data.colStyles_, ar);
}

void CGXGridDocSerializeImpl::ReadData(CGXData& data, CArchive& ar) {
  ReadSchema(ar, kDataSchema);
  const DWORD rows = ReadDword(ar);
  const DWORD cols = ReadDword(ar);
  CGXStylePtrArrayPtrArray cells;
  CGXStylePtrArray rowStyles, colStyles;
  ReadRowArrays(cells, ar);
  ReadStyleArray(rowStyles, ar);
  ReadStyleArray(colStyles, ar);
  data.rowCount_ = rows;
  data.colCount_ = cols;
  SwapPointers(data.cells_, cells);
  SwapPointers(data.rowStyles_, rowStyles);
  SwapPointers(data.colStyles_, colStyles);
}

void CGXGridDocSerializeImpl::SwapData(CGXData& a, CGXData& b) {
  std::swap(a.rowCount_, b.rowCount_);
  std::swap(a.colCount_, b.colCount_);
  SwapPointers(a.cells_, b.cells_);
  SwapPointers(a.rowStyles_, b.rowStyles_);
  SwapPointers(a.colStyles_, b.colStyles_);
}

void CGXGridDocSerializeImpl::SerializeData(CGXData& data, CArchive& ar) {
  if (ar.IsStoring()) {
    WriteData(data, ar);
  } else {
    ReadData(data, ar);
  }
}

// ---------------------------------------------------------- styles map

void CGXGridDocSerializeImpl::SerializeStylesMap(CGXStylesMap& map, CArchive& ar) {
  if (!ar.IsStoring()) {
    ReadStylesMap(map, ar);
    return;
  }
  ar << kStylesMapSchema;
  ar.WriteCString(map.m_sSection);
  ar << static_cast<WORD>(map.ControlNames().size());
  for (const auto& [id, name] : map.ControlNames()) {
    ar << static_cast<DWORD>(id);
    ar.WriteCString(name);
  }
  ar << static_cast<WORD>(map.NameIds().size());
  for (const auto& [name, id] : map.NameIds()) {
    ar << id;
    ar.WriteCString(name);
  }
  ar << static_cast<WORD>(map.StyleEntries().size());
  for (auto& [id, entry] : map.StyleEntries()) {
    ar << id << static_cast<DWORD>(entry.resourceId);
    ar.WriteCString(entry.name);
    ar << static_cast<BYTE>(entry.builtIn ? 1 : 0);
    CGXStyle empty;
    (entry.style ? *entry.style : empty).SerializeEx(ar, &map);
  }
  ar << map.GetNextId();
  ar << static_cast<WORD>(map.UserAttributes().size());
  for (auto& [id, entry] : map.UserAttributes()) {
    ar << static_cast<DWORD>(id);
    CGXStyle empty;
    (entry.style ? *entry.style : empty).SerializeEx(ar, &map);
  }
}

void CGXGridDocSerializeImpl::ReadStylesMap(CGXStylesMap& map, CArchive& ar) {
  const WORD schema = ReadSchema(ar, kStylesMapSchema);
  CGXStylesMap read(map.GetStyleClass());
  auto newStyle = [&read]() {
    CObject* object = read.GetStyleClass()->CreateObject();
    auto* style = dynamic_cast<CGXStyle*>(object);
    if (style == nullptr) {
      delete object;
      style = new CGXStyle;
    }
    return std::unique_ptr<CGXStyle>(style);
  };

  read.m_sSection = ar.ReadCString();
  for (WORD n = ReadWord(ar); n > 0; --n) {
    const DWORD id = ReadDword(ar);
    read.ControlNames()[static_cast<WORD>(id)] = ar.ReadCString();
  }
  // The name table is made again from the entries.
  for (WORD n = ReadWord(ar); n > 0; --n) {
    ReadWord(ar);
    ar.ReadCString();
  }
  for (WORD n = ReadWord(ar); n > 0; --n) {
    CGXStylesMap::StyleEntry entry;
    entry.id = ReadWord(ar);
    entry.resourceId = ReadDword(ar);
    entry.name = ar.ReadCString();
    entry.builtIn = ReadByte(ar) != 0;
    entry.style = newStyle();
    entry.style->SerializeEx(ar, &read);
    if (entry.resourceId != 0) {
      if (!GXLoadString(entry.resourceId, entry.name)) entry.name.Format("STYLE%u", entry.resourceId);
      read.ResourceIds()[entry.resourceId] = entry.id;
    }
    read.NameIds()[entry.name] = entry.id;
    const WORD id = entry.id;
    read.StyleEntries()[id] = std::move(entry);
  }
  read.SetNextId(ReadWord(ar));
  std::map<WORD, CGXStylesMap::UserAttributeEntry> attributes;
  if (schema >= 2) {
    for (WORD n = ReadWord(ar); n > 0; --n) {
      CGXStylesMap::UserAttributeEntry entry;
      entry.id = static_cast<WORD>(ReadDword(ar));
      if (!GXLoadString(entry.id, entry.name)) entry.name.Format("UA%u", static_cast<unsigned>(entry.id));
      entry.style = newStyle();
      entry.style->SerializeEx(ar, &read);
      const WORD id = entry.id;
      attributes[id] = std::move(entry);
    }
  }

  // Read whole: the map takes it.
  map.m_sSection = read.m_sSection;
  std::swap(map.ControlNames(), read.ControlNames());
  std::swap(map.NameIds(), read.NameIds());
  std::swap(map.ResourceIds(), read.ResourceIds());
  std::swap(map.StyleEntries(), read.StyleEntries());
  map.SetNextId(read.GetNextId());
  for (auto& [id, entry] : attributes) map.UserAttributes()[id] = std::move(entry);
  map.m_wStyleStandard = map.FindIdByResourceId(52768);
  map.m_wStyleColHeader = map.FindIdByResourceId(52770);
  map.m_wStyleRowHeader = map.FindIdByResourceId(52769);
}

// ----------------------------------------------------------- properties

void CGXGridDocSerializeImpl::SerializeProperties(CGXProperties& properties, CArchive& ar) {
  if (ar.IsStoring()) {
    WriteProperties(properties, ar);
  } else {
    ReadProperties(properties, ar);
  }
}

void CGXGridDocSerializeImpl::WriteProperties(CGXProperties& p, CArchive& ar) {
  ar << kPropertiesSchema;
  ar.WriteCount(static_cast<DWORD>(p.ColorValues().size()));
  for (const GXPackedColor& color : p.ColorValues()) ar << static_cast<DWORD>(color.Transfer());
  ar.WriteCount(0);  // a string array readers discard
  for (BOOL flag : {p.m_bVertLines, p.m_bHorzLines, p.m_b3dHeader, p.m_bMarkRowHeader, p.m_bMarkColHeader})
    ar << static_cast<BYTE>(flag ? 1 : 0);
  ar.WriteCString(p.m_sSection);
  ar << static_cast<DWORD>(p.m_nZoom);
  for (auto& [id, entry] : p.UserProperties()) {
    if (id == 0) continue;  // 0 ends the list
    ar << static_cast<DWORD>(id);
    ar.WriteCString(entry.name);
    CGXStyle empty;
    ar.WriteObject(entry.style ? entry.style.get() : &empty);
  }
  ar << static_cast<DWORD>(0);
  for (int value : {p.m_bPrintVertLines, p.m_bPrintHorzLines, p.m_nPageOrder, p.m_bBlackWhite, p.m_bPrintRowHeaders,
                    p.m_bCenterVertical, p.m_bCenterHorizontal, p.m_nMargins[2], p.m_nMargins[1], p.m_nMargins[3],
                    p.m_nMargins[0], p.m_bPrintFrame, p.m_nDistances[0], p.m_nDistances[1], p.m_nFirstPage})
    ar << static_cast<DWORD>(value);
  ar << p.m_wPrintOptions[0] << p.m_wPrintOptions[1];
  WriteDwordArray(ar, p.m_awColBreaks);
  WriteDwordArray(ar, p.m_awRowBreaks);
  WriteData(p.GetDataFooter(), ar);
  WriteData(p.GetDataHeader(), ar);
  ar << static_cast<DWORD>(p.m_bPrintColHeaders);
}

void CGXGridDocSerializeImpl::ReadProperties(CGXProperties& p, CArchive& ar) {
  const WORD schema = ReadSchema(ar, kPropertiesSchema);
  const DWORD colorCount = ar.ReadCount(4);
  std::vector<GXPackedColor> colors;
  for (DWORD i = 0; i < colorCount; ++i) colors.push_back(GXPackedColor::FromColorRef(ReadDword(ar)));
  CStringArray discarded;
  discarded.Serialize(ar);
  BYTE flags[5];
  for (BYTE& flag : flags) flag = ReadByte(ar);
  const CString section = ar.ReadCString();
  const DWORD zoom = ReadDword(ar);
  struct UserProperty {
    WORD id;
    CString name;
    std::unique_ptr<CGXStyle> style;
  };
  std::vector<UserProperty> users;
  for (DWORD id = ReadDword(ar); id != 0; id = ReadDword(ar)) {
    if (id > 0xFFFF) Refuse();
    UserProperty user{static_cast<WORD>(id), ar.ReadCString(), nullptr};
    user.style = ReadOwned<CGXStyle>(ar, RUNTIME_CLASS(CGXStyle));
    if (!user.style) Refuse();
    users.push_back(std::move(user));
  }
  DWORD print[15];
  for (DWORD& value : print) value = ReadDword(ar);
  WORD options[2];
  options[0] = ReadWord(ar);
  options[1] = ReadWord(ar);
  CDWordArray colBreaks, rowBreaks;
  if (schema >= 3) {
    ReadDwordArray(ar, colBreaks);
    ReadDwordArray(ar, rowBreaks);
  }
  CGXData footer, header;
  ReadData(footer, ar);
  ReadData(header, ar);
  const bool hasColHeaders = schema == 2 || schema >= 4;
  const DWORD printColHeaders = hasColHeaders ? ReadDword(ar) : 0;

  // Read whole: the properties take it.
  auto& values = p.ColorValues();
  values = std::move(colors);
  values.resize(p.ColorNames().size());
  p.m_bVertLines = flags[0];
  p.m_bHorzLines = flags[1];
  p.m_b3dHeader = flags[2];
  p.m_bMarkRowHeader = flags[3];
  p.m_bMarkColHeader = flags[4];
  p.m_sSection = section;
  p.m_nZoom = static_cast<int>(zoom);
  for (UserProperty& user : users) {
    auto& entry = p.UserProperties()[user.id];
    if (entry.id == 0) {
      entry.id = user.id;
      entry.name = user.name;
    }
    entry.style = std::move(user.style);
  }
  p.m_bPrintVertLines = print[0] != 0;
  p.m_bPrintHorzLines = print[1] != 0;
  p.m_nPageOrder = static_cast<int>(print[2]);
  p.m_bBlackWhite = print[3] != 0;
  p.m_bPrintRowHeaders = print[4] != 0;
  p.m_bCenterVertical = print[5] != 0;
  p.m_bCenterHorizontal = print[6] != 0;
  // Kept bottom, left, top, right; archived top, left, right, bottom.
  p.m_nMargins[2] = static_cast<int>(print[7]);
  p.m_nMargins[1] = static_cast<int>(print[8]);
  p.m_nMargins[3] = static_cast<int>(print[9]);
  p.m_nMargins[0] = static_cast<int>(print[10]);
  p.m_bPrintFrame = print[11] != 0;
  p.m_nDistances[0] = static_cast<int>(print[12]);
  p.m_nDistances[1] = static_cast<int>(print[13]);
  p.m_nFirstPage = static_cast<int>(print[14]);
  p.m_wPrintOptions[0] = options[0];
  p.m_wPrintOptions[1] = options[1];
  if (schema >= 3) {
    p.m_awColBreaks.Copy(colBreaks);
    p.m_awRowBreaks.Copy(rowBreaks);
  }
  SwapData(p.GetDataFooter(), footer);
  SwapData(p.GetDataHeader(), header);
  if (hasColHeaders) p.m_bPrintColHeaders = printColHeaders != 0;
}

// ------------------------------------------------------ parameter object

void CGXGridDocSerializeImpl::SerializeParam(CGXGridParam& param, CArchive& ar) {
  if (ar.IsStoring()) {
    WriteParam(param, ar);
  } else {
    ReadParam(param, ar);
  }
}

namespace {

BYTE B(BOOL value) { return static_cast<BYTE>(value ? 1 : 0); }

}  // namespace

void CGXGridDocSerializeImpl::WriteParam(CGXGridParam& p, CArchive& ar) {
  const CGXGridParam::ArchivedOptions& o = p.m_archived;
  ar << kParamSchema;
  ar << o.options1[0] << o.options1[1] << o.coreFlag << B(p.m_bUndoEnabled) << B(p.m_bNumberedRowHeaders)
     << B(p.m_bNumberedColHeaders) << o.coreFlag << o.options1[1] << B(p.m_bMoveRows) << B(p.m_bMoveCols);
  const BOOL ownData = p.m_bOwnData && p.m_pData != nullptr;
  const BOOL ownDevice = p.m_bOwnPrintDevice && p.m_pPrintDevice != nullptr;
  const BOOL ownProperties = p.m_bOwnProperties && p.m_pProperties != nullptr;
  const BOOL ownStylesMap = p.m_bOwnStylesMap && p.m_pStylesMap != nullptr;
  ar << B(ownData) << B(ownDevice) << B(ownProperties) << B(ownStylesMap);
  ar << o.cursorOption << o.oldDrawing << B(p.m_bReadOnlyGuard) << o.option2;
  ar << p.m_wAllowSelection << p.m_wRowResize << p.m_wColResize;
  ar << static_cast<DWORD>(p.m_nFrozenRows) << static_cast<DWORD>(p.m_nFrozenCols)
     << static_cast<DWORD>(p.m_nDefaultColWidth) << static_cast<DWORD>(p.m_nDefaultRowHeight);
  ar.WriteCString(p.m_sSheetName);
  ar << p.m_wActivateCell << o.activateOption << o.options3[0] << o.options3[1] << o.options3[2];
  ar << static_cast<DWORD>(p.m_nHeaderRows) << static_cast<DWORD>(p.m_nHeaderCols);
  {
    DocumentScope scope(ar, p.m_pStylesMap);
    if (ownStylesMap) ar.WriteObject(p.m_pStylesMap);
    if (ownData) ar.WriteObject(p.m_pData);
    if (ownProperties) ar.WriteObject(p.m_pProperties);
  }
  if (ownDevice) ar.WriteObject(p.m_pPrintDevice);
  p.m_SelRects.Serialize(ar);
  p.m_CoveredCellsList.Serialize(ar);
  p.m_RowHeights.Serialize(ar);
  p.m_ColWidths.Serialize(ar);
  p.m_abHiddenRows.Serialize(ar);
  p.m_abHiddenCols.Serialize(ar);
  ar << o.option4 << o.options5[0] << o.options5[1] << o.options6[0] << o.options6[1] << o.options6[2];
  ar << p.m_wSelectionFlags << o.ignoreZoom << p.m_wEnterDirection << o.option7;
  ar << B(p.m_bSortColsByRowHeader) << B(p.m_bSortRowsByColHeader) << o.option8 << B(p.m_bSpreadsheetFrame)
     << B(p.m_bLinesAtRightBottom);
  ar << p.m_wFloatCellsMode;
  ar.WriteObject(p.m_pFloatDelayedPool);
  ar.WriteObject(p.m_pFloatSpanPool);
  ar << p.m_wMergeCellsMode;
  ar.WriteObject(p.m_pMergeDelayedPool);
  ar.WriteObject(p.m_pMergeHorzPool);
  ar.WriteObject(p.m_pMergeVertPool);
  ar << p.m_wGridLineStyle;
  ar << o.options9[0] << o.options9[1] << o.options9[2] << o.option10 << o.option11;
}

namespace {

// Takes an object read into the side object, or leaves the parameter
// object without its owned one when the archive holds none; a borrowed
// object stays.
template <class T>
void TakeObject(T*& slot, BOOL& owned, T*& readSlot, BOOL& readOwned) {
  std::swap(slot, readSlot);
  std::swap(owned, readOwned);
  if (!owned && slot == nullptr && !readOwned) std::swap(slot, readSlot);
}

template <class T>
void TakePool(CObject*& slot, std::unique_ptr<T>& read) {
  delete slot;
  slot = read.release();
}

// Pools written by schema 6 are not trusted: the whole table waits for
// evaluation again.
void RequeuePools(CGXGridParam& p, CObject* delayedPool, std::initializer_list<CObject*> spanPools) {
  auto* delayed = dynamic_cast<CGXDelayedRangePool*>(delayedPool);
  if (delayed == nullptr) return;
  delayed->DeleteAll();
  const ROWCOL rows = p.m_pData != nullptr ? p.m_pData->GetRowCount() : 0;
  const ROWCOL cols = p.m_pData != nullptr ? p.m_pData->GetColCount() : 0;
  delayed->AddRange(CGXRange(0, 0, rows, cols));
  for (CObject* object : spanPools)
    if (auto* pool = dynamic_cast<CGXSpanCellPool*>(object)) pool->ClearAll();
}

}  // namespace

void CGXGridDocSerializeImpl::ReadParam(CGXGridParam& param, CArchive& ar) {
  const WORD schema = ReadSchema(ar, kParamSchema);
  CGXGridParam read;
  CGXGridParam::ArchivedOptions& o = read.m_archived;
  auto flag = [&ar]() -> BOOL { return ReadByte(ar) != 0; };

  o.options1[0] = ReadByte(ar);
  o.options1[1] = ReadByte(ar);
  o.coreFlag = ReadByte(ar);
  read.m_bUndoEnabled = flag();
  read.m_bNumberedRowHeaders = flag();
  read.m_bNumberedColHeaders = flag();
  o.coreFlag = ReadByte(ar);
  o.options1[1] = ReadByte(ar);
  read.m_bMoveRows = flag();
  read.m_bMoveCols = flag();
  const BOOL ownData = flag(), ownDevice = flag(), ownProperties = flag(), ownStylesMap = flag();
  o.cursorOption = ReadByte(ar);
  o.oldDrawing = ReadByte(ar);
  read.m_bReadOnlyGuard = flag();
  o.option2 = ReadByte(ar);
  read.m_wAllowSelection = ReadWord(ar);
  read.m_wRowResize = ReadWord(ar);
  read.m_wColResize = ReadWord(ar);
  read.m_nFrozenRows = ReadDword(ar);
  read.m_nFrozenCols = ReadDword(ar);
  read.m_nDefaultColWidth = static_cast<LONG>(static_cast<std::int32_t>(ReadDword(ar)));
  read.m_nDefaultRowHeight = static_cast<LONG>(static_cast<std::int32_t>(ReadDword(ar)));
  read.m_sSheetName = ar.ReadCString();
  read.m_wActivateCell = ReadWord(ar);
  o.activateOption = ReadWord(ar);
  for (WORD& w : o.options3) w = ReadWord(ar);
  read.m_nHeaderRows = ReadDword(ar);
  read.m_nHeaderCols = ReadDword(ar);

  std::unique_ptr<CGXStylesMap> stylesMap;
  std::unique_ptr<CGXData> data;
  std::unique_ptr<CGXProperties> properties;
  std::unique_ptr<CGXPrintDevice> device;
  {
    CGXStylesMap* borrowed = param.m_bOwnStylesMap ? nullptr : param.m_pStylesMap;
    DocumentScope scope(ar, borrowed);
    if (ownStylesMap) {
      stylesMap = ReadOwned<CGXStylesMap>(ar, RUNTIME_CLASS(CGXStylesMap));
      ar.m_pDocument = reinterpret_cast<CDocument*>(static_cast<CObject*>(stylesMap.get()));
    }
    if (ownData) data = ReadOwned<CGXData>(ar, RUNTIME_CLASS(CGXData));
    if (ownProperties) properties = ReadOwned<CGXProperties>(ar, RUNTIME_CLASS(CGXProperties));
  }
  if (ownDevice) device = ReadOwned<CGXPrintDevice>(ar, RUNTIME_CLASS(CGXPrintDevice));
  read.m_SelRects.Serialize(ar);
  read.m_CoveredCellsList.Serialize(ar);
  read.m_RowHeights.RemoveAll();
  read.m_ColWidths.RemoveAll();
  read.m_RowHeights.Serialize(ar);
  read.m_ColWidths.Serialize(ar);
  read.m_abHiddenRows.Serialize(ar);
  read.m_abHiddenCols.Serialize(ar);
  if (schema >= 2) o.option4 = ReadByte(ar);
  if (schema >= 3) {
    o.options5[0] = ReadByte(ar);
    o.options5[1] = ReadByte(ar);
    for (DWORD& d : o.options6) d = ReadDword(ar);
  }
  if (schema >= 4) read.m_wSelectionFlags = ReadWord(ar);
  if (schema >= 5) {
    o.ignoreZoom = ReadByte(ar);
    read.m_wEnterDirection = ReadWord(ar);
    o.option7 = ReadDword(ar);
  }
  std::unique_ptr<CGXDelayedRangePool> floatDelayed, mergeDelayed;
  std::unique_ptr<CGXSpanCellPool> floatSpans, mergeHorz, mergeVert;
  if (schema >= 6) {
    read.m_bSortColsByRowHeader = flag();
    read.m_bSortRowsByColHeader = flag();
    o.option8 = ReadByte(ar);
    read.m_bSpreadsheetFrame = flag();
    read.m_bLinesAtRightBottom = flag();
    read.m_wFloatCellsMode = ReadWord(ar);
    floatDelayed = ReadOwned<CGXDelayedRangePool>(ar, RUNTIME_CLASS(CGXDelayedRangePool));
    floatSpans = ReadOwned<CGXSpanCellPool>(ar, RUNTIME_CLASS(CGXSpanCellPool));
    read.m_wMergeCellsMode = ReadWord(ar);
    mergeDelayed = ReadOwned<CGXDelayedRangePool>(ar, RUNTIME_CLASS(CGXDelayedRangePool));
    mergeHorz = ReadOwned<CGXSpanCellPool>(ar, RUNTIME_CLASS(CGXSpanCellPool));
    mergeVert = ReadOwned<CGXSpanCellPool>(ar, RUNTIME_CLASS(CGXSpanCellPool));
    read.m_wGridLineStyle = ReadWord(ar);
  }
  if (schema >= 8)
    for (BYTE& b : o.options9) b = ReadByte(ar);
  if (schema >= 9) o.option10 = ReadWord(ar);
  if (schema >= 10) o.option11 = ReadByte(ar);

  // Read whole: the parameter object takes it, and the side object goes
  // with what the parameter object held before.
  read.m_bOwnStylesMap = ownStylesMap;
  read.m_pStylesMap = stylesMap.release();
  read.m_bOwnData = ownData;
  read.m_pData = data.release();
  read.m_bOwnProperties = ownProperties;
  read.m_pProperties = properties.release();
  read.m_bOwnPrintDevice = ownDevice;
  read.m_pPrintDevice = device.release();
  TakeObject(param.m_pStylesMap, param.m_bOwnStylesMap, read.m_pStylesMap, read.m_bOwnStylesMap);
  TakeObject(param.m_pData, param.m_bOwnData, read.m_pData, read.m_bOwnData);
  TakeObject(param.m_pProperties, param.m_bOwnProperties, read.m_pProperties, read.m_bOwnProperties);
  TakeObject(param.m_pPrintDevice, param.m_bOwnPrintDevice, read.m_pPrintDevice, read.m_bOwnPrintDevice);

  param.m_archived = read.m_archived;
  param.m_bUndoEnabled = read.m_bUndoEnabled;
  param.m_bNumberedRowHeaders = read.m_bNumberedRowHeaders;
  param.m_bNumberedColHeaders = read.m_bNumberedColHeaders;
  param.m_bMoveRows = read.m_bMoveRows;
  param.m_bMoveCols = read.m_bMoveCols;
  param.m_bReadOnlyGuard = read.m_bReadOnlyGuard;
  param.m_wAllowSelection = read.m_wAllowSelection;
  param.m_wRowResize = read.m_wRowResize;
  param.m_wColResize = read.m_wColResize;
  param.m_nFrozenRows = read.m_nFrozenRows;
  param.m_nFrozenCols = read.m_nFrozenCols;
  param.m_nDefaultColWidth = read.m_nDefaultColWidth;
  param.m_nDefaultRowHeight = read.m_nDefaultRowHeight;
  param.m_sSheetName = read.m_sSheetName;
  param.m_wActivateCell = read.m_wActivateCell;
  param.m_nHeaderRows = read.m_nHeaderRows;
  param.m_nHeaderCols = read.m_nHeaderCols;
  param.m_SelRects = read.m_SelRects;
  param.m_CoveredCellsList = read.m_CoveredCellsList;
  param.UpdateCoveredCellPool();
  param.m_RowHeights = read.m_RowHeights;
  param.m_ColWidths = read.m_ColWidths;
  param.m_abHiddenRows.Copy(read.m_abHiddenRows);
  param.m_abHiddenCols.Copy(read.m_abHiddenCols);
  param.m_wSelectionFlags = read.m_wSelectionFlags;
  param.m_wEnterDirection = read.m_wEnterDirection;
  if (schema >= 6) {
    param.m_bSortColsByRowHeader = read.m_bSortColsByRowHeader;
    param.m_bSortRowsByColHeader = read.m_bSortRowsByColHeader;
    param.m_bSpreadsheetFrame = read.m_bSpreadsheetFrame;
    param.m_bLinesAtRightBottom = read.m_bLinesAtRightBottom;
    param.m_wFloatCellsMode = read.m_wFloatCellsMode;
    param.m_wMergeCellsMode = read.m_wMergeCellsMode;
    param.m_wGridLineStyle = read.m_wGridLineStyle;
    TakePool(param.m_pFloatDelayedPool, floatDelayed);
    TakePool(param.m_pFloatSpanPool, floatSpans);
    TakePool(param.m_pMergeDelayedPool, mergeDelayed);
    TakePool(param.m_pMergeHorzPool, mergeHorz);
    TakePool(param.m_pMergeVertPool, mergeVert);
  }
  if (schema == 6) {
    RequeuePools(param, param.m_pFloatDelayedPool, {param.m_pFloatSpanPool});
    RequeuePools(param, param.m_pMergeDelayedPool, {param.m_pMergeHorzPool, param.m_pMergeVertPool});
  }
}
