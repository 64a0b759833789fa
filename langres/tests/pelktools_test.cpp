#include "PelkTools.h"

#include <gtest/gtest.h>

#include <string>

#include "winmodule.h"

namespace {

struct Setting {
  const char* name;
  int (*set)(const char*);
  void (*get)(CString&);
};
const Setting kSettings[] = {{"extension", PELK3_SetExtResourceFile, PELK3_GetExtResourceFile},
                             {"subfolder", PELK3_SetSubdirResFile, PELK3_GetSubdirResFile}};

std::string valueOf(const Setting& setting) {
  CString value("stale");
  setting.get(value);
  return value.str();
}

class PelkToolsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    PELK3_SetExtResourceFile("");
    PELK3_SetSubdirResFile("");
  }
};

// First in the file: nothing has set a value yet in this process.
TEST_F(PelkToolsTest, ValuesStartEmptyAndNoPathIsBuilt) {
  for (const Setting& setting : kSettings) EXPECT_EQ(valueOf(setting), "") << setting.name;
  CString path("stale");
  EXPECT_EQ(PELK3_BuildResourceFilePath("/opt/x/Lib.so", path), 0);
  EXPECT_TRUE(path.IsEmpty());
}

TEST_F(PelkToolsTest, SevenCharactersFitLongerOrNullKeepTheOldValue) {
  for (const Setting& setting : kSettings) {
    SCOPED_TRACE(setting.name);
    EXPECT_EQ(setting.set("Abcdefg"), 1);
    EXPECT_EQ(valueOf(setting), "Abcdefg");
    EXPECT_EQ(setting.set("Abcdefgh"), 0);
    EXPECT_EQ(valueOf(setting), "Abcdefg");
    EXPECT_EQ(setting.set(nullptr), 0);
    EXPECT_EQ(valueOf(setting), "Abcdefg");
    EXPECT_EQ(setting.set("%s%d"), 1);  // stored and read back as it is
    EXPECT_EQ(valueOf(setting), "%s%d");
    EXPECT_EQ(setting.set(""), 1);
    EXPECT_EQ(valueOf(setting), "");
  }
}

TEST_F(PelkToolsTest, CandidatePathForEachLibraryPath) {
  struct Case {
    const char* subfolder;
    const char* extension;
    const char* library;
    const char* expected;  // null: no resource library
  } cases[] = {
      {"Lng", "LNG", "/opt/corvex/CorvexRegistration.so", "/opt/corvex/Lng/CorvexRegistration.LNG"},
      {"", "LNG", "/opt/corvex/CorvexNetwork.so", "/opt/corvex/CorvexNetwork.LNG"},
      {"Lng", "LNG", "/opt/corvex/Lib.so.1", "/opt/corvex/Lng/Lib.so.LNG"},
      {"Lng", "LNG", "/Lib.so", "/Lng/Lib.LNG"},
      {"Lng", "LNG", "/opt/corvex/Lib.", "/opt/corvex/Lng/Lib.LNG"},
      {"Lng", "LNG", "/opt/corvex/.hidden", "/opt/corvex/Lng/.LNG"},
      {"Lng", "LNG", "/opt/v1.2/Lib", "/opt/v1.LNG"},  // the only dot is in a folder
      {"L.g", "LNG", "/opt/corvex/Lib", "/opt/corvex/L.LNG"},
      {"Lng", "LNG", "/opt/corvex/Lib", nullptr},
      {"Lng", "LNG", "Lib.so", nullptr},
      {"Lng", "LNG", "", nullptr},
      {"Lng", "LNG", nullptr, nullptr},
      {"Lng", "", "/opt/corvex/Lib.so", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.library ? c.library : "(null)");
    ASSERT_EQ(PELK3_SetSubdirResFile(c.subfolder), 1);
    ASSERT_EQ(PELK3_SetExtResourceFile(c.extension), 1);
    CString path("stale");
    EXPECT_EQ(PELK3_BuildResourceFilePath(c.library, path), c.expected ? 1 : 0);
    EXPECT_EQ(path.str(), c.expected ? c.expected : "");
  }
}

TEST_F(PelkToolsTest, LoadedModuleGivesThePathBesideItsFile) {
  PELK3_SetSubdirResFile("Lng");
  PELK3_SetExtResourceFile("LNG");
  HMODULE own = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&PELK3_SetSubdirResFile));
  CString path;
  EXPECT_EQ(PELK3_GetResourceFilePath(own, path), 1);
  EXPECT_EQ(path.str(), CORVEX_PROGRAM_DIR "/Lng/PelkTools.LNG");
}

}  // namespace
