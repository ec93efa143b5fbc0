// Bitmaps named by a cell's value ("#BMP(130)" or "#BMP("name")"): the
// application-wide pool that loads each resource once as a device-independent
// bitmap in global memory, the wrapper used while one is drawn, and drawing
// it into a cell rectangle.
#pragma once

#include <map>
#include <string>

#include "platform/Afx.h"
#include "platform/base/CString.h"
#include "platform/gfx/Dc.h"
#include "platform/base/Kernel.h"

// A copy of a bitmap resource (header, colour table and bits, without the
// file header) in movable global memory; null when there is none. An id or
// a name picks one of the program's own pictures; a name holding a path
// separator picks none.
HGLOBAL GXLoadBitmapResourceToGlobal(HINSTANCE module, LPCTSTR name);
// The same from a bitmap file: null unless it is a plain file of at most
// 16 MB holding a bitmap.
HGLOBAL GXReadBitmapFile(const std::string& path);
// Colours in the table of a 40-byte bitmap header.
int GXDIBNumColors(const BYTE* header);

class CGXDIBPool : public CObject {
  DECLARE_DYNAMIC(CGXDIBPool)

 public:
  CGXDIBPool() = default;
  CGXDIBPool(const CGXDIBPool&) = delete;
  CGXDIBPool& operator=(const CGXDIBPool&) = delete;
  ~CGXDIBPool() override { RemoveAll(); }

  virtual HGLOBAL GetBitmap(LPCTSTR text);
  // The resource a reference names (an id or a name), with its pool key;
  // null when the text is no reference.
  virtual LPCTSTR ParseReference(LPCTSTR text, CString& key);
  virtual HGLOBAL LoadBitmapResource(LPCTSTR resource);
  virtual CString& FormatNameReference(LPCTSTR name, CString& text);
  virtual CString& FormatIdReference(UINT id, CString& text);

  void RemoveAll();
  int GetCount() const { return static_cast<int>(pool_.size()); }

 private:
  std::map<CString, HGLOBAL> pool_;
  CString nameBuffer_;  // the name a reference points into
};

CGXDIBPool* GXGetDIBPool();

class CGXDIB : public CObject {
  DECLARE_DYNCREATE(CGXDIB)

 public:
  CGXDIB() = default;
  CGXDIB(const CGXDIB&) = delete;
  CGXDIB& operator=(const CGXDIB&) = delete;
  ~CGXDIB() override;

  BOOL Attach(HGLOBAL dib);
  HGLOBAL Detach();
  HGLOBAL GetHandle() const { return handle_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetColorCount() const { return colors_; }

 private:
  HGLOBAL handle_ = nullptr;
  int colors_ = 0;
  int width_ = 0;
  int height_ = 0;
  BOOL isGdiObject_ = TRUE;
};

// Alignment flags of GXDrawDIB.
constexpr UINT GX_DIB_HCENTER = 1, GX_DIB_RIGHT = 2, GX_DIB_VCENTER = 4, GX_DIB_BOTTOM = 8;
// Mode 0 natural size, 1 stretched, 2 fitted.
void GXDrawDIB(CDC* dc, HGLOBAL dib, const CRect& rect, int mode, UINT align, const CRect* source);
