#include <sys/stat.h>

#include "setwell_fixture.h"

namespace {

using testing_support::ReadWholeFile;

class SetwellRecent : public SetwellTest {
 protected:
  void SetUp() override {
    SetwellTest::SetUp();
    Start(kUserConfig);
    platform::MakeFolders(tmp / "home/.config/halvorn");
  }
  std::vector<std::string> List(const char* extension = nullptr, const char* root = nullptr) {
    CStringArray out;
    const int count = Setwell::GetInstance()->GetRecentFiles(out, extension, root);
    std::vector<std::string> list;
    for (INT_PTR i = 0; i < out.GetSize(); ++i) list.push_back(out[i].str());
    EXPECT_EQ(count, static_cast<int>(list.size()));
    return list;
  }
  using Files = std::vector<std::string>;
};

TEST_F(SetwellRecent, AddKeepsSixteenMostRecentFirst) {
  Setwell& setwell = *Setwell::GetInstance();
  setwell.AddRecentFile("/p/A.prj");
  setwell.AddRecentFile("/p/b.prj");
  EXPECT_EQ(setwell.FlushRecentFiles(), 1);
  const std::string stored = ReadWholeFile(userCopy);
  setwell.AddRecentFile("/P/B.PRJ");  // already on top, other case: no change
  EXPECT_EQ(setwell.FlushRecentFiles(), 1);
  EXPECT_EQ(ReadWholeFile(userCopy), stored);
  setwell.AddRecentFile("/p/a.PRJ");
  EXPECT_EQ(List(), (Files{"/p/a.PRJ", "/p/b.prj"}));
  for (int i = 0; i < 16; ++i) setwell.AddRecentFile(("/q/" + std::to_string(i)).c_str());
  const Files list = List();
  ASSERT_EQ(list.size(), 16u);
  EXPECT_EQ(list.front(), "/q/15");
  EXPECT_EQ(list.back(), "/q/0");
  setwell.DelRecentFile("/Q/7");
  setwell.AddRecentFile("");
  setwell.AddRecentFile(nullptr);
  setwell.AddRecentFile("/x\n[S]");
  setwell.DelRecentFile(nullptr);
  EXPECT_EQ(List().size(), 15u);
}

TEST_F(SetwellRecent, GapsCloseAndTheFlushRenumbers) {
  testing_support::WriteWholeFile(userCopy, "[RECENTFILES]\n2=/two.prj\n5=/five.prj\n[Keep]\nk=v\n");
  EXPECT_EQ(List(), (Files{"/two.prj", "/five.prj"}));
  Setwell::GetInstance()->AddRecentFile("/new.prj");
  EXPECT_EQ(Setwell::GetInstance()->FlushRecentFiles(), 1);
  EXPECT_EQ(OnDisk(userCopy, "RECENTFILES", "1"), "/new.prj");
  EXPECT_EQ(OnDisk(userCopy, "RECENTFILES", "3"), "/five.prj");
  EXPECT_EQ(OnDisk(userCopy, "RECENTFILES", "5"), "<missing>");
  EXPECT_EQ(OnDisk(userCopy, "Keep", "k"), "v");
}

TEST_F(SetwellRecent, ExtensionFilterDropsOtherTypesForGood) {
  testing_support::WriteWholeFile(userCopy, "[RECENTFILES]\n1=/a.prj\n2=/b.txt\n3=/c.PRJ\n4=/noext\n");
  EXPECT_EQ(List(".PRJ"), (Files{"/a.prj", "/c.PRJ"}));
  EXPECT_EQ(Setwell::GetInstance()->FlushRecentFiles(), 1);
  Restart();
  EXPECT_EQ(List(), (Files{"/a.prj", "/c.PRJ"}));
}

TEST_F(SetwellRecent, RootIsCutOnlyAtAPathBoundary) {
  testing_support::WriteWholeFile(
      userCopy, "[RECENTFILES]\n1=/Data/Sub/a.prj\n2=/database/x.prj\n3=/data\n4=/other/y.prj\n");
  const Files expected{"Sub/a.prj", "/database/x.prj", "", "/other/y.prj"};
  EXPECT_EQ(List(nullptr, "/DATA"), expected);
  EXPECT_EQ(List("", "/data/"), (Files{"Sub/a.prj", "/database/x.prj", "/data", "/other/y.prj"}));
}

TEST_F(SetwellRecent, LongPathsRoundTrip) {
  const std::string path = "/" + std::string(4000, 'd') + "/file.prj";
  Setwell::GetInstance()->AddRecentFile(path.c_str());
  EXPECT_EQ(Setwell::GetInstance()->FlushRecentFiles(), 1);
  Restart();
  EXPECT_EQ(List(), Files{path});
}

TEST_F(SetwellRecent, FailedFlushKeepsTheListChanged) {
  ASSERT_TRUE(platform::MakeFolders(userCopy));  // a folder in place of the user copy
  Setwell::GetInstance()->AddRecentFile("/a.prj");
  EXPECT_EQ(Setwell::GetInstance()->FlushRecentFiles(), 0);
  ASSERT_EQ(rmdir(userCopy.c_str()), 0);
  EXPECT_EQ(Setwell::GetInstance()->FlushRecentFiles(), 1);
  EXPECT_EQ(OnDisk(userCopy, "RECENTFILES", "1"), "/a.prj");
}

TEST(SetwellRecentBeforeInit, CallsDoNothing) {
  testing_support::TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  Setwell* setwell = Setwell::GetInstance();
  setwell->AddRecentFile("/a.prj");
  CStringArray out;
  out.Add("stale");
  EXPECT_EQ(setwell->GetRecentFiles(out, nullptr, nullptr), 0);
  EXPECT_EQ(out.GetSize(), 0);
  EXPECT_EQ(setwell->FlushRecentFiles(), 1);
  delete setwell;
}

}  // namespace
