#include <unistd.h>

#include <memory>

#include "kernel_handles.h"
#include "winerror.h"
#include "winsecurity.h"

namespace {

class ProcessToken : public platform::KernelObject {
 public:
  ProcessToken(DWORD access, uid_t effectiveUser) : m_access(access), m_effectiveUser(effectiveUser) {}
  bool canQuery() const { return (m_access & TOKEN_QUERY) != 0; }
  bool elevated() const { return m_effectiveUser == 0; }

 private:
  DWORD m_access;
  uid_t m_effectiveUser;
};

BOOL fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token) {
  if (!token) return fail(ERROR_INVALID_PARAMETER);
  if (process != GetCurrentProcess()) return fail(ERROR_INVALID_HANDLE);
  *token = platform::AddHandle(std::make_unique<ProcessToken>(desiredAccess, geteuid()));
  return TRUE;
}

BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS informationClass, LPVOID information,
                         DWORD informationLength, PDWORD returnLength) {
  auto processToken = std::dynamic_pointer_cast<ProcessToken>(platform::FindHandle(token));
  if (!processToken) return fail(ERROR_INVALID_HANDLE);
  if (!processToken->canQuery()) return fail(ERROR_ACCESS_DENIED);
  if (informationClass != TokenElevation) return fail(ERROR_INVALID_PARAMETER);
  if (!returnLength) return fail(ERROR_INVALID_PARAMETER);
  *returnLength = sizeof(TOKEN_ELEVATION);
  if (!information || informationLength < sizeof(TOKEN_ELEVATION)) return fail(ERROR_INSUFFICIENT_BUFFER);
  static_cast<TOKEN_ELEVATION*>(information)->TokenIsElevated = processToken->elevated() ? 1 : 0;
  return TRUE;
}
