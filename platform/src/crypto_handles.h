// The open CNG objects. A handle is valid only while it is in these tables, so a
// stale, foreign or made-up handle is refused instead of dereferenced.
#pragma once

#include <openssl/evp.h>

#include <memory>

#include "bcrypt.h"

namespace platform {
namespace cng {

struct Algorithm {
  const EVP_MD* digest;  // null for the random generator
};

struct Hash {
  const EVP_MD* digest;
  std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context{nullptr, EVP_MD_CTX_free};
};

BCRYPT_ALG_HANDLE AddAlgorithm(const Algorithm& algorithm);
// Shared references: a destroy call on another thread cannot free an object in use.
std::shared_ptr<const Algorithm> FindAlgorithm(BCRYPT_HANDLE handle);
bool RemoveAlgorithm(BCRYPT_ALG_HANDLE handle);

// The handle is `place` when given (the caller's hash-object buffer), else the state's own address.
BCRYPT_HASH_HANDLE AddHash(void* place, std::unique_ptr<Hash> hash);
std::shared_ptr<Hash> FindHash(BCRYPT_HANDLE handle);
bool RemoveHash(BCRYPT_HASH_HANDLE handle);

}  // namespace cng
}  // namespace platform
