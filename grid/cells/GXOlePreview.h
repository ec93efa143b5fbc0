// The object cell: an embedded object kept in the cell's style as an
// object record (GXOleRecord.h) in a byte-array variant, with a small
// button in the cell's corner that opens the object. Opening goes through
// a viewer, handed out by the cell's viewer manager one per viewer id.
// This system has no object servers to embed or show objects with, so the
// one viewer there is checks the record and reports that it cannot show
// the object (or that no object can be inserted); the cell still keeps,
// copies, cuts, pastes and deletes its object whole, the clipboard
// carrying the record itself.
#pragma once

#include <map>
#include <memory>

#include "grid/cells/GXOleRecord.h"
#include "grid/cells/GXStyleVariant.h"
#include "grid/cells/GXStatic.h"

constexpr WORD GX_IDS_UA_OLEOBJECT = 52794;
constexpr WORD GX_IDS_UA_OLEVIEWERID = 52801;

// The clipboard format of an object record.
UINT GXOleObjectClipboardFormat();

class CGXOleViewer {
 public:
  CGXOleViewer() = default;
  CGXOleViewer(const CGXOleViewer&) = delete;
  CGXOleViewer& operator=(const CGXOleViewer&) = delete;
  virtual ~CGXOleViewer() = default;

  // Shows the cell's object (or offers a new one for an empty cell); false
  // when nothing could be shown, the user having been told why.
  virtual BOOL Open(const CGXStyle& style, CGXGridCore* grid, CGXControl* owner, BOOL show) = 0;
  virtual void Activate() = 0;
  // The record bytes: the viewer's own when it holds some, else the
  // style's. False when there is none; `refused` when the style holds a
  // variant of another kind (the user has been told).
  virtual BOOL GetStoredData(const CGXStyle& style, std::vector<BYTE>& bytes, BOOL* refused);
  virtual void Close() { m_pOwner = nullptr; }
  // The owner learns that its object changed.
  virtual void NotifyOwner();
  virtual void Clear() { VariantClear(&m_variant); }
  const VARIANT& GetVariant() const { return m_variant; }
  // A pasted record becomes the viewer's; false when the clipboard holds
  // none or a damaged one.
  virtual BOOL Paste();
  virtual BOOL CanPaste();
  virtual BOOL CanCopy() { return GXIsByteArray(m_variant); }
  virtual BOOL CanCut() { return GXIsByteArray(m_variant); }

  CGXControl* m_pOwner = nullptr;

 protected:
  COleVariant m_variant;
};

class CGXGenericViewerImpl : public CGXOleViewer {
 public:
  enum eViewerFlags { eOutOfMemory = 2, eBadRecord = 3, eNoStream = 4, eNoClientSite = 5, eNoHeader = 6 };

  BOOL Open(const CGXStyle& style, CGXGridCore* grid, CGXControl* owner, BOOL show) override;
  void Activate() override {}
  virtual BOOL LoadObject(const std::vector<BYTE>& record, CGXGridCore* grid, BOOL show);
  virtual BOOL InsertNewObject(CGXGridCore* grid);
  BOOL HasByteArray() const { return GXIsByteArray(m_variant); }
};

// One viewer per viewer id, made when first asked for.
class CGXViewerManager {
 public:
  CGXOleViewer* GetViewer(long id);

 private:
  std::map<long, std::unique_ptr<CGXOleViewer>> viewers_;
};

// A grid whose object cells get their viewers through it (the browsing
// grids); the factory makes object cells only for such grids.
class CGXOleViewerHost {
 public:
  virtual ~CGXOleViewerHost() = default;
  // May replace the viewer the cell found for (row, col).
  virtual CGXOleViewer* GetOleViewer(ROWCOL row, ROWCOL col, long id, CGXOleViewer* viewer) {
    (void)row, (void)col, (void)id;
    return viewer;
  }
};

class CGXOlePreview : public CGXStatic {
  GX_DECLARE_CONTROL_CLASS(CGXOlePreview)

 public:
  explicit CGXOlePreview(CGXGridCore* grid);

  void SetActive(BOOL on) override { m_bActive = on; }
  BOOL IsActive() override { return m_bActive; }
  void SetModify(BOOL modified) override { m_bModified = modified; }
  BOOL GetModify() override { return m_bModified; }
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  BOOL OnCancelEditing() override;
  BOOL NotifyLeftCell(ROWCOL newRow, ROWCOL newCol) override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  void SetValue(LPCTSTR) override {}
  BOOL LButtonDblClk(UINT flags, CPoint point) override { return CGXControl::LButtonDblClk(flags, point); }
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL Copy() override;
  BOOL Paste() override;
  BOOL Cut() override;
  BOOL CanCopy() override;
  BOOL CanCut() override;
  BOOL CanPaste() override;
  void OnClickedButton(CGXChild* child) override;
  void OnInitChildren(ROWCOL row, ROWCOL col, const CRect& cellRect) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;

  virtual BOOL HasStoredObject();
  virtual CWnd* PrepareViewer();
  virtual void RestoreFocus(CWnd* window);
  virtual void EndPopup();
  virtual void BeginPopup();
  virtual void ShowViewerOpen();
  virtual CGXOleViewer* GetViewer();

  CGXOleViewer* m_pOpenViewer = nullptr;
  CGXHotSpotButton* m_pButton;

 private:
  // Puts the stored record on the clipboard; false (and the failure's
  // message) when there is none that reads.
  BOOL CopyRecord(UINT failure);

  std::unique_ptr<CGXViewerManager> m_pViewerManager;
  BOOL m_bModified = FALSE;
  BOOL m_bActive = FALSE;
  BOOL m_bSavedInDropDown = FALSE;
};
