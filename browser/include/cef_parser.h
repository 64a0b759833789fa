// Encodings the browser code uses for data addresses.
#pragma once

#include <cstddef>

#include "cef_string.h"

// Standard Base64 (with "+", "/" and "=" padding) of `size` bytes.
CefString CefBase64Encode(const void* data, size_t size);
// Percent-encodes the UTF-8 bytes of `text`, leaving letters, digits and -_.!~*'() as they
// are; a space becomes "+" when `use_plus`, else "%20".
CefString CefURIEncode(const CefString& text, bool use_plus);
