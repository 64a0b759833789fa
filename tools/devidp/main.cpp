// corvex-devidp: a development identity provider on 127.0.0.1 for the sign-in stack.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>

#include "command_line.h"
#include "corvex_deployment.h"
#include "data_folder.h"
#include "discovery_routes.h"
#include "https_server.h"
#include "key_material.h"
#include "pem_files.h"
#include "provider.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "corvex-devidp: %s\n", message.c_str());
  return 1;
}

bool Bind(httplib::Server& server, int& port) {
  if (port == 0) {
    port = server.bind_to_any_port("127.0.0.1");
    return port > 0;
  }
  return server.bind_to_port("127.0.0.1", port);
}

// Serves until SIGTERM or SIGINT, which a watcher thread turns into a clean stop.
void ServeUntilStopped(httplib::Server& server, const sigset_t& stopSignals) {
  std::thread watcher([&server, &stopSignals] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
  });
  server.listen_after_bind();
  pthread_kill(watcher.native_handle(), SIGTERM);  // wakes the watcher if it still waits
  watcher.join();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace devidp;
  Options options;
  std::string error;
  if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    return Fail(error + "\n" + kUsage);
  }
  // Stop signals go to the watcher thread only; a dropped client must not kill us. A
  // shell starts background jobs with SIGINT ignored, and an ignored signal never
  // reaches sigwait: take the default back first.
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  KeyMaterial keys;
  if (!PrepareDataFolder(options.dataFolder, error) ||
      !LoadOrMakeKeyMaterial(options.dataFolder, DeploymentHostName(), keys, error)) {
    return Fail(error);
  }
  Provider provider(keys.signingKey.get(), options.testControl);
  if (!options.usersFile.empty() && !provider.users.AddFromFile(options.usersFile, error)) return Fail(error);
  provider.clientId = CORVEX_CLIENT_ID;
  provider.caBundle = CaBundle(CertificatePem(keys.caCertificate.get()));
  provider.autoSubmit = options.autoSubmit;
  provider.reportPageLoads = options.testControl;

  httplib::SSLServer server(keys.serverCertificate.get(), keys.serverKey.get());
  if (!server.is_valid()) return Fail("cannot set up TLS with the server certificate");
  ConfigureServer(server, provider, options.testControl);
  int port = options.port;
  if (!Bind(server, port)) return Fail("cannot listen on 127.0.0.1:" + std::to_string(port) + " (port in use?)");
  provider.issuer = "https://" + DeploymentHostName() + ":" + std::to_string(port);

  std::printf("listening on https://127.0.0.1:%d\n", port);
  std::fflush(stdout);
  ServeUntilStopped(server, stopSignals);
  return 0;
}
