// Hive speed: one value written and read back; 1,000 values of one key enumerated.
#include <benchmark/benchmark.h>

#include <string>

#include "platform_paths.h"
#include "test_support.h"
#include "winreg.h"

namespace {

HKEY CreateKey(const char* path) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

void BM_WriteAndReadOneValue(benchmark::State& state) {
  testing_support::TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  HKEY key = CreateKey("Software\\Halvorn\\Ondra");
  const std::string token(1024, 't');
  std::string read(token.size(), '\0');
  for (auto _ : state) {
    RegSetValueExA(key, "access_token", 0, REG_BINARY, reinterpret_cast<const BYTE*>(token.data()),
                   static_cast<DWORD>(token.size()));
    DWORD size = static_cast<DWORD>(read.size());
    if (RegQueryValueExA(key, "access_token", nullptr, nullptr, reinterpret_cast<BYTE*>(&read[0]), &size) !=
        ERROR_SUCCESS)
      state.SkipWithError("query failed");
  }
  RegCloseKey(key);
}
BENCHMARK(BM_WriteAndReadOneValue);

void BM_EnumerateThousandValues(benchmark::State& state) {
  testing_support::TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  HKEY key = CreateKey("Software\\Many");
  for (int i = 0; i < 1000; ++i) {
    const std::string name = "value" + std::to_string(i);
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                   static_cast<DWORD>(name.size() + 1));
  }
  for (auto _ : state) {
    DWORD count = 0;
    char name[64];
    BYTE data[64];
    for (;; ++count) {
      DWORD nameSize = sizeof(name), dataSize = sizeof(data), type = 0;
      if (RegEnumValueA(key, count, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    }
    if (count != 1000) state.SkipWithError("enumeration incomplete");
  }
  RegCloseKey(key);
}
BENCHMARK(BM_EnumerateThousandValues)->Unit(benchmark::kMillisecond);

}  // namespace
