// The widget that shows a browser's page. It holds its browser; its page's signals reach
// the browser's client (page_events.h) until the view starts to go, and its going ends
// the browser (DoClose, OnBeforeClose).
#pragma once

#include <QWebEngineView>

#include "browser_host.h"

class QWebEngineProfile;

namespace browser_runtime {

class BrowserView : public QWebEngineView {
 public:
  BrowserView(QWidget* parent, QWebEngineProfile* profile);
  ~BrowserView() override;

  // Takes the browser this view shows and starts delivering its notifications.
  void Attach(CefRefPtr<RuntimeBrowser> browser);
  // Loads an address; one that is no absolute URL fails with ERR_INVALID_URL.
  void Open(const QString& address);

 private:
  CefRefPtr<RuntimeBrowser> m_browser;
};

// Makes a browser for `client` as the window information says and opens `url` in it.
void OpenBrowser(QWidget* parent, const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefString& url);

}  // namespace browser_runtime
