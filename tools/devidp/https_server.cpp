#include "https_server.h"

#include <cstdio>

#include "discovery_routes.h"
#include "json_answers.h"
#include "login_routes.h"
#include "request_log.h"
#include "router.h"
#include "test_control_routes.h"
#include "token_routes.h"

namespace devidp {
namespace {

// A slow or idle client holds one worker for at most the read or keep-alive time-out;
// the others keep serving.
const size_t kWorkerThreads = 16;
const time_t kTimeoutSeconds = 5;
const size_t kRequestsPerConnection = 100000;

struct ErrorText {
  const char* error;
  const char* description;
};

ErrorText ErrorFor(int status) {
  switch (status) {
    case 404: return {"not_found", "no such address"};
    case 413: return {"invalid_request", "request too large"};
    case 414: return {"invalid_request", "address too long"};
    case 500: return {"server_error", "internal error"};
    default: return {"invalid_request", "bad request"};
  }
}

httplib::Server::HandlerResponse AnswerJsonError(const httplib::Request&, httplib::Response& res) {
  if (!res.body.empty() || res.content_length_ != 0) return httplib::Server::HandlerResponse::Unhandled;
  const ErrorText text = ErrorFor(res.status);
  AnswerError(res, res.status, text.error, text.description);
  return httplib::Server::HandlerResponse::Handled;
}

void AnswerException(const httplib::Request& req, httplib::Response& res, std::exception_ptr) {
  std::fprintf(stderr, "corvex-devidp: internal error answering %s %s\n", req.method.c_str(), req.path.c_str());
  AnswerError(res, 500, "server_error", "internal error");
}

// Address reuse lets a restart bind at once; port sharing, which the library would
// also switch on, is left off so that a taken port is an error, not a second listener.
void SetSocketOptions(socket_t sock) {
  int yes = 1;
  setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

}  // namespace

void ConfigureServer(httplib::Server& server, Provider& provider, bool testControl) {
  server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
  server.set_read_timeout(kTimeoutSeconds);
  server.set_write_timeout(kTimeoutSeconds);
  server.set_keep_alive_timeout(kTimeoutSeconds);
  server.set_keep_alive_max_count(kRequestsPerConnection);
  server.set_payload_max_length(Router::kMaxFormBytes);
  server.set_tcp_nodelay(true);
  server.set_socket_options(SetSocketOptions);
  server.set_logger(LogRequest);
  server.set_error_handler(httplib::Server::HandlerWithResponse(AnswerJsonError));
  server.set_exception_handler(AnswerException);

  Router router(server, provider.switches);
  AddLoginRoutes(router, provider);
  AddTokenRoutes(router, provider);
  AddDiscoveryRoutes(router, provider);
  if (testControl) AddTestControlRoutes(router, provider);
  router.AnswerOtherMethods();
}

}  // namespace devidp
