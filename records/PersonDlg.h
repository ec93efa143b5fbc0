// What the scout and adult information dialogs share: the person's name,
// address, phones, e-mail, remarks, dates joined and left and the opening
// balance of the passbook, and the checks of those fields in their order.
// The scout adds parents, a subunit and the conversion into an adult; the
// adult adds spouse, work phone, extension and fax.
#pragma once

#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "platform/base/CString.h"
#include "records/RecordInfoDlg.h"
#include "store/MemberStore.h"

class CPersonDlg : public CRecordInfoDlg {
 public:
  CPersonDlg(UINT templateId, CWnd* parent = nullptr);

  // Field texts shared by both kinds.
  CString m_strLast, m_strFirst, m_strAddress1, m_strAddress2, m_strCity, m_strState, m_strZip;
  CString m_strHomePhone, m_strCellPhone, m_strEmail, m_strRemarks, m_strJoined, m_strLeft;
  CString m_strOpening, m_strCurrent;

  MemberRow m_form{};
  MemberRow m_stored{};

  int Validate() override;

 protected:
  // --- What each kind supplies.
  // The member type of the dialog's records (0 scout, 1 adult).
  virtual int MemberType() const = 0;
  // Moves the kind's own texts into the form (trimmed) and back.
  virtual void TakeOwnFields() = 0;
  virtual void GiveOwnFields() = 0;
  // Whether the reserve check of a Date Left applies (an existing record).
  virtual bool ChecksReserves() const = 0;
  // "Scout still has reserved funds", "A scout already exists ..." and the
  // like.
  virtual const char* ReservedText() const = 0;
  virtual const char* DuplicateText() const = 0;
  // Saves the form through the kind's load/save function.
  virtual int Save() = 0;

  // Fills the texts from m_stored after a load (m_form becomes a copy).
  void TextsFromStored();
  // The Current display after the opening balance lost the focus.
  void OpeningChanged();

  void DoDataExchange(CDataExchange* pDX) override;
  void SetupFields() override;
  bool TableFull() const override;
  int IndexSize() const override;
  bool IsLiveAt(int pos) const override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  bool IsEditableField(int id) const override;

  CDate8 m_joined{CString(), 0};
  CDate8 m_left{CString(), 0};
  CAmountEdit m_opening;

 private:
  bool Warn(const char* text, int focusId);
  // The dates as last shown.
  CString m_shownJoined, m_shownLeft;
};

