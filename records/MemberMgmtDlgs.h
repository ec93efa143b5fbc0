// The member lists: Scout Management (scouts in index order with their
// subunits), Adult Management and the subunit list, whose texts carry the
// unit type's subunit word.
#pragma once

#include "records/RecordListDlg.h"

// What the three member lists share: rows from the member index by type, a
// delete that removes the row without a refill, Edit by name.
class CMemberMgmtDlg : public CRecordListDlg {
 public:
  CMemberMgmtDlg(UINT templateId, const char* section, int memberType);

 protected:
  bool FillRows() override;
  int LookupSelected() override;
  void OnDelete() override;
  void MoveControls(int dx, int dy) override;
  // The row's text of a member key's position.
  virtual CString RowText(int pos) const = 0;
  // The store's delete of the selected row's member.
  virtual bool DeleteMember(const char* last, const char* first) = 0;
  bool DeleteSelected() override { return false; }
  // The selected row's name parts (a subunit's name is its "last" part).
  void SelectedName(char* last, size_t lastSize, char* first, size_t firstSize);
  int m_memberType;
};

class CScoutMgmtDlg : public CMemberMgmtDlg {
 public:
  CScoutMgmtDlg();

 protected:
  void SetupList() override;
  CString CaptionText() override;
  bool CanAdd() override;
  const char* EntityWord() const override { return "scout"; }
  bool OpenInfo(bool isNew) override;
  CString RowText(int pos) const override;
  bool DeleteMember(const char* last, const char* first) override;
  const char* LogFileName() const override { return "memlog.txt"; }
  const char* LogCaption() const override { return "Members"; }
  void WriteLog(FILE* out) override;
};

class CAdultMgmtDlg : public CMemberMgmtDlg {
 public:
  CAdultMgmtDlg();

 protected:
  void SetupList() override;
  CString CaptionText() override;
  bool CanAdd() override;
  const char* EntityWord() const override { return "adult"; }
  bool OpenInfo(bool isNew) override;
  CString RowText(int pos) const override;
  bool DeleteMember(const char* last, const char* first) override;
};

class CSubunitMgmtDlg : public CMemberMgmtDlg {
 public:
  CSubunitMgmtDlg();

 protected:
  void SetupList() override;
  CString CaptionText() override;
  bool CanAdd() override;
  const char* EntityWord() const override { return "subunit"; }
  bool OpenInfo(bool isNew) override;
  CString RowText(int pos) const override;
  bool DeleteMember(const char* last, const char* first) override;
};
