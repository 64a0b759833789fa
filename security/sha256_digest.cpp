// CCSHA256 through the CNG calls.
#include "Security.h"
#include "bcrypt.h"
#include "winheap.h"

namespace {

const ULONG kDigestSize = 32;

// Everything a digest acquires, released whichever step stops it.
struct DigestResources {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  PBYTE object = nullptr;
  PBYTE digest = nullptr;

  ~DigestResources() {
    if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
    if (hash) BCryptDestroyHash(hash);
    if (object) HeapFree(GetProcessHeap(), 0, object);
    if (digest) HeapFree(GetProcessHeap(), 0, digest);
  }
};

int Failed(CString& error, const char* call, NTSTATUS status) {
  error.Format("Error 0x%x returned by %s", static_cast<unsigned>(status), call);
  return 0;
}

int OutOfMemory(CString& error) {
  error = "Memory allocation failed";
  return 0;
}

NTSTATUS QuerySize(BCRYPT_ALG_HANDLE algorithm, LPCWSTR property, ULONG& size) {
  ULONG written = 0;
  return BCryptGetProperty(algorithm, property, reinterpret_cast<PUCHAR>(&size), sizeof(size), &written, 0);
}

}  // namespace

int CCSHA256(CString input, unsigned char* digest, CString& error) {
  DigestResources r;
  ULONG objectSize = 0, digestSize = 0;
  NTSTATUS status = BCryptOpenAlgorithmProvider(&r.algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
  if (!BCRYPT_SUCCESS(status)) return Failed(error, "BCryptOpenAlgorithmProvider", status);
  status = QuerySize(r.algorithm, BCRYPT_OBJECT_LENGTH, objectSize);
  if (!BCRYPT_SUCCESS(status)) return Failed(error, "BCryptGetProperty", status);
  r.object = static_cast<PBYTE>(HeapAlloc(GetProcessHeap(), 0, objectSize));
  if (!r.object) return OutOfMemory(error);
  status = QuerySize(r.algorithm, BCRYPT_HASH_LENGTH, digestSize);
  if (!BCRYPT_SUCCESS(status)) return Failed(error, "BCryptGetProperty", status);
  r.digest = static_cast<PBYTE>(HeapAlloc(GetProcessHeap(), 0, digestSize));
  if (!r.digest) return OutOfMemory(error);
  status = BCryptCreateHash(r.algorithm, &r.hash, r.object, objectSize, nullptr, 0, 0);
  if (!BCRYPT_SUCCESS(status)) return Failed(error, "BCryptCreateHash", status);
  status = BCryptHashData(r.hash, reinterpret_cast<PUCHAR>(const_cast<char*>(input.GetString())),
                          static_cast<ULONG>(input.GetLength()), 0);
  if (!BCRYPT_SUCCESS(status)) return Failed(error, "BCryptHashData", status);
  status = BCryptFinishHash(r.hash, r.digest, digestSize, 0);
  if (!BCRYPT_SUCCESS(status)) return Failed(error, "BCryptFinishHash", status);
  if (digestSize != kDigestSize) {
    error.Format("Error in BCryptFinishHash, hash length not correct: %d", static_cast<int>(digestSize));
    return 0;
  }
  for (ULONG i = 0; i < kDigestSize; ++i) digest[i] = r.digest[i];
  return 1;
}
