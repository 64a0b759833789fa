#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "winerror.h"
#include "winmodule.h"

namespace {

std::string programPath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

void* programHandle() {
  static void* handle = dlopen(nullptr, RTLD_NOW);
  return handle;
}

// The file mapped at `address`, as the kernel names it (absolute), or "".
std::string mappedFile(const void* address) {
  std::ifstream maps("/proc/self/maps");
  const uintptr_t wanted = reinterpret_cast<uintptr_t>(address);
  for (std::string line; std::getline(maps, line);) {
    // start-end perms offset device inode path
    unsigned long long start = 0, end = 0;
    int pathStart = 0;
    if (std::sscanf(line.c_str(), "%llx-%llx %*s %*s %*s %*s %n", &start, &end, &pathStart) < 2 || pathStart == 0)
      continue;
    if (wanted >= start && wanted < end) return line[pathStart] == '/' ? line.substr(pathStart) : std::string();
  }
  return std::string();
}

// The loader's file name of a handle, made absolute. The loader keeps a relative name
// as it was given, so the kernel's name of the module's mapping decides then: the
// current folder may have changed since.
std::string modulePath(HMODULE module) {
  if (!module || module == reinterpret_cast<HMODULE>(programHandle())) return programPath();
  link_map* map = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map) return std::string();
  if (!map->l_name || !*map->l_name) return programPath();
  if (map->l_name[0] == '/') return map->l_name;
  const std::string mapped = mappedFile(map->l_ld);
  return mapped.empty() ? std::string(map->l_name) : mapped;
}

}  // namespace

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  std::string path = modulePath(module);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!fileName || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    std::memcpy(fileName, path.data(), size - 1);
    fileName[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(fileName, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (!moduleName) return reinterpret_cast<HMODULE>(programHandle());
  void* handle = dlopen(moduleName, RTLD_NOW | RTLD_NOLOAD);
  if (!handle) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  dlclose(handle);  // keep the reference count as it was; the handle stays valid while loaded
  return reinterpret_cast<HMODULE>(handle);
}

HMODULE GetModuleHandleFromAddress(const void* address) {
  Dl_info info;
  link_map* map = nullptr;
  if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) || !map) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (!map->l_name || !*map->l_name) return reinterpret_cast<HMODULE>(programHandle());
  return GetModuleHandleA(map->l_name);
}
