#include "param_cache.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "path_text.h"
#include "platform_paths.h"
#include "winerror.h"
#include "winfile.h"
#include "winprofile.h"

namespace {

// Appends a section or key name as the profile calls match it, without surrounding
// blanks and in lower case, and "@".
void appendFoldedName(CString& text, const char* name) {
  if (name) {
    const char* end = name + std::strlen(name);
    while (*name == ' ' || *name == '\t') ++name;
    while (end > name && (end[-1] == ' ' || end[-1] == '\t')) --end;
    for (; name < end; ++name) text.AppendChar(*name >= 'A' && *name <= 'Z' ? static_cast<char>(*name + 32) : *name);
  }
  text.AppendChar('@');
}

// A file that cannot be written is reported once per process: every start of a
// program whose settings folder is read-only would otherwise repeat it.
bool firstReportOf(const CString& path) {
  static std::set<CString>* reported = new std::set<CString>;  // never destroyed: reports run at unload
  return reported->insert(path).second;
}

}  // namespace

int IntegerOfText(const CString& text) {
  if (text.IsEmpty()) return -1;
  return static_cast<int>(static_cast<uint32_t>(std::strtoll(text, nullptr, 10)));
}

CParamCache::CParamCache() { m_Params.InitHashTable(17); }

CParamCache::~CParamCache() {
  POSITION position = m_Params.GetStartPosition();
  while (position) {
    CString cacheKey;
    CParam* param = nullptr;
    m_Params.GetNextAssoc(position, cacheKey, param);
    delete param;
  }
}

void CParamCache::Serialize(CArchive& /*archive*/) {}  // the cache is never archived

CString CParamCache::KeyOf(const char* file, const char* section, const char* key) {
  // "<section>@<key>@<path>": keys differ early, where they are compared first.
  CString cacheKey, path;
  appendFoldedName(cacheKey, section);
  appendFoldedName(cacheKey, key);
  ResolveFile(file, path);
  cacheKey += path;
  return cacheKey;
}

CParam* CParamCache::Find(const char* file, const char* section, const char* key) {
  CParam* param = nullptr;
  return m_Params.Lookup(KeyOf(file, section, key), param) ? param : nullptr;
}

CParam* CParamCache::Entry(const char* file, const char* section, const char* key) {
  CParam*& param = m_Params[KeyOf(file, section, key)];
  if (!param) {
    param = new CParam;
    param->file = file;
    param->section = section;
    param->key = key;
  }
  return param;
}

void CParamCache::StoreChange(const char* file, const char* section, const char* key, const CString& value) {
  CParam* param = Entry(file, section, key);
  param->value = value;
  param->integerValue = IntegerOfText(value);
  param->dirty = 1;
  m_Dirty = true;
}

bool CParamCache::ResolveFile(const char* file, CString& path) {
  if (!file || !*file) return false;
  const bool bare = !HasSeparator(file);
  if (!bare && m_UserFolder.IsEmpty()) {
    path = file;
    return true;
  }
  if (m_Files.Lookup(file, path)) return true;
  if (bare) {
    char folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(folder, sizeof(folder));
    path = length > 0 && length < sizeof(folder) ? CString(folder) + platform::kPathSeparator + file : CString(file);
  } else {
    path = m_UserFolder + FileNamePart(file);
  }
  m_Files.SetAt(file, path);
  return true;
}

bool CParamCache::ResolveExistingFile(const char* file, CString& path) {
  if (!ResolveFile(file, path)) return false;
  auto known = m_FileExists.find(path);
  if (known == m_FileExists.end()) {
    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    known = m_FileExists.emplace(path, exists).first;
  }
  return known->second;
}

void CParamCache::Recheck(const char* file) {
  CString path;
  if (ResolveFile(file, path)) m_FileExists.erase(path);
}

DWORD CParamCache::Flush() {
  if (!m_Dirty) return 0;
  std::map<CString, std::vector<CParam*>> changesByFile;
  POSITION position = m_Params.GetStartPosition();
  while (position) {
    CString cacheKey, path;
    CParam* param = nullptr;
    m_Params.GetNextAssoc(position, cacheKey, param);
    if (param->dirty && ResolveFile(param->file, path))
      changesByFile[path].push_back(param);
  }
  DWORD firstError = 0;
  m_Dirty = false;
  for (const auto& [path, params] : changesByFile) {
    std::vector<ProfileChange> changes;
    for (const CParam* param : params) changes.push_back({param->section, param->key, param->value});
    const bool written = WritePrivateProfileBatchA(path, changes.data(), changes.size());
    m_FileExists.erase(path);
    if (!written && !firstError) firstError = GetLastError();
    for (CParam* param : params) param->dirty = written ? 0 : 1;
    m_Dirty = m_Dirty || !written;
  }
  return firstError;
}

void CParamCache::ReportPending(FILE* stream) {
  std::map<CString, std::vector<const CParam*>> pendingByFile;
  POSITION position = m_Params.GetStartPosition();
  while (position) {
    CString cacheKey, path;
    CParam* param = nullptr;
    m_Params.GetNextAssoc(position, cacheKey, param);
    if (!param->dirty) continue;
    if (!ResolveFile(param->file, path)) path = param->file;
    pendingByFile[path].push_back(param);
  }
  for (const auto& [path, params] : pendingByFile) {
    if (!firstReportOf(path)) continue;
    std::fprintf(stream, "Setwell: changes not saved: file \"%s\", section \"%s\", key \"%s\"", path.GetString(),
                 params.front()->section.GetString(), params.front()->key.GetString());
    if (params.size() > 1) std::fprintf(stream, " and %zu more", params.size() - 1);
    std::fputc('\n', stream);
  }
}
