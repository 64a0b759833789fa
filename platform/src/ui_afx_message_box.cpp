#include <string>

#include "afx_application_title.h"
#include "afxmsgbox.h"
#include "afxwinapp.h"
#include "platform_paths.h"
#include "winmodule.h"

namespace platform {

std::string ApplicationFileTitle() {
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string file(path, length < sizeof(path) ? length : 0);
  return file.substr(file.rfind(kPathSeparator) + 1);
}

}  // namespace platform

int AfxMessageBox(LPCSTR text, UINT type, UINT /*helpId*/) {
  const CWinApp* application = AfxGetApp();
  const std::string title = application ? application->m_pszAppName : platform::ApplicationFileTitle();
  return MessageBoxA(nullptr, text, title.c_str(), type);
}
