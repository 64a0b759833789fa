#include <string>

#include "objbase.h"
#include "tavix32.h"
#include "winerror.h"
#include "winmodule.h"
#include "winnls.h"
#include "winreg.h"

namespace {

// No process runs under a 32-bit emulation layer here, so the classes never live in
// the WOW6432Node branch.
const char kUserClassesKey[] = "SOFTWARE\\Classes";

typedef HRESULT (*DllRegisterServerFunction)();

HRESULT lastErrorResult() {
  DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

// A failure to redirect the classes: the ProgID's lookup failure when there was one,
// else the registry status itself.
HRESULT redirectFailure(HRESULT result, LONG status) {
  if (result != S_OK) return result;
  return status == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
}

// Whether the ProgID converts to UTF-16; when it does, `result` is the lookup's answer:
// S_OK when the ProgID already names a registered class, else the lookup's failure.
bool lookUpProgId(const char* progId, HRESULT& result) {
  int length = MultiByteToWideChar(CP_THREAD_ACP, 0, progId, -1, nullptr, 0);
  if (length == 0) return false;
  std::u16string wide(static_cast<size_t>(length), u'\0');
  if (!MultiByteToWideChar(CP_THREAD_ACP, 0, progId, -1, &wide[0], length)) return false;
  CLSID clsid;
  result = CLSIDFromProgID(wide.c_str(), &clsid);
  return true;
}

class LoadedServer {
 public:
  explicit LoadedServer(const char* path) : m_module(LoadLibraryA(path)) {}
  ~LoadedServer() {
    if (m_module) FreeLibrary(m_module);
  }
  LoadedServer(const LoadedServer&) = delete;
  LoadedServer& operator=(const LoadedServer&) = delete;
  HMODULE module() const { return m_module; }

 private:
  HMODULE m_module;
};

// Ends the redirection of HKEY_CLASSES_ROOT and flushes the user's hive, on every path.
class ClassesRootRedirection {
 public:
  ClassesRootRedirection() = default;
  ~ClassesRootRedirection() {
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegFlushKey(HKEY_CURRENT_USER);
  }
  ClassesRootRedirection(const ClassesRootRedirection&) = delete;
  ClassesRootRedirection& operator=(const ClassesRootRedirection&) = delete;
};

}  // namespace

HRESULT RegUserCom(const char* serverPath, const char* progId) {
  HRESULT result = S_OK;
  // A ProgID that cannot be converted skips the test, and the server is registered.
  if (progId && *progId && lookUpProgId(progId, result) && SUCCEEDED(result)) return S_OK;

  LoadedServer server(serverPath);
  if (!server.module()) return lastErrorResult();
  auto registerServer =
      reinterpret_cast<DllRegisterServerFunction>(GetProcAddress(server.module(), "DllRegisterServer"));
  if (!registerServer) return lastErrorResult();

  HKEY classes = nullptr;
  LONG status = RegOpenKeyA(HKEY_CURRENT_USER, kUserClassesKey, &classes);
  if (status != ERROR_SUCCESS || !classes) return redirectFailure(result, status);
  status = RegOverridePredefKey(HKEY_CLASSES_ROOT, classes);
  RegCloseKey(classes);
  if (status != ERROR_SUCCESS) return redirectFailure(result, status);

  ClassesRootRedirection redirection;
  return registerServer();
}
