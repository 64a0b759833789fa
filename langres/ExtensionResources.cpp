#include "ExtensionResources.h"

#include "Logger.h"
#include "PelkTools.h"
#include "winerror.h"
#include "winresource.h"

namespace {

const char* reasonText(DWORD status) {
  switch (status) {
    case ERROR_MOD_NOT_FOUND:
      return "file not found";
    case ERROR_ACCESS_DENIED:
      return "access denied";
    case ERROR_BAD_EXE_FORMAT:
      return "not a loadable shared object";
    case ERROR_PROC_NOT_FOUND:
      return "unresolved symbol";
    case ERROR_RESOURCE_TYPE_NOT_FOUND:
      return "no resource table";
    case ERROR_INVALID_DATA:
      return "damaged resource table";
    default:
      return "load failed";
  }
}

}  // namespace

ExtensionResources::ExtensionResources(HMODULE library, const char* logTitle) : m_logTitle(logTitle) {
  // A load cannot be refused here: a library that fails to register stays out of the
  // chain, and its Init...DLL entry answers 0.
  if (library && AfxInitExtensionModule(m_extension, library)) m_library = new CDynLinkLibrary(m_extension);
}

ExtensionResources::~ExtensionResources() {
  AfxTermExtensionModule(m_extension);
  if (m_language) AfxFreeLibrary(m_language);
}

int ExtensionResources::AttachLanguageModule() {
  if (m_language) return 1;
  CString path;
  if (!m_library || !PELK3_GetResourceFilePath(m_extension.hModule, path)) return 0;

  HINSTANCE language = AfxLoadLibrary(path);
  if (!language) {
    logRefusal(path, GetLastError());
    return 0;
  }
  if (DWORD status = platform::CheckResourceTable(language)) {
    AfxFreeLibrary(language);
    logRefusal(path, status);
    return 0;
  }
  m_language = language;
  m_extension.hResource = language;
  m_library->SetResourceHandle(language);
  return 1;
}

void ExtensionResources::logRefusal(const char* path, DWORD status) const {
  CString text;
  text.Format("Language resources not loaded from %s: %s (error %lu)", path, reasonText(status),
              static_cast<unsigned long>(status));
  Logger::getInstance()->warning(LOG_SCOPE_DEBUG, m_logTitle, text);
}
