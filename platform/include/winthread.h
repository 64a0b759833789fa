// Interlocked counters and critical sections (recursive, like Windows').
#pragma once

#include <pthread.h>

#include "wintypes.h"

LONG InterlockedIncrement(volatile LONG* value);
LONG InterlockedDecrement(volatile LONG* value);
LONG InterlockedExchangeAdd(volatile LONG* value, LONG add);

struct CRITICAL_SECTION {
  pthread_mutex_t mutex;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);

DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
// The pseudo-handle of the calling process.
HANDLE GetCurrentProcess();
void Sleep(DWORD milliseconds);
DWORD GetTickCount();
