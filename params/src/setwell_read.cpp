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
    const CParam* user = m_UserCache->Find(file, section, key);
    if (user && user->dirty) {
      if (!user->value.IsEmpty()) return copyCached(user->value, buffer, size);
    } else if (m_UserCache->ResolveExistingFile(file, path)) {
      const DWORD count = GetPrivateProfileStringA(section, key, nullptr, buffer, size, path);
      if (count) {
        const CString value = wholeValue(buffer, count, size, section, key, nullptr, path);
        m_UserCache->Remember(file, section, key, value, IntegerOfText(value));
        return count;
      }
      m_UserCache->Remember(file, section, key, CString(), -1);  // no user value
    }
  }
  const CParam* shared = m_SharedCache->Find(file, section, key);
  if (shared && shared->dirty) return copyCached(shared->value, buffer, size);
  if (!m_SharedCache->ResolveFile(file, path)) return 0;
  const DWORD count = GetPrivateProfileStringA(section, key, defaultValue, buffer, size, path);
  const CString value = wholeValue(buffer, count, size, section, key, defaultValue, path);
  m_SharedCache->Remember(file, section, key, value, IntegerOfText(value));
  return count;
}

int Setwell::_ReadAndCache(const char* section, const char* key, int defaultValue, const char* file, int userLayer) {
  CString path, text;
  if (userLayer) {
    const CParam* user = m_UserCache->Find(file, section, key);
    if (user && user->dirty) {
      if (!user->value.IsEmpty()) return user->integerValue;
    } else if (m_UserCache->ResolveExistingFile(file, path)) {
      const int value = static_cast<int>(GetPrivateProfileIntA(section, key, -1, path));
      if (value != -1) {
        text.Format("%u", static_cast<unsigned>(value));
        m_UserCache->Remember(file, section, key, text, value);
        return value;
      }
      m_UserCache->Remember(file, section, key, CString(), -1);
    }
  }
  const CParam* shared = m_SharedCache->Find(file, section, key);
  if (shared && shared->dirty) return shared->integerValue;
  if (!m_SharedCache->ResolveFile(file, path)) return defaultValue;
  const int value = static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path));
  text.Format("%u", static_cast<unsigned>(value));
  m_SharedCache->Remember(file, section, key, text, value);
  return value;
}
