// corvexreg, run as a person would, against a hive in a temporary home.
#include <map>
#include <string>
#include <vector>

#include "registry_test_support.h"

using testing_support::ChildResult;

namespace {

const char kInternetSettings[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

class HiveToolTest : public RegistryTest {
 protected:
  ChildResult Run(const std::vector<std::string>& args) {
    const std::map<std::string, std::string> env = {{"HOME", Home()},
                                                    {"CORVEX_PLATFORM_OS_RELEASE", m_tmp / "os-release"}};
    return testing_support::RunProgram(std::string(CORVEX_PROGRAM_DIR) + "/corvexreg", args, env, 30);
  }
};

}  // namespace

TEST_F(HiveToolTest, AddQueryDeleteRoundTrip) {
  struct Addition {
    std::vector<std::string> args;
    std::string line;  // as query shows it
  };
  const Addition additions[] = {
      {{"/v", "ProxyEnable", "/t", "REG_DWORD", "/d", "1"}, "    ProxyEnable    REG_DWORD    0x1"},
      {{"/v", "ProxyServer", "/d", "proxy.example:3128"}, "    ProxyServer    REG_SZ    proxy.example:3128"},
      {{"/v", "AutoConfigURL", "/t", "REG_EXPAND_SZ", "/d", "http://127.0.0.1/p.pac"},
       "    AutoConfigURL    REG_EXPAND_SZ    http://127.0.0.1/p.pac"},
      {{"/v", "Blob", "/t", "REG_BINARY", "/d", "00ff10Ab"}, "    Blob    REG_BINARY    00FF10AB"},
      {{"/v", "Big", "/t", "REG_QWORD", "/d", "0x100000000"}, "    Big    REG_QWORD    0x100000000"},
      {{"/v", "List", "/t", "REG_MULTI_SZ", "/d", "a\\0b"}, "    List    REG_MULTI_SZ    a\\0b"},
      {{"/ve", "/d", "default"}, "    (Default)    REG_SZ    default"},
  };
  for (const Addition& addition : additions) {
    std::vector<std::string> args = {"add", kInternetSettings};
    args.insert(args.end(), addition.args.begin(), addition.args.end());
    args.push_back("/f");
    ChildResult added = Run(args);
    EXPECT_EQ(added.exitCode, 0) << added.output;
  }
  ChildResult all = Run({"query", kInternetSettings});
  ASSERT_EQ(all.exitCode, 0) << all.output;
  EXPECT_NE(all.output.find("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\n"),
            std::string::npos)
      << all.output;
  for (const Addition& addition : additions) EXPECT_NE(all.output.find(addition.line + "\n"), std::string::npos) << addition.line;

  // What the tool wrote, the registry calls read.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", &key),
            ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "ProxyServer"), "proxy.example:3128");
  DWORD enabled = 0, size = sizeof(enabled);
  ASSERT_EQ(RegQueryValueExA(key, "ProxyEnable", nullptr, nullptr, reinterpret_cast<BYTE*>(&enabled), &size), 0);
  EXPECT_EQ(enabled, 1u);
  RegCloseKey(key);

  ChildResult one = Run({"query", "HKEY_CURRENT_USER\\Software\\Microsoft", "/v", "proxyserver", "/s"});
  EXPECT_EQ(one.exitCode, 0) << one.output;
  EXPECT_NE(one.output.find("    ProxyServer    REG_SZ    proxy.example:3128\n"), std::string::npos) << one.output;
  EXPECT_NE(one.output.find("End of search: 1 match(es) found."), std::string::npos) << one.output;

  EXPECT_EQ(Run({"delete", kInternetSettings, "/v", "ProxyServer", "/f"}).exitCode, 0);
  ChildResult gone = Run({"query", kInternetSettings, "/v", "ProxyServer"});
  EXPECT_EQ(gone.exitCode, 1);
  EXPECT_NE(gone.output.find("ERROR: "), std::string::npos) << gone.output;

  EXPECT_EQ(Run({"delete", "HKCU\\Software\\Microsoft", "/f"}).exitCode, 0);
  EXPECT_EQ(Run({"query", kInternetSettings}).exitCode, 1);
  EXPECT_EQ(Run({"query", "HKCU\\Software"}).exitCode, 0);
}

TEST_F(HiveToolTest, MachineKeysReadOnlyAndBadCommandsFail) {
  ASSERT_TRUE(testing_support::WriteWholeFile(m_tmp / "os-release", "PRETTY_NAME=\"Test OS 1\"\n"));
  ChildResult product =
      Run({"query", "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "/v", "ProductName"});
  EXPECT_EQ(product.exitCode, 0) << product.output;
  EXPECT_NE(product.output.find("    ProductName    REG_SZ    Test OS 1\n"), std::string::npos) << product.output;

  const std::vector<std::vector<std::string>> failing = {
      {"add", "HKLM\\SOFTWARE\\Halvorn", "/f"},
      {"add", "HKCU\\Software\\X", "/v", "n", "/t", "REG_DWORD", "/d", "twelve", "/f"},
      {"add", "HKCU\\Software\\X", "/v", "n", "/t", "REG_BINARY", "/d", "abc", "/f"},
      {"add", "HKCU\\Software\\X", "/t", "REG_WHATEVER"},
      {"query", "HKXX\\Software"},
      {"query", "HKCU\\Software", "/v"},
      {"delete", "HKCU\\Software\\Missing", "/f"},
      {"delete", "HKCU", "/f"},
      {"rename", "HKCU\\Software"},
  };
  for (const std::vector<std::string>& args : failing) {
    ChildResult result = Run(args);
    EXPECT_EQ(result.exitCode, 1) << args[0] << " " << args[1] << ": " << result.output;
    EXPECT_EQ(result.output.rfind("ERROR: ", 0), 0u) << result.output;
  }
}
