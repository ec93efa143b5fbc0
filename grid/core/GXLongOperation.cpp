#include "grid/core/GXLongOperation.h"

#include "grid/core/GXAppData.h"

namespace {

int& Nesting() {
  static int count = 0;
  return count;
}

CGXLongOperationImp* Feature() { return GXGetAppData()->m_pLongOperationImp; }

}  // namespace

CGXLongOperation::CGXLongOperation() {
  level_ = ++Nesting();
  if (CGXLongOperationImp* imp = Feature()) imp->Start();
}

CGXLongOperation::~CGXLongOperation() {
  if (CGXLongOperationImp* imp = Feature()) imp->End();
  --Nesting();
}

void CGXLongOperation::SetStatusText(LPCTSTR text) {
  statusText_ = text;
  if (CGXLongOperationImp* imp = Feature()) imp->SetStatusText(text);
}

int CGXLongOperation::GetNestingCount() { return Nesting(); }

BOOL CGXLongOperation::IsInnermost() const { return level_ == Nesting(); }

void CGXLongOperation::ClearStatusText() {
  if (CGXLongOperationImp* imp = Feature()) imp->ClearStatusText();
}

BOOL CGXLongOperation::SetProgress(DWORD done, DWORD total) {
  if (CGXLongOperationImp* imp = Feature()) {
    imp->SetProgress(done, total);
    return TRUE;
  }
  return FALSE;
}

BOOL CGXLongOperation::PollAbort(BOOL& aborted) {
  aborted = FALSE;
  CGXLongOperationImp* imp = Feature();
  return imp != nullptr && imp->PollAbort(aborted);
}

BOOL CGXLongOperation::CheckElapsed() {
  CGXLongOperationImp* imp = Feature();
  return imp != nullptr && imp->CheckElapsed();
}

BOOL CGXLongOperation::PumpMessages() {
  CGXLongOperationImp* imp = Feature();
  return imp != nullptr && imp->PumpMessages();
}
