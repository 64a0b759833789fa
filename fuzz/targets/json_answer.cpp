// JSON answers of the token endpoint: any bytes delivered to the response handler in
// pieces (a status line between them starts the answer again, and a padded answer
// meets the 1 MiB cap), then parsed and looked up the way the answer is stored.
//
// Input: one control byte, then the answer. Control bits 0-5: piece length - 1; bit 6: a
// status line after the first piece; bit 7: padding up to the cap, plus one byte over it
// when bit 0 is set (only for the two control values 0xFE and 0xFF: a 1 MiB answer is slow).
#include <algorithm>
#include <cstring>
#include <string>

#include "CCorvexOAuth2Globals.h"
#include "fuzz_support.h"
#include "stored_text.h"
#include "token_response.h"

using fuzzing::Require;
using Globals = CCorvexOAuth2Globals;

namespace {

void deliver(TokenResponse& response, const char* data, size_t size, size_t pieceLength, bool statusLine) {
  for (size_t at = 0; at < size && !response.tooLarge; at += pieceLength) {
    const size_t length = std::min(pieceLength, size - at);
    char piece[64];
    std::memcpy(piece, data + at, length);
    const size_t taken = TokenResponseWriter(piece, 1, length, &response);
    Require(taken == length || (taken == 0 && response.tooLarge), "a piece is taken whole or the transfer ends");
    if (statusLine && at == 0) {
      char line[] = "HTTP/1.1 200 OK\r\n";
      TokenResponseHeader(line, 1, sizeof(line) - 1, &response);
    }
  }
}

void lookUp(Globals& document) {
  CString text;
  for (const char* key : {Globals::ERROR_DESCRIPTION, Globals::ERROR_TOKEN, Globals::REFRESH_TOKEN, Globals::TOKEN_TYPE,
                          Globals::EXPIRE_IN, Globals::ID_TOKEN})
    FindStoredText(document, key, "", text);
  for (const char* key : {Globals::USER_FEDERATED_ID, Globals::USER_COMPANY_NAME})
    FindStoredText(document, key, Globals::CUSTOM_DESC, text);
  rapidjson::Value found;
  if (document.getValueByKey(Globals::ACCESS_TOKEN, "", found) && found.IsString())
    Require(StoredText(found).GetLength() <= static_cast<int>(found.GetStringLength()), "a token is the text itself");
}

CString nameOf(const rapidjson::Value& name) {
  return CString(name.GetString(), static_cast<int>(name.GetStringLength()));
}

// Every member of the answer looked up by its name, those of an object member with it as
// their parent (names with zero bytes too); lookups move values out, so children go first.
void lookUpEveryMember(Globals& document, const std::string& body) {
  rapidjson::Document names;
  names.Parse<rapidjson::kParseIterativeFlag>(body.c_str());
  if (!names.IsObject()) return;
  rapidjson::Value found;
  for (const auto& member : names.GetObject()) {
    if (!member.value.IsObject()) continue;
    for (const auto& child : member.value.GetObject())
      document.getValueByKey(nameOf(child.name), nameOf(member.name), found);
  }
  for (const auto& member : names.GetObject()) document.getValueByKey(nameOf(member.name), "", found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size == 0) return 0;
  const unsigned control = data[0];
  const char* answer = reinterpret_cast<const char*>(data + 1);
  const size_t answerSize = size - 1;
  const size_t pieceLength = (control & 63) + 1;
  TokenResponse response;
  if (control >= 0xFE && answerSize > 0 && answerSize <= kMaxTokenAnswerBytes) {
    const std::string padding(kMaxTokenAnswerBytes - answerSize + (control & 1), ' ');
    Require(TokenResponseWriter(const_cast<char*>(padding.data()), 1, padding.size(), &response) == padding.size(),
            "padding within the cap is taken");
  }
  deliver(response, answer, answerSize, pieceLength, control & 64);
  Require(response.body.size() <= kMaxTokenAnswerBytes, "the answer stays within the cap");
  if (response.tooLarge) return 0;
  Globals document;
  if (std::memchr(response.body.data(), '\0', response.body.size()) || !document.parseData(response.body.c_str()))
    return 0;
  lookUp(document);
  lookUpEveryMember(document, response.body);
  return 0;
}
