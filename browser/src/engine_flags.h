// The Chromium switches the engine starts with.
#pragma once

#include <string>
#include <vector>

#include "cef_app.h"

namespace browser_runtime {

// The proxy the user's Internet settings in the hive name: "--proxy-pac-url=..." for an
// automatic configuration script, else "--proxy-server=..." (Chromium reads the
// per-protocol form "http=host:port;https=..." itself) when a proxy is enabled, else
// "--no-proxy-server". A proxy also takes loopback addresses, as the suite's own requests do.
std::vector<std::string> ProxySwitches();

// The command line's switches, the sandbox's (only a root process runs without it: the
// engine refuses root otherwise), the proxy's, and a way around an unusable /dev/shm.
std::vector<std::string> EngineFlags(const CefCommandLine& commandLine, const CefSettings& settings);

}  // namespace browser_runtime
