#include "engine_flags.h"

#include <unistd.h>

namespace browser_runtime {

std::vector<std::string> EngineFlags(const CefCommandLine& commandLine, const CefSettings& settings) {
  std::vector<std::string> flags = commandLine.GetSwitchArguments();
  if (settings.no_sandbox && geteuid() == 0) flags.push_back("--no-sandbox");
  for (const std::string& proxy : ProxySwitches()) flags.push_back(proxy);
  if (access("/dev/shm", W_OK) != 0) flags.push_back("--disable-dev-shm-usage");
  return flags;
}

}  // namespace browser_runtime
