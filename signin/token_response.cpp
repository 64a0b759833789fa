#include "token_response.h"

#include <cstring>
#include <exception>

#include "Logger.h"

namespace {

void LogError(const char* text) noexcept {
  try {
    Logger::getInstance()->error(LOG_SCOPE_DEBUG, "Authentication error", text);
  } catch (...) {
  }
}

}  // namespace

size_t TokenResponseWriter(char* data, size_t size, size_t count, void* user) {
  try {
    Logger::getInstance()->info(LOG_SCOPE_DEBUG, "Authentication", "Get curl response from server");
    if (!user) {
      LogError("Cannot register access token, userdata pointer is missing");
      return 0;
    }
    TokenResponse& response = *static_cast<TokenResponse*>(user);
    const size_t length = size * count;
    if (length > kMaxTokenAnswerBytes - response.body.size()) {
      response.tooLarge = true;
      LogError("Token answer larger than 1 MiB, transfer ended");
      return 0;
    }
    response.body.append(data, length);
    return length;
  } catch (const std::exception& error) {
    LogError(error.what());
  } catch (...) {
    LogError("Unknown failure while receiving the token answer");
  }
  return 0;
}

size_t TokenResponseHeader(char* data, size_t size, size_t count, void* user) {
  const size_t length = size * count;
  if (user && length >= 5 && std::memcmp(data, "HTTP/", 5) == 0) static_cast<TokenResponse*>(user)->body.clear();
  return length;
}
