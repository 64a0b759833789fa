// Answers a handler gives back to the runtime.
#pragma once

#include "cef_base.h"
#include "cef_string.h"

// A log-in challenge's answer. It must be given before GetAuthCredentials returns: a
// challenge left unanswered then is cancelled.
class CefAuthCallback : public virtual CefBaseRefCounted {
 public:
  virtual void Continue(const CefString& username, const CefString& password) = 0;
  virtual void Cancel() = 0;
};

// A request's deferred answer. Requests are answered at once here, so it is never given.
class CefCallback : public virtual CefBaseRefCounted {
 public:
  virtual void Continue() = 0;
  virtual void Cancel() = 0;
};
