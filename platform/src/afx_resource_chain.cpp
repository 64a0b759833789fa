#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

#include "afxdll.h"
#include "winmodule.h"
#include "winresource.h"

namespace {

struct ResourceChain {
  std::mutex mutex;
  std::vector<CDynLinkLibrary*> libraries;  // the latest attached first, as MFC's list
  HINSTANCE resourceHandle = nullptr;       // null: the program
};

// Never destroyed: extension libraries detach while the process exits, possibly
// after this library's own static objects are gone.
ResourceChain& resourceChain() {
  static ResourceChain* chain = new ResourceChain;
  return *chain;
}

// Offers each module of the chain to `found` in search order until it says yes.
// The mutex is held throughout, so no module can leave the chain (and be freed)
// while it is being read.
bool searchChain(const std::function<bool(HINSTANCE)>& found) {
  ResourceChain& chain = resourceChain();
  std::lock_guard<std::mutex> lock(chain.mutex);
  if (found(chain.resourceHandle)) return true;
  for (CDynLinkLibrary* library : chain.libraries)
    if (library->m_hResource && found(library->m_hResource)) return true;
  return false;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (!state.bInitialized) {
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
  }
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized) return;
  ResourceChain& chain = resourceChain();
  std::vector<CDynLinkLibrary*> ended;
  {
    std::lock_guard<std::mutex> lock(chain.mutex);
    auto leaving = [&](CDynLinkLibrary* library) { return bAll || library->m_hModule == state.hModule; };
    std::copy_if(chain.libraries.begin(), chain.libraries.end(), std::back_inserter(ended), leaving);
    chain.libraries.erase(std::remove_if(chain.libraries.begin(), chain.libraries.end(), leaving), chain.libraries.end());
  }
  for (CDynLinkLibrary* library : ended) delete library;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state) : m_hModule(state.hModule), m_hResource(state.hResource) {
  ResourceChain& chain = resourceChain();
  std::lock_guard<std::mutex> lock(chain.mutex);
  chain.libraries.insert(chain.libraries.begin(), this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  ResourceChain& chain = resourceChain();
  std::lock_guard<std::mutex> lock(chain.mutex);
  chain.libraries.erase(std::remove(chain.libraries.begin(), chain.libraries.end(), this), chain.libraries.end());
}

void CDynLinkLibrary::SetResourceHandle(HMODULE resource) {
  ResourceChain& chain = resourceChain();
  std::lock_guard<std::mutex> lock(chain.mutex);
  m_hResource = resource;
}

HINSTANCE AfxGetResourceHandle() {
  ResourceChain& chain = resourceChain();
  std::lock_guard<std::mutex> lock(chain.mutex);
  return chain.resourceHandle ? chain.resourceHandle : GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE resource) {
  ResourceChain& chain = resourceChain();
  std::lock_guard<std::mutex> lock(chain.mutex);
  chain.resourceHandle = resource;
}

namespace platform {

bool LoadResourceString(UINT id, std::string& text) {
  return searchChain([&](HINSTANCE module) { return LoadResourceString(module, id, text); });
}

std::optional<DialogTemplate> FindDialogTemplate(UINT id) {
  std::optional<DialogTemplate> dialog;
  searchChain([&](HINSTANCE module) { return (dialog = FindDialogTemplate(module, id)).has_value(); });
  return dialog;
}

}  // namespace platform
