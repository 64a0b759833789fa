// A page's requests, shown to the client's resource-request handler before they go out.
#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include "browser_host.h"

namespace browser_runtime {

class RequestInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  RequestInterceptor(RuntimeBrowser* browser, QObject* parent)
      : QWebEngineUrlRequestInterceptor(parent), m_browser(browser) {}

  // RV_CANCEL blocks the request; header entries the handler gives back are set on it.
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;

 private:
  RuntimeBrowser* m_browser;  // the page's browser, alive while the page has this interceptor
};

}  // namespace browser_runtime
