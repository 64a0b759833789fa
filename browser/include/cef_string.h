// Text of the browser interfaces: UTF-16, made from and turned into UTF-8 (invalid bytes
// become U+FFFD), UTF-16 or wide (UTF-32) text.
#pragma once

#include <string>

class CefString {
 public:
  CefString() = default;
  CefString(const char* utf8) : m_text(FromUtf8(utf8 ? utf8 : "")) {}
  CefString(const std::string& utf8) : m_text(FromUtf8(utf8)) {}
  CefString(const char16_t* utf16) : m_text(utf16 ? utf16 : u"") {}
  CefString(const std::u16string& utf16) : m_text(utf16) {}
  CefString(const wchar_t* wide) : m_text(FromWide(wide ? wide : L"")) {}
  CefString(const std::wstring& wide) : m_text(FromWide(wide)) {}

  std::string ToString() const;
  const std::u16string& ToString16() const { return m_text; }
  std::wstring ToWString() const;
  bool empty() const { return m_text.empty(); }
  size_t length() const { return m_text.size(); }
  const char16_t* c_str() const { return m_text.c_str(); }

  bool operator==(const CefString& other) const { return m_text == other.m_text; }
  bool operator!=(const CefString& other) const { return m_text != other.m_text; }
  bool operator<(const CefString& other) const { return m_text < other.m_text; }

 private:
  static std::u16string FromUtf8(const std::string& utf8);
  static std::u16string FromWide(const std::wstring& wide);

  std::u16string m_text;
};
