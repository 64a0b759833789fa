// What a browser tells its client, and the handlers the client hands out for it. All of
// these run on the UI thread. Slots a handler does not replace do nothing.
#pragma once

#include "cef_browser.h"
#include "cef_callback.h"
#include "cef_request.h"

class CefDisplayHandler : public virtual CefBaseRefCounted {
 public:
  virtual void OnTitleChange(CefRefPtr<CefBrowser> /*browser*/, const CefString& /*title*/) {}
};

class CefLifeSpanHandler : public virtual CefBaseRefCounted {
 public:
  virtual void OnAfterCreated(CefRefPtr<CefBrowser> /*browser*/) {}
  // The browser is about to close; false lets the runtime close its window.
  virtual bool DoClose(CefRefPtr<CefBrowser> /*browser*/) { return false; }
  // The browser's last notification.
  virtual void OnBeforeClose(CefRefPtr<CefBrowser> /*browser*/) {}
};

class CefLoadHandler : public virtual CefBaseRefCounted {
 public:
  typedef int TransitionType;
  // Chromium's network error codes, the ones the suite names.
  typedef int ErrorCode;
  static constexpr ErrorCode ERR_ABORTED = -3;

  virtual void OnLoadStart(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/, TransitionType /*transition_type*/) {}
  // A page ended loading with `httpStatusCode` (an HTTP error page too).
  virtual void OnLoadEnd(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/, int /*httpStatusCode*/) {}
  // A load failed: Chromium's code (-3 when stopped), its text, the full failed address.
  virtual void OnLoadError(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/, ErrorCode /*errorCode*/,
                           const CefString& /*errorText*/, const CefString& /*failedUrl*/) {}
};

class CefResourceRequestHandler : public virtual CefBaseRefCounted {
 public:
  enum ReturnValue { RV_CANCEL = 0, RV_CONTINUE, RV_CONTINUE_ASYNC };

  // Before a request is sent. `callback` is null: answer at once (RV_CONTINUE_ASYNC
  // continues). Header entries given back through the request are set on it.
  virtual ReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                           CefRefPtr<CefRequest> /*request*/, CefRefPtr<CefCallback> /*callback*/) {
    return RV_CONTINUE;
  }
};

class CefRequestHandler : public virtual CefBaseRefCounted {
 public:
  virtual CefRefPtr<CefResourceRequestHandler> GetResourceRequestHandler(
      CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/, CefRefPtr<CefRequest> /*request*/, bool /*is_navigation*/,
      bool /*is_download*/, const CefString& /*request_initiator*/, bool& /*disable_default_handling*/) {
    return nullptr;
  }
  // A log-in challenge from a server or (`isProxy`) a proxy: true when the callback was
  // (or is being) given credentials, false to cancel.
  virtual bool GetAuthCredentials(CefRefPtr<CefBrowser> /*browser*/, const CefString& /*origin_url*/, bool /*isProxy*/,
                                  const CefString& /*host*/, int /*port*/, const CefString& /*realm*/, const CefString& /*scheme*/,
                                  CefRefPtr<CefAuthCallback> /*callback*/) {
    return false;
  }
};

class CefClient : public virtual CefBaseRefCounted {
 public:
  virtual CefRefPtr<CefDisplayHandler> GetDisplayHandler() { return nullptr; }
  virtual CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() { return nullptr; }
  virtual CefRefPtr<CefLoadHandler> GetLoadHandler() { return nullptr; }
  virtual CefRefPtr<CefRequestHandler> GetRequestHandler() { return nullptr; }
};
