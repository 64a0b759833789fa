#include "test_switches.h"

#include <chrono>
#include <utility>

#include "encoding.h"

namespace devidp {

bool IsSecretName(const std::string& name) {
  for (const char* secret : {"code", "code_verifier", "access_token", "refresh_token", "id_token", "token",
                             "password", "client_secret", "ticket"}) {
    if (name == secret) return true;
  }
  return false;
}

void TestSwitches::SetForcedAnswer(ForcedAnswer answer) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_forced = std::move(answer);
}

ForcedAnswer TestSwitches::TakeForcedAnswer() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return std::exchange(m_forced, ForcedAnswer());
}

void TestSwitches::SetShaping(AnswerShaping shaping) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_shaping = std::move(shaping);
}

AnswerShaping TestSwitches::TakeShaping(const std::string& path) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_shaping.path.empty() || m_shaping.path != path) return AnswerShaping();
  return std::exchange(m_shaping, AnswerShaping());
}

void TestSwitches::RecordForm(const std::string& path, const Form& form) {
  ReceivedForm received{path, form};
  for (FormField& field : received.form.fields) {
    if (IsSecretName(field.name)) field.value = "sha256:" + Sha256Hex(field.value);
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  m_lastForm = std::move(received);
}

ReceivedForm TestSwitches::LastForm() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_lastForm;
}

void TestSwitches::RecordPageShown() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pageShownTimes.push_back(std::chrono::duration<double, std::milli>(now).count());
}

std::vector<double> TestSwitches::PageShownTimes() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_pageShownTimes;
}

}  // namespace devidp
