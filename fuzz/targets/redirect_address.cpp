// Redirect addresses: any bytes as the address of a finished or failed load of the login
// page, handed to the login client's notifications; the code the client keeps must come
// out of that address. The address's host is classified as the client does it.
//
// Input: one control byte (bit 0: the load failed, else it ended), then the address.
#include <string>

#include "CCorvexOAuth2CefClient.h"
#include "CCorvexOAuth2Globals.h"
#include "corvex_deployment.h"
#include "fuzz_support.h"
#include "login_hosts.h"
#include "page_frame.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size == 0) return 0;
  const std::string address(reinterpret_cast<const char*>(data + 1), size - 1);
  CefRefPtr<CCorvexOAuth2CefClient> client = new CCorvexOAuth2CefClient;
  CefRefPtr<PageFrame> page = new PageFrame(address);
  if (data[0] & 1)
    client->OnLoadError(page.get(), page.get(), -102, "ERR_CONNECTION_REFUSED", address);
  else
    client->OnLoadEnd(page.get(), page.get(), 200);
  CString code;
  if (client->GetAuthState(code) == AUTHENT_SUCCEEDED)
    Require(!code.IsEmpty() && page->GetURL().ToString().find(code.GetString()) != std::string::npos,
            "the code is a piece of the address");
  IsExternalLink(address, CefString(CCorvexOAuth2Globals::AUTH_URI).ToString(), CORVEX_HOME_DOMAIN_LABEL,
                 CORVEX_HOME_SHORT_DOMAIN_LABEL);
  return 0;
}
