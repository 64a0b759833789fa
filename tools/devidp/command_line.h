// corvex-devidp [--port N] [--data DIR] [--users FILE] [--auto-submit] [--test-control]
#pragma once

#include <string>
#include <vector>

namespace devidp {

struct Options {
  int port = 0;         // 0: the kernel picks a free one
  std::string dataFolder;
  std::string usersFile;  // empty: built-in users only
  bool autoSubmit = false;
  bool testControl = false;
};

// The deployment's identity-provider host, without its port.
std::string DeploymentHostName();

// Defaults: the deployment host's port, the data folder under the home folder. False
// with `error` set when the line is not valid.
bool ParseCommandLine(const std::vector<std::string>& args, Options& options, std::string& error);

extern const char kUsage[];

}  // namespace devidp
