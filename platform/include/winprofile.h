// Profile (INI) files with the Windows semantics.
//
// Section and key names compare ignoring case; blanks around names and values are
// trimmed and one pair of surrounding quotes (double or single) is stripped from a
// value. A file name without a directory separator lives in the Windows folder
// (platform::WindowsFolder()); a null file name is "win.ini" there. Names resolve
// case-insensitively. Parsed files are cached per path and re-read when they change
// on disk. Every write replaces the file atomically under an advisory lock, keeping
// comments, other lines and the file's line ends.
#pragma once

#include "wintypes.h"

// The value of `key` (quotes stripped), or the default with its trailing blanks
// removed. A null section lists the section names, a null key the section's key
// names (or gives the default when there are none): each name followed by a zero,
// plus a final zero. Returns the characters copied without the last zero; a cut
// value gives size-1, a cut name list size-2.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
// The leading integer of the value ("12ab" 12, "ab" 0, "-3", "0x1F"); the default
// when the key is missing or empty.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// The section's entries as "key=value" strings, each followed by a zero, plus a
// final zero; counts as for a name list.
DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName);
DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR fileName);

// Sets `key` to `value`, creating the file and the section on first write. A null
// value deletes the key, a null key the whole section. With all three of section,
// key and value null it only drops the cached copy of the file and returns FALSE.
// On failure FALSE with the Win32 code in GetLastError; the old file stays intact.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
// Replaces the section's key=value lines with `lines` ("k=v", zero after each, a
// final zero); other lines of the section stay. A null `lines` deletes the section.
BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR fileName);

// One change of WritePrivateProfileBatchA, with WritePrivateProfileStringA's meaning.
struct ProfileChange {
  LPCSTR section;
  LPCSTR key;    // null deletes the section
  LPCSTR value;  // null deletes the key
};
// Applies the changes in order and replaces the file once: the same content as the
// series of WritePrivateProfileStringA calls, but one atomic update.
BOOL WritePrivateProfileBatchA(LPCSTR fileName, const ProfileChange* changes, size_t count);
