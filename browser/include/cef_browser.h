// A browser: one web view inside a parent window, its main frame, and its host, which
// creates and closes it. All of it lives on the UI thread (cef_task.h).
#pragma once

#include "cef_base.h"
#include "cef_string.h"
#include "wintypes.h"

class CefClient;
class CefBrowserHost;

struct CefRect {
  int x = 0, y = 0, width = 0, height = 0;
  CefRect() = default;
  CefRect(int x, int y, int width, int height) : x(x), y(y), width(width), height(height) {}
};

// Where a browser's window goes: a child of `parent_window` (a QWidget* as HWND), at
// `bounds` in the parent's coordinates, shown when `style` has WS_VISIBLE. Without a
// parent the browser is a window of its own.
struct CefWindowInfo {
  HWND parent_window = nullptr;
  DWORD style = 0;
  CefRect bounds;

  void SetAsChild(HWND parent, const CefRect& rect);
};

// Per-browser settings: the engine's defaults.
struct CefBrowserSettings {};

// Extra data for a new browser, and a request context other than the default one: the
// runtime takes neither, so callers pass null.
class CefDictionaryValue : public virtual CefBaseRefCounted {};
class CefRequestContext : public virtual CefBaseRefCounted {};

// The page shown by a browser. The engine reports loads per page, so a browser has one
// frame, its main frame.
class CefFrame : public virtual CefBaseRefCounted {
 public:
  // The address of the page this frame's last load notification was about.
  virtual CefString GetURL() = 0;
  virtual void LoadURL(const CefString& url) = 0;
  virtual bool IsMain() = 0;
};

class CefBrowser : public virtual CefBaseRefCounted {
 public:
  virtual CefRefPtr<CefBrowserHost> GetHost() = 0;
  virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
  virtual int GetIdentifier() = 0;
  virtual bool IsSame(CefRefPtr<CefBrowser> that) = 0;
};

class CefBrowserHost : public virtual CefBaseRefCounted {
 public:
  // Asks for a browser showing `url`, from any thread; it is made on the UI thread, and
  // the client's OnAfterCreated receives it. False when the runtime is not running.
  static bool CreateBrowser(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefString& url,
                            const CefBrowserSettings& settings, CefRefPtr<CefDictionaryValue> extra_info,
                            CefRefPtr<CefRequestContext> request_context);

  virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
  // From any thread: DoClose, then unless it answers true the browser's window goes (its
  // top-level window is asked to close), then OnBeforeClose.
  virtual void CloseBrowser(bool force_close) = 0;
  // The browser's window (a QWidget* as HWND), null once it is gone.
  virtual HWND GetWindowHandle() = 0;
};
