// Starting and ending the runtime, and the application object that shapes it.
#pragma once

#include "cef_base.h"
#include "cef_client.h"
#include "cef_command_line.h"

class CefBrowserProcessHandler : public virtual CefBaseRefCounted {
 public:
  // On the UI thread, once the runtime is ready for browsers.
  virtual void OnContextInitialized() {}
  // The client of browsers made without one.
  virtual CefRefPtr<CefClient> GetDefaultClient() { return nullptr; }
};

class CefApp : public virtual CefBaseRefCounted {
 public:
  // Before the runtime starts in a process of type `process_type` ("" for the browser
  // process): switches added here reach the engine.
  virtual void OnBeforeCommandLineProcessing(const CefString& /*process_type*/, CefRefPtr<CefCommandLine> /*command_line*/) {}
  virtual CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() { return nullptr; }
};

struct CefMainArgs {
  int argc = 0;
  char** argv = nullptr;
  CefMainArgs() = default;
  CefMainArgs(int argc, char** argv) : argc(argc), argv(argv) {}
};

struct CefSettings {
  // Asks for the engine's sandbox off. Honoured only when running as root, where the
  // engine cannot start with it; an ordinary user's renderers stay confined.
  int no_sandbox = 0;
  // The UI thread is the Qt GUI thread in any case; kept for the callers' settings.
  int multi_threaded_message_loop = 0;
  int windowless_rendering_enabled = 0;
  // The absolute path of the sub-process program (Wispal).
  CefString browser_subprocess_path;
};

// In a sub-process (a "--type=" argument) runs the engine's process and returns its exit
// code; in the browser process returns -1 at once.
int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application, void* windows_sandbox_info);

// Starts the runtime on the calling thread, which must be the Qt GUI thread (the main
// thread). False, with a line on standard error, when the sub-process program is missing,
// no window can be shown, or the runtime is already running.
bool CefInitialize(const CefMainArgs& args, const CefSettings& settings, CefRefPtr<CefApp> application,
                   void* windows_sandbox_info);

// Ends the runtime once its browsers are closed.
void CefShutdown();

// High-DPI scaling is Qt's own: nothing to switch on.
inline void CefEnableHighDPISupport() {}
