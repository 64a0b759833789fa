#include "cef_string.h"

#include <QString>

std::string CefString::ToString() const { return QString::fromStdU16String(m_text).toStdString(); }

std::wstring CefString::ToWString() const { return QString::fromStdU16String(m_text).toStdWString(); }

std::u16string CefString::FromUtf8(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

std::u16string CefString::FromWide(const std::wstring& wide) {
  return QString::fromStdWString(wide).toStdU16String();
}
