#include <cstring>
#include <string>

#include "platform_paths.h"
#include "winfile.h"

namespace {

// Copies at most size-1 characters and a zero; a null output is skipped.
void copyCut(const std::string& text, char* out, size_t size) {
  if (!out) return;
  const size_t length = text.size() < size ? text.size() : size - 1;
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

}  // namespace

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext) {
  std::string result = drive ? drive : "";
  if (dir && *dir) {
    result += dir;
    if (result.back() != platform::kPathSeparator) result += platform::kPathSeparator;
  }
  if (fname) result += fname;
  if (ext && *ext) {
    if (*ext != '.') result += '.';
    result += ext;
  }
  copyCut(result, path, _MAX_PATH);
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  const std::string full = path ? path : "";
  const size_t separator = full.rfind(platform::kPathSeparator);
  const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  size_t dot = full.rfind('.');
  if (dot == std::string::npos || dot < nameStart) dot = full.size();
  copyCut("", drive, _MAX_DRIVE);
  copyCut(full.substr(0, nameStart), dir, _MAX_DIR);
  copyCut(full.substr(nameStart, dot - nameStart), fname, _MAX_FNAME);
  copyCut(full.substr(dot), ext, _MAX_EXT);
}
