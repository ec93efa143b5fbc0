// Friends of scouting, the unit's donors: Friend Management lists them by
// name; the Friend-of-Scouting Information dialog adds or edits one (name,
// address, four phone numbers, remarks and the contributions of four
// years).
#pragma once

#include <cstdio>

#include "common/AmountEdit.h"
#include "common/PickLabel.h"
#include "records/RecordInfoDlg.h"
#include "records/RecordListDlg.h"
#include "store/Records.h"

class CFriendDlg : public CRecordInfoDlg {
 public:
  explicit CFriendDlg(CWnd* parent = nullptr);

  int Validate() override;

  FriendRecord m_loaded{}, m_edited{};
  CString m_strLast, m_strFirst, m_strAddress1, m_strAddress2, m_strCity, m_strState, m_strZip, m_strRemarks;
  CString m_strPhoneType[4], m_strPhone[4], m_strExt[4];
  CString m_strYear[4], m_strAmount[4];

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  int LoadFields() override;
  void SetupFields() override;
  bool TableFull() const override;
  int LiveCount() const override;
  int IndexSize() const override;
  bool IsLiveAt(int pos) const override;
  const char* WrapToLastText() const override { return "Going to last friend"; }
  const char* WrapToFirstText() const override { return "Starting at first friend"; }
  bool IsEditableField(int id) const override;

 private:
  CPickLabel m_phoneTypes[4];
  CAmountEdit m_amounts[4];
};

class CFriendListDlg : public CRecordListDlg {
 public:
  explicit CFriendListDlg(CWnd* parent = nullptr);

  // The maintenance dump of the friend file ("foslog.txt").
  static void WriteFriendLog(FILE* out);

 protected:
  BOOL OnInitDialog() override;
  void SetupList() override;
  bool FillRows() override;
  CString CaptionText() override;
  bool CanAdd() override;
  const char* EntityWord() const override { return "friend"; }
  int LookupSelected() override;
  bool OpenInfo(bool isNew) override;
  bool DeleteSelected() override;
  void OnDelete() override;
  const char* LogFileName() const override { return "foslog.txt"; }
  const char* LogCaption() const override { return "Friends"; }
  void WriteLog(FILE* out) override { WriteFriendLog(out); }

 private:
  // The selected item's last and first name (split at its tab).
  bool SelectedNames(CString* last, CString* first);
};
