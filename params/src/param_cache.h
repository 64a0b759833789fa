// The cache of one layer (shared or user) of Setwell's parameters.
#pragma once

#include <cstdio>
#include <map>

#include "afxcoll.h"
#include "afxobject.h"
#include "afxstr.h"
#include "wintypes.h"

// One cached key.
struct CParam {
  int dirty = 0;        // changed in memory, not yet written
  CString file;         // the file argument as the caller passed it
  CString section;
  CString key;          // empty for a key list (null key)
  CString value;        // bytes with their length: a key list holds NULs
  int integerValue = -1;
};

// atoi of the text (wrapping at 32 bits), or -1 for an empty text.
int IntegerOfText(const CString& text);

class CParamCache : public CObject {
 public:
  CParamCache();
  ~CParamCache() override;  // deletes the parameters without writing them
  CParamCache(const CParamCache&) = delete;
  CParamCache& operator=(const CParamCache&) = delete;
  void Serialize(CArchive& archive) override;

  // Empty for the shared layer; the user configuration folder for the user layer.
  void SetUserFolder(const CString& folder) { m_UserFolder = folder; }

  // Entries are keyed by the file's path in this layer and by section and key as the
  // profile calls match them (surrounding blanks dropped, letter case ignored), so
  // every spelling of one key of one file is one entry.
  CParam* Find(const char* file, const char* section, const char* key);
  // The entry, made (empty, clean) when there is none.
  CParam* Entry(const char* file, const char* section, const char* key);
  // Keeps a change to be written by Flush.
  void StoreChange(const char* file, const char* section, const char* key, const CString& value);

  // The path of the caller's file in this layer; false for an empty argument.
  bool ResolveFile(const char* file, CString& path);
  // As ResolveFile, and false while no file is there. Whether it is there is looked
  // at once per file, and again after Recheck (a refreshed read) or a Flush.
  bool ResolveExistingFile(const char* file, CString& path);
  void Recheck(const char* file);

  bool IsDirty() const { return m_Dirty; }
  // Writes the pending changes, one batched profile write per file. A change that
  // cannot be written stays pending. Returns 0, or the Win32 code of the first failure.
  DWORD Flush();
  // One line per file with pending changes (its first section and key, never a
  // value), each file once per process.
  void ReportPending(FILE* stream);

 private:
  CString KeyOf(const char* file, const char* section, const char* key);

  CMap<CString, const char*, CParam*, CParam*> m_Params;
  CMapStringToString m_Files;             // file argument -> resolved path
  std::map<CString, bool> m_FileExists;  // resolved path -> a file is there
  CString m_UserFolder;
  bool m_Dirty = false;
};
