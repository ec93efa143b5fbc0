// The common behaviour of the record information dialogs, which add or edit
// one record: loading through the entity's load/save function, the changed
// flag, OK, Cancel with the save question, Apply, Previous and Next through
// the entity's primary index, and the control states.
//
// The template holds the shared controls (resource.h: IDC_REC_TITLE bold
// heading, IDOK, IDCANCEL, IDC_REC_APPLY "&Apply", IDC_REC_PREV
// "<< &Prev", IDC_REC_NEXT "&Next  >>", IDC_SHELL_HELP).
//
// The caller constructs the dialog, sets m_bNew (1 add, 0 edit) and
// m_pCurPos (the address of its position in the primary index; -1 for an
// add), calls LoadRecord(1) and, when that returned 1, runs it modally. The
// dialog moves the caller's position as it steps and as it adds.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

class CRecordInfoDlg : public CDialog {
 public:
  CRecordInfoDlg(UINT templateId, CWnd* parent = nullptr);

  int m_bNew = 0;
  int* m_pCurPos = nullptr;
  int m_bChanged = 0;

  // Loads the record at the current position, or a blank one when adding,
  // and fills the fields; the changed flag is cleared. With 0 (the window
  // exists) the texts are also shown, the controls refreshed and the focus
  // put on the first enabled field. The load result (0 after the load
  // function's message).
  int LoadRecord(int beforeWindow);
  // Takes the fields, checks them in order (the first failure is one
  // Warning, "Label:  problem", with the focus on the field) and saves the
  // record; 1 when saved.
  virtual int Validate() = 0;
  // Whether the last load failed: OK and Apply are then off.
  bool LoadFailed() const { return m_bLoadFailed; }

  // The save question of Cancel, Previous and Next.
  static constexpr const char* kSaveQuestion = "Do you wish to save your changes";

 protected:
  // --- What an entity supplies.
  // Loads through the entity's load/save function into the record copies
  // and the field texts (not the controls); the load result.
  virtual int LoadFields() = 0;
  // Moves the field texts into the controls (default UpdateData(FALSE)).
  virtual void ShowFields() { UpdateData(FALSE); }
  // Length limits, amount edits and the like, once at initialisation.
  virtual void SetupFields() {}
  // The entity's key table has no free slot left.
  virtual bool TableFull() const = 0;
  // Live records of the entity.
  virtual int LiveCount() const = 0;
  // Size of the primary index (the table's rowCount) and whether the
  // record at a position is live.
  virtual int IndexSize() const = 0;
  virtual bool IsLiveAt(int pos) const = 0;
  // The Information messages of wrapping ("Going to last friend",
  // "Starting at first friend").
  virtual const char* WrapToLastText() const = 0;
  virtual const char* WrapToFirstText() const = 0;
  // The controls that identify the record: enabled only while adding.
  virtual std::vector<int> IdentityControls() const { return {}; }
  // Control states: the base sets OK and Apply (disabled while adding with
  // a full table), Previous and Next (editing and more than one live
  // record) and the identity controls, then UpdateEntityControls.
  virtual void UpdateControls();
  virtual void UpdateEntityControls() {}
  // Whether an edit control's change notification is an edit of a field
  // (default: every edit of the dialog).
  virtual bool IsEditableField(int id) const;

  // --- The shared commands; an entity may replace them.
  virtual void OnApply();
  // Previous (-1) and Next (+1): the save question, then Step.
  virtual void OnPrevNext(int direction);
  // Moves the caller's position by one live record, wrapping with the
  // messages, and loads the record there.
  virtual void Step(int direction);
  // Asks the save question when something changed: true to go on (saved or
  // not), false to stay.
  bool SaveBeforeLeaving();

  // --- Field helpers of the entities.
  // Copies a field text into a fixed record field, cut to fit, with the
  // blanks at its ends dropped.
  template <size_t N>
  static void Trimmed(char (&out)[N], const CString& text) {
    TrimInto(out, N, text);
  }
  static void TrimInto(char* out, size_t size, const CString& text);
  // An edit control and the most characters it takes.
  struct EditLimit {
    int id;
    int chars;
  };
  // Caps the listed edit controls (a control the template lacks is skipped).
  void LimitEdits(std::initializer_list<EditLimit> limits);

  void EnableItem(int id, bool enable);
  void FocusFirstField();
  // Whether the dialog is moving texts into its controls (their change
  // notifications are then no edits).
  bool Loading() const { return m_bLoading; }

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  // LoadRecord without moving the focus.
  int LoadAndShow(int beforeWindow);

  UINT m_templateId;
  bool m_bLoading = false;
  bool m_bLoadFailed = false;
};
