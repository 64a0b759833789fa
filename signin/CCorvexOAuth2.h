// The sign-in of the current user: a stored token refreshed, or the interactive login in
// the browser dialog and the code exchange; the authorized flag; the tracking texts
// handed to the caller.
#pragma once

#include <memory>

#include "CCorvexPkcePair.h"
#include "afxstr.h"

class CCorvexOAuth2 {
 public:
  // Makes the PKCE pair (none when it cannot be allocated, empty when the random source
  // fails), keeps the CA bundle fresh and records the day of the last check; not
  // authorized yet.
  CCorvexOAuth2();
  ~CCorvexOAuth2();
  // Each object owns its own copy of the PKCE pair.
  CCorvexOAuth2(const CCorvexOAuth2& other);
  CCorvexOAuth2& operator=(const CCorvexOAuth2& other);

  int getIsAuthorized() { return m_isAuthorized; }

  // Refreshes a stored access token; without one, or with `force`, shows the login page
  // once and exchanges its code. Signed in: the login event is appended to
  // `loginEventQuery`, and its part before "&cd1" and the software event to
  // `softwareEventQuery`. A failed login shows the error box. Returns when the dialog
  // has closed and the exchange has ended; the outcome is getIsAuthorized().
  void VerifyAuthorization(int force, CString& loginEventQuery, CString& softwareEventQuery);

  // Appends the login event "&t=event&ec=Application&ea=Login&cd1=<user type>
  // &cd2=<company>&cd3=<product>" to `query`, from the stored profile.
  void LogTrackingEvent(CString& query);
  // Appends the software event "&cd3=<system name>&cd5=<product and version>".
  void TrackSoftwareInfos(CString& query);

 protected:
  int m_isAuthorized = 0;
  std::unique_ptr<CCorvexPkcePair> m_pPkcePair;

 private:
  void CheckCertificate();
  void Verify(int force, CString& loginEventQuery, CString& softwareEventQuery);
  // Checks the CA bundle and the PKCE pair, then runs the login dialog once and the
  // code exchange. The error flag: 1 when the login failed, 3 after an exchange; -1 when
  // a check failed and its box was shown (the flow ends there).
  int Login();
};

// Asks the token endpoint for fresh tokens with the stored refresh token and stores
// them. The HTTP status (200 when stored; 400 when the refresh token was refused, then
// "access_token" is emptied), or 0 when no answer came or a 200 answer was not stored.
int getRefreshToken();
