#include "long_value.h"

#include <cstdint>
#include <cstdlib>

long StrtolInt32(const char* text, int base, const char** end) {
  char* stop = nullptr;
  const long long value = std::strtoll(text ? text : "", &stop, base);
  if (end) *end = stop;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<long>(value);
}
