// CCSHA256: standard digests, and each failing step's text with everything released.
#include <gtest/gtest.h>

#include <string>

#include "Security.h"
#include "injected_faults.h"

using injected_faults::Fault;

namespace {

std::string Hex(const unsigned char* bytes, size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (size_t i = 0; i < size; ++i) text += {digits[bytes[i] >> 4], digits[bytes[i] & 15]};
  return text;
}

}  // namespace

TEST(Sha256Test, StandardDigestsOfTheWholeText) {
  const struct {
    CString input;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {CString('a', 1048576), "9bc1b2a288b26af7257a36277ae3816a7d4f16e89c1e7e77d0a5c48bad62b360"},
      {CString("a\0b\0\0c", 6), "66a2256f272ef4528aa5f2685496a4412d81f1560ad6b1a16bec1560cf23c85d"},
  };
  for (const auto& c : cases) {
    unsigned char digest[32] = {};
    CString error = "an earlier message";
    ASSERT_EQ(CCSHA256(c.input, digest, error), 1);
    EXPECT_EQ(Hex(digest, 32), c.digest) << c.input.GetLength();
    EXPECT_EQ(error, "an earlier message");
  }
}

TEST(Sha256Test, EachFailingStepGivesItsTextAndReleasesEverything) {
  const struct {
    Fault fault;
    const char* text;
  } cases[] = {
      {Fault::kOpenAlgorithm, "Error 0xc000009a returned by BCryptOpenAlgorithmProvider"},
      {Fault::kObjectLength, "Error 0xc000009a returned by BCryptGetProperty"},
      {Fault::kObjectAllocation, "Memory allocation failed"},
      {Fault::kDigestLength, "Error 0xc000009a returned by BCryptGetProperty"},
      {Fault::kDigestAllocation, "Memory allocation failed"},
      {Fault::kCreateHash, "Error 0xc000009a returned by BCryptCreateHash"},
      {Fault::kHashData, "Error 0xc000009a returned by BCryptHashData"},
      {Fault::kFinishHash, "Error 0xc000009a returned by BCryptFinishHash"},
      {Fault::kShortDigest, "Error in BCryptFinishHash, hash length not correct: 16"},
  };
  std::string untouched;
  for (int i = 0; i < 32; ++i) untouched += "5a";
  for (const auto& c : cases) {
    injected_faults::Inject(c.fault);
    unsigned char digest[32];
    std::fill(digest, digest + 32, 0x5a);
    CString error;
    EXPECT_EQ(CCSHA256("abc", digest, error), 0) << c.text;
    EXPECT_EQ(error, c.text);
    EXPECT_EQ(Hex(digest, 32), untouched) << c.text;
    EXPECT_EQ(injected_faults::Outstanding(), 0) << c.text;
  }
  injected_faults::Inject(Fault::kNone);
  unsigned char digest[32];
  CString error;
  EXPECT_EQ(CCSHA256("abc", digest, error), 1);
  EXPECT_EQ(injected_faults::Outstanding(), 0);
}
