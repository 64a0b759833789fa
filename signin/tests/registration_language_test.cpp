#include <gtest/gtest.h>

#include "language_module_cases.h"
#include "program_folder.h"

namespace {

const SuiteLibrary kRegistration = {"CorvexRegistration", "InitCorvexRegistrationDLL", "14355", "No Internet connexion",
                                    "Authentication"};

INSTANTIATE_TEST_SUITE_P(Registration, LanguageModuleTest, ::testing::Values(kRegistration));

// The program's start-up: both libraries attach their modules, and every text and the
// browser dialog are found through the one chain.
TEST(RegistrationLanguageModule, BothLibrariesAnswerThroughTheChain) {
  ProgramFolder folder;
  for (const char* file :
       {"CorvexNetwork.so", "CorvexRegistration.so", "Lng/CorvexNetwork.LNG", "Lng/CorvexRegistration.LNG"})
    folder.copyIn(std::string(CORVEX_PROGRAM_DIR) + "/" + file, file);
  // clang-format off
  std::vector<std::string> lines = folder.runProbe({
      "set", "Lng", "LNG",
      "load", folder.path("CorvexNetwork.so"), "init", "InitCorvexNetworkDLL",
      "load", folder.path("CorvexRegistration.so"), "init", "InitCorvexRegistrationDLL",
      "string", "14392", "string", "14385", "string", "40001", "string", "40002", "dialog", "4105"});
  // clang-format on
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "set 1 1", "load 1", "init 1", "load 1", "init 1",
                       "string 14392 Registration - Please wait until process complete or click Close to cancel login",
                       "string 14385 Authentication problem - If the problem remains, please contact your local "
                       "Halvorn support",
                       "string 40001 Your proxy server requires a user name and password.",
                       "string 40002 Proxy authentication", "dialog 4105 Norvasta - Tamberlo", "control 1001 15 ",
                       "control 2 12 Close"}));
}

}  // namespace
