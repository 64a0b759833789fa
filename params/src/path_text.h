// Cutting file paths at the directory separator.
#pragma once

#include <cstring>

#include "afxstr.h"
#include "platform_paths.h"

inline bool HasSeparator(const char* path) { return std::strchr(path, platform::kPathSeparator) != nullptr; }

// The part after the last separator (the whole text when there is none).
inline CString FileNamePart(const char* path) {
  const char* cut = std::strrchr(path, platform::kPathSeparator);
  return cut ? CString(cut + 1) : CString(path);
}

// Everything up to and including the last separator (empty when there is none).
inline CString FolderPart(const CString& path) { return path.Left(path.ReverseFind(platform::kPathSeparator) + 1); }

inline bool HasLineBreak(const char* text) { return std::strpbrk(text, "\r\n") != nullptr; }
