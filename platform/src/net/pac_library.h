// The PAC evaluator, loaded from beside PlatformNet on first use.
#pragma once

#include "pac_engine.h"

namespace platform::net {

// The evaluator's entry, loading PlatformPac on the first call; null when it cannot be loaded.
PacEvaluateFunction PacEvaluator();

}  // namespace platform::net
