#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform_paths.h"
#include "test_support.h"
#include "winerror.h"
#include "winprofile.h"

using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

class ProfileWrite : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::RedirectUserAndMachineFolders(m_tmp.path()); }

  BOOL Write(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, m_file.c_str());
  }
  std::string Read(const char* section, const char* key) {
    char buffer[256];
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof(buffer), m_file.c_str());
    return buffer;
  }
  std::string Content() { return ReadWholeFile(m_file); }

  TempFolder m_tmp;
  std::string m_file = m_tmp / "Settings.inf";
};

std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  while (dirent* entry = dir ? readdir(dir) : nullptr)
    if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") names.push_back(entry->d_name);
  if (dir) closedir(dir);
  return names;
}

// Each child waits for the start signal, then writes its own keys one call at a time.
pid_t startWriter(const std::string& file, int child, int keys, int startPipe) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  char go;
  if (read(startPipe, &go, 1) < 0) _exit(2);
  for (int i = 0; i < keys; ++i) {
    const std::string key = "p" + std::to_string(child) + "_k" + std::to_string(i);
    if (!WritePrivateProfileStringA("Shared", key.c_str(), std::to_string(i).c_str(), file.c_str())) _exit(1);
  }
  _exit(0);
}

}  // namespace

TEST_F(ProfileWrite, FirstWriteCreatesFileAndSectionAndNewKeysFollowTheLastEntry) {
  EXPECT_TRUE(Write("Config", "CurlTimeout", "30"));
  EXPECT_EQ(Content(), "[Config]\nCurlTimeout=30\n");
  EXPECT_TRUE(Write("CONFIG", "NbBoardMax", "255"));
  EXPECT_TRUE(Write("Directories", "TRACKINGLOG", "/var/log"));
  EXPECT_TRUE(Write("config", "curltimeout", "45"));  // updates in place, keeps the name as written
  EXPECT_EQ(Content(), "[Config]\nCurlTimeout=45\nNbBoardMax=255\n[Directories]\nTRACKINGLOG=/var/log\n");
  EXPECT_EQ(Read("Config", "CurlTimeout"), "45");
}

TEST_F(ProfileWrite, CommentsMalformedLinesAndOrderSurviveEdits) {
  const std::string before =
      "; header comment\n"
      "[A]\n"
      "first = 1\n"
      "garbage without equals\n"
      "second=2 ; not a comment\n"
      "\n"
      "; about B\n"
      "[B\n"
      "[B]\n"
      "third=3\n";
  ASSERT_TRUE(WriteWholeFile(m_file, before));
  EXPECT_TRUE(Write("a", "FIRST", "one"));
  EXPECT_TRUE(Write("A", "added", "x"));
  EXPECT_TRUE(Write("B", "third", nullptr));
  EXPECT_EQ(Content(),
            "; header comment\n"
            "[A]\n"
            "first=one\n"
            "garbage without equals\n"
            "second=2 ; not a comment\n"
            "added=x\n"
            "\n"
            "; about B\n"
            "[B\n"
            "[B]\n");
  EXPECT_TRUE(Write("A", nullptr, nullptr));
  EXPECT_EQ(Content(), "; header comment\n[B]\n");
  EXPECT_EQ(Read("A", "second"), "<missing>");
}

TEST_F(ProfileWrite, DeletingEverywhereAndNothing) {
  ASSERT_TRUE(WriteWholeFile(m_file, "[S]\nk=1\nk=2\nother=3\n[T]\nx=1\n[s]\nK=4\n"));
  EXPECT_TRUE(Write("S", "k", nullptr));
  EXPECT_EQ(Read("S", "k"), "<missing>");
  EXPECT_EQ(Content(), "[S]\nother=3\n[T]\nx=1\n[s]\n");
  EXPECT_TRUE(Write("S", nullptr, nullptr));
  EXPECT_EQ(Content(), "[T]\nx=1\n");

  // Deleting from a file that does not exist succeeds and creates nothing.
  const std::string absent = m_tmp / "absent.inf";
  EXPECT_TRUE(WritePrivateProfileStringA("S", nullptr, nullptr, absent.c_str()));
  EXPECT_TRUE(WritePrivateProfileStringA("S", "k", nullptr, absent.c_str()));
  EXPECT_EQ(access(absent.c_str(), F_OK), -1);
}

// LF, CRLF and old-Mac bare CR files read alike, and each keeps its own line end.
TEST_F(ProfileWrite, EachFileKeepsItsLineEndsAndAMissingFinalOneIsAdded) {
  for (const std::string lineEnd : {"\n", "\r\n", "\r"}) {
    auto ended = [&](const std::string& text) {
      std::string content;
      for (char c : text) c == '|' ? content += lineEnd : content += c;
      return content;
    };
    ASSERT_TRUE(WriteWholeFile(m_file, ended("[S]|k=1|; note|[T]|x=1")));
    EXPECT_EQ(Read("T", "x"), "1");
    EXPECT_TRUE(Write("S", "k", "2"));
    EXPECT_TRUE(Write("S", "new", "3"));
    EXPECT_TRUE(Write("T", "y", "4"));
    EXPECT_TRUE(Write("U", "z", "5"));
    EXPECT_EQ(Content(), ended("[S]|k=2|new=3|; note|[T]|x=1|y=4|[U]|z=5|"));
  }
}

// As on Windows, blanks around the section and key given are not part of the names.
TEST_F(ProfileWrite, SectionAndKeyArgumentsAreTrimmed) {
  ASSERT_TRUE(WriteWholeFile(m_file, "[S]\nKey=old\n"));
  EXPECT_EQ(Read(" S\t", "Key "), "old");
  EXPECT_TRUE(Write("S ", " key", "new"));
  EXPECT_TRUE(Write(" T ", " Added ", "1"));
  EXPECT_EQ(Content(), "[S]\nKey=new\n[T]\nAdded=1\n");
  EXPECT_TRUE(Write("S", "Key\t", nullptr));
  EXPECT_EQ(Content(), "[S]\n[T]\nAdded=1\n");
}

TEST_F(ProfileWrite, WholeSectionsReplacedAndBatchEqualsTheSeriesOfCalls) {
  ASSERT_TRUE(WriteWholeFile(m_file, "[Recent]\n; kept\n1=a\n2=b\n[Other]\nx=1\n"));
  EXPECT_TRUE(WritePrivateProfileSectionA("recent", "1=c\0002=d\0003=e\0", m_file.c_str()));
  EXPECT_EQ(Content(), "[Recent]\n; kept\n1=c\n2=d\n3=e\n[Other]\nx=1\n");
  EXPECT_TRUE(WritePrivateProfileSectionA("Fresh", "k=v\0", m_file.c_str()));
  EXPECT_TRUE(WritePrivateProfileSectionA("Other", nullptr, m_file.c_str()));
  EXPECT_EQ(Content(), "[Recent]\n; kept\n1=c\n2=d\n3=e\n[Fresh]\nk=v\n");

  // Runs of values in one section (written together) mixing new and known keys, case
  // and blanks in the names, a key set twice, a new section.
  const ProfileChange changes[] = {
      {"Recent", nullptr, nullptr}, {"Recent", "1", "z"},  {"Fresh", "k", nullptr}, {"Fresh", "j", "w"},
      {"Fresh", "j", "ww"},         {"Added", "a", "1"},   {"Added", "A ", "2"},    {"added", "b", "3"},
      {"Fresh", "x", "1"},          {" FRESH", "J", "w3"}, {"Fresh", "y", "2"},     {"Fresh", "X", "11"},
  };
  const std::string series = m_tmp / "series.inf";
  ASSERT_TRUE(WriteWholeFile(series, Content()));
  for (const ProfileChange& change : changes)
    ASSERT_TRUE(WritePrivateProfileStringA(change.section, change.key, change.value, series.c_str()));
  EXPECT_TRUE(WritePrivateProfileBatchA(m_file.c_str(), changes, sizeof(changes) / sizeof(changes[0])));
  EXPECT_EQ(Content(), ReadWholeFile(series));
  EXPECT_EQ(Read("Recent", "1"), "z");

  const ProfileChange invalid[] = {{"S", "k", "v"}, {nullptr, "k", "v"}};
  const std::string unchanged = Content();
  EXPECT_FALSE(WritePrivateProfileBatchA(m_file.c_str(), invalid, 2));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(Content(), unchanged);
}

TEST_F(ProfileWrite, ModeIsKeptAndNoTemporaryFileRemains) {
  ASSERT_TRUE(WriteWholeFile(m_file, "[S]\nk=1\n"));
  ASSERT_EQ(chmod(m_file.c_str(), 0640), 0);
  EXPECT_TRUE(Write("S", "k", "2"));
  struct stat st;
  ASSERT_EQ(stat(m_file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(folderEntries(m_tmp.path()).size(), 4u);  // Settings.inf, home, windows, system
}

TEST_F(ProfileWrite, NamesResolveIgnoringCaseAndBareNamesLandInTheWindowsFolder) {
  ASSERT_TRUE(WriteWholeFile(m_tmp / "CorvexV0.inf", "[Config]\n"));
  EXPECT_TRUE(WritePrivateProfileStringA("Config", "k", "v", (m_tmp / "CORVEXV0.INF").c_str()));
  EXPECT_EQ(ReadWholeFile(m_tmp / "CorvexV0.inf"), "[Config]\nk=v\n");
  EXPECT_EQ(access((m_tmp / "CORVEXV0.INF").c_str(), F_OK), -1);

  EXPECT_TRUE(WritePrivateProfileStringA("Countries", "FR", "France", "Lang.inf"));
  EXPECT_EQ(ReadWholeFile(m_tmp / "windows/Lang.inf"), "[Countries]\nFR=France\n");
  EXPECT_TRUE(WritePrivateProfileStringA("Countries", "DE", "Germany", "LANG.INF"));
  EXPECT_EQ(ReadWholeFile(m_tmp / "windows/Lang.inf"), "[Countries]\nFR=France\nDE=Germany\n");
}

TEST_F(ProfileWrite, FailedWritesReportWin32CodesAndKeepTheOldFile) {
  ASSERT_TRUE(WriteWholeFile(m_tmp / "plain.txt", "plain"));
  ASSERT_EQ(mkdir((m_tmp / "Folder.inf").c_str(), 0755), 0);
  const struct {
    std::string path;
    DWORD error;
  } cases[] = {
      {m_tmp / "Folder.inf", ERROR_ACCESS_DENIED},
      {m_tmp / "plain.txt/Settings.inf", ERROR_PATH_NOT_FOUND},
      {m_tmp / "missing/Settings.inf", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", c.path.c_str())) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  EXPECT_EQ(ReadWholeFile(m_tmp / "plain.txt"), "plain");

  // A folder the user cannot write, though the file is writable: not even its owner
  // may replace the file. Root may write anywhere, so the write is tried as an ordinary user.
  ASSERT_TRUE(WriteWholeFile(m_file, "[S]\nk=old\n"));
  ASSERT_EQ(chmod(m_file.c_str(), 0666), 0);
  ASSERT_EQ(chmod(m_tmp.path().c_str(), 0555), 0);
  const int code = testing_support::RunAsOrdinaryUser([&] {
    if (Write("S", "k", "new")) return 1;
    return GetLastError() == ERROR_ACCESS_DENIED ? 0 : 2;
  });
  ASSERT_EQ(chmod(m_tmp.path().c_str(), 0755), 0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Content(), "[S]\nk=old\n");
}

TEST_F(ProfileWrite, TwoProcessesWritingDifferentKeysAtOnceLoseNone) {
  constexpr int kKeys = 200;
  ASSERT_TRUE(WriteWholeFile(m_file, "; shared by two writers\n[Shared]\n"));
  int startPipe[2];
  ASSERT_EQ(pipe(startPipe), 0);
  const pid_t first = startWriter(m_file, 1, kKeys, startPipe[0]);
  const pid_t second = startWriter(m_file, 2, kKeys, startPipe[0]);
  ASSERT_EQ(write(startPipe[1], "go", 2), 2);  // both start together
  close(startPipe[0]);
  close(startPipe[1]);
  for (pid_t pid : {first, second}) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int child = 1; child <= 2; ++child)
    for (int i = 0; i < kKeys; ++i) {
      const std::string key = "p" + std::to_string(child) + "_k" + std::to_string(i);
      EXPECT_EQ(Read("Shared", key.c_str()), std::to_string(i)) << key;
    }
  // Well formed: the comment, one header, then exactly one line per key.
  const std::string content = Content();
  EXPECT_EQ(content.rfind("; shared by two writers\n[Shared]\n", 0), 0u);
  EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 2 + 2 * kKeys);
  EXPECT_EQ(std::count(content.begin(), content.end(), '['), 1);
}
