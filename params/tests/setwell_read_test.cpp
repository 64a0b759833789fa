#include <unistd.h>

#include <cstring>

#include "setwell_fixture.h"

namespace {

class SetwellRead : public SetwellTest {
 protected:
  void SetUp() override {
    SetwellTest::SetUp();
    Start(std::string(kUserConfig) + "[S]\nName=abcdef\nEmpty=\nNum=42\nFallback=shared\n");
    platform::MakeFolders(tmp / "home/.config/halvorn");
    testing_support::WriteWholeFile(userCopy, "[S]\nMine=user\nFallback=\n");
  }
};

TEST_F(SetwellRead, CachedHitsFollowTheBufferSize) {
  Setwell& setwell = *Setwell::GetInstance();
  char buffer[16];
  // The miss gives the profile call's count and text, but caches the whole value.
  EXPECT_EQ(setwell.ReadStringParameter("S", "Name", "", buffer, 4, settings.c_str(), 1, 0), 3u);
  EXPECT_STREQ(buffer, "abc");
  const struct {
    DWORD size;
    DWORD count;
    const char* text;
  } hits[] = {{1, 1, ""}, {2, 2, ""}, {6, 6, "abcde"}, {7, 6, "abcdef"}};
  for (const auto& hit : hits) {
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(setwell.ReadStringParameter("S", "Name", "", buffer, hit.size, settings.c_str(), 1, 0), hit.count)
        << hit.size;
    EXPECT_STREQ(buffer, hit.text) << hit.size;
  }
}

TEST_F(SetwellRead, ValuesLayersAndDefaults) {
  Setwell& setwell = *Setwell::GetInstance();
  const char* file = settings.c_str();
  EXPECT_EQ(Read("S", "Num"), "42");
  EXPECT_EQ(setwell.ReadIntParameter("S", "Num", 7, file, 1, 0), 42);  // cached by the string read
  EXPECT_EQ(Read("S", "Empty"), "");
  EXPECT_EQ(setwell.ReadIntParameter("S", "Empty", 7, file, 1, 0), -1);
  EXPECT_EQ(setwell.ReadIntParameter("S", "Missing", -1, file, 1, 0), -1);
  EXPECT_EQ(Read("S", "Missing"), "4294967295");
  EXPECT_EQ(Read("S", "Gone", 1, 0, "first"), "first");
  EXPECT_EQ(Read("S", "Gone", 1, 0, "second"), "first");
  EXPECT_EQ(Read("S", "Mine"), "user");
  EXPECT_EQ(Read("S", "Mine", 0), "");  // not in the shared file
  EXPECT_EQ(Read("S", "Fallback"), "shared");
  EXPECT_EQ(setwell.ReadIntParameter("S", "Missing2", 5, file, 1, 0), 5);
  EXPECT_EQ(Read("S", "Missing2"), "5");
}

TEST_F(SetwellRead, RefreshSeesTheFileChange) {
  EXPECT_EQ(Read("S", "Name"), "abcdef");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "Name", "changed", settings.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("S", "Mine", nullptr, userCopy.c_str()));
  EXPECT_EQ(Read("S", "Name"), "abcdef");
  EXPECT_EQ(Read("S", "Name", 1, 1), "changed");
  EXPECT_EQ(Read("S", "Name"), "changed");
  EXPECT_EQ(Read("S", "Mine", 1, 1, "dflt"), "dflt");
  EXPECT_EQ(Read("S", "Mine"), "dflt");  // the removed user value is not served again
}

// Whether a user copy exists is remembered until a refresh: one made meanwhile by
// another program, in any letter case, is read then.
TEST_F(SetwellRead, UserCopyMadeLaterIsReadAtARefresh) {
  ASSERT_EQ(unlink(userCopy.c_str()), 0);
  EXPECT_EQ(Read("S", "Mine"), "");
  testing_support::WriteWholeFile(tmp / "home/.config/halvorn/corvexv0.INF", "[S]\nMine=user\n");
  EXPECT_EQ(Read("S", "Mine"), "");
  EXPECT_EQ(Read("S", "Mine", 1, 1), "user");
}

TEST_F(SetwellRead, KeyListIsCachedWhole) {
  Setwell& setwell = *Setwell::GetInstance();
  char small[8];
  EXPECT_EQ(setwell.ReadStringParameter("S", nullptr, "", small, sizeof(small), settings.c_str(), 0, 0), 6u);
  const std::string list("Name\0Empty\0Num\0Fallback\0", 24);
  EXPECT_EQ(Read("S", nullptr, 0), list);
}

TEST_F(SetwellRead, BadArgumentsGiveZeroAndLeaveTheBuffer) {
  Setwell& setwell = *Setwell::GetInstance();
  const char* file = settings.c_str();
  char buffer[8] = "keep";
  EXPECT_EQ(setwell.ReadStringParameter(nullptr, "Name", "", buffer, 8, file, 1, 0), 0u);
  EXPECT_EQ(setwell.ReadStringParameter("S", "Name", "", nullptr, 8, file, 1, 0), 0u);
  EXPECT_EQ(setwell.ReadStringParameter("S", "Name", "", buffer, 0, file, 1, 0), 0u);
  EXPECT_EQ(setwell.ReadStringParameter("S", "Name", "", buffer, 8, nullptr, 1, 0), 0u);
  EXPECT_EQ(setwell.ReadStringParameter("S", "Name", "", buffer, 8, "", 1, 0), 0u);
  EXPECT_EQ(setwell.ReadStringParameter("S", "", "", buffer, 8, file, 1, 0), 0u);
  EXPECT_STREQ(buffer, "keep");
  EXPECT_EQ(setwell.ReadIntParameter("S", nullptr, 9, file, 1, 0), 0);
  EXPECT_EQ(setwell.ReadIntParameter("S", "Num", 9, "", 1, 0), 0);
}

TEST_F(SetwellRead, MissingOrBrokenFilesGiveDefaults) {
  Setwell& setwell = *Setwell::GetInstance();
  platform::MakeFolders(tmp / "folder.ini");
  testing_support::WriteWholeFile(tmp / "broken.ini", std::string("\0\xff[S\n=x\n[S]\nK", 13));
  for (const std::string& file : {tmp / "missing.ini", tmp / "folder.ini", tmp / "broken.ini"}) {
    char buffer[8];
    EXPECT_EQ(setwell.ReadStringParameter("S", "K", "d", buffer, 8, file.c_str(), 1, 0), 1u) << file;
    EXPECT_EQ(setwell.ReadIntParameter("S", "N", 3, file.c_str(), 1, 0), 3) << file;
  }
}

}  // namespace
