#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform_files.h"
#include "platform_paths.h"
#include "winerror.h"
#include "winfile.h"

namespace {

// The Windows convention of the folder calls: the length copied without the zero,
// or the size needed with it when the buffer is too small (buffer left untouched).
DWORD copyOut(const std::string& text, char* buffer, DWORD size) {
  if (!buffer || text.size() >= size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

std::string temporaryFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : "/tmp";
  if (folder.back() != platform::kPathSeparator) folder += platform::kPathSeparator;
  return folder;
}

std::string currentFolder() {
  std::vector<char> buffer(256);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

}  // namespace

DWORD GetTempPathA(DWORD bufferLength, LPSTR buffer) { return copyOut(temporaryFolder(), buffer, bufferLength); }

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) { return copyOut(platform::WindowsFolder(), buffer, size); }

UINT GetSystemDirectoryA(LPSTR buffer, UINT size) { return copyOut(platform::SystemFolder(), buffer, size); }

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
  const std::string folder = currentFolder();
  if (folder.empty()) {
    SetLastError(platform::Win32ErrorFromErrno(errno));
    return 0;
  }
  return copyOut(folder, buffer, bufferLength);
}

HRESULT SHGetFolderPathA(HWND /*owner*/, int folder, HANDLE /*token*/, DWORD /*flags*/, LPSTR path) {
  if (!path) return E_INVALIDARG;
  path[0] = '\0';
  if ((folder & ~CSIDL_FLAG_MASK) != CSIDL_PERSONAL) return E_INVALIDARG;
  const std::string documents = platform::ResolvePath(platform::UserHome() + platform::kPathSeparator + "Documents");
  if (folder & CSIDL_FLAG_CREATE) platform::MakeFolders(documents, 0755);
  struct stat st;
  if (stat(documents.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  if (documents.size() >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
  std::memcpy(path, documents.c_str(), documents.size() + 1);
  return S_OK;
}
