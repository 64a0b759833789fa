// CheckCertificateValidity: the marker line, whole and alone on its line.
#include <gtest/gtest.h>

#include "CCorvexNetworkUtils.h"
#include "test_support.h"

namespace {

TEST(CheckCertificateValidity, WantsTheWholeMarkerLine) {
  const std::string marker = "## Bundle of CA Root Certificates";
  struct Case {
    std::string content;
    int expected;
  } cases[] = {
      {"##\n" + marker + "\n##\n", 1},
      {"##\r\n" + marker + "\r\n##\r\n", 1},  // Windows line ends
      {"##\n" + marker, 0},                   // last line without its line end
      {marker + std::string(200, ' ') + "\n", 0},
      {"## bundle of ca root certificates\n", 0},
      {"<html>" + marker + "</html>\n", 0},
  };
  testing_support::TempFolder tmp;
  for (const Case& c : cases) {
    ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "bundle.pem", c.content));
    EXPECT_EQ(CCorvexNetworkUtils::CheckCertificateValidity((tmp / "bundle.pem").c_str()), c.expected) << c.content;
  }
  EXPECT_EQ(CCorvexNetworkUtils::CheckCertificateValidity((tmp / "absent.pem").c_str()), 0);
}

}  // namespace
