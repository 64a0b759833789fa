// The browser's proxy log-in, through the request layer's credential prompt.
#include <atomic>

#include "CCorvexCefClient.h"
#include "CCorvexNetworkUtils.h"
#include "wincred.h"

namespace {

// The flags of the browser's next proxy prompt but for the "always show" bit, which each
// prompt toggles first: the process's first prompt may be answered from the credential
// store, the next one always shows the dialog, and so on.
std::atomic<unsigned long> browserPromptFlags{0x41081};

}  // namespace

bool CCorvexCefClient::GetAuthCredentials(CefRefPtr<CefBrowser>, const CefString&, bool isProxy, const CefString&,
                                          int, const CefString&, const CefString&,
                                          CefRefPtr<CefAuthCallback> callback) {
  if (!isProxy) return false;
  const unsigned long flags = browserPromptFlags.fetch_xor(CREDUI_FLAGS_ALWAYS_SHOW_UI) ^ CREDUI_FLAGS_ALWAYS_SHOW_UI;
  CString user, password;
  if (CCorvexNetworkUtils::GetProxyAuthorization(flags, user, password) != 0) return false;
  callback->Continue(std::string(user.GetString()), std::string(password.GetString()));
  return true;
}
