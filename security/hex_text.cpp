// CCConvertStringToHex: binary digits to hex digits, four at a time.
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "Security.h"

namespace {

// strtol(text, nullptr, 2) with a 32-bit long, as the suite's Windows build has it.
int32_t ReadBase2(const CString& text) {
  const long long value = std::strtoll(text.GetString(), nullptr, 2);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

void AppendHex(CString& hex, int32_t value) { hex.AppendFormat("%x", static_cast<uint32_t>(value)); }

}  // namespace

void CCConvertStringToHex(CString& binary, CString& hex) {
  CString group;
  bool written = false;  // a non-zero group has been written
  const int length = binary.GetLength();
  for (int i = 0; i < length; ++i) {
    group.AppendChar(binary[i]);
    if ((i + 1) % 4 != 0) continue;
    const int32_t value = ReadBase2(group);
    // A leading zero group stays in front of the next one, where it changes nothing.
    if (value == 0 && !written) continue;
    if (value > 0) written = true;
    group.Empty();
    AppendHex(hex, value);
  }
  if (length % 4 != 0) AppendHex(hex, ReadBase2(group));
}
