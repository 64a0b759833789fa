// CNG hashing and random numbers, and the process heap: results and statuses as on
// Windows. The digests themselves are checked through CCSHA256 in the security tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bcrypt.h"
#include "winheap.h"

namespace {

std::string Hex(const std::vector<UCHAR>& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (UCHAR b : bytes) text += {digits[b >> 4], digits[b & 15]};
  return text;
}

}  // namespace

TEST(BCryptTest, HashStartsOverAfterFinishAndWorksWithoutAnObjectBuffer) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  ASSERT_EQ(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0), STATUS_SUCCESS);
  BCRYPT_HASH_HANDLE hash = nullptr;
  ASSERT_EQ(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0), STATUS_SUCCESS);
  UCHAR abc[] = {'a', 'b', 'c'};
  std::vector<UCHAR> first(32), second(32);
  ASSERT_EQ(BCryptHashData(hash, abc, 3, 0), STATUS_SUCCESS);
  ASSERT_EQ(BCryptFinishHash(hash, first.data(), 32, 0), STATUS_SUCCESS);
  ASSERT_EQ(BCryptHashData(hash, abc, 3, 0), STATUS_SUCCESS);
  ASSERT_EQ(BCryptFinishHash(hash, second.data(), 32, 0), STATUS_SUCCESS);
  EXPECT_EQ(first, second);
  EXPECT_EQ(Hex(first), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(BCryptDestroyHash(hash), STATUS_SUCCESS);
  EXPECT_EQ(BCryptCloseAlgorithmProvider(algorithm, 0), STATUS_SUCCESS);
}

TEST(BCryptTest, BadHandlesShortBuffersAndUnknownNamesGiveTheirStatuses) {
  BCRYPT_ALG_HANDLE sha = nullptr, rng = nullptr, closed = nullptr, unknown = nullptr;
  ASSERT_EQ(BCryptOpenAlgorithmProvider(&sha, BCRYPT_SHA256_ALGORITHM, nullptr, 0), STATUS_SUCCESS);
  ASSERT_EQ(BCryptOpenAlgorithmProvider(&rng, BCRYPT_RNG_ALGORITHM, nullptr, 0), STATUS_SUCCESS);
  ASSERT_EQ(BCryptOpenAlgorithmProvider(&closed, BCRYPT_SHA256_ALGORITHM, nullptr, 0), STATUS_SUCCESS);
  ASSERT_EQ(BCryptCloseAlgorithmProvider(closed, 0), STATUS_SUCCESS);
  UCHAR object[64], tooSmall[8], digest[32], input[1] = {0};
  BCRYPT_HASH_HANDLE hash = nullptr, other = nullptr;
  ASSERT_EQ(BCryptCreateHash(sha, &hash, object, sizeof(object), nullptr, 0, 0), STATUS_SUCCESS);
  ULONG value = 0, size = 0;
  BCRYPT_HASH_HANDLE made_up = reinterpret_cast<BCRYPT_HASH_HANDLE>(static_cast<uintptr_t>(0x1234));

  struct Case {
    const char* what;
    NTSTATUS status;
    NTSTATUS expected;
  } cases[] = {
      {"unknown algorithm", BCryptOpenAlgorithmProvider(&unknown, u"MD4", nullptr, 0), STATUS_NOT_FOUND},
      {"named implementation", BCryptOpenAlgorithmProvider(&unknown, BCRYPT_SHA256_ALGORITHM, u"Other", 0),
       STATUS_NOT_FOUND},
      {"close twice", BCryptCloseAlgorithmProvider(closed, 0), STATUS_INVALID_HANDLE},
      {"close a hash", BCryptCloseAlgorithmProvider(hash, 0), STATUS_INVALID_HANDLE},
      {"property of null", BCryptGetProperty(nullptr, BCRYPT_HASH_LENGTH, nullptr, 0, &size, 0), STATUS_INVALID_HANDLE},
      {"property of closed", BCryptGetProperty(closed, BCRYPT_HASH_LENGTH, nullptr, 0, &size, 0),
       STATUS_INVALID_HANDLE},
      {"hash length of RNG", BCryptGetProperty(rng, BCRYPT_HASH_LENGTH, nullptr, 0, &size, 0), STATUS_NOT_SUPPORTED},
      {"unknown property", BCryptGetProperty(sha, u"BlockLength", nullptr, 0, &size, 0), STATUS_NOT_SUPPORTED},
      {"short property buffer",
       BCryptGetProperty(sha, BCRYPT_HASH_LENGTH, reinterpret_cast<PUCHAR>(&value), 2, &size, 0),
       STATUS_BUFFER_TOO_SMALL},
      {"create on RNG", BCryptCreateHash(rng, &other, nullptr, 0, nullptr, 0, 0), STATUS_INVALID_HANDLE},
      {"create on closed", BCryptCreateHash(closed, &other, nullptr, 0, nullptr, 0, 0), STATUS_INVALID_HANDLE},
      {"small hash object", BCryptCreateHash(sha, &other, tooSmall, sizeof(tooSmall), nullptr, 0, 0),
       STATUS_BUFFER_TOO_SMALL},
      {"hash a made-up handle", BCryptHashData(made_up, input, 1, 0), STATUS_INVALID_HANDLE},
      {"hash an algorithm", BCryptHashData(sha, input, 1, 0), STATUS_INVALID_HANDLE},
      {"null input with length", BCryptHashData(hash, nullptr, 1, 0), STATUS_INVALID_PARAMETER},
      {"short digest buffer", BCryptFinishHash(hash, digest, 31, 0), STATUS_INVALID_PARAMETER},
      {"long digest buffer", BCryptFinishHash(hash, digest, 33, 0), STATUS_INVALID_PARAMETER},
      {"destroy a made-up handle", BCryptDestroyHash(made_up), STATUS_INVALID_HANDLE},
      {"random without handle or flag", BCryptGenRandom(nullptr, digest, sizeof(digest), 0), STATUS_INVALID_HANDLE},
      {"random from a hash algorithm", BCryptGenRandom(sha, digest, sizeof(digest), 0), STATUS_INVALID_HANDLE},
      {"random with handle and flag", BCryptGenRandom(rng, digest, sizeof(digest), BCRYPT_USE_SYSTEM_PREFERRED_RNG),
       STATUS_INVALID_PARAMETER},
      {"random into null", BCryptGenRandom(nullptr, nullptr, 4, BCRYPT_USE_SYSTEM_PREFERRED_RNG),
       STATUS_INVALID_PARAMETER},
  };
  for (const Case& c : cases) EXPECT_EQ(c.status, c.expected) << c.what;

  // The size alone is told without a buffer.
  EXPECT_EQ(BCryptGetProperty(sha, BCRYPT_HASH_LENGTH, nullptr, 0, &size, 0), STATUS_SUCCESS);
  EXPECT_EQ(size, sizeof(ULONG));
  EXPECT_EQ(BCryptDestroyHash(hash), STATUS_SUCCESS);
  EXPECT_EQ(BCryptDestroyHash(hash), STATUS_INVALID_HANDLE);
  EXPECT_EQ(BCryptCloseAlgorithmProvider(sha, 0), STATUS_SUCCESS);
  EXPECT_EQ(BCryptCloseAlgorithmProvider(rng, 0), STATUS_SUCCESS);
}

TEST(BCryptTest, RandomBytesComeFromEitherGenerator) {
  BCRYPT_ALG_HANDLE rng = nullptr;
  ASSERT_EQ(BCryptOpenAlgorithmProvider(&rng, BCRYPT_RNG_ALGORITHM, nullptr, 0), STATUS_SUCCESS);
  std::vector<UCHAR> a(40), b(40), zero(40);
  EXPECT_EQ(BCryptGenRandom(nullptr, a.data(), 40, BCRYPT_USE_SYSTEM_PREFERRED_RNG), STATUS_SUCCESS);
  EXPECT_EQ(BCryptGenRandom(rng, b.data(), 40, 0), STATUS_SUCCESS);
  EXPECT_NE(a, b);
  EXPECT_NE(a, zero);
  EXPECT_EQ(BCryptGenRandom(nullptr, nullptr, 0, BCRYPT_USE_SYSTEM_PREFERRED_RNG), STATUS_SUCCESS);
  EXPECT_EQ(BCryptCloseAlgorithmProvider(rng, 0), STATUS_SUCCESS);
}

TEST(HeapTest, ProcessHeapAndLocalMemory) {
  HANDLE heap = GetProcessHeap();
  ASSERT_NE(heap, nullptr);
  auto* zeroed = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 100));
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(std::vector<unsigned char>(zeroed, zeroed + 100), std::vector<unsigned char>(100, 0));
  std::fill(zeroed, zeroed + 100, 0xab);
  SecureZeroMemory(zeroed, 100);
  EXPECT_EQ(std::vector<unsigned char>(zeroed, zeroed + 100), std::vector<unsigned char>(100, 0));
  void* empty = HeapAlloc(heap, 0, 0);
  EXPECT_NE(empty, nullptr);

  int other = 0;
  EXPECT_EQ(HeapAlloc(&other, 0, 8), nullptr);
  SetLastError(0);
  EXPECT_FALSE(HeapFree(&other, 0, zeroed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(HeapFree(heap, 0, zeroed));
  EXPECT_TRUE(HeapFree(heap, 0, empty));
  EXPECT_TRUE(HeapFree(heap, 0, nullptr));

  HLOCAL local = LocalAlloc(LPTR, 16);
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(static_cast<unsigned char*>(local)[15], 0);
  EXPECT_EQ(LocalFree(local), nullptr);
  EXPECT_EQ(LocalAlloc(0x0002 /* LMEM_MOVEABLE */, 16), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
