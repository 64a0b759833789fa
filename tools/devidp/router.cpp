#include "router.h"

#include <chrono>
#include <memory>
#include <thread>

#include "json_answers.h"
#include "paths.h"

namespace devidp {
namespace {

// httplib matches paths as regular expressions.
std::string Pattern(const std::string& path) {
  std::string pattern;
  for (char c : path) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
    pattern += c;
  }
  return pattern;
}

// Replaces the body by a provider that stops after `cutAfter` bytes (the connection is
// then dropped) or writes pieces of `pieceSize` bytes with a pause between them, so
// that the client receives each piece on its own.
void Shape(const AnswerShaping& shaping, httplib::Response& res) {
  if (shaping.path.empty()) return;
  auto body = std::make_shared<std::string>(std::move(res.body));
  const std::string type = res.get_header_value("Content-Type");
  res.body.clear();
  res.headers.erase("Content-Type");
  res.set_content_provider(body->size(), type, [body, shaping](size_t offset, size_t length, httplib::DataSink& sink) {
    if (shaping.cutAfter) {
      if (offset >= shaping.cutAfter) return false;
      return sink.write(body->data() + offset, std::min(length, shaping.cutAfter - offset));
    }
    if (offset > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return sink.write(body->data() + offset, std::min(length, shaping.pieceSize));
  });
}

}  // namespace

std::string RawQuery(const httplib::Request& req) {
  const size_t question = req.target.find('?');
  return question == std::string::npos ? "" : req.target.substr(question + 1);
}

void Router::Get(const std::string& path, httplib::Server::Handler handler) {
  m_methods[path].insert("GET");
  TestSwitches& switches = m_switches;
  m_server.Get(Pattern(path), [&switches, handler](const httplib::Request& req, httplib::Response& res) {
    handler(req, res);
    Shape(switches.TakeShaping(req.path), res);
  });
}

void Router::PostForm(const std::string& path, FormHandler handler) {
  m_methods[path].insert("POST");
  const bool recorded = path.rfind(kTestControlPrefix, 0) != 0;
  TestSwitches& switches = m_switches;
  m_server.Post(Pattern(path), [&switches, path, recorded, handler](const httplib::Request& req,
                                                                      httplib::Response& res,
                                                                      const httplib::ContentReader& reader) {
    std::string body;
    bool tooLarge = false;
    // A post without length or chunks has no body (reading one would wait for the end).
    const bool hasBody = req.has_header("Content-Length") || req.has_header("Transfer-Encoding");
    const bool complete = !hasBody || reader([&](const char* data, size_t length) {
      tooLarge = body.size() + length > kMaxFormBytes;
      if (!tooLarge) body.append(data, length);
      return !tooLarge;
    });
    Form form;
    const std::string refusal = complete ? ParseForm(body, form) : "";
    if (!complete) {
      const bool limit = tooLarge || res.status == 413;
      AnswerError(res, limit ? 413 : 400, "invalid_request", limit ? "form too large" : "incomplete form");
      res.set_header("Connection", "close");
    } else if (!refusal.empty()) {
      AnswerError(res, 400, "invalid_request", refusal);
    } else {
      if (recorded) switches.RecordForm(path, form);
      handler(req, form, res);
    }
    Shape(switches.TakeShaping(req.path), res);
  });
}

void Router::AnswerOtherMethods() {
  using Register = httplib::Server& (httplib::Server::*)(const std::string&, httplib::Server::Handler);
  const std::pair<const char*, Register> all[] = {
      {"GET", &httplib::Server::Get},       {"POST", &httplib::Server::Post},
      {"PUT", &httplib::Server::Put},       {"PATCH", &httplib::Server::Patch},
      {"DELETE", &httplib::Server::Delete}, {"OPTIONS", &httplib::Server::Options}};
  for (const auto& [path, served] : m_methods) {
    std::string allowed;
    for (const std::string& method : served) allowed += (allowed.empty() ? "" : ", ") + method;
    for (const auto& [method, add] : all) {
      if (served.count(method)) continue;
      (m_server.*add)(Pattern(path), [allowed](const httplib::Request&, httplib::Response& res) {
        AnswerError(res, 405, "invalid_request", "method not allowed");
        res.set_header("Allow", allowed);
      });
    }
  }
}

}  // namespace devidp
