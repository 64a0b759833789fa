// The sign-in of the current user: the PKCE pair of this sign-in, the authorized flag,
// the tracking texts handed to the caller, and the refresh of stored tokens.
#pragma once

#include <memory>

#include "CCorvexPkcePair.h"
#include "afxstr.h"

class CCorvexOAuth2 {
 public:
  // Makes the PKCE pair (empty when the random source fails); not authorized yet.
  CCorvexOAuth2();
  ~CCorvexOAuth2();
  // One owner per PKCE pair.
  CCorvexOAuth2(const CCorvexOAuth2&) = delete;
  CCorvexOAuth2& operator=(const CCorvexOAuth2&) = delete;

  int getIsAuthorized() { return m_isAuthorized; }

  // Appends the login event "&t=event&ec=Application&ea=Login&cd1=<user type>
  // &cd2=<company>&cd3=<product>" to `query`, from the stored profile.
  void LogTrackingEvent(CString& query);
  // Appends the software event "&cd3=<system name>&cd5=<product and version>".
  void TrackSoftwareInfos(CString& query);

 protected:
  int m_isAuthorized = 0;
  std::unique_ptr<CCorvexPkcePair> m_pPkcePair;
};

// Asks the token endpoint for fresh tokens with the stored refresh token and stores
// them. The HTTP status (200 when stored; 400 when the refresh token was refused, then
// "access_token" is emptied), or 0 when no answer came or a 200 answer was not stored.
int getRefreshToken();
