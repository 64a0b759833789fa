// The registry's process-wide state: the table of open key handles, the overrides of
// predefined keys, and the hive of the current home (reopened when the home changes).
#pragma once

#include <cstdint>
#include <mutex>

#include "registry_store.h"

namespace platform {
namespace registry {

// What an open handle stands for.
struct KeyRef {
  bool inHive = true;  // else in the machine keys
  KeyId id = 0;
  uint64_t hiveGeneration = 0;  // the hive it was opened in; a later hive makes it dead
  REGSAM access = 0;
  uint64_t transaction = 0;  // the transaction it was opened in, 0 for none
};

struct ResolvedKey {
  KeyRef ref;
  KeyStore* store = nullptr;
};

bool IsPredefined(HKEY handle);

// Holds the registry lock for the length of one call, so handles may be shared by threads.
class Session {
 public:
  Session();

  // The key behind an open or predefined handle, if the handle holds the rights `needed`.
  LONG Resolve(HKEY handle, REGSAM needed, ResolvedKey& key);
  HKEY AddHandle(const KeyRef& ref);
  LONG CloseHandle(HKEY handle);
  // Redirects a predefined key for the whole process; null restores the default.
  LONG Override(HKEY predefined, const KeyRef* replacement);

  // Starts transaction `id` on the user's hive, unless it runs already; one at a time.
  LONG BeginTransaction(uint64_t id);
  // Commits or rolls back transaction `id`; ERROR_TRANSACTION_NOT_ACTIVE when it does not run.
  LONG EndTransaction(uint64_t id, bool commit);

 private:
  std::lock_guard<std::mutex> m_lock;
};

}  // namespace registry
}  // namespace platform
