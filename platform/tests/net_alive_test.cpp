#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "sensapi.h"
#include "test_support.h"

namespace {

constexpr int kNamespacesRefused = 77;

bool writeFile(const std::string& path, const std::string& text) { return testing_support::WriteWholeFile(path, text); }

// A network namespace of its own, with only a loopback interface that is down; as root in a
// user namespace of its own where plain users may not make one directly.
bool enterOwnNetwork() {
  if (unshare(CLONE_NEWNET) == 0) return true;
  const std::string uid = std::to_string(getuid()), gid = std::to_string(getgid());
  if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) return false;
  return writeFile("/proc/self/setgroups", "deny") && writeFile("/proc/self/uid_map", "0 " + uid + " 1") &&
         writeFile("/proc/self/gid_map", "0 " + gid + " 1");
}

std::string alive() {
  DWORD flags = 0;
  const BOOL result = IsNetworkAlive(&flags);
  return result ? "alive " + std::to_string(flags) : "not alive";
}

}  // namespace

// Each step changes the interfaces of a private network; IsNetworkAlive then answers.
TEST(NetworkAlive, OnlyAnInterfaceOtherThanLoopbackThatIsUpWithAUsableAddressCounts) {
  struct Step {
    const char* commands;
    const char* expected;
  };
  const Step steps[] = {
      {"true", "not alive"},
      {"ip link set lo up", "not alive"},
      {"ip link add v0 type veth peer name v1 && ip link set v0 up && ip link set v1 up", "not alive"},
      {"ip addr add 10.9.0.1/24 dev v0", "alive 1"},
      {"ip addr flush dev v0 && ip -6 addr add 2001:db8::1/64 dev v0 nodad", "alive 1"},
      {"ip link set v0 down", "not alive"},
  };
  testing_support::TempFolder tmp;
  const std::string report = tmp / "report.txt";
  const int status = testing_support::RunInChild([&] {
    if (!enterOwnNetwork()) return kNamespacesRefused;
    std::string seen;
    for (const Step& step : steps) {
      const std::string command = std::string(step.commands) + " >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) return kNamespacesRefused;
      seen += alive() + ";";
    }
    testing_support::WriteWholeFile(report, seen);
    return 0;
  });
  if (status == kNamespacesRefused) GTEST_SKIP() << "no private network namespace with veth interfaces here";
  ASSERT_EQ(status, 0);
  std::string expected;
  for (const Step& step : steps) expected += std::string(step.expected) + ";";
  EXPECT_EQ(testing_support::ReadWholeFile(report), expected);
}
