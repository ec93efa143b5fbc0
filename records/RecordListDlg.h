// The common behaviour of the record management dialogs: a list of one kind
// of record with Add, Edit, Delete, Close, Help and a hidden Log button,
// a caption that counts the records, and a window that remembers its size.
//
// The template holds the shared controls (resource.h: IDC_REC_TITLE bold
// heading, IDC_REC_SEPARATOR line under it, IDC_REC_LIST a list view or
// list box, IDC_REC_ADD, IDC_REC_EDIT, IDC_REC_DELETE, IDC_REC_LOG,
// IDCANCEL as Close, IDC_SHELL_HELP) and a sizing frame. A dialog of an
// entity derives from CRecordListDlg and supplies its rows, its caption and
// what its buttons do; everything else is done here:
//
// - opening: the settings section is opened and held until the window is
//   destroyed, its 'X' and 'Y' give the remembered size; the heading is
//   bold, the list set up (SetupList) and filled; the first layout is the
//   minimum size;
// - refill: the list is filled (FillRows) in the primary index's order, the
//   current position's row selected (the first row when there is none),
//   then the caption and the buttons refreshed;
// - buttons: Add while the table has a free slot, Edit and Delete while a
//   row is selected, Log disabled and hidden, then UpdateEntityButtons;
// - resizing: clamped to the minimum size, the list, the separator and the
//   buttons of the right edge follow (MoveControls);
// - Add, Edit, Delete and double click as the entity's hooks say;
// - Log: the dump of WriteLog through the text viewer.
#pragma once

#include <cstdio>

#include "common/DialogSizer.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"
#include "records/RecordList.h"

struct SettingsSection;

class CRecordListDlg : public CDialog {
 public:
  // `section` names the dialog's settings section ("ACCTK", ...).
  CRecordListDlg(UINT templateId, const char* section, CWnd* parent = nullptr);
  ~CRecordListDlg() override;

  // The position in the primary index of the record last added, edited or
  // opened; -1 none.
  int m_nCurPos = -1;

  // Empties and fills the list again, selects the current row and
  // refreshes the caption and the buttons.
  void Refill();
  // Refreshes the Add, Edit, Delete, Log and the entity's buttons.
  void UpdateButtons();
  // Sets the caption from CaptionText.
  void UpdateCaption();

  RecordList& List() { return m_list; }
  // The selected row's data (usually its index position), -1 none.
  int SelectedData() const;

 protected:
  // --- What an entity supplies.
  // Columns or tab stops of the list.
  virtual void SetupList() {}
  // Adds one row per live record (AddRow) in the primary index's order;
  // false when it stopped on a failure, which OnFillFailed then reports
  // (after the list, caption and buttons were refreshed).
  virtual bool FillRows() = 0;
  virtual void OnFillFailed() {}
  // The caption, counting the records ("Account Management (3 accounts)").
  virtual CString CaptionText() = 0;
  // Whether a record can be added (the key table has a free slot).
  virtual bool CanAdd() = 0;
  // The entity's own buttons, after the shared ones (a row selected or not).
  virtual void UpdateEntityButtons() {}
  // The word that names a record in messages ("account").
  virtual const char* EntityWord() const = 0;
  // Looks the selected row up in the primary index: its position, or -1
  // when not found (Edit then shows "Could not find <word>").
  virtual int LookupSelected() = 0;
  // Runs the information dialog for the current position (or a new record
  // when `isNew`); true when it was shown (the list is then refilled).
  virtual bool OpenInfo(bool isNew) = 0;
  // Hands the selected record to the store's delete; true when deleted.
  virtual bool DeleteSelected() = 0;
  // The Log dump: file name, viewer caption and the lines (WriteLog).
  virtual const char* LogFileName() const { return nullptr; }
  virtual const char* LogCaption() const { return nullptr; }
  virtual void WriteLog(FILE*) {}
  // Moves the controls by the change of size; the base grows the list by
  // dx, dy and the separator by dx and moves the right edge's buttons
  // (Log, Add, Edit, Delete, Close, Help) right by dx.
  virtual void MoveControls(int dx, int dy);
  // A dialog whose width stays at its minimum (only taller).
  void SetFixedWidth() { m_sizer.SetFixedWidth(); }

  // --- The shared commands; an entity may replace them.
  virtual void OnAdd();
  virtual void OnEdit();
  virtual void OnDelete();
  // A double click on a row: Edit unless the entity says otherwise.
  virtual void OnDoubleClick() { OnEdit(); }
  virtual void OnLog();
  // The selection changed.
  virtual void OnSelectionChanged() { UpdateButtons(); }

  // Appends a row; its data is usually the index position.
  int AddRow(const char* text, int data) { return m_list.Add(text, data); }
  // Enables (and shows or hides) a control of the dialog.
  void EnableItem(int id, bool enable);
  void ShowItem(int id, bool show);
  void MoveItem(int id, int dx, int dy, bool move);
  SettingsSection* Section() const { return m_pSection; }
  int Width() const { return m_cx; }
  int Height() const { return m_cy; }

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;
  void OnOK() override;

 private:
  UINT m_templateId;
  SettingsSection* m_pSection = nullptr;
  RecordList m_list;
  int m_cx = 0, m_cy = 0;
  DialogSizer m_sizer;
  bool m_destroyed = false;
};
