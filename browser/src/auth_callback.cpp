#include "auth_callback.h"

namespace browser_runtime {

void AuthCallback::Continue(const CefString& username, const CefString& password) {
  if (!m_open) return;
  m_open = false;
  m_continued = true;
  m_username = username;
  m_password = password;
}

}  // namespace browser_runtime
