// The kernel objects behind transaction handles.
#pragma once

#include <cstdint>

#include "wintypes.h"

namespace platform {
namespace registry {

// The id of the transaction behind a handle from CreateTransaction, else 0.
uint64_t TransactionId(HANDLE handle);

}  // namespace registry
}  // namespace platform
