// Tables of the open CNG algorithm and hash objects.
#include "crypto_handles.h"

#include <mutex>
#include <unordered_map>

namespace platform {
namespace cng {

namespace {

struct Tables {
  std::mutex mutex;
  std::unordered_map<const void*, std::shared_ptr<const Algorithm>> algorithms;
  std::unordered_map<const void*, std::shared_ptr<Hash>> hashes;
};

// Never destroyed: handles may still be closed from exit handlers.
Tables& Open() {
  static Tables* tables = new Tables;
  return *tables;
}

}  // namespace

BCRYPT_ALG_HANDLE AddAlgorithm(const Algorithm& algorithm) {
  auto object = std::make_shared<const Algorithm>(algorithm);
  BCRYPT_ALG_HANDLE handle = const_cast<Algorithm*>(object.get());
  std::lock_guard<std::mutex> lock(Open().mutex);
  Open().algorithms.emplace(handle, std::move(object));
  return handle;
}

std::shared_ptr<const Algorithm> FindAlgorithm(BCRYPT_HANDLE handle) {
  std::lock_guard<std::mutex> lock(Open().mutex);
  auto found = Open().algorithms.find(handle);
  return found == Open().algorithms.end() ? nullptr : found->second;
}

bool RemoveAlgorithm(BCRYPT_ALG_HANDLE handle) {
  std::lock_guard<std::mutex> lock(Open().mutex);
  return Open().algorithms.erase(handle) == 1;
}

BCRYPT_HASH_HANDLE AddHash(void* place, std::unique_ptr<Hash> hash) {
  BCRYPT_HASH_HANDLE handle = place ? place : hash.get();
  std::lock_guard<std::mutex> lock(Open().mutex);
  // A hash object buffer reused without BCryptDestroyHash: the new hash replaces the old.
  Open().hashes[handle] = std::move(hash);
  return handle;
}

std::shared_ptr<Hash> FindHash(BCRYPT_HANDLE handle) {
  std::lock_guard<std::mutex> lock(Open().mutex);
  auto found = Open().hashes.find(handle);
  return found == Open().hashes.end() ? nullptr : found->second;
}

bool RemoveHash(BCRYPT_HASH_HANDLE handle) {
  std::lock_guard<std::mutex> lock(Open().mutex);
  return Open().hashes.erase(handle) == 1;
}

}  // namespace cng
}  // namespace platform
