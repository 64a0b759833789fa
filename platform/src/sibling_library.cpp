#include "sibling_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "platform_paths.h"

namespace platform {
namespace {

std::string siblingPath(const char* libraryFile) {
  Dl_info info;
  if (!dladdr(reinterpret_cast<const void*>(&SiblingLibrarySymbol), &info) || !info.dli_fname) return libraryFile;
  const std::string self = info.dli_fname;
  const size_t slash = self.rfind(kPathSeparator);
  return slash == std::string::npos ? libraryFile : self.substr(0, slash + 1) + libraryFile;
}

}  // namespace

void* SiblingLibrarySymbol(const char* libraryFile, const char* symbol) {
  void* library = dlopen(siblingPath(libraryFile).c_str(), RTLD_NOW | RTLD_LOCAL);  // never closed
  if (!library) {
    std::fprintf(stderr, "%s\n", dlerror());
    return nullptr;
  }
  return dlsym(library, symbol);
}

}  // namespace platform
