// The functions a PAC script may call besides the language's own: isPlainHostName,
// dnsDomainIs, localHostOrDomainIs, isResolvable, isInNet, dnsResolve, myIpAddress,
// dnsDomainLevels, shExpMatch, weekdayRange, dateRange, timeRange and alert.
#pragma once

#include "duktape.h"

namespace platform::pac {

// Defines them as globals of the engine; raises an engine error when memory runs out.
void DefinePacHelpers(duk_context* ctx);

}  // namespace platform::pac
