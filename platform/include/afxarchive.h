// CArchive: MFC's binary archive over a CFile, for the values the suite serialises
// (texts, integers and doubles), in MFC's byte layout (little-endian, CString with
// MFC's length prefix). A read past the end of the data throws a CArchiveException*.
#pragma once

#include "afxfile.h"

class CArchiveException : public CException {
 public:
  enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

  explicit CArchiveException(int cause = none, const char* fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  BOOL GetErrorMessage(LPSTR message, UINT maxLength, PUINT helpContext = nullptr) const override;

  int m_cause;
  CString m_strFileName;
};

// Throws `new CArchiveException(cause, fileName)`.
[[noreturn]] void AfxThrowArchiveException(int cause, const char* fileName = nullptr);

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };

  // The file stays the caller's; the archive only reads or writes through it.
  CArchive(CFile* file, UINT mode);
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return m_loading; }
  BOOL IsStoring() const { return !m_loading; }
  CFile* GetFile() const { return m_file; }
  void Flush();
  void Close() { Flush(); }

  // Throws readOnly / writeOnly when the archive goes the other way.
  void Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);

  CArchive& operator<<(const CString& text);
  CArchive& operator<<(int value);
  CArchive& operator<<(DWORD value);
  CArchive& operator<<(double value);
  CArchive& operator>>(CString& text);
  CArchive& operator>>(int& value);
  CArchive& operator>>(DWORD& value);
  CArchive& operator>>(double& value);

 private:
  template <class T>
  CArchive& storeValue(T value);
  template <class T>
  CArchive& loadValue(T& value);

  CFile* m_file;
  bool m_loading;
};
