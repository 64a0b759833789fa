#include <optional>
#include <string>

#include "global_wide_text.h"
#include "winhttp.h"
#include "winreg.h"

namespace {

using platform::net::GlobalWideCopy;

constexpr char kInternetSettingsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// A text value; "" when absent or not text, nullopt when the hive cannot be read.
std::optional<std::string> readText(HKEY key, const char* name) {
  DWORD type = 0, size = 0;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::string();
  if (status != ERROR_SUCCESS) return std::nullopt;
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return std::string();
  std::string text(size, '\0');
  status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size);
  if (status != ERROR_SUCCESS) return std::nullopt;
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  return text;
}

// A DWORD value switched on; false when absent or of another type.
std::optional<bool> readSwitch(HKEY key, const char* name) {
  DWORD type = 0, value = 0, size = sizeof(value);
  LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (status == ERROR_FILE_NOT_FOUND || status == ERROR_MORE_DATA) return false;
  if (status != ERROR_SUCCESS) return std::nullopt;
  return type == REG_DWORD && size == sizeof(value) && value != 0;
}

struct Settings {
  bool autoDetect = false;
  std::string autoConfigUrl, proxy, bypass;
};

LONG readSettings(Settings& settings) {
  HKEY key = nullptr;
  LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, kInternetSettingsKey, 0, KEY_READ, &key);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  const std::optional<bool> autoDetect = readSwitch(key, "AutoDetect");
  const std::optional<bool> proxyEnable = readSwitch(key, "ProxyEnable");
  const std::optional<std::string> autoConfigUrl = readText(key, "AutoConfigURL");
  const std::optional<std::string> proxy = readText(key, "ProxyServer");
  const std::optional<std::string> bypass = readText(key, "ProxyOverride");
  RegCloseKey(key);
  if (!autoDetect || !proxyEnable || !autoConfigUrl || !proxy || !bypass) return ERROR_CANTREAD;
  settings = {*autoDetect, *autoConfigUrl, *proxyEnable ? *proxy : std::string(), *bypass};
  return ERROR_SUCCESS;
}

// Null for an empty text; false when memory is short.
bool copyOut(const std::string& text, LPWSTR& out) {
  out = text.empty() ? nullptr : GlobalWideCopy(text);
  return text.empty() || out;
}

}  // namespace

BOOL WinHttpGetIEProxyConfigForCurrentUser(WINHTTP_CURRENT_USER_IE_PROXY_CONFIG* pProxyConfig) {
  if (!pProxyConfig) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Settings settings;
  const LONG status = readSettings(settings);
  if (status != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(status));
    return FALSE;
  }
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {settings.autoDetect ? TRUE : FALSE, nullptr, nullptr, nullptr};
  if (!copyOut(settings.autoConfigUrl, config.lpszAutoConfigUrl) || !copyOut(settings.proxy, config.lpszProxy) ||
      !copyOut(settings.bypass, config.lpszProxyBypass)) {
    GlobalFree(config.lpszAutoConfigUrl);
    GlobalFree(config.lpszProxy);
    GlobalFree(config.lpszProxyBypass);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  *pProxyConfig = config;
  return TRUE;
}
