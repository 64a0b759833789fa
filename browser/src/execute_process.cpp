#include <QCoreApplication>

#include "cef_app.h"

// The engine's own process entry, exported by Qt6WebEngineCore.
namespace QtWebEngineCore {
int processMain(int argc, const char** argv);
}

int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application, void*) {
  CefRefPtr<CefCommandLine> commandLine = CefCommandLine::CreateCommandLine();
  commandLine->InitFromArgv(args.argc, args.argv);
  if (!commandLine->HasSwitch("type")) return -1;
  // The application sees the sub-process's line; the engine's process reads its own.
  if (application) application->OnBeforeCommandLineProcessing(commandLine->GetSwitchValue("type"), commandLine);
  int argc = args.argc;
  QCoreApplication qtApplication(argc, args.argv);  // the engine's process asks Qt for its paths
  return QtWebEngineCore::processMain(args.argc, const_cast<const char**>(args.argv));
}
