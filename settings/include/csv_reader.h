// Records of the semicolon-separated information files and the reader for such files.
#pragma once

#include "afxcoll.h"
#include "afxfile.h"

// Splits one line (its bytes, NUL bytes included) into `fields`, which then holds exactly
// the line's fields. A field that starts with a double quote runs to its closing quote
// ("" inside stands for one quote; without a closing quote it runs to the line's end)
// and whatever follows it up to the next separator is dropped. An empty line gives no
// fields; a separator at the end of the line gives no trailing empty field.
void SplitRecord(const char* line, size_t length, CStringArray& fields, char separator = ';');

// A text file read line by line or record by record.
class CSVReader : public CStdioFile {
 public:
  // Longer lines are passed over without being held in memory.
  static const size_t kMaxLineLength = 64 * 1024;

  CSVReader() = default;
  // Opens the file or throws a CFileException*.
  CSVReader(const char* fileName, UINT openFlags);

  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;

  // The next line without its line end; in text mode the "\r" of a "\r\n" end is dropped.
  // A last line without a line end is read too. Over-long lines are passed over (and
  // counted). FALSE at the end of the file.
  BOOL ReadString(CString& line) override;
  using CStdioFile::ReadString;

  // The next line split into fields with ';' as the separator; FALSE at the end.
  BOOL ReadRecord(CStringArray& fields);

  // Lines passed over as longer than kMaxLineLength since the file was opened.
  int GetOverlongLineCount() const { return m_overlongLines; }

 private:
  enum class LineRead { end, line, overlong };
  LineRead readLine();
  // The next line that is not over-long into m_line; false at the end.
  bool nextLine();

  std::string m_line;
  bool m_lineEnded = false;
  int m_overlongLines = 0;
};
