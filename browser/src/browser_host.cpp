#include "browser_host.h"

#include <atomic>

#include "browser_view.h"
#include "cef_task.h"

namespace browser_runtime {
namespace {

int nextIdentifier() {
  static std::atomic<int> last{0};
  return ++last;
}

CefRefPtr<CefLifeSpanHandler> lifeSpanHandler(const CefRefPtr<CefClient>& client) {
  return client ? client->GetLifeSpanHandler() : nullptr;
}

}  // namespace

RuntimeFrame::RuntimeFrame(BrowserView* view) : m_view(view) {}

void RuntimeFrame::LoadURL(const CefString& url) {
  if (m_view) m_view->Open(QString::fromStdU16String(url.ToString16()));
}

RuntimeBrowser::RuntimeBrowser(CefRefPtr<CefClient> client, BrowserView* view)
    : m_client(client), m_frame(new RuntimeFrame(view)), m_view(view), m_identifier(nextIdentifier()) {}

HWND RuntimeBrowser::GetWindowHandle() { return reinterpret_cast<HWND>(static_cast<QWidget*>(m_view.data())); }

bool RuntimeBrowser::askDoClose() {
  if (m_doCloseAsked) return true;
  m_doCloseAsked = true;
  CefRefPtr<CefLifeSpanHandler> handler = lifeSpanHandler(m_client);
  return handler && handler->DoClose(this);
}

void RuntimeBrowser::CloseBrowser(bool force_close) {
  if (!CefCurrentlyOn(TID_UI)) {
    CefRefPtr<RuntimeBrowser> self(this);
    CefPostTask(TID_UI, CefCreateClosureTask([self, force_close] { self->CloseBrowser(force_close); }));
    return;
  }
  if (!m_view || m_doCloseAsked || askDoClose()) return;
  QWidget* window = m_view->window();
  m_view->deleteLater();
  if (window != m_view) window->close();  // the top-level window goes, as with a close box
}

void RuntimeBrowser::ViewDestroyed() {
  askDoClose();
  CefRefPtr<CefLifeSpanHandler> handler = lifeSpanHandler(m_client);
  if (handler) handler->OnBeforeClose(this);
  m_client = nullptr;
}

}  // namespace browser_runtime
