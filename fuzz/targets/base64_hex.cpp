// Base64 and base64url decoders, and hex text: any text decoded with both alphabets (what
// is decoded encodes back to the same bytes), and read as binary digits for hex text.
#include <string>

#include "Base64.h"
#include "Security.h"
#include "fuzz_support.h"

using fuzzing::Require;

namespace {

void requireRoundTrip(const std::string& bytes, std::string (*encode)(const unsigned char*, unsigned int),
                      std::string (*decode)(const std::string&)) {
  const std::string text = encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  Require(text.size() == (bytes.size() + 2) / 3 * 4, "the encoding has its length");
  Require(decode(text) == bytes, "decoded bytes encode back to themselves");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string standard = base64_decode(text), urlSafe = base64URL_decode(text);
  Require(standard.size() <= size * 3 / 4 && urlSafe.size() <= size * 3 / 4, "no more bytes than the text holds");
  requireRoundTrip(standard, base64_encode, base64_decode);
  requireRoundTrip(urlSafe, base64URL_encode, base64URL_decode);
  CString binary(text.c_str()), hex;
  CCConvertStringToHex(binary, hex);
  Require(hex.GetLength() <= binary.GetLength() * 2 + 8, "hex text stays short");
  return 0;
}
