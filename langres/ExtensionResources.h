// A suite library's registration in the process's resource chain and its language
// module. The library creates one from its load-time entry and deletes it from its
// unload entry; its Init...DLL entry calls AttachLanguageModule.
//
// Compiled into each library that uses it (hidden, so each library keeps its own copy).
#pragma once

#include "afxdll.h"
#include "wintypes.h"

class ExtensionResources {
 public:
  // Registers `library` as an extension module answering from its own resources.
  // `logTitle` is the title of the library's log lines.
  ExtensionResources(HMODULE library, const char* logTitle);
  // Takes the library out of the chain, then frees its language module.
  ~ExtensionResources();
  ExtensionResources(const ExtensionResources&) = delete;
  ExtensionResources& operator=(const ExtensionResources&) = delete;

  // Loads the library's language module from where PelkTools says and makes it the
  // library's resource module. 1 when it is attached (also when it already was);
  // otherwise 0 with the chain unchanged, and one warning in the log when the module
  // named by the settings could not be used.
  int AttachLanguageModule();

  HINSTANCE LanguageModule() const { return m_language; }

 private:
  void logRefusal(const char* path, DWORD status) const;

  AFX_EXTENSION_MODULE m_extension;
  CDynLinkLibrary* m_library = nullptr;  // owned by the chain: AfxTermExtensionModule deletes it
  HINSTANCE m_language = nullptr;
  const char* m_logTitle;
};
