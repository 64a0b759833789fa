#include "browser_view.h"

#include <QPointer>
#include <QWebEnginePage>

#include "cef_task.h"
#include "page_events.h"
#include "request_interceptor.h"
#include "runtime_state.h"
#include "winwindow.h"

namespace browser_runtime {
namespace {

const int kInvalidUrl = -300;

}  // namespace

BrowserView::BrowserView(QWidget* parent, QWebEngineProfile* profile) : QWebEngineView(parent) {
  setPage(new QWebEnginePage(profile, this));
  NotePageOpened();
}

BrowserView::~BrowserView() {
  // Nothing of the page reaches the client once it is told the browser is closing.
  page()->setUrlRequestInterceptor(nullptr);
  page()->disconnect(this);
  if (m_browser) m_browser->ViewDestroyed();
  NotePageClosed();
}

void BrowserView::Attach(CefRefPtr<RuntimeBrowser> browser) {
  m_browser = browser;
  page()->setUrlRequestInterceptor(new RequestInterceptor(browser.get(), this));
  ConnectPageEvents(page(), this, browser.get());
}

void BrowserView::Open(const QString& address) {
  const QUrl url(address, QUrl::TolerantMode);  // as typed addresses are taken
  if (url.isValid() && !url.isRelative()) return load(url);
  // Reported from the event loop, as the engine reports its own failures.
  QPointer<BrowserView> self(this);
  CefPostTask(TID_UI, CefCreateClosureTask([self, address] {
    if (self && self->m_browser) ReportLoadError(*self->m_browser, kInvalidUrl, "ERR_INVALID_URL", address);
  }));
}

void OpenBrowser(QWidget* parent, const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefString& url) {
  QWebEngineProfile* profile = Profile();
  if (!profile) return;
  auto* view = new BrowserView(parent, profile);
  const CefRect& bounds = windowInfo.bounds;
  view->setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);
  CefRefPtr<RuntimeBrowser> browser = new RuntimeBrowser(client, view);
  view->Attach(browser);
  if (CefRefPtr<CefLifeSpanHandler> handler = client->GetLifeSpanHandler()) handler->OnAfterCreated(browser.get());
  if (windowInfo.style & WS_VISIBLE || !parent) view->show();
  browser->Frame().LoadURL(url);
}

}  // namespace browser_runtime
