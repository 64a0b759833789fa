#include "csv_reader.h"

#include <cstdio>

CSVReader::CSVReader(const char* fileName, UINT openFlags) : CStdioFile(fileName, openFlags) {}

BOOL CSVReader::Open(const char* fileName, UINT openFlags, CFileException* error) {
  m_overlongLines = 0;
  return CStdioFile::Open(fileName, openFlags, error);
}

// Reads up to the next "\n" (dropped) into m_line; past kMaxLineLength the bytes are
// read and let go.
CSVReader::LineRead CSVReader::readLine() {
  m_line.clear();
  m_lineEnded = false;
  bool readAny = false;
  bool overlong = false;
  flockfile(m_file);
  for (int ch; (ch = getc_unlocked(m_file)) != EOF;) {
    readAny = true;
    if (ch == '\n') {
      m_lineEnded = true;
      break;
    }
    // One byte of room for the "\r" of a "\r\n" end.
    if (m_line.size() > kMaxLineLength) {
      overlong = true;
    } else {
      m_line += static_cast<char>(ch);
    }
  }
  bool failed = ferror(m_file) != 0;
  funlockfile(m_file);
  if (failed) ThrowLastError();
  if (!readAny) return LineRead::end;
  bool crlf = m_lineEnded && !m_line.empty() && m_line.back() == '\r' && (m_flags & typeBinary) == 0;
  if (crlf) m_line.pop_back();
  if (overlong || m_line.size() > kMaxLineLength) {
    m_line.clear();
    return LineRead::overlong;
  }
  return LineRead::line;
}

bool CSVReader::nextLine() {
  if (!m_file) return false;
  for (;;) {
    LineRead read = readLine();
    if (read == LineRead::end) return false;
    if (read == LineRead::line) return true;
    ++m_overlongLines;
  }
}

BOOL CSVReader::ReadString(CString& line) {
  line.Empty();
  if (!nextLine()) return FALSE;
  line = CString(m_line);
  return TRUE;
}

BOOL CSVReader::ReadRecord(CStringArray& fields) {
  if (!nextLine()) {
    fields.RemoveAll();
    return FALSE;
  }
  SplitRecord(m_line.data(), m_line.size(), fields, ';');
  return TRUE;
}
