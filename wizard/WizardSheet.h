// The wizard's windows: the sheet CMovraneDlg in wizard mode with its nine
// page slots, and the page base CWizPage that sets the wizard buttons and
// moves by the sheet's enabled slots. What each page shows and checks is
// the window-free page logic of wizard/WizardPages.h.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/BmpButton.h"
#include "platform/propsheet/PropSheet.h"
#include "wizard/WizardFlow.h"

class CConversion;
class CMovraneDlg;
class FolderPicker;
class CWizPage;

// The page window of a slot (wizard/WizardPageWnds.cpp).
std::unique_ptr<CWizPage> MakeWizardPage(int slot);

class CWizPage : public CPropertyPage {
 public:
  CWizPage(UINT templateId, int slot);
  int Slot() const { return slot_; }

  // The template's owner-drawn buttons become the browse buttons' pictures.
  BOOL OnInitDialog() override;
  // Buttons by the slot, then the page fills its controls.
  BOOL OnSetActive() override;
  // The sheet's next or previous enabled page; -1 when the page refuses.
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
  // The page's title in the sheet (its caption), cut to 63 characters.
  void SetTitle(const std::string& text);

 protected:
  CMovraneDlg& Sheet() const;
  CConversion& Job() const;
  // Fills the controls from the job.
  virtual void Load() = 0;
  // Hands the controls to the job; false keeps the page.
  virtual bool Save() { return true; }
  void SetText(int id, const std::string& text);
  std::string GetText(int id) const;
  // The message text of the page (control 1011).
  void SetMessage(const std::string& text) { SetText(kMessageId, text); }
  // Asks the picker for a folder into edit `editId`; browse buttons are off
  // without a picker.
  void Browse(const std::string& title, int editId);
  void EnableBrowse(int buttonId, bool enable);

  static constexpr int kMessageId = 1011;

 private:
  int slot_;
  std::vector<std::unique_ptr<CBmpButton>> browseButtons_;
};

class CMovraneDlg : public CPropertySheet {
 public:
  // `picker` may be null: the browse buttons are then disabled.
  CMovraneDlg(CConversion& job, FolderPicker* picker);
  ~CMovraneDlg() override;

  BOOL OnInitDialog() override;
  // While minimised the sheet shows the program icon centred on an erased
  // background.
  void OnPaint() override;
  // The picture shown while a minimised sheet is dragged.
  HICON OnQueryDragIcon() const { return icon_; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CConversion& Job() const { return job_; }
  WizardFlow& Flow() { return flow_; }
  FolderPicker* Picker() const { return picker_; }
  int EnablePage(int slot, bool enable) { return flow_.EnablePage(slot, enable); }
  int GetFirstPage() const { return flow_.GetFirstPage(); }
  int ActiveSlot() const;
  // Template ids of the neighbouring enabled pages; the active page's own
  // when there is none.
  LRESULT GetNextPageId() const;
  LRESULT GetPrevPageId() const;
  CWizPage* Page(int slot) const { return pages_[static_cast<std::size_t>(slot)].get(); }

 private:
  CConversion& job_;
  FolderPicker* picker_;
  WizardFlow flow_;
  HICON icon_ = nullptr;
  std::array<std::unique_ptr<CWizPage>, kSlotCount> pages_;
};

// Runs the sheet modally on `job`; a run that does not end with Finish is
// Cancelled. Then the status file is written.
void RunWizard(CConversion& job, FolderPicker* picker);
