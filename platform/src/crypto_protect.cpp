// CryptProtectData / CryptUnprotectData: AES-256-GCM under the user's master key.
//
// Blob: magic "CVXD" | version 1 | key id (8) | nonce (12) | ciphertext | tag (16).
// Authenticated with it: the header, the user id and the caller's entropy.
#include <openssl/crypto.h>
#include <openssl/rand.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "crypto_aes_gcm.h"
#include "crypto_master_key.h"
#include "dpapi.h"

using platform::dpapi::GcmInput;
using platform::dpapi::kKeyIdSize;
using platform::dpapi::kNonceSize;
using platform::dpapi::kTagSize;
using platform::dpapi::MasterKey;

namespace {

const unsigned char kMagic[4] = {'C', 'V', 'X', 'D'};
const unsigned char kVersion = 1;
const size_t kKeyIdAt = sizeof(kMagic) + 1;
const size_t kNonceAt = kKeyIdAt + kKeyIdSize;
const size_t kHeaderSize = kNonceAt + kNonceSize;
const size_t kOverhead = kHeaderSize + kTagSize;

BOOL Fail(DWORD status) {
  SetLastError(status);
  return FALSE;
}

bool ValidBlob(const DATA_BLOB* blob) { return blob && (blob->pbData || blob->cbData == 0); }

// Header, user id and entropy: what the tag vouches for besides the ciphertext.
std::string AssociatedData(const unsigned char* header, const DATA_BLOB* entropy) {
  std::string data(reinterpret_cast<const char*>(header), kHeaderSize);
  const uint32_t user = static_cast<uint32_t>(geteuid());
  for (int shift = 0; shift < 32; shift += 8) data += static_cast<char>((user >> shift) & 0xff);
  if (entropy && entropy->cbData) data.append(reinterpret_cast<const char*>(entropy->pbData), entropy->cbData);
  return data;
}

GcmInput GcmFor(const MasterKey& key, const unsigned char* header, const std::string& associated) {
  return GcmInput{key.key, header + kNonceAt, reinterpret_cast<const unsigned char*>(associated.data()),
                  associated.size()};
}

DWORD WriteHeader(const MasterKey& key, unsigned char* header) {
  std::memcpy(header, kMagic, sizeof(kMagic));
  header[sizeof(kMagic)] = kVersion;
  std::memcpy(header + kKeyIdAt, key.id, kKeyIdSize);
  return RAND_bytes(header + kNonceAt, kNonceSize) == 1 ? ERROR_SUCCESS : static_cast<DWORD>(NTE_FAIL);
}

bool HeaderMatches(const unsigned char* header, const MasterKey& key) {
  return std::memcmp(header, kMagic, sizeof(kMagic)) == 0 && header[sizeof(kMagic)] == kVersion &&
         std::memcmp(header + kKeyIdAt, key.id, kKeyIdSize) == 0;
}

}  // namespace

BOOL CryptProtectData(DATA_BLOB* pDataIn, LPCWSTR szDataDescr, DATA_BLOB* pOptionalEntropy, PVOID,
                      CRYPTPROTECT_PROMPTSTRUCT*, DWORD dwFlags, DATA_BLOB* pDataOut) {
  if (!ValidBlob(pDataIn) || !pDataOut || (pOptionalEntropy && !ValidBlob(pOptionalEntropy)))
    return Fail(ERROR_INVALID_PARAMETER);
  if (szDataDescr || (dwFlags & CRYPTPROTECT_LOCAL_MACHINE)) return Fail(ERROR_NOT_SUPPORTED);
  if (pDataIn->cbData > UINT32_MAX - kOverhead) return Fail(ERROR_INVALID_PARAMETER);
  MasterKey key;
  DWORD status = platform::dpapi::LoadMasterKey(key, true);
  if (status != ERROR_SUCCESS) return Fail(status);
  const DWORD size = static_cast<DWORD>(pDataIn->cbData + kOverhead);
  BYTE* blob = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, size));
  if (!blob) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  status = WriteHeader(key, blob);
  const std::string associated = AssociatedData(blob, pOptionalEntropy);
  if (status == ERROR_SUCCESS &&
      !platform::dpapi::SealAesGcm(GcmFor(key, blob, associated), pDataIn->pbData, pDataIn->cbData, blob + kHeaderSize,
                                   blob + kHeaderSize + pDataIn->cbData))
    status = static_cast<DWORD>(NTE_FAIL);
  if (status != ERROR_SUCCESS) {
    LocalFree(blob);
    return Fail(status);
  }
  pDataOut->pbData = blob;
  pDataOut->cbData = size;
  return TRUE;
}

BOOL CryptUnprotectData(DATA_BLOB* pDataIn, LPWSTR* ppszDataDescr, DATA_BLOB* pOptionalEntropy, PVOID,
                        CRYPTPROTECT_PROMPTSTRUCT*, DWORD dwFlags, DATA_BLOB* pDataOut) {
  if (!ValidBlob(pDataIn) || !pDataOut || (pOptionalEntropy && !ValidBlob(pOptionalEntropy)))
    return Fail(ERROR_INVALID_PARAMETER);
  if (dwFlags & CRYPTPROTECT_LOCAL_MACHINE) return Fail(ERROR_NOT_SUPPORTED);
  if (pDataIn->cbData < kOverhead) return Fail(ERROR_INVALID_DATA);
  MasterKey key;
  DWORD status = platform::dpapi::LoadMasterKey(key, false);
  if (status != ERROR_SUCCESS) return Fail(status);
  const unsigned char* header = pDataIn->pbData;
  if (!HeaderMatches(header, key)) return Fail(ERROR_INVALID_DATA);
  const DWORD size = pDataIn->cbData - static_cast<DWORD>(kOverhead);
  BYTE* plain = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, size));
  if (!plain) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  const std::string associated = AssociatedData(header, pOptionalEntropy);
  if (!platform::dpapi::OpenAesGcm(GcmFor(key, header, associated), header + kHeaderSize, size,
                                   header + kHeaderSize + size, plain)) {
    SecureZeroMemory(plain, size);
    LocalFree(plain);
    return Fail(ERROR_INVALID_DATA);
  }
  // No description is ever stored: the caller who asks gets an empty one.
  if (ppszDataDescr) *ppszDataDescr = static_cast<LPWSTR>(LocalAlloc(LPTR, sizeof(WCHAR)));
  pDataOut->pbData = plain;
  pDataOut->cbData = size;
  return TRUE;
}
