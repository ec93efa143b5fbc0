// Profit centres: named groups of income and expense accounts that the
// reports select as one, kept in the account-group store.
//
// Profit Center Management lists them by name; Profit Center Information
// edits one: its name and, in two lists, the accounts it includes and those
// still available. The information dialog loads its group itself: the
// caller sets m_name (empty to add) and m_bNew, runs it, and reads m_name
// back as the name it ended on.
#pragma once

#include "common/DialogSizer.h"
#include "records/RecordInfoDlg.h"
#include "records/RecordListDlg.h"
#include "store/AcctGroup.h"

struct SettingsSection;

class CProfitCenterDlg : public CRecordInfoDlg {
 public:
  explicit CProfitCenterDlg(CWnd* parent = nullptr);
  ~CProfitCenterDlg() override;

  int Validate() override;

  CString m_name;
  CAcctGroup m_loaded, m_edited;

 protected:
  BOOL OnInitDialog() override;
  int LoadFields() override;
  void ShowFields() override;
  void SetupFields() override;
  bool TableFull() const override { return false; }
  int LiveCount() const override;
  int IndexSize() const override { return 0; }
  bool IsLiveAt(int) const override { return false; }
  const char* WrapToLastText() const override { return "Going to last center"; }
  const char* WrapToFirstText() const override { return "Starting at first center"; }
  void UpdateEntityControls() override;
  void OnApply() override;
  void Step(int direction) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;

 private:
  // Moves the selected (or all) items of one list to the end of the other.
  void Move(int fromId, int toId, bool all);
  void UpdateCaptions();

  SettingsSection* m_pSection = nullptr;
  DialogSizer m_sizer;
  int m_cx = 0, m_cy = 0;
  bool m_loadFailed = false;
};

class CProfitCenterListDlg : public CRecordListDlg {
 public:
  explicit CProfitCenterListDlg(CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  bool FillRows() override;
  CString CaptionText() override;
  bool CanAdd() override { return true; }
  void UpdateEntityButtons() override;
  const char* EntityWord() const override { return "profit center"; }
  int LookupSelected() override { return SelectedData(); }
  bool OpenInfo(bool isNew) override;
  bool DeleteSelected() override;
  void MoveControls(int dx, int dy) override;
  void OnAdd() override;
  void OnEdit() override;
  void OnDelete() override;
  void OnLog() override;

 private:
  // Runs the information dialog and selects the name it ended on.
  void RunInfo(bool isNew, const CString& name);
  CString SelectedName();
};
