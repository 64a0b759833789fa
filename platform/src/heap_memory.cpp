// The process heap and local memory on malloc; wiping through OpenSSL.
#include <openssl/crypto.h>

#include <cstdlib>

#include "winheap.h"

namespace {

// The one heap there is; its handle only has to be recognisable.
int g_processHeap;

HANDLE ProcessHeap() { return &g_processHeap; }

// Windows hands out a valid block for zero bytes too.
void* Allocate(SIZE_T bytes, bool zeroed) {
  return zeroed ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
}

}  // namespace

HANDLE GetProcessHeap() { return ProcessHeap(); }

LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
  if (hHeap != ProcessHeap()) return nullptr;
  return Allocate(dwBytes, (dwFlags & HEAP_ZERO_MEMORY) != 0);
}

BOOL HeapFree(HANDLE hHeap, DWORD, LPVOID lpMem) {
  if (hHeap != ProcessHeap()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::free(lpMem);
  return TRUE;
}

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  if (uFlags & ~static_cast<UINT>(LMEM_ZEROINIT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* block = Allocate(uBytes, (uFlags & LMEM_ZEROINIT) != 0);
  if (!block) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL LocalFree(HLOCAL hMem) {
  std::free(hMem);
  return nullptr;
}

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) { return LocalAlloc(uFlags, dwBytes); }

HGLOBAL GlobalFree(HGLOBAL hMem) { return LocalFree(hMem); }

PVOID SecureZeroMemory(PVOID ptr, SIZE_T cnt) {
  if (ptr && cnt) OPENSSL_cleanse(ptr, cnt);
  return ptr;
}
