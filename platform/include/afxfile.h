// CFile and CStdioFile over stdio, with MFC's open flags and CFileException.
// File names are resolved case-insensitively, as on Windows.
#pragma once

#include <cstdio>

#include "afxobject.h"
#include "afxstr.h"

class CFileException : public CException {
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
  BOOL GetErrorMessage(LPSTR message, UINT maxLength, PUINT helpContext = nullptr) const override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

// Throws `new CFileException(cause, osError, fileName)`.
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, const char* fileName = nullptr);

class CFile : public CObject {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens or throws a CFileException*.
  CFile(const char* fileName, UINT openFlags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  virtual void Close();
  void Abort();
  BOOL IsOpen() const { return m_file != nullptr; }

  // Read and Write throw a CFileException* on an I/O error; Read returns less at the end.
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual void Flush();
  ULONGLONG Seek(LONGLONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  ULONGLONG GetPosition() const;
  ULONGLONG GetLength() const;

  CString GetFilePath() const { return m_path; }
  CString GetFileName() const;

 protected:
  [[noreturn]] void ThrowLastError() const;

  FILE* m_file = nullptr;
  UINT m_flags = 0;
  CString m_path;
};

// Line-oriented text file. In text mode (the default) a "\r\n" line end reads as "\n".
class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  CStdioFile(const char* fileName, UINT openFlags);

  // Reads the next line without its line end; FALSE at the end of the file with
  // nothing read. A last line without a line end is returned. NUL bytes are kept.
  virtual BOOL ReadString(CString& line);
  // fgets-like: up to max-1 characters, the line end kept (as "\n"); null at the end.
  virtual char* ReadString(char* buffer, UINT max);
  virtual void WriteString(const char* text);

 private:
  bool textMode() const { return (m_flags & typeBinary) == 0; }
};
