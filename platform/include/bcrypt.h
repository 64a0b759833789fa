// The CNG calls the suite uses: SHA-256 hashing and the random generator, on OpenSSL.
// Same names, arguments and NTSTATUS results as on Windows; none sets the last error.
#pragma once

#include "wintypes.h"

typedef unsigned char UCHAR;
typedef UCHAR* PUCHAR;
typedef ULONG* PULONG;

typedef PVOID BCRYPT_HANDLE;
typedef PVOID BCRYPT_ALG_HANDLE;
typedef PVOID BCRYPT_HASH_HANDLE;

#define STATUS_SUCCESS ((NTSTATUS)0x00000000L)
#define STATUS_UNSUCCESSFUL ((NTSTATUS)0xC0000001L)
#define STATUS_INVALID_HANDLE ((NTSTATUS)0xC0000008L)
#define STATUS_INVALID_PARAMETER ((NTSTATUS)0xC000000DL)
#define STATUS_NO_MEMORY ((NTSTATUS)0xC0000017L)
#define STATUS_BUFFER_TOO_SMALL ((NTSTATUS)0xC0000023L)
#define STATUS_NOT_SUPPORTED ((NTSTATUS)0xC00000BBL)
#define STATUS_NOT_FOUND ((NTSTATUS)0xC0000225L)

#define BCRYPT_SUCCESS(status) (((NTSTATUS)(status)) >= 0)

#define BCRYPT_SHA256_ALGORITHM u"SHA256"
#define BCRYPT_RNG_ALGORITHM u"RNG"
#define BCRYPT_OBJECT_LENGTH u"ObjectLength"
#define BCRYPT_HASH_LENGTH u"HashDigestLength"

#define BCRYPT_USE_SYSTEM_PREFERRED_RNG 0x00000002

// Only the algorithms above, and only the default implementation (null name).
NTSTATUS BCryptOpenAlgorithmProvider(BCRYPT_ALG_HANDLE* phAlgorithm, LPCWSTR pszAlgId, LPCWSTR pszImplementation,
                                     ULONG dwFlags);
NTSTATUS BCryptCloseAlgorithmProvider(BCRYPT_ALG_HANDLE hAlgorithm, ULONG dwFlags);
// "ObjectLength" and "HashDigestLength" (4 bytes each) of a hash algorithm or hash.
NTSTATUS BCryptGetProperty(BCRYPT_HANDLE hObject, LPCWSTR pszProperty, PUCHAR pbOutput, ULONG cbOutput,
                           PULONG pcbResult, ULONG dwFlags);
// The hash state lives in pbHashObject (at least ObjectLength bytes) or, when that is
// null, in memory of the call's own. Keyed hashes (a secret) are not offered.
NTSTATUS BCryptCreateHash(BCRYPT_ALG_HANDLE hAlgorithm, BCRYPT_HASH_HANDLE* phHash, PUCHAR pbHashObject,
                          ULONG cbHashObject, PUCHAR pbSecret, ULONG cbSecret, ULONG dwFlags);
NTSTATUS BCryptHashData(BCRYPT_HASH_HANDLE hHash, PUCHAR pbInput, ULONG cbInput, ULONG dwFlags);
// cbOutput must be the digest length. The hash starts over afterwards.
NTSTATUS BCryptFinishHash(BCRYPT_HASH_HANDLE hHash, PUCHAR pbOutput, ULONG cbOutput, ULONG dwFlags);
NTSTATUS BCryptDestroyHash(BCRYPT_HASH_HANDLE hHash);
// Either an "RNG" algorithm handle, or none with BCRYPT_USE_SYSTEM_PREFERRED_RNG.
NTSTATUS BCryptGenRandom(BCRYPT_ALG_HANDLE hAlgorithm, PUCHAR pbBuffer, ULONG cbBuffer, ULONG dwFlags);
