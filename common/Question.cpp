#include "common/Question.h"

#include <cstdio>
#include <cstring>

#include "platform/host/Host.h"

const QuestionButton QuestionButtons[5] = {
    {ANSWER_YES, 1708, "&Yes"},
    {ANSWER_YESTOALL, 3, "Y&es To All"},
    {ANSWER_NO, 5, "&No"},
    {ANSWER_NOTOALL, 4, "N&o To All"},
    {ANSWER_CANCEL, 2, "Cancel"},
};

namespace {

QuestionPresenter* questionPresenter = nullptr;

// The headless host: the responder answers with the answer bit.
int AskHeadless(const QuestionLayout& layout) {
  platform::ModalQuestion info;
  info.kind = "dialog";
  info.caption = "Question";
  info.text = layout.text;
  info.type = static_cast<UINT>(layout.mask);
  int pressed = platform::GetHost().Answer(info);
  int answer = ResolveQuestionPress(layout, pressed);
  // A box that ignores the key would wait for another press; the headless
  // host cannot wait, so it takes the default button.
  return answer != 0 ? answer : layout.defaultAnswer;
}

class HeadlessProgress : public ProgressPresenter {
 public:
  bool Create() override { return true; }
  void SetCaption(const char* caption) override { caption_ = caption ? caption : ""; }
  void DrawBar(int percent, int, int) override {
    platform::ModalQuestion info;
    info.kind = "dialog";
    info.caption = "Progress";
    char pct[16];
    std::snprintf(pct, sizeof pct, "%d%%", percent);
    info.text = caption_ + "\n" + pct;
    platform::GetHost().Observe(info);
  }
  int Destroy() override { return 1; }

 private:
  std::string caption_ = "Processing...";
};

HeadlessProgress headlessProgress;

}  // namespace

QuestionLayout MakeQuestionLayout(const char* text, int defaultAnswer, int extraButtons) {
  QuestionLayout layout;
  layout.text = std::string(text ? text : "") + "?";
  layout.mask = (extraButtons & 31) | ANSWER_YES | ANSWER_NO;
  layout.defaultAnswer = defaultAnswer;
  for (const QuestionButton& b : QuestionButtons)
    if (layout.mask & b.bit) ++layout.visibleCount;
  layout.escapeCancels = (layout.mask & ANSWER_CANCEL) != 0;
  return layout;
}

int ResolveQuestionPress(const QuestionLayout& layout, int pressedBit) {
  for (const QuestionButton& b : QuestionButtons)
    if (b.bit == pressedBit) return (layout.mask & pressedBit) ? pressedBit : 0;
  return 0;
}

int AskQuestion(const char* text, int defaultAnswer, int extraButtons) {
  QuestionLayout layout = MakeQuestionLayout(text, defaultAnswer, extraButtons);
  if (questionPresenter) return questionPresenter->Ask(layout);
  return AskHeadless(layout);
}

void SetQuestionPresenter(QuestionPresenter* presenter) { questionPresenter = presenter; }

void SetProgressPresenter(ProgressPresenter* presenter) { TheProgressDlg().SetPresenter(presenter); }

CProgressDlg::CProgressDlg(ProgressPresenter* presenter) : presenter_(presenter) {}

bool CProgressDlg::Open() {
  if (open_) return true;
  ProgressPresenter* p = presenter_ ? presenter_ : &headlessProgress;
  if (!p->Create()) return false;
  open_ = true;
  lastPercent_ = -1;
  std::snprintf(lastCaption_, sizeof lastCaption_, "%s", "Processing...");
  p->SetCaption(lastCaption_);
  return true;
}

void CProgressDlg::Step(const char* caption, int position, int total) {
  if (!open_) return;
  ProgressPresenter* p = presenter_ ? presenter_ : &headlessProgress;
  if (caption && std::strcmp(caption, lastCaption_) != 0) {
    std::snprintf(lastCaption_, sizeof lastCaption_, "%s", caption);
    p->SetCaption(caption);
  }
  if (total <= 0 || position > total) return;
  int percent = static_cast<int>(static_cast<long long>(position) * 100 / total);
  if (percent > lastPercent_) {
    lastPercent_ = percent;
    p->DrawBar(percent, position, total);
  }
}

int CProgressDlg::Close() {
  if (!open_) return 0;
  ProgressPresenter* p = presenter_ ? presenter_ : &headlessProgress;
  open_ = false;
  return p->Destroy();
}

CProgressDlg& TheProgressDlg() {
  static CProgressDlg dlg;
  return dlg;
}

int ReportProgress(const char* caption, int position, int total) {
  CProgressDlg& dlg = TheProgressDlg();
  if (position == 0 && !dlg.IsOpen()) dlg.Open();
  if (position == total) return dlg.Close();
  dlg.Step(caption, position, total);
  return position;
}

int IsCancelRequested() { return 0; }
