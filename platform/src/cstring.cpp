#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "afxstr.h"

namespace {

const char kWhitespace[] = " \t\n\v\f\r";

int clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

bool contains(const char* set, char ch) { return ch != '\0' && set && std::strchr(set, ch) != nullptr; }

char asciiUpper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }
char asciiLower(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

void appendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

CString::CString(const char* text) {
  if (text && IS_INTRESOURCE(text)) {
    LoadString(LOWORD(text));
  } else if (text) {
    m_text = text;
  }
}

CString::CString(const char* text, int length) {
  if (text && length > 0) m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat) : m_text(static_cast<size_t>(std::max(repeat, 0)), ch) {}

CString::CString(const std::string& text) : m_text(text) {}

CString::CString(const WCHAR* text) {
  if (!text) return;
  for (const WCHAR* p = text; *p; ++p) {
    uint32_t code = *p;
    if (code >= 0xD800 && code <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<uint32_t>(p[1]) - 0xDC00);
      ++p;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;  // lone surrogate
    }
    appendUtf8(m_text, code);
  }
}

CString& CString::operator=(const char* text) {
  *this = CString(text);
  return *this;
}

CString& CString::operator=(char ch) {
  m_text.assign(1, ch);
  return *this;
}

char CString::GetAt(int index) const {
  return (index >= 0 && index < GetLength()) ? m_text[static_cast<size_t>(index)] : '\0';
}

void CString::SetAt(int index, char ch) {
  if (index >= 0 && index < GetLength()) m_text[static_cast<size_t>(index)] = ch;
}

int CString::Find(char ch, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength()) return -1;
  size_t at = m_text.find(ch, static_cast<size_t>(start));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* sub, int start) const {
  if (!sub) return -1;
  if (start < 0) start = 0;
  if (start > GetLength()) return -1;
  size_t at = m_text.find(sub, static_cast<size_t>(start));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
  size_t at = m_text.rfind(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const char* chars) const {
  if (!chars || !*chars) return -1;
  size_t at = m_text.find_first_of(chars);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = clamp(first, 0, GetLength());
  count = clamp(count, 0, GetLength() - first);
  return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  count = clamp(count, 0, GetLength());
  return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* chars) const {
  size_t end = chars ? m_text.find_first_not_of(chars) : 0;
  return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::SpanExcluding(const char* chars) const {
  size_t end = (chars && *chars) ? m_text.find_first_of(chars) : std::string::npos;
  return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::Tokenize(const char* tokens, int& start) const {
  if (start < 0 || start >= GetLength()) {
    start = -1;
    return CString();
  }
  if (!tokens || !*tokens) {
    CString rest = Mid(start);
    start = GetLength();
    return rest;
  }
  size_t from = m_text.find_first_not_of(tokens, static_cast<size_t>(start));
  if (from == std::string::npos) {
    start = -1;
    return CString();
  }
  size_t to = m_text.find_first_of(tokens, from);
  if (to == std::string::npos) to = m_text.size();
  start = static_cast<int>(std::min(to + 1, m_text.size()));
  return CString(m_text.substr(from, to - from));
}

CString& CString::MakeUpper() {
  std::transform(m_text.begin(), m_text.end(), m_text.begin(), asciiUpper);
  return *this;
}

CString& CString::MakeLower() {
  std::transform(m_text.begin(), m_text.end(), m_text.begin(), asciiLower);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_text.begin(), m_text.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char target) { return TrimRight(target).TrimLeft(target); }
CString& CString::Trim(const char* targets) { return TrimRight(targets).TrimLeft(targets); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimLeft(char target) {
  const char targets[2] = {target, '\0'};
  return TrimLeft(targets);
}

CString& CString::TrimRight(char target) {
  const char targets[2] = {target, '\0'};
  return TrimRight(targets);
}

CString& CString::TrimLeft(const char* targets) {
  size_t first = 0;
  while (first < m_text.size() && contains(targets, m_text[first])) ++first;
  m_text.erase(0, first);
  return *this;
}

CString& CString::TrimRight(const char* targets) {
  size_t end = m_text.size();
  while (end > 0 && contains(targets, m_text[end - 1])) --end;
  m_text.erase(end);
  return *this;
}

int CString::Replace(char oldChar, char newChar) {
  int count = 0;
  for (char& ch : m_text) {
    if (ch == oldChar) {
      ch = newChar;
      ++count;
    }
  }
  return count;
}

int CString::Replace(const char* oldText, const char* newText) {
  if (!oldText || !*oldText) return 0;
  const size_t oldLength = std::strlen(oldText);
  const std::string replacement = newText ? newText : "";
  int count = 0;
  std::string result;
  size_t from = 0;
  for (size_t at; (at = m_text.find(oldText, from, oldLength)) != std::string::npos; from = at + oldLength) {
    result.append(m_text, from, at - from).append(replacement);
    ++count;
  }
  if (count) m_text = result.append(m_text, from, std::string::npos);
  return count;
}

int CString::Remove(char ch) {
  size_t before = m_text.size();
  m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
  return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch) {
  m_text.insert(static_cast<size_t>(clamp(index, 0, GetLength())), 1, ch);
  return GetLength();
}

int CString::Insert(int index, const char* text) {
  if (text) m_text.insert(static_cast<size_t>(clamp(index, 0, GetLength())), text);
  return GetLength();
}

int CString::Delete(int index, int count) {
  index = clamp(index, 0, GetLength());
  count = clamp(count, 0, GetLength() - index);
  m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  return GetLength();
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::AppendFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  AppendFormatV(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
  m_text.clear();
  AppendFormatV(format, args);
}

void CString::AppendFormatV(const char* format, va_list args) {
  if (!format) return;
  va_list measure;
  va_copy(measure, args);
  int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return;
  const size_t old = m_text.size();
  m_text.resize(old + static_cast<size_t>(length) + 1);
  std::vsnprintf(&m_text[old], static_cast<size_t>(length) + 1, format, args);
  m_text.resize(old + static_cast<size_t>(length));
}

void CString::Append(const char* text) {
  if (text) m_text += text;
}

void CString::Append(const char* text, int length) {
  if (text && length > 0) m_text.append(text, static_cast<size_t>(length));
}

int CString::Compare(const char* text) const { return std::strcmp(m_text.c_str(), text ? text : ""); }

int CString::CompareNoCase(const char* text) const { return strcasecmp(m_text.c_str(), text ? text : ""); }

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
  return &m_text[0];
}

char* CString::GetBufferSetLength(int length) {
  m_text.resize(static_cast<size_t>(std::max(length, 0)));
  return &m_text[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(m_text.c_str()));
  m_text.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

CString& CString::operator+=(const char* text) {
  Append(text);
  return *this;
}

CString operator+(const CString& a, const char* b) {
  CString result(a);
  result.Append(b);
  return result;
}

CString operator+(const char* a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(const CString& a, char b) {
  CString result(a);
  result.AppendChar(b);
  return result;
}

CString operator+(char a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}
