#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <cstdio>
#include <cstdlib>

#include "cef_app.h"
#include "cef_task.h"
#include "engine_flags.h"
#include "platform_gui.h"
#include "runtime_state.h"

namespace {

// The engine's threads, its GPU thread among them, run until the application object ends,
// and the libraries unloading at exit would pull code and data from under them. Nothing
// of Qt can be ended safely once exit has begun (the main thread's Qt data is gone): an
// engine that CefShutdown did not stop ends the process here, its output flushed, with
// the status it was given.
void endBeforeTheLibrariesUnload(int status, void*) {
  if (browser_runtime::EngineEnded()) return;
  std::fflush(nullptr);
  _exit(status);
}

bool refuse(const std::string& reason) {
  std::fprintf(stderr, "Browser runtime not started: %s\n", reason.c_str());
  return false;
}

bool runnable(const std::string& program) {
  return !program.empty() && program[0] == '/' && access(program.c_str(), X_OK) == 0;
}

// The engine reads its sub-process and its switches from the environment when it starts
// (argv is the platform's, made before): switches already set there stay first.
void setEngineEnvironment(const std::string& subprocess, const std::vector<std::string>& flags) {
  std::string joined = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS") ? std::getenv("QTWEBENGINE_CHROMIUM_FLAGS") : "";
  for (const std::string& flag : flags) joined += (joined.empty() ? "" : " ") + flag;
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", joined.c_str(), 1);
  setenv("QTWEBENGINEPROCESS_PATH", subprocess.c_str(), 1);
}

QWebEngineProfile* startEngine() {
  auto* profile = new QWebEngineProfile;  // no storage name: off the record
  // A failed load is the client's to show (OnLoadError), not the engine's page.
  profile->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  return profile;
}

void announceContext(CefRefPtr<CefApp> application) {
  CefRefPtr<CefBrowserProcessHandler> handler = application ? application->GetBrowserProcessHandler() : nullptr;
  if (handler) CefPostTask(TID_UI, CefCreateClosureTask([handler] { handler->OnContextInitialized(); }));
}

}  // namespace

bool CefInitialize(const CefMainArgs& args, const CefSettings& settings, CefRefPtr<CefApp> application, void*) {
  if (browser_runtime::Profile()) return refuse("it is already running");
  if (browser_runtime::EngineEnded()) return refuse("it was shut down in this process");
  const std::string subprocess = settings.browser_subprocess_path.ToString();
  if (!runnable(subprocess)) return refuse("no sub-process program \"" + subprocess + "\"");
  if (!platform::ui::EnsureApplication()) return refuse("no window can be shown");
  if (QThread::currentThread() != QCoreApplication::instance()->thread()) return refuse("not on the GUI thread");
  CefRefPtr<CefCommandLine> commandLine = CefCommandLine::CreateCommandLine();
  commandLine->InitFromArgv(args.argc, args.argv);
  if (application) application->OnBeforeCommandLineProcessing(CefString(), commandLine);
  setEngineEnvironment(subprocess, browser_runtime::EngineFlags(*commandLine, settings));
  browser_runtime::SetRunning(application, commandLine, startEngine());
  static const bool watchesExit = on_exit(endBeforeTheLibrariesUnload, nullptr) == 0;
  (void)watchesExit;
  announceContext(application);
  return true;
}

void CefShutdown() {
  if (!browser_runtime::Profile()) return;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // views closed just now
  delete browser_runtime::SetStopped();
  // With every page gone, ending the application stops the engine's threads.
  if (browser_runtime::OpenPages() == 0 && platform::ui::EndApplication()) browser_runtime::NoteEngineEnded();
}
