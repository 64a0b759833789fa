#include "identity_token.h"

#include <picojson.h>

#include <cstring>
#include <stdexcept>

#include "Base64.h"
#include "CCorvexOAuth2Globals.h"
#include "Logger.h"
#include "stored_text.h"

namespace {

using Globals = CCorvexOAuth2Globals;

// Unpadded URL-safe Base64 only: a part with other characters, or with a length no
// Base64 text has, is not taken.
bool DecodePart(const std::string& part, std::string& bytes) {
  const char* const alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  if (part.find_first_not_of(alphabet) != std::string::npos || part.size() % 4 == 1) return false;
  bytes = base64URL_decode(part);
  return true;
}

bool IsJsonObject(const std::string& text) {
  picojson::value value;
  std::string error;
  std::string::const_iterator end;
  try {
    end = picojson::parse(value, text.begin(), text.end(), &error);
  } catch (const std::overflow_error&) {  // a number past the range of a double
    return false;
  }
  if (!error.empty() || !value.is<picojson::object>()) return false;
  // Only white space may follow the object.
  return std::string(end, text.end()).find_first_not_of(" \t\r\n") == std::string::npos;
}

bool DecodeJsonPart(const std::string& part, const char* name, std::string& bytes, std::string& error) {
  if (!DecodePart(part, bytes)) {
    error = std::string("the ") + name + " is not URL-safe Base64";
    return false;
  }
  // The claims go on as a zero-terminated text: a zero byte would cut them short.
  if (std::memchr(bytes.data(), '\0', bytes.size()) || !IsJsonObject(bytes)) {
    error = std::string("the ") + name + " is not a JSON object";
    return false;
  }
  return true;
}

}  // namespace

bool DecodeIdentityToken(const std::string& token, std::string& claims, std::string& error) {
  const size_t first = token.find('.');
  const size_t second = first == std::string::npos ? first : token.find('.', first + 1);
  if (second == std::string::npos) {
    error = "fewer than three parts";
    return false;
  }
  std::string header, signature;
  if (!DecodeJsonPart(token.substr(0, first), "header", header, error) ||
      !DecodeJsonPart(token.substr(first + 1, second - first - 1), "claims", claims, error))
    return false;
  if (DecodePart(token.substr(second + 1), signature)) return true;
  error = "the signature is not URL-safe Base64";
  return false;
}

int StoreIdentityProfile(Globals& document, const std::string& idToken) {
  std::string claims, error;
  if (!DecodeIdentityToken(idToken, claims, error)) {
    const std::string line = "Cannot decode identity token: " + error;
    Logger::getInstance()->error(LOG_SCOPE_DEBUG, "Authentication error", line.c_str());
    return 1;
  }
  if (!document.parseData(claims.c_str())) return 1;
  for (const char* name : {Globals::USER_FEDERATED_ID, Globals::USER_COMPANY_NAME}) {
    CString text;
    if (FindStoredText(document, name, Globals::CUSTOM_DESC, text) && !Globals::EncryptData(name, text)) return 0;
  }
  return 1;
}
