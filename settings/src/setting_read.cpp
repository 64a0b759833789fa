#include "setting_read.h"

#include <vector>

#include "Setwell.h"

CString ReadSettingText(const char* file, const char* section, const char* key, int size, const char* defaultValue,
                        int userLayer, int refresh) {
  std::vector<char> buffer(static_cast<size_t>(size));
  const DWORD limit = static_cast<DWORD>(size);
  const DWORD count = Setwell::GetInstance()->ReadStringParameter(section, key, defaultValue, buffer.data(), limit,
                                                                  file, userLayer, refresh);
  return CString(buffer.data(), static_cast<int>(count < limit ? count : limit - 1));
}
