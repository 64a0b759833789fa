// Sets up the HTTPS server: worker threads, time-outs, size limits, the request log,
// JSON answers for every error, and the routes.
#pragma once

#include <httplib.h>

#include "provider.h"

namespace devidp {

void ConfigureServer(httplib::Server& server, Provider& provider, bool testControl);

}  // namespace devidp
