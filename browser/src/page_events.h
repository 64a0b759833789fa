// What a page's signals mean for a browser's client.
#pragma once

#include <QWebEngineLoadingInfo>

#include "browser_host.h"

class QAuthenticator;
class QWebEnginePage;

namespace browser_runtime {

// Started: OnLoadStart. Succeeded, or failed with an HTTP status: OnLoadEnd with the
// status. Stopped: OnLoadError ERR_ABORTED. Failed otherwise: OnLoadError with
// Chromium's code, its text and the full address.
void ReportLoading(RuntimeBrowser& browser, const QWebEngineLoadingInfo& loading);
void ReportLoadError(RuntimeBrowser& browser, int errorCode, const QString& errorText, const QString& failedUrl);

// A log-in challenge: GetAuthCredentials. Credentials given through the callback before
// it returns true answer the challenge; anything else cancels it (an untouched
// authenticator would send empty credentials, and the engine would ask again).
void AnswerLogIn(RuntimeBrowser& browser, const QUrl& origin, QAuthenticator* authenticator, bool isProxy,
                 const QString& proxyHost);

// Connects the page's signals to the browser, with `context` as their receiver.
void ConnectPageEvents(QWebEnginePage* page, QObject* context, RuntimeBrowser* browser);

}  // namespace browser_runtime
