#include "pac_answer.h"

#include <sstream>
#include <strings.h>

namespace platform::net {

std::string HostOfUrl(const std::string& url) {
  const size_t scheme = url.find("://");
  const size_t start = scheme == std::string::npos ? 0 : scheme + 3;
  std::string authority = url.substr(start, url.find_first_of("/?#", start) - start);
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) authority.erase(0, at + 1);
  if (!authority.empty() && authority[0] == '[') return authority.substr(1, authority.find(']') - 1);
  return authority.substr(0, authority.find(':'));
}

std::optional<std::string> ProxyOfAnswer(const std::string& answer) {
  std::istringstream entries(answer);
  std::string entry;
  while (std::getline(entries, entry, ';')) {
    std::istringstream words(entry);
    std::string kind, proxy, extra;
    words >> kind >> proxy >> extra;
    if (strcasecmp(kind.c_str(), "DIRECT") == 0 && proxy.empty()) return std::string();
    if (strcasecmp(kind.c_str(), "PROXY") == 0 && !proxy.empty() && extra.empty()) return proxy;
  }
  return std::nullopt;
}

}  // namespace platform::net
