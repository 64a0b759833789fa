// The page a client shows in place of one that failed to load.
#include <string>

#include "CCorvexCefClient.h"
#include "cef_parser.h"

namespace {

// The page as a data address: Base64, then URI-encoded so that "+", "/" and "=" pass.
std::string errorPageAddress(const CefString& failedUrl, const CefString& errorText, int errorCode) {
  const std::string page = "<html><body bgcolor=\"white\"><h2>Failed to load URL " + failedUrl.ToString() +
                           " with error " + errorText.ToString() + " (" + std::to_string(errorCode) +
                           ").</h2></body></html>";
  const CefString base64 = CefBase64Encode(page.data(), page.size());
  return "data:text/html;base64," + CefURIEncode(base64, false).ToString();
}

}  // namespace

void CCorvexCefClient::OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, ErrorCode errorCode,
                                   const CefString& errorText, const CefString& failedUrl) {
  if (IsChromeRuntimeEnabled()) return;  // that runtime shows its own page
  if (errorCode == ERR_ABORTED || !frame) return;
  frame->LoadURL(errorPageAddress(failedUrl, errorText, errorCode));
}
