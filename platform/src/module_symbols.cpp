#include "module_symbols.h"

#include <dlfcn.h>
#include <link.h>

#include "winmodule.h"

namespace platform {

void* OwnSymbol(HMODULE module, const char* name) {
  if (!module) module = GetModuleHandleA(nullptr);
  link_map* own = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 || !own) return nullptr;
  void* symbol = dlsym(module, name);
  if (!symbol) return nullptr;
  Dl_info info;
  link_map* holder = nullptr;
  if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) || holder != own) return nullptr;
  return symbol;
}

}  // namespace platform
