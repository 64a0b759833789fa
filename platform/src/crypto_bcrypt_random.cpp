// BCryptGenRandom on OpenSSL's generator.
#include <openssl/rand.h>

#include <climits>

#include "crypto_handles.h"

NTSTATUS BCryptGenRandom(BCRYPT_ALG_HANDLE hAlgorithm, PUCHAR pbBuffer, ULONG cbBuffer, ULONG dwFlags) {
  if (dwFlags & ~static_cast<ULONG>(BCRYPT_USE_SYSTEM_PREFERRED_RNG)) return STATUS_INVALID_PARAMETER;
  if (dwFlags & BCRYPT_USE_SYSTEM_PREFERRED_RNG) {
    if (hAlgorithm) return STATUS_INVALID_PARAMETER;
  } else {
    const auto algorithm = platform::cng::FindAlgorithm(hAlgorithm);
    if (!algorithm || algorithm->digest) return STATUS_INVALID_HANDLE;
  }
  if (!pbBuffer && cbBuffer) return STATUS_INVALID_PARAMETER;
  // RAND_bytes takes an int count.
  while (cbBuffer > 0) {
    const ULONG chunk = cbBuffer > INT_MAX ? INT_MAX : cbBuffer;
    if (RAND_bytes(pbBuffer, static_cast<int>(chunk)) != 1) return STATUS_UNSUCCESSFUL;
    pbBuffer += chunk;
    cbBuffer -= chunk;
  }
  return STATUS_SUCCESS;
}
