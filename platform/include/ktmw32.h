// Kernel transactions, as far as the registry takes part in them: keys opened with
// RegOpenKeyTransactedA belong to the transaction, and what is written through them
// (and through keys opened below them) becomes visible to other processes at once on
// CommitTransaction, or not at all.
//
// Here one transaction runs at a time per process, on the user's hive; while it runs,
// the process's other registry calls take part in it too. Committing a transaction
// through which no key was opened fails with ERROR_TRANSACTION_NOT_ACTIVE, like one
// that was lost, so a commit never reports writes that did not happen.
#pragma once

#include "winerror.h"
#include "winreg.h"
#include "winsecurity.h"
#include "wintypes.h"

HANDLE CreateTransaction(LPSECURITY_ATTRIBUTES lpTransactionAttributes, LPVOID UOW, DWORD CreateOptions,
                         DWORD IsolationLevel, DWORD IsolationFlags, DWORD Timeout, LPWSTR Description);
BOOL CommitTransaction(HANDLE TransactionHandle);
BOOL RollbackTransaction(HANDLE TransactionHandle);

LONG RegOpenKeyTransactedA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult,
                           HANDLE hTransaction, PVOID pExtendedParameter);
