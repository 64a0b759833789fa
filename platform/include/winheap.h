// Process heap and local memory, and wiping of secrets.
#pragma once

#include "winerror.h"
#include "wintypes.h"

typedef size_t SIZE_T;
typedef HANDLE HLOCAL;
typedef HANDLE HGLOBAL;

#define HEAP_ZERO_MEMORY 0x00000008
#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define GMEM_FIXED 0x0000
#define GMEM_ZEROINIT 0x0040
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

HANDLE GetProcessHeap();
// Null when hHeap is not the process heap or memory is short.
LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes);
// A null block is accepted; a foreign heap fails with ERROR_INVALID_HANDLE.
BOOL HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem);

// Only fixed memory (LMEM_FIXED, optionally LMEM_ZEROINIT).
HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
// Null on success, as on Windows.
HLOCAL LocalFree(HLOCAL hMem);

// Only fixed memory (GMEM_FIXED, optionally GMEM_ZEROINIT), as LocalAlloc.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// Null on success, as on Windows.
HGLOBAL GlobalFree(HGLOBAL hMem);

// Zeroes memory in a way the compiler cannot drop as a dead store.
PVOID SecureZeroMemory(PVOID ptr, SIZE_T cnt);
