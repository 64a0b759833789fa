// The entry of a configured proxy list that serves an address's scheme.
#include "proxy_entry.h"

#include <gtest/gtest.h>

namespace {

TEST(ProxyForAddress, TakesTheSchemesEntryElseTheCommonOne) {
  struct Case {
    const char* configured;
    const char* url;
    const char* expected;
  } cases[] = {
      {"proxy:8080", "https://a/b", "proxy:8080"},
      {"http=a:1;https=b:2", "https://a/b", "b:2"},
      {"http=a:1;https=b:2", "http://a/b", "a:1"},
      {"HTTPS=b:2 http=a:1", "HTTPS://a/b", "b:2"},
      {"http=a:1", "https://a/b", ""},
      {"ftp=c:3;d:4", "https://a/b", "d:4"},
      {";;  ;", "https://a/b", ""},
      {"", "https://a/b", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ProxyForAddress(c.configured, c.url), CString(c.expected)) << c.configured;
}

}  // namespace
