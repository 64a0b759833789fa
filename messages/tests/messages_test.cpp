#include <gtest/gtest.h>

#include <map>
#include <string>

#include "winmodule.h"
#include "winresource.h"

namespace {

const char kModule[] = CORVEX_PROGRAM_DIR "/Lng/CorvexRegistration.LNG";

// Written out again here, letter for letter, so that a changed text shows.
const std::map<UINT, std::string> kMessages = {
    {14355, "No Internet connexion"},
    {14360, "Unknown error"},
    {14361, "Authentication error"},
    {14362, "The query could not be proceeded by the server"},
    {14363, "The resource requires the user authentication"},
    {14364, "Internal server error"},
    {14365, "Resource not found"},
    {14366, "Unknown authentication error"},
    {14367, "The access to the resource requires a payment"},
    {14368, "Error"},
    {14369, "The server understood the query, but refuses to execute"},
    {14370, "Unauthorized query method"},
    {14371, "The requested resource is unavailable in a format compliant with the headers"},
    {14372, "The access to the resource is granted through proxy identification"},
    {14373, "Time out on server-side"},
    {14374, "The query cannot be proceeded at this stage"},
    {14375, "The resource is no more avalaible, no redirection is proposed"},
    {14376, "Query length not defined"},
    {14377, "The prerequisites sent by the query are not verified"},
    {14378, "The query is too large, the process is aborted"},
    {14379, "URI too long"},
    {14380, "Query format not supported for a given method and resource"},
    {14381, "Requested functionality not supported by the server"},
    {14382, "While acting as a proxy or gateway the server received an invalid answer from the server"},
    {14383, "Service temporarily unavailable or in maintenance"},
    {14384, "Timeout from an intermediary server"},
    {14385, "Authentication problem - If the problem remains, please contact your local Halvorn support"},
    {14386, "HTTP version not supported"},
    {14387, "Unauthorized acess error code %d"},
    {14388, "Execution error - error code %d"},
    {14389, "Test callback"},
    {14390, "The certificate download has failed"},
    {14391, "Close"},
    {14392, "Registration - Please wait until process complete or click Close to cancel login"},
};

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(module, nullptr) << kModule; }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }

  std::string load(UINT id, int bufferSize = 512) {
    std::string buffer(bufferSize, 'x');
    int length = LoadStringA(module, id, buffer.data(), bufferSize);
    EXPECT_EQ(buffer[length], '\0');
    return buffer.substr(0, length);
  }

  HMODULE module = LoadLibraryA(kModule);
};

TEST_F(MessagesTest, EveryMessageReadsBackExactly) {
  for (const auto& [id, text] : kMessages) EXPECT_EQ(load(id), text) << id;
  for (UINT id = 14300; id < 14400; ++id) {
    std::string text;
    EXPECT_EQ(platform::LoadResourceString(module, id, text), kMessages.count(id) == 1) << id;
  }
}

TEST_F(MessagesTest, NeighboursAreEmptyAndLongTextsAreCutWithTheirNul) {
  for (UINT id : {14354u, 14356u, 14393u}) EXPECT_EQ(load(id), "") << id;
  EXPECT_EQ(load(14385, 15), "Authentication");
  EXPECT_EQ(load(14368, 1), "");
}

TEST_F(MessagesTest, VersionBlockNamesTheEnglishCopy) {
  std::optional<VersionInfo> version = platform::FindVersionInfo(module);
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->language, 2057);
  EXPECT_EQ(version->codePage, 1200);
  EXPECT_EQ(version->values["OriginalFilename"], "CorvexRegistration.FRA");
  EXPECT_EQ(version->values["FileDescription"], "CorvexRegistration message resources");
  EXPECT_EQ(version->values["InternalName"], "CorvexRegistration");
}

}  // namespace
