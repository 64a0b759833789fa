// Folder listing: FindFirstFileA / FindNextFileA / FindClose. The pattern's last
// element may hold the wildcards * and ?, matched ignoring case as on Windows.
#pragma once

#include "winerror.h"

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  CHAR cFileName[MAX_PATH];
};
typedef WIN32_FIND_DATAA* LPWIN32_FIND_DATAA;

// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches, or
// ERROR_PATH_NOT_FOUND when the folder is missing. "." and ".." are never listed.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
// FALSE with ERROR_NO_MORE_FILES after the last match.
BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data);
BOOL FindClose(HANDLE find);

