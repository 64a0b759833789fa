#include <gtest/gtest.h>
#include <unistd.h>

#include "tavix32.h"
#include "test_support.h"

TEST(IsProcessElevated, OnlyForEffectiveUserZero) {
  if (getuid() != 0) {
    EXPECT_EQ(IsProcessElevated(), 0);
    GTEST_SKIP() << "the elevated case needs root";
  }
  EXPECT_EQ(IsProcessElevated(), 1);
  EXPECT_EQ(testing_support::RunInChild([] { return seteuid(65534) == 0 ? IsProcessElevated() : 99; }), 0);
}

// Nothing but the two functions leaves the library, by name and with C linkage.
TEST(Tavix32Library, ExportsExactlyTheTwoFunctions) {
  testing_support::ChildResult symbols =
      testing_support::RunProgram("/usr/bin/nm", {"-D", "--defined-only", "--format=just-symbols", TAVIX32_FILE});
  ASSERT_EQ(symbols.exitCode, 0) << symbols.output;
  EXPECT_EQ(symbols.output, "IsProcessElevated\nRegUserCom\n");
}
