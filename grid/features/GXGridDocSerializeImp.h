// The binary archive layout of a whole grid document: the parameter object
// with the styles map, data, properties and printer settings it owns, the
// selection and covered lists, sizes, hidden flags and span pools.
// Readers take every older schema and refuse newer ones as a bad schema.
// Every reader builds what it reads aside and puts it in place only once
// the whole object has been read, so a damaged archive leaves the object
// as it was.
#pragma once

#include "grid/core/GXFeatures.h"

class CGXStylePtrArray;
class CGXStylePtrArrayPtrArray;

class CGXGridDocSerializeImpl : public CGXGridDocSerializeImp {
 public:
  static constexpr WORD kParamSchema = 10;
  static constexpr WORD kPropertiesSchema = 4;
  static constexpr WORD kDataSchema = 1;
  static constexpr WORD kArraySchema = 1;
  static constexpr WORD kStylesMapSchema = 2;
  // The highest row or column an archive may name; beyond it the archive
  // is refused (the arrays hold one pointer per row or column).
  static constexpr DWORD kMaxIndex = (1u << 22) - 1;

  void SerializeStylesMap(CGXStylesMap& map, CArchive& ar) override;
  void SerializeData(CGXData& data, CArchive& ar) override;
  void SerializeRowArrays(CObject& arrays, CArchive& ar) override;
  void SerializeStyleArray(CObject& styles, CArchive& ar) override;
  void SerializeProperties(CGXProperties& properties, CArchive& ar) override;
  void SerializeParam(CGXGridParam& param, CArchive& ar) override;

 private:
  static void WriteStyleArray(const CGXStylePtrArray& styles, CArchive& ar);
  static void ReadStyleArray(CGXStylePtrArray& out, CArchive& ar);
  static void WriteRowArrays(const CGXStylePtrArrayPtrArray& rows, CArchive& ar);
  static void ReadRowArrays(CGXStylePtrArrayPtrArray& out, CArchive& ar);
  static void WriteData(const CGXData& data, CArchive& ar);
  // Reads a data body and puts it into `data` when it is whole.
  static void ReadData(CGXData& data, CArchive& ar);
  static void SwapData(CGXData& a, CGXData& b);
  void WriteParam(CGXGridParam& param, CArchive& ar);
  void ReadParam(CGXGridParam& param, CArchive& ar);
  void WriteProperties(CGXProperties& properties, CArchive& ar);
  void ReadProperties(CGXProperties& properties, CArchive& ar);
  void ReadStylesMap(CGXStylesMap& map, CArchive& ar);
};
