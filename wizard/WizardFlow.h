// The wizard sheet's order of pages without its windows: which of the nine
// page slots are enabled, which page comes next or before, and which
// buttons a page offers.
#pragma once

class CConversion;

enum WizardSlot {
  kSlotMode = 0, kSlotWelcome, kSlotSource, kSlotAdult, kSlotSubunitQuestion, kSlotIdentification,
  kSlotFiscalYears, kSlotStart, kSlotStatus, kSlotCount
};

struct WizardButtons {
  bool back = false;
  bool next = false;
  bool finish = false;
  bool cancel = true;
};

class WizardFlow {
 public:
  WizardFlow();
  // Sets the enabled slots from what the job already knows.
  void InitFromJob(const CConversion& job);
  // Slots 1 to 8 only; returns the slot.
  int EnablePage(int slot, bool enable);
  bool IsEnabled(int slot) const { return slot >= 0 && slot < kSlotCount && enabled_[slot]; }
  // The lowest enabled slot; kSlotCount when none.
  int GetFirstPage() const;
  // The first enabled slot after / the nearest before `active`; `active`
  // itself when there is none.
  int GetNextPage(int active) const;
  int GetPrevPage(int active) const;
  WizardButtons ButtonsFor(int active) const;

 private:
  bool enabled_[kSlotCount];
};
