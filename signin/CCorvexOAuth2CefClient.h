// The login page's browser client: watches every finished and failed load, cuts the
// authorization code out of the redirect to the registered redirect address, records the
// outcome and closes its dialog. It also reports a missing network, closes the dialog
// after a failed load of the maker's pages, and gives Google pages a desktop browser's
// identity.
#pragma once

#include <mutex>
#include <string>

#include "CCorvexCefClient.h"
#include "afxstr.h"

// The outcome of one login attempt; every value other than AUTHENT_SUCCEEDED is a failure.
enum { AUTHENT_NONE = 0, AUTHENT_FAILED = 1, AUTHENT_SUCCEEDED = 3 };

class CCorvexOAuth2CefClient : public CCorvexCefClient, public CefResourceRequestHandler {
 public:
  CCorvexOAuth2CefClient();

  // The outcome, and with AUTHENT_SUCCEEDED the code, read together. From any thread.
  int GetAuthState(CString& code) const;
  // Starts an attempt: AUTHENT_NONE and no code.
  void ResetAuthState();
  // No close is posted to the host dialog from now on; call it before the dialog goes.
  void ForgetHostDialog();

  // CefLoadHandler methods:
  void OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, TransitionType) override {}
  void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) override;
  void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
                   const CefString& errorText, const CefString& failedUrl) override;

  // CefRequestHandler methods:
  CefRefPtr<CefResourceRequestHandler> GetResourceRequestHandler(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                                                 CefRefPtr<CefRequest>, bool, bool, const CefString&,
                                                                 bool&) override {
    return this;
  }

  // CefResourceRequestHandler methods:
  // Requests to Google carry exactly one User-Agent, a desktop browser's.
  ReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                   CefRefPtr<CefRequest> request, CefRefPtr<CefCallback> callback) override;

 private:
  int AuthState() const;
  void SetAuthState(int state);
  // Cuts the code out of a redirect address; closes the dialog when both markers are there.
  void ExtractCode(const std::string& address, bool fromLoadEnd);
  void CloseDialog();

  // Written on the browser's UI thread, reset and read by the flow on its own.
  mutable std::mutex m_stateLock;
  int m_nAuthState = AUTHENT_NONE;
  CString m_strAuthCode;
  // Only on the UI thread.
  std::string m_strHttpErrorUrl;
  // Held while the host dialog is posted to or forgotten.
  std::mutex m_hostLock;
};
