#include <gtest/gtest.h>

#include "language_module_cases.h"
#include "program_folder.h"

namespace {

const SuiteLibrary kNetwork = {"CorvexNetwork", "InitCorvexNetworkDLL", "40002", "Proxy authentication", "Network"};

INSTANTIATE_TEST_SUITE_P(Network, LanguageModuleTest, ::testing::Values(kNetwork));

// What the browser dialog and the proxy prompt take from the module, through the chain.
TEST(NetworkLanguageModule, DialogAndPromptTextsAreFound) {
  ProgramFolder folder;
  folder.copyIn(CORVEX_PROGRAM_DIR "/CorvexNetwork.so", "CorvexNetwork.so");
  folder.copyIn(CORVEX_PROGRAM_DIR "/Lng/CorvexNetwork.LNG", "Lng/CorvexNetwork.LNG");
  std::vector<std::string> lines =
      folder.runProbe({"set", "Lng", "LNG", "load", folder.path("CorvexNetwork.so"), "init", "InitCorvexNetworkDLL",
                       "dialog", "4105", "string", "40001", "string", "40002"});
  EXPECT_EQ(lines, (std::vector<std::string>{"set 1 1", "load 1", "init 1", "dialog 4105 Norvasta - Tamberlo",
                                             "control 1001 15 ",    // the browser's place: follows every side
                                             "control 2 12 Close",  // IDCANCEL: bottom right
                                             "string 40001 Your proxy server requires a user name and password.",
                                             "string 40002 Proxy authentication"}));
}

}  // namespace
