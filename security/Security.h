// Security primitives: SHA-256 digests, hex text, and secret texts kept in the
// registry protected for the current user. None of them logs or shows anything.
#pragma once

#include "afxstr.h"
#include "winreg.h"

// SHA-256 of all of `input`'s characters (zero characters included) into `digest`
// (32 bytes). 1 on success, `error` left as given; 0 with `error` set, digest untouched.
int CCSHA256(CString input, unsigned char* digest, CString& error);

// Appends to `hex` one hex digit per group of four binary digits of `binary`.
// A leading all-zero group gives no digit; a last group of one to three digits gives
// a digit of its own value.
void CCConvertStringToHex(CString& binary, CString& hex);

// Writes `plaintext` (up to its first zero character) as a protected REG_BINARY value,
// creating the key and its missing parents. 1 when written. `status` gets the last
// registry status (0 when only the protection failed).
int CCEncryptDataToRegistry(HKEY root, CString subKey, CString valueName, CString plaintext, long& status);

// Reads back what CCEncryptDataToRegistry wrote. 1 on success; 0 with `plaintext`
// empty otherwise. `status` gets the last registry status: 2 for a missing key or
// value, 0 when the value is there but cannot be unprotected.
int CCDecryptDataFromRegistry(HKEY root, CString subKey, CString valueName, CString& plaintext, long& status);
