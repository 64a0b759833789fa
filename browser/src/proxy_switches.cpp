#include <string>

#include "engine_flags.h"
#include "winreg.h"

namespace browser_runtime {
namespace {

const char kInternetSettingsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::string readText(HKEY key, const char* name) {
  char buffer[2048] = {};
  DWORD size = sizeof(buffer) - 1, type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) return "";
  return type == REG_SZ || type == REG_EXPAND_SZ ? std::string(buffer) : "";
}

bool readFlag(HKEY key, const char* name) {
  DWORD value = 0, size = sizeof(value), type = 0;
  return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
         type == REG_DWORD && value != 0;
}

}  // namespace

std::vector<std::string> ProxySwitches() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternetSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return {"--no-proxy-server"};
  const std::string script = readText(key, "AutoConfigURL");
  const std::string server = readFlag(key, "ProxyEnable") ? readText(key, "ProxyServer") : "";
  RegCloseKey(key);
  if (!script.empty()) return {"--proxy-pac-url=" + script};
  if (!server.empty()) return {"--proxy-server=" + server, "--proxy-bypass-list=<-loopback>"};
  return {"--no-proxy-server"};
}

}  // namespace browser_runtime
