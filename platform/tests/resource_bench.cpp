// What the resource chain costs: a string load through the chain against one on the
// module's own handle, and loading plus attaching a language module against a bare
// dlopen/dlclose of the same file.
#include <benchmark/benchmark.h>

#include <dlfcn.h>

#include <string>

#include "afxdll.h"
#include "winmodule.h"
#include "winresource.h"

namespace {

const std::string kOne = std::string(CORVEX_TEST_BIN_DIR) + "/Lng/ResTestOne.LNG";
const std::string kTwo = std::string(CORVEX_TEST_BIN_DIR) + "/Lng/ResTestTwo.LNG";

void LoadStringOnOwnHandle(benchmark::State& state) {
  HMODULE one = LoadLibraryA(kOne.c_str());
  char buffer[256];
  for (auto _ : state) benchmark::DoNotOptimize(LoadStringA(one, 301, buffer, sizeof(buffer)));
  FreeLibrary(one);
}
BENCHMARK(LoadStringOnOwnHandle);

// Two attached modules; the string lies in the one searched last (after the program).
void LoadStringThroughChain(benchmark::State& state) {
  AFX_EXTENSION_MODULE first, second;
  HMODULE one = AfxLoadLibrary(kOne.c_str()), two = AfxLoadLibrary(kTwo.c_str());
  AfxInitExtensionModule(first, one);
  new CDynLinkLibrary(first);
  AfxInitExtensionModule(second, two);
  new CDynLinkLibrary(second);
  std::string text;
  for (auto _ : state) benchmark::DoNotOptimize(platform::LoadResourceString(301, text));
  AfxTermExtensionModule(second);
  AfxTermExtensionModule(first);
  AfxFreeLibrary(two);
  AfxFreeLibrary(one);
}
BENCHMARK(LoadStringThroughChain);

void AfxLoadAttachFree(benchmark::State& state) {
  for (auto _ : state) {
    AFX_EXTENSION_MODULE extension;
    HMODULE module = AfxLoadLibrary(kTwo.c_str());
    AfxInitExtensionModule(extension, module);
    new CDynLinkLibrary(extension);
    AfxTermExtensionModule(extension);
    AfxFreeLibrary(module);
  }
}
BENCHMARK(AfxLoadAttachFree);

void DlopenDlclose(benchmark::State& state) {
  for (auto _ : state) dlclose(dlopen(kTwo.c_str(), RTLD_NOW | RTLD_LOCAL));
}
BENCHMARK(DlopenDlclose);

}  // namespace
