// The user's data-protection master key: <state folder>/keys/master.key.
#pragma once

#include <cstddef>

#include "wintypes.h"

namespace platform {
namespace dpapi {

constexpr size_t kKeyIdSize = 8;
constexpr size_t kKeySize = 32;

// Wiped when it goes out of scope.
struct MasterKey {
  unsigned char id[kKeyIdSize];
  unsigned char key[kKeySize];
  ~MasterKey();
};

// The key of the current home. With `create`, a missing key is made: racing first
// uses agree on one key. An existing key file is never replaced. 0 or the failure's
// status: NTE_BAD_KEYSET for a damaged or foreign key file, or a missing one when
// not creating.
DWORD LoadMasterKey(MasterKey& key, bool create);

}  // namespace dpapi
}  // namespace platform
