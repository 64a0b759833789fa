#include "profile_value.h"

#include <vector>

#include "winprofile.h"

CString ReadWholeProfileValue(const char* section, const char* key, const char* defaultValue, const char* path) {
  std::vector<char> buffer(4096);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD count = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, path);
    if (!MayBeCut(count, size)) return CString(buffer.data(), static_cast<int>(count));
    buffer.resize(buffer.size() * 2);
  }
}
