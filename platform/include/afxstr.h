// CString: the MFC narrow string as a value class. Text is bytes (UTF-8 plays the
// ANSI code page); a string may hold NUL bytes, and GetLength counts them.
// Positions and counts follow MFC: out-of-range arguments are clamped, never fatal.
#pragma once

#include <cstdarg>
#include <functional>
#include <string>

#include "wintypes.h"

class CString {
 public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  // A null pointer gives an empty string; MAKEINTRESOURCE(id) loads string resource id.
  CString(const char* text);  // NOLINT: implicit as in MFC
  CString(const char* text, int length);
  CString(char ch, int repeat = 1);
  CString(const std::string& text);  // NOLINT
  // UTF-16 text, converted to UTF-8.
  explicit CString(const WCHAR* text);
  ~CString() = default;

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char* text);
  CString& operator=(char ch);

  int GetLength() const { return static_cast<int>(m_text.size()); }
  BOOL IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  char GetAt(int index) const;
  void SetAt(int index, char ch);
  char operator[](int index) const { return GetAt(index); }
  const char* GetString() const { return m_text.c_str(); }
  operator const char*() const { return m_text.c_str(); }  // NOLINT: implicit as in MFC
  // The bytes as a standard string (for the platform layer and tests).
  const std::string& str() const { return m_text; }

  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* chars) const;

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;
  CString SpanIncluding(const char* chars) const;
  CString SpanExcluding(const char* chars) const;
  // Next token delimited by any of `tokens`, from `start`; start becomes -1 at the end.
  CString Tokenize(const char* tokens, int& start) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();
  CString& Trim(char target);
  CString& Trim(const char* targets);
  CString& TrimLeft();
  CString& TrimLeft(char target);
  CString& TrimLeft(const char* targets);
  CString& TrimRight();
  CString& TrimRight(char target);
  CString& TrimRight(const char* targets);

  int Replace(char oldChar, char newChar);
  int Replace(const char* oldText, const char* newText);
  int Remove(char ch);
  int Insert(int index, char ch);
  int Insert(int index, const char* text);
  int Delete(int index, int count = 1);

  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* format, va_list args);
  void AppendFormatV(const char* format, va_list args);

  void Append(const char* text);
  void Append(const char* text, int length);
  void Append(const CString& text) { m_text += text.m_text; }
  void AppendChar(char ch) { m_text += ch; }

  int Compare(const char* text) const;
  int CompareNoCase(const char* text) const;
  int Collate(const char* text) const { return Compare(text); }

  // Writable buffer of at least minLength characters plus a zero. ReleaseBuffer(-1)
  // takes the length up to the first zero; ReleaseBuffer(n) takes n characters.
  char* GetBuffer(int minLength);
  char* GetBuffer() { return GetBuffer(0); }
  char* GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

  // Loads string resource `id` through the resource chain; FALSE (and empty) if missing.
  BOOL LoadString(UINT id);

  CString& operator+=(const CString& text) {
    m_text += text.m_text;
    return *this;
  }
  CString& operator+=(const char* text);
  CString& operator+=(char ch) {
    m_text += ch;
    return *this;
  }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
  friend CString operator+(const CString& a, const char* b);
  friend CString operator+(const char* a, const CString& b);
  friend CString operator+(const CString& a, char b);
  friend CString operator+(char a, const CString& b);

 private:
  std::string m_text;
};

inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.str() < b.str(); }
inline bool operator>(const CString& a, const CString& b) { return b < a; }
inline bool operator<=(const CString& a, const CString& b) { return !(b < a); }
inline bool operator>=(const CString& a, const CString& b) { return !(a < b); }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }

typedef CString CStringA;

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
