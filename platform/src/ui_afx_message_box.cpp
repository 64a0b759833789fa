#include <string>

#include "afxmsgbox.h"
#include "platform_paths.h"
#include "winmodule.h"

namespace {

std::string applicationTitle() {
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string file(path, length < sizeof(path) ? length : 0);
  return file.substr(file.rfind(platform::kPathSeparator) + 1);
}

}  // namespace

int AfxMessageBox(LPCSTR text, UINT type, UINT /*helpId*/) {
  return MessageBoxA(nullptr, text, applicationTitle().c_str(), type);
}
