#include "pac_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "platform_paths.h"

namespace platform::net {
namespace {

std::string pacLibraryPath() {
  Dl_info info;
  if (!dladdr(reinterpret_cast<const void*>(&pacLibraryPath), &info) || !info.dli_fname) return kPacLibraryFile;
  const std::string self = info.dli_fname;
  const size_t slash = self.rfind(kPathSeparator);
  return slash == std::string::npos ? kPacLibraryFile : self.substr(0, slash + 1) + kPacLibraryFile;
}

PacEvaluateFunction loadEvaluator() {
  void* library = dlopen(pacLibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);  // kept to the end
  if (!library) {
    std::fprintf(stderr, "%s\n", dlerror());
    return nullptr;
  }
  return reinterpret_cast<PacEvaluateFunction>(dlsym(library, kPacEvaluateSymbol));
}

}  // namespace

PacEvaluateFunction PacEvaluator() {
  static const PacEvaluateFunction evaluator = loadEvaluator();
  return evaluator;
}

}  // namespace platform::net
