#include "pac_heap_limits.h"

#include <cstdlib>

namespace platform::pac {

struct alignas(std::max_align_t) BlockHeader {
  BlockHeader* previous;
  BlockHeader* next;
  size_t size;
};

namespace {

HeapLimits& limitsOf(void* udata) { return *static_cast<HeapLimits*>(udata); }

BlockHeader* headerOf(void* block) { return static_cast<BlockHeader*>(block) - 1; }

void link(HeapLimits& limits, BlockHeader* header) {
  header->previous = nullptr;
  header->next = limits.blocks;
  if (limits.blocks) limits.blocks->previous = header;
  limits.blocks = header;
}

void unlink(HeapLimits& limits, BlockHeader* header) {
  if (header->previous) header->previous->next = header->next;
  else limits.blocks = header->next;
  if (header->next) header->next->previous = header->previous;
}

// The engine's state is abandoned: back where the evaluation began, its blocks released
// with `limits`.
[[noreturn]] void leaveEngine(HeapLimits& limits) { std::longjmp(*limits.engineExit, 1); }

// Growth is refused past the cap. Past the deadline the engine is left at once: a script
// that catches every refusal would otherwise have the engine collect its full heap again
// and again, for minutes, before the time-out hook is next asked.
constexpr size_t kGrowthWork = HeapLimits::kWorkPerClockRead / 32;

bool mayGrow(HeapLimits& limits, size_t released, size_t wanted) {
  if (wanted <= released) return true;
  if (limits.Charge(kGrowthWork)) leaveEngine(limits);
  if (wanted <= limits.limit && limits.used - released <= limits.limit - wanted) return true;
  if (limits.TimedOut()) leaveEngine(limits);
  limits.memoryRefused = true;
  return false;
}

void* reallocate(void* udata, void* block, duk_size_t size) {
  HeapLimits& limits = limitsOf(udata);
  BlockHeader* old = block ? headerOf(block) : nullptr;
  const size_t oldSize = old ? old->size : 0;
  if (size == 0) {
    if (old) {
      unlink(limits, old);
      limits.used -= oldSize;
      std::free(old);
    }
    return nullptr;
  }
  if (!mayGrow(limits, oldSize, size)) return nullptr;
  if (old) unlink(limits, old);
  auto* header = static_cast<BlockHeader*>(std::realloc(old, sizeof(BlockHeader) + size));
  if (!header) {
    if (old) link(limits, old);  // the old block stays valid
    return nullptr;
  }
  header->size = size;
  link(limits, header);
  limits.used += size - oldSize;
  return header + 1;
}

void* allocate(void* udata, duk_size_t size) { return reallocate(udata, nullptr, size ? size : 1); }

void release(void* udata, void* block) { reallocate(udata, block, 0); }

[[noreturn]] void leaveOnFatalError(void* udata, const char*) { leaveEngine(limitsOf(udata)); }

}  // namespace

HeapLimits::HeapLimits(size_t memoryLimit, unsigned timeLimitMs)
    : limit(memoryLimit), deadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs)) {}

HeapLimits::~HeapLimits() {
  while (blocks) {
    BlockHeader* next = blocks->next;
    std::free(blocks);
    blocks = next;
  }
}

bool HeapLimits::TimedOut() {
  if (!timeRanOut && std::chrono::steady_clock::now() >= deadline) timeRanOut = true;
  return timeRanOut;
}

bool HeapLimits::Charge(size_t units) {
  work += units;
  if (work < kWorkPerClockRead) return timeRanOut;
  work = 0;
  return TimedOut();
}

duk_context* CreateLimitedHeap(HeapLimits& limits) {
  return duk_create_heap(allocate, reallocate, release, &limits, leaveOnFatalError);
}

}  // namespace platform::pac

extern "C" int corvex_pac_timed_out(void* udata) { return platform::pac::limitsOf(udata).TimedOut() ? 1 : 0; }

extern "C" int corvex_pac_charge(void* udata, size_t work) {
  return platform::pac::limitsOf(udata).Charge(work) ? 1 : 0;
}
