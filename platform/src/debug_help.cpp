#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "dbghelp.h"
#include "winerror.h"

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }

BOOL SymInitialize(HANDLE, PCSTR, BOOL) { return TRUE; }
BOOL SymCleanup(HANDLE) { return TRUE; }

WORD CaptureStackBackTrace(DWORD framesToSkip, DWORD framesToCapture, PVOID* backTrace, PDWORD backTraceHash) {
  if (!backTrace || framesToCapture == 0) return 0;
  const DWORD wanted = framesToSkip + 1 + framesToCapture;  // +1: this function's own frame
  std::vector<void*> frames(wanted);
  int got = backtrace(frames.data(), static_cast<int>(wanted));
  DWORD stored = 0;
  for (DWORD i = framesToSkip + 1; i < static_cast<DWORD>(got) && stored < framesToCapture && stored < 0xFFFF; ++i)
    backTrace[stored++] = frames[i];
  if (backTraceHash) {
    DWORD hash = 0;
    for (DWORD i = 0; i < stored; ++i) hash += static_cast<DWORD>(reinterpret_cast<uintptr_t>(backTrace[i]));
    *backTraceHash = hash;
  }
  return static_cast<WORD>(stored);
}

BOOL SymFromAddr(HANDLE, DWORD64 address, PDWORD64 displacement, PSYMBOL_INFO symbol) {
  Dl_info info;
  if (!symbol || !dladdr(reinterpret_cast<void*>(address), &info) || !info.dli_sname) {
    SetLastError(ERROR_NOT_FOUND);
    return FALSE;
  }
  int status = 0;
  char* demangled = abi::__cxa_demangle(info.dli_sname, nullptr, nullptr, &status);
  const char* name = (status == 0 && demangled) ? demangled : info.dli_sname;
  size_t length = std::strlen(name);
  symbol->NameLen = static_cast<ULONG>(length);
  if (symbol->MaxNameLen > 0) {
    size_t copied = length < symbol->MaxNameLen ? length : symbol->MaxNameLen - 1;
    std::memcpy(symbol->Name, name, copied);
    symbol->Name[copied] = '\0';
  }
  std::free(demangled);
  symbol->Address = reinterpret_cast<uintptr_t>(info.dli_saddr);
  symbol->ModBase = reinterpret_cast<uintptr_t>(info.dli_fbase);
  if (displacement) *displacement = address - symbol->Address;
  return TRUE;
}
