// Reads: from the cache, else from the user file, else from the shared file.
#include <cstring>

#include "Setwell.h"
#include "param_cache.h"
#include "profile_value.h"
#include "winprofile.h"

namespace {

// A cached value into the caller's buffer: whole with its length when it fits, else
// cut to size-1 characters with the result size (a buffer of 1 or 2 gets empty text).
DWORD copyCached(const CString& value, char* buffer, DWORD size) {
  const DWORD length = static_cast<DWORD>(value.GetLength());
  if (length < size) {
    std::memcpy(buffer, value.GetString(), length);
    buffer[length] = '\0';
    return length;
  }
  if (size > 2) {
    std::memcpy(buffer, value.GetString(), size - 1);
    buffer[size - 1] = '\0';
  } else {
    buffer[0] = '\0';
  }
  return size;
}

// The value a read finds in the caches: the user's when asked for, else the shared
// one. A user-layer read that found no user value leaves an empty user entry, so
// until the user layer has been looked at, a shared entry is not the answer.
const CParam* cachedValue(CParamCache& userCache, CParamCache& sharedCache, const char* file, const char* section,
                          const char* key, int userLayer) {
  if (userLayer) {
    const CParam* user = userCache.Find(file, section, key);
    if (!user) return nullptr;
    if (!user->value.IsEmpty()) return user;
  }
  return sharedCache.Find(file, section, key);
}

// A value read from disk, kept clean.
void keep(CParam& param, const CString& value) {
  param.value = value;
  param.integerValue = IntegerOfText(value);
}

// An integer as the cache keeps it: "%u" of its 32 bits (-1 is "4294967295").
CString integerText(int value) {
  CString text;
  text.Format("%u", static_cast<unsigned>(value));
  return text;
}

// The read of `count` characters into the caller's buffer, whole: read again into a
// larger buffer when the caller's was filled.
CString wholeValue(const char* buffer, DWORD count, DWORD size, const char* section, const char* key,
                   const char* defaultValue, const char* path) {
  if (!MayBeCut(count, size)) return CString(buffer, static_cast<int>(count));
  return ReadWholeProfileValue(section, key, defaultValue, path);
}

}  // namespace

DWORD Setwell::ReadStringParameter(const char* section, const char* key, const char* defaultValue, char* buffer,
                                   DWORD size, const char* file, int userLayer, int refresh) {
  if (!section || !buffer || size == 0 || !file || !*file || (key && !*key)) return 0;
  if (refresh) {
    m_UserCache->Recheck(file);
  } else if (const CParam* hit = cachedValue(*m_UserCache, *m_SharedCache, file, section, key, userLayer)) {
    return copyCached(hit->value, buffer, size);
  }
  return _ReadAndCache(section, key, defaultValue, buffer, size, file, userLayer);
}

int Setwell::ReadIntParameter(const char* section, const char* key, int defaultValue, const char* file,
                              int userLayer, int refresh) {
  if (!section || !key || !*key || !file || !*file) return 0;
  if (refresh) {
    m_UserCache->Recheck(file);
  } else if (const CParam* hit = cachedValue(*m_UserCache, *m_SharedCache, file, section, key, userLayer)) {
    return hit->integerValue;
  }
  return _ReadAndCache(section, key, defaultValue, file, userLayer);
}

// A pending change is never replaced by what the file holds: the read returns it.
// A pending empty user value stands for "no user value" and falls through.
DWORD Setwell::_ReadAndCache(const char* section, const char* key, const char* defaultValue, char* buffer,
                             DWORD size, const char* file, int userLayer) {
  CString path;
  if (userLayer) {
    CParam& user = *m_UserCache->Entry(file, section, key);
    if (user.dirty) {
      if (!user.value.IsEmpty()) return copyCached(user.value, buffer, size);
    } else {
      const DWORD count = m_UserCache->ResolveExistingFile(file, path)
                              ? GetPrivateProfileStringA(section, key, nullptr, buffer, size, path)
                              : 0;
      keep(user, count ? wholeValue(buffer, count, size, section, key, nullptr, path) : CString());
      if (count) return count;
    }
  }
  CParam& shared = *m_SharedCache->Entry(file, section, key);
  if (shared.dirty) return copyCached(shared.value, buffer, size);
  m_SharedCache->ResolveFile(file, path);
  const DWORD count = GetPrivateProfileStringA(section, key, defaultValue, buffer, size, path);
  keep(shared, wholeValue(buffer, count, size, section, key, defaultValue, path));
  return count;
}

int Setwell::_ReadAndCache(const char* section, const char* key, int defaultValue, const char* file, int userLayer) {
  CString path;
  if (userLayer) {
    CParam& user = *m_UserCache->Entry(file, section, key);
    if (user.dirty) {
      if (!user.value.IsEmpty()) return user.integerValue;
    } else {
      const int value = m_UserCache->ResolveExistingFile(file, path)
                            ? static_cast<int>(GetPrivateProfileIntA(section, key, -1, path))
                            : -1;
      keep(user, value != -1 ? integerText(value) : CString());
      if (value != -1) return value;
    }
  }
  CParam& shared = *m_SharedCache->Entry(file, section, key);
  if (shared.dirty) return shared.integerValue;
  m_SharedCache->ResolveFile(file, path);
  const int value = static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path));
  keep(shared, integerText(value));
  return value;
}
