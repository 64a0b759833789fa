#include "setwell_fixture.h"

namespace {

TEST_F(SetwellTest, UserConfigFolderFromTheSettingsFile) {
  const std::string home = tmp / "home";
  const struct {
    const char* directories;
    std::string folder;
  } cases[] = {
      {"USERCONFIG=/srv/cfg", "/srv/cfg/"},
      {"USERCONFIG=~/.config/halvorn/\nPROJECT=/srv/p/", home + "/.config/halvorn/"},
      {"PROJECT=/srv/proj/", "/srv/proj/UserConfig/"},
      {"PROJECT=/srv/proj", "/srv/UserConfig/"},
      {"PROJECT=~/proj/", home + "/proj/UserConfig/"},
      {"PROJECT=proj", "proj/"},
      {"", ""},
  };
  for (const auto& c : cases) {
    Start(std::string("[DIRECTORIES]\n") + c.directories + "\n");
    std::string tested;
    Setwell::GetInstance()->IsFileExists("/any/where/CorvexV0.inf", true, tested);
    EXPECT_EQ(tested, c.folder + "CorvexV0.inf") << c.directories;
    delete Setwell::GetInstance();
  }
}

TEST_F(SetwellTest, IsFileExistsTellsFilesFromFolders) {
  Setwell& setwell = Start(kUserConfig);
  std::string tested;
  EXPECT_TRUE(setwell.IsFileExists(settings, false, tested));
  EXPECT_FALSE(setwell.IsFileExists(tmp / "program", false, tested));
  EXPECT_FALSE(setwell.IsFileExists(settings, true, tested));
  EXPECT_EQ(tested, userCopy);
  platform::MakeFolders(tmp / "home/.config/halvorn");
  testing_support::WriteWholeFile(userCopy, "");
  EXPECT_TRUE(setwell.IsFileExists(settings, true, tested));
}

TEST_F(SetwellTest, CreateUserConfigFolderResults) {
  EXPECT_EQ(Setwell::GetInstance()->CreateUserConfigFolder(), -1);  // before Init
  Setwell* setwell = &Start(kUserConfig);
  EXPECT_EQ(setwell->CreateUserConfigFolder(), 1);  // parents made too
  EXPECT_EQ(setwell->CreateUserConfigFolder(), -1);
  setwell = &Restart();
  EXPECT_EQ(setwell->CreateUserConfigFolder(), 2);
  delete setwell;
  testing_support::WriteWholeFile(tmp / "blocker", "");
  setwell = &Start("[DIRECTORIES]\nUSERCONFIG=" + tmp / "blocker/cfg\n");
  EXPECT_EQ(setwell->CreateUserConfigFolder(), 3);
  EXPECT_EQ(setwell->CreateUserConfigFolder(), 3);  // tried again: not created yet
  delete setwell;
  EXPECT_EQ(Start().CreateUserConfigFolder(), 3);  // no folder configured
}

TEST_F(SetwellTest, HomeAtTheRootGivesNoUserConfigFolder) {
  platform::SetUserHome("/");
  Setwell& setwell = Start(kUserConfig);
  std::string tested;
  setwell.IsFileExists(settings, true, tested);
  ASSERT_EQ(tested, "CorvexV0.inf");  // nothing at the root is ever tested or made
  EXPECT_EQ(setwell.CreateUserConfigFolder(), 3);
}

TEST_F(SetwellTest, ApplicationDirectoryIsTheProgramFolder) {
  CString folder;
  EXPECT_STREQ(Setwell::GetApplicationDirectory(folder), CORVEX_TEST_BIN_DIR "/");
}

TEST_F(SetwellTest, FailedUserFolderKeepsUserChangesPending) {
  testing_support::WriteWholeFile(tmp / "blocker", "");
  Setwell& setwell = Start("[DIRECTORIES]\nUSERCONFIG=" + tmp / "blocker/cfg\n");
  EXPECT_EQ(setwell.WriteParameter("S", "K", "v", settings.c_str(), 1), 1);
  EXPECT_EQ(setwell.Flush(), 0);
  EXPECT_EQ(Read("S", "K"), "v");
  ASSERT_EQ(unlink((tmp / "blocker").c_str()), 0);
  EXPECT_EQ(setwell.Flush(), 1);
  EXPECT_EQ(OnDisk(tmp / "blocker/cfg/CorvexV0.inf", "S", "K"), "v");
}

}  // namespace
