// The cache of one layer (shared or user) of Setwell's parameters.
#pragma once

#include <cstdio>

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

// The text the cache is keyed by: "<file name>@<section>@<key>", the file argument
// without its folder, so files of the same name share an entry per layer.
CString ParamCacheKey(const char* file, const char* section, const char* key);
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

  CParam* Find(const CString& cacheKey) const;
  // Keeps a value read from disk. An entry with a pending change is left as it is.
  void Remember(const CString& cacheKey, const char* file, const char* section, const char* key, const CString& value,
                int integerValue);
  // Keeps a change to be written by Flush.
  void StoreChange(const CString& cacheKey, const char* file, const char* section, const char* key,
                   const CString& value);

  // The path of the caller's file in this layer; false for an empty argument.
  bool ResolveFile(const char* file, CString& path);

  bool IsDirty() const { return m_Dirty; }
  // Writes the pending changes, one batched profile write per file. A change that
  // cannot be written stays pending. Returns 0, or the Win32 code of the first failure.
  DWORD Flush();
  // One line per pending change (file, section, key; never the value).
  void ReportPending(FILE* stream);

 private:
  CParam* Entry(const CString& cacheKey, const char* file, const char* section, const char* key);

  CMap<CString, const char*, CParam*, CParam*> m_Params;
  CMapStringToString m_Files;  // file argument -> resolved path
  CString m_UserFolder;
  bool m_Dirty = false;
};
