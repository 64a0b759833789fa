// Fetching a PAC script.
#pragma once

#include <string>

#include "wintypes.h"

namespace platform::net {

// The script at `url` (http or https): straight to its server whatever proxy the
// environment names, in at most 5 seconds, at most 1 MiB, without logging on anywhere.
// ERROR_SUCCESS with the text, else ERROR_WINHTTP_UNABLE_TO_DOWNLOAD_SCRIPT.
DWORD FetchPacScript(const std::string& url, std::string& script);

}  // namespace platform::net
