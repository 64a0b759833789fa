#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform_files.h"
#include "platform_paths.h"
#include "winerror.h"
#include "winfind.h"

namespace {

struct FindState {
  std::string folder;
  std::vector<std::string> names;
  size_t next = 0;
};

void fill(const std::string& folder, const std::string& name, LPWIN32_FIND_DATAA data) {
  std::memset(data, 0, sizeof(*data));
  struct stat st;
  if (stat((folder + platform::kPathSeparator + name).c_str(), &st) == 0) {
    data->dwFileAttributes = S_ISDIR(st.st_mode) ? 0x10 : 0x80;
    data->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
    data->nFileSizeLow = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) & 0xFFFFFFFFu);
  }
  std::strncpy(data->cFileName, name.c_str(), MAX_PATH - 1);
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const std::string text = pattern;
  const size_t cut = text.rfind(platform::kPathSeparator);
  const std::string mask = cut == std::string::npos ? text : text.substr(cut + 1);
  std::string folder = cut == std::string::npos ? "." : (cut == 0 ? "/" : text.substr(0, cut));
  folder = platform::ResolvePath(folder);

  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  auto* state = new FindState{folder, {}, 0};
  while (dirent* entry = readdir(dir)) {
    if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, "..")) continue;
    if (fnmatch(mask.c_str(), entry->d_name, FNM_CASEFOLD | FNM_PERIOD) == 0) state->names.push_back(entry->d_name);
  }
  closedir(dir);
  if (state->names.empty()) {
    delete state;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  FindNextFileA(state, data);
  return state;
}

BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data) {
  auto* state = static_cast<FindState*>(find);
  if (!state || find == INVALID_HANDLE_VALUE || !data) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (state->next >= state->names.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  fill(state->folder, state->names[state->next++], data);
  return TRUE;
}

BOOL FindClose(HANDLE find) {
  if (!find || find == INVALID_HANDLE_VALUE) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete static_cast<FindState*>(find);
  return TRUE;
}
