// What the suite's language modules cost: a message through the resource chain (the
// program, then both libraries with their modules attached) against LoadStringA on the
// message module's own handle; and loading, checking and attaching the message module
// against a bare dlopen/dlclose of the same file.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "CorvexNetworkDLL.h"
#include "CorvexRegistrationDLL.h"
#include "PelkTools.h"
#include "afxdll.h"
#include "test_support.h"
#include "winmodule.h"
#include "winresource.h"

namespace {

const std::string kMessages = CORVEX_PROGRAM_DIR "/Lng/CorvexRegistration.LNG";
constexpr UINT kProblem = 14385;

bool attachBoth() {
  PELK3_SetSubdirResFile("Lng");
  PELK3_SetExtResourceFile("LNG");
  return InitCorvexNetworkDLL() == 1 && InitCorvexRegistrationDLL() == 1;
}

void LoadStringThroughChain(benchmark::State& state) {
  static const bool attached = attachBoth();
  if (!attached) return state.SkipWithError("language modules not attached");
  CString text;
  for (auto _ : state) benchmark::DoNotOptimize(text.LoadString(kProblem));
}
BENCHMARK(LoadStringThroughChain);

void LoadStringOnOwnHandle(benchmark::State& state) {
  HMODULE module = LoadLibraryA(kMessages.c_str());
  char buffer[256];
  for (auto _ : state) benchmark::DoNotOptimize(LoadStringA(module, kProblem, buffer, sizeof(buffer)));
  FreeLibrary(module);
}
BENCHMARK(LoadStringOnOwnHandle);

// A copy nobody else holds, so that every round really maps and unmaps the file.
struct PrivateCopy {
  PrivateCopy() { std::filesystem::copy_file(kMessages, path); }
  testing_support::TempFolder folder;
  std::string path = folder / "CorvexRegistration.LNG";
};

// What a library's Init...DLL and unload do with its module.
void AfxLoadAttachFree(benchmark::State& state) {
  PrivateCopy copy;
  AFX_EXTENSION_MODULE extension;
  AfxInitExtensionModule(extension, GetModuleHandleA(nullptr));
  CDynLinkLibrary* library = new CDynLinkLibrary(extension);
  for (auto _ : state) {
    HINSTANCE module = AfxLoadLibrary(copy.path.c_str());
    benchmark::DoNotOptimize(platform::CheckResourceTable(module));
    library->m_hResource = module;
    library->m_hResource = nullptr;
    AfxFreeLibrary(module);
  }
  AfxTermExtensionModule(extension);
}
BENCHMARK(AfxLoadAttachFree);

void DlopenDlclose(benchmark::State& state) {
  PrivateCopy copy;
  for (auto _ : state) dlclose(dlopen(copy.path.c_str(), RTLD_NOW | RTLD_LOCAL));
}
BENCHMARK(DlopenDlclose);

}  // namespace
