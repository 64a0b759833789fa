#include "page_events.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>
#include <QWebEnginePage>

#include "auth_callback.h"

namespace browser_runtime {
namespace {

const int kAborted = -3;
const int kHttpOk = 200;

CefRefPtr<CefLoadHandler> loadHandler(RuntimeBrowser& browser) {
  CefRefPtr<CefClient> client = browser.Client();
  return client ? client->GetLoadHandler() : nullptr;
}

int httpStatus(const QWebEngineLoadingInfo& loading) {
  return loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain ? loading.errorCode() : kHttpOk;
}

}  // namespace

void ReportLoadError(RuntimeBrowser& browser, int errorCode, const QString& errorText, const QString& failedUrl) {
  CefRefPtr<CefLoadHandler> handler = loadHandler(browser);
  if (handler)
    handler->OnLoadError(&browser, browser.GetMainFrame(), errorCode, errorText.toStdU16String(),
                         failedUrl.toStdU16String());
}

void ReportLoading(RuntimeBrowser& browser, const QWebEngineLoadingInfo& loading) {
  CefRefPtr<CefLoadHandler> handler = loadHandler(browser);
  if (!handler) return;
  const QString url = loading.url().toString(QUrl::FullyEncoded);
  const bool httpFailure = loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain;
  switch (loading.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
      browser.Frame().SetURL(url);
      return handler->OnLoadStart(&browser, browser.GetMainFrame(), 0);
    case QWebEngineLoadingInfo::LoadStoppedStatus:
      return ReportLoadError(browser, kAborted, "ERR_ABORTED", url);
    case QWebEngineLoadingInfo::LoadFailedStatus:
      if (!httpFailure) return ReportLoadError(browser, loading.errorCode(), loading.errorString(), url);
      [[fallthrough]];
    case QWebEngineLoadingInfo::LoadSucceededStatus:
      browser.Frame().SetURL(url);
      return handler->OnLoadEnd(&browser, browser.GetMainFrame(), httpStatus(loading));
  }
}

void AnswerLogIn(RuntimeBrowser& browser, const QUrl& origin, QAuthenticator* authenticator, bool isProxy,
                 const QString& proxyHost) {
  CefRefPtr<CefClient> client = browser.Client();
  CefRefPtr<CefRequestHandler> handler = client ? client->GetRequestHandler() : nullptr;
  CefRefPtr<AuthCallback> callback = new AuthCallback;
  const QString host = isProxy ? proxyHost : origin.host();
  const int port = isProxy ? 0 : origin.port(origin.scheme() == "http" ? 80 : 443);
  const bool answered =
      handler && handler->GetAuthCredentials(&browser, origin.toString().toStdU16String(), isProxy,
                                             host.toStdU16String(), port, authenticator->realm().toStdU16String(),
                                             CefString(), callback.get());
  callback->Close();
  if (answered && callback->Continued()) {
    authenticator->setUser(QString::fromStdU16String(callback->Username().ToString16()));
    authenticator->setPassword(QString::fromStdU16String(callback->Password().ToString16()));
  } else {
    *authenticator = QAuthenticator();
  }
}

void ConnectPageEvents(QWebEnginePage* page, QObject* context, RuntimeBrowser* browser) {
  QObject::connect(page, &QWebEnginePage::loadingChanged, context,
                   [browser](const QWebEngineLoadingInfo& loading) { ReportLoading(*browser, loading); });
  QObject::connect(page, &QWebEnginePage::titleChanged, context, [browser](const QString& title) {
    CefRefPtr<CefClient> client = browser->Client();
    CefRefPtr<CefDisplayHandler> handler = client ? client->GetDisplayHandler() : nullptr;
    if (handler) handler->OnTitleChange(browser, title.toStdU16String());
  });
  // Every page load stays on verified TLS: the load fails with the certificate's code.
  QObject::connect(page, &QWebEnginePage::certificateError, context, [](const QWebEngineCertificateError& error) {
    QWebEngineCertificateError answer = error;
    answer.rejectCertificate();
  });
  QObject::connect(page, &QWebEnginePage::authenticationRequired, context,
                   [browser](const QUrl& origin, QAuthenticator* authenticator) {
                     AnswerLogIn(*browser, origin, authenticator, false, QString());
                   });
  QObject::connect(page, &QWebEnginePage::proxyAuthenticationRequired, context,
                   [browser](const QUrl& origin, QAuthenticator* authenticator, const QString& proxyHost) {
                     AnswerLogIn(*browser, origin, authenticator, true, proxyHost);
                   });
}

}  // namespace browser_runtime
