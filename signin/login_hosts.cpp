#include "login_hosts.h"

namespace {

std::string WithoutSchemes(std::string text) {
  for (const std::string scheme : {"http://", "https://"})
    for (size_t at = text.find(scheme); at != std::string::npos; at = text.find(scheme, at))
      text.erase(at, scheme.size());
  return text;
}

// The text before the first `stop`, or "" when there is none.
std::string Before(const std::string& text, char stop) {
  const size_t at = text.find(stop);
  return at == std::string::npos ? std::string() : text.substr(0, at);
}

}  // namespace

bool StartsWithAddress(const std::string& address, const std::string& prefix) {
  return address.size() >= prefix.size() && address.compare(0, prefix.size(), prefix) == 0;
}

bool IsExternalLink(const std::string& address, const std::string& authUri, const std::string& homeLabel,
                    const std::string& shortHomeLabel) {
  const std::string host = Before(WithoutSchemes(address), '/');
  const std::string loginPrefix = Before(WithoutSchemes(authUri), '-');
  for (const std::string* mark : {&homeLabel, &shortHomeLabel, &loginPrefix})
    if (host.find(*mark) != std::string::npos) return false;
  return true;
}
