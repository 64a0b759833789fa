#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "cef_app.h"
#include "cef_task.h"
#include "engine_flags.h"
#include "platform_gui.h"
#include "runtime_state.h"

namespace {

const std::chrono::milliseconds kPageTeardownTime(200);

// The engine's threads run on while the libraries are unloaded at exit (the application
// object, whose end would stop them, is never destroyed). A page closed just before is
// still being taken apart on them then: exit waits until that has had time to end. A
// runtime never shut down still has its pages loading and talking to their renderers, and
// the unloading pulls objects from under those threads: the process ends here instead,
// its output flushed, with the status it was given.
void endBesideTheEngine(int status, void*) {
  if (browser_runtime::Profile()) {
    std::fflush(nullptr);
    _exit(status);
  }
  std::this_thread::sleep_until(browser_runtime::LastPageClosed() + kPageTeardownTime);
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
  const std::string subprocess = settings.browser_subprocess_path.ToString();
  if (!runnable(subprocess)) return refuse("no sub-process program \"" + subprocess + "\"");
  if (!platform::ui::EnsureApplication()) return refuse("no window can be shown");
  if (QThread::currentThread() != QCoreApplication::instance()->thread()) return refuse("not on the GUI thread");
  CefRefPtr<CefCommandLine> commandLine = CefCommandLine::CreateCommandLine();
  commandLine->InitFromArgv(args.argc, args.argv);
  if (application) application->OnBeforeCommandLineProcessing(CefString(), commandLine);
  setEngineEnvironment(subprocess, browser_runtime::EngineFlags(*commandLine, settings));
  browser_runtime::SetRunning(application, commandLine, startEngine());
  static const bool watchesExit = on_exit(endBesideTheEngine, nullptr) == 0;
  (void)watchesExit;
  announceContext(application);
  return true;
}

void CefShutdown() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // views closed just now
  delete browser_runtime::SetStopped();
}
