// The question box and the progress display.
//
// AskQuestion asks one question with Yes and No and, on request, Yes To All,
// No To All and Cancel, and answers with the bit of the button pressed.
// ReportProgress drives the one modeless progress window: position 0 opens
// it, a position below the total shows the caption and the percentage, a
// position equal to the total closes it.
//
// The windows themselves are behind two small presenter interfaces. Until a
// window presenter is installed both go to the headless host: each question
// and each drawn progress step is handed to the test responder as a
// "dialog" (caption "Question" or "Progress"), the question's answer being
// the answer bit.
#pragma once

#include <string>

// Answer bits: the value AskQuestion returns and the button mask it takes.
enum AnswerBit {
  ANSWER_CANCEL = 1,
  ANSWER_YES = 2,
  ANSWER_YESTOALL = 4,
  ANSWER_NO = 8,
  ANSWER_NOTOALL = 16,
};

// One button of the question box, in the row's order (Yes, Yes To All, No,
// No To All, Cancel).
struct QuestionButton {
  int bit;
  int controlId;
  const char* caption;
};
extern const QuestionButton QuestionButtons[5];

// Shows `text` followed by "?" and returns the answer bit. Yes and No are
// always offered; `extraButtons` adds Yes To All, No To All or Cancel.
int AskQuestion(const char* text, int defaultAnswer, int extraButtons);

// Opens, advances and closes the progress window. Returns `position`; the
// closing call returns the result of closing the window (1).
int ReportProgress(const char* caption, int position, int total);

// There is no cancel button on the progress window: always 0.
int IsCancelRequested();

// What the question box shows, fully worked out before any window exists.
struct QuestionLayout {
  std::string text;     // the question with its "?"
  int mask = 0;         // visible buttons: extra bits | Yes | No
  int defaultAnswer = 0;
  int visibleCount = 0;
  bool escapeCancels = false;  // Escape and the close box act as Cancel
};
QuestionLayout MakeQuestionLayout(const char* text, int defaultAnswer, int extraButtons);

// The answer a press yields: a visible button's bit, or for Escape
// (ANSWER_CANCEL when Cancel is not offered) 0, meaning "ignored".
int ResolveQuestionPress(const QuestionLayout& layout, int pressedBit);

class QuestionPresenter {
 public:
  virtual ~QuestionPresenter() = default;
  // Shows the box modally and returns the bit of the button pressed.
  virtual int Ask(const QuestionLayout& layout) = 0;
};

class ProgressPresenter {
 public:
  virtual ~ProgressPresenter() = default;
  virtual bool Create() = 0;                  // false: no window, no display
  virtual void SetCaption(const char* caption) = 0;
  virtual void DrawBar(int percent, int position, int total) = 0;
  virtual int Destroy() = 0;
};

// Installs the window presenters; null goes back to the headless host.
// The presenters are not owned.
void SetQuestionPresenter(QuestionPresenter* presenter);
void SetProgressPresenter(ProgressPresenter* presenter);

// The progress window's sequencing (one instance, owned here for the main
// view): open once, step with a rising percentage, close.
class CProgressDlg {
 public:
  explicit CProgressDlg(ProgressPresenter* presenter = nullptr);
  void SetPresenter(ProgressPresenter* presenter) { presenter_ = presenter; }
  bool Open();
  void Step(const char* caption, int position, int total);
  int Close();
  bool IsOpen() const { return open_; }
  int LastPercent() const { return lastPercent_; }
  const char* LastCaption() const { return lastCaption_; }

 private:
  ProgressPresenter* presenter_;
  bool open_ = false;
  int lastPercent_ = -1;
  char lastCaption_[64] = "Processing...";
};

CProgressDlg& TheProgressDlg();
