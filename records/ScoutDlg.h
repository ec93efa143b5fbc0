// Scout Information: one scout of the roster, and the conversion of a scout
// who has left into an adult on the same member record.
#pragma once

#include "records/PersonDlg.h"

class CScoutDlg : public CPersonDlg {
 public:
  explicit CScoutDlg(CWnd* parent = nullptr);

  CString m_strParent1Last, m_strParent1First, m_strParent2Last, m_strParent2First, m_strSubunit;

 protected:
  int LoadFields() override;
  void ShowFields() override;
  void SetupFields() override;
  void DoDataExchange(CDataExchange* pDX) override;
  int LiveCount() const override;
  const char* WrapToLastText() const override { return "Going to last scout"; }
  const char* WrapToFirstText() const override { return "Starting at first scout"; }
  void UpdateEntityControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  int MemberType() const override { return 0; }
  void TakeOwnFields() override;
  void GiveOwnFields() override;
  bool ChecksReserves() const override { return !m_bNew; }
  const char* ReservedText() const override { return "Scout still has reserved funds"; }
  const char* DuplicateText() const override {
    return "Name (Last,First):  A scout already exists with this name";
  }
  int Save() override;

  // "Con&vert to Adult...".
  void OnConvertToAdult();
};
