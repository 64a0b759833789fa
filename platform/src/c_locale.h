// The C locale, for text that must not follow the user's language or number format.
#pragma once

#include <locale.h>

namespace platform {

// Made once, never freed.
locale_t CLocale();

// Makes the C locale the calling thread's own for its lifetime.
class CLocaleScope {
 public:
  CLocaleScope() : m_previous(uselocale(CLocale())) {}
  ~CLocaleScope() { uselocale(m_previous); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t m_previous;
};

}  // namespace platform
