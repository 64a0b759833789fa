// The PAC evaluator (library PlatformPac), which PlatformNet loads from beside itself the
// first time a script is evaluated: one plain C function, fetched by one symbol.
#pragma once

#include <cstddef>

extern "C" {

struct PacEvaluation {
  const char* script;  // the script's text, scriptLength bytes
  size_t scriptLength;
  const char* url;   // FindProxyForURL's arguments
  const char* host;
  unsigned timeLimitMs;  // for compiling and running the script together
  size_t memoryLimit;    // bytes the engine may hold at once
};

enum PacResult { kPacAnswered = 0, kPacScriptFailed = 1, kPacNoString = 2, kPacOutOfTime = 3, kPacOutOfMemory = 4 };

// Evaluates FindProxyForURL(url, host) on a fresh engine. On kPacAnswered the answer
// (UTF-8, `length` bytes) is handed to deliver(context, answer, length) before the call returns.
typedef int (*PacEvaluateFunction)(const PacEvaluation* evaluation,
                                   void (*deliver)(void* context, const char* answer, size_t length), void* context);

}  // extern "C"

namespace platform::net {

constexpr char kPacLibraryFile[] = "PlatformPac.so";
constexpr char kPacEvaluateSymbol[] = "PlatformPacEvaluate";

}  // namespace platform::net
