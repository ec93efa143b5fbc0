// The Mailing Labels page of the Preferences sheet: chooses the current
// label definition, and creates, changes and blanks the user's own ones.
// Predefined definitions can be chosen but never changed: the first edit
// of one turns the shown copy into a new user definition.
#pragma once

#include "app/PrefPage.h"
#include "platform/gfx/GdiObject.h"
#include "reports/MailLabel.h"

class CMailLblDlg : public CPrefPage {
 public:
  CMailLblDlg();

  // The sheet's view of the page: the current label in, checked and saved
  // on OK, and back into the current label once the sheet stores.
  void LoadValues() override;
  void StoreValues() override { CopyLabelTo(CurrentMailLabel); }
  bool Check(CString& error) override { return SaveLabel(error); }
  bool Changed() const override { return IsModified(); }
  void Refresh() override;

  void CopyLabelFrom(const CMailLabel& label);
  void CopyLabelTo(CMailLabel& label) const;
  void SetStore(CMailLabelDBase* store) { m_pStore = store; }
  // Selects and loads the working label's name once the page is shown.
  void SelectCurrentLabel();
  // The fields into the working label, checked and stored; true when the
  // error text stays empty.
  bool SaveLabel(CString& error);
  bool IsModified() const { return m_bModified != 0; }

  const CMailLabel& WorkingLabel() const { return m_label; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void FillNames();
  void OnSelChangeName();
  void ShowFields();
  void ReadFields();
  void OnFieldChange();
  void UpdateControls();
  void FormatMeasure(int id);
  void OnReset() override;
  void OnDelete();
  // The controls into the page's texts and choices, and back; texts written
  // back are no edits of the user.
  void ReadControls();
  void WriteControls();

  CString m_strName;
  int m_bLabels = 1;
  int m_bCards = 1;
  int m_nFeed = 1;  // 0 sheet feed, 1 continuous feed
  CString m_texts[10];
  int m_bModified = 0;
  int m_bInitialised = 0;
  CMailLabelDBase* m_pStore = nullptr;
  CMailLabel m_label;
  MailLabelDef m_buffer{};
  CBitmap m_picture;
  int writing_ = 0;
};
