// Protected registry values: round trips, missing and damaged values, no clear text at rest.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Security.h"
#include "injected_faults.h"
#include "platform_paths.h"
#include "test_support.h"

using testing_support::TempFolder;

namespace {

const char kStore[] = "Software\\Halvorn\\Ondra";

class ProtectedValueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RedirectUserAndMachineFolders(m_tmp.path());
    injected_faults::Inject(injected_faults::Fault::kNone);
  }

  std::string Home() const { return m_tmp / "home"; }

  static std::string RawValue(const char* subKey, const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, subKey, &key) != ERROR_SUCCESS) return "<no key>";
    DWORD size = 0;
    std::string data;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
      data.resize(size);
      RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(&data[0]), &size);
    } else {
      data = "<no value>";
    }
    RegCloseKey(key);
    return data;
  }

  static void PutRaw(const char* name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kStore, &key), ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())),
        ERROR_SUCCESS);
    RegCloseKey(key);
  }

  TempFolder m_tmp;
};

struct ReadBack {
  int result;
  long status;
  CString text;
};

ReadBack Read(const char* subKey, const char* name) {
  ReadBack back{-1, -1, "not cleared"};
  back.result = CCDecryptDataFromRegistry(HKEY_CURRENT_USER, subKey, name, back.text, back.status);
  return back;
}

int Write(const char* subKey, const char* name, const CString& text, long& status) {
  status = -1;
  return CCEncryptDataToRegistry(HKEY_CURRENT_USER, subKey, name, text, status);
}

}  // namespace

TEST_F(ProtectedValueTest, TextsRoundTripUpToTheirFirstZero) {
  const struct {
    CString written;
    CString read;
  } cases[] = {
      {"", ""},
      {"abc", "abc"},
      {CString('t', 2048), CString('t', 2048)},
      {"Jürgen – 東京 €", "Jürgen – 東京 €"},
      {CString("ab\0cd", 5), "ab"},
  };
  for (const auto& c : cases) {
    long status = -1;
    const CString callersCopy = c.written;
    ASSERT_EQ(Write(kStore, "value", c.written, status), 1);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(c.written, callersCopy);  // only the library's copy is wiped

    DWORD type = 0;
    const std::string raw = RawValue(kStore, "value", &type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    // The stored value is the blob alone: header, the text and its zero, tag.
    EXPECT_EQ(raw.size(), 25 + std::strlen(c.written.GetString()) + 1 + 16);

    ReadBack back = Read(kStore, "value");
    EXPECT_EQ(back.result, 1);
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(back.text, c.read);
    EXPECT_EQ(back.text.GetLength(), c.read.GetLength());
  }
}

TEST_F(ProtectedValueTest, WritingCreatesEveryMissingLevel) {
  long status = -1;
  ASSERT_EQ(Write("Software\\A\\B\\C\\D", "v", "deep", status), 1);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Read("Software\\A\\B\\C\\D", "v").text, "deep");
}

TEST_F(ProtectedValueTest, MissingKeysValuesAndBadContentFailPerTheirStatus) {
  long status = -1;
  ASSERT_EQ(Write(kStore, "token", "a token", status), 1);
  const std::string blob = RawValue(kStore, "token");

  struct Case {
    const char* what;
    std::function<void()> prepare;
    const char* subKey;
    long status;
  };
  auto damaged = [&](size_t at) {
    return [&, at] {
      std::string bad = blob;
      bad[at] ^= 0x20;
      PutRaw("probe", REG_BINARY, bad);
    };
  };
  const Case cases[] = {
      {"missing key", [] {}, "Software\\Nowhere", ERROR_FILE_NOT_FOUND},
      {"missing value", [] {}, kStore, ERROR_FILE_NOT_FOUND},
      {"damaged magic", damaged(0), kStore, 0},
      {"damaged version", damaged(4), kStore, 0},
      {"damaged key id", damaged(6), kStore, 0},
      {"damaged nonce", damaged(14), kStore, 0},
      {"damaged ciphertext", damaged(26), kStore, 0},
      {"damaged tag", damaged(blob.size() - 2), kStore, 0},
      {"cut", [&] { PutRaw("probe", REG_BINARY, blob.substr(0, blob.size() - 3)); }, kStore, 0},
      {"empty", [&] { PutRaw("probe", REG_BINARY, ""); }, kStore, 0},
      {"text value", [&] { PutRaw("probe", REG_SZ, std::string("a token\0", 8)); }, kStore, 0},
  };
  for (const Case& c : cases) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, kStore, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, "probe");
      RegCloseKey(key);
    }
    c.prepare();
    ReadBack back = Read(c.subKey, "probe");
    EXPECT_EQ(back.result, 0) << c.what;
    EXPECT_EQ(back.status, c.status) << c.what;
    EXPECT_EQ(back.text, "") << c.what;
  }
}

TEST_F(ProtectedValueTest, AnotherHomeCannotReadTheBlob) {
  long status = -1;
  ASSERT_EQ(Write(kStore, "token", "mine", status), 1);
  const std::string blob = RawValue(kStore, "token");
  TempFolder other;
  platform::SetUserHome(other.path());
  ASSERT_EQ(Write(kStore, "own", "theirs", status), 1);  // that home has a key of its own
  PutRaw("token", REG_BINARY, blob);
  ReadBack back = Read(kStore, "token");
  EXPECT_EQ(back.result, 0);
  EXPECT_EQ(back.status, 0);
  EXPECT_EQ(back.text, "");
  EXPECT_EQ(Read(kStore, "own").text, "theirs");
}

TEST_F(ProtectedValueTest, FailedSecondOpenWritesNothingAndFreesTheBlob) {
  injected_faults::Inject(injected_faults::Fault::kSecondKeyOpen);
  long status = -1;
  EXPECT_EQ(Write("Software\\Fresh", "token", "secret", status), 0);
  EXPECT_EQ(status, ERROR_ACCESS_DENIED);
  EXPECT_EQ(injected_faults::Outstanding(), 0);
  injected_faults::Inject(injected_faults::Fault::kNone);
  EXPECT_EQ(RawValue("Software\\Fresh", "token"), "<no value>");
  EXPECT_EQ(RawValue("", "token"), "<no value>");
  EXPECT_EQ(RawValue("Software", "token"), "<no value>");
}

TEST_F(ProtectedValueTest, NoTokenTextReachesTheHiveOrTheHiveTool) {
  std::vector<std::string> tokens;
  for (int i = 0; i < 6; ++i) tokens.push_back("DistinctiveTokenText" + std::to_string(i) + std::string(300, 'Q' + i));
  long status = -1;
  for (size_t i = 0; i < tokens.size(); ++i) {
    ASSERT_EQ(Write(kStore, ("token" + std::to_string(i)).c_str(), tokens[i].c_str(), status), 1);
  }
  ASSERT_EQ(Write(kStore, "token0", "overwritten", status), 1);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, kStore, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueA(key, "token1"), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(Read(kStore, "token2").text, tokens[2].c_str());

  auto hex = [](const std::string& text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text.substr(0, 24)) out += {digits[c >> 4], digits[c & 15]};
    return out;
  };
  const testing_support::ChildResult query =
      testing_support::RunProgram(std::string(CORVEX_PROGRAM_DIR) + "/corvexreg",
                                  {"query", std::string("HKCU\\") + kStore}, {{"HOME", Home()}}, 30);
  ASSERT_EQ(query.exitCode, 0) << query.output;
  EXPECT_NE(query.output.find("token5    REG_BINARY"), std::string::npos) << query.output;
  std::vector<std::string> sources = {query.output};
  for (const char* suffix : {"", "-wal", "-shm"}) {
    sources.push_back(testing_support::ReadWholeFile(Home() + "/.halvorn/registry.db" + suffix));
  }
  EXPECT_FALSE(sources[1].empty());
  for (const std::string& token : tokens) {
    for (const std::string& source : sources) {
      EXPECT_EQ(source.find(token.substr(0, 24)), std::string::npos);
      EXPECT_EQ(source.find(hex(token)), std::string::npos);
      EXPECT_EQ(source.find(std::string(40, token.back())), std::string::npos);
    }
  }
}
