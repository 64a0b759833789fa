#include <cstdlib>
#include <deque>
#include <mutex>
#include <sstream>

#include "ui_record_file.h"
#include "ui_scripted.h"
#include "winuser.h"

namespace platform::ui {
namespace {

struct ScriptedState {
  std::mutex mutex;
  bool inUse = false;
  std::deque<Answer> answers;
  std::vector<RecordedPrompt> prompts;
  std::string recordFile;
  std::function<INT_PTR(CDialog&)> dialogHandler;
};

int parseAnswerCode(const std::string& token) {
  static const std::map<std::string, int> names = {
      {"IDOK", IDOK},         {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT}, {"IDRETRY", IDRETRY},
      {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},       {"IDNO", IDNO}};
  auto named = names.find(token);
  if (named != names.end()) return named->second;
  char* end = nullptr;
  long code = std::strtol(token.c_str(), &end, 10);
  return !token.empty() && *end == '\0' ? static_cast<int>(code) : 0;
}

std::deque<Answer> parseAnswers(const char* list) {
  std::deque<Answer> answers;
  if (!list || !*list) return answers;
  std::istringstream tokens(list);
  std::string token;
  while (std::getline(tokens, token, ',')) answers.push_back(Answer{parseAnswerCode(token), {}});
  return answers;
}

ScriptedState& state() {
  static ScriptedState* instance = [] {
    auto* fresh = new ScriptedState;  // kept to the end: prompts may come during exit
    const char* backend = std::getenv("CORVEX_PLATFORM_UI");
    fresh->inUse = backend && std::string(backend) == "scripted";
    fresh->answers = parseAnswers(std::getenv("CORVEX_PLATFORM_UI_ANSWERS"));
    const char* recordFile = std::getenv("CORVEX_PLATFORM_UI_RECORD");
    fresh->recordFile = recordFile ? recordFile : "";
    return fresh;
  }();
  return *instance;
}

}  // namespace

std::string RecordedPrompt::Field(const std::string& name) const {
  auto found = fields.find(name);
  return found != fields.end() ? found->second : std::string();
}

void UseScriptedBackend() {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.inUse = true;
  s.answers.clear();
  s.prompts.clear();
}

void UseQtBackend() {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.inUse = false;
}

bool ScriptedBackendInUse() {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.inUse;
}

void QueueAnswer(int code) { QueueAnswer(Answer{code, {}}); }

void QueueAnswer(const Answer& answer) {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.answers.push_back(answer);
}

std::vector<RecordedPrompt> RecordedPrompts() {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.prompts;
}

void SetScriptedDialogHandler(std::function<INT_PTR(CDialog&)> handler) {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.dialogHandler = std::move(handler);
}

std::function<INT_PTR(CDialog&)> ScriptedDialogHandler() {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.dialogHandler;
}

void SetRecordFile(const std::string& path) {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.recordFile = path;
}

namespace {

void record(ScriptedState& s, RecordedPrompt& prompt, const Answer& answer) {
  prompt.thread = std::this_thread::get_id();
  prompt.answer = answer;
  s.prompts.push_back(prompt);
  if (!s.recordFile.empty()) AppendToRecordFile(s.recordFile, prompt);
}

}  // namespace

Answer AnswerScriptedPrompt(RecordedPrompt prompt, const Answer& unscripted) {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.answers.empty()) {
    record(s, prompt, unscripted);
  } else {
    record(s, prompt, s.answers.front());
    s.answers.pop_front();
  }
  return prompt.answer;
}

void RecordAnsweredPrompt(RecordedPrompt prompt, const Answer& answer) {
  ScriptedState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  record(s, prompt, answer);
}

}  // namespace platform::ui
