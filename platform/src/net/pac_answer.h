// What FindProxyForURL is given and what its answer means.
#pragma once

#include <optional>
#include <string>

namespace platform::net {

// The host part of an address: without scheme, user information, port and brackets of an
// IPv6 literal; "" when there is none.
std::string HostOfUrl(const std::string& url);

// The proxy an answer such as "PROXY a:1; DIRECT" names: the first "PROXY host:port"
// entry ("a:1"), or "" when a "DIRECT" comes first. Nullopt when it names neither.
std::optional<std::string> ProxyOfAnswer(const std::string& answer);

}  // namespace platform::net
