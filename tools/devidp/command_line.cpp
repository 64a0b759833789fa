#include "command_line.h"

#include <cstdlib>

#include "corvex_deployment.h"
#include "data_folder.h"

namespace devidp {

const char kUsage[] =
    "usage: corvex-devidp [--port N] [--data DIR] [--users FILE] [--auto-submit] [--test-control]\n"
    "  --port N        port on 127.0.0.1 (default: the deployment's; 0 picks a free one)\n"
    "  --data DIR      keys and certificates (default: ~/.halvorn/devidp)\n"
    "  --users FILE    JSON array of {\"name\", \"password\", \"custom_attributes\"}\n"
    "  --auto-submit   the login page signs the demo user in by itself\n"
    "  --test-control  serve /_test/ for tests (the login page reports its load to /_test/page-shown)\n";

namespace {

const std::string kDeploymentHost = CORVEX_IDP_HOST;

int DeploymentPort() {
  const size_t colon = kDeploymentHost.rfind(':');
  return colon == std::string::npos ? 443 : std::atoi(kDeploymentHost.c_str() + colon + 1);
}

bool ParsePort(const std::string& text, int& port) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 0 || value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

}  // namespace

std::string DeploymentHostName() { return kDeploymentHost.substr(0, kDeploymentHost.rfind(':')); }

bool ParseCommandLine(const std::vector<std::string>& args, Options& options, std::string& error) {
  options.port = DeploymentPort();
  options.dataFolder = DefaultDataFolder();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--port" || arg == "--data" || arg == "--users";
    if (takesValue && i + 1 == args.size()) {
      error = arg + " needs a value";
      return false;
    }
    if (arg == "--port") {
      if (!ParsePort(args[++i], options.port)) {
        error = "--port needs a number from 0 to 65535";
        return false;
      }
    } else if (arg == "--data") {
      options.dataFolder = args[++i];
    } else if (arg == "--users") {
      options.usersFile = args[++i];
    } else if (arg == "--auto-submit") {
      options.autoSubmit = true;
    } else if (arg == "--test-control") {
      options.testControl = true;
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}

}  // namespace devidp
