// The single running copy guard: a second start raises the first copy's
// main window and ends without a message.
#pragma once

#include <string>

#include "platform/base/types.h"

class COneInst {
 public:
  COneInst() = default;
  ~COneInst();
  COneInst(const COneInst&) = delete;
  COneInst& operator=(const COneInst&) = delete;

  void SetName(const char* name) { name_ = name ? name : ""; }
  // 1 when no other copy runs (this copy then answers later starts); 0
  // when one does, after raising its main window when `activate` is set.
  int Check(int activate);
  // Enumeration callback: stops (0) at the first window whose title holds
  // the guard's name, keeping it in the guard.
  static BOOL FindWindowProc(HWND window, LPARAM guard);
  HWND FoundWindow() const { return window_; }

 private:
  std::string name_;
  HANDLE mutex_ = nullptr;
  HWND window_ = nullptr;
  bool listening_ = false;
};
