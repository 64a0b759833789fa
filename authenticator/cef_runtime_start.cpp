#include "CCorvexStandAloneAuthent.h"
#include "program_folder.h"
#include "winfile.h"

int CCorvexStandAloneAuthent::_InitCefRuntime() {
  CefEnableHighDPISupport();
  CefMainArgs mainArgs(__argc, __argv);
  m_pCefAppContainer = new CCefAppContainer(new CCorvexCefApp);

  const int exitCode = CefExecuteProcess(mainArgs, m_pCefAppContainer->m_cefApp.get(), nullptr);
  if (exitCode >= 0) return 1;

  CefSettings settings;
  settings.no_sandbox = 1;
  settings.multi_threaded_message_loop = 1;
  settings.windowless_rendering_enabled = 1;

  CString subprocess;
  if (!GetProgramFolder(subprocess)) return 0;
  subprocess += "Wispal";
  if (GetFileAttributesA(subprocess) == INVALID_FILE_ATTRIBUTES) return 0;
  settings.browser_subprocess_path = CefString(subprocess.GetString());

  return CefInitialize(mainArgs, settings, m_pCefAppContainer->m_cefApp.get(), nullptr);
}
