// The bounds of one PAC evaluation: a memory cap enforced by the engine's allocator, which
// also keeps every block on a list so that all of them can be released without the engine,
// and a deadline that the engine's time-out hook, its allocator and its long native loops
// check.
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
  // Counts `work` units done outside the engine's instruction loop (a byte compared, a
  // growth of memory); true once out of time. The clock is read once per
  // kWorkPerClockRead units, about a millisecond of work.
  bool Charge(size_t work);
  static constexpr size_t kWorkPerClockRead = size_t{1} << 20;

  size_t limit;
  size_t used = 0;
  size_t work = 0;
  BlockHeader* blocks = nullptr;
  bool memoryRefused = false;
  bool timeRanOut = false;
  std::chrono::steady_clock::time_point deadline;
  std::jmp_buf* engineExit = nullptr;  // where the engine is left for good, on a fatal error or the deadline
};

// A new engine heap bounded by `limits` (its user data); null when memory is short.
duk_context* CreateLimitedHeap(HeapLimits& limits);

}  // namespace platform::pac
