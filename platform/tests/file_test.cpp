#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform_paths.h"
#include "test_support.h"
#include "winerror.h"
#include "winfile.h"

using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

bool isFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

TEST(FileAttributes, FoldersFilesAndMissingEntriesResolvedIgnoringCase) {
  TempFolder tmp;
  ASSERT_EQ(mkdir((tmp / "Data").c_str(), 0755), 0);
  ASSERT_TRUE(WriteWholeFile(tmp / "Data/CorvexV0.inf", "[Config]\n"));
  const struct {
    std::string path;
    DWORD attributes;
    DWORD error;
  } cases[] = {
      {tmp / "Data/CorvexV0.inf", FILE_ATTRIBUTE_NORMAL, 0},
      {tmp / "DATA/CorvexV0.Inf", FILE_ATTRIBUTE_NORMAL, 0},
      {tmp / "data", FILE_ATTRIBUTE_DIRECTORY, 0},
      {tmp / "Data/missing.inf", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
      {tmp / "Nowhere/missing.inf", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
      {tmp / "Data/CorvexV0.inf/below", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(c.path.c_str()), c.attributes) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
}

TEST(FileAttributes, ReadOnlyWhenTheUserCannotWriteTheFile) {
  TempFolder tmp;
  ASSERT_EQ(chmod(tmp.path().c_str(), 0755), 0);
  ASSERT_TRUE(WriteWholeFile(tmp / "locked.inf", "x"));
  ASSERT_TRUE(WriteWholeFile(tmp / "open.inf", "x"));
  ASSERT_EQ(chmod((tmp / "locked.inf").c_str(), 0444), 0);
  ASSERT_EQ(chmod((tmp / "open.inf").c_str(), 0666), 0);
  EXPECT_EQ(testing_support::RunAsOrdinaryUser([&] {
              if (GetFileAttributesA((tmp / "LOCKED.inf").c_str()) != FILE_ATTRIBUTE_READONLY) return 1;
              if (GetFileAttributesA((tmp / "open.inf").c_str()) != FILE_ATTRIBUTE_NORMAL) return 2;
              return 0;
            }),
            0);
}

TEST(Folders, CreateOneLevelAndRemoveWithWindowsCodes) {
  TempFolder tmp;
  ASSERT_TRUE(WriteWholeFile(tmp / "file.txt", "x"));
  const struct {
    std::string path;
    BOOL result;
    DWORD error;
  } creations[] = {
      {tmp / "UserConfig", TRUE, 0},
      {tmp / "UserConfig", FALSE, ERROR_ALREADY_EXISTS},
      {tmp / "USERCONFIG", FALSE, ERROR_ALREADY_EXISTS},
      {tmp / "file.txt", FALSE, ERROR_ALREADY_EXISTS},
      {tmp / "missing/child", FALSE, ERROR_PATH_NOT_FOUND},
      {tmp / "file.txt/child", FALSE, ERROR_PATH_NOT_FOUND},
      {tmp / "UserConfig/Inner", TRUE, 0},
  };
  for (const auto& c : creations) {
    SetLastError(0);
    EXPECT_EQ(CreateDirectoryA(c.path.c_str(), nullptr), c.result) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  EXPECT_FALSE(isFolder(tmp / "missing"));

  const struct {
    std::string path;
    BOOL result;
    DWORD error;
  } removals[] = {
      {tmp / "userconfig", FALSE, ERROR_DIR_NOT_EMPTY},
      {tmp / "file.txt", FALSE, ERROR_DIRECTORY},
      {tmp / "gone", FALSE, ERROR_FILE_NOT_FOUND},
      {tmp / "USERCONFIG/inner", TRUE, 0},
      {tmp / "UserConfig", TRUE, 0},
  };
  for (const auto& c : removals) {
    SetLastError(0);
    EXPECT_EQ(RemoveDirectoryA(c.path.c_str()), c.result) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  EXPECT_FALSE(isFolder(tmp / "UserConfig"));
}

TEST(Files, MoveRefusesAnExistingTargetUnlessAskedToReplace) {
  TempFolder tmp;
  ASSERT_TRUE(WriteWholeFile(tmp / "Source.txt", "source"));
  ASSERT_TRUE(WriteWholeFile(tmp / "Target.txt", "target"));

  EXPECT_FALSE(MoveFileA((tmp / "source.TXT").c_str(), (tmp / "target.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(ReadWholeFile(tmp / "Source.txt"), "source");
  EXPECT_EQ(ReadWholeFile(tmp / "Target.txt"), "target");

  EXPECT_TRUE(MoveFileExA((tmp / "SOURCE.txt").c_str(), (tmp / "TARGET.txt").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadWholeFile(tmp / "Target.txt"), "source");
  EXPECT_EQ(GetFileAttributesA((tmp / "Source.txt").c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_FALSE(MoveFileA((tmp / "Source.txt").c_str(), (tmp / "other.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(MoveFileA((tmp / "Target.txt").c_str(), (tmp / "nowhere/other.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  // Folders move too, and a folder is never replaced.
  ASSERT_TRUE(CreateDirectoryA((tmp / "Old").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((tmp / "Taken").c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(tmp / "Old/inside.txt", "inside"));
  EXPECT_FALSE(MoveFileA((tmp / "old").c_str(), (tmp / "taken").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(MoveFileExA((tmp / "Target.txt").c_str(), (tmp / "Taken").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_TRUE(MoveFileA((tmp / "OLD").c_str(), (tmp / "New").c_str()));
  EXPECT_EQ(ReadWholeFile(tmp / "New/inside.txt"), "inside");
}

TEST(Files, CopyAndDelete) {
  TempFolder tmp;
  ASSERT_TRUE(WriteWholeFile(tmp / "Source.inf", "content"));
  ASSERT_EQ(chmod((tmp / "Source.inf").c_str(), 0640), 0);
  ASSERT_TRUE(WriteWholeFile(tmp / "Existing.inf", "old"));

  EXPECT_FALSE(CopyFileA((tmp / "source.inf").c_str(), (tmp / "existing.INF").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadWholeFile(tmp / "Existing.inf"), "old");

  EXPECT_TRUE(CopyFileA((tmp / "source.inf").c_str(), (tmp / "existing.INF").c_str(), FALSE));
  EXPECT_EQ(ReadWholeFile(tmp / "Existing.inf"), "content");
  EXPECT_TRUE(CopyFileA((tmp / "Source.inf").c_str(), (tmp / "Fresh.inf").c_str(), TRUE));
  struct stat st;
  ASSERT_EQ(stat((tmp / "Fresh.inf").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // Copying a file onto itself must not empty it.
  EXPECT_FALSE(CopyFileA((tmp / "Source.inf").c_str(), (tmp / "SOURCE.inf").c_str(), FALSE));
  EXPECT_EQ(ReadWholeFile(tmp / "Source.inf"), "content");
  EXPECT_FALSE(CopyFileA((tmp / "absent.inf").c_str(), (tmp / "x.inf").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  EXPECT_TRUE(DeleteFileA((tmp / "FRESH.INF").c_str()));
  EXPECT_FALSE(DeleteFileA((tmp / "Fresh.inf").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFileA((tmp / "nowhere/Fresh.inf").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(FolderLocations, CountsFollowTheWindowsConvention) {
  TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  const std::string windows = tmp / "windows";
  const std::string system = tmp / "system";
  const DWORD length = static_cast<DWORD>(windows.size());

  char buffer[MAX_PATH];
  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(GetWindowsDirectoryA(buffer, length), length + 1);  // too small: size needed
  EXPECT_EQ(buffer[0], 'X');
  EXPECT_EQ(GetWindowsDirectoryA(buffer, length + 1), length);
  EXPECT_EQ(std::string(buffer), windows);
  EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof(buffer)), system.size());
  EXPECT_EQ(std::string(buffer), system);

  const char* savedTmp = std::getenv("TMPDIR");
  const std::string saved = savedTmp ? savedTmp : "";
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(GetTempPathA(sizeof(buffer), buffer), 9u);
  EXPECT_EQ(std::string(buffer), "/var/tmp/");
  EXPECT_EQ(GetTempPathA(9, buffer), 10u);
  unsetenv("TMPDIR");
  EXPECT_EQ(GetTempPathA(sizeof(buffer), buffer), 5u);
  EXPECT_EQ(std::string(buffer), "/tmp/");
  if (savedTmp) setenv("TMPDIR", saved.c_str(), 1);

  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof(buffer), buffer), std::strlen(cwd));
  EXPECT_EQ(std::string(buffer), cwd);
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), std::strlen(cwd) + 1);
}

TEST(FolderLocations, DocumentsFolderIsCreatedOnlyWhenAsked) {
  TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  char path[MAX_PATH] = "junk";
  HRESULT result = SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path);
  EXPECT_TRUE(FAILED(result));
  EXPECT_STREQ(path, "");
  EXPECT_FALSE(isFolder(tmp / "home/Documents"));

  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
  EXPECT_EQ(std::string(path), tmp / "home/Documents");
  EXPECT_TRUE(isFolder(path));
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
  EXPECT_EQ(SHGetFolderPathA(nullptr, 0x001a, nullptr, SHGFP_TYPE_CURRENT, path), E_INVALIDARG);
}

TEST(PathParts, SplitAndMakeUseTheSeparatorAndAnEmptyDrive) {
  const struct {
    const char* path;
    const char* dir;
    const char* fname;
    const char* ext;
  } splits[] = {
      {"/opt/corvex/CorvexV0.inf", "/opt/corvex/", "CorvexV0", ".inf"},
      {"archive.tar.gz", "", "archive.tar", ".gz"},
      {"/opt/my.folder/README", "/opt/my.folder/", "README", ""},
      {"/opt/corvex/", "/opt/corvex/", "", ""},
      {"/home/user/.profile", "/home/user/", "", ".profile"},
      {"", "", "", ""},
  };
  for (const auto& c : splits) {
    char drive[_MAX_DRIVE] = "X", dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(c.path, drive, dir, fname, ext);
    EXPECT_STREQ(drive, "") << c.path;
    EXPECT_STREQ(dir, c.dir) << c.path;
    EXPECT_STREQ(fname, c.fname) << c.path;
    EXPECT_STREQ(ext, c.ext) << c.path;
  }

  const struct {
    const char* dir;
    const char* fname;
    const char* ext;
    const char* expected;
  } makes[] = {
      {"/tmp/work", "INTERFAC.INF", nullptr, "/tmp/work/INTERFAC.INF"},
      {"/tmp/work/", "INTERFAC", "INF", "/tmp/work/INTERFAC.INF"},
      {"/tmp/work", "INTERFAC", ".INF", "/tmp/work/INTERFAC.INF"},
      {nullptr, "name", "", "name"},
      {"", "name", "txt", "name.txt"},
  };
  for (const auto& c : makes) {
    char path[_MAX_PATH];
    _makepath(path, nullptr, c.dir, c.fname, c.ext);
    EXPECT_STREQ(path, c.expected);
  }
  const std::string longName(400, 'n');
  char path[_MAX_PATH];
  _makepath(path, "", "/tmp", longName.c_str(), nullptr);
  EXPECT_EQ(std::strlen(path), static_cast<size_t>(_MAX_PATH - 1));
}
