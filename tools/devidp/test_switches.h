// What the test control (/_test/) has asked of the next answers, and what it may read
// back. Shared by the server's threads.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "form.h"

namespace devidp {

struct ForcedAnswer {
  int status = 0;  // 0: none asked for
  std::string body;
};

// How the next answer on `path` is delivered.
struct AnswerShaping {
  std::string path;  // empty: none asked for
  size_t cutAfter = 0;   // non-zero: close the connection after this many body bytes
  size_t pieceSize = 0;  // non-zero: send the body in pieces of this many bytes
};

struct ReceivedForm {
  std::string path;
  Form form;  // secrets replaced by their SHA-256 digests
};

class TestSwitches {
 public:
  void SetForcedAnswer(ForcedAnswer answer);
  // The forced answer for the next token request, once.
  ForcedAnswer TakeForcedAnswer();

  void SetShaping(AnswerShaping shaping);
  // The shaping asked for `path`, once; an empty one otherwise.
  AnswerShaping TakeShaping(const std::string& path);

  // Keeps the form with its secrets replaced by digests.
  void RecordForm(const std::string& path, const Form& form);
  ReceivedForm LastForm() const;

  // Keeps the time a login page reported its load event, in milliseconds of the system's
  // monotonic clock (the same in every process).
  void RecordPageShown();
  std::vector<double> PageShownTimes() const;

 private:
  mutable std::mutex m_mutex;
  ForcedAnswer m_forced;
  AnswerShaping m_shaping;
  ReceivedForm m_lastForm;
  std::vector<double> m_pageShownTimes;
};

// True for the names of form fields and query parameters whose values must never be
// shown in clear: codes, verifiers, tokens, passwords, login tickets.
bool IsSecretName(const std::string& name);

}  // namespace devidp
