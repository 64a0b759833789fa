#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "test_support.h"
#include "winerror.h"
#include "winprofile.h"

using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

class ProfileRead : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::RedirectUserAndMachineFolders(m_tmp.path()); }

  // Writes the file as a new inode, so that each test starts from fresh content.
  void Given(const std::string& content) {
    const std::string next = m_file + ".next";
    ASSERT_TRUE(WriteWholeFile(next, content));
    ASSERT_EQ(rename(next.c_str(), m_file.c_str()), 0);
  }

  std::string Read(const char* section, const char* key, const char* defaultValue = "", DWORD size = 256) {
    std::string buffer(size + 1, '#');
    m_count = GetPrivateProfileStringA(section, key, defaultValue, &buffer[0], size, m_file.c_str());
    return buffer.substr(0, m_count);
  }

  // The list's bytes up to its two closing zeros.
  std::string ReadList(const char* section, const char* key, DWORD size) {
    std::string buffer(size + 1, '#');
    m_count = GetPrivateProfileStringA(section, key, "", &buffer[0], size, m_file.c_str());
    const size_t end = buffer.find(std::string(2, '\0'));
    return end == std::string::npos ? buffer.substr(0, size) : buffer.substr(0, end + 2);
  }

  TempFolder m_tmp;
  std::string m_file = m_tmp / "Settings.inf";
  DWORD m_count = 0;
};

const std::string kSample =
    "; suite settings\n"
    "orphan=before any section\n"
    "[Config]\n"
    "CurlTimeout = 30 \n"
    "Quoted=\"  padded  \"\n"
    "Single='single'\n"
    "Mismatch=\"half'\n"
    "Empty=\n"
    "Duplicate=first\n"
    "Duplicate=second\n"
    "no equals sign here\n"
    "[Broken\n"
    "AfterBroken=still Config\n"
    "   [ Directories ]   ; trailing text\n"
    "TRACKINGLOG=/var/log/corvex\n"
    "=no name\n";

}  // namespace

TEST_F(ProfileRead, ValuesAreTrimmedUnquotedAndFoundIgnoringCase) {
  Given(kSample);
  const struct {
    const char* section;
    const char* key;
    std::string expected;
  } cases[] = {
      {"Config", "CurlTimeout", "30"},
      {"CONFIG", "curltimeout", "30"},
      {"Config", "Quoted", "  padded  "},
      {"Config", "Single", "single"},
      {"Config", "Mismatch", "\"half'"},
      {"Config", "Empty", ""},
      {"Config", "Duplicate", "first"},
      {"Config", "AfterBroken", "still Config"},
      {"directories", "TrackingLog", "/var/log/corvex"},
      {"Config", "no equals sign here", "dflt"},
      {"Config", "orphan", "dflt"},
      {"Missing", "CurlTimeout", "dflt"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
}

TEST_F(ProfileRead, DefaultLosesTrailingBlanksAndAMissingFileGivesIt) {
  Given("[S]\n");
  EXPECT_EQ(Read("S", "k", "value  \t "), "value");
  EXPECT_EQ(m_count, 5u);
  EXPECT_EQ(Read("S", "k", "  lead"), "  lead");
  EXPECT_EQ(Read("S", "k", nullptr), "");
  EXPECT_EQ(m_count, 0u);

  m_file = m_tmp / "absent.inf";
  SetLastError(0);
  EXPECT_EQ(Read("S", "k", "fallback"), "fallback");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetPrivateProfileIntA("S", "k", 7, m_file.c_str()), 7u);
}

TEST_F(ProfileRead, ValueCountsAndTruncation) {
  Given("[S]\nk=abcdef\n");
  const struct {
    DWORD size;
    DWORD count;
    std::string text;
  } cases[] = {{1, 0, ""}, {2, 1, "a"}, {6, 5, "abcde"}, {7, 6, "abcdef"}, {100, 6, "abcdef"}};
  for (const auto& c : cases) {
    std::string buffer(c.size + 1, '#');
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", &buffer[0], c.size, m_file.c_str()), c.count) << c.size;
    EXPECT_EQ(std::string(buffer.c_str()), c.text) << c.size;
    EXPECT_EQ(buffer[c.size], '#') << "wrote past the buffer of " << c.size;
  }
  char untouched = '#';
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", &untouched, 0, m_file.c_str()), 0u);
  EXPECT_EQ(untouched, '#');
}

TEST_F(ProfileRead, NameListsOfSectionsAndKeysWithTruncation) {
  Given("[One]\na=1\nB=2\n[Two]\n[one]\nc=3\n");
  using namespace std::string_literals;
  const struct {
    const char* section;
    DWORD size;
    DWORD count;
    std::string bytes;
  } cases[] = {
      {nullptr, 100, 8, "One\0Two\0\0"s},
      {nullptr, 9, 8, "One\0Two\0\0"s},  // exact: still whole
      {nullptr, 8, 6, "One\0Tw\0\0"s},
      {nullptr, 5, 3, "One\0\0"s},
      {nullptr, 2, 0, "\0\0"s},
      {nullptr, 1, 0, "\0"s},
      {"ONE", 100, 6, "a\0B\0c\0\0"s},
      {"one", 5, 3, "a\0B\0\0"s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadList(c.section, nullptr, c.size), c.bytes) << (c.section ? c.section : "(sections)") << c.size;
    EXPECT_EQ(m_count, c.count) << (c.section ? c.section : "(sections)") << c.size;
  }
  EXPECT_EQ(Read("Two", nullptr, "none"), "none");  // a section without keys gives the default
  EXPECT_EQ(Read("Absent", nullptr, "none"), "none");

  char buffer[64];
  EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, sizeof(buffer), m_file.c_str()), 8u);
  EXPECT_EQ(GetPrivateProfileSectionA("one", buffer, sizeof(buffer), m_file.c_str()), 12u);
  EXPECT_EQ(std::string(buffer, 13), "a=1\0B=2\0c=3\0\0"s);
}

TEST_F(ProfileRead, IntegersReadLeadingDigitsAsWindowsDoes) {
  const struct {
    const char* value;
    UINT expected;
  } cases[] = {
      {"12", 12},       {"12ab", 12},    {"ab", 0},   {"-7", static_cast<UINT>(-7)}, {"+5", 5},
      {"0x1F", 31},     {"0XfF", 255},   {"0x", 0},   {"\"42\"", 42},                {" 8 ", 8},
      {"", 99},         {"007", 7},      {"3.9", 3},  {"4294967295", 4294967295u},  {"- 3", 0},
  };
  for (const auto& c : cases) {
    Given(std::string("[S]\nk=") + c.value + "\n");
    EXPECT_EQ(GetPrivateProfileIntA("s", "K", 99, m_file.c_str()), c.expected) << "'" << c.value << "'";
  }
  EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("S", "missing", -1, m_file.c_str())), -1);
}

TEST_F(ProfileRead, CrlfNulBytesAndVeryLongLinesAreReadSafely) {
  using namespace std::string_literals;
  const std::string longValue(1 << 20, 'v');
  Given("\xEF\xBB\xBF[S]\r\nk=crlf\r\nnul=ab\0cd\r\n\0\0garbage\r\nlong="s + longValue + "\r\n[T]\r\nafter=yes"s);
  EXPECT_EQ(Read("S", "k"), "crlf");
  EXPECT_EQ(Read("S", "nul"), "ab");
  EXPECT_EQ(Read("T", "after"), "yes");
  EXPECT_EQ(Read("S", "long", "", 10), std::string(9, 'v'));
  EXPECT_EQ(m_count, 9u);
  std::string whole(longValue.size() + 1, '\0');
  EXPECT_EQ(GetPrivateProfileStringA("S", "long", "", &whole[0], static_cast<DWORD>(whole.size()), m_file.c_str()),
            longValue.size());
}

TEST_F(ProfileRead, FileNamesResolveIgnoringCaseAndBareNamesLiveInTheWindowsFolder) {
  ASSERT_TRUE(WriteWholeFile(m_tmp / "CorvexV0.inf", "[Config]\nCefShutdown=0\n"));
  ASSERT_TRUE(WriteWholeFile(m_tmp / "windows/LANG.INF", "[Countries]\nFR=France\n"));
  EXPECT_EQ(GetPrivateProfileIntA("CONFIG", "CefShutdown", 1, (m_tmp / "CorvexV0.Inf").c_str()), 0u);
  char buffer[32];
  EXPECT_EQ(GetPrivateProfileStringA("Countries", "FR", "", buffer, sizeof(buffer), "lang.inf"), 6u);
  EXPECT_STREQ(buffer, "France");
}

TEST_F(ProfileRead, OutsideChangesAreSeenEvenWithinOneTimestampTick) {
  // Rewrites the file in place with content of the same size and puts the
  // modification time back: as a change within one tick of the clock looks.
  auto changeWithinTheSameTick = [&](const std::string& content) {
    struct stat before;
    ASSERT_EQ(stat(m_file.c_str(), &before), 0);
    ASSERT_TRUE(WriteWholeFile(m_file, content));
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, m_file.c_str(), times, 0), 0);
  };
  Given("[S]\nk=aaaa\n");
  EXPECT_EQ(Read("S", "k"), "aaaa");
  changeWithinTheSameTick("[S]\nk=bbbb\n");
  EXPECT_EQ(Read("S", "k"), "bbbb");

  ASSERT_TRUE(WritePrivateProfileStringA("S", "k", "cccc", m_file.c_str()));
  EXPECT_EQ(Read("S", "k"), "cccc");
  changeWithinTheSameTick("[S]\nk=dddd\n");
  EXPECT_EQ(Read("S", "k"), "dddd");
}

TEST_F(ProfileRead, AnOldUnchangedFileIsServedFromTheCacheUntilFlushed) {
  Given("[S]\nk=aaaa\n");
  const struct timespec old[2] = {{1000000000, 5}, {1000000000, 5}};
  ASSERT_EQ(utimensat(AT_FDCWD, m_file.c_str(), old, 0), 0);
  EXPECT_EQ(Read("S", "k"), "aaaa");
  // An edit that keeps inode, size and time cannot be seen: proof that the cache answered.
  ASSERT_TRUE(WriteWholeFile(m_file, "[S]\nk=bbbb\n"));
  ASSERT_EQ(utimensat(AT_FDCWD, m_file.c_str(), old, 0), 0);
  EXPECT_EQ(Read("S", "k"), "aaaa");
  // Touching the file, or flushing the cache as on Windows, brings the new content.
  const struct timespec touched[2] = {{1000000000, 6}, {1000000000, 6}};
  ASSERT_EQ(utimensat(AT_FDCWD, m_file.c_str(), touched, 0), 0);
  EXPECT_EQ(Read("S", "k"), "bbbb");
  ASSERT_TRUE(WriteWholeFile(m_file, "[S]\nk=cccc\n"));
  ASSERT_EQ(utimensat(AT_FDCWD, m_file.c_str(), touched, 0), 0);
  EXPECT_EQ(Read("S", "k"), "bbbb");
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_file.c_str()));
  EXPECT_EQ(Read("S", "k"), "cccc");
}
