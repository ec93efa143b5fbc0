#include "grid/features/GXPrintDevice.h"

#include <cstring>
#include <string>

#include "grid/core/GXAppData.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Kernel.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/PrintInfo.h"
#include "platform/framework/View.h"
#include "platform/gfx/GdiApi.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"

IMPLEMENT_SERIAL(CGXPrintDevice, CObject, 1)

namespace {

// A new movable block holding the bytes; null for none.
HGLOBAL NewBlock(const BYTE* bytes, DWORD size) {
  if (bytes == nullptr || size == 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) AfxThrowMemoryException();
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  return block;
}

void CopyOf(HGLOBAL block, CByteArray& out) {
  out.RemoveAll();
  if (block == nullptr) return;
  const SIZE_T size = GlobalSize(block);
  out.SetSize(static_cast<int>(size));
  if (size > 0) std::memcpy(out.GetData(), GlobalLock(block), size);
  GlobalUnlock(block);
}

HGLOBAL CopyBlock(HGLOBAL block) {
  CByteArray bytes;
  CopyOf(block, bytes);
  return NewBlock(bytes.GetData(), static_cast<DWORD>(bytes.GetSize()));
}

bool SameBytes(HGLOBAL block, const BYTE* bytes, DWORD size) {
  CByteArray own;
  CopyOf(block, own);
  if (own.GetSize() == 0 || size == 0 || bytes == nullptr) return own.GetSize() == 0 && (size == 0 || bytes == nullptr);
  return static_cast<DWORD>(own.GetSize()) == size && std::memcmp(own.GetData(), bytes, size) == 0;
}

// The wait cursor of the application while the printer is looked up.
struct WaitCursor {
  WaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->BeginWaitCursor();
  }
  ~WaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->EndWaitCursor();
  }
};

}  // namespace

// ---------------------------------------------------------- the object

CGXPrintDevice::CGXPrintDevice() : m_pImp(GXGetAppData()->m_pPrintDeviceImp) {}

CGXPrintDevice::~CGXPrintDevice() {
  if (m_hPrinterDC != nullptr) ::DeleteDC(m_hPrinterDC);
  if (m_hDevNames != nullptr) GlobalFree(m_hDevNames);
  if (m_hDevMode != nullptr) GlobalFree(m_hDevMode);
}

CGXPrintDevice& CGXPrintDevice::operator=(const CGXPrintDevice& other) {
  if (&other != this) SetDevice(other.m_hDevNames, other.m_hDevMode);
  return *this;
}

void CGXPrintDevice::Serialize(CArchive& ar) {
  if (m_pImp == nullptr) return;
  if (ar.IsStoring()) {
    CByteArray names, mode;
    m_pImp->CopyBlocks(this, m_hDevNames, m_hDevMode, names, mode);
    ar << kSchema;
    for (const CByteArray* block : {&names, &mode}) {
      ar << static_cast<DWORD>(block->GetSize());
      if (block->GetSize() > 0) ar.Write(block->GetData(), static_cast<UINT>(block->GetSize()));
    }
    return;
  }
  WORD schema = 0;
  ar >> schema;
  if (schema != kSchema) AfxThrowArchiveException(CArchiveException::badSchema);
  CByteArray blocks[2];
  for (CByteArray& block : blocks) {
    DWORD size = 0;
    ar >> size;
    // A length the archive cannot hold is a damaged archive, not a huge
    // allocation.
    const std::int64_t available = ar.BytesAvailable();
    if (available >= 0 && static_cast<std::int64_t>(size) > available)
      AfxThrowArchiveException(CArchiveException::endOfFile);
    if (size > 0x7FFFFFFFu) AfxThrowArchiveException(CArchiveException::endOfFile);
    block.SetSize(static_cast<int>(size));
    if (size > 0) ar.EnsureRead(block.GetData(), size);
  }
  m_pImp->SetDeviceData(this, blocks[0].GetData(), static_cast<DWORD>(blocks[0].GetSize()), blocks[1].GetData(),
                        static_cast<DWORD>(blocks[1].GetSize()));
}

HDC CGXPrintDevice::GetPrinterDC() { return m_pImp != nullptr ? m_pImp->GetPrinterDC(this) : nullptr; }

void CGXPrintDevice::ResetPrinterDC() {
  if (m_pImp != nullptr) m_pImp->ReleasePrinterDC(this);
}

void CGXPrintDevice::SetDevice(HGLOBAL devNames, HGLOBAL devMode) {
  if (m_pImp != nullptr) m_pImp->SetDevice(this, devNames, devMode);
}

void CGXPrintDevice::SetDeviceData(const BYTE* devNames, DWORD devNamesSize, const BYTE* devMode, DWORD devModeSize) {
  if (m_pImp != nullptr) m_pImp->SetDeviceData(this, devNames, devNamesSize, devMode, devModeSize);
}

void CGXPrintDevice::GetDeviceData(CByteArray& devNames, CByteArray& devMode) {
  if (m_pImp != nullptr) m_pImp->CopyBlocks(this, m_hDevNames, m_hDevMode, devNames, devMode);
}

void CGXPrintDevice::EnsureDevice() {
  if (m_pImp != nullptr && m_hDevNames == nullptr) m_pImp->GetDefaultPrinter(this);
}

BOOL CGXPrintDevice::IsSameDevice(HGLOBAL devNames, HGLOBAL devMode) {
  return m_pImp != nullptr ? m_pImp->IsSameDevice(this, devNames, devMode) : FALSE;
}

// --------------------------------------------------------- the feature

void CGXPrintDeviceImp::MakeApplicationPrinter(CGXPrintDevice* device) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr || device == nullptr) return;
  HGLOBAL names = nullptr, mode = nullptr;
  GiveApplicationCopies(device, names, mode);
  if (app->m_hDevNames != nullptr) GlobalFree(app->m_hDevNames);
  if (app->m_hDevMode != nullptr) GlobalFree(app->m_hDevMode);
  app->m_hDevNames = names;
  app->m_hDevMode = mode;
}

INT_PTR CGXPrintDeviceImp::PrinterSetup(CGXPrintDevice* device, CPrintDialog* dialog) {
  if (device == nullptr || dialog == nullptr) return 0;
  {
    WaitCursor wait;
    device->EnsureDevice();
    MakeApplicationPrinter(device);
  }
  CWinApp* app = AfxGetApp();
  // Without an application object to carry the printer there, the dialog
  // is given copies of the grid's own (the caller's to free, as the blocks
  // a dialog makes itself).
  PRINTDLG& pd = dialog->m_pd;
  if (app == nullptr && pd.hDevNames == nullptr && pd.hDevMode == nullptr)
    GiveApplicationCopies(device, pd.hDevNames, pd.hDevMode);
  const INT_PTR result = app != nullptr ? app->DoPrintDialog(dialog) : dialog->DoModal();
  if (result == IDOK) SetDevice(device, dialog->m_pd.hDevNames, dialog->m_pd.hDevMode);
  return result;
}

BOOL CGXPrintDeviceImp::PreparePrinting(CView* view, CGXPrintDevice* device, CPrintInfo* info) {
  if (view == nullptr || info == nullptr) return FALSE;
  if (device == nullptr) return view->DoPreparePrinting(info);
  {
    WaitCursor wait;
    device->EnsureDevice();
    MakeApplicationPrinter(device);
  }
  if (!view->DoPreparePrinting(info)) return FALSE;
  const PRINTDLG& pd = info->m_pPD->m_pd;
  if (!IsSameDevice(device, pd.hDevNames, pd.hDevMode)) SetDevice(device, pd.hDevNames, pd.hDevMode);
  return TRUE;
}

void CGXPrintDeviceImp::SetDevice(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode) {
  CByteArray names, mode;
  CopyBlocks(device, devNames, devMode, names, mode);
  SetDeviceData(device, names.GetData(), static_cast<DWORD>(names.GetSize()), mode.GetData(),
                static_cast<DWORD>(mode.GetSize()));
}

void CGXPrintDeviceImp::SetDeviceData(CGXPrintDevice* device, const BYTE* devNames, DWORD devNamesSize,
                                      const BYTE* devMode, DWORD devModeSize) {
  FreeDevice(device);
  device->m_hDevNames = NewBlock(devNames, devNamesSize);
  device->m_hDevMode = NewBlock(devMode, devModeSize);
}

void CGXPrintDeviceImp::FreeDevice(CGXPrintDevice* device) {
  ReleasePrinterDC(device);
  if (device->m_hDevNames != nullptr) GlobalFree(device->m_hDevNames);
  if (device->m_hDevMode != nullptr) GlobalFree(device->m_hDevMode);
  device->m_hDevNames = device->m_hDevMode = nullptr;
}

void CGXPrintDeviceImp::CopyBlocks(CGXPrintDevice*, HGLOBAL devNames, HGLOBAL devMode, CByteArray& devNamesCopy,
                                   CByteArray& devModeCopy) {
  CopyOf(devNames, devNamesCopy);
  CopyOf(devMode, devModeCopy);
}

void CGXPrintDeviceImp::GetDefaultPrinter(CGXPrintDevice* device) {
  CPrintDialog dialog(TRUE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE);
  if (!dialog.GetDefaults()) return;
  PRINTDLG& pd = dialog.m_pd;
  if (pd.hDevMode != nullptr && GlobalSize(pd.hDevMode) >= sizeof(DEVMODE)) {
    auto* mode = static_cast<DEVMODE*>(GlobalLock(pd.hDevMode));
    mode->dmTTOption = 1;  // TrueType fonts as graphics
    GlobalUnlock(pd.hDevMode);
  }
  SetDevice(device, pd.hDevNames, pd.hDevMode);
  if (pd.hDevNames != nullptr) GlobalFree(pd.hDevNames);
  if (pd.hDevMode != nullptr) GlobalFree(pd.hDevMode);
  pd.hDevNames = pd.hDevMode = nullptr;
  if (pd.hDC != nullptr) ::DeleteDC(pd.hDC);
  pd.hDC = nullptr;
}

HDC CGXPrintDeviceImp::GetPrinterDC(CGXPrintDevice* device) {
  if (device->m_hPrinterDC != nullptr) return device->m_hPrinterDC;
  device->EnsureDevice();
  std::string driver, name, output;
  if (!printing::ReadDevNames(device->m_hDevNames, &driver, &name, &output)) return nullptr;
  DEVMODE mode;
  const bool haveMode = printing::ReadDevMode(device->m_hDevMode, &mode);
  device->m_hPrinterDC = ::CreateDC(driver.c_str(), name.c_str(), output.c_str(), haveMode ? &mode : nullptr);
  return device->m_hPrinterDC;
}

void CGXPrintDeviceImp::ReleasePrinterDC(CGXPrintDevice* device) {
  if (device->m_hPrinterDC != nullptr) ::DeleteDC(device->m_hPrinterDC);
  device->m_hPrinterDC = nullptr;
}

void CGXPrintDeviceImp::GiveApplicationCopies(CGXPrintDevice* device, HGLOBAL& devNames, HGLOBAL& devMode) {
  devNames = CopyBlock(device->m_hDevNames);
  devMode = CopyBlock(device->m_hDevMode);
}

BOOL CGXPrintDeviceImp::IsSameDevice(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode) {
  CByteArray names, mode;
  CopyBlocks(device, devNames, devMode, names, mode);
  return CompareDeviceData(device, names.GetData(), static_cast<DWORD>(names.GetSize()), mode.GetData(),
                           static_cast<DWORD>(mode.GetSize()));
}

BOOL CGXPrintDeviceImp::CompareDeviceData(CGXPrintDevice* device, const BYTE* devNames, DWORD devNamesSize,
                                          const BYTE* devMode, DWORD devModeSize) {
  return SameBytes(device->m_hDevNames, devNames, devNamesSize) && SameBytes(device->m_hDevMode, devMode, devModeSize);
}
