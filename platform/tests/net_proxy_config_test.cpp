#include <gtest/gtest.h>

#include <string>

#include "afxstr.h"
#include "platform_paths.h"
#include "test_support.h"
#include "winhttp.h"
#include "winreg.h"

using testing_support::TempFolder;

namespace {

constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

struct Value {
  const char* name;
  DWORD type;
  std::string text;  // REG_SZ
  DWORD number;      // REG_DWORD
};

void store(const Value& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const BYTE* data = value.type == REG_DWORD ? reinterpret_cast<const BYTE*>(&value.number)
                                             : reinterpret_cast<const BYTE*>(value.text.c_str());
  const DWORD size = value.type == REG_DWORD ? sizeof(DWORD) : static_cast<DWORD>(value.text.size() + 1);
  ASSERT_EQ(RegSetValueExA(key, value.name, 0, value.type, data, size), ERROR_SUCCESS);
  RegCloseKey(key);
}

// The text of a returned field, "(null)" for none; the field is freed.
std::string take(LPWSTR& field) {
  const std::string text = field ? std::string(CString(field).GetString()) : "(null)";
  EXPECT_EQ(GlobalFree(field), nullptr);
  field = nullptr;
  return text;
}

}  // namespace

TEST(ProxyConfiguration, ReadFromTheUsersInternetSettings) {
  struct Case {
    const char* what;
    std::vector<Value> values;
    BOOL autoDetect;
    const char* autoConfigUrl;
    const char* proxy;
    const char* bypass;
  };
  const Case cases[] = {
      {"no key", {}, FALSE, "(null)", "(null)", "(null)"},
      {"enabled proxy with bypass list",
       {{"ProxyEnable", REG_DWORD, "", 1},
        {"ProxyServer", REG_SZ, "http=a:1;https=b:2", 0},
        {"ProxyOverride", REG_SZ, "*.local;<local>", 0}},
       FALSE, "(null)", "http=a:1;https=b:2", "*.local;<local>"},
      {"proxy switched off", {{"ProxyEnable", REG_DWORD, "", 0}, {"ProxyServer", REG_SZ, "a:1", 0}},
       FALSE, "(null)", "(null)", "(null)"},
      {"proxy without its switch", {{"ProxyServer", REG_SZ, "a:1", 0}}, FALSE, "(null)", "(null)", "(null)"},
      {"switch of the wrong type", {{"ProxyEnable", REG_SZ, "1", 0}, {"ProxyServer", REG_SZ, "a:1", 0}},
       FALSE, "(null)", "(null)", "(null)"},
      {"script and detection", {{"AutoConfigURL", REG_SZ, "http://wpad.test/proxy.pac", 0}, {"AutoDetect", REG_DWORD, "", 1}},
       TRUE, "http://wpad.test/proxy.pac", "(null)", "(null)"},
      {"non-ASCII and empty texts",
       {{"ProxyEnable", REG_DWORD, "", 7}, {"ProxyServer", REG_SZ, "prôxy-😀:8080", 0}, {"AutoConfigURL", REG_SZ, "", 0}},
       FALSE, "(null)", "prôxy-😀:8080", "(null)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder root;
    testing_support::RedirectUserAndMachineFolders(root.path());
    for (const Value& value : c.values) store(value);
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {TRUE, nullptr, nullptr, nullptr};
    ASSERT_TRUE(WinHttpGetIEProxyConfigForCurrentUser(&config));
    EXPECT_EQ(config.fAutoDetect, c.autoDetect);
    EXPECT_EQ(take(config.lpszAutoConfigUrl), c.autoConfigUrl);
    EXPECT_EQ(take(config.lpszProxy), c.proxy);
    EXPECT_EQ(take(config.lpszProxyBypass), c.bypass);
  }
}

TEST(ProxyConfiguration, AnUnreadableHiveIsAFailure) {
  TempFolder root;
  testing_support::RedirectUserAndMachineFolders(root.path());
  ASSERT_TRUE(platform::MakeFolders(root / "home/.halvorn/registry.db"));  // a folder where the hive belongs
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
  SetLastError(0);
  EXPECT_FALSE(WinHttpGetIEProxyConfigForCurrentUser(&config));
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_EQ(config.lpszProxy, nullptr);
}
