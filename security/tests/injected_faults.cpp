// The interposed platform calls of injected_faults.h.
#include "injected_faults.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bcrypt.h"
#include "dpapi.h"
#include "winheap.h"
#include "winreg.h"

namespace injected_faults {
namespace {

std::atomic<Fault> g_fault{Fault::kNone};
std::atomic<int> g_outstanding{0};
std::atomic<int> g_heapAllocations{0};
std::atomic<int> g_keyOpens{0};

// The platform's own definition of a call this file replaces, found under the
// (mangled) name the program exports for its replacement.
template <typename Function>
Function Real(Function replacement) {
  Dl_info info = {};
  if (!dladdr(reinterpret_cast<void*>(replacement), &info) || !info.dli_sname) std::abort();
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, info.dli_sname));
}
#define REAL(name) injected_faults::Real(&::name)

bool Is(Fault fault) { return g_fault.load() == fault; }

void Count(bool acquired, int change) {
  if (acquired) g_outstanding += change;
}

}  // namespace

void Inject(Fault fault) {
  g_fault = fault;
  g_outstanding = 0;
  g_heapAllocations = 0;
  g_keyOpens = 0;
}

int Outstanding() { return g_outstanding.load(); }

}  // namespace injected_faults

using injected_faults::Fault;
using injected_faults::kFailure;

NTSTATUS BCryptOpenAlgorithmProvider(BCRYPT_ALG_HANDLE* phAlgorithm, LPCWSTR pszAlgId, LPCWSTR pszImplementation,
                                     ULONG dwFlags) {
  if (injected_faults::Is(Fault::kOpenAlgorithm)) return kFailure;
  NTSTATUS status = REAL(BCryptOpenAlgorithmProvider)(phAlgorithm, pszAlgId, pszImplementation, dwFlags);
  injected_faults::Count(BCRYPT_SUCCESS(status), 1);
  return status;
}

NTSTATUS BCryptCloseAlgorithmProvider(BCRYPT_ALG_HANDLE hAlgorithm, ULONG dwFlags) {
  NTSTATUS status = REAL(BCryptCloseAlgorithmProvider)(hAlgorithm, dwFlags);
  injected_faults::Count(BCRYPT_SUCCESS(status), -1);
  return status;
}

NTSTATUS BCryptGetProperty(BCRYPT_HANDLE hObject, LPCWSTR pszProperty, PUCHAR pbOutput, ULONG cbOutput,
                           PULONG pcbResult, ULONG dwFlags) {
  const bool objectLength = std::u16string(pszProperty) == BCRYPT_OBJECT_LENGTH;
  if (injected_faults::Is(objectLength ? Fault::kObjectLength : Fault::kDigestLength)) return kFailure;
  NTSTATUS status = REAL(BCryptGetProperty)(hObject, pszProperty, pbOutput, cbOutput, pcbResult, dwFlags);
  if (!objectLength && injected_faults::Is(Fault::kShortDigest) && pbOutput) {
    const ULONG shortLength = 16;
    std::memcpy(pbOutput, &shortLength, sizeof(shortLength));
  }
  return status;
}

LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
  const int number = ++injected_faults::g_heapAllocations;
  if ((number == 1 && injected_faults::Is(Fault::kObjectAllocation)) ||
      (number == 2 && injected_faults::Is(Fault::kDigestAllocation)))
    return nullptr;
  LPVOID block = REAL(HeapAlloc)(hHeap, dwFlags, dwBytes);
  injected_faults::Count(block != nullptr, 1);
  return block;
}

BOOL HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem) {
  BOOL freed = REAL(HeapFree)(hHeap, dwFlags, lpMem);
  injected_faults::Count(freed && lpMem, -1);
  return freed;
}

NTSTATUS BCryptCreateHash(BCRYPT_ALG_HANDLE hAlgorithm, BCRYPT_HASH_HANDLE* phHash, PUCHAR pbHashObject,
                          ULONG cbHashObject, PUCHAR pbSecret, ULONG cbSecret, ULONG dwFlags) {
  if (injected_faults::Is(Fault::kCreateHash)) return kFailure;
  NTSTATUS status = REAL(BCryptCreateHash)(hAlgorithm, phHash, pbHashObject, cbHashObject, pbSecret, cbSecret, dwFlags);
  injected_faults::Count(BCRYPT_SUCCESS(status), 1);
  return status;
}

NTSTATUS BCryptHashData(BCRYPT_HASH_HANDLE hHash, PUCHAR pbInput, ULONG cbInput, ULONG dwFlags) {
  if (injected_faults::Is(Fault::kHashData)) return kFailure;
  return REAL(BCryptHashData)(hHash, pbInput, cbInput, dwFlags);
}

NTSTATUS BCryptFinishHash(BCRYPT_HASH_HANDLE hHash, PUCHAR pbOutput, ULONG cbOutput, ULONG dwFlags) {
  if (injected_faults::Is(Fault::kFinishHash)) return kFailure;
  if (injected_faults::Is(Fault::kShortDigest)) {
    std::memset(pbOutput, 0, cbOutput);
    return STATUS_SUCCESS;
  }
  return REAL(BCryptFinishHash)(hHash, pbOutput, cbOutput, dwFlags);
}

NTSTATUS BCryptDestroyHash(BCRYPT_HASH_HANDLE hHash) {
  NTSTATUS status = REAL(BCryptDestroyHash)(hHash);
  injected_faults::Count(BCRYPT_SUCCESS(status), -1);
  return status;
}

NTSTATUS BCryptGenRandom(BCRYPT_ALG_HANDLE hAlgorithm, PUCHAR pbBuffer, ULONG cbBuffer, ULONG dwFlags) {
  if (injected_faults::Is(Fault::kRandom)) return kFailure;
  return REAL(BCryptGenRandom)(hAlgorithm, pbBuffer, cbBuffer, dwFlags);
}

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  HLOCAL block = REAL(LocalAlloc)(uFlags, uBytes);
  injected_faults::Count(block != nullptr, 1);
  return block;
}

HLOCAL LocalFree(HLOCAL hMem) {
  injected_faults::Count(hMem != nullptr, -1);
  return REAL(LocalFree)(hMem);
}

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
  if (++injected_faults::g_keyOpens == 2 && injected_faults::Is(Fault::kSecondKeyOpen)) {
    *phkResult = nullptr;
    return ERROR_ACCESS_DENIED;
  }
  return REAL(RegOpenKeyA)(hKey, lpSubKey, phkResult);
}
