// A browser that is its own frame, showing one address: what the login page's client is
// handed with a load notification.
#pragma once

#include <string>

#include "cef_browser.h"

class PageFrame : public CefBrowser, public CefFrame {
 public:
  explicit PageFrame(const std::string& address) : m_address(address) {}
  CefRefPtr<CefBrowserHost> GetHost() override { return nullptr; }
  CefRefPtr<CefFrame> GetMainFrame() override { return this; }
  int GetIdentifier() override { return 1; }
  bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
  CefString GetURL() override { return m_address; }
  void LoadURL(const CefString&) override {}
  bool IsMain() override { return true; }

 private:
  std::string m_address;
  IMPLEMENT_REFCOUNTING(PageFrame);
};
