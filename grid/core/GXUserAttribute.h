// User attributes: values by 16-bit id that cell types read from a style
// for their own settings, and the sorted map in which a style keeps them.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CArchive.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"

// Text to number when the number-formatting feature is enabled; the text is
// a number only when the number printed back with "%.13g" is that text.
BOOL GXTextToNumber(LPCTSTR text, double& number);

class CGXAbstractUserAttribute : public CObject {
  DECLARE_SERIAL(CGXAbstractUserAttribute)

 public:
  CGXAbstractUserAttribute() = default;
  void Serialize(CArchive& ar) override;
  virtual CGXAbstractUserAttribute& SetValue(LPCTSTR text);
  virtual CGXAbstractUserAttribute& SetValueString(const CString& text) { return SetValue(text); }
  // The value as text (a copy, so that two values can be compared).
  virtual CString GetValue() const;
  virtual LONG GetLongValue() const;
  virtual DWORD GetDWordValue() const;
  virtual double GetDoubleValue() const;
  virtual CGXAbstractUserAttribute* Clone() const { return nullptr; }
  virtual BOOL IsEqual(const CGXAbstractUserAttribute& other) const;
  virtual BOOL IsEmpty() const { return GetValue().IsEmpty(); }

  WORD m_nId = 0;
};

class CGXUserAttribute : public CGXAbstractUserAttribute {
  DECLARE_SERIAL(CGXUserAttribute)

 public:
  enum Kind : BYTE { none = 0, unsignedNumber = 1, signedNumber = 2, shortText = 3, longText = 4, real = 5, bytes = 6 };

  CGXUserAttribute() = default;
  explicit CGXUserAttribute(LPCTSTR text) { SetValue(text); }
  explicit CGXUserAttribute(const CString& text) { SetValue(text); }
  CGXUserAttribute(const CGXUserAttribute& other);
  CGXUserAttribute& operator=(const CGXUserAttribute&) = delete;
  ~CGXUserAttribute() override { ReleaseText(); }

  void Serialize(CArchive& ar) override;
  CGXAbstractUserAttribute& SetValue(LPCTSTR text) override;
  CString GetValue() const override;
  LONG GetLongValue() const override;
  DWORD GetDWordValue() const override { return static_cast<DWORD>(GetLongValue()); }
  double GetDoubleValue() const override;
  CGXAbstractUserAttribute* Clone() const override { return new CGXUserAttribute(*this); }
  BOOL IsEqual(const CGXAbstractUserAttribute& other) const override;

  CGXUserAttribute& SetDWord(DWORD value);
  CGXUserAttribute& SetLong(LONG value);
  CGXUserAttribute& SetDouble(double value);
  CGXUserAttribute& SetBytes(const BYTE (&value)[8]);
  BYTE GetKind() const { return kind_; }

 private:
  void ReleaseText();
  void SetText(const char* text, std::size_t length);
  CString Text() const;

  BYTE kind_ = none;
  BYTE value_[8] = {};
  char* longText_ = nullptr;  // kind 4
};

class CGXEllipseUserAttribute : public CGXAbstractUserAttribute {
  DECLARE_SERIAL(CGXEllipseUserAttribute)

 public:
  CGXEllipseUserAttribute() = default;
  explicit CGXEllipseUserAttribute(DWORD number) : number_(number) {}
  void Serialize(CArchive& ar) override;
  CGXAbstractUserAttribute& SetValue(LPCTSTR) override { return *this; }
  CString GetValue() const override { return CString(); }
  LONG GetLongValue() const override { return static_cast<LONG>(number_); }
  DWORD GetDWordValue() const override { return number_; }
  double GetDoubleValue() const override { return number_; }
  CGXAbstractUserAttribute* Clone() const override { return new CGXEllipseUserAttribute(number_); }
  BOOL IsEqual(const CGXAbstractUserAttribute& other) const override;
  BOOL IsEmpty() const override { return TRUE; }
  virtual void SetNumber(DWORD number) { number_ = number; }
  virtual DWORD GetNumber() const { return number_; }

 private:
  DWORD number_ = 0;
};

// Owned attribute values sorted by ascending id, each id at most once.
class CGXUserAttributeMap : public CObArray {
  DECLARE_SERIAL(CGXUserAttributeMap)

 public:
  CGXUserAttributeMap() = default;
  CGXUserAttributeMap(const CGXUserAttributeMap&) = delete;
  CGXUserAttributeMap& operator=(const CGXUserAttributeMap&) = delete;
  ~CGXUserAttributeMap() override { DeleteAll(); }
  void Serialize(CArchive& ar) override;

  CGXAbstractUserAttribute* At(int index) const { return static_cast<CGXAbstractUserAttribute*>(GetAt(index)); }
  int Find(WORD id) const;
  const CGXAbstractUserAttribute* Lookup(WORD id) const;
  void SetAttribute(WORD id, CGXAbstractUserAttribute* value);
  void SetAttributeCopy(WORD id, const CGXAbstractUserAttribute& value);
  void Remove(WORD id);
  void DeleteAll();
  BOOL IsEmpty() const { return GetSize() == 0; }
  void ChangeMap(const CGXUserAttributeMap& other, int mode);
  void WriteProfile(LPCTSTR section) const;
  void Sort();
};

CGXUserAttributeMap* GXReadUserAttributeMap(CArchive& ar);
CGXAbstractUserAttribute* GXReadAbstractUserAttribute(CArchive& ar);
