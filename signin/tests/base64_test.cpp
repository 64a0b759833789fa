// Base64 in both alphabets: RFC 4648 vectors, where decoding stops, any thread.
#include "Base64.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::string Encode(const std::string& bytes, bool urlSafe = false) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto length = static_cast<unsigned int>(bytes.size());
  return urlSafe ? base64URL_encode(data, length) : base64_encode(data, length);
}

}  // namespace

TEST(Base64Test, Rfc4648VectorsBothWays) {
  const std::pair<std::string, std::string> vectors[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
  for (const auto& [bytes, text] : vectors) {
    EXPECT_EQ(Encode(bytes), text);
    EXPECT_EQ(Encode(bytes, true), text);
    EXPECT_EQ(base64_decode(text), bytes);
    EXPECT_EQ(base64URL_decode(text), bytes);
  }
  EXPECT_EQ(Encode("abc"), "YWJj");
  EXPECT_EQ(Encode("ab"), "YWI=");
  EXPECT_EQ(Encode("a"), "YQ==");
  EXPECT_EQ(Encode("\xfb\xff"), "+/8=");
  EXPECT_EQ(Encode("\xfb\xff", true), "-_8=");
}

TEST(Base64Test, DecodingStopsWhereTheAlphabetEnds) {
  const struct {
    std::string text;
    std::string standard;
    std::string urlSafe;
  } cases[] = {
      {"YWJj", "abc", "abc"},
      {"YW", "a", "a"},
      {"Y", "", ""},
      {"YWJj=YWJj", "abc", "abc"},
      {"YWJj=", "abc", "abc"},
      {"YW-_YWJj", "a",
       std::string("ao\xbf"
                   "abc")},
      {"YW+/YWJj",
       std::string("ao\xbf"
                   "abc"),
       "a"},
      {"YWJj\nYWJj", "abc", "abc"},
      {"YWJj YWJj", "abc", "abc"},
      {std::string("YWJj\0YWJj", 9), "abc", "abc"},
      {"YWJj\xc3\xa9YWJj", "abc", "abc"},  // bytes of 0x80 and up are no letters
      {"YWJj\x7fYWJj", "abc", "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(base64_decode(c.text), c.standard) << c.text;
    EXPECT_EQ(base64URL_decode(c.text), c.urlSafe) << c.text;
  }
}

TEST(Base64Test, EveryByteValueRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (size_t cut : {256u, 255u, 254u}) {
    EXPECT_EQ(base64_decode(Encode(all.substr(0, cut))), all.substr(0, cut));
    EXPECT_EQ(base64URL_decode(Encode(all.substr(0, cut), true)), all.substr(0, cut));
  }
}

TEST(Base64Test, ThreadsWithDifferentAlphabetsDoNotMeet) {
  std::string input;
  for (int b = 0; b < 300; ++b) input += static_cast<char>(b * 37);
  const std::string standard = Encode(input), urlSafe = Encode(input, true);
  ASSERT_NE(standard, urlSafe);
  std::vector<std::thread> threads;
  std::vector<int> wrong(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      const bool url = t % 2 == 1;
      for (int i = 0; i < 2000; ++i) {
        if (Encode(input, url) != (url ? urlSafe : standard)) ++wrong[t];
        if ((url ? base64URL_decode(urlSafe) : base64_decode(standard)) != input) ++wrong[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(8, 0));
}
