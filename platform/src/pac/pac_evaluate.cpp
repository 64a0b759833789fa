#include <csetjmp>

#include "net/pac_engine.h"
#include "pac_heap_limits.h"
#include "pac_helpers.h"

namespace platform::pac {
namespace {

// Inside a protected call: every engine error, out of memory and out of time included,
// ends here with an error result instead of the fatal handler.
duk_ret_t defineAndCall(duk_context* ctx, void* udata) {
  const auto* evaluation = static_cast<const PacEvaluation*>(udata);
  DefinePacHelpers(ctx);
  duk_eval_lstring_noresult(ctx, evaluation->script, evaluation->scriptLength);
  duk_get_global_string(ctx, "FindProxyForURL");
  duk_push_string(ctx, evaluation->url);
  duk_push_string(ctx, evaluation->host);
  duk_call(ctx, 2);
  return 1;
}

int failureOf(HeapLimits& limits) {
  if (limits.timeRanOut) return kPacOutOfTime;
  if (limits.memoryRefused) return kPacOutOfMemory;
  return kPacScriptFailed;
}

int evaluate(duk_context* ctx, HeapLimits& limits, const PacEvaluation& evaluation,
             void (*deliver)(void*, const char*, size_t), void* context) {
  if (duk_safe_call(ctx, defineAndCall, const_cast<PacEvaluation*>(&evaluation), 0, 1) != DUK_EXEC_SUCCESS)
    return failureOf(limits);
  if (!duk_is_string(ctx, -1)) return kPacNoString;
  duk_size_t length = 0;
  const char* answer = duk_get_lstring(ctx, -1, &length);
  deliver(context, answer, length);
  return kPacAnswered;
}

}  // namespace
}  // namespace platform::pac

extern "C" __attribute__((visibility("default"))) int PlatformPacEvaluate(
    const PacEvaluation* evaluation, void (*deliver)(void* context, const char* answer, size_t length),
    void* context) {
  using namespace platform::pac;
  HeapLimits limits(evaluation->memoryLimit, evaluation->timeLimitMs);
  std::jmp_buf engineLeft;
  limits.engineExit = &engineLeft;
  // A fatal engine error, or the deadline met in the allocator, jumps back here.
  if (setjmp(engineLeft) != 0) return limits.timeRanOut ? kPacOutOfTime : kPacScriptFailed;
  duk_context* ctx = CreateLimitedHeap(limits);
  if (!ctx) return kPacOutOfMemory;
  // The heap is not destroyed but dropped with `limits`, which holds every block of it:
  // destroying it would run the script's finalizers after its answer.
  return evaluate(ctx, limits, *evaluation, deliver, context);
}
