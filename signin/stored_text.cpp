#include "stored_text.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

CString StoredText(const rapidjson::Value& value) {
  char number[24];
  if (value.IsString()) {
    const bool whole = std::strlen(value.GetString()) == value.GetStringLength();
    return whole ? CString(value.GetString()) : CString();
  }
  if (value.IsInt64()) {
    std::snprintf(number, sizeof(number), "%" PRId64, value.GetInt64());
    return CString(number);
  }
  if (value.IsUint64()) {
    std::snprintf(number, sizeof(number), "%" PRIu64, value.GetUint64());
    return CString(number);
  }
  return CString();
}

bool FindStoredText(CCorvexOAuth2Globals& document, const char* key, const char* parent, CString& text) {
  rapidjson::Value value;
  if (!document.getValueByKey(key, parent, value)) return false;
  text = StoredText(value);
  return true;
}
