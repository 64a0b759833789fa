// The token endpoint: authorization-code grant with PKCE, and refresh grant.
#pragma once

#include "provider.h"
#include "router.h"

namespace devidp {

void AddTokenRoutes(Router& router, Provider& provider);

}  // namespace devidp
