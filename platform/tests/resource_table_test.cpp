#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "resource_format.h"
#include "resource_table.h"
#include "test_support.h"
#include "winerror.h"
#include "winmodule.h"
#include "winresource.h"

using testing_support::TempFolder;

namespace {

const std::string kTestBin = CORVEX_TEST_BIN_DIR;
const char kEscapes[] = "Tab\there \"quoted\" back\\slash\nline two \x41\102\0103 caf\xc3\xa9";

std::string longText() {
  std::string text;
  for (int i = 0; i < 6; ++i) text += "The quick brown fox jumps over the lazy dog. 0123456789 ";
  return text + "end";
}

std::string loadString(HINSTANCE module, UINT id) {
  std::string text;
  return platform::LoadResourceString(module, id, text) ? text : "<missing>";
}

}  // namespace

TEST(ResourceStrings, TheProgramsTableRoundTrips) {
  const struct {
    UINT id;
    std::string text;
  } cases[] = {
      {100, "Program string"},
      {101, kEscapes},
      {102, longText()},
      {65535, "Highest id; keywords ignore case"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(loadString(nullptr, c.id), c.text) << c.id;
  }
  EXPECT_EQ(loadString(GetModuleHandleA(nullptr), 100), "Program string");
}

TEST(ResourceStrings, LoadStringCutsWithANulAndReportsMissingIds) {
  char buffer[8];
  const struct {
    UINT id;
    int size;
    int length;
    std::string text;
  } cases[] = {
      {100, 8, 7, "Program"},
      {100, 1, 0, ""},
      {103, 5, 4, "ab\xc3\xa9"},  // fits exactly
      {103, 4, 2, "ab"},          // never half a character
      {100, 0, 0, "unchang"},
  };
  for (const auto& c : cases) {
    std::strcpy(buffer, "unchang");
    int length = LoadStringA(nullptr, c.id, buffer, c.size);
    EXPECT_EQ(length, c.length) << c.id << "/" << c.size;
    EXPECT_EQ(std::string(buffer), c.text) << c.id << "/" << c.size;
  }
  char large[1024];
  EXPECT_EQ(LoadStringA(nullptr, 102, large, sizeof(large)), static_cast<int>(longText().size()));
  EXPECT_EQ(std::string(large), longText());

  std::strcpy(buffer, "x");
  SetLastError(0);
  EXPECT_EQ(LoadStringA(nullptr, 99, buffer, sizeof(buffer)), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  std::string untouched = "kept";
  EXPECT_FALSE(platform::LoadResourceString(nullptr, 99, untouched));
  EXPECT_EQ(untouched, "kept");
}

TEST(ResourceTemplates, DialogWithControlsAndAnchors) {
  DialogTemplate expected;
  expected.id = 4105;
  expected.title = "Sign in";
  expected.style = 0x90C800C4;
  expected.cx = 300;
  expected.cy = 200;
  const unsigned all = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
  expected.controls = {
      {1001, "CorvexBrowserHost", "", 0x50000000, 7, 7, 286, 160, all},
      {1, "BUTTON", "OK", 0x50010001, 187, 179, 50, 14, kAnchorRight | kAnchorBottom},
      {2, "BUTTON", "Cancel", 0x50010000, 243, 179, 50, 14, kAnchorRight | kAnchorBottom},
      {-1, "STATIC", "Status:", 0x50000000, 7, 181, -40, 10, kAnchorLeft | kAnchorTop},
      {3, "EDIT", "", 0x50810080, 50, 179, 120, 14, kAnchorNone},
  };
  std::optional<DialogTemplate> dialog = platform::FindDialogTemplate(nullptr, 4105);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(*dialog, expected);
  EXPECT_FALSE(platform::FindDialogTemplate(nullptr, 4106));
}

TEST(ResourceTemplates, VersionBlock) {
  VersionInfo expected;
  const WORD file[4] = {1, 2, 3, 4}, product[4] = {1, 0, 65535, 0};
  std::copy(file, file + 4, expected.fileVersion);
  std::copy(product, product + 4, expected.productVersion);
  expected.language = 0x0409;
  expected.codePage = 1200;
  expected.values = {{"CompanyName", "Halvorn"},
                     {"FileDescription", "Resource test program"},
                     {"FileVersion", "1.2.3.4"},
                     {"InternalName", "platform_resource_test"},
                     {"OriginalFilename", "platform_resource_test"},
                     {"ProductName", "Norvasta - Tamberlo"},
                     {"ProductVersion", "1.0"}};
  std::optional<VersionInfo> version = platform::FindVersionInfo(nullptr);
  ASSERT_TRUE(version);
  EXPECT_EQ(*version, expected);

  HMODULE two = LoadLibraryA((kTestBin + "/Lng/ResTestTwo.LNG").c_str());
  ASSERT_NE(two, nullptr);
  EXPECT_FALSE(platform::FindVersionInfo(two));  // a table without a version block
  EXPECT_TRUE(FreeLibrary(two));
}

TEST(ResourceTables, AModuleWithoutATableDoesNotAnswerWithItsDependencys) {
  HMODULE noTable = LoadLibraryA((kTestBin + "/ResTestNoTable.so").c_str());
  ASSERT_NE(noTable, nullptr);
  HMODULE dependency = GetModuleHandleA((kTestBin + "/ResTestExt.so").c_str());
  ASSERT_NE(dependency, nullptr);
  EXPECT_EQ(loadString(dependency, 500), "extension library's own string");

  char buffer[64];
  SetLastError(0);
  EXPECT_EQ(LoadStringA(noTable, 500, buffer, sizeof(buffer)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_FALSE(platform::FindVersionInfo(noTable));
  EXPECT_EQ(platform::CheckResourceTable(noTable), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(platform::CheckResourceTable(dependency), static_cast<DWORD>(ERROR_SUCCESS));
  // The program's handle answers with the program's table, not with a global module's.
  EXPECT_EQ(loadString(nullptr, 500), "<missing>");
  EXPECT_TRUE(FreeLibrary(noTable));
}

TEST(ResourceTables, ANewModuleNeverAnswersWithAFreedOnesTable) {
  // The loader often hands the freed handle's value to the next module.
  for (int round = 0; round < 3; ++round) {
    HMODULE one = LoadLibraryA((kTestBin + "/Lng/ResTestOne.LNG").c_str());
    ASSERT_EQ(loadString(one, 301), "one: only here");
    ASSERT_TRUE(FreeLibrary(one));
    HMODULE two = LoadLibraryA((kTestBin + "/Lng/ResTestTwo.LNG").c_str());
    EXPECT_EQ(loadString(two, 301), "<missing>");
    EXPECT_EQ(loadString(two, 302), "two: only here");
    ASSERT_TRUE(FreeLibrary(two));
  }
}

// A copy of language module one with its table patched, loaded as a module of its own.
class DamagedTable : public ::testing::Test {
 protected:
  using Patch = std::function<void(std::string& file, size_t table)>;

  static uint32_t word(const std::string& file, size_t offset) {
    uint32_t value;
    std::memcpy(&value, file.data() + offset, 4);
    return value;
  }
  static void setWord(std::string& file, size_t offset, uint32_t value) { std::memcpy(&file[offset], &value, 4); }
  static size_t headerWord(size_t table, resource_format::HeaderWord which) { return table + which * resource_format::kWord; }

  // The module's answer for string 301 and its version block after `patch`.
  std::string loadPatched(const Patch& patch) {
    std::string file = testing_support::ReadWholeFile(kTestBin + "/Lng/ResTestOne.LNG");
    const char magic[] = {'C', 'V', 'R', 'T', 1, 0, 0, 0};
    size_t table = file.find(std::string(magic, sizeof(magic)));
    EXPECT_NE(table, std::string::npos);
    EXPECT_EQ(file.find(std::string(magic, sizeof(magic)), table + 1), std::string::npos);
    patch(file, table);
    const std::string copy = m_tmp / ("patched" + std::to_string(m_copies++) + ".LNG");
    EXPECT_TRUE(testing_support::WriteWholeFile(copy, file));
    HMODULE module = LoadLibraryA(copy.c_str());
    EXPECT_NE(module, nullptr);
    std::string result = loadString(module, 301);
    if (platform::FindVersionInfo(module) || platform::FindDialogTemplate(module, 4105)) result += " +blocks";
    FreeLibrary(module);
    return result;
  }

  TempFolder m_tmp;
  int m_copies = 0;
};

TEST_F(DamagedTable, CountsAsNoTable) {
  using namespace resource_format;
  EXPECT_EQ(loadPatched([](std::string&, size_t) {}), "one: only here +blocks");

  const struct {
    const char* what;
    Patch patch;
  } cases[] = {
      {"magic", [](std::string& f, size_t t) { f[t] = 'X'; }},
      {"format version", [](std::string& f, size_t t) { setWord(f, headerWord(t, kFormatVersionWord), 2); }},
      {"size beyond the symbol",
       [](std::string& f, size_t t) { setWord(f, headerWord(t, kTableSizeWord), word(f, headerWord(t, kTableSizeWord)) + 1); }},
      {"size below the header", [](std::string& f, size_t t) { setWord(f, headerWord(t, kTableSizeWord), 8); }},
      {"string count", [](std::string& f, size_t t) { setWord(f, headerWord(t, kStringCountWord), 0x40000000); }},
      {"strings offset", [](std::string& f, size_t t) { setWord(f, headerWord(t, kStringsOffsetWord), 0xFFFFFFF0); }},
      {"dialogs offset inside the header", [](std::string& f, size_t t) { setWord(f, headerWord(t, kDialogsOffsetWord), 4); }},
      {"version offset", [](std::string& f, size_t t) { setWord(f, headerWord(t, kVersionOffsetWord), 0x7FFFFFFF); }},
      {"text past the end",
       [](std::string& f, size_t t) { setWord(f, t + word(f, headerWord(t, kStringsOffsetWord)) + 4, 0xFFFFFFFF); }},
      {"text without its NUL",
       [](std::string& f, size_t t) {
         size_t entry = t + word(f, headerWord(t, kStringsOffsetWord));
         f[t + word(f, entry + 4) + word(f, entry + 8)] = '!';
       }},
      {"ids out of order",
       [](std::string& f, size_t t) { setWord(f, t + word(f, headerWord(t, kStringsOffsetWord)), 400); }},
  };
  for (const auto& c : cases) EXPECT_EQ(loadPatched(c.patch), "<missing>") << c.what;
}

// Every text of a table is written once: records that share texts (here all dialogs name
// one record whose controls all name one long text) would decode to hundreds of megabytes.
TEST(ResourceTables, SharedTextsCountAsADamagedTable) {
  using namespace resource_format;
  const uint32_t dialogs = 200, controls = 100, textLength = 4000;
  const uint32_t entries = kHeaderSize, record = entries + dialogs * kDialogEntrySize,
                 firstControl = record + kDialogRecordSize, text = firstControl + controls * kControlRecordSize,
                 size = text + textLength + 1;
  std::vector<unsigned char> table(size, 'x');
  table[size - 1] = '\0';
  auto put = [&](uint32_t offset, std::initializer_list<uint32_t> words) {
    for (uint32_t value : words) std::memcpy(&table[offset], &value, kWord), offset += kWord;
  };
  put(0, {kMagic, kFormatVersion, size, 0, entries, dialogs, entries, 0});
  for (uint32_t i = 0; i < dialogs; ++i) put(entries + i * kDialogEntrySize, {i + 1, record});
  put(record, {0, 0, 100, 100, 0, text, textLength, controls});
  for (uint32_t i = 0; i < controls; ++i)
    put(firstControl + i * kControlRecordSize, {i, text, textLength, text, textLength, 0, 0, 0, 10, 10, 0});
  EXPECT_EQ(platform::DecodeResourceTable(table.data(), table.size()), nullptr);
}
