// Registers the provider's routes on the HTTPS server: form posts read with a size
// limit and parsed by our own parser, answer shaping from the test control, and 405 for
// the methods a path does not serve.
#pragma once

#include <httplib.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "form.h"
#include "test_switches.h"

namespace devidp {

using FormHandler = std::function<void(const httplib::Request&, const Form&, httplib::Response&)>;

class Router {
 public:
  static const size_t kMaxFormBytes = 64 * 1024;

  Router(httplib::Server& server, TestSwitches& switches) : m_server(server), m_switches(switches) {}

  void Get(const std::string& path, httplib::Server::Handler handler);
  // A body that is too large gets 413, one that does not parse 400, both as JSON.
  void PostForm(const std::string& path, FormHandler handler);
  // Registers the 405 answers; call once after the last route.
  void AnswerOtherMethods();

 private:
  httplib::Server& m_server;
  TestSwitches& m_switches;
  std::map<std::string, std::set<std::string>> m_methods;  // path -> methods served
};

// The query of a request's target as sent, without decoding.
std::string RawQuery(const httplib::Request& req);

}  // namespace devidp
