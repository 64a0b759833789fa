#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

using testing_support::TempFolder;

// Mistakes in a resource source stop the build with the file and line, and leave no
// output behind.
TEST(ResourceCompiler, RejectsBadSourcesWithFileAndLine) {
  const struct {
    const char* source;
    const char* message;
  } cases[] = {
      {"STRING 1 \"a\"\nSTRING 2 \"unterminated\n", "bad.rc:2: unterminated text"},
      {"STRING 1 \"a\"\nSTRING 1 \"again\"\n", "bad.rc:2: STRING 1 twice"},
      {"STRING 70000 \"a\"\n", "bad.rc:1: number out of range: 70000"},
      {"STRING 0x1G \"a\"\n", "bad.rc:1: not a number: 0x1G"},
      {"STRING 1 a\n", "bad.rc:1: value 2 of STRING must be quoted text"},
      {"STRING 1 \"bad \\q escape\"\n", "bad.rc:1: unknown escape \\q"},
      {"MENU 1\n", "bad.rc:1: unknown statement MENU"},
      {"CONTROL 1 \"BUTTON\" \"OK\" 0 0 0 10 10\n", "bad.rc:1: CONTROL outside a DIALOG"},
      {"DIALOG 5 0 0 10 10 \"t\"\nCONTROL 1 \"BUTTON\" \"OK\" 0 0 0 10\n", "bad.rc:2: CONTROL takes 8 or more values"},
      {"DIALOG 5 0 0 10 10 \"t\"\nCONTROL 1 \"B\" \"\" 0 0 0 1 1 LEFT|MIDDLE\nEND\n", "bad.rc:2: unknown anchor MIDDLE"},
      {"DIALOG 5 0 0 10 10 \"t\"\nSTRING 1 \"a\"\n", "bad.rc:2: STRING inside DIALOG 5 (missing END?)"},
      {"# comment\nDIALOG 5 0 0 10 10 \"t\"\n", "bad.rc:2: DIALOG 5 has no END"},
      {"END\n", "bad.rc:1: END without DIALOG"},
      {"VERSION FILEVERSION 1.0\n", "bad.rc:1: a version is four numbers a.b.c.d: 1.0"},
      {"VERSION FILEVERSION 1.0.0.70000\n", "bad.rc:1: number out of range: 70000"},
      {"VERSION VALUE \"CompanyName\"\n", "bad.rc:1: VALUE takes 2 values"},
  };
  TempFolder tmp;
  for (const auto& c : cases) {
    ASSERT_TRUE(testing_support::WriteWholeFile(tmp / "bad.rc", c.source));
    auto result = testing_support::RunProgram(RESCOMP_PATH, {tmp / "bad.rc", tmp / "out.cpp"});
    EXPECT_EQ(result.exitCode, 1) << c.source;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << c.source << "\ngave: " << result.output;
    EXPECT_FALSE(std::filesystem::exists(tmp / "out.cpp"));
  }
}
