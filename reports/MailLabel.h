// Mailing-label definitions: the 112-byte stock description, the label
// object that holds and checks one, and the store of the labels file
// shared by every fiscal year.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"

class CDC;
class CWnd;

// The record, byte for byte as in the file (little-endian, no padding).
struct MailLabelDef {
  char name[48];  // empty: a blank record
  int32_t kind;   // 2 label, 1 card
  int32_t cls;    // 1 user definition, 2 predefined (bit value 2)
  int32_t feed;   // 1 sheet, 2 continuous
  float pageWidth;
  float pageHeight;
  float labelHeight;
  float labelWidth;
  float cornerRadius;
  int32_t across;
  int32_t down;
  float topMargin;
  float bottomMargin;
  float leftMargin;
  float rightMargin;
  float hPitch;
  float vPitch;
};
static_assert(sizeof(MailLabelDef) == 112, "the label record is 112 bytes");

inline constexpr int kLabelKindCard = 1;
inline constexpr int kLabelKindLabel = 2;
inline constexpr int kLabelClassUser = 1;
inline constexpr int kLabelClassPredefined = 2;

class CMailLabel {
 public:
  CMailLabel() { SetDefaults(); }
  virtual ~CMailLabel() = default;

  void SetDefaults();
  void GetDefinition(MailLabelDef* out) const;
  void SetDefinition(const MailLabelDef* in);
  const MailLabelDef& Definition() const { return def_; }
  // The name, cut to the field.
  void SetName(const char* name);
  const char* GetName() const { return def_.name; }

  // True when the definition is sound; else the first problem in `error`.
  bool Validate(CString& error) const;
  static bool CheckMeasure(const char* name, float value, bool zeroAllowed, CString& error);
  // True for 1 to across x down; else the range appended to `error`.
  bool ValidateLabelNumber(int number, CString& error) const;

  // Draws the sheet to scale over the area of `control` (a child of the
  // window `dc` draws in), with each label's number when `numbers` is set,
  // and remembers every label's box for HitTest. False, with nothing
  // drawn, when the definition is not valid (its problem in `error`).
  bool DrawSheet(CDC* dc, CWnd* control, bool numbers, CString& error);
  // The number of the label drawn at (x, y), in the device coordinates of
  // the window drawn in; -1 for none.
  int HitTest(int x, int y) const;

 private:
  MailLabelDef def_;
  // The boxes of the last drawing, label 1 first, row by row.
  std::vector<RECT> boxes_;
};

class CMailLabelDBase {
 public:
  CMailLabelDBase() = default;
  virtual ~CMailLabelDBase();
  CMailLabelDBase(const CMailLabelDBase&) = delete;
  CMailLabelDBase& operator=(const CMailLabelDBase&) = delete;

  void SetFileName(const char* name);
  const char* GetFileName() const { return fileName_.c_str(); }
  // Nested: the outermost Open opens (or creates) the file, the matching
  // Close closes it.
  bool Open();
  bool Close();
  // Records in the file (its size / 112); 0 when there is no file.
  int GetCount() const;
  // The record whose name matches without regard to case; `number` is that
  // record, or the count (where a new one is appended).
  bool Find(const char* name, int* number);
  // On the file of an enclosing Open. Get is false for a blank record.
  bool Get(int number, MailLabelDef* out);
  bool Put(int number, const MailLabelDef* in);
  bool GetNames(int classMask, int kindMask, std::vector<std::string>* names);
  bool Store(const CMailLabel& label);
  bool Delete(CMailLabel& label);
  bool Retrieve(CMailLabel& label);
  bool ClearUserDefinitions();
  CString GetErrorText() const { return error_; }

 private:
  CString error_;
  std::FILE* file_ = nullptr;
  std::string fileName_ = "labels.dat";
  int openCount_ = 0;
};

extern CMailLabel CurrentMailLabel;
extern CMailLabelDBase MailLabelStore;

// The last error text of a store object.
inline CString GetErrorText(const CMailLabelDBase& store) { return store.GetErrorText(); }
