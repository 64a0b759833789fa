#include "runtime_state.h"

#include <mutex>

namespace browser_runtime {
namespace {

struct RuntimeState {
  std::mutex mutex;
  CefRefPtr<CefApp> application;
  CefRefPtr<CefCommandLine> commandLine;
  QWebEngineProfile* profile = nullptr;
};

// Never destroyed: a program may leave without CefShutdown while pages still run.
RuntimeState& state() {
  static RuntimeState* const instance = new RuntimeState;
  return *instance;
}

}  // namespace

CefRefPtr<CefCommandLine> GlobalCommandLine() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return state().commandLine;
}

QWebEngineProfile* Profile() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return state().profile;
}

CefRefPtr<CefApp> Application() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return state().application;
}

void SetRunning(CefRefPtr<CefApp> application, CefRefPtr<CefCommandLine> commandLine, QWebEngineProfile* profile) {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().application = application;
  state().commandLine = commandLine;
  state().profile = profile;
}

void SetStopped() {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().application = nullptr;
  state().commandLine = nullptr;
  state().profile = nullptr;
}

}  // namespace browser_runtime
