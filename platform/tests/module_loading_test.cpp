#include <gtest/gtest.h>

#include <dlfcn.h>
#include <locale.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "test_support.h"
#include "winerror.h"
#include "winmodule.h"

using testing_support::TempFolder;

namespace {

const std::string kTestBin = CORVEX_TEST_BIN_DIR;

std::string moduleFileName(HMODULE module) {
  char buffer[PATH_MAX];
  DWORD length = GetModuleFileNameA(module, buffer, sizeof(buffer));
  return std::string(buffer, length);
}

template <typename Function>
Function procedure(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(GetProcAddress(module, name));
}

}  // namespace

TEST(LoadLibrary, FailuresGiveTheWindowsStatus) {
  TempFolder tmp;
  ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "notes.so", "just some text\n"));
  ASSERT_TRUE(std::filesystem::create_directory(tmp / "folder.so"));
  std::string elf32(64, '\0');
  elf32.replace(0, 5, "\x7f" "ELF\x01");  // a 32-bit ELF header
  ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "elf32.so", elf32));
  // A library whose dependency is not where its run path points.
  std::filesystem::copy_file(kTestBin + "/ResTestNoTable.so", tmp / "ResTestNoTable.so");
  // A module cut short: loading it must not touch pages past the file's end.
  const std::string whole = testing_support::ReadWholeFile(kTestBin + "/Lng/ResTestOne.LNG");
  ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "cut.so", whole.substr(0, whole.size() / 2)));

  const struct {
    std::string file;
    DWORD status;
  } cases[] = {
      {tmp / "missing.so", ERROR_MOD_NOT_FOUND},
      {tmp / "missing/folder/lib.so", ERROR_MOD_NOT_FOUND},
      {"NoSuchLibraryAnywhere.so", ERROR_MOD_NOT_FOUND},
      {tmp / "notes.so", ERROR_BAD_EXE_FORMAT},
      {tmp / "folder.so", ERROR_BAD_EXE_FORMAT},
      {tmp / "elf32.so", ERROR_BAD_EXE_FORMAT},
      {tmp / "cut.so", ERROR_BAD_EXE_FORMAT},
      {moduleFileName(nullptr), ERROR_BAD_EXE_FORMAT},  // a program, not a shared object
      {tmp / "ResTestNoTable.so", ERROR_MOD_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(c.file.c_str()), nullptr) << c.file;
    EXPECT_EQ(GetLastError(), c.status) << c.file;
  }
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// glibc translates the loader's messages; the status must not depend on them.
TEST(LoadLibrary, MissingDependencyIsModNotFoundInEveryLanguage) {
  TempFolder tmp;
  std::filesystem::copy_file(kTestBin + "/ResTestNoTable.so", tmp / "ResTestNoTable.so");
  for (const char* locale : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    const int code = testing_support::RunInChild([&] {
      if (!setlocale(LC_ALL, locale)) return 77;
      setenv("LANGUAGE", std::string(locale, 2).c_str(), 1);
      if (LoadLibraryA((tmp / "ResTestNoTable.so").c_str())) return 1;
      return GetLastError() == ERROR_MOD_NOT_FOUND ? 0 : 2;
    });
    if (code == 77) GTEST_SKIP() << locale << " is not installed";
    EXPECT_EQ(code, 0) << locale;
  }
}

TEST(LoadLibrary, RelativePathGivesAbsoluteFileNameAndCaseIsIgnored) {
  const std::string exact = kTestBin + "/Lng/ResTestOne.LNG";
  char previous[PATH_MAX];
  ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
  ASSERT_EQ(chdir(kTestBin.c_str()), 0);
  HMODULE relative = LoadLibraryA("./lng/restestone.lng");
  ASSERT_EQ(chdir(previous), 0);
  ASSERT_NE(relative, nullptr);
  EXPECT_EQ(moduleFileName(relative), std::filesystem::canonical(exact).string());

  HMODULE absolute = LoadLibraryA((kTestBin + "/LNG/RESTESTONE.lng").c_str());
  EXPECT_EQ(absolute, relative);  // one module, counted twice
  EXPECT_TRUE(FreeLibrary(absolute));
  EXPECT_TRUE(FreeLibrary(relative));
  EXPECT_EQ(GetModuleHandleA(exact.c_str()), nullptr);  // unloaded with the last reference
}

TEST(GetModuleFileName, ModuleOpenedByTheLoaderWithARelativePathIsAbsoluteFromAnyFolder) {
  char previous[PATH_MAX];
  ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
  ASSERT_EQ(chdir(kTestBin.c_str()), 0);
  void* module = dlopen("./Lng/ResTestTwo.LNG", RTLD_NOW | RTLD_LOCAL);
  ASSERT_EQ(chdir("/"), 0);
  const std::string name = moduleFileName(static_cast<HMODULE>(module));
  ASSERT_EQ(chdir(previous), 0);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(name, std::filesystem::canonical(kTestBin + "/Lng/ResTestTwo.LNG").string());
  dlclose(module);
}

TEST(LoadLibrary, BareNameIsLookedForInTheProgramFolderFirst) {
  // The test programs' folder holds the test libraries; no search path leads there.
  HMODULE library = LoadLibraryA("restestext.SO");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(moduleFileName(library), std::filesystem::canonical(kTestBin + "/ResTestExt.so").string());
  EXPECT_TRUE(FreeLibrary(library));
}

TEST(GetProcAddress, FindsOnlyTheModulesOwnExports) {
  HMODULE library = LoadLibraryA((kTestBin + "/ResTestNoTable.so").c_str());
  ASSERT_NE(library, nullptr);
  auto answer = procedure<int (*)()>(library, "ResTestNoTableAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 43);  // calls into its dependency

  for (const char* name : {"NoSuchFunction", "ResTestExtAnswer" /* the dependency's */, "malloc"}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(library, name), nullptr) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND)) << name;
  }
  EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(library));
  EXPECT_FALSE(FreeLibrary(nullptr));
}
