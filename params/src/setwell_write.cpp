// Writes: changes kept in the caches until Flush.
#include "Setwell.h"
#include "param_cache.h"
#include "path_text.h"
#include "profile_value.h"
#include "winerror.h"

namespace {

// What a layer holds for the key now: its cached entry, else its file (empty when
// missing). Read only to compare; caching it would turn a missing key into an empty
// value that hides the defaults of later reads.
CString currentValue(CParamCache& cache, const char* section, const char* key, const char* file) {
  if (const CParam* param = cache.Find(file, section, key)) return param->value;
  CString path;
  return cache.ResolveExistingFile(file, path) ? ReadWholeProfileValue(section, key, nullptr, path) : CString();
}

}  // namespace

// A user-layer write compares with the user's own value when there is one (so a user
// value can be set back to the shared one), else with the shared value (so nothing
// is stored while the user keeps the shared value).
int Setwell::WriteParameter(const char* section, const char* key, const char* value, const char* file,
                            int userLayer) {
  if (!section || !key || !value || !file || !*key || !*file) return 0;
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return 0;
  CString current = userLayer ? currentValue(*m_UserCache, section, key, file) : CString();
  if (current.IsEmpty()) current = currentValue(*m_SharedCache, section, key, file);
  if (current == value) return 1;
  (userLayer ? m_UserCache : m_SharedCache)->StoreChange(file, section, key, value);
  m_Dirty = 1;
  return 1;
}

int Setwell::Flush() {
  if (!m_Dirty) return 1;
  DWORD firstError = m_SharedCache->Flush();
  CreateUserConfigFolder();
  const DWORD userError = m_UserCache->Flush();
  if (!firstError) firstError = userError;
  m_Dirty = m_SharedCache->IsDirty() || m_UserCache->IsDirty();
  if (!m_Dirty) return 1;
  SetLastError(firstError);
  return 0;
}
