// The network layer's static operations: every HTTP(S) exchange of the suite, the
// user's proxy and its log-in, and the CA bundle the requests verify servers with.
#pragma once

#include <curl/curl.h>

#include <string>

#include "afxstr.h"

// Carries a secret value cut at the end of one chunk of a stream into the next chunk,
// so that MaskSecrets hides its rest too.
struct SecretMaskState {
  int openValue = 0;     // how the cut value ends; 0 when none is open
  bool escaped = false;  // the chunk ended inside a JSON escape
  std::string tail;      // the end of the last chunk, where a field name may begin
};

class CCorvexNetworkUtils {
 public:
  CCorvexNetworkUtils() {}
  ~CCorvexNetworkUtils() {}
  CCorvexNetworkUtils& operator=(const CCorvexNetworkUtils&) { return *this; }

  static const char* const APPLICATION_NAME;
  static const char* const CURL_CERTIFICATE_URL;
  static const char* const CURL_CERT_NAME;
  static const char* const SECTION;
  static const char* const KEY;
  static const char* const DEFAULT_KEY;
  static const char* const USER_DIRECTORY;

  // "proxy status: <decision>" of the last proxy decision; callers append it to their
  // log lines.
  static CString CurrentProxyStatus;

  // Runs one exchange on the caller's handle with the suite's policy added: address,
  // proxy, redirects (https never to http), the configured time-out, the masked trace
  // in deep-log mode and the proxy log-in loop. -1 for a null handle or when the
  // log-in ends without credentials; else the libcurl result.
  static int DoNetworkRequest(void* curl, CString url, int allowProxyLogin, long& httpCode, CURLcode& curlCode,
                              int useProxy);

  // Shows the proxy credential prompt (target "Tamberlo"); 0 when confirmed, the
  // platform's error code otherwise. The outputs are written only on 0.
  static unsigned long GetProxyAuthorization(unsigned long flags, CString& user, CString& password);

  // The text with the values of credentials, codes and tokens replaced by "***":
  // the Authorization and Proxy-Authorization headers and the form, query and JSON
  // fields code, code_verifier, password, client_secret, access_token, refresh_token
  // and id_token. With a state, the text is one chunk of a stream.
  static CString MaskSecrets(const CString& text, SecretMaskState* state = nullptr);

  // The CA bundle file; its folder is made on the way when possible.
  static CString GetCertPath();
  // 1 when a bundle was downloaded, verified and installed; else 0 and the old
  // bundle stays as it was.
  static int DownloadCertificate();
  // 1 when the file holds the bundle's marker line.
  static int CheckCertificateValidity(CString path);

 protected:
  // The proxy configured for the address, "" for none; records the decision in
  // CurrentProxyStatus.
  CString _GetProxyServer(CString url);
  // 1 created, 2 already there, 3 cannot be created.
  int _CreateCertFolder(CString folder);
};
