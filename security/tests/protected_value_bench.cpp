// One 1.5 KB token written and read back: protected value against plain REG_BINARY,
// in the same hive of the same run.
#include <benchmark/benchmark.h>

#include <string>

#include "Security.h"
#include "test_support.h"

namespace {

const char kStore[] = "Software\\Halvorn\\Ondra";
const std::string kToken(1536, 'T');

struct Hive {
  Hive() { testing_support::RedirectUserAndMachineFolders(tmp.path()); }
  testing_support::TempFolder tmp;
};

Hive& SharedHive() {
  static Hive hive;
  return hive;
}

void BM_ProtectedTokenWriteAndRead(benchmark::State& state) {
  SharedHive();
  long status = 0;
  CString read;
  for (auto _ : state) {
    if (!CCEncryptDataToRegistry(HKEY_CURRENT_USER, kStore, "access_token", kToken, status) ||
        !CCDecryptDataFromRegistry(HKEY_CURRENT_USER, kStore, "access_token", read, status) ||
        read.GetLength() != static_cast<int>(kToken.size()))
      state.SkipWithError("protected round trip failed");
  }
}
BENCHMARK(BM_ProtectedTokenWriteAndRead);

// The same registry calls the protected path makes, around the same bytes in clear.
void BM_PlainBinaryTokenWriteAndRead(benchmark::State& state) {
  SharedHive();
  std::string read;
  for (auto _ : state) {
    HKEY key = nullptr;
    bool ok = RegOpenKeyA(HKEY_CURRENT_USER, kStore, &key) == ERROR_SUCCESS ||
              RegCreateKeyA(HKEY_CURRENT_USER, kStore, &key) == ERROR_SUCCESS;
    ok = ok && RegSetValueExA(key, "plain_token", 0, REG_BINARY, reinterpret_cast<const BYTE*>(kToken.data()),
                              static_cast<DWORD>(kToken.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    DWORD size = 0;
    ok = ok && RegOpenKeyA(HKEY_CURRENT_USER, kStore, &key) == ERROR_SUCCESS &&
         RegQueryValueExA(key, "plain_token", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
    read.assign(size, '\0');
    ok = ok && RegQueryValueExA(key, "plain_token", nullptr, nullptr, reinterpret_cast<BYTE*>(&read[0]), &size) ==
                   ERROR_SUCCESS;
    RegCloseKey(key);
    if (!ok || read.size() != kToken.size() + 1) state.SkipWithError("plain round trip failed");
  }
}
BENCHMARK(BM_PlainBinaryTokenWriteAndRead);

}  // namespace
