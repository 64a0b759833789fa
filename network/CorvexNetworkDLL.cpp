#include "CorvexNetworkDLL.h"

#include "ExtensionResources.h"
#include "winmodule.h"

namespace {

ExtensionResources* resources = nullptr;

// The load-time entry: attach registers the library in the resource chain, detach
// takes it out and frees its language module.
__attribute__((constructor)) void processAttach() {
  resources = new ExtensionResources(THIS_MODULE_HANDLE(), "Network");
}

__attribute__((destructor)) void processDetach() {
  delete resources;
  resources = nullptr;
}

}  // namespace

int InitCorvexNetworkDLL() { return resources ? resources->AttachLanguageModule() : 0; }
