#include "runtime_state.h"

#include <mutex>
#include <utility>

namespace browser_runtime {
namespace {

struct RuntimeState {
  std::mutex mutex;
  CefRefPtr<CefApp> application;
  CefRefPtr<CefCommandLine> commandLine;
  QWebEngineProfile* profile = nullptr;
  int openPages = 0;
  bool engineEnded = false;
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

int OpenPages() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return state().openPages;
}

void NotePageOpened() {
  std::lock_guard<std::mutex> lock(state().mutex);
  ++state().openPages;
}

void NotePageClosed() {
  std::lock_guard<std::mutex> lock(state().mutex);
  --state().openPages;
}

bool EngineEnded() {
  std::lock_guard<std::mutex> lock(state().mutex);
  return state().engineEnded;
}

void NoteEngineEnded() {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().engineEnded = true;
}

void SetRunning(CefRefPtr<CefApp> application, CefRefPtr<CefCommandLine> commandLine, QWebEngineProfile* profile) {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().application = application;
  state().commandLine = commandLine;
  state().profile = profile;
}

QWebEngineProfile* SetStopped() {
  std::lock_guard<std::mutex> lock(state().mutex);
  state().application = nullptr;
  state().commandLine = nullptr;
  return std::exchange(state().profile, nullptr);
}

}  // namespace browser_runtime
