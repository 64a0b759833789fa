// The login page, its form post, and the authorization page that sends the browser on
// to the client's redirect address with the code.
#pragma once

#include "provider.h"
#include "router.h"

namespace devidp {

void AddLoginRoutes(Router& router, Provider& provider);

}  // namespace devidp
