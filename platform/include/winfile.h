// Files and folders with the Windows calls' names, results and last-error codes.
// Every name goes through platform::ResolvePath, so names match case-insensitively
// as on Windows. The directory separator is platform::kPathSeparator ('/').
#pragma once

#include "wintypes.h"

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

#define CSIDL_PERSONAL 0x0005
#define CSIDL_FLAG_CREATE 0x8000
#define CSIDL_FLAG_MASK 0xFF00
#define SHGFP_TYPE_CURRENT 0
#define SHGFP_TYPE_DEFAULT 1

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

// FILE_ATTRIBUTE_DIRECTORY for a folder; for a file FILE_ATTRIBUTE_NORMAL, or
// FILE_ATTRIBUTE_READONLY when the user cannot write it. INVALID_FILE_ATTRIBUTES
// with ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when it does not exist.
DWORD GetFileAttributesA(LPCSTR fileName);

// Creates one folder level (ERROR_PATH_NOT_FOUND when the parent is missing,
// ERROR_ALREADY_EXISTS when the name is taken). The attributes are ignored.
BOOL CreateDirectoryA(LPCSTR pathName, LPVOID securityAttributes);
// Creates a folder and every missing folder above it. ERROR_SUCCESS,
// ERROR_ALREADY_EXISTS when the folder exists, else the failing level's error.
int SHCreateDirectoryExA(HWND owner, LPCSTR path, LPVOID securityAttributes);
// Removes an empty folder (ERROR_DIR_NOT_EMPTY, ERROR_DIRECTORY for a file).
BOOL RemoveDirectoryA(LPCSTR pathName);
BOOL DeleteFileA(LPCSTR fileName);

// Renames a file or folder; never replaces an existing target (ERROR_ALREADY_EXISTS).
// Across file systems a file is copied and the source deleted.
BOOL MoveFileA(LPCSTR existingFileName, LPCSTR newFileName);
// MOVEFILE_REPLACE_EXISTING replaces an existing file; MOVEFILE_COPY_ALLOWED
// permits the copy across file systems.
BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
// Copies content, mode and modification time. With failIfExists an existing
// target fails with ERROR_FILE_EXISTS.
BOOL CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists);

// The folder calls below return the length copied without the terminating zero,
// or, when the buffer is too small, the size needed including it (buffer untouched).
// $TMPDIR or /tmp/, always with a trailing separator.
DWORD GetTempPathA(DWORD bufferLength, LPSTR buffer);
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);

// CSIDL_PERSONAL: <home>/Documents into `path` (at least MAX_PATH characters),
// created when CSIDL_FLAG_CREATE is given. S_OK, E_INVALIDARG for another folder,
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) when it does not exist (path emptied).
HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);

// Joins / splits a path. Drive parts are always empty on Linux; a folder part
// ends with the separator. Outputs are cut to _MAX_PATH / _MAX_DIR / ... - 1.
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
