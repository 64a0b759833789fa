#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "afxfile.h"
#include "platform_files.h"

namespace {

int causeFromErrno(int error) {
  switch (error) {
    case ENOENT: return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return CFileException::badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return CFileException::accessDenied;
    case EMFILE:
    case ENFILE: return CFileException::tooManyOpenFiles;
    case ENOSPC: return CFileException::diskFull;
    case EIO: return CFileException::hardIO;
    default: return CFileException::genericException;
  }
}

int openFlagsFor(UINT flags) {
  int result = O_CLOEXEC;
  if (flags & CFile::modeReadWrite) {
    result |= O_RDWR;
  } else if (flags & CFile::modeWrite) {
    result |= O_WRONLY;
  } else {
    result |= O_RDONLY;
  }
  if (flags & CFile::modeCreate) {
    result |= O_CREAT;
    if (!(flags & CFile::modeNoTruncate)) result |= O_TRUNC;
  }
  return result;
}

const char* streamModeFor(UINT flags) {
  if (flags & CFile::modeReadWrite) return "r+b";
  if (flags & CFile::modeWrite) return "wb";
  return "rb";
}

}  // namespace

void CObject::Serialize(CArchive&) {}

BOOL CException::GetErrorMessage(LPSTR message, UINT maxLength, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  if (!message || maxLength == 0) return FALSE;
  std::snprintf(message, maxLength, "%s", "An unknown error occurred.");
  return TRUE;
}

BOOL CFileException::GetErrorMessage(LPSTR message, UINT maxLength, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  if (!message || maxLength == 0) return FALSE;
  static const char* const kTexts[] = {
      "No error occurred", "An unspecified error occurred", "The file could not be located",
      "All or part of the path is invalid", "The permitted number of open files was exceeded",
      "The file could not be accessed", "There was an attempt to use an invalid file handle",
      "The current working directory cannot be removed", "There are no more directory entries",
      "There was an error trying to set the file pointer", "There was a hardware error",
      "SHARE.EXE was not loaded, or a shared region was locked", "There was an attempt to lock a region that was already locked",
      "The disk is full", "The end of file was reached"};
  const char* text = (m_cause >= none && m_cause <= endOfFile) ? kTexts[m_cause] : kTexts[genericException];
  std::snprintf(message, maxLength, "%s: %s.", m_strFileName.GetString(), text);
  return TRUE;
}

void AfxThrowFileException(int cause, LONG osError, const char* fileName) {
  throw new CFileException(cause, osError, fileName);
}

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, fileName);
}

CFile::~CFile() {
  if (m_file) std::fclose(m_file);
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  Close();
  auto fail = [&](int err) {
    if (error) *error = CFileException(causeFromErrno(err), static_cast<LONG>(platform::Win32ErrorFromErrno(err)), fileName);
    return FALSE;
  };
  if (!fileName || !*fileName) return fail(ENOENT);
  std::string path = platform::ResolvePath(fileName);
  int fd = ::open(path.c_str(), openFlagsFor(openFlags), 0666);
  if (fd < 0) return fail(errno);
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return fail(EISDIR);
  }
  m_file = fdopen(fd, streamModeFor(openFlags));
  if (!m_file) {
    int err = errno;
    ::close(fd);
    return fail(err);
  }
  m_flags = openFlags;
  m_path = path;
  return TRUE;
}

void CFile::Close() {
  if (!m_file) return;
  FILE* file = m_file;
  m_file = nullptr;
  if (std::fclose(file) != 0) AfxThrowFileException(causeFromErrno(errno), static_cast<LONG>(platform::Win32ErrorFromErrno(errno)), m_path);
}

void CFile::Abort() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}

void CFile::ThrowLastError() const {
  int err = errno ? errno : EIO;
  AfxThrowFileException(causeFromErrno(err), static_cast<LONG>(platform::Win32ErrorFromErrno(err)), m_path);
}

UINT CFile::Read(void* buffer, UINT count) {
  if (!m_file) AfxThrowFileException(CFileException::invalidFile);
  size_t n = std::fread(buffer, 1, count, m_file);
  if (n < count && std::ferror(m_file)) ThrowLastError();
  return static_cast<UINT>(n);
}

void CFile::Write(const void* buffer, UINT count) {
  if (!m_file) AfxThrowFileException(CFileException::invalidFile);
  if (count && std::fwrite(buffer, 1, count, m_file) != count) ThrowLastError();
}

void CFile::Flush() {
  if (m_file && std::fflush(m_file) != 0) ThrowLastError();
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  if (!m_file) AfxThrowFileException(CFileException::invalidFile);
  int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
  if (fseeko(m_file, static_cast<off_t>(offset), whence) != 0) AfxThrowFileException(CFileException::badSeek, -1, m_path);
  return GetPosition();
}

ULONGLONG CFile::GetPosition() const {
  off_t at = m_file ? ftello(m_file) : -1;
  return at < 0 ? 0 : static_cast<ULONGLONG>(at);
}

ULONGLONG CFile::GetLength() const {
  struct stat st;
  if (!m_file) return 0;
  std::fflush(m_file);
  return fstat(fileno(m_file), &st) == 0 ? static_cast<ULONGLONG>(st.st_size) : 0;
}

CString CFile::GetFileName() const {
  int cut = m_path.ReverseFind('/');
  return cut < 0 ? m_path : m_path.Mid(cut + 1);
}

CStdioFile::CStdioFile(const char* fileName, UINT openFlags) : CFile(fileName, openFlags) {}

BOOL CStdioFile::ReadString(CString& line) {
  line.Empty();
  if (!m_file) return FALSE;
  std::string text;
  bool readAny = false;
  for (int ch; (ch = getc(m_file)) != EOF;) {
    readAny = true;
    if (ch == '\n') break;
    text += static_cast<char>(ch);
  }
  if (std::ferror(m_file)) ThrowLastError();
  if (!readAny) return FALSE;
  if (textMode() && !text.empty() && text.back() == '\r') text.pop_back();
  line = CString(text);
  return TRUE;
}

char* CStdioFile::ReadString(char* buffer, UINT max) {
  if (!m_file || !buffer || max == 0) return nullptr;
  UINT used = 0;
  while (used + 1 < max) {
    int ch = getc(m_file);
    if (ch == EOF) break;
    if (textMode() && ch == '\r') {
      int next = getc(m_file);
      if (next == '\n') {
        ch = '\n';
      } else if (next != EOF) {
        ungetc(next, m_file);
      }
    }
    buffer[used++] = static_cast<char>(ch);
    if (ch == '\n') break;
  }
  if (std::ferror(m_file)) ThrowLastError();
  buffer[used] = '\0';
  return used ? buffer : nullptr;
}

void CStdioFile::WriteString(const char* text) {
  if (text) Write(text, static_cast<UINT>(std::strlen(text)));
}
