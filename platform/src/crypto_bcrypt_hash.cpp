// CNG algorithm providers, properties and hashes on OpenSSL EVP digests.
#include <cstring>
#include <string>

#include "crypto_handles.h"

using platform::cng::Algorithm;
using platform::cng::Hash;

namespace {

// What BCryptGetProperty reports as "ObjectLength". The state itself lives in the
// handle table; the caller's buffer of this size only gives the hash its handle.
const ULONG kHashObjectLength = 64;

bool SameText(LPCWSTR text, const char16_t* expected) { return text && std::u16string(text) == expected; }

// The digest whose properties a handle stands for, null for none.
const EVP_MD* DigestOf(BCRYPT_HANDLE handle, NTSTATUS& status) {
  status = STATUS_SUCCESS;
  if (const auto hash = platform::cng::FindHash(handle)) return hash->digest;
  const auto algorithm = platform::cng::FindAlgorithm(handle);
  if (!algorithm)
    status = STATUS_INVALID_HANDLE;
  else if (!algorithm->digest)
    status = STATUS_NOT_SUPPORTED;
  return algorithm ? algorithm->digest : nullptr;
}

NTSTATUS StartOver(Hash& hash) {
  return EVP_DigestInit_ex(hash.context.get(), hash.digest, nullptr) == 1 ? STATUS_SUCCESS : STATUS_UNSUCCESSFUL;
}

}  // namespace

NTSTATUS BCryptOpenAlgorithmProvider(BCRYPT_ALG_HANDLE* phAlgorithm, LPCWSTR pszAlgId, LPCWSTR pszImplementation,
                                     ULONG dwFlags) {
  if (!phAlgorithm || !pszAlgId || dwFlags) return STATUS_INVALID_PARAMETER;
  *phAlgorithm = nullptr;
  if (pszImplementation) return STATUS_NOT_FOUND;
  if (SameText(pszAlgId, BCRYPT_SHA256_ALGORITHM)) {
    *phAlgorithm = platform::cng::AddAlgorithm(Algorithm{EVP_sha256()});
  } else if (SameText(pszAlgId, BCRYPT_RNG_ALGORITHM)) {
    *phAlgorithm = platform::cng::AddAlgorithm(Algorithm{nullptr});
  } else {
    return STATUS_NOT_FOUND;
  }
  return STATUS_SUCCESS;
}

NTSTATUS BCryptCloseAlgorithmProvider(BCRYPT_ALG_HANDLE hAlgorithm, ULONG) {
  return platform::cng::RemoveAlgorithm(hAlgorithm) ? STATUS_SUCCESS : STATUS_INVALID_HANDLE;
}

NTSTATUS BCryptGetProperty(BCRYPT_HANDLE hObject, LPCWSTR pszProperty, PUCHAR pbOutput, ULONG cbOutput,
                           PULONG pcbResult, ULONG dwFlags) {
  NTSTATUS status = STATUS_SUCCESS;
  const EVP_MD* digest = DigestOf(hObject, status);
  if (!digest) return status;
  if (!pszProperty || !pcbResult || dwFlags) return STATUS_INVALID_PARAMETER;
  ULONG value = 0;
  if (SameText(pszProperty, BCRYPT_OBJECT_LENGTH))
    value = kHashObjectLength;
  else if (SameText(pszProperty, BCRYPT_HASH_LENGTH))
    value = static_cast<ULONG>(EVP_MD_size(digest));
  else
    return STATUS_NOT_SUPPORTED;
  *pcbResult = sizeof(value);
  if (!pbOutput) return STATUS_SUCCESS;
  if (cbOutput < sizeof(value)) return STATUS_BUFFER_TOO_SMALL;
  std::memcpy(pbOutput, &value, sizeof(value));
  return STATUS_SUCCESS;
}

NTSTATUS BCryptCreateHash(BCRYPT_ALG_HANDLE hAlgorithm, BCRYPT_HASH_HANDLE* phHash, PUCHAR pbHashObject,
                          ULONG cbHashObject, PUCHAR pbSecret, ULONG cbSecret, ULONG dwFlags) {
  const auto algorithm = platform::cng::FindAlgorithm(hAlgorithm);
  if (!algorithm || !algorithm->digest) return STATUS_INVALID_HANDLE;
  if (!phHash || dwFlags) return STATUS_INVALID_PARAMETER;
  if (pbSecret || cbSecret) return STATUS_NOT_SUPPORTED;
  if (pbHashObject && cbHashObject < kHashObjectLength) return STATUS_BUFFER_TOO_SMALL;
  auto hash = std::make_unique<Hash>();
  hash->digest = algorithm->digest;
  hash->context.reset(EVP_MD_CTX_new());
  if (!hash->context) return STATUS_NO_MEMORY;
  NTSTATUS status = StartOver(*hash);
  if (BCRYPT_SUCCESS(status)) *phHash = platform::cng::AddHash(pbHashObject, std::move(hash));
  return status;
}

NTSTATUS BCryptHashData(BCRYPT_HASH_HANDLE hHash, PUCHAR pbInput, ULONG cbInput, ULONG dwFlags) {
  const auto hash = platform::cng::FindHash(hHash);
  if (!hash) return STATUS_INVALID_HANDLE;
  if ((!pbInput && cbInput) || dwFlags) return STATUS_INVALID_PARAMETER;
  if (cbInput == 0) return STATUS_SUCCESS;
  return EVP_DigestUpdate(hash->context.get(), pbInput, cbInput) == 1 ? STATUS_SUCCESS : STATUS_UNSUCCESSFUL;
}

NTSTATUS BCryptFinishHash(BCRYPT_HASH_HANDLE hHash, PUCHAR pbOutput, ULONG cbOutput, ULONG dwFlags) {
  const auto hash = platform::cng::FindHash(hHash);
  if (!hash) return STATUS_INVALID_HANDLE;
  if (!pbOutput || dwFlags || cbOutput != static_cast<ULONG>(EVP_MD_size(hash->digest)))
    return STATUS_INVALID_PARAMETER;
  if (EVP_DigestFinal_ex(hash->context.get(), pbOutput, nullptr) != 1) return STATUS_UNSUCCESSFUL;
  return StartOver(*hash);
}

NTSTATUS BCryptDestroyHash(BCRYPT_HASH_HANDLE hHash) {
  return platform::cng::RemoveHash(hHash) ? STATUS_SUCCESS : STATUS_INVALID_HANDLE;
}
