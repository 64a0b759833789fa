// The body of a token endpoint's answer as libcurl delivers it, in pieces.
#pragma once

#include <cstddef>
#include <string>

struct TokenResponse {
  std::string body;      // the answer of the last response only
  bool tooLarge = false;  // the answer passed the size limit and the transfer was ended
};

// The largest answer taken: a token answer is a few kilobytes.
constexpr size_t kMaxTokenAnswerBytes = 1024 * 1024;

// libcurl write callback; `user` is the TokenResponse. The byte count when the piece
// was taken; 0, which ends the transfer, without a user pointer, past the size limit
// or when memory runs out. Never lets an exception out.
size_t TokenResponseWriter(char* data, size_t size, size_t count, void* user);

// libcurl header callback; `user` is the TokenResponse. A status line starts a new
// response (a proxy log-in retry, an interim answer), so the body read so far is dropped.
size_t TokenResponseHeader(char* data, size_t size, size_t count, void* user);
