// The bounds of one PAC evaluation: a memory cap enforced by the engine's allocator, which
// also keeps every block on a list so that all of them can be released after a fatal
// error, and a deadline that the engine's time-out hook checks.
#pragma once

#include <chrono>
#include <csetjmp>
#include <cstddef>

#include "duktape.h"

namespace platform::pac {

struct BlockHeader;

struct HeapLimits {
  HeapLimits(size_t memoryLimit, unsigned timeLimitMs);
  ~HeapLimits();  // releases whatever blocks are still held
  HeapLimits(const HeapLimits&) = delete;
  HeapLimits& operator=(const HeapLimits&) = delete;

  bool TimedOut();

  size_t limit;
  size_t used = 0;
  size_t growths = 0;
  BlockHeader* blocks = nullptr;
  bool memoryRefused = false;
  bool timeRanOut = false;
  std::chrono::steady_clock::time_point deadline;
  std::jmp_buf* fatalExit = nullptr;  // where the fatal handler leaves the engine
};

// A new engine heap bounded by `limits` (its user data); null when memory is short.
duk_context* CreateLimitedHeap(HeapLimits& limits);

}  // namespace platform::pac
