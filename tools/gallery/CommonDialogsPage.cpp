#include "CommonDialogsPage.h"

#include <cstdio>
#include <string>

#include "common/DialogPresenters.h"
#include "common/ProgressDlg.h"
#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/testing/DlgSnapshot.h"

namespace gallery {

std::string PngBeside(const char* path, const char* suffix) {
  std::string p = path;
  if (p.size() > 4 && p.ends_with(".png")) p.resize(p.size() - 4);
  return p + "-" + suffix + ".png";
}

bool ReportWritten(bool ok, const std::string& path) {
  if (!ok) std::fprintf(stderr, "gallery: cannot write %s\n", path.c_str());
  return ok;
}

void PictureNextDialog(const char* caption, const std::string& png, bool& ok, int endCode, bool withOwned) {
  automation::OnDialog(
      caption,
      [&ok, png, withOwned](HWND h) {
        automation::PumpUntilIdle();
        ok = withOwned ? SnapshotToPng(h, png) : automation::RenderToPng(h, png);
      },
      endCode);
}

int WriteCommonDialogsPngs(const char* path) {
  UseDialogPresenters(true);
  const std::string question = PngBeside(path, "question");
  bool questionOk = false;
  PictureNextDialog("Question", question, questionOk, ANSWER_CANCEL);
  AskQuestion("The record of account 101 \"Camp Fund\" is damaged.\nRepair it now", ANSWER_YES,
              ANSWER_YESTOALL | ANSWER_NOTOALL | ANSWER_CANCEL);

  const std::string progress = PngBeside(path, "progress");
  ReportProgress("Backing up fiscal year 2025", 0, 10);
  ReportProgress(nullptr, 4, 10);
  automation::PumpUntilIdle();
  bool progressOk = ProgressWindow().m_hWnd && automation::RenderToPng(ProgressWindow().m_hWnd, progress);
  ReportProgress(nullptr, 10, 10);
  UseDialogPresenters(false);
  return ReportWritten(questionOk, question) && ReportWritten(progressOk, progress) ? 0 : 1;
}

}  // namespace gallery
