// The object cell and its viewer.
#include "grid/cells/GXOlePreview.h"

#include <cstring>

#include "grid/core/GXAppData.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/host/Keys.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"

const GXControlClass CGXOlePreview::CGXOlePreviewRecord = {"CGXOlePreview", &CGXStatic::CGXStaticRecord};

namespace {
constexpr UINT kBadData = 20134, kCopyFailed = 20203, kCutFailed = 20204, kViewerOpen = 20206,
               kNoInsertDialog = 20207;
constexpr int kButtonWidth = 13;

void Tell(UINT id) { AfxMessageBox(GXGetString(id)); }

// The record bytes of a byte-array variant.
std::vector<BYTE> BytesOf(const VARIANT& variant) { return variant.byteArray; }
}  // namespace

UINT GXOleObjectClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormat("Embedded Object");
  return format;
}

// ------------------------------------------------------------------ viewer

BOOL CGXOleViewer::GetStoredData(const CGXStyle& style, std::vector<BYTE>& bytes, BOOL* refused) {
  if (refused != nullptr) *refused = FALSE;
  if (m_variant.vt != VT_EMPTY) {
    if (!GXIsByteArray(m_variant)) return FALSE;
    bytes = BytesOf(m_variant);
    return TRUE;
  }
  const VARIANT* stored = GXStyleVariant(style, GX_IDS_UA_OLEOBJECT);
  if (stored == nullptr || stored->vt == VT_EMPTY || stored->vt == VT_NULL) return FALSE;
  if (!GXIsByteArray(*stored)) {
    Tell(kBadData);
    if (refused != nullptr) *refused = TRUE;
    return FALSE;
  }
  bytes = BytesOf(*stored);
  return TRUE;
}

void CGXOleViewer::NotifyOwner() {
  if (m_pOwner == nullptr) return;
  m_pOwner->OnModifyCell();
  m_pOwner->SetModify(TRUE);
}

BOOL CGXOleViewer::CanPaste() { return ::IsClipboardFormatAvailable(GXOleObjectClipboardFormat()); }

BOOL CGXOleViewer::Paste() {
  CWnd* owner = m_pOwner != nullptr ? m_pOwner->GetGridWnd() : nullptr;
  if (!::OpenClipboard(owner != nullptr ? owner->GetSafeHwnd() : nullptr)) return FALSE;
  std::vector<BYTE> bytes;
  if (HANDLE block = ::GetClipboardData(GXOleObjectClipboardFormat()); block != nullptr) {
    const auto* data = static_cast<const BYTE*>(::GlobalLock(block));
    if (data != nullptr) bytes.assign(data, data + ::GlobalSize(block));
    ::GlobalUnlock(block);
  }
  ::CloseClipboard();
  GXOleObjectRecord record;
  if (!GXDecodeOleRecord(bytes, record)) return FALSE;
  m_variant = GXByteArrayVariant(std::move(bytes));
  return TRUE;
}

BOOL CGXGenericViewerImpl::Open(const CGXStyle& style, CGXGridCore* grid, CGXControl* owner, BOOL show) {
  std::vector<BYTE> bytes;
  BOOL refused = FALSE;
  const BOOL stored = GetStoredData(style, bytes, &refused);
  // A value that was refused is not replaced by a new object either.
  if (refused) return FALSE;
  m_pOwner = owner;
  const BOOL opened = stored ? LoadObject(bytes, grid, show) : InsertNewObject(grid);
  if (!opened) m_pOwner = nullptr;
  return opened;
}

BOOL CGXGenericViewerImpl::LoadObject(const std::vector<BYTE>& bytes, CGXGridCore*, BOOL) {
  GXOleObjectRecord record;
  if (!GXDecodeOleRecord(bytes, record)) {
    Tell(kBadData);
    return FALSE;
  }
  // No object server runs on this system: the object stays in the cell,
  // unopened.
  CString text;
  text.Format("The embedded object \"%s\" (%s) cannot be shown: no program on this system opens it.",
              record.name.c_str(), record.className.c_str());
  AfxMessageBox(text);
  return FALSE;
}

BOOL CGXGenericViewerImpl::InsertNewObject(CGXGridCore*) {
  Tell(kNoInsertDialog);
  return FALSE;
}

CGXOleViewer* CGXViewerManager::GetViewer(long id) {
  std::unique_ptr<CGXOleViewer>& viewer = viewers_[id];
  if (!viewer) viewer = std::make_unique<CGXGenericViewerImpl>();
  return viewer.get();
}

// -------------------------------------------------------------------- cell

CGXOlePreview::CGXOlePreview(CGXGridCore* grid)
    : CGXStatic(grid), m_pViewerManager(std::make_unique<CGXViewerManager>()) {
  m_pButton = new CGXHotSpotButton(this);
  AddChild(m_pButton);
  GXOleObjectClipboardFormat();
}

void CGXOlePreview::Init(ROWCOL row, ROWCOL col) {
  CGXStatic::Init(row, col);
  if (CWnd* wnd = GetGridWnd(); wnd != nullptr && wnd->GetSafeHwnd() != nullptr) {
    const CRect r = m_pButton->GetRect();
    wnd->InvalidateRect(&r, FALSE);
  }
  Refresh();
}

CRect CGXOlePreview::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXStatic::GetCellRect(row, col, cellRect, style);
  rect.right -= kButtonWidth;
  return rect;
}

CSize CGXOlePreview::CalcSize(int width, int height, const CGXStyle& style) {
  return CGXStatic::CalcSize(width + kButtonWidth, height, style);
}

void CGXOlePreview::OnInitChildren(ROWCOL row, ROWCOL col, const CRect& text) {
  // The button sits at the cell's right edge, right of the text.
  CGXStyle composed;
  const CGXStyle* style = &composed;
  if (IsInitializedFor(row, col)) style = &CGXControl::GetStyle();
  else m_pGrid->ComposeStyleRowCol(row, col, composed);
  const int e = TextInset();
  const BOOL right = style->GetIncludeHorizontalAlignment() && style->GetHorizontalAlignment() == DT_RIGHT;
  CRect cell = text;
  cell.right += kButtonWidth + (right ? e + 1 : e / 2);
  CRect button(cell.right - 14, cell.top, cell.right - 1, cell.top + 13);
  button.IntersectRect(&button, &cell);
  if (button.Height() < cell.Height() - 1) button.OffsetRect(0, 1);
  m_pButton->SetRect(button);
}

void CGXOlePreview::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                         const CGXStyle* baseStyle) {
  CGXStatic::Draw(dc, rect, row, col, style, baseStyle);
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);  // the button
}

BOOL CGXOlePreview::HasStoredObject() {
  if (!m_bInit) return FALSE;
  const VARIANT* stored = GXStyleVariant(CGXControl::GetStyle(), GX_IDS_UA_OLEOBJECT);
  return stored != nullptr && GXIsByteArray(*stored);
}

CWnd* CGXOlePreview::PrepareViewer() {
  HWND focus = ::GetFocus();
  MSG message;
  while (focus != nullptr && ::PeekMessage(&message, focus, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  m_pGrid->ScrollCellInView(m_nRow, m_nCol);
  return focus != nullptr ? CWnd::FromHandle(focus) : nullptr;
}

void CGXOlePreview::RestoreFocus(CWnd* window) {
  if (window != nullptr && ::IsWindow(window->GetSafeHwnd())) window->SetFocus();
}

void CGXOlePreview::BeginPopup() {
  m_bSavedInDropDown = GXGetAppData()->m_bInDropDown;
  GXSetInDropDown(TRUE);
}

void CGXOlePreview::EndPopup() { GXSetInDropDown(m_bSavedInDropDown); }

void CGXOlePreview::ShowViewerOpen() {
  Tell(kViewerOpen);
  if (m_pOpenViewer != nullptr) m_pOpenViewer->Activate();
}

CGXOleViewer* CGXOlePreview::GetViewer() {
  auto* host = dynamic_cast<CGXOleViewerHost*>(m_pGrid);
  if (host == nullptr || !m_bInit) return nullptr;
  long id = -1;
  const CGXStyle& style = CGXControl::GetStyle();
  if (style.HasUserAttribute(GX_IDS_UA_OLEVIEWERID)) {
    const CString text = style.GetUserAttribute(GX_IDS_UA_OLEVIEWERID).GetValue();
    if (!text.IsEmpty()) id = std::atol(text);
  }
  return host->GetOleViewer(m_nRow, m_nCol, id, m_pViewerManager->GetViewer(id));
}

void CGXOlePreview::OnClickedButton(CGXChild* child) {
  CGXControl::OnClickedButton(child);
  if (!OnStartEditing()) return;
  if (m_pOpenViewer != nullptr) {
    m_pOpenViewer->Activate();
    return;
  }
  CGXOleViewer* viewer = GetViewer();
  if (viewer == nullptr) return;
  CWnd* focus = PrepareViewer();
  SetActive(TRUE);
  BeginPopup();
  const BOOL opened = viewer->Open(CGXControl::GetStyle(), m_pGrid, this, TRUE);
  RestoreFocus(focus);
  if (opened) {
    m_pOpenViewer = viewer;
  } else {
    EndPopup();
    SetActive(FALSE);
  }
}

BOOL CGXOlePreview::Store() {
  if (m_pStyle == nullptr || !m_bModified || !m_bInit) return TRUE;
  SetActive(FALSE);
  if (m_pOpenViewer == nullptr) return TRUE;
  const VARIANT* existing = GXStyleVariant(CGXControl::GetStyle(), GX_IDS_UA_OLEOBJECT);
  auto* attribute = new CGXOleVarUserAttribute;
  if (existing != nullptr) attribute->SetValue(*existing);
  attribute->SetValue(m_pOpenViewer->GetVariant());
  CGXStyle style;
  style.SetUserAttribute(GX_IDS_UA_OLEOBJECT, attribute);
  m_bModified = FALSE;
  return m_pGrid->ApplyStyle(CGXRange(m_nRow, m_nCol), style);
}

BOOL CGXOlePreview::OnCancelEditing() {
  if (m_pOpenViewer != nullptr) {
    m_pOpenViewer->Close();
    m_pOpenViewer->Clear();
    m_pOpenViewer = nullptr;
  }
  m_bModified = FALSE;
  return CGXStatic::OnCancelEditing();
}

BOOL CGXOlePreview::NotifyLeftCell(ROWCOL newRow, ROWCOL newCol) {
  // The viewer's object goes into the cell before the viewer forgets it.
  if (m_pOpenViewer != nullptr) {
    if (m_bModified) Store();
    m_pOpenViewer->Close();
    m_pOpenViewer->Clear();
    m_pOpenViewer = nullptr;
  }
  return CGXStatic::NotifyLeftCell(newRow, newCol);
}

BOOL CGXOlePreview::KeyDown(UINT key, UINT, UINT) {
  if (key != VK_DELETE || (::GetKeyState(VK_CONTROL) & 0x8000) != 0) return FALSE;
  if (m_pOpenViewer != nullptr) {
    ShowViewerOpen();
    return TRUE;
  }
  if (!OnStartEditing()) return TRUE;
  CGXOleViewer* viewer = GetViewer();
  if (viewer == nullptr) return TRUE;
  SetActive(TRUE);
  viewer->m_pOwner = this;
  m_pOpenViewer = viewer;
  viewer->Clear();
  m_bModified = TRUE;
  m_pGrid->TransferCurrentCell();
  return TRUE;
}

BOOL CGXOlePreview::CopyRecord(UINT failure) {
  std::vector<BYTE> bytes;
  CGXOleViewer* viewer = GetViewer();
  if (viewer != nullptr && GXIsByteArray(viewer->GetVariant())) {
    bytes = viewer->GetVariant().byteArray;
  } else if (HasStoredObject()) {
    bytes = GXStyleVariant(CGXControl::GetStyle(), GX_IDS_UA_OLEOBJECT)->byteArray;
  }
  GXOleObjectRecord record;
  CWnd* grid = GetGridWnd();
  BOOL done = FALSE;
  if (GXDecodeOleRecord(bytes, record) && ::OpenClipboard(grid != nullptr ? grid->GetSafeHwnd() : nullptr)) {
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block != nullptr) {
      std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
      ::GlobalUnlock(block);
      done = ::SetClipboardData(GXOleObjectClipboardFormat(), block) != nullptr;
      if (!done) ::GlobalFree(block);
    }
    ::CloseClipboard();
  }
  if (!done) Tell(failure);
  return done;
}

BOOL CGXOlePreview::Copy() {
  if (m_pOpenViewer != nullptr) {
    ShowViewerOpen();
    return FALSE;
  }
  if (GetViewer() == nullptr) return FALSE;
  return CopyRecord(kCopyFailed);
}

BOOL CGXOlePreview::Cut() {
  if (m_pOpenViewer != nullptr) {
    ShowViewerOpen();
    return FALSE;
  }
  if (!OnStartEditing()) return FALSE;
  CGXOleViewer* viewer = GetViewer();
  if (viewer == nullptr || !CopyRecord(kCutFailed)) return FALSE;
  SetActive(TRUE);
  viewer->m_pOwner = this;
  viewer->Clear();
  m_pOpenViewer = viewer;
  viewer->NotifyOwner();
  return TRUE;
}

BOOL CGXOlePreview::Paste() {
  if (m_pOpenViewer != nullptr) {
    ShowViewerOpen();
    return FALSE;
  }
  if (!OnStartEditing()) return FALSE;
  CGXOleViewer* viewer = GetViewer();
  if (viewer == nullptr) return FALSE;
  SetActive(TRUE);
  viewer->m_pOwner = this;
  if (!viewer->Paste()) {
    Tell(kBadData);
    viewer->Clear();
    viewer->m_pOwner = nullptr;
    SetActive(FALSE);
    return FALSE;
  }
  m_pOpenViewer = viewer;
  viewer->NotifyOwner();
  return TRUE;
}

BOOL CGXOlePreview::CanCopy() {
  if (m_pOpenViewer != nullptr) return FALSE;
  CGXOleViewer* viewer = GetViewer();
  return (viewer != nullptr && viewer->CanCopy()) || HasStoredObject();
}

BOOL CGXOlePreview::CanCut() { return CanCopy(); }

BOOL CGXOlePreview::CanPaste() {
  if (m_pOpenViewer != nullptr) return FALSE;
  CGXOleViewer* viewer = GetViewer();
  return viewer != nullptr && viewer->CanPaste();
}
