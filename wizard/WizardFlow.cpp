#include "wizard/WizardFlow.h"

#include "wizard/Conversion.h"

WizardFlow::WizardFlow() {
  for (bool& e : enabled_) e = true;
}

void WizardFlow::InitFromJob(const CConversion& job) {
  enabled_[kSlotMode] = job.GetAppType() == 5 || job.GetInstallFolder().empty();
  enabled_[kSlotSource] = job.GetOldFolder().empty();
  enabled_[kSlotAdult] = job.GetOldVersion() == 1 && !job.GetSubunits().empty() && job.GetAdultSubunit().empty();
  enabled_[kSlotSubunitQuestion] = enabled_[kSlotIdentification] = job.GetOldVersion() < 4;
}

int WizardFlow::EnablePage(int slot, bool enable) {
  if (slot >= 1 && slot < kSlotCount) enabled_[slot] = enable;
  return slot;
}

int WizardFlow::GetFirstPage() const {
  for (int s = 0; s < kSlotCount; ++s)
    if (enabled_[s]) return s;
  return kSlotCount;
}

int WizardFlow::GetNextPage(int active) const {
  for (int s = active + 1; s < kSlotCount; ++s)
    if (enabled_[s]) return s;
  return active;
}

int WizardFlow::GetPrevPage(int active) const {
  for (int s = active - 1; s >= 0; --s)
    if (enabled_[s]) return s;
  return active;
}

WizardButtons WizardFlow::ButtonsFor(int active) const {
  WizardButtons b;
  b.back = active != GetFirstPage();
  b.next = active != kSlotStatus;
  b.finish = active == kSlotStatus;
  b.cancel = active != kSlotStatus;
  return b;
}
