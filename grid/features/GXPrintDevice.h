// A grid's own printer, kept apart from the application's current one: the
// printer's DEVNAMES and DEVMODE blocks and a printer DC made from them on
// demand. It travels with the grid document. The work is done by the
// application-wide printer feature; without it the object does nothing.
#pragma once

#include "grid/core/GXFeatures.h"
#include "platform/Afx.h"

class CGXPrintDevice : public CObject {
  DECLARE_SERIAL(CGXPrintDevice)

 public:
  static constexpr WORD kSchema = 1;

  CGXPrintDevice();
  CGXPrintDevice(const CGXPrintDevice&) = delete;
  CGXPrintDevice& operator=(const CGXPrintDevice& other);
  ~CGXPrintDevice() override;

  void Serialize(CArchive& ar) override;
  // The printer DC, made on first use (null when there is no printer).
  virtual HDC GetPrinterDC();
  virtual void ResetPrinterDC();

  void SetDevice(HGLOBAL devNames, HGLOBAL devMode);
  void SetDeviceData(const BYTE* devNames, DWORD devNamesSize, const BYTE* devMode, DWORD devModeSize);
  void GetDeviceData(CByteArray& devNames, CByteArray& devMode);
  // Takes the default printer when the object has none.
  void EnsureDevice();
  BOOL IsSameDevice(HGLOBAL devNames, HGLOBAL devMode);
  BOOL IsEmpty() const { return m_hDevNames == nullptr; }

  HGLOBAL m_hDevMode = nullptr;
  HGLOBAL m_hDevNames = nullptr;
  HDC m_hPrinterDC = nullptr;
  CGXAbstractPrintDeviceImp* m_pImp;
};

class CGXPrintDeviceImp : public CGXAbstractPrintDeviceImp {
 public:
  void MakeApplicationPrinter(CGXPrintDevice* device) override;
  INT_PTR PrinterSetup(CGXPrintDevice* device, CPrintDialog* dialog) override;
  BOOL PreparePrinting(CView* view, CGXPrintDevice* device, CPrintInfo* info) override;
  void SetDevice(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode) override;
  void SetDeviceData(CGXPrintDevice* device, const BYTE* devNames, DWORD devNamesSize, const BYTE* devMode,
                     DWORD devModeSize) override;
  void FreeDevice(CGXPrintDevice* device) override;
  void CopyBlocks(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode, CByteArray& devNamesCopy,
                  CByteArray& devModeCopy) override;
  void GetDefaultPrinter(CGXPrintDevice* device) override;
  HDC GetPrinterDC(CGXPrintDevice* device) override;
  void ReleasePrinterDC(CGXPrintDevice* device) override;
  void GiveApplicationCopies(CGXPrintDevice* device, HGLOBAL& devNames, HGLOBAL& devMode) override;
  BOOL IsSameDevice(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode) override;
  BOOL CompareDeviceData(CGXPrintDevice* device, const BYTE* devNames, DWORD devNamesSize, const BYTE* devMode,
                         DWORD devModeSize) override;
};
