// National-language calls: the user's number format and text conversion to UTF-16.
// The "ANSI code page" is UTF-8.
#pragma once

#include "winerror.h"
#include "wintypes.h"

typedef DWORD LCID;
typedef DWORD LCTYPE;

#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_SDECIMAL 0x0000000E

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x00000008

// LOCALE_SDECIMAL: the decimal point of the numeric locale the environment names
// (LC_ALL, else LC_NUMERIC, else LANG), "." when none is set or it is unknown.
// Returns the characters written with the terminating zero; with size 0, the size
// needed. 0 with ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_PARAMETER or ERROR_INVALID_FLAGS.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);

// UTF-8 to UTF-16 for CP_ACP, CP_THREAD_ACP and CP_UTF8. A length of -1 takes the text
// up to and with its zero. Returns the UTF-16 units written, or with wideSize 0 the
// units needed. Invalid bytes become U+FFFD, or fail with ERROR_NO_UNICODE_TRANSLATION
// under MB_ERR_INVALID_CHARS.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide, int wideSize);
