// A test library registered in the resource chain for as long as it is loaded, the
// way the suite's extension libraries register themselves.
#include "afxdll.h"
#include "winmodule.h"

namespace {

AFX_EXTENSION_MODULE extension;
CDynLinkLibrary* library = nullptr;
HINSTANCE language = nullptr;

struct Registration {
  Registration() {
    AfxInitExtensionModule(extension, THIS_MODULE_HANDLE());
    library = new CDynLinkLibrary(extension);
  }
  ~Registration() {
    AfxTermExtensionModule(extension);  // deletes `library`, out of the chain first
    if (language) AfxFreeLibrary(language);
  }
} registration;

}  // namespace

// Makes a language module this library's resource module. 1 on success.
extern "C" int ResTestExtAttachLanguage(const char* path) {
  language = AfxLoadLibrary(path);
  if (!language) return 0;
  extension.hResource = language;
  library->SetResourceHandle(language);
  return 1;
}

extern "C" int ResTestExtAnswer() { return 42; }
