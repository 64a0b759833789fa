// The answer to one log-in challenge, taken while the handler runs.
#pragma once

#include "cef_callback.h"

namespace browser_runtime {

class AuthCallback : public CefAuthCallback {
 public:
  void Continue(const CefString& username, const CefString& password) override;
  void Cancel() override { m_open = false; }

  // Answers given after this are ignored: the challenge was settled when its handler returned.
  void Close() { m_open = false; }
  bool Continued() const { return m_continued; }
  const CefString& Username() const { return m_username; }
  const CefString& Password() const { return m_password; }

 private:
  bool m_open = true;
  bool m_continued = false;
  CefString m_username;
  CefString m_password;

  IMPLEMENT_REFCOUNTING(AuthCallback);
};

}  // namespace browser_runtime
