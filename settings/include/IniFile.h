// One profile file read and written directly (not through Setwell).
#pragma once

#include "afxcoll.h"
#include "afxobject.h"
#include "afxstr.h"

class CIniFile : public CObject {
 public:
  // `reportPath` names the file that receives the labelled copies of written values.
  explicit CIniFile(const char* path, const char* reportPath = "");

  // Every key name of the section, in file order, however long the list.
  // Returns the number of names.
  int GetKeyNames(const char* section, CStringArray& names) const;
  // Every entry of the section in file order, as read in one go: keys[i] = values[i],
  // each value as written (blanks around it trimmed, quotes kept).
  int GetEntries(const char* section, CStringArray& keys, CStringArray& values) const;

  // Writes section/key = value, and to the report file the same value under the key
  // name followed by " (index) ", or " (index)(subIndex) " when subIndex is 0 or more.
  BOOL WriteReportedValue(const char* section, const char* key, const char* value, int index, int subIndex = -1);

  const CString& GetPath() const { return m_Path; }

 private:
  CString m_Path;
  CString m_ReportPath;
};
