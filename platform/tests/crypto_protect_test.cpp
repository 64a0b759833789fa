// The data-protection stand-in: round trips, foreign blobs, the master key file. Damaged
// blobs are tested through the protected registry values of the security library.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dpapi.h"
#include "platform_paths.h"
#include "test_support.h"

using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

using Bytes = std::vector<BYTE>;

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

DATA_BLOB BlobOf(Bytes& bytes) { return DATA_BLOB{static_cast<DWORD>(bytes.size()), bytes.data()}; }

Bytes TakeBlob(DATA_BLOB& blob) {
  Bytes bytes(blob.pbData, blob.pbData + blob.cbData);
  LocalFree(blob.pbData);
  return bytes;
}

// The protected blob, or an empty vector with the last error in `error`.
Bytes Protect(Bytes plain, Bytes* entropy = nullptr, DWORD* error = nullptr) {
  DATA_BLOB in = BlobOf(plain), out = {0, nullptr}, salt = entropy ? BlobOf(*entropy) : DATA_BLOB{0, nullptr};
  if (!CryptProtectData(&in, nullptr, entropy ? &salt : nullptr, nullptr, nullptr, 0, &out)) {
    if (error) *error = GetLastError();
    return Bytes();
  }
  return TakeBlob(out);
}

// TRUE and the plain bytes, or FALSE with the last error in `error`.
BOOL Unprotect(Bytes blob, Bytes& plain, DWORD& error, Bytes* entropy = nullptr) {
  DATA_BLOB in = BlobOf(blob), out = {0, nullptr}, salt = entropy ? BlobOf(*entropy) : DATA_BLOB{0, nullptr};
  SetLastError(0);
  BOOL ok = CryptUnprotectData(&in, nullptr, entropy ? &salt : nullptr, nullptr, nullptr, 0, &out);
  error = GetLastError();
  plain = ok ? TakeBlob(out) : Bytes();
  return ok;
}

const size_t kHeaderSize = 4 + 1 + 8 + 12;

class ProtectTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::RedirectUserAndMachineFolders(m_tmp.path()); }

  std::string KeyFolder() const { return m_tmp / "home/.halvorn/keys"; }
  std::string KeyFile() const { return KeyFolder() + "/master.key"; }

  TempFolder m_tmp;
};

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

unsigned ModeOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0xffffffff;
}

}  // namespace

TEST_F(ProtectTest, RoundTripsAnyBytesAndHidesThem) {
  Bytes big(2048);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i * 7);
  const Bytes plains[] = {Bytes(), ToBytes("abc"), Bytes(1, 0), big, ToBytes("gr\xc3\xbc\xc3\x9f dich \xe2\x82\xac")};
  for (const Bytes& plain : plains) {
    Bytes blob = Protect(plain), back;
    DWORD error = 0;
    ASSERT_EQ(blob.size(), plain.size() + kHeaderSize + 16);
    ASSERT_TRUE(Unprotect(blob, back, error)) << error;
    EXPECT_EQ(back, plain);
    if (plain.size() >= 3) {
      EXPECT_EQ(std::search(blob.begin(), blob.end(), plain.begin(), plain.end()), blob.end());
    }
  }
  // Same text twice: different nonces, different blobs.
  EXPECT_NE(Protect(ToBytes("abc")), Protect(ToBytes("abc")));
}

TEST_F(ProtectTest, EntropyMustMatch) {
  Bytes entropy = ToBytes("salt"), wrong = ToBytes("salz"), back;
  Bytes blob = Protect(ToBytes("secret"), &entropy);
  DWORD error = 0;
  ASSERT_TRUE(Unprotect(blob, back, error, &entropy));
  EXPECT_EQ(back, ToBytes("secret"));
  EXPECT_FALSE(Unprotect(blob, back, error, &wrong));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_FALSE(Unprotect(blob, back, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));
}

TEST_F(ProtectTest, ArgumentsAndUnsupportedRequests) {
  Bytes plain = ToBytes("x");
  DATA_BLOB in = BlobOf(plain), out = {0, nullptr}, broken = {4, nullptr};
  struct Case {
    const char* what;
    std::function<BOOL()> call;
    DWORD expected;
  } cases[] = {
      {"no input", [&] { return CryptProtectData(nullptr, nullptr, nullptr, nullptr, nullptr, 0, &out); },
       ERROR_INVALID_PARAMETER},
      {"no output", [&] { return CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, 0, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"null data", [&] { return CryptProtectData(&broken, nullptr, nullptr, nullptr, nullptr, 0, &out); },
       ERROR_INVALID_PARAMETER},
      {"description", [&] { return CryptProtectData(&in, u"label", nullptr, nullptr, nullptr, 0, &out); },
       ERROR_NOT_SUPPORTED},
      {"machine scope",
       [&] { return CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_LOCAL_MACHINE, &out); },
       ERROR_NOT_SUPPORTED},
      {"unprotect without output",
       [&] { return CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, 0, nullptr); },
       ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(GetLastError(), c.expected) << c.what;
  }

  // A description asked back is empty: none is kept.
  Bytes blob = Protect(plain);
  DATA_BLOB protectedBlob = BlobOf(blob);
  LPWSTR description = nullptr;
  ASSERT_TRUE(
      CryptUnprotectData(&protectedBlob, &description, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out));
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description[0], u'\0');
  LocalFree(description);
  EXPECT_EQ(TakeBlob(out), plain);
}

TEST_F(ProtectTest, KeyFileIsPrivateAndOnlyItsOwnHomeOpensItsBlobs) {
  Bytes blob = Protect(ToBytes("abc"));
  ASSERT_FALSE(blob.empty());
  EXPECT_EQ(ModeOf(KeyFolder()), 0700u);
  EXPECT_EQ(ModeOf(KeyFile()), 0600u);
  EXPECT_EQ(FolderEntries(KeyFolder()), std::vector<std::string>{"master.key"});

  // A second home: no key there, and reading makes none.
  TempFolder other;
  platform::SetUserHome(other.path());
  Bytes back;
  DWORD error = 0;
  EXPECT_FALSE(Unprotect(blob, back, error));
  EXPECT_EQ(error, static_cast<DWORD>(NTE_BAD_KEYSET));
  EXPECT_FALSE(std::filesystem::exists(other / ".halvorn/keys/master.key"));
  // Once it has a key of its own, the first home's blob is foreign to it.
  Bytes own = Protect(ToBytes("own"));
  ASSERT_FALSE(own.empty());
  EXPECT_FALSE(Unprotect(blob, back, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));

  platform::SetUserHome(m_tmp / "home");
  EXPECT_TRUE(Unprotect(blob, back, error));
  EXPECT_FALSE(Unprotect(own, back, error));
}

TEST_F(ProtectTest, DamagedKeyFileFailsAndIsNeverReplaced) {
  Bytes blob = Protect(ToBytes("abc"));
  ASSERT_FALSE(blob.empty());
  const std::string good = ReadWholeFile(KeyFile());
  ASSERT_EQ(good.size(), 4u + 1 + 8 + 32 + 32);

  struct Damage {
    const char* what;
    std::string content;
    unsigned mode;
  } damages[] = {
      {"flipped key bit", std::string(good).replace(20, 1, 1, static_cast<char>(good[20] ^ 0x10)), 0600},
      {"cut", good.substr(0, good.size() - 1), 0600},
      {"longer", good + "x", 0600},
      {"empty", "", 0600},
      {"readable by others", good, 0644},
  };
  for (const Damage& damage : damages) {
    std::filesystem::remove(KeyFile());
    ASSERT_TRUE(WriteWholeFile(KeyFile(), damage.content));
    ASSERT_EQ(chmod(KeyFile().c_str(), damage.mode), 0);
    Bytes back;
    DWORD error = 0;
    EXPECT_FALSE(Unprotect(blob, back, error)) << damage.what;
    EXPECT_EQ(error, static_cast<DWORD>(NTE_BAD_KEYSET)) << damage.what;
    error = 0;
    EXPECT_TRUE(Protect(ToBytes("new"), nullptr, &error).empty()) << damage.what;
    EXPECT_EQ(error, static_cast<DWORD>(NTE_BAD_KEYSET)) << damage.what;
    EXPECT_EQ(ReadWholeFile(KeyFile()), damage.content) << damage.what;
  }

  // A link in the key's place is not followed.
  std::filesystem::remove(KeyFile());
  ASSERT_TRUE(WriteWholeFile(m_tmp / "elsewhere.key", good));
  chmod((m_tmp / "elsewhere.key").c_str(), 0600);
  std::filesystem::create_symlink(m_tmp / "elsewhere.key", KeyFile());
  Bytes back;
  DWORD error = 0;
  EXPECT_FALSE(Unprotect(blob, back, error));
  EXPECT_EQ(error, static_cast<DWORD>(NTE_BAD_KEYSET));

  // The good file back in place opens the blob again.
  std::filesystem::remove(KeyFile());
  ASSERT_TRUE(WriteWholeFile(KeyFile(), good));
  chmod(KeyFile().c_str(), 0600);
  EXPECT_TRUE(Unprotect(blob, back, error));
  EXPECT_EQ(back, ToBytes("abc"));
}

TEST_F(ProtectTest, RacingFirstUsesAgreeOnOneKey) {
  // Four processes wait on one pipe, then protect at the same moment.
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < 4; ++i) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(gate[1]);
      char byte;
      (void)!read(gate[0], &byte, 1);
      Bytes blob = Protect(ToBytes("token of child " + std::to_string(i)));
      bool written =
          !blob.empty() && WriteWholeFile(m_tmp / ("blob" + std::to_string(i)), std::string(blob.begin(), blob.end()));
      _exit(written ? 0 : 1);
    }
    children.push_back(pid);
  }
  close(gate[0]);
  close(gate[1]);
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(FolderEntries(KeyFolder()), std::vector<std::string>{"master.key"});
  EXPECT_EQ(ModeOf(KeyFile()), 0600u);

  // A process that has not seen the key yet opens every blob.
  const std::string folder = m_tmp.path();
  EXPECT_EQ(testing_support::RunInChild([folder] {
              for (int i = 0; i < 4; ++i) {
                Bytes back;
                DWORD error = 0;
                if (!Unprotect(ToBytes(ReadWholeFile(folder + "/blob" + std::to_string(i))), back, error))
                  return 10 + i;
                if (back != ToBytes("token of child " + std::to_string(i))) return 20 + i;
              }
              return 0;
            }),
            0);
}
