// A small in-process COM server for tests. The build chooses its ProgID and CLSID
// (TEST_SERVER_PROGID, TEST_SERVER_CLSID, both text) and its variant:
//   default                 DllRegisterServer writes HKCR\<ProgID>\CLSID and
//                           HKCR\CLSID\<CLSID>\InprocServer32 (this library's path)
//   TEST_SERVER_NO_EXPORT   no DllRegisterServer at all
//   TEST_SERVER_FAILS       DllRegisterServer answers SELFREG_E_CLASS, writing nothing
//   TEST_SERVER_DEPENDENCY  the server needs a library the loader cannot find
#include <cstring>

#include "winerror.h"
#include "winmodule.h"
#include "winreg.h"

#define TEST_SERVER_API extern "C" __attribute__((visibility("default")))

#ifdef TEST_SERVER_DEPENDENCY
extern "C" int TestServerDependency();
TEST_SERVER_API int TestServerUsesDependency() { return TestServerDependency(); }
#endif

#if defined(TEST_SERVER_NO_EXPORT)

TEST_SERVER_API int TestServerVersion() { return 1; }

#elif defined(TEST_SERVER_FAILS)

TEST_SERVER_API HRESULT DllRegisterServer() { return SELFREG_E_CLASS; }

#else

namespace {

LONG setDefaultValue(const char* keyPath, const char* text) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExA(HKEY_CLASSES_ROOT, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
  RegCloseKey(key);
  return status;
}

}  // namespace

TEST_SERVER_API HRESULT DllRegisterServer() {
  char path[MAX_PATH];
  if (!GetModuleFileNameA(THIS_MODULE_HANDLE(), path, sizeof(path))) return E_FAIL;
  LONG status = setDefaultValue(TEST_SERVER_PROGID "\\CLSID", TEST_SERVER_CLSID);
  if (status == ERROR_SUCCESS) status = setDefaultValue("CLSID\\" TEST_SERVER_CLSID "\\InprocServer32", path);
  return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
}

#endif
