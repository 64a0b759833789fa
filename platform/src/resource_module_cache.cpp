#include <dlfcn.h>
#include <link.h>

#include <mutex>
#include <unordered_map>

#include "module_symbols.h"
#include "resource_format.h"
#include "resource_table.h"
#include "winmodule.h"

namespace platform {
namespace {

// Decoded tables per module handle. A handle value may name another module once its
// module is unloaded, so every entry is dropped whenever the loader's count of
// unloads has moved since the entries were made.
struct TableCache {
  std::mutex mutex;
  std::unordered_map<HMODULE, std::shared_ptr<const ModuleResources>> tables;
  unsigned long long unloads = 0;
};

// Never destroyed: libraries load strings from their unload code, which may run after
// this library's static objects are gone.
TableCache& tableCache() {
  static TableCache* cache = new TableCache;
  return *cache;
}

unsigned long long loaderUnloadCount() {
  unsigned long long unloads = 0;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* result) {
        *static_cast<unsigned long long*>(result) = info->dlpi_subs;
        return 1;  // the count is the same in every entry: the first is enough
      },
      &unloads);
  return unloads;
}

// The table the module exports itself; the symbol's ELF size bounds the decoding.
std::unique_ptr<const ModuleResources> readTable(HMODULE module) {
  void* symbol = OwnSymbol(module, resource_format::kTableSymbol);
  Dl_info info;
  ElfW(Sym)* entry = nullptr;
  if (!symbol || !dladdr1(symbol, &info, reinterpret_cast<void**>(&entry), RTLD_DL_SYMENT) || !entry ||
      info.dli_saddr != symbol)
    return nullptr;
  return DecodeResourceTable(static_cast<const unsigned char*>(symbol), entry->st_size);
}

}  // namespace

std::shared_ptr<const ModuleResources> ResourcesOfModule(HMODULE module) {
  if (!module) module = GetModuleHandleA(nullptr);
  TableCache& cache = tableCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  const unsigned long long unloads = loaderUnloadCount();
  if (unloads != cache.unloads) {
    cache.tables.clear();
    cache.unloads = unloads;
  }
  auto found = cache.tables.find(module);
  if (found != cache.tables.end()) return found->second;
  std::shared_ptr<const ModuleResources> resources = readTable(module);
  cache.tables.emplace(module, resources);
  return resources;
}

}  // namespace platform
