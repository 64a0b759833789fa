// The application object the program hands to the browser runtime: it adds
// "disable-extensions" to every browser process's command line, is its own browser-process
// handler, and names the live CCorvexCefClient as the runtime's default client.
#pragma once

#include "cef_app.h"

class CCorvexCefApp : public CefApp, public CefBrowserProcessHandler {
 public:
  CCorvexCefApp() = default;
  ~CCorvexCefApp() override = default;

  // CefApp methods:
  void OnBeforeCommandLineProcessing(const CefString& process_type, CefRefPtr<CefCommandLine> command_line) override;
  CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() override { return this; }

  // CefBrowserProcessHandler methods:
  // Nothing: browsers are made by the browser dialog, not at start-up.
  void OnContextInitialized() override {}
  // The current client (CCorvexCefClient::GetInstance) while something holds it, else null.
  CefRefPtr<CefClient> GetDefaultClient() override;

  IMPLEMENT_REFCOUNTING(CCorvexCefApp);
};
