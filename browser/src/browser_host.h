// The runtime's browser: one view, its main frame and its host. Lives on the UI thread;
// the view holds it, and so does every CefRefPtr handed out.
#pragma once

#include <QPointer>
#include <QString>

#include "cef_client.h"

namespace browser_runtime {

class BrowserView;

class RuntimeFrame : public CefFrame {
 public:
  explicit RuntimeFrame(BrowserView* view);

  CefString GetURL() override { return m_url.toStdU16String(); }
  void LoadURL(const CefString& url) override;
  bool IsMain() override { return true; }

  void SetURL(const QString& url) { m_url = url; }

 private:
  QPointer<BrowserView> m_view;
  QString m_url;

  IMPLEMENT_REFCOUNTING(RuntimeFrame);
};

class RuntimeBrowser : public CefBrowser, public CefBrowserHost {
 public:
  RuntimeBrowser(CefRefPtr<CefClient> client, BrowserView* view);

  // CefBrowser methods:
  CefRefPtr<CefBrowserHost> GetHost() override { return this; }
  CefRefPtr<CefFrame> GetMainFrame() override { return m_frame.get(); }
  int GetIdentifier() override { return m_identifier; }
  bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }

  // CefBrowserHost methods:
  CefRefPtr<CefBrowser> GetBrowser() override { return this; }
  void CloseBrowser(bool force_close) override;
  HWND GetWindowHandle() override;

  // The client while the browser is open, null after OnBeforeClose.
  CefRefPtr<CefClient> Client() const { return m_client; }
  RuntimeFrame& Frame() { return *m_frame; }
  // The view is going: DoClose unless asked already, then OnBeforeClose, then the client
  // is let go.
  void ViewDestroyed();

 private:
  bool askDoClose();

  CefRefPtr<CefClient> m_client;
  CefRefPtr<RuntimeFrame> m_frame;
  QPointer<BrowserView> m_view;
  const int m_identifier;
  bool m_doCloseAsked = false;

  IMPLEMENT_REFCOUNTING(RuntimeBrowser);
};

}  // namespace browser_runtime
