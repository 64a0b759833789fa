#include "request_log.h"

#include <unistd.h>

#include "router.h"
#include "test_switches.h"

namespace devidp {
namespace {

std::string MaskedQuery(const std::string& query) {
  std::string masked;
  size_t start = 0;
  while (start < query.size()) {
    size_t end = query.find('&', start);
    if (end == std::string::npos) end = query.size();
    const std::string piece = query.substr(start, end - start);
    const size_t equals = piece.find('=');
    const bool secret = equals != std::string::npos && IsSecretName(piece.substr(0, equals));
    masked += (start ? "&" : "") + (secret ? piece.substr(0, equals) + "=***" : piece);
    start = end + 1;
  }
  return masked;
}

std::string RequestLogLine(const httplib::Request& req, const httplib::Response& res) {
  if (req.method.empty()) return "(unreadable request) " + std::to_string(res.status) + "\n";
  const std::string query = RawQuery(req);
  std::string line = req.method + " " + req.path;
  if (!query.empty()) line += "?" + MaskedQuery(query);
  return line + " " + std::to_string(res.status) + "\n";
}

}  // namespace

void LogRequest(const httplib::Request& req, const httplib::Response& res) {
  // One write per line, so that lines of parallel requests never interleave.
  const std::string line = RequestLogLine(req, res);
  ssize_t ignored = write(STDERR_FILENO, line.data(), line.size());
  (void)ignored;
}

}  // namespace devidp
