// Equipment Management: the inventory by description with inventory ids.
#pragma once

#include "records/RecordListDlg.h"

class CEquipMgmtDlg : public CRecordListDlg {
 public:
  CEquipMgmtDlg();

 protected:
  BOOL OnInitDialog() override;
  void SetupList() override;
  bool FillRows() override;
  CString CaptionText() override;
  bool CanAdd() override;
  const char* EntityWord() const override { return "equipment item"; }
  int LookupSelected() override;
  bool OpenInfo(bool isNew) override;
  bool DeleteSelected() override { return false; }
  void OnDelete() override;
  const char* LogFileName() const override { return "equiplog.txt"; }
  const char* LogCaption() const override { return "Equipment"; }
  void WriteLog(FILE* out) override;
};
