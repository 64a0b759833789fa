#include <sys/stat.h>

#include <algorithm>

#include "setwell_fixture.h"
#include "winerror.h"

namespace {

using testing_support::ReadWholeFile;
using testing_support::WriteWholeFile;

class SetwellWrite : public SetwellTest {
 protected:
  void SetUp() override {
    SetwellTest::SetUp();
    Start(std::string(kUserConfig) + "[S]\nName=abcdef\nOther=kept\n");
  }
  int Write(const char* key, const char* value, int userLayer, const char* file = nullptr) {
    return Setwell::GetInstance()->WriteParameter("S", key, value, file ? file : settings.c_str(), userLayer);
  }
  static ino_t InodeOf(const std::string& path) {
    struct stat st = {};
    stat(path.c_str(), &st);
    return st.st_ino;
  }
};

TEST_F(SetwellWrite, EqualValueStoresNothing) {
  const std::string before = ReadWholeFile(settings);
  const ino_t inode = InodeOf(settings);
  EXPECT_EQ(Write("Name", "abcdef", 0), 1);
  EXPECT_EQ(Write("Name", "abcdef", 1), 1);  // no user value: equal to the shared one
  EXPECT_EQ(Setwell::GetInstance()->Flush(), 1);
  EXPECT_EQ(ReadWholeFile(settings), before);
  EXPECT_EQ(InodeOf(settings), inode);
  EXPECT_EQ(OnDisk(userCopy, "S", "Name"), "<missing>");
}

TEST_F(SetwellWrite, FlushPutsEachLayerInItsFile) {
  const std::string bare = "PELK.INI";
  EXPECT_EQ(Write("Shared", "s", 0), 1);
  EXPECT_EQ(Write("User", "u", 1), 1);
  EXPECT_EQ(Write("Bare", "b", 0, bare.c_str()), 1);
  EXPECT_EQ(Read("S", "User"), "u");  // pending values are read back
  EXPECT_EQ(Setwell::GetInstance()->Flush(), 1);
  EXPECT_EQ(OnDisk(settings, "S", "Shared"), "s");
  EXPECT_EQ(OnDisk(settings, "S", "User"), "<missing>");
  EXPECT_EQ(OnDisk(userCopy, "S", "User"), "u");
  EXPECT_EQ(OnDisk(tmp / "windows/PELK.INI", "S", "Bare"), "b");
  EXPECT_EQ(OnDisk(settings, "S", "Other"), "kept");
}

TEST_F(SetwellWrite, DeletingTheInstanceFlushes) {
  EXPECT_EQ(Write("Name", "new", 0), 1);
  Restart();
  EXPECT_EQ(OnDisk(settings, "S", "Name"), "new");
}

TEST_F(SetwellWrite, FailedFlushKeepsTheChangeForTheNextOne) {
  const std::string folder = tmp / "target.ini";
  ASSERT_TRUE(platform::MakeFolders(folder));  // a folder in place of the file
  EXPECT_EQ(Write("K", "v", 0, folder.c_str()), 1);
  EXPECT_EQ(Write("Name", "written", 0), 1);
  EXPECT_EQ(Setwell::GetInstance()->Flush(), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(OnDisk(settings, "S", "Name"), "written");  // the other file went on
  ASSERT_EQ(rmdir(folder.c_str()), 0);
  EXPECT_EQ(Setwell::GetInstance()->Flush(), 1);
  EXPECT_EQ(OnDisk(folder, "S", "K"), "v");
}

TEST_F(SetwellWrite, UnwritableFileIsReportedOncePerProcess) {
  const std::string folder = tmp / "target.ini";
  ASSERT_TRUE(platform::MakeFolders(folder));
  EXPECT_EQ(Write("Secret", "value-not-shown", 0, folder.c_str()), 1);
  EXPECT_EQ(Write("Other", "v", 0, folder.c_str()), 1);
  EXPECT_EQ(Setwell::GetInstance()->Flush(), 0);
  testing::internal::CaptureStderr();
  Restart();
  const std::string output = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  EXPECT_NE(output.find(folder), std::string::npos) << output;
  EXPECT_EQ(output.find("value-not-shown"), std::string::npos) << output;
  EXPECT_EQ(Write("Secret", "again", 0, folder.c_str()), 1);
  testing::internal::CaptureStderr();
  delete Setwell::GetInstance();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(SetwellWrite, EntriesAreOnePerFileAndPerKeyWhateverItsCase) {
  const std::string other = tmp / "other/CorvexV0.inf";
  platform::MakeFolders(tmp / "other");
  WriteWholeFile(other, "[S]\nName=elsewhere\n");
  char buffer[64];
  EXPECT_EQ(Read("S", "Name", 0), "abcdef");
  Setwell::GetInstance()->ReadStringParameter("S", "Name", "", buffer, sizeof(buffer), other.c_str(), 0, 0);
  EXPECT_STREQ(buffer, "elsewhere");
  EXPECT_EQ(Write("Name", "changed", 0, other.c_str()), 1);
  EXPECT_EQ(Read("S", "Name", 0), "abcdef");
  EXPECT_EQ(Write("KEY", "upper", 0), 1);
  EXPECT_EQ(Read("s", "Key", 0), "upper");
  EXPECT_EQ(Write("key", "lower", 0), 1);
  EXPECT_EQ(Setwell::GetInstance()->Flush(), 1);
  EXPECT_EQ(OnDisk(other, "S", "Name"), "changed");
  EXPECT_EQ(OnDisk(settings, "S", "Name"), "abcdef");
  const std::string content = ReadWholeFile(settings);
  EXPECT_EQ(content.find("upper"), std::string::npos) << content;  // one line for the key
  EXPECT_EQ(OnDisk(settings, "S", "Key"), "lower");
}

TEST_F(SetwellWrite, PendingValueSurvivesReReads) {
  EXPECT_EQ(Write("Name", "pending", 0), 1);
  ASSERT_TRUE(WritePrivateProfileStringA("S", "Name", "outside", settings.c_str()));
  EXPECT_EQ(Read("S", "Name", 0, 1), "pending");  // refresh
  EXPECT_EQ(Setwell::GetInstance()->ReadIntParameter("S", "Name", 0, settings.c_str(), 1, 1), 0);
  EXPECT_EQ(Write("Name", "mine", 1), 1);  // the user write reads the shared layer
  EXPECT_EQ(Setwell::GetInstance()->Flush(), 1);
  EXPECT_EQ(OnDisk(settings, "S", "Name"), "pending");
  EXPECT_EQ(OnDisk(userCopy, "S", "Name"), "mine");
}

TEST_F(SetwellWrite, UserValueCanBeSetBackToTheSharedOne) {
  platform::MakeFolders(tmp / "home/.config/halvorn");
  WriteWholeFile(userCopy, "[S]\nName=mine\n");
  EXPECT_EQ(Read("S", "Name", 0), "abcdef");  // both layers cached before the write
  EXPECT_EQ(Read("S", "Name"), "mine");
  EXPECT_EQ(Write("Name", "other", 1), 1);
  EXPECT_EQ(Read("S", "Name"), "other");
  EXPECT_EQ(Write("Name", "abcdef", 1), 1);
  EXPECT_EQ(Read("S", "Name"), "abcdef");
  Restart();
  EXPECT_EQ(OnDisk(userCopy, "S", "Name"), "abcdef");
  EXPECT_EQ(Read("S", "Name"), "abcdef");
}

TEST_F(SetwellWrite, RefusedArgumentsStoreNothing) {
  Setwell& setwell = *Setwell::GetInstance();
  const char* file = settings.c_str();
  EXPECT_EQ(setwell.WriteParameter(nullptr, "K", "v", file, 0), 0);
  EXPECT_EQ(setwell.WriteParameter("S", nullptr, "v", file, 0), 0);
  EXPECT_EQ(setwell.WriteParameter("S", "K", nullptr, file, 0), 0);
  EXPECT_EQ(setwell.WriteParameter("S", "K", "v", nullptr, 0), 0);
  EXPECT_EQ(setwell.WriteParameter("S", "", "v", file, 0), 0);
  EXPECT_EQ(setwell.WriteParameter("S", "K", "v", "", 0), 0);
  EXPECT_EQ(setwell.WriteParameter("S", "K", "a\n[x]", file, 0), 0);
  EXPECT_EQ(setwell.WriteParameter("S", "K", "a\rb", file, 1), 0);
  EXPECT_EQ(setwell.WriteParameter("S\n[T]", "K", "v", file, 0), 0);
  EXPECT_EQ(Read("S", "K"), "");
  const std::string before = ReadWholeFile(settings);
  EXPECT_EQ(setwell.Flush(), 1);
  EXPECT_EQ(ReadWholeFile(settings), before);
}

TEST_F(SetwellWrite, EmptyAndHugeValuesAreWrittenWhole) {
  const std::string huge(1 << 20, 'h');
  EXPECT_EQ(Write("Name", "", 0), 1);
  EXPECT_EQ(Write("Huge", huge.c_str(), 0), 1);
  char small[16];
  EXPECT_EQ(Setwell::GetInstance()->ReadStringParameter("S", "Huge", "", small, 16, settings.c_str(), 0, 0), 16u);
  Restart();
  EXPECT_EQ(OnDisk(settings, "S", "Name"), "");
  EXPECT_EQ(OnDisk(settings, "S", "Huge"), huge);
  EXPECT_EQ(OnDisk(settings, "S", "Other"), "kept");
  EXPECT_EQ(Setwell::GetInstance()->ReadStringParameter("S", "Huge", "", small, 16, settings.c_str(), 0, 0), 15u);
  EXPECT_EQ(Read("S", "Huge"), huge);
}

}  // namespace
