#include "app/OneInst.h"

#include <cstring>

#include "platform/base/Kernel.h"
#include "platform/shell/Mutex.h"
#include "platform/shell/RunningCopy.h"
#include "platform/window/Window.h"

namespace {
constexpr DWORD kAlreadyExists = 183;
constexpr DWORD kInvalidHandle = 6;
}  // namespace

COneInst::~COneInst() {
  if (listening_) shell::StopListening();
  if (mutex_) ::CloseHandle(mutex_);
}

int COneInst::Check(int activate) {
  const std::string mutexName = name_ + "_COneInst_Mutex";
  mutex_ = ::CreateMutex(nullptr, TRUE, mutexName.c_str());
  const DWORD error = ::GetLastError();
  if (error == kAlreadyExists || error == kInvalidHandle) {
    // The running copy is another process: it finds its own window by the
    // title and raises it when asked over its socket.
    if (activate) shell::AskRunningCopyToRaise(name_, name_);
    return 0;
  }
  listening_ = shell::ListenForSecondStarts(name_);
  return 1;
}

BOOL COneInst::FindWindowProc(HWND window, LPARAM guard) {
  auto* self = reinterpret_cast<COneInst*>(guard);
  char title[132] = {};
  ::GetWindowText(window, title, static_cast<int>(sizeof title));
  if (!self->name_.empty() && std::strstr(title, self->name_.c_str())) {
    self->window_ = window;
    return FALSE;
  }
  return TRUE;
}
