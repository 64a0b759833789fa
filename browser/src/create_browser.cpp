#include <QPointer>
#include <QWidget>

#include "browser_view.h"
#include "cef_task.h"
#include "runtime_state.h"
#include "winwindow.h"

bool CefBrowserHost::CreateBrowser(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefString& url,
                                   const CefBrowserSettings& settings, CefRefPtr<CefDictionaryValue> extra_info,
                                   CefRefPtr<CefRequestContext> request_context) {
  if (!browser_runtime::Profile() || !client) return false;
  if ((windowInfo.style & WS_CHILD) && !windowInfo.parent_window) return false;  // a child needs its parent
  if (!CefCurrentlyOn(TID_UI)) {
    return CefPostTask(TID_UI, CefCreateClosureTask([=] {
      CreateBrowser(windowInfo, client, url, settings, extra_info, request_context);
    }));
  }
  // Watched from now on: a parent that goes before the browser is made takes no browser.
  const bool hasParent = windowInfo.parent_window != nullptr;
  QPointer<QWidget> parent = reinterpret_cast<QWidget*>(windowInfo.parent_window);
  return CefPostTask(TID_UI, CefCreateClosureTask([=] {
    if (hasParent && !parent) return;
    browser_runtime::OpenBrowser(parent, windowInfo, client, url);
  }));
}

void CefWindowInfo::SetAsChild(HWND parent, const CefRect& rect) {
  parent_window = parent;
  bounds = rect;
  style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE;
}
