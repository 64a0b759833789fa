// The data-protection calls: a blob that only the current user can open again.
//
// AES-256-GCM under a per-user master key kept in <state folder>/keys (0700), created
// once and never replaced. Blob: magic, version, key id, 12-byte nonce, ciphertext,
// tag; the header, the user id and the optional entropy are authenticated. A blob of
// another user or home, or a damaged one, fails with ERROR_INVALID_DATA; an unusable key
// file with NTE_BAD_KEYSET. Descriptions are not kept: asking to store or return one
// fails with ERROR_NOT_SUPPORTED, as does CRYPTPROTECT_LOCAL_MACHINE. Nothing prompts.
#pragma once

#include "winheap.h"

typedef struct _CRYPTOAPI_BLOB {
  DWORD cbData;
  BYTE* pbData;
} DATA_BLOB, *PDATA_BLOB;

typedef struct _CRYPTPROTECT_PROMPTSTRUCT {
  DWORD cbSize;
  DWORD dwPromptFlags;
  HWND hwndApp;
  LPCWSTR szPrompt;
} CRYPTPROTECT_PROMPTSTRUCT, *PCRYPTPROTECT_PROMPTSTRUCT;

#define CRYPTPROTECT_UI_FORBIDDEN 0x1
#define CRYPTPROTECT_LOCAL_MACHINE 0x4
#define CRYPTPROTECT_AUDIT 0x10

#define NTE_BAD_KEYSET ((HRESULT)0x80090016L)
#define NTE_FAIL ((HRESULT)0x80090020L)

// pDataOut->pbData is released with LocalFree.
BOOL CryptProtectData(DATA_BLOB* pDataIn, LPCWSTR szDataDescr, DATA_BLOB* pOptionalEntropy, PVOID pvReserved,
                      CRYPTPROTECT_PROMPTSTRUCT* pPromptStruct, DWORD dwFlags, DATA_BLOB* pDataOut);
BOOL CryptUnprotectData(DATA_BLOB* pDataIn, LPWSTR* ppszDataDescr, DATA_BLOB* pOptionalEntropy, PVOID pvReserved,
                        CRYPTPROTECT_PROMPTSTRUCT* pPromptStruct, DWORD dwFlags, DATA_BLOB* pDataOut);
