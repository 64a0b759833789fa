#include "request_interceptor.h"

#include "cef_request.h"

namespace browser_runtime {
namespace {

// The engine does not show the headers a request will carry: the map starts empty and
// keeps what the handler gives back.
class InterceptedRequest : public CefRequest {
 public:
  explicit InterceptedRequest(const QWebEngineUrlRequestInfo& info)
      : m_url(info.requestUrl().toString(QUrl::FullyEncoded).toStdU16String()),
        m_method(QString::fromLatin1(info.requestMethod()).toStdU16String()) {}

  CefString GetURL() override { return m_url; }
  CefString GetMethod() override { return m_method; }
  void GetHeaderMap(HeaderMap& headers) override { headers = m_headers; }
  void SetHeaderMap(const HeaderMap& headers) override { m_headers = headers; }

  const HeaderMap& Headers() const { return m_headers; }

 private:
  CefString m_url;
  CefString m_method;
  HeaderMap m_headers;

  IMPLEMENT_REFCOUNTING(InterceptedRequest);
};

CefRefPtr<CefResourceRequestHandler> resourceHandler(RuntimeBrowser& browser, CefRefPtr<CefRequest> request,
                                                     const QWebEngineUrlRequestInfo& info) {
  CefRefPtr<CefClient> client = browser.Client();
  CefRefPtr<CefRequestHandler> handler = client ? client->GetRequestHandler() : nullptr;
  if (!handler) return nullptr;
  const bool navigation = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame;
  bool disableDefaultHandling = false;
  return handler->GetResourceRequestHandler(&browser, browser.GetMainFrame(), request, navigation, false,
                                            info.initiator().toString().toStdU16String(), disableDefaultHandling);
}

}  // namespace

void RequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  CefRefPtr<InterceptedRequest> request = new InterceptedRequest(info);
  CefRefPtr<CefResourceRequestHandler> handler = resourceHandler(*m_browser, request.get(), info);
  if (!handler) return;
  if (handler->OnBeforeResourceLoad(m_browser, m_browser->GetMainFrame(), request.get(), nullptr) ==
      CefResourceRequestHandler::RV_CANCEL)
    return info.block(true);
  for (const auto& [name, value] : request->Headers())
    info.setHttpHeader(QString::fromStdU16String(name.ToString16()).toUtf8(),
                       QString::fromStdU16String(value.ToString16()).toUtf8());
}

}  // namespace browser_runtime
