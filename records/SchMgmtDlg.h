// Schedule Management: the schedules by name with their accounts; Add and
// Edit open the schedule sheet.
#pragma once

#include "records/RecordListDlg.h"

class CSchMgmtDlg : public CRecordListDlg {
 public:
  CSchMgmtDlg();

 protected:
  void SetupList() override;
  bool FillRows() override;
  CString CaptionText() override;
  bool CanAdd() override;
  const char* EntityWord() const override { return "schedule"; }
  int LookupSelected() override;
  bool OpenInfo(bool isNew) override;
  bool DeleteSelected() override { return false; }
  void OnDelete() override;
  void MoveControls(int dx, int dy) override;
  const char* LogFileName() const override { return "schedlog.txt"; }
  const char* LogCaption() const override { return "Schedules"; }
  void WriteLog(FILE* out) override;

 private:
  CString SelectedName();
};

// Edit/Schedules: the schedule and participant files stay open while the
// list runs.
void RunScheduleManagement();
