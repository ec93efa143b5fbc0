#include "platform/testing/Automation.h"

#include <cstdio>
#include <cstdlib>

namespace automation {
namespace {

struct Rule {
  std::string caption;
  std::string text;
  int answer;
  bool standing;
};

struct State {
  std::vector<Rule> rules;
  std::function<int(const ModalInfo&)> handler;
  std::function<int(const ModalInfo&)> unanswered;
  std::vector<ModalInfo> log;
};

State& state() {
  static State s;
  return s;
}

bool contains(const std::string& hay, const std::string& part) { return hay.find(part) != std::string::npos; }

}  // namespace

// The captions of the OnDialog rules left unused (AutomationWindows.cpp).
std::vector<std::string> PendingDialogCaptions();

void ExpectMessageBox(const std::string& captionPart, const std::string& textPart, int answer) {
  AttachToHost();
  state().rules.push_back({captionPart, textPart, answer, false});
}

void AlwaysAnswer(const std::string& captionPart, const std::string& textPart, int answer) {
  AttachToHost();
  state().rules.push_back({captionPart, textPart, answer, true});
}

void SetResponder(std::function<int(const ModalInfo&)> handler) {
  AttachToHost();
  state().handler = std::move(handler);
}

void SetUnansweredHandler(std::function<int(const ModalInfo&)> handler) {
  AttachToHost();
  state().unanswered = std::move(handler);
}

std::vector<std::string> PendingExpectations() {
  std::vector<std::string> out;
  for (const Rule& r : state().rules)
    if (!r.standing) out.push_back("[" + r.caption + "] " + r.text);
  for (const std::string& caption : PendingDialogCaptions()) out.push_back("dialog [" + caption + "]");
  return out;
}

const std::vector<ModalInfo>& ModalLog() { return state().log; }

void ClearResponder() {
  AttachToHost();
  State& s = state();
  s.rules.clear();
  s.handler = nullptr;
  s.log.clear();
}

// Logs the box and answers it by the first matching rule, else by the
// handler; 0 when neither answers.
int LogAndMatch(const ModalInfo& info) {
  State& s = state();
  s.log.push_back(info);
  for (auto it = s.rules.begin(); it != s.rules.end(); ++it) {
    if (contains(info.caption, it->caption) && contains(info.text, it->text)) {
      int answer = it->answer;
      if (!it->standing) s.rules.erase(it);
      return answer;
    }
  }
  return s.handler ? s.handler(info) : 0;
}

int Observe(const ModalInfo& info) { return LogAndMatch(info); }

int Respond(const ModalInfo& info) {
  if (int answer = LogAndMatch(info)) return answer;
  State& s = state();
  if (s.unanswered) return s.unanswered(info);
  std::fprintf(stderr, "unanswered %s in the headless host: [%s] %s\n", info.kind.c_str(),
               info.caption.c_str(), info.text.c_str());
  std::abort();
}

}  // namespace automation
