// The browser client of one host dialog: keeps the dialog's live browsers, shows an error
// page when a page fails, answers the proxy's log-in with the request layer's prompt, and
// closes its browsers from any thread. The login page's client derives from it.
#pragma once

#include <atomic>
#include <list>
#include <mutex>

#include "cef_client.h"

class CDialog;

class CCorvexCefClient : public CefClient,
                         public CefDisplayHandler,
                         public CefLifeSpanHandler,
                         public CefLoadHandler,
                         public CefRequestHandler {
 public:
  explicit CCorvexCefClient(CDialog* hostDialog = nullptr);
  ~CCorvexCefClient() override;

  // The most recently made client, null once it is destroyed. No reference is added.
  static CCorvexCefClient* GetInstance();
  // 1 when the runtime's command line has "enable-chrome-runtime", else 0.
  static int IsChromeRuntimeEnabled();

  // Asks for a browser with this client; it arrives in OnAfterCreated.
  void CreateBrowser(const CefWindowInfo& windowInfo, const CefBrowserSettings& settings, const CefString& url);
  // The first browser, or null before OnAfterCreated. From any thread.
  CefRefPtr<CefBrowser> GetBrowser() const;
  bool IsClosing() const { return m_bIsClosing; }
  CDialog* GetHostDialog() const { return m_pHostDialog; }
  void SetHostDialog(CDialog* hostDialog) { m_pHostDialog = hostDialog; }
  // Asks each browser's host to close it; from another thread it moves to the UI thread.
  void CloseAllBrowsers(bool force_close);

  // CefClient methods:
  CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
  CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
  CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
  CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }

  // CefDisplayHandler methods:
  void OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) override;

  // CefLifeSpanHandler methods:
  void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
  bool DoClose(CefRefPtr<CefBrowser> browser) override;
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

  // CefLoadHandler methods:
  void OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, TransitionType) override {}
  void OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int) override {}
  // Shows "Failed to load URL ..." in the frame, unless the load was aborted (-3).
  void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
                   const CefString& errorText, const CefString& failedUrl) override;

  // CefRequestHandler methods:
  // A proxy's challenge gets the request layer's credential prompt, alternately answered
  // from the credential store and always shown; a server's challenge is cancelled.
  bool GetAuthCredentials(CefRefPtr<CefBrowser> browser, const CefString& origin_url, bool isProxy,
                          const CefString& host, int port, const CefString& realm, const CefString& scheme,
                          CefRefPtr<CefAuthCallback> callback) override;

 private:
  void PlatformTitleChange(CefRefPtr<CefBrowser>, const CefString&) {}

  // Changed on the UI thread, read by GetBrowser from the dialog's thread too.
  mutable std::mutex m_browserListLock;
  std::list<CefRefPtr<CefBrowser>> m_BrowserList;
  CDialog* m_pHostDialog;
  std::atomic<bool> m_bIsClosing{false};

  IMPLEMENT_REFCOUNTING(CCorvexCefClient);
};
