#include "registry_store.h"

namespace platform {
namespace registry {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

// ASCII only, like the hive's NOCASE collation, whatever the locale.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

LONG SplitKeyPath(LPCSTR text, KeyPath& path) {
  path.clear();
  if (!text || !*text) return ERROR_SUCCESS;
  std::string rest = text;
  // "A\B\" and "A\B\\" name A\B, as on Windows; "\" alone is the key itself.
  while (!rest.empty() && rest.back() == '\\') rest.pop_back();
  if (rest.empty()) return ERROR_SUCCESS;
  if (rest.front() == '\\') return ERROR_BAD_PATHNAME;
  size_t start = 0;
  for (;;) {
    size_t cut = rest.find('\\', start);
    std::string element = rest.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
    if (element.empty()) return ERROR_BAD_PATHNAME;
    path.push_back(element);
    if (cut == std::string::npos) return ERROR_SUCCESS;
    start = cut + 1;
  }
}

}  // namespace registry
}  // namespace platform
