// Stack capture and symbol look-up, in the shape of the debug-help calls.
// Names come from the dynamic symbol tables (exported functions), demangled.
#pragma once

#include "winthread.h"
#include "wintypes.h"

typedef uint64_t DWORD64;
typedef DWORD64* PDWORD64;
typedef const char* PCSTR;

struct SYMBOL_INFO {
  ULONG SizeOfStruct;
  ULONG TypeIndex;
  ULONGLONG Reserved[2];
  ULONG Index;
  ULONG Size;
  ULONGLONG ModBase;
  ULONG Flags;
  ULONGLONG Value;
  ULONGLONG Address;  // start of the symbol
  ULONG Register;
  ULONG Scope;
  ULONG Tag;
  ULONG NameLen;
  ULONG MaxNameLen;  // room in Name, set by the caller
  CHAR Name[1];
};
typedef SYMBOL_INFO* PSYMBOL_INFO;

BOOL SymInitialize(HANDLE process, PCSTR userSearchPath, BOOL invadeProcess);
BOOL SymCleanup(HANDLE process);
// Return addresses of the calling thread, innermost first, after skipping framesToSkip
// frames above the caller. Returns how many were stored.
WORD CaptureStackBackTrace(DWORD framesToSkip, DWORD framesToCapture, PVOID* backTrace, PDWORD backTraceHash);
BOOL SymFromAddr(HANDLE process, DWORD64 address, PDWORD64 displacement, PSYMBOL_INFO symbol);
