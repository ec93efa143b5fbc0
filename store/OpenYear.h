// Hooks of opening a fiscal year.
#pragma once

#include <functional>

// Called at the end of every open of a fiscal year, successful or not (the
// report date memory resets itself through it).
void SetFiscalYearOpenedHook(std::function<void()> hook);
