#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "afxarchive.h"

BOOL CArchiveException::GetErrorMessage(LPSTR message, UINT maxLength, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  if (!message || maxLength == 0) return FALSE;
  static const char* const kTexts[] = {"No error occurred",
                                       "An unexpected error occurred while working with the archive",
                                       "An attempt was made to write to an archive opened for loading",
                                       "An unexpected end of file was reached while reading the archive",
                                       "An attempt was made to read from an archive opened for storing",
                                       "The archive holds an invalid format",
                                       "The archive holds an object of an unexpected type",
                                       "The archive holds an object with an invalid schema"};
  const int count = static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]));
  std::snprintf(message, maxLength, "%s", kTexts[m_cause >= 0 && m_cause < count ? m_cause : 1]);
  return TRUE;
}

void AfxThrowArchiveException(int cause, const char* fileName) { throw new CArchiveException(cause, fileName); }

CArchive::CArchive(CFile* file, UINT mode) : m_file(file), m_loading((mode & load) != 0) {}

void CArchive::Flush() {
  if (!m_loading && m_file) m_file->Flush();
}

void CArchive::Read(void* buffer, UINT count) {
  if (!m_loading) AfxThrowArchiveException(CArchiveException::writeOnly, m_file->GetFilePath());
  if (count && m_file->Read(buffer, count) != count)
    AfxThrowArchiveException(CArchiveException::endOfFile, m_file->GetFilePath());
}

void CArchive::Write(const void* buffer, UINT count) {
  if (m_loading) AfxThrowArchiveException(CArchiveException::readOnly, m_file->GetFilePath());
  if (count) m_file->Write(buffer, count);
}

// Integers go out little-endian whatever the machine, as MFC archives do.
template <class T>
CArchive& CArchive::storeValue(T value) {
  unsigned char bytes[sizeof(T)];
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(T));
  for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
  Write(bytes, sizeof(T));
  return *this;
}

template <class T>
CArchive& CArchive::loadValue(T& value) {
  unsigned char bytes[sizeof(T)];
  Read(bytes, sizeof(T));
  uint64_t bits = 0;
  for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  std::memcpy(&value, &bits, sizeof(T));
  return *this;
}

CArchive& CArchive::operator<<(int value) { return storeValue(static_cast<int32_t>(value)); }
CArchive& CArchive::operator<<(DWORD value) { return storeValue(static_cast<uint32_t>(value)); }
CArchive& CArchive::operator<<(double value) { return storeValue(value); }

CArchive& CArchive::operator>>(int& value) {
  int32_t stored = 0;
  loadValue(stored);
  value = stored;
  return *this;
}
CArchive& CArchive::operator>>(DWORD& value) {
  uint32_t stored = 0;
  loadValue(stored);
  value = stored;
  return *this;
}
CArchive& CArchive::operator>>(double& value) { return loadValue(value); }

// MFC's text length prefix: one byte below 0xFF, else 0xFF and a 16-bit length below
// 0xFFFF, else 0xFFFF and a 32-bit length.
CArchive& CArchive::operator<<(const CString& text) {
  const uint32_t length = static_cast<uint32_t>(text.GetLength());
  if (length < 0xFF) {
    storeValue(static_cast<uint8_t>(length));
  } else if (length < 0xFFFF) {
    storeValue(static_cast<uint8_t>(0xFF));
    storeValue(static_cast<uint16_t>(length));
  } else {
    storeValue(static_cast<uint8_t>(0xFF));
    storeValue(static_cast<uint16_t>(0xFFFF));
    storeValue(length);
  }
  Write(text.GetString(), length);
  return *this;
}

CArchive& CArchive::operator>>(CString& text) {
  uint8_t shortLength = 0;
  loadValue(shortLength);
  uint32_t length = shortLength;
  if (shortLength == 0xFF) {
    uint16_t middleLength = 0;
    loadValue(middleLength);
    length = middleLength;
    if (middleLength == 0xFFFF) loadValue(length);
  }
  // Read in pieces, so that a damaged length fails at the end of the data
  // instead of reserving gigabytes first.
  std::string content;
  char piece[4096];
  while (content.size() < length) {
    const UINT count = static_cast<UINT>(std::min<size_t>(sizeof(piece), length - content.size()));
    Read(piece, count);
    content.append(piece, count);
  }
  text = CString(content);
  return *this;
}
