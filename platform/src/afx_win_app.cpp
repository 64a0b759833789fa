#include "afx_application_title.h"
#include "afxwinapp.h"
#include "winmodule.h"

int __argc = 0;
char** __argv = nullptr;

namespace {

CWinApp* g_application = nullptr;

}  // namespace

CWinApp::CWinApp(LPCSTR appName) : m_appName(appName ? appName : platform::ApplicationFileTitle().c_str()) {
  m_pszAppName = m_appName.GetString();
  g_application = this;
}

CWinApp::~CWinApp() {
  if (g_application == this) g_application = nullptr;
}

CWinApp* AfxGetApp() { return g_application; }

int AfxWinMain(int argc, char** argv) {
  __argc = argc;
  __argv = argv;
  CWinApp* application = AfxGetApp();
  if (!application) return -1;
  application->m_hInstance = GetModuleHandleA(nullptr);
  if (!application->InitInstance()) return application->ExitInstance();
  return application->Run();
}
